#include "synth/kernels/filter.h"

#include <cstring>

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

VOXA_VECTOR_CLONES
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

// The feedback sum: the kNear newest outputs stay in registers (the next
// samples depend on them at once), the older ones, lags kNear+1 ..
// kWidth+kNear, come from the buffer as whole vectors, long after they were
// stored (a vector load of values stored a moment ago would stall on the
// store). Lags past the filter order have coefficient 0. The sum wraps modulo
// 2^32 before the shift, so the order of its terms does not change a bit.
// Fixed trip counts for the compiler; eight lanes at a time in the compiler's
// vector type (AVX2 in the v3 copy, pairs of SSE2 registers in the baseline one).
// kShift: the feedback shift when fixed at compile time (the synthesiser's
// Q12 predictors), 0 when it comes at run time; a fixed one keeps a register free.
template <int32_t kWidth, int32_t kNear, int32_t kShift>
struct AllPoleLine {
  static constexpr int32_t kPast = kWidth + kNear;
  static constexpr int32_t kVectors = kWidth / 8;
#if defined(__GNUC__)
  typedef uint32_t Lanes __attribute__((vector_size(32)));
  Lanes coeffs[kVectors > 0 ? kVectors : 1];  // coeffs lane j of vector v: a_(kPast-8v-j)
#endif
  uint32_t reversed[kWidth > 0 ? kWidth : 1];
  uint32_t a[kNear];  // a_1 .. a_kNear
  uint32_t y[kNear];  // y[k]: the output k+1 samples back
  int32_t n;
  int32_t shift;
  int32_t line[kPast + kMaxBlock];  // kPast past outputs (oldest first), then the block's

  void load(const int32_t* coeffs_Q, int32_t order, int32_t shiftBits, const FilterMemory* mem) {
    n = order;
    shift = shiftBits;
    for (int32_t j = 0; j < kWidth; ++j) reversed[j] = 0;
    if (kWidth > 0)
      for (int32_t i = kNear + 1; i <= n && i <= kPast; ++i)
        reversed[kPast - i] = static_cast<uint32_t>(coeffs_Q[i]);
#if defined(__GNUC__)
    for (int32_t v = 0; v < kVectors; ++v) std::memcpy(&coeffs[v], reversed + 8 * v, sizeof(Lanes));
#endif
    for (int32_t k = 0; k < kNear; ++k) a[k] = k + 1 <= n ? static_cast<uint32_t>(coeffs_Q[k + 1]) : 0;
    for (int32_t j = 0; j < kPast - n; ++j) line[j] = 0;
    readHistory(mem, n, line + kPast - n);
    for (int32_t k = 0; k < kNear; ++k) y[k] = static_cast<uint32_t>(line[kPast - 1 - k]);
  }

  // x: the input of sample t of the block. Returns the 32-bit output.
  inline int32_t step(int32_t x, int32_t t) {
    const uint32_t* past = reinterpret_cast<const uint32_t*>(line) + t;
    // Older lags first: only a1 * y1 waits for the previous sample.
    uint32_t acc = a[kNear - 1] * y[kNear - 1];
    for (int32_t k = kNear - 2; k >= 1; --k) acc += a[k] * y[k];
#if defined(__GNUC__)
    if (kVectors > 0) {
      Lanes sum = {};
      for (int32_t v = 0; v < kVectors; ++v) {
        Lanes xs;
        std::memcpy(&xs, past + 8 * v, sizeof(Lanes));
        sum += coeffs[v] * xs;
      }
#if defined(__clang__)
      acc += sum[0] + sum[1] + sum[2] + sum[3] + sum[4] + sum[5] + sum[6] + sum[7];
#else
      // Lanes folded in halves inside the vector unit.
      sum += __builtin_shuffle(sum, Lanes{4, 5, 6, 7, 0, 1, 2, 3});
      sum += __builtin_shuffle(sum, Lanes{2, 3, 0, 1, 6, 7, 4, 5});
      sum += __builtin_shuffle(sum, Lanes{1, 0, 3, 2, 5, 4, 7, 6});
      acc += sum[0];
#endif
    }
#else
    for (int32_t j = 0; j < kWidth; ++j) acc += reversed[j] * past[j];
#endif
    acc += a[0] * y[0];
    const int32_t out = sub32(x, static_cast<int32_t>(acc) >> (kShift > 0 ? kShift : shift));
    line[kPast + t] = out;
    for (int32_t k = kNear - 1; k >= 1; --k) y[k] = y[k - 1];
    y[0] = static_cast<uint32_t>(out);
    return out;
  }

  // After a block of `block` samples: its newest kPast outputs to the front.
  void nextBlock(int32_t block) {
    for (int32_t j = 0; j < kPast; ++j) line[j] = line[block + j];
  }

  void store(FilterMemory* mem) const { writeHistory(mem, n, line + kPast - n); }
};

// Lags kept in registers: alone, the filter's own chain through memory is the
// limit; in the cascade, two filters share the scalar multiplier.
constexpr int32_t kNearAlone = 4;
constexpr int32_t kNearCascade = 2;

template <int32_t kWidth, int32_t kShift>
VOXA_VECTOR_CLONES static int32_t allPoleWidth(const int32_t* coeffs_Q, int32_t n, int32_t shift,
                                               FilterMemory* mem, int16_t* samples, int32_t count) {
  AllPoleLine<kWidth, kNearAlone, kShift> pole;
  pole.load(coeffs_Q, n, shift, mem);
  uint32_t sumAbs = 0;
  while (count > 0) {
    const int32_t block = count < kMaxBlock ? count : kMaxBlock;
    for (int32_t t = 0; t < block; ++t) {
      const int32_t y = pole.step(samples[t], t);
      sumAbs += static_cast<uint32_t>(abs32(y));
      samples[t] = static_cast<int16_t>(y);
    }
    pole.nextBlock(block);
    samples += block;
    count -= block;
  }
  pole.store(mem);
  return static_cast<int32_t>(sumAbs);
}

int32_t allPoleFilter(const int32_t* coeffs_Q, int32_t shift, FilterMemory* mem, int16_t* samples, int32_t count) {
  if (!coeffs_Q || !mem || !samples) return 0;
  const int32_t n = mem->order;
  if (n <= AllPoleLine<0, kNearAlone, 0>::kPast) return allPoleWidth<0, 0>(coeffs_Q, n, shift, mem, samples, count);
  if (n <= AllPoleLine<8, kNearAlone, 0>::kPast) return allPoleWidth<8, 0>(coeffs_Q, n, shift, mem, samples, count);
  if (shift == 12) return allPoleWidth<16, 12>(coeffs_Q, n, shift, mem, samples, count);
  return allPoleWidth<16, 0>(coeffs_Q, n, shift, mem, samples, count);
}

// The three filters in one pass: the two recursions are independent chains
// (the second only reads the first's output), so the processor overlaps them.
template <int32_t kWidth, int32_t kShift>
VOXA_VECTOR_CLONES static int32_t cascadeWidth(const int32_t* firstA_Q, const int32_t* tilt_Q,
                                               const int32_t* secondA_Q, int32_t shift, FilterMemory* first,
                                               FilterMemory* tilt, FilterMemory* second, int16_t* samples,
                                               int32_t count) {
  AllPoleLine<kWidth, kNearCascade, kShift> a;
  AllPoleLine<kWidth, kNearCascade, kShift> b;
  a.load(firstA_Q, first->order, shift, first);
  b.load(secondA_Q, second->order, shift, second);
  int32_t previous = 0;  // the tilt filter's newest 16-bit input
  readHistory(tilt, 1, &previous);
  const int32_t t0 = tilt_Q[0];
  const int32_t t1 = tilt_Q[1];
  uint32_t sumAbs = 0;
  while (count > 0) {
    const int32_t block = count < kMaxBlock ? count : kMaxBlock;
    for (int32_t t = 0; t < block; ++t) {
      const int16_t y = static_cast<int16_t>(a.step(samples[t], t));
      const int16_t z = static_cast<int16_t>(add32(mul32(t0, y), mul32(t1, previous)) >> (kShift > 0 ? kShift : shift));
      previous = y;
      const int32_t s = b.step(z, t);
      sumAbs += static_cast<uint32_t>(abs32(s));
      samples[t] = static_cast<int16_t>(s);
    }
    a.nextBlock(block);
    b.nextBlock(block);
    samples += block;
    count -= block;
  }
  a.store(first);
  writeHistory(tilt, 1, &previous);
  b.store(second);
  return static_cast<int32_t>(sumAbs);
}

int32_t allPoleTiltAllPole(const int32_t* firstA_Q, const int32_t* tilt_Q, const int32_t* secondA_Q, int32_t shift,
                           FilterMemory* first, FilterMemory* tilt, FilterMemory* second, int16_t* samples,
                           int32_t count) {
  if (!firstA_Q || !tilt_Q || !secondA_Q || !first || !tilt || !second || !samples) return 0;
  if (tilt->order == 1 && first->order == second->order && first->order > AllPoleLine<8, kNearCascade, 0>::kPast) {
    if (shift == 12) return cascadeWidth<16, 12>(firstA_Q, tilt_Q, secondA_Q, shift, first, tilt, second, samples, count);
    return cascadeWidth<16, 0>(firstA_Q, tilt_Q, secondA_Q, shift, first, tilt, second, samples, count);
  }
  allPoleFilter(firstA_Q, shift, first, samples, count);
  firFilter(tilt_Q, shift, tilt, samples, count);
  return allPoleFilter(secondA_Q, shift, second, samples, count);
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
