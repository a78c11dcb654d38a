// Eight handles on eight threads, sharing one lexicon and one voice block:
// first each thread speaks its own text, then all speak the same text. Every
// thread's samples must equal, byte for byte, those of a serial run.
// A plain program (no test framework) so that a ThreadSanitizer build needs
// only the engine and the lexicon. Argument: the voice file.
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "corvum.h"
#include "tts_engine.h"

namespace {

constexpr int kThreads = 8;

const char16_t* const kTexts[kThreads] = {
    u"Hola, ¿cómo estás?",
    u"El tren sale a las 9:30 del andén 4.",
    u"Mañana lloverá en Zaragoza y en Huesca.",
    u"Son 25 euros con 50 céntimos.",
    u"La doctora Ruiz llegó tarde.",
    u"¿Quién dejó el paraguas en el tren?",
    u"Uno, dos, tres, cuatro, cinco.",
    u"El 15% de los billetes se vendió el lunes 3 de marzo.",
};

int32_t collect(intptr_t user, const int16_t* samples, int32_t count) {
  auto* out = reinterpret_cast<std::vector<int16_t>*>(user);
  if (count > 0) out->insert(out->end(), samples, samples + count / 2);
  else out->push_back(static_cast<int16_t>(count));  // markers take part in the comparison
  return 0;
}

// Opens a handle on the shared lexicon and block, speaks `text` chunk by chunk, closes.
std::vector<int16_t> speak(void* lexicon, const std::vector<uint8_t>& voice, const char16_t* text) {
  std::vector<int16_t> samples;
  TTSFile* handle = TTSFileOpenSized_I(lexicon, voice.data(), voice.size(), 0, TTS_FORMAT_KEEP);
  if (!handle) return samples;
  const auto* units = reinterpret_cast<const TTSChar16*>(text);
  for (int32_t n; (n = TTSFileGetLegalLen_I(handle, units)) != 0;) {
    if (n < 0) {
      units += -n;
      continue;
    }
    std::u16string chunk(reinterpret_cast<const char16_t*>(units), static_cast<size_t>(n));
    const auto user = reinterpret_cast<intptr_t>(&samples);
    int32_t r = TTSFileGetWave_I(handle, reinterpret_cast<const TTSChar16*>(chunk.c_str()), 0, collect, user);
    while (r == TTS_OK) r = TTSFileGetWave_I(handle, nullptr, 0, collect, user);
    if (r != TTS_DONE) samples.push_back(-1000);
    units += n;
  }
  TTSFileClose_I(handle);
  return samples;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: threads_test VOICE\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::vector<uint8_t> voice((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  CorvumLexicon* lexicon = LexMgr_Open(CORVUM_LANG_ALL);
  if (voice.size() < 24 || !lexicon) {
    std::fprintf(stderr, "threads_test: no voice or lexicon\n");
    return 2;
  }

  std::vector<std::vector<int16_t>> serial(kThreads);
  for (int i = 0; i < kThreads; ++i) serial[i] = speak(lexicon, voice, kTexts[i]);

  int failures = 0;
  for (const bool sameText : {false, true}) {
    std::vector<std::vector<int16_t>> parallel(kThreads);
    std::atomic<int> ready{0};
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) {
      threads.emplace_back([&, i] {
        ready.fetch_add(1);
        while (ready.load() < kThreads) std::this_thread::yield();  // start together
        parallel[i] = speak(lexicon, voice, kTexts[sameText ? 0 : i]);
      });
    }
    for (auto& t : threads) t.join();
    for (int i = 0; i < kThreads; ++i) {
      const std::vector<int16_t>& expected = serial[sameText ? 0 : i];
      if (expected.size() < 1000 || parallel[i] != expected) {
        std::fprintf(stderr, "threads_test: thread %d (%s text): %zu samples, serial %zu\n", i,
                     sameText ? "same" : "own", parallel[i].size(), expected.size());
        ++failures;
      }
    }
  }
  LexMgr_Close(lexicon);
  std::printf("threads_test: %d threads, %s\n", kThreads, failures == 0 ? "identical to serial runs" : "MISMATCH");
  return failures == 0 ? 0 : 1;
}
