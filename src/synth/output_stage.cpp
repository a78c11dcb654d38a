#include "synth/output_stage.h"

#include "synth/kernels/arith.h"
#include "synth/kernels/filter.h"
#include "synth/kernels/fixed_point.h"
#include "synth/kernels/vector_clones.h"

namespace tts {

namespace {
constexpr int32_t kLevelTarget = 30000;   // output clamp
constexpr int32_t kLevelFall = 20;        // Q8 rate when the level is above the peaks
constexpr int32_t kLevelRise = 200;       // Q8 rate when the peaks are above the level
constexpr int32_t kLevelOvershoot = 2;
constexpr int32_t kLevelGainNumerator = 6400000;  // maps the level to 25000 in Q8
constexpr int32_t kFadeMax = 256;

// k: smallest k >= 1 with count >> k <= 1 (the fade covers 2^k samples).
int32_t fadeShift(int32_t count) {
  int32_t k = 1;
  while ((count >> k) > 1) ++k;
  return k;
}
}  // namespace

void deemphasise(PhraseSynth* synth, int16_t* samples, int32_t count) {
  const int32_t coeff_Q8 = synth->codec.deemphasis_Q8;
  int32_t y = synth->deemphasisMem;
  for (int32_t i = 0; i < count; ++i) {
    y = sat16(samples[i] + ((coeff_Q8 * y) >> 8));
    samples[i] = static_cast<int16_t>(y);
  }
  synth->deemphasisMem = y;
}

void removeDc(PhraseSynth* synth, int16_t* samples, int32_t count) {
  int32_t x1 = synth->dcInput;
  int32_t v = synth->dcOutput;
  for (int32_t i = 0; i < count; ++i) {
    const int32_t x = samples[i];
    // Divided truncating toward zero: an arithmetic shift rounds toward minus
    // infinity and leaves the blocker stuck at -1 ... -19 (a DC offset that
    // the output level control then multiplies).
    v = add32(mul32(243, v), 256 * x - 256 * x1) / 256;
    x1 = x;
    samples[i] = sat16(v);
  }
  synth->dcInput = x1;
  synth->dcOutput = v;
}

void deemphasiseAndRemoveDc(PhraseSynth* synth, int16_t* samples, int32_t count) {
  const int32_t coeff_Q8 = synth->codec.deemphasis_Q8;
  int32_t y = synth->deemphasisMem;
  int32_t x1 = synth->dcInput;
  int32_t v = synth->dcOutput;
  for (int32_t i = 0; i < count; ++i) {
    // Saturation is rare: a branch keeps the clamp off the recursion's chain.
    y = samples[i] + ((coeff_Q8 * y) >> 8);
    if (__builtin_expect(static_cast<uint32_t>(y + 32768) > 65535u, 0)) y = sat16(y);
    v = add32(mul32(243, v), 256 * y - 256 * x1) / 256;  // truncating, as in removeDc
    x1 = y;
    samples[i] = sat16(v);
  }
  synth->deemphasisMem = y;
  synth->dcInput = x1;
  synth->dcOutput = v;
}

VOXA_VECTOR_CLONES
void levelControlBlock(LevelControl* control, int16_t* samples, int32_t count) {
  const int32_t peak = peakAbs(samples, count);
  for (int32_t i = 0; i + 1 < kLevelHistory; ++i) control->history[i] = control->history[i + 1];
  const int32_t level = control->level;
  const int32_t overshoot = divApprox(256 * peak - kLevelOvershoot * level, 254);
  control->history[kLevelHistory - 1] = sat16(overshoot >= peak ? overshoot : peak);
  int32_t top = 0;
  for (int32_t i = 0; i < kLevelHistory; ++i) {
    const int32_t a = control->history[i] < 0 ? -control->history[i] : control->history[i];
    if (a > top) top = a;
  }
  const int32_t rate = level < top ? kLevelRise : kLevelFall;
  control->level = sat16(((256 - rate) * level + rate * top) >> 8);
  const int32_t gain_Q8 =
      divApprox(kLevelGainNumerator, control->level > control->floor ? control->level : control->floor);
  for (int32_t i = 0; i < count; ++i)
    samples[i] = static_cast<int16_t>(clamp32(mul32(gain_Q8, samples[i]) >> 8, -kLevelTarget, kLevelTarget));
}

void fadeIn(int16_t* samples, int32_t count) {
  const int32_t span = count < kFadeMax ? count : kFadeMax;
  if (span <= 1) return;
  const int32_t k = fadeShift(span);
  const int32_t n = 1 << k;
  for (int32_t j = 0; j < n; ++j) samples[j] = static_cast<int16_t>((j * samples[j]) >> k);
}

void fadeOut(int16_t* samples, int32_t count) {
  const int32_t span = count < kFadeMax ? count : kFadeMax;
  if (span <= 1) return;
  const int32_t k = fadeShift(span);
  const int32_t n = 1 << k;
  int16_t* tail = samples + count - n;
  for (int32_t j = 0; j < n; ++j) tail[j] = static_cast<int16_t>(((n - 1 - j) * tail[j]) >> k);
}

}  // namespace tts
