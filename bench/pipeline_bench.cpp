// Whole-pipeline real-time factor of one deliverable: a paragraph of its
// language walked with TTSFileGetLegalLen_I and spoken with TTSFileGetWave_I,
// reporting seconds of output audio per CPU second. Uses the default voice
// (voices/<lang>.voice) when it exists, else a test voice of every phone pair.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "model/language.h"
#include "api/tts_file.h"
#include "corvum.h"
#include "prosody/phoneset.h"
#include "synth_test_voice.h"
#include "tts_engine.h"

namespace {

#if defined(PIPELINE_BENCH_PL)
const char16_t kParagraph[] =
    u"Dzień dobry, nazywam się Anna i mieszkam w Krakowie. W poniedziałek, 12.05.2021, o godzinie 14:30 "
    u"pojechałam pociągiem do Warszawy. Bilet kosztował 89,50 zł. Podróż trwała dwie godziny i czterdzieści "
    u"minut, a za oknem padał deszcz. Czy wiesz, że Wisła ma ponad 1000 kilometrów długości? Zażółć gęślą jaźń!";
#elif defined(PIPELINE_BENCH_TR)
const char16_t kParagraph[] =
    u"Merhaba, benim adım Ayşe ve İstanbul'da yaşıyorum. 5 Mayıs 2021 günü saat 14:45'te arkadaşlarımla "
    u"buluştuk. Kahve 25 TL idi. Öğleden sonra Boğaz'da uzun bir yürüyüş yaptık ve çok güzel fotoğraflar "
    u"çektik. Akşam yemeğinde balık yedik; hava serin ama güneşliydi. Yarın yeniden görüşeceğiz!";
#else
const char16_t kParagraph[] =
    u"Buenos días, me llamo Lucía y vivo en Sevilla. El 3/12/2007, a las 10:30, tomé el tren hacia Madrid "
    u"y pagué 45,50 € por el billete. El viaje duró dos horas y media; por la ventana se veían olivos, "
    u"campos de trigo y pueblos blancos. ¿Sabías que la ciudad tiene más de 700.000 habitantes? ¡Qué calor hace "
    u"en verano!";
#endif

// Every ordered pair of the deliverable's phones, two periods of 100 samples
// per half; pairs with a non-sonorant phone carry Speex-coded residual.
std::vector<uint8_t> testVoice() {
  const tts::PhoneSet* set = tts::kLanguage.phoneset;
  int8_t frameBytes = 0;
  const std::vector<std::vector<uint8_t>> frames = synth_test::speexFrames(4, 77, &frameBytes);
  std::vector<voxa::voicedb::Unit> units;
  for (int32_t a = 0; a < set->phoneCount; ++a) {
    for (int32_t b = 0; b < set->phoneCount; ++b) {
      if (a == 0 && b == 0) continue;  // synthetic silence
      const std::string name = std::string(set->phoneNames[a]) + "-" + set->phoneNames[b];
      voxa::voicedb::Unit unit = synth_test::makeUnit(name, {100, 100, 100, 100}, 2, 0, static_cast<uint32_t>(a * 31 + b));
      if (!tts::phoneIsSonorant(set, a) || !tts::phoneIsSonorant(set, b)) {
        unit.frameBytes = frameBytes;
        unit.frames = frames;
      }
      units.push_back(unit);
    }
  }
  return synth_test::buildBlock(units, 16000, 110);
}

// The default voice of the deliverable, or the test voice; `label` names which.
std::vector<uint8_t> benchVoice(std::string* label) {
  std::ifstream in(DEFAULT_VOICE_FILE, std::ios::binary);
  if (in) {
    std::vector<uint8_t> block((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!block.empty()) {
      *label = "default voice";
      return block;
    }
  }
  *label = "test voice";
  return testVoice();
}

int32_t countSamples(intptr_t user, const int16_t*, int32_t count) {
  if (count > 0) *reinterpret_cast<int64_t*>(user) += count / 2;
  return 0;
}

// Speaks the whole paragraph in legal chunks; returns the samples delivered.
int64_t speakParagraph(TTSFile* handle) {
  int64_t samples = 0;
  const intptr_t user = reinterpret_cast<intptr_t>(&samples);
  const std::u16string text = kParagraph;
  std::u16string chunk;
  size_t pos = 0;
  while (pos < text.size()) {
    const int32_t n = TTSFileGetLegalLen_I(handle, text.c_str() + pos);
    if (n == 0) break;
    if (n < 0) {
      pos += static_cast<size_t>(-n);
      continue;
    }
    chunk.assign(text, pos, static_cast<size_t>(n));
    int32_t r = TTSFileGetWave_I(handle, chunk.c_str(), TTS_TEXT_NORMAL, countSamples, user);
    while (r == TTS_OK) r = TTSFileGetWave_I(handle, nullptr, TTS_TEXT_NORMAL, countSamples, user);
    pos += static_cast<size_t>(n);
  }
  return samples;
}

void BM_Paragraph(benchmark::State& state) {
  std::string label;
  const std::vector<uint8_t> voice = benchVoice(&label);
  CorvumLexicon* lexicon = LexMgr_Open(tts::kLanguage.lexiconCode);
  TTSFile* handle = lexicon ? TTSFileOpenSized_I(lexicon, voice.data(), voice.size(), 0, TTS_FORMAT_KEEP) : nullptr;
  if (!handle) {
    state.SkipWithError("the voice or the lexicon does not open");
    LexMgr_Close(lexicon);
    return;
  }
  int32_t rate = 0;
  PhraseTTSCtrl(handle->voice, PTC_GET_OUTPUT_RATE, &rate);
  int64_t samples = 0;
  for (auto _ : state) samples += speakParagraph(handle);
  // Seconds of output audio per CPU second (kIsRate divides by CPU time).
  state.counters["audio_s_per_cpu_s"] =
      benchmark::Counter(rate > 0 ? static_cast<double>(samples) / rate : 0.0, benchmark::Counter::kIsRate);
  state.counters["audio_s"] = benchmark::Counter(rate > 0 ? static_cast<double>(samples) / rate : 0.0,
                                                 benchmark::Counter::kAvgIterations);
  state.SetLabel(label + ", " + std::to_string(rate) + " Hz");
  TTSFileClose_I(handle);
  LexMgr_Close(lexicon);
}
BENCHMARK(BM_Paragraph)->Unit(benchmark::kMillisecond);

}  // namespace
