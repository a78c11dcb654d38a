#include "synth/kernels/filter.h"

#include "synth/kernels/fixed_point.h"

namespace tts {

void filterClear(FilterMemory* mem, int32_t order) {
  if (!mem) return;
  if (order < 0) order = 0;
  if (order > kMaxFilterOrder) order = kMaxFilterOrder;
  mem->order = order;
  mem->pos = order + 1;
  for (int32_t i = 0; i < 2 * (kMaxFilterOrder + 1); ++i) mem->hist[i] = 0;
}

int32_t peakAbs(const int16_t* samples, int32_t count) {
  int32_t peak = 0;
  if (!samples) return 0;
  for (int32_t i = 0; i < count; ++i) {
    int32_t a = samples[i] < 0 ? -static_cast<int32_t>(samples[i]) : samples[i];
    if (a > peak) peak = a;
  }
  return peak;
}

// Stores v as the newest value and returns a pointer to the newest order+1
// values (newest first).
static int32_t* pushValue(FilterMemory* mem, int32_t v) {
  const int32_t n1 = mem->order + 1;
  int32_t* slot = &mem->hist[mem->pos - 1];
  slot[0] = v;
  slot[n1] = v;
  return slot;
}

static void stepPosition(FilterMemory* mem) {
  mem->pos -= 1;
  if (mem->pos < 1) mem->pos = mem->order + 1;
}

void firFilter(const int32_t* taps_Q, int32_t shift, FilterMemory* mem, int16_t* samples, int32_t count) {
  if (!taps_Q || !mem || !samples) return;
  const int32_t n = mem->order;
  for (int32_t t = 0; t < count; ++t) {
    const int32_t* x = pushValue(mem, samples[t]);
    int32_t acc = 0;
    for (int32_t i = 0; i <= n; ++i) acc = add32(acc, mul32(taps_Q[i], x[i]));
    stepPosition(mem);
    samples[t] = static_cast<int16_t>(acc >> shift);
  }
}

int32_t allPoleFilter(const int32_t* coeffs_Q, int32_t shift, FilterMemory* mem, int16_t* samples, int32_t count) {
  if (!coeffs_Q || !mem || !samples) return 0;
  const int32_t n = mem->order;
  int32_t sumAbs = 0;
  for (int32_t t = 0; t < count; ++t) {
    // The previous outputs y[t-1] .. y[t-n] sit just above the slot that the
    // next value takes (index pos-1), thanks to the doubled history.
    const int32_t* past = &mem->hist[mem->pos];
    int32_t acc = 0;
    for (int32_t i = 1; i <= n; ++i) acc = add32(acc, mul32(coeffs_Q[i], past[i - 1]));
    const int32_t y = sub32(samples[t], acc >> shift);
    pushValue(mem, y);
    stepPosition(mem);
    sumAbs = add32(sumAbs, abs32(y));
    samples[t] = static_cast<int16_t>(y);
  }
  return sumAbs;
}

void weightCoefficients(const int32_t* coeffs_Q12, const int32_t* weights_Q16, int32_t* out_Q12, int32_t count) {
  if (!coeffs_Q12 || !weights_Q16 || !out_Q12) return;
  // a split into 16-bit halves: a * w itself passes 32 bits once |a| * w > 2^31.
  for (int32_t i = 0; i < count; ++i) {
    const int32_t high = coeffs_Q12[i] >> 16;
    const uint32_t low = static_cast<uint32_t>(coeffs_Q12[i]) & 0xffffu;
    const uint32_t w = static_cast<uint32_t>(weights_Q16[i]);
    out_Q12[i] = add32(mul32(high, static_cast<int32_t>(w)), static_cast<int32_t>((low * w) >> 16));
  }
}

}  // namespace tts
