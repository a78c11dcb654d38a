#include "synth/kernels/lsf.h"

#include "synth/kernels/fixed_point.h"
#include "synth/kernels/vector_clones.h"

namespace tts {

// Entries are (int)(65536 * f(k/16) + 0.5).
const int32_t kCosineTable_Q16[51][2] = {
    {65536, 0},      {65408, 4093},   {65025, 8171},   {64387, 12216},  {63499, 16214},  {62362, 20148},
    {60982, 24004},  {59363, 27766},  {57513, 31420},  {55439, 34951},  {53147, 38345},  {50649, 41590},
    {47952, 44672},  {45068, 47580},  {42008, 50302},  {38785, 52827},  {35409, 55147},  {31896, 57251},
    {28258, 59131},  {24509, 60781},  {20665, 62193},  {16740, 63362},  {12750, 64284},  {8710, 64955},
    {4636, 65372},   {544, 65534},    {-3550, 65440},  {-7630, 65090},  {-11681, 64487}, {-15686, 63631},
    {-19629, 62527}, {-23496, 61179}, {-27272, 59592}, {-30940, 57772}, {-34488, 55727}, {-37902, 53464},
    {-41167, 50992}, {-44272, 48321}, {-47203, 45461}, {-49950, 42424}, {-52503, 39221}, {-54850, 35866},
    {-56983, 32370}, {-58894, 28747}, {-60574, 25013}, {-62018, 21180}, {-63220, 17265}, {-64175, 13283},
    {-64879, 9248},  {-65330, 5178},  {-65526, 1087},
};

void stabiliseLsf(int16_t* lsf_Q10, int32_t count, int32_t gap_Q10) {
  if (!lsf_Q10 || count <= 0) return;
  if (lsf_Q10[0] < gap_Q10) lsf_Q10[0] = static_cast<int16_t>(gap_Q10);
  if (lsf_Q10[count - 1] > kLsfPi_Q10 - gap_Q10) lsf_Q10[count - 1] = static_cast<int16_t>(kLsfPi_Q10 - gap_Q10);
  for (int32_t i = 1; i <= count - 2; ++i) {
    int32_t v = lsf_Q10[i];
    if (v < lsf_Q10[i - 1] + gap_Q10) v = lsf_Q10[i - 1] + gap_Q10;
    if (v > lsf_Q10[i + 1] - gap_Q10) v = (lsf_Q10[i + 1] + v - gap_Q10) >> 1;
    lsf_Q10[i] = static_cast<int16_t>(v);
  }
}

static inline int32_t cosineOf(int32_t x_Q10) {
  x_Q10 = clamp32(x_Q10, 0, kLsfPi_Q10);
  const int32_t k = (x_Q10 + 32) >> 6;
  const int32_t delta = x_Q10 - 64 * k;  // -32 .. 31, Q10 rad
  const int32_t c = kCosineTable_Q16[k][0];
  const int32_t s = kCosineTable_Q16[k][1];
  // c - d*(s + d*(c - d*s/3)/2), each product of d brought back by 2^10.
  int32_t t = (delta * s) >> 10;
  t = (t * 21845) >> 16;
  t = (delta * (c - t)) >> 10;
  t = (delta * (s + (t >> 1))) >> 10;
  return c - t;
}

int32_t cosineQ16(int32_t x_Q10) { return cosineOf(x_Q10); }

// The table reads become vector gathers in the AVX2 copy.
VOXA_VECTOR_CLONES
void cosinesQ16(const int16_t* lsf_Q10, int32_t count, int32_t* cos_Q16) {
  for (int32_t i = 0; i < count; ++i) cos_Q16[i] = cosineOf(lsf_Q10[i]);
}

// floor(v * c / 2^15) within 32 bits for |c| <= 2^16: v is split into its
// low 15 bits and the rest.
static inline int32_t mulQ15(int32_t v, int32_t c) {
  return ((v & 0x7fff) * c >> 15) + mul32(v >> 15, c);
}

// Both branches at once over kWidth coefficients (kWidth >= order + 2): an
// impulse passed through each section 1 - c z^-1 + z^-2 in turn, then through
// (1 + z^-1) for P and (1 - z^-1) for Q. A branch of s sections has degree 2s
// <= order + 1, so the coefficients past order + 1 stay 0. Each step reads
// the previous polynomial whole and writes a new one: whole-vector loops.
// Every buffer has two leading zeros so that t-1 and t-2 need no test.
template <int32_t kWidth>
VOXA_VECTOR_CLONES static void predictorWidth(const int32_t* cos_Q16, int32_t order, int32_t* a_Q12) {
  int32_t bufP[2][kWidth + 2] = {};
  int32_t bufQ[2][kWidth + 2] = {};
  bufP[0][2] = 1 << 20;
  bufQ[0][2] = 1 << 20;
  int32_t curP = 0;
  int32_t curQ = 0;
  for (int32_t i = 0; i < order; ++i) {
    const int32_t c = cos_Q16[i];
    const int32_t odd = i & 1;
    const int32_t* from = odd ? bufQ[curQ] : bufP[curP];
    int32_t* to = odd ? bufQ[1 - curQ] : bufP[1 - curP];
    for (int32_t t = 0; t < kWidth; ++t) {
      to[t + 2] = add32(sub32(from[t + 2], mulQ15(from[t + 1], c)), from[t]);
    }
    if (odd) {
      curQ = 1 - curQ;
    } else {
      curP = 1 - curP;
    }
  }
  // a_k = ((P_k + P_{k-1}) + (Q_k - Q_{k-1})) >> 9, the sums wrapping.
  const int32_t* p = bufP[curP] + 2;
  const int32_t* q = bufQ[curQ] + 2;
  for (int32_t k = 0; k <= order; ++k) {
    const int32_t pk = add32(p[k], p[k - 1]);
    const int32_t qk = sub32(q[k], q[k - 1]);
    a_Q12[k] = add32(pk, qk) >> 9;
  }
}

void lsfToPredictor(const int32_t* cos_Q16, int32_t order, int32_t* a_Q12) {
  if (!cos_Q16 || !a_Q12 || order < 0) return;
  if (order > kMaxLpcOrder) order = kMaxLpcOrder;
  if (order <= 6) {
    predictorWidth<8>(cos_Q16, order, a_Q12);
  } else if (order <= 14) {
    predictorWidth<16>(cos_Q16, order, a_Q12);
  } else {
    predictorWidth<24>(cos_Q16, order, a_Q12);
  }
}

void reflectionCoefficients(const int32_t* a_Q12, int32_t order, int32_t* refl_Q12) {
  if (!a_Q12 || !refl_Q12 || order <= 0) return;
  if (order > kMaxLpcOrder) order = kMaxLpcOrder;
  int32_t a[kMaxLpcOrder + 1];
  int32_t next[kMaxLpcOrder + 1];
  a[0] = 4096;
  for (int32_t i = 1; i <= order; ++i) a[i] = a_Q12[i] == INT32_MIN ? -INT32_MAX : a_Q12[i];
  for (int32_t m = order; m >= 1; --m) {
    const int32_t k = -a[m];
    refl_Q12[m - 1] = k;
    const int32_t e = 4096 - (mul32(k, k) >> 12);
    if (e == 0) {
      for (int32_t i = 0; i < order; ++i) refl_Q12[i] = 0;
      return;
    }
    // The numerator passes 32 bits for sharp high-order predictors (|a| beyond
    // 2^19 in Q12): it is kept in 64 bits so that k1 stays the true coefficient.
    for (int32_t i = 1; i < m; ++i) {
      const int64_t num = static_cast<int64_t>(a[i]) * 4096 + static_cast<int64_t>(k) * a[m - i];
      const int64_t q = num / e;
      // Clamped symmetrically so that the next step can always negate it.
      next[i] = static_cast<int32_t>(q > INT32_MAX ? INT32_MAX : (q < -INT32_MAX ? -INT32_MAX : q));
    }
    for (int32_t i = 1; i < m; ++i) a[i] = next[i];
  }
}

}  // namespace tts
