// ASCII case folding of short texts (currency signs and words) into a
// caller's buffer.
#pragma once
#include <cstdint>

namespace tts {

// Copies `text` (NUL-terminated; null reads as empty) into `out` with A-Z
// lowered, at most capacity - 1 units plus the NUL (capacity >= 1).
// Returns the units copied.
int32_t lowerAsciiInto(const char16_t* text, char16_t* out, int32_t capacity);

}  // namespace tts
