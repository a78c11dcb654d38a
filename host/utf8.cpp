#include "utf8.h"

#include <cstdint>

#include "utf_convert.h"

namespace voxa {

bool utf8ToUtf16(std::string_view text, std::u16string& out, Utf8Error& error) {
  out.clear();
  out.reserve(text.size());
  size_t line = 1, column = 1;
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<uint8_t>(text[i]);
    uint32_t cp;
    size_t extra;
    uint32_t minimum;
    if (lead < 0x80) { cp = lead; extra = 0; minimum = 0; }
    else if ((lead & 0xE0) == 0xC0) { cp = lead & 0x1F; extra = 1; minimum = 0x80; }
    else if ((lead & 0xF0) == 0xE0) { cp = lead & 0x0F; extra = 2; minimum = 0x800; }
    else if ((lead & 0xF8) == 0xF0) { cp = lead & 0x07; extra = 3; minimum = 0x10000; }
    else { error = {i, line, column}; return false; }
    for (size_t k = 1; k <= extra; ++k) {
      if (i + k >= text.size()) { error = {i, line, column}; return false; }
      const auto c = static_cast<uint8_t>(text[i + k]);
      if ((c & 0xC0) != 0x80) { error = {i, line, column}; return false; }
      cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) {
      error = {i, line, column};
      return false;
    }
    voxa_utf::appendUtf16(out, cp);
    if (cp == u'\n') { ++line; column = 1; } else { ++column; }
    i += extra + 1;
  }
  return true;
}

}  // namespace voxa
