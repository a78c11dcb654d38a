// Line-spectral frequencies: stabilisation, cosine, conversion to a direct-form
// predictor, and the step-down recursion to reflection coefficients.
#pragma once
#include <cstdint>

namespace tts {

constexpr int32_t kLsfPi_Q10 = 3216;     // pi in Q10 radians
constexpr int32_t kMaxLpcOrder = 18;

// (cos, sin) of k/16 rad in Q16, k = 0..50.
extern const int32_t kCosineTable_Q16[51][2];

// lsf_Q10: in/out, count LSFs (Q10 rad), stabilised in place.
// gap_Q10: in, minimum spacing and distance from 0 and pi.
void stabiliseLsf(int16_t* lsf_Q10, int32_t count, int32_t gap_Q10);

// x_Q10: in, angle in Q10 rad (clamped to 0..pi). Returns cos in Q16.
int32_t cosineQ16(int32_t x_Q10);

// lsf_Q10: in, count angles (Q10 rad). cos_Q16: out, count cosineQ16 values.
void cosinesQ16(const int16_t* lsf_Q10, int32_t count, int32_t* cos_Q16);

// cos_Q16: in, K cosines of the LSFs (Q16, read as 2cos in Q15), K even, K <= 18.
// a_Q12: out, K+1 predictor coefficients, a_Q12[0] = 4096, A(z) = 1 + sum a_k z^-k.
void lsfToPredictor(const int32_t* cos_Q16, int32_t order, int32_t* a_Q12);

// a_Q12: in, predictor a0..aK (a0 ignored), K <= 18.
// refl_Q12: out, K reflection coefficients k1..kK (all 0 when the recursion meets 1 - k^2 = 0).
void reflectionCoefficients(const int32_t* a_Q12, int32_t order, int32_t* refl_Q12);

}  // namespace tts
