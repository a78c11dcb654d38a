#include "text/ascii_case.h"

namespace tts {

int32_t lowerAsciiInto(const char16_t* text, char16_t* out, int32_t capacity) {
  int32_t n = 0;
  for (; text != nullptr && text[n] != 0 && n < capacity - 1; ++n) {
    const char16_t c = text[n];
    out[n] = c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
  }
  out[n] = 0;
  return n;
}

}  // namespace tts
