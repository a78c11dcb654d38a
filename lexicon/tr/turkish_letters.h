// Turkish spelling: folding UTF-16 text to lower-case Turkish letters (with the
// Turkish dotted/dotless i rules), and splitting a word into letter and digit runs.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace corvum {
namespace tr {

// One run of a word: letters (lower-case Turkish letters plus q, w, x) or digits.
struct Run {
  enum Kind { kLetters, kDigits };
  enum Role {
    kPlain,             // a run of its own
    kApostropheStem,    // letters before an apostrophe: a proper name or acronym
    kApostropheSuffix,  // letters after an apostrophe: suffixes, never stressed
  };
  Kind kind = kLetters;
  Role role = kPlain;
  bool allCaps = false;  // every letter was written as a capital
  std::u16string text;   // lower-case letters, or ASCII digits
};

bool isVowel(char16_t lower);  // a e ı i o ö u ü
int countVowels(std::u16string_view lower);

// Splits `word` into runs. Circumflex vowels fold to plain ones (â→a, î→i,
// û→u), accented Latin letters to their nearest Turkish letter, decomposed
// diacritics (cedilla, breve, diaeresis, dot above) combine with their base;
// any other character separates runs. An apostrophe between letters marks a
// stem and its suffixes. The runs are the first ones of `runs`, whose
// elements are reused from earlier calls; returns how many there are.
size_t splitWord(std::u16string_view word, std::vector<Run>& runs);

}  // namespace tr
}  // namespace corvum
