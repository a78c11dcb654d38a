// Spanish verbalisers: numbers, dates, times, percentages, money and
// addresses written out in Spanish words.
#pragma once
#include <cstdint>
#include "text/text_language.h"

namespace tts {
namespace es {

// Each verbaliser appends to `w` (length-only or writing pass alike) and
// returns the units appended. Inputs are NUL-terminated UTF-16 token or
// scratch texts; number texts use ',' as the decimal mark and no thousands marks.

// Agreement classes of a following word: 0 none, 1 masculine, 2 feminine, 3 other.
int32_t agreementClass(const char16_t* word);
int32_t sayCardinal(TextWriter* w, const char16_t* number, int32_t agreement);
int32_t sayDigits(TextWriter* w, const char16_t* text, int32_t agreement);
int32_t sayDigitString(TextWriter* w, const char16_t* token);
int32_t sayNumber(TextWriter* w, const char16_t* token, const char16_t* nextToken);
int32_t sayDate(TextWriter* w, const char16_t* day, const char16_t* month, const char16_t* year);
int32_t sayTime(TextWriter* w, const char16_t* hour, const char16_t* minutes, const char16_t* meridiem);
// 0 for exactly one (or minus one), 1 otherwise.
int32_t countForm(const char16_t* number);

extern const AddressWords kAddressWords;
extern const MoneyWords kMoneyWords;

// The everyday reading: accents, "y", feminine hundreds, up to 15 digits
// ("billón"), decimals of one or two digits as a number.
int32_t sayCardinalEveryday(TextWriter* w, const char16_t* number, int32_t agreement);
int32_t sayDateEveryday(TextWriter* w, const char16_t* day, const char16_t* month, const char16_t* year);
int32_t sayTimeEveryday(TextWriter* w, const char16_t* hour, const char16_t* minutes, const char16_t* meridiem);
// Agreeing with the next word; whole millions add "de" before a noun.
int32_t sayNumberEveryday(TextWriter* w, const char16_t* token, const char16_t* nextToken);
// Digits one by one, separated by spaces.
int32_t sayDigitsEveryday(TextWriter* w, const char16_t* digits);
// Ordinal of a number token: marker 'º' masculine, 'ª' feminine, 'r' short
// masculine ("primer", "tercer"); 1..99, larger numbers as a cardinal.
int32_t sayOrdinalEveryday(TextWriter* w, const char16_t* number, char16_t marker, const char16_t* nextWord);


}  // namespace es
}  // namespace tts
