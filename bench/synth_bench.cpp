// Real-time factor of the synthesiser (set-up plus every phone and the
// trailing pause) over a test voice: seconds of speech per CPU second.
#include <benchmark/benchmark.h>

#include <vector>

#include "synth/synth.h"
#include "synth_test_voice.h"

namespace {

using namespace synth_test;

void BM_SynthesisePhrase(benchmark::State& state) {
  const std::vector<uint8_t> block = buildBlock(allPairUnits(110, 6));
  VoicePtr voice = bindTestVoice(block);
  // "## a n a s t a l: a r tS a ##" repeated: sonorant and residual-excited phones.
  const uint8_t pattern[] = {kA, kN, kA, kS, kT, kA, kL, kA, kR, kTS, kA};
  std::vector<uint8_t> phones = {kSil};
  for (int r = 0; r < 4; ++r) phones.insert(phones.end(), std::begin(pattern), std::end(pattern));
  phones.push_back(kSil);
  const int32_t n = static_cast<int32_t>(phones.size());
  std::vector<uint8_t> prominence(n, 0), durations(n, 80);
  std::vector<int32_t> pitch;
  for (int32_t i = 0; i < n; ++i)
    for (int k = 0; k < 4; ++k) pitch.push_back(100 + (i * 7 + k * 3) % 40);
  const tts::SynthControl speech = {3, 0, 1, 1, 1, 0, 1};
  std::vector<int16_t> buffer;
  int64_t samples = 0;
  for (auto _ : state) {
    int32_t size = (240 * 16000) >> 10;
    tts::PhraseSynth* synth = tts::synthInit(voice.get(), phones.data(), prominence.data(), durations.data(),
                                        pitch.data(), n, &size);
    buffer.resize(static_cast<size_t>(size));
    for (;;) {
      const int32_t k = tts::synthGenerate(synth, buffer.data(), &speech);
      if (k < 0) break;
      samples += k;
    }
    benchmark::DoNotOptimize(buffer.data());
    tts::synthRelease(synth);
  }
  // Speech seconds per CPU second: the real-time factor's inverse.
  state.counters["speech_s_per_s"] =
      benchmark::Counter(static_cast<double>(samples) / voice->voiceRate, benchmark::Counter::kIsRate);
  state.counters["samples"] = benchmark::Counter(static_cast<double>(samples), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SynthesisePhrase)->Unit(benchmark::kMillisecond);

}  // namespace
