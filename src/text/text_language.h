// The text-analysis description of one language: letters, vowels, word lists,
// number marks, recogniser chains, verbalisers and behaviour flags. Each
// deliverable has exactly one (kTextLanguageEs, kTextLanguagePl or
// kTextLanguageTr), reached by common code through kLanguage.text.
#pragma once
#include <cstdint>
#include "model/strings.h"
#include "text/address_reading.h"
#include "text/text_writer.h"

namespace tts {

// How a handle reads its text (TTSC_SET_READING): the literal reading of the
// original formats, or the everyday reading of numbers, number punctuation,
// abbreviations, ordinals and units.
constexpr int32_t kReadingLiteral = 0;
constexpr int32_t kReadingEveryday = 1;

// TokenClass bits.
enum TokenClassBits : int32_t {
  TC_PUNCT = 1,       // a single punctuation or symbol character
  TC_DIGITS = 2,      // a plain digit string (no separators)
  TC_PLAIN = 4,       // an integer without leading zero
  TC_NUMERIC = 8,     // a number token
  TC_NUMBER = 16,     // a number readable as a quantity
  TC_CURRENCY = 32,   // a currency word
  TC_UNIT = 64,       // a currency or unit word
  TC_WORD = 128,      // a letter-run word
  TC_ALPHA = 256,     // a letter-run word
  // Everyday reading only:
  TC_ORDINAL = 512,   // a number with an ordinal indicator ("1.º", "3.ª", "1.er")
  TC_CODE = 1024,     // a digit group of a phone number or code: read digit by digit
  TC_ABBREVIATION = 2048,  // an abbreviation (its tokens joined); its table index above kAbbreviationShift
};
constexpr int32_t kAbbreviationShift = 16;

// Steps of a recogniser chain; punctuation and copy always close a chain.
enum TextStep : uint8_t {
  kStepDateSlash,
  kStepDateDash,
  kStepDateDot,
  kStepTimeH,
  kStepTimeColon,
  kStepTimeDot,
  kStepEmailDomain,
  kStepWebAddress,
  kStepPercent,
  kStepCurrencyAmount,
  kStepAmountUnit,
  kStepDigitString,
  kStepOtherNumber,
};

constexpr int32_t kMaxChainSteps = 16;

struct TextChain {
  uint8_t steps[kMaxChainSteps];  // TextStep values, tried in order
  int32_t count;
};

// Verbalisers append their words to the writer and return the units appended.
struct Verbalisers {
  int32_t (*sayCardinal)(TextWriter* w, const char16_t* number, int32_t agreement);
  int32_t (*sayDigitString)(TextWriter* w, const char16_t* token);
  int32_t (*sayNumber)(TextWriter* w, const char16_t* token, const char16_t* nextToken);  // next may be null
  int32_t (*sayDate)(TextWriter* w, const char16_t* day, const char16_t* month, const char16_t* year);
  int32_t (*sayTime)(TextWriter* w, const char16_t* hour, const char16_t* minutes, const char16_t* meridiem);
};

// A currency or unit after a number, and its noun in the form the number asks for.
struct QuantityWords {
  const char16_t* written;   // units: as typed ("km/h", "°C"); currencies: " $ dollar " (ASCII-lowered spellings)
  const char16_t* forms[4];  // by the language's count form of the number
  const char16_t* before;    // said before the number (Turkish "saatte"), or null
  int32_t agreement;         // agreement class the number takes (Spanish gender), 0 elsewhere
};

// Money: known currencies are said in the form their amount asks for; any
// other currency text stays as typed.
struct MoneyWords {
  const QuantityWords* currencies;
  int32_t count;
  int32_t fallback;                              // currency of an amount without currency text, or -1
  int32_t (*countForm)(const char16_t* number);  // index into QuantityWords::forms
  bool dropZeroDecimals;                         // "25,00 €" is said as 25
};

// A percentage: number between the two texts (either may be empty).
struct PercentWords {
  const char16_t* before;
  const char16_t* after;
};

struct EverydayReading;  // text/everyday.h

struct TextLanguage {
  // Letters beyond A-Z and a-z that words may hold (ScanWord) and that the
  // chunker accepts as speakable.
  const char16_t* letters;
  const char16_t* vowels;          // CountVowelGroups
  const char16_t* currencyWords;   // " w1 w2 ... " (ASCII-lowered search), may be empty
  const char16_t* unitWords;       // second list giving TC_UNIT alone, or null
  char16_t decimalMark;            // ',' (es, pl) or '.' (tr)
  char16_t thousandsMark;          // '.' (es, pl) or ',' (tr)
  bool apostropheInWords;          // an apostrophe between letters stays in the word
  TextChain fullChain;             // any text mode but 1, 2, 3, 6
  TextChain timeChain;             // text mode 2
  TextChain dateChain;             // text mode 3
  Verbalisers say;
  PercentWords percent;
  const MoneyWords* money;
  const AddressWords* address;     // e-mail domains and web addresses
  bool addEndEntry;                // an empty entry after a final word
  bool mergeBreaks;                // small-window rule and short-phrase merging of PredictBreaks
  bool lowerOnCopy;                // copied words get their ASCII capitals lowered
  bool silentUnderscore;           // '_' writes no mark, like '-'
  bool stripTrailingMinor;         // the normalised text loses a trailing "|" as well as a space
  int32_t chunkLimit;              // longest chunk, units
  int32_t chunkFloor;              // lowest index searched when backing off
  const EverydayReading* everyday; // the everyday reading of the language
};

extern const TextLanguage kTextLanguageEs;
extern const TextLanguage kTextLanguagePl;
extern const TextLanguage kTextLanguageTr;

// Readings shared by the languages, over their word tables. `say` is the
// verbaliser set in use (the literal one or the everyday one).
int32_t sayPercent(TextWriter* w, const Verbalisers& say, const PercentWords& words, const char16_t* number);
// closingComma: the literal reading ends an amount with ','.
int32_t sayMoney(TextWriter* w, const Verbalisers& say, const MoneyWords& words, const char16_t* number,
                 const char16_t* currency, bool closingComma);

// Helpers shared by the language files.
inline bool isAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
inline bool isAsciiLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool isLanguageLetter(const TextLanguage* lang, char16_t c);  // A-Z, a-z or one of `letters`
inline bool textEquals(const char16_t* a, const char16_t* b) { return wstrCompare(a, b) == 0; }
int32_t digitValue(const char16_t* s);                          // leading digits' value, capped at 1e9
// Writes each digit of `text` as " " + units[digit] + "|" (other units are skipped).
int32_t writeDigitsMarked(TextWriter* w, const char16_t* text, const char16_t* const units[10]);
// Writes each digit of `text` as units[digit], and each '.' as `dotWord`
// (when not null), separated by single spaces: no pauses.
int32_t writeDigitsSpaced(TextWriter* w, const char16_t* text, const char16_t* const units[10],
                          const char16_t* dotWord);

}  // namespace tts
