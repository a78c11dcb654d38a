// Two's-complement 32-bit helpers: products and sums that wrap like the
// target's 32-bit registers instead of overflowing into undefined behaviour.
#pragma once
#include <cstdint>

namespace tts {

inline int32_t mul32(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}
inline int32_t add32(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t sub32(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
inline int32_t abs32(int32_t a) { return a < 0 ? sub32(0, a) : a; }

inline int16_t sat16(int32_t x) {
  return static_cast<int16_t>(x > 32767 ? 32767 : (x < -32768 ? -32768 : x));
}
inline int32_t clamp32(int32_t x, int32_t lo, int32_t hi) { return x < lo ? lo : (x > hi ? hi : x); }

}  // namespace tts
