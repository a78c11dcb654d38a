// Folding of UTF-16 text to Turkish letters and splitting into runs.
#include "tr/turkish_letters.h"

namespace corvum {
namespace tr {
namespace {

enum CharClass { kOther, kLetter, kDigit, kCombining, kApostrophe };

struct Folded {
  CharClass cls;
  char16_t lower;  // lower-case Turkish letter (kLetter), digit, or combining mark
  bool upper;      // written as a capital
};

// Latin-1 Supplement U+00C0..U+00FF folded to lower-case Turkish letters; 0 = not a letter.
constexpr char16_t kLatin1[64] = {
    u'a', u'a', u'a', u'a', u'a', u'a', u'e', u'ç', u'e', u'e', u'e', u'e', u'i', u'i', u'i', u'i',  // C0
    u'd', u'n', u'o', u'o', u'o', u'o', u'ö', 0,    u'ö', u'u', u'u', u'u', u'ü', u'y', u't', u's',  // D0
    u'a', u'a', u'a', u'a', u'a', u'a', u'e', u'ç', u'e', u'e', u'e', u'e', u'i', u'i', u'i', u'i',  // E0
    u'd', u'n', u'o', u'o', u'o', u'o', u'ö', 0,    u'ö', u'u', u'u', u'u', u'ü', u'y', u't', u'y',  // F0
};

// Latin Extended-A U+0100..U+017F, two entries per upper/lower pair position.
constexpr char16_t kLatinExtA[128] = {
    u'a', u'a', u'a', u'a', u'a', u'a', u'ç', u'ç', u'ç', u'ç', u'ç', u'ç', u'ç', u'ç', u'd', u'd',  // 100
    u'd', u'd', u'e', u'e', u'e', u'e', u'e', u'e', u'e', u'e', u'e', u'e', u'g', u'g', u'ğ', u'ğ',  // 110
    u'g', u'g', u'g', u'g', u'h', u'h', u'h', u'h', u'i', u'i', u'i', u'i', u'i', u'i', u'i', u'i',  // 120
    u'i', u'ı', 0,    0,    u'j', u'j', u'k', u'k', u'k', u'l', u'l', u'l', u'l', u'l', u'l', u'l',  // 130
    u'l', u'l', u'l', u'n', u'n', u'n', u'n', u'n', u'n', u'n', u'n', u'n', u'o', u'o', u'o', u'o',  // 140
    u'ö', u'ö', u'ö', u'ö', u'r', u'r', u'r', u'r', u'r', u'r', u's', u's', u's', u's', u'ş', u'ş',  // 150
    u'ş', u'ş', u't', u't', u't', u't', u't', u't', u'u', u'u', u'u', u'u', u'u', u'u', u'u', u'u',  // 160
    u'ü', u'ü', u'u', u'u', u'w', u'w', u'y', u'y', u'y', u'z', u'z', u'z', u'z', u'j', u'j', u's',  // 170
};

bool extAUpper(char16_t c) {
  if (c <= 0x0137) return (c & 1) == 0;
  if (c == 0x0138) return false;
  if (c <= 0x0148) return (c & 1) == 1;
  if (c == 0x0149) return false;
  if (c <= 0x0177) return (c & 1) == 0;
  if (c == 0x0178) return true;
  if (c <= 0x017E) return (c & 1) == 1;
  return false;
}

Folded fold(char16_t c) {
  if (c >= u'a' && c <= u'z') return {kLetter, c, false};
  if (c >= u'A' && c <= u'Z') return {kLetter, c == u'I' ? u'ı' : char16_t(c + 32), true};
  if (c >= u'0' && c <= u'9') return {kDigit, c, false};
  if (c == u'\'' || c == 0x2019 || c == 0x02BC) return {kApostrophe, c, false};
  if (c >= 0x00C0 && c <= 0x00FF) {
    char16_t l = kLatin1[c - 0x00C0];
    if (!l) return {kOther, 0, false};
    bool upper = c < 0x00E0 && c != 0x00DF;
    return {kLetter, l, upper};
  }
  if (c >= 0x0100 && c <= 0x017F) {
    char16_t l = kLatinExtA[c - 0x0100];
    if (!l) return {kOther, 0, false};
    return {kLetter, l, extAUpper(c)};
  }
  switch (c) {
    case 0x0218: return {kLetter, u'ş', true};   // Ș, comma below
    case 0x0219: return {kLetter, u'ş', false};  // ș
    case 0x021A: return {kLetter, u't', true};   // Ț
    case 0x021B: return {kLetter, u't', false};  // ț
    default: break;
  }
  if (c >= 0x0300 && c <= 0x036F) return {kCombining, c, false};
  return {kOther, 0, false};
}

// A decomposed diacritic applied to the letter before it.
char16_t combine(char16_t base, char16_t mark) {
  switch (mark) {
    case 0x0307: return base == u'ı' ? u'i' : base;  // I + dot above = İ
    case 0x0327: return base == u'c' ? u'ç' : base == u's' ? u'ş' : base;  // cedilla
    case 0x0306: return base == u'g' ? u'ğ' : base;                        // breve
    case 0x0308: return base == u'o' ? u'ö' : base == u'u' ? u'ü' : base;  // diaeresis
    default: return base;  // circumflex, acute and the rest leave the letter as it is
  }
}

}  // namespace

bool isVowel(char16_t c) {
  switch (c) {
    case u'a': case u'e': case u'ı': case u'i': case u'o': case u'ö': case u'u': case u'ü':
      return true;
    default:
      return false;
  }
}

int countVowels(std::u16string_view lower) {
  int n = 0;
  for (char16_t c : lower) n += isVowel(c) ? 1 : 0;
  return n;
}

size_t splitWord(std::u16string_view word, std::vector<Run>& runs) {
  size_t used = 0;
  // The next run: an element kept from an earlier word is cleared and reused
  // (its text keeps its storage), so a word no longer than one met before
  // allocates nothing.
  auto startRun = [&runs, &used]() -> Run& {
    if (used == runs.size()) runs.emplace_back();
    Run& r = runs[used++];
    r.kind = Run::kLetters;
    r.role = Run::kPlain;
    r.allCaps = false;
    r.text.clear();
    return r;
  };
  bool open = false;  // the last run may still grow
  for (size_t i = 0; i < word.size(); ++i) {
    Folded f = fold(word[i]);
    switch (f.cls) {
      case kLetter:
      case kDigit: {
        Run::Kind kind = f.cls == kLetter ? Run::kLetters : Run::kDigits;
        if (!open || runs[used - 1].kind != kind) {
          Run& r = startRun();
          r.kind = kind;
          r.allCaps = true;
          open = true;
        }
        runs[used - 1].text.push_back(f.lower);
        if (kind == Run::kLetters && !f.upper) runs[used - 1].allCaps = false;
        break;
      }
      case kCombining:
        if (open && runs[used - 1].kind == Run::kLetters)
          runs[used - 1].text.back() = combine(runs[used - 1].text.back(), f.lower);
        break;
      case kApostrophe:
        if (open && runs[used - 1].kind == Run::kLetters && i + 1 < word.size() &&
            fold(word[i + 1]).cls == kLetter) {
          if (runs[used - 1].role == Run::kPlain) runs[used - 1].role = Run::kApostropheStem;
          Run& r = startRun();
          r.role = Run::kApostropheSuffix;
          r.allCaps = true;
          // the suffix run is filled by the next letter
          open = true;
          runs[used - 1].kind = Run::kLetters;
          continue;
        }
        open = false;
        break;
      case kOther:
        open = false;
        break;
    }
  }
  return used;
}

}  // namespace tr
}  // namespace corvum
