// Real-time factor of the synthesiser (set-up plus every phone and the
// trailing pause) over a test voice: seconds of speech per CPU second.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "synth/excitation.h"
#include "synth/excitation_decoder.h"
#include "synth/kernels/arith.h"
#include "synth/kernels/filter.h"
#include "synth/kernels/length_change.h"
#include "synth/kernels/lsf.h"
#include "synth/output_stage.h"
#include "synth/phrase_synth.h"
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

// The hot kernels at the default voices' order (18), one 100-sample period
// per iteration; items are samples (or predictors for the LSF kernels).
constexpr int32_t kOrder = 18;
constexpr int32_t kPeriod = 100;

// A stable Q12 predictor from evenly spread LSFs.
std::vector<int32_t> stablePredictor() {
  std::vector<int32_t> cos_Q16(kOrder), a_Q12(kOrder + 1);
  for (int32_t i = 0; i < kOrder; ++i) cos_Q16[i] = tts::cosineQ16((i + 1) * 3216 / (kOrder + 1));
  tts::lsfToPredictor(cos_Q16.data(), kOrder, a_Q12.data());
  return a_Q12;
}

std::vector<int16_t> noisePeriod() {
  std::vector<int16_t> x(kPeriod);
  int32_t state = 1;
  tts::noiseFill(&state, x.data(), kPeriod);
  return x;
}

void BM_AllPoleFilter(benchmark::State& state) {
  const std::vector<int32_t> a = stablePredictor();
  const std::vector<int16_t> input = noisePeriod();
  std::vector<int16_t> x(kPeriod);
  tts::FilterMemory mem;
  tts::filterClear(&mem, kOrder);
  for (auto _ : state) {
    x = input;
    benchmark::DoNotOptimize(tts::allPoleFilter(a.data(), 12, &mem, x.data(), kPeriod));
  }
  state.SetItemsProcessed(state.iterations() * kPeriod);
}
BENCHMARK(BM_AllPoleFilter);

// The post-filter's pole filter, its tilt and the synthesis filter in one pass.
void BM_AllPoleTiltAllPole(benchmark::State& state) {
  const std::vector<int32_t> a = stablePredictor();
  std::vector<int32_t> pole(kOrder + 1);
  for (int32_t i = 0; i <= kOrder; ++i) pole[i] = a[i] * 3 / 4;
  const int32_t tilt[2] = {4096, -1024};
  const std::vector<int16_t> input = noisePeriod();
  std::vector<int16_t> x(kPeriod);
  tts::FilterMemory first, slope, second;
  tts::filterClear(&first, kOrder);
  tts::filterClear(&slope, 1);
  tts::filterClear(&second, kOrder);
  for (auto _ : state) {
    x = input;
    benchmark::DoNotOptimize(
        tts::allPoleTiltAllPole(pole.data(), tilt, a.data(), 12, &first, &slope, &second, x.data(), kPeriod));
  }
  state.SetItemsProcessed(state.iterations() * kPeriod);
}
BENCHMARK(BM_AllPoleTiltAllPole);

void BM_DeemphasiseAndRemoveDc(benchmark::State& state) {
  auto synth = std::make_unique<tts::PhraseSynth>();
  synth->codec.deemphasis_Q8 = 230;
  std::vector<int16_t> input = noisePeriod();
  for (auto& v : input) v = static_cast<int16_t>(v * 40);
  std::vector<int16_t> x(kPeriod);
  for (auto _ : state) {
    x = input;
    tts::deemphasiseAndRemoveDc(synth.get(), x.data(), kPeriod);
    benchmark::DoNotOptimize(x.data());
  }
  state.SetItemsProcessed(state.iterations() * kPeriod);
}
BENCHMARK(BM_DeemphasiseAndRemoveDc);

void BM_LevelControlBlock(benchmark::State& state) {
  tts::LevelControl control{};
  control.floor = 1000;
  std::vector<int16_t> input(tts::kLevelBlock);
  int32_t noise = 1;
  tts::noiseFill(&noise, input.data(), tts::kLevelBlock);
  std::vector<int16_t> x(tts::kLevelBlock);
  for (auto _ : state) {
    x = input;
    tts::levelControlBlock(&control, x.data(), tts::kLevelBlock);
    benchmark::DoNotOptimize(x.data());
  }
  state.SetItemsProcessed(state.iterations() * tts::kLevelBlock);
}
BENCHMARK(BM_LevelControlBlock);

// One voiced excitation period: shaped pulse plus filtered noise.
void BM_GeneratePulse(benchmark::State& state) {
  auto synth = std::make_unique<tts::PhraseSynth>();
  synth->pulseIndex = 0;
  synth->pulseFilter = 1;
  synth->noiseState = 12345;
  tts::filterClear(&synth->pulseMem, 2);
  tts::filterClear(&synth->noiseMem, 2);
  std::vector<int16_t> x(kPeriod);
  for (auto _ : state) {
    tts::generatePulse(synth.get(), kPeriod, x.data());
    benchmark::DoNotOptimize(x.data());
  }
  state.SetItemsProcessed(state.iterations() * kPeriod);
}
BENCHMARK(BM_GeneratePulse);

// A residual block the voice has kept: unpacked instead of decoded.
void BM_KeptExcitationBlock(benchmark::State& state) {
  int8_t frameBytes = 0;
  const auto frames = speexFrames(8, 3, &frameBytes);
  std::vector<uint8_t> block = {8, static_cast<uint8_t>(frameBytes)};
  for (const auto& f : frames) block.insert(block.end(), f.begin(), f.end());
  std::unique_ptr<tts::ExcitationStore, void (*)(tts::ExcitationStore*)> store(tts::excitationStoreCreate(),
                                                                              tts::excitationStoreDestroy);
  std::vector<int16_t> out(8 * 160);
  for (auto _ : state) {
    tts::decodeExcitation(block.data(), block.data() + block.size(), out.data(), 80, 8 * 160, store.get());
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * 8 * 160);
}
BENCHMARK(BM_KeptExcitationBlock);

// A period shortened by a cross-fade and lengthened by overlapping itself.
void BM_ChangeLength(benchmark::State& state) {
  const std::vector<int16_t> x = noisePeriod();
  std::vector<int16_t> shorter(kPeriod), longer(2 * kPeriod);
  for (auto _ : state) {
    tts::changeLength(x.data(), kPeriod, kPeriod * 3 / 4, shorter.data());
    tts::changeLength(x.data(), kPeriod, kPeriod * 3 / 2, longer.data());
    benchmark::DoNotOptimize(shorter.data());
    benchmark::DoNotOptimize(longer.data());
  }
  state.SetItemsProcessed(state.iterations() * (kPeriod * 3 / 4 + kPeriod * 3 / 2));
}
BENCHMARK(BM_ChangeLength);

void BM_FirFilter(benchmark::State& state) {
  const std::vector<int32_t> b = stablePredictor();
  const std::vector<int16_t> input = noisePeriod();
  std::vector<int16_t> x(kPeriod);
  tts::FilterMemory mem;
  tts::filterClear(&mem, kOrder);
  for (auto _ : state) {
    x = input;
    tts::firFilter(b.data(), 12, &mem, x.data(), kPeriod);
    benchmark::DoNotOptimize(x.data());
  }
  state.SetItemsProcessed(state.iterations() * kPeriod);
}
BENCHMARK(BM_FirFilter);

void BM_LsfToPredictor(benchmark::State& state) {
  std::vector<int32_t> cos_Q16(kOrder), a_Q12(kOrder + 1);
  for (int32_t i = 0; i < kOrder; ++i) cos_Q16[i] = tts::cosineQ16((i + 1) * 3216 / (kOrder + 1));
  for (auto _ : state) {
    tts::lsfToPredictor(cos_Q16.data(), kOrder, a_Q12.data());
    benchmark::DoNotOptimize(a_Q12.data());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LsfToPredictor);

void BM_CosinesQ16(benchmark::State& state) {
  std::vector<int16_t> lsf_Q10(kOrder);
  for (int32_t i = 0; i < kOrder; ++i) lsf_Q10[i] = static_cast<int16_t>((i + 1) * 3216 / (kOrder + 1));
  std::vector<int32_t> cos_Q16(kOrder);
  for (auto _ : state) {
    tts::cosinesQ16(lsf_Q10.data(), kOrder, cos_Q16.data());
    benchmark::DoNotOptimize(cos_Q16.data());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CosinesQ16);

void BM_ReflectionCoefficients(benchmark::State& state) {
  const std::vector<int32_t> a = stablePredictor();
  std::vector<int32_t> k(kOrder);
  for (auto _ : state) {
    tts::reflectionCoefficients(a.data(), kOrder, k.data());
    benchmark::DoNotOptimize(k.data());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReflectionCoefficients);

void BM_NoiseFill(benchmark::State& state) {
  std::vector<int16_t> x(kPeriod);
  int32_t noise = 1;
  for (auto _ : state) {
    tts::noiseFill(&noise, x.data(), kPeriod);
    benchmark::DoNotOptimize(x.data());
  }
  state.SetItemsProcessed(state.iterations() * kPeriod);
}
BENCHMARK(BM_NoiseFill);

}  // namespace
