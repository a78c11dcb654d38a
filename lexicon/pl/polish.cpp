// Polish pronunciations: splits a word into letter and digit runs, lower-cases
// the letters (folding foreign Latin letters onto Polish ones) and reads each
// run as a word, as letter names, or as number words.
#include "language_rules.h"
#include "pl/polish_internal.h"

namespace corvum {
namespace pl {

namespace {

// Longest word read; the engine's pronunciation buffer cannot hold more anyway.
constexpr size_t kMaxWordUnits = 256;

// Base letters of U+00C0..U+00FF (lower-case), 0 for non-letters.
constexpr char kLatin1Base[64 + 1] =
    "aaaaaaaceeeeiiii"  // C0..CF
    "dnooooo\0ouuuuyts"  // D0..DF (D7 multiplication sign, DE thorn, DF sharp s)
    "aaaaaaaceeeeiiii"  // E0..EF
    "dnooooo\0ouuuuyty"; // F0..FF (F7 division sign)

struct Letter {
  char16_t lower;  // Polish lower-case letter; 0 when the unit is not a letter
  bool upper;
};

Letter foldLetter(char16_t c) {
  if (c >= u'a' && c <= u'z') return {c, false};
  if (c >= u'A' && c <= u'Z') return {static_cast<char16_t>(c + 32), true};
  switch (c) {
    case u'ą': case u'ć': case u'ę': case u'ł': case u'ń': case u'ó': case u'ś': case u'ź': case u'ż':
      return {c, false};
    case u'Ą': return {u'ą', true};
    case u'Ć': return {u'ć', true};
    case u'Ę': return {u'ę', true};
    case u'Ł': return {u'ł', true};
    case u'Ń': return {u'ń', true};
    case u'Ó': return {u'ó', true};
    case u'Ś': return {u'ś', true};
    case u'Ź': return {u'ź', true};
    case u'Ż': return {u'ż', true};
    // Neighbouring alphabets' letters, read with the nearest Polish letter.
    case u'č': return {u'c', false};  // approximations of Czech/Slovak/Turkish letters
    case u'Č': return {u'c', true};
    case u'š': case u'ş': return {u's', false};
    case u'Š': case u'Ş': return {u's', true};
    case u'ž': return {u'ż', false};
    case u'Ž': return {u'ż', true};
    case u'ř': return {u'ż', false};
    case u'ğ': return {u'g', false};
    case u'ı': return {u'y', false};
    case u'İ': return {u'i', true};
    case u'ő': return {u'o', false};
    case u'ű': return {u'u', false};
    default:
      break;
  }
  if (c >= 0xC0 && c <= 0xFF) {
    const char base = kLatin1Base[c - 0xC0];
    if (base == 0) return {0, false};
    return {static_cast<char16_t>(base), c < 0xE0};
  }
  return {0, false};
}

bool isPolishVowel(char16_t c) {
  switch (c) {
    case u'a': case u'e': case u'i': case u'o': case u'u': case u'y': case u'ą': case u'ę': case u'ó':
      return true;
    default:
      return false;
  }
}

// One run of letters: a word, an acronym, a single letter or a vowel-less
// abbreviation ("www", "pkp").
void appendLetterRun(const char16_t* letters, int n, bool allUpper, std::string& out) {
  bool hasVowel = false;
  for (int k = 0; k < n; ++k) hasVowel = hasVowel || isPolishVowel(letters[k]);
  if (n == 1) {
    // The one-letter words: the conjunctions and prepositions a, i, o, u, w, z.
    const char16_t c = letters[0];
    if (c == u'w') {
      if (!out.empty() && out.back() != ' ') out.push_back(' ');
      out.append("v");
    } else if (c == u'z') {
      if (!out.empty() && out.back() != ' ') out.push_back(' ');
      out.append("z");
    } else {
      appendSpelled(letters, n, out);  // a, i, o, u are their own names
    }
    return;
  }
  // Capitals read as letters up to five of them; longer ones are words set in capitals.
  if (!hasVowel || (allUpper && n <= 5 && !capitalsSaidAsWord(letters, n))) {
    appendSpelled(letters, n, out);
    return;
  }
  appendWord(letters, n, out);
}

}  // namespace

void appendWord(const char16_t* letters, int n, std::string& out) {
  if (const char* fixed = exceptionPronunciation(letters, n)) {
    if (!out.empty() && out.back() != ' ') out.push_back(' ');
    out.append(fixed);
    return;
  }
  Phone phones[kMaxPhones];
  const int count = transcribe(letters, n, phones);
  appendPhones(phones, count, stressedVowel(letters, n, phones, count), out);
}

}  // namespace pl

bool pronouncePolish(std::u16string_view word, std::string& out) {
  using namespace pl;
  const size_t before = out.size();
  if (word.size() > kMaxWordUnits) word = word.substr(0, kMaxWordUnits);
  char16_t run[kMaxLetters];
  int runLength = 0;
  bool runUpper = true;
  bool runDigits = false;
  auto flush = [&]() {
    if (runLength == 0) return;
    if (runDigits)
      appendDigits(run, runLength, out);
    else
      appendLetterRun(run, runLength, runUpper, out);
    runLength = 0;
    runUpper = true;
  };
  for (char16_t c : word) {
    const bool digit = c >= u'0' && c <= u'9';
    const Letter letter = digit ? Letter{0, false} : foldLetter(c);
    if (!digit && letter.lower == 0) {  // punctuation, symbols, other scripts, surrogates
      flush();
      continue;
    }
    if (runLength > 0 && (runDigits != digit || runLength == kMaxLetters)) flush();
    runDigits = digit;
    if (digit) {
      run[runLength++] = c;
    } else {
      run[runLength++] = letter.lower;
      runUpper = runUpper && letter.upper;
    }
  }
  flush();
  return out.size() > before;
}

}  // namespace corvum
