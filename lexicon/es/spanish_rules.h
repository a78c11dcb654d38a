// Spanish letter-to-sound rules for one word written in internal letter codes
// (spanish_letters.h), lower case: consonant rules, vowel grouping into
// diphthongs, glides and hiatus, and stress.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace corvum {
namespace es {

// Longest word the rules take; longer input is cut to this many letters.
constexpr std::size_t kMaxRuleLetters = 1024;

enum class StressMark {
  kLexical,    // "1" on the stressed syllable
  kSecondary,  // "2" on the stressed syllable
  kNone,       // no stress digit (unstressed function words)
};

// Appends the symbols of `letters` to `out`, space-separated (a space first
// when `out` is not empty). Returns the number of symbols appended.
int spanishLetterToSound(std::string_view letters, StressMark stress, std::string& out);

// Number of syllables (vowel nuclei) of `letters`.
int spanishSyllableCount(std::string_view letters);

}  // namespace es
}  // namespace corvum
