// The everyday reading (TTSC_SET_READING = TTS_READING_EVERYDAY): what a
// language reads differently from its literal reading, as data and a few
// language functions. The normaliser consults it only for handles that asked
// for the everyday reading; the literal reading never touches it.
#pragma once
#include <cstdint>
#include "text/recognisers.h"
#include "text/text_language.h"

namespace tts {

// How an abbreviation behaves at a full stop.
enum AbbreviationKind : uint8_t {
  kAbbrevBeforeName,  // title, street or reference word: a name or number follows, never a sentence end
  kAbbrevPlain,       // may close a sentence: it does when a capital letter or the end of the text follows
};

// An abbreviation as written (letter runs exactly as typed, '.' and '/' as
// they stand; spaces in `written` are optional in the text) and as spoken.
struct Abbreviation {
  const char16_t* written;  // u"Sr.", u"a. m.", u"m.in.", u"C/"
  const char16_t* spoken;
  uint8_t kind;             // AbbreviationKind
};

struct EverydayReading {
  char16_t decimalMark;     // ',' in all three languages
  char16_t thousandsMark;   // '.'
  bool spaceGroups;         // "12 400": a space may separate groups of three digits
  bool ordinalBeforeWord;   // "7. miejsce": a number, '.' and a lower-case word make an ordinal
  bool percentSignFirst;    // "%25" is a percentage
  bool suffixAfterApostrophe;  // "10.30'da": the suffix joins the number's last word
  TextChain chain;          // replaces the full chain
  Verbalisers say;          // replaces the literal verbalisers
  // Digits one by one, without pauses (codes, leading zeros, very long numbers).
  int32_t (*sayDigits)(TextWriter* w, const char16_t* digits);
  // Ordinal of a number token. `marker`: the Spanish indicator ('º', 'ª' or
  // 'r' for "er") or 0; `nextWord`: the word that follows, or null.
  int32_t (*sayOrdinal)(TextWriter* w, const char16_t* number, char16_t marker, const char16_t* nextWord);
  // Which of QuantityWords::forms a number text takes.
  int32_t (*countForm)(const char16_t* number);
  const Abbreviation* abbreviations;
  int32_t abbreviationCount;
  const QuantityWords* units;  // tried in order: longer spellings first
  int32_t unitCount;
};

extern const EverydayReading kEverydayEs;
extern const EverydayReading kEverydayPl;
extern const EverydayReading kEverydayTr;

// Longest integer the everyday reading says as a number; longer ones are read digit by digit.
constexpr int32_t kEverydayMaxDigits = 15;

// What the normaliser knows of each token besides its text and class (arrays
// of the token table's length): whether whitespace precedes it in the host
// text, and the host text it was read from. Joining tokens joins these too.
struct TokenContext {
  uint8_t* spaceBefore;
  int32_t* sourceStart;  // first host unit ('-' or '#' included)
  int32_t* sourceEnd;    // one past the last host unit
};

// Before the chain runs: joins "12 400" into one number and marks digit
// groups that make codes or phone numbers (TC_CODE).
void groupEverydayNumbers(const EverydayReading* ev, TokenTable* t, TokenContext* gaps);

// The everyday forms tried at token d before the chain (abbreviations,
// leading '%', ordinals, units). Returns the tokens claimed, 0 for none.
int32_t runEverydayForms(const TextLanguage* lang, const EverydayReading* ev, const TokenTable* t,
                         const TokenContext* gaps, int32_t d, TextWriter* w);

// A number token read by the everyday reading: a cardinal agreeing with the
// next token, or digit by digit for codes, leading zeros and long numbers.
int32_t sayEverydayNumber(const EverydayReading* ev, const TokenTable* t, int32_t d, TextWriter* w);

// "a las 10.30.": a dotted time whose full stop after the minutes ends the
// sentence (the literal recogniser refuses a '.' after the minutes).
int32_t matchTimeDotBeforeStop(const TokenTable* t, const TokenContext* gaps, int32_t d, Scratch* s);

// Number, then the unit in the form the number asks for.
int32_t sayQuantity(const EverydayReading* ev, TextWriter* w, const char16_t* number, const QuantityWords* unit);

bool isUpperLetter(char16_t c);

}  // namespace tts
