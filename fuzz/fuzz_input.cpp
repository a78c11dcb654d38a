#include "fuzz_input.h"

namespace voxa_fuzz {

std::u16string lenientUtf16(const std::string& bytes) {
  std::u16string out;
  const size_t n = bytes.size();
  for (size_t i = 0; i < n;) {
    const auto c = static_cast<uint8_t>(bytes[i]);
    int extra = 0;
    uint32_t cp = c;
    if (c >= 0xC2 && c <= 0xDF) { extra = 1; cp = c & 0x1F; }
    else if (c >= 0xE0 && c <= 0xEF) { extra = 2; cp = c & 0x0F; }
    else if (c >= 0xF0 && c <= 0xF4) { extra = 3; cp = c & 0x07; }
    bool ok = extra > 0;
    for (int k = 1; ok && k <= extra; ++k) {
      if (i + static_cast<size_t>(k) >= n) { ok = false; break; }
      const auto t = static_cast<uint8_t>(bytes[i + static_cast<size_t>(k)]);
      if ((t & 0xC0) != 0x80) ok = false;
      else cp = (cp << 6) | (t & 0x3F);
    }
    if (extra == 0 || !ok || cp > 0x10FFFF) {
      out.push_back(static_cast<char16_t>(c));
      ++i;
      continue;
    }
    i += static_cast<size_t>(extra) + 1;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

std::u16string rawUtf16(const std::string& bytes) {
  std::u16string out;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2)
    out.push_back(static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) |
                                        (static_cast<uint16_t>(static_cast<uint8_t>(bytes[i + 1])) << 8)));
  return out;
}

}  // namespace voxa_fuzz
