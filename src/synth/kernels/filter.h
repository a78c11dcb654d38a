// Filters over 16-bit samples with ring-buffer memories.
#pragma once
#include <cstdint>

namespace tts {

constexpr int32_t kMaxFilterOrder = 18;

// History of the last order+1 values, each written twice (at pos-1 and
// pos+order) so that the newest order+1 values are always contiguous.
struct FilterMemory {
  int32_t order;                             // n
  int32_t pos;                               // 1 .. n+1, counts down
  int32_t hist[2 * (kMaxFilterOrder + 1)];   // 2(n+1) used
};

// order: in, 0..kMaxFilterOrder (larger values are clamped).
void filterClear(FilterMemory* mem, int32_t order);

// samples: in, count values. Returns the largest |x| (32768 for -32768).
int32_t peakAbs(const int16_t* samples, int32_t count);

// taps_Q: in, b0..bn (n = mem->order), Q `shift`.
// shift: in, right shift applied to the sum.
// mem: in/out, holds the 16-bit inputs.
// samples: in/out, count values filtered in place; y = (sum b_i x[t-i]) >> shift, kept as 16 bits.
void firFilter(const int32_t* taps_Q, int32_t shift, FilterMemory* mem, int16_t* samples, int32_t count);

// coeffs_Q: in, a0..an (a0 unused), Q `shift`.
// shift: in, right shift applied to the feedback sum.
// mem: in/out, holds the full 32-bit outputs.
// samples: in/out, count values; y = x - ((sum_{i>=1} a_i y[t-i]) >> shift), stored as 16 bits.
// Returns the sum of |y| over the 32-bit outputs (wrapping).
int32_t allPoleFilter(const int32_t* coeffs_Q, int32_t shift, FilterMemory* mem, int16_t* samples, int32_t count);

// allPoleFilter(firstA_Q), then firFilter(tilt_Q) of order 1, then
// allPoleFilter(secondA_Q), all with `shift`, in one pass over the samples.
// Returns the sum of |y| of the last filter.
int32_t allPoleTiltAllPole(const int32_t* firstA_Q, const int32_t* tilt_Q, const int32_t* secondA_Q, int32_t shift,
                           FilterMemory* first, FilterMemory* tilt, FilterMemory* second, int16_t* samples,
                           int32_t count);

// coeffs_Q12: in, count coefficients. weights_Q16: in, count weights.
// out_Q12: out, count values a_i * w_i >> 16 (exact for weights 0..65536).
void weightCoefficients(const int32_t* coeffs_Q12, const int32_t* weights_Q16, int32_t* out_Q12, int32_t count);

}  // namespace tts
