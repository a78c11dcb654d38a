// Polish verbalisers: numbers, ordinals, dates, times, percentages, amounts
// and addresses written out in Polish words.
#pragma once
#include <cstdint>
#include "text/text_language.h"

namespace tts {
namespace pl {

// Each verbaliser appends to `w` (length-only or writing pass alike) and
// returns the units appended. Inputs are NUL-terminated UTF-16 token or
// scratch texts; number texts use ',' as the decimal mark and carry no
// thousands marks. Null inputs write nothing.

// Grammatical forms of an ordinal.
enum OrdinalForm : int32_t {
  kOrdinalMasculine = 0,  // nominative masculine: "pierwszy"
  kOrdinalGenitive = 1,   // genitive: "pierwszego" (dates)
  kOrdinalFeminine = 2,   // nominative feminine: "pierwsza" (hours)
  kOrdinalNeuter = 3,     // nominative neuter: "pierwsze" (everyday ordinals)
  kOrdinalFeminineAccusative = 4,  // "pierwszą"
  kOrdinalLocative = 5,            // masculine and neuter locative: "pierwszym"
  kOrdinalFeminineLocative = 6,    // "pierwszej"
};

// Noun forms after a number: nominative singular after 1, nominative plural
// after 2-4 (not 12-14), genitive plural otherwise, and genitive singular
// after a number with decimals.
enum CountForm : int32_t {
  kCountOne = 0,              // exactly 1
  kCountFew = 1,              // last digit 2-4, except 12-14
  kCountMany = 2,             // anything else, 0 included
  kCountFraction = 3,         // any digits after the decimal mark
};

// Which noun form a number text asks for (sign ignored).
int32_t countForm(const char16_t* number);
// Cardinal of a group value 0..999 (above 999: nothing).
int32_t sayBelowThousand(TextWriter* w, int32_t value);
// Ordinal of 1..99 in `form`; values outside that range write nothing.
int32_t sayOrdinal(TextWriter* w, int32_t value, int32_t form);

int32_t sayCardinal(TextWriter* w, const char16_t* number, int32_t agreement);  // agreement unused
int32_t sayDigitString(TextWriter* w, const char16_t* token);
int32_t sayNumber(TextWriter* w, const char16_t* token, const char16_t* nextToken);
int32_t sayDate(TextWriter* w, const char16_t* day, const char16_t* month, const char16_t* year);
int32_t sayTime(TextWriter* w, const char16_t* hour, const char16_t* minutes, const char16_t* meridiem);

extern const AddressWords kAddressWords;
extern const MoneyWords kMoneyWords;

// The everyday reading: decimals of up to three digits as a number, no pauses.
int32_t sayCardinalEveryday(TextWriter* w, const char16_t* number, int32_t agreement);
int32_t sayNumberEveryday(TextWriter* w, const char16_t* token, const char16_t* nextToken);
int32_t sayDigitsEveryday(TextWriter* w, const char16_t* digits);
// Form of an ordinal before `word`, from the word's last letters: 'a'
// feminine ("trzecia klasa"), 'ę' feminine accusative ("trzecią klasę"), 'o',
// 'e' or "um" neuter ("siódme miejsce"), 'u' locative ("w pierwszym dniu"),
// "-zie", "-sie", "-wie", "-rze" feminine locative ("w drugiej rundzie"),
// anything else masculine nominative ("pierwszy dzień").
int32_t ordinalFormBefore(const char16_t* word);
// "7. miejsce": 1..99 in the form of the next word; larger numbers as a cardinal.
int32_t sayOrdinalEveryday(TextWriter* w, const char16_t* number, char16_t marker, const char16_t* nextWord);

}  // namespace pl
}  // namespace tts
