#include "synth/excitation.h"

#include "synth/kernels/arith.h"
#include "synth/kernels/fixed_point.h"
#include "synth/kernels/length_change.h"
#include "synth/kernels/lsf.h"
#include "synth/pulse_shapes.h"
#include "synth/kernels/vector_clones.h"

namespace tts {

namespace {
const int32_t kPulseFilterTaps_Q10[3] = {235, 574, 235};
const int32_t kNoiseFilterTaps_Q10[3] = {-128, 256, -128};
// 0.6^i and 0.8^i, i = 1..18, truncated to Q16.
const int32_t kPostFirWeights_Q16[18] = {39321, 23592, 14155, 8493, 5096, 3057, 1834, 1100, 660,
                                         396,   237,   142,   85,   51,   30,   18,   11,   6};
const int32_t kPostPoleWeights_Q16[18] = {52428, 41943, 33554, 26843, 21474, 17179, 13743, 10995, 8796,
                                          7036,  5629,  4503,  3602,  2882,  2305,  1844,  1475,  1180};
}  // namespace

VOXA_VECTOR_CLONES
void generatePulse(PhraseSynth* synth, int32_t length, int16_t* out) {
  const int32_t d = clamp32(length, 0, kMaxPeriodSamples);
  if (synth->pulseIndex < 0) {
    const int32_t a = (isqrt32(d * 4096) * 9460) >> 6;
    for (int32_t i = 0; i < d; ++i)
      out[i] = static_cast<int16_t>(i < kImpulseShapeLength ? (kImpulseShape[i] * a) >> 16 : 0);
  } else {
    // The pulse upsampled by two: even samples 2 * pulse[k], odd ones
    // pulse[k] + pulse[k + 1]; none past sample 252.
    const int16_t* pulse = kPulseShapes[synth->pulseIndex];
    const int32_t b = isqrt32(d * 16384);
    const int32_t shaped = d < 253 ? d : 253;
    int32_t i = 0;
    for (; i + 1 < shaped; i += 2) {
      const int32_t k = i >> 1;
      out[i] = static_cast<int16_t>((pulse[k] * 2 * b) >> 11);
      out[i + 1] = static_cast<int16_t>(((pulse[k] + pulse[k + 1]) * b) >> 11);
    }
    if (i < shaped) out[i] = static_cast<int16_t>((pulse[i >> 1] * 2 * b) >> 11);
    for (i = shaped; i < d; ++i) out[i] = 0;
    synth->pulseIndex = (synth->pulseIndex + 1) % kPulseShapeCount;
  }
  if (synth->pulseFilter) firFilter(kPulseFilterTaps_Q10, 10, &synth->pulseMem, out, d);

  int16_t noise[kMaxPeriodSamples];
  noiseFill(&synth->noiseState, noise, d);
  firFilter(kNoiseFilterTaps_Q10, 10, &synth->noiseMem, noise, d);
  for (int32_t i = 0; i < d; ++i) out[i] = sat16(out[i] + noise[i]);
}

// The post-filter's three filters from the period's predictor.
struct PostFilterTaps {
  int32_t fir_Q12[kMaxOrder + 1];
  int32_t pole_Q12[kMaxOrder + 1];
  int32_t tilt_Q12[2];
};

static void postFilterTaps(const int32_t* a_Q12, int32_t order, PostFilterTaps* taps) {
  taps->fir_Q12[0] = 4096;
  taps->pole_Q12[0] = 4096;
  weightCoefficients(a_Q12 + 1, kPostFirWeights_Q16, taps->fir_Q12 + 1, order);
  weightCoefficients(a_Q12 + 1, kPostPoleWeights_Q16, taps->pole_Q12 + 1, order);
  int32_t refl_Q12[kMaxOrder];
  reflectionCoefficients(a_Q12, order, refl_Q12);
  const int32_t k1_Q12 = refl_Q12[0];
  taps->tilt_Q12[0] = 4096;
  taps->tilt_Q12[1] = k1_Q12 > 0 ? -(k1_Q12 >> 1) : 0;
}

void postFilter(PhraseSynth* synth, const int32_t* a_Q12, int16_t* samples, int32_t count) {
  const int32_t order = synth->codec.order;
  if (order > kMaxOrder) return;
  PostFilterTaps taps;
  postFilterTaps(a_Q12, order, &taps);
  firFilter(taps.fir_Q12, 12, &synth->postFir, samples, count);
  allPoleFilter(taps.pole_Q12, 12, &synth->postPole, samples, count);
  firFilter(taps.tilt_Q12, 12, &synth->postTilt, samples, count);
}

int32_t postFilterAndSynthesise(PhraseSynth* synth, const int32_t* a_Q12, int16_t* samples, int32_t count) {
  const int32_t order = synth->codec.order;
  if (order > kMaxOrder) return allPoleFilter(a_Q12, 12, &synth->synthesis, samples, count);
  PostFilterTaps taps;
  postFilterTaps(a_Q12, order, &taps);
  firFilter(taps.fir_Q12, 12, &synth->postFir, samples, count);
  return allPoleTiltAllPole(taps.pole_Q12, taps.tilt_Q12, a_Q12, 12, &synth->postPole, &synth->postTilt,
                            &synth->synthesis, samples, count);
}

int32_t stretchResidual(const int16_t* source, int32_t srcLength, int32_t length, int16_t* out, int16_t* scratch) {
  if (srcLength <= 0 || length <= 0) return 0;
  const int32_t longest = 3 * srcLength / 2;
  const int32_t shortest = 170 * srcLength / 256;
  const int16_t* period = source;
  int32_t len = srcLength;
  if (length > longest) {
    changeLength(source, srcLength, longest, scratch);
    period = scratch;
    len = longest;
  } else if (length < shortest) {
    changeLength(source, srcLength, shortest, scratch);
    period = scratch;
    len = shortest;
  }
  int32_t n = length;
  if (n >= 2 * len) n = 2 * len;
  if (n < len / 2) n = len / 2;
  changeLength(period, len, n, out);
  return n;
}

}  // namespace tts
