// Period length change: cross-fade to shorten, overlap with itself to lengthen.
#pragma once
#include <cstdint>

namespace tts {

// x: in, len samples. n: in, new length (>= 0). y: out, n samples (must not alias x).
void changeLength(const int16_t* x, int32_t len, int32_t n, int16_t* y);

}  // namespace tts
