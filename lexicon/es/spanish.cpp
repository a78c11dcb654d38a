// Spanish pronunciations: the word is cut into runs of letters and of digits;
// letter runs are read by rule (or spelled out as letter names when they are
// acronyms or have no vowel), digit runs as number words.
#include <cstddef>

#include "es/spanish_letters.h"
#include "es/spanish_numbers.h"
#include "es/spanish_rules.h"
#include "es/spanish_words.h"
#include "language_rules.h"

namespace corvum {
namespace {

using es::StressMark;

// Longest acronym written in capitals that is spelled out; longer words in
// capitals with a vowel are read as words (UNESCO, ATENCIÓN).
constexpr std::size_t kMaxSpelledCapitals = 4;

bool endsWith(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

// An adverb in -mente keeps the stress of its adjective and stresses "men" too.
bool isMenteAdverb(std::string_view word) {
  if (!endsWith(word, "mente") || word.size() < 8) return false;
  const std::string_view stem = word.substr(0, word.size() - 5);
  switch (stem.back()) {
    case 'a': case 'e': case 'l': case 'z': case 'n': case 's': case 'r':
      break;
    default:
      return false;
  }
  return es::spanishSyllableCount(stem) >= 2 && !es::isSpanishNonAdverb(word);
}

// One word in internal letter codes, without exception lookup.
void sayRegularWord(std::string_view word, std::string& out) {
  std::size_t prefixLength = 0;
  const std::string_view prefix = es::spanishPrefixRespelling(word, &prefixLength);
  std::string respelled;
  if (!prefix.empty()) {
    respelled.assign(prefix.data(), prefix.size());
    respelled.append(word.substr(prefixLength));
    word = respelled;
  }
  if (isMenteAdverb(word)) {
    es::spanishLetterToSound(word.substr(0, word.size() - 5), StressMark::kLexical, out);
    es::spanishLetterToSound("mente", StressMark::kSecondary, out);
    return;
  }
  const bool clitic = es::isSpanishClitic(word);
  es::spanishLetterToSound(word, clitic ? StressMark::kNone : StressMark::kLexical, out);
}

// Space-separated respelled words.
void sayWords(std::string_view words, std::string& out) {
  while (!words.empty()) {
    const std::size_t space = words.find(' ');
    const std::string_view word = words.substr(0, space);
    if (!word.empty()) sayRegularWord(word, out);
    if (space == std::string_view::npos) break;
    words.remove_prefix(space + 1);
  }
}

void spell(std::string_view letters, std::string& out) {
  for (char code : letters) sayWords(es::spanishLetterName(code), out);
}

bool hasVowel(std::string_view letters) {
  for (char code : letters) {
    if (es::isVowelCode(code) || code == 'y') return true;
  }
  return false;
}

// A run of letters in internal codes; `capitals` of them written as capitals.
void sayLetters(std::string_view letters, std::size_t capitals, bool lastIsCapital, std::string& out) {
  if (letters.size() == 1) {
    const char code = letters[0];
    switch (code) {
      case 'a': case 'e': case 'i': case 'o': case 'u':
        es::spanishLetterToSound(letters, StressMark::kNone, out);  // a, e, o, u: function words
        return;
      case 'y':
        es::spanishLetterToSound("i", StressMark::kNone, out);  // the conjunction
        return;
      default:
        spell(letters, out);
        return;
    }
  }
  const std::string_view respelled = es::spanishRespelling(letters);
  if (!respelled.empty()) {
    sayWords(respelled, out);
    return;
  }
  const bool allCapitals = capitals == letters.size();
  // plural of an acronym: CDs, ONGs
  if (!allCapitals && capitals + 1 == letters.size() && !lastIsCapital && letters.back() == 's' &&
      capitals <= kMaxSpelledCapitals) {
    spell(letters.substr(0, letters.size() - 1), out);
    es::spanishLetterToSound("s", StressMark::kNone, out);
    return;
  }
  if (!hasVowel(letters)) {
    spell(letters, out);
    return;
  }
  if (allCapitals && letters.size() <= kMaxSpelledCapitals && !es::isSpanishCapitalsWord(letters)) {
    spell(letters, out);
    return;
  }
  sayRegularWord(letters, out);
}

void sayDigits(std::string_view digits, std::string& out) {
  std::string words;
  es::spanishNumberWords(digits, words);
  sayWords(words, out);
}

}  // namespace

bool pronounceSpanish(std::u16string_view word, std::string& out) {
  if (word.size() > es::kMaxRuleLetters) word = word.substr(0, es::kMaxRuleLetters);
  const std::size_t start = out.size();
  std::string& pron = out;  // each symbol appends itself after a space when `out` is not empty
  char letters[es::kMaxRuleLetters];
  char digits[es::kMaxRuleLetters];
  std::size_t letterCount = 0;
  std::size_t digitCount = 0;
  std::size_t capitals = 0;
  bool lastIsCapital = false;
  auto flushLetters = [&]() {
    if (letterCount > 0) sayLetters(std::string_view(letters, letterCount), capitals, lastIsCapital, pron);
    letterCount = 0;
    capitals = 0;
  };
  auto flushDigits = [&]() {
    if (digitCount > 0) sayDigits(std::string_view(digits, digitCount), pron);
    digitCount = 0;
  };
  for (char16_t c : word) {
    if (es::isSpanishDigit(c)) {
      flushLetters();
      digits[digitCount++] = static_cast<char>(c);
      continue;
    }
    const es::FoldedLetter folded = es::foldSpanishLetter(c);
    if (folded.code != '\0') {
      flushDigits();
      letters[letterCount++] = folded.code;
      if (folded.upper) ++capitals;
      lastIsCapital = folded.upper;
      continue;
    }
    if (c == u'\'' || c == u'\u2019') continue;  // O'Donnell: the apostrophe joins
    if (c >= 0x0300 && c <= 0x036F) {
      // combining marks (decomposed text): acute, tilde and diaeresis join
      // the letter before them; other marks are dropped
      if (letterCount > 0) letters[letterCount - 1] = es::combineMark(letters[letterCount - 1], c);
      continue;
    }
    flushLetters();
    flushDigits();
  }
  flushLetters();
  flushDigits();
  return out.size() > start;
}

}  // namespace corvum
