#include "synth/kernels/filter.h"

#include "synth/kernels/fixed_point.h"
#include "synth/kernels/vector_clones.h"

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

// The filters copy the newest n values of the memory into a linear buffer
// (oldest first), run over it without ring bookkeeping, and write the newest n
// values back. The ring keeps n+1 values, but the oldest of them is never read
// before it is overwritten (the FIR reads the new input and n older ones, the
// all-pole filter n older outputs), so it is written back as 0. The memory is
// left in the layout of position n+1: newest value at hist[n+1], older ones
// above it, each also at its twin n+1 words below.

constexpr int32_t kMaxBlock = 512;  // samples per pass over the linear buffer

// line: out, n values, oldest first.
static void readHistory(const FilterMemory* mem, int32_t n, int32_t* line) {
  const int32_t* newest = &mem->hist[mem->pos];
  for (int32_t j = 0; j < n; ++j) line[n - 1 - j] = newest[j];
}

// line: in, the newest n values, oldest first.
static void writeHistory(FilterMemory* mem, int32_t n, const int32_t* line) {
  const int32_t n1 = n + 1;
  mem->pos = n1;
  for (int32_t j = 0; j < n; ++j) {
    mem->hist[n1 + j] = line[n - 1 - j];
    mem->hist[j] = line[n - 1 - j];
  }
  mem->hist[n1 + n] = 0;
  mem->hist[n] = 0;
}

// Products and sums wrap in unsigned arithmetic: the same bits as mul32 and
// add32, in a form the compiler turns into vector multiplies.

// taps_Q: in, b0..bn. line: in, n history inputs then count new inputs.
// samples: out, count filtered values.
VOXA_VECTOR_CLONES
static void firBlock(const int32_t* taps_Q, int32_t n, int32_t shift, const int32_t* line, int16_t* samples,
                     int32_t count) {
  uint32_t acc[kMaxBlock];
  const uint32_t* x = reinterpret_cast<const uint32_t*>(line) + n;
  const uint32_t b0 = static_cast<uint32_t>(taps_Q[0]);
  for (int32_t t = 0; t < count; ++t) acc[t] = b0 * x[t];
  for (int32_t i = 1; i <= n; ++i) {
    const uint32_t b = static_cast<uint32_t>(taps_Q[i]);
    const uint32_t* xi = x - i;
    for (int32_t t = 0; t < count; ++t) acc[t] += b * xi[t];
  }
  for (int32_t t = 0; t < count; ++t) samples[t] = static_cast<int16_t>(static_cast<int32_t>(acc[t]) >> shift);
}

void firFilter(const int32_t* taps_Q, int32_t shift, FilterMemory* mem, int16_t* samples, int32_t count) {
  if (!taps_Q || !mem || !samples) return;
  const int32_t n = mem->order;
  int32_t line[kMaxFilterOrder + kMaxBlock];
  readHistory(mem, n, line);
  while (count > 0) {
    const int32_t block = count < kMaxBlock ? count : kMaxBlock;
    for (int32_t t = 0; t < block; ++t) line[n + t] = samples[t];
    firBlock(taps_Q, n, shift, line, samples, block);
    for (int32_t j = 0; j < n; ++j) line[j] = line[block + j];
    samples += block;
    count -= block;
  }
  writeHistory(mem, n, line);
}

// The feedback sum over a window of kWidth past outputs (kWidth >= n, the
// coefficients padded with zeros at the old end): a fixed trip count that
// the compiler unrolls into whole vectors.
// reversed: in, kWidth coefficients, reversed[kWidth - i] = a_i.
// line: in/out, kWidth past outputs then room for count outputs.
// samples: in/out. Returns the sum of |y|.
template <int32_t kWidth>
static inline int32_t allPoleBlock(const uint32_t* reversed, int32_t shift, int32_t* line, int16_t* samples,
                                   int32_t count) {
  uint32_t sumAbs = 0;
  for (int32_t t = 0; t < count; ++t) {
    const uint32_t* past = reinterpret_cast<const uint32_t*>(line) + t;
    uint32_t acc = 0;
    for (int32_t j = 0; j < kWidth; ++j) acc += reversed[j] * past[j];
    const int32_t y = sub32(samples[t], static_cast<int32_t>(acc) >> shift);
    line[kWidth + t] = y;
    sumAbs += static_cast<uint32_t>(abs32(y));
    samples[t] = static_cast<int16_t>(y);
  }
  return static_cast<int32_t>(sumAbs);
}

template <int32_t kWidth>
VOXA_VECTOR_CLONES static int32_t allPoleWidth(const int32_t* coeffs_Q, int32_t n, int32_t shift,
                                               FilterMemory* mem, int16_t* samples, int32_t count) {
  uint32_t reversed[kWidth];
  for (int32_t j = 0; j < kWidth; ++j) reversed[j] = 0;
  for (int32_t i = 1; i <= n; ++i) reversed[kWidth - i] = static_cast<uint32_t>(coeffs_Q[i]);
  int32_t line[kWidth + kMaxBlock];
  for (int32_t j = 0; j < kWidth - n; ++j) line[j] = 0;
  readHistory(mem, n, line + kWidth - n);
  uint32_t sumAbs = 0;
  while (count > 0) {
    const int32_t block = count < kMaxBlock ? count : kMaxBlock;
    sumAbs += static_cast<uint32_t>(allPoleBlock<kWidth>(reversed, shift, line, samples, block));
    for (int32_t j = 0; j < kWidth; ++j) line[j] = line[block + j];
    samples += block;
    count -= block;
  }
  writeHistory(mem, n, line + kWidth - n);
  return static_cast<int32_t>(sumAbs);
}

int32_t allPoleFilter(const int32_t* coeffs_Q, int32_t shift, FilterMemory* mem, int16_t* samples, int32_t count) {
  if (!coeffs_Q || !mem || !samples) return 0;
  const int32_t n = mem->order;
  if (n <= 2) return allPoleWidth<2>(coeffs_Q, n, shift, mem, samples, count);
  if (n <= 8) return allPoleWidth<8>(coeffs_Q, n, shift, mem, samples, count);
  if (n <= 16) return allPoleWidth<16>(coeffs_Q, n, shift, mem, samples, count);
  return allPoleWidth<24>(coeffs_Q, n, shift, mem, samples, count);
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
