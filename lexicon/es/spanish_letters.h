// Spanish view of UTF-16 characters: every Latin letter folded to one
// internal letter code, with its case. Internal codes are plain ASCII so that
// words, exception keys and respellings can be written as ordinary strings:
// 'a'..'z' the plain letters, and
//   'A' á  'E' é  'I' í  'O' ó  'U' ú   (accent mark: the stressed vowel)
//   'W' ü  (diaeresis: the u is pronounced)
//   'N' ñ  'C' ç
#pragma once
#include <cstdint>

namespace corvum {
namespace es {

struct FoldedLetter {
  char code;   // internal letter code, 0 when the character is not a letter
  bool upper;  // written as a capital
};

// Folds one UTF-16 code unit. Letters of other Latin alphabets fold to their
// base letter (à → á, ł → l, ş → s); anything that is not a Latin letter gives code 0.
FoldedLetter foldSpanishLetter(char16_t c);

// A letter code with a combining mark (U+0300..U+036F) applied: acute or
// grave on a vowel gives the accented vowel, tilde on n gives ñ, diaeresis on
// u gives ü; any other pair leaves the letter unchanged.
char combineMark(char code, char16_t mark);

inline bool isSpanishDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Vowel letters: a e i o u, their accented forms, ü. 'y' is not included.
inline bool isVowelCode(char c) {
  switch (c) {
    case 'a': case 'e': case 'i': case 'o': case 'u':
    case 'A': case 'E': case 'I': case 'O': case 'U': case 'W':
      return true;
    default:
      return false;
  }
}

inline bool isAccentedCode(char c) { return c == 'A' || c == 'E' || c == 'I' || c == 'O' || c == 'U'; }

}  // namespace es
}  // namespace corvum
