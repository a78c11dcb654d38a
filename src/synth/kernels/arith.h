// Scalar kernels: integer square root, reciprocal-table division, noise.
#pragma once
#include <cstdint>

namespace tts {

// R[0] = 0, R[1] = 65535, R[n] = 65536 / n.
extern const uint16_t kReciprocalTable[512];

// a: in, value to root (negative values give 0). Returns the root rounded to nearest.
int32_t isqrt32(int32_t a);

// a: in, numerator. b: in, denominator. Returns the table quotient, truncated
// about zero; a denominator of magnitude 0 or 1 returns the numerator.
int32_t divApprox(int32_t a, int32_t b);

// state: in/out, 31-bit Lehmer state (16807 * state mod 2^31-1); 0 stays 0.
// Returns the new state's upper bits, 0..32767.
int32_t noiseNext(int32_t* state);

// state: in/out, as for noiseNext. out: count values (noiseNext - 16384) >> 7,
// the generator's output centred on zero, -128..127.
void noiseFill(int32_t* state, int16_t* out, int32_t count);

}  // namespace tts
