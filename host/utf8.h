// UTF-8 to UTF-16 conversion for the host program, with the position of the
// first invalid byte for error messages.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace voxa {

struct Utf8Error {
  size_t byteOffset = 0;  // offset of the first byte of the bad sequence
  size_t line = 1;        // 1-based line of that byte
  size_t column = 1;      // 1-based column (in code points) of that byte
};

// Converts `text`; false (and `error` filled) on invalid UTF-8: bad lead or
// continuation bytes, overlong forms, surrogates, code points above U+10FFFF.
bool utf8ToUtf16(std::string_view text, std::u16string& out, Utf8Error& error);

}  // namespace voxa
