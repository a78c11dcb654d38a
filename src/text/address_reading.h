// Reading of e-mail domains, web addresses and digit strings, shared by the
// language verbalisers; each language supplies its words and digit reader.
#pragma once
#include <cstdint>
#include "text/text_writer.h"

namespace tts {

// Writes the digits of a NUL-terminated text one by one in a language's own
// layout (spacing and break marks); returns the units appended.
using DigitReader = int32_t (*)(TextWriter* w, const char16_t* digits);

// A language's words for reading addresses. Every word is written as given,
// followed by a space.
struct AddressWords {
  const char16_t* emailPrefix;  // before an e-mail domain: "at"
  const char16_t* webPrefix;    // before a web address: "http ..."
  const char16_t* www;          // for a "www" or "WWW" piece
  const char16_t* dot;          // for a "." piece
  const char16_t* slash;        // for a "/" piece
  const char16_t* dash;         // for a "-" piece
  DigitReader readDigits;       // for a piece starting with a digit
};

// domain / address: pieces joined by single spaces (null reads as empty).
// Each piece is read, then the trailing space becomes a ','.
int32_t sayAddressEmail(TextWriter* w, const char16_t* domain, const AddressWords& words);
int32_t sayAddressWeb(TextWriter* w, const char16_t* address, const AddressWords& words);

// True when a digit token is read as a cardinal rather than digit by digit:
// 1..4 digits, no sign, no leading zero, and below 100 or a year 1000..2100.
bool digitStringIsCardinal(const char16_t* token);

}  // namespace tts
