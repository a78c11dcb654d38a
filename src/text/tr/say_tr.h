// Turkish verbalisers: numbers, dates, times, percentages, money and
// addresses written out in Turkish words.
#pragma once
#include <cstdint>
#include "text/text_language.h"

namespace tts {
namespace tr {

// Each verbaliser appends to `w` (length-only or writing pass alike) and
// returns the units appended. Inputs are NUL-terminated UTF-16 token or
// scratch texts (null reads as empty); number texts use '.' as the decimal
// mark and carry no thousands marks. Turkish numbers take no agreement.

// number: optional '-', integer digits, optional '.' and decimal digits.
// agreement: ignored.
int32_t sayCardinal(TextWriter* w, const char16_t* number, int32_t agreement);
// token: a digit string; small numbers and years as a cardinal, else digit by digit.
int32_t sayDigitString(TextWriter* w, const char16_t* token);
// token: a number token; nextToken: ignored (may be null).
int32_t sayNumber(TextWriter* w, const char16_t* token, const char16_t* nextToken);
// day 1..31, month 1..12, year 2..4 digits (decimal texts).
int32_t sayDate(TextWriter* w, const char16_t* day, const char16_t* month, const char16_t* year);
// hour 0..24, minutes 0..60 (decimal texts); meridiem: not read.
int32_t sayTime(TextWriter* w, const char16_t* hour, const char16_t* minutes, const char16_t* meridiem);

// Nouns after a number stay singular: always form 0.
int32_t countForm(const char16_t* number);

extern const AddressWords kAddressWords;
extern const MoneyWords kMoneyWords;

// The everyday reading: digits one by one without pauses; the ordinal of a
// number token ("üçüncü", "yirmi birinci", "yüzüncü").
int32_t sayDigitsEveryday(TextWriter* w, const char16_t* digits);
int32_t sayOrdinalEveryday(TextWriter* w, const char16_t* number, char16_t marker, const char16_t* nextWord);

}  // namespace tr
}  // namespace tts
