#include "es/spanish_rules.h"

#include <cstdint>

#include "es/spanish_letters.h"

namespace corvum {
namespace es {
namespace {

enum Role : uint8_t { kConsonant, kGlide, kPeak, kCoda };

// One sound of the word before syllables are known: a consonant symbol, or a
// vowel letter that the grouping step turns into a glide, a nucleus or the
// second half of a falling diphthong.
struct Unit {
  char consonant;    // lexicon symbol of a consonant (all are one character); 0 for a vowel
  char vowel;        // 'a' 'e' 'i' 'o' 'u' (y → i, ü → u); 0 for a consonant
  bool accented;     // written with an accent mark
  bool weak;         // unaccented i, u, ü or vowel y
  bool breakBefore;  // a syllable nucleus starts at this vowel
  uint8_t role;
  int16_t group;     // syllable index of a vowel
};

constexpr std::size_t kMaxUnits = 2 * kMaxRuleLetters;  // x gives two units

bool isFront(char c) { return c == 'e' || c == 'i' || c == 'E' || c == 'I'; }

// Consonant rules: spelling to consonant symbols; vowels pass through as units.
std::size_t buildUnits(std::string_view w, Unit* units) {
  std::size_t n = 0;
  auto consonant = [&](char symbol) { units[n++] = Unit{symbol, 0, false, false, false, kConsonant, -1}; };
  auto vowel = [&](char base, bool accented, bool weak) {
    units[n++] = Unit{0, base, accented, weak, false, kPeak, -1};
  };
  const std::size_t len = w.size();
  for (std::size_t i = 0; i < len; ++i) {
    const char c = w[i];
    const char next = i + 1 < len ? w[i + 1] : '\0';
    const char next2 = i + 2 < len ? w[i + 2] : '\0';
    const char prev = i > 0 ? w[i - 1] : '\0';
    switch (c) {
      case 'a': case 'e': case 'o': vowel(c, false, false); break;
      case 'A': vowel('a', true, false); break;
      case 'E': vowel('e', true, false); break;
      case 'O': vowel('o', true, false); break;
      case 'I': vowel('i', true, false); break;
      case 'U': vowel('u', true, false); break;
      case 'i': vowel('i', false, true); break;
      case 'u': case 'W': vowel('u', false, true); break;
      case 'b': case 'v': consonant('b'); break;
      case 'c':
        if (next == 'h') {
          consonant('T');
          ++i;
        } else {
          consonant(isFront(next) ? 'z' : 'k');
        }
        break;
      case 'C': consonant('s'); break;
      case 'd': consonant('d'); break;
      case 'f': consonant('f'); break;
      case 'g':
        if (next == 'u' && isFront(next2)) {  // gue, gui: the u is silent
          consonant('g');
          ++i;
        } else if (isFront(next)) {
          consonant('h');
        } else if (!(i == 0 && next == 'n')) {  // gnomo
          consonant('g');
        }
        break;
      case 'h': break;  // silent; does not separate vowels
      case 'j': consonant('h'); break;
      case 'k': consonant('k'); break;
      case 'l':
        if (next == 'l') {
          consonant('S');
          ++i;
        } else {
          consonant('l');
        }
        break;
      case 'm':
        if (!(i == 0 && next == 'n')) consonant('m');  // mnemotécnico
        break;
      case 'n':  // m before a labial: enviar, invierno
        consonant(next == 'b' || next == 'v' || next == 'p' ? 'm' : 'n');
        break;
      case 'N': consonant('N'); break;
      case 'p':
        if (!(i == 0 && (next == 's' || next == 't' || next == 'n'))) consonant('p');  // psicología
        break;
      case 'q':
        consonant('k');
        if (next == 'u' && isFront(next2)) ++i;  // que, qui
        break;
      case 'r':
        if (next == 'r') {
          consonant('R');
          ++i;
        } else if (i == 0 || prev == 'n' || prev == 'l' || prev == 's' || (i == 3 && w.substr(0, 3) == "sub")) {
          consonant('R');  // trill word-initially, after n l s, and in subrayar
        } else {
          consonant('r');
        }
        break;
      case 's': consonant('s'); break;
      case 't': consonant('t'); break;
      case 'w': consonant('w'); break;
      case 'x':
        if (i == 0) {
          consonant('s');  // xilófono
        } else {
          consonant('k');
          consonant('s');
        }
        break;
      case 'y':
        if (isVowelCode(next)) {
          consonant('y');
        } else {
          vowel('i', false, true);  // hoy, muy, y before a consonant
        }
        break;
      case 'z': consonant('z'); break;
      default: break;
    }
  }
  return n;
}

// Groups adjacent vowels into syllable nuclei and gives each vowel its role.
// Two strong vowels (a e o or any accented vowel) never share a syllable; a
// weak vowel joins its strong neighbour (rising diphthong before it, falling
// after it) except after an accented i/u; two weak vowels share a syllable
// whose nucleus is the second. Returns the number of syllables.
int groupVowels(Unit* units, std::size_t n) {
  int groups = 0;
  std::size_t i = 0;
  while (i < n) {
    if (units[i].consonant != 0) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < n && units[end].consonant == 0) ++end;
    units[i].breakBefore = true;
    for (std::size_t k = i + 1; k < end; ++k) {
      const Unit& p = units[k - 1];
      const Unit& c = units[k];
      bool split;
      if (!p.weak && !c.weak) {
        split = true;
      } else if (!p.weak) {
        // strong + weak: falling diphthong, unless the strong one is an accented
        // i/u or the weak one leans on a following strong vowel
        split = p.vowel == 'i' || p.vowel == 'u' || (k + 1 < end && !units[k + 1].weak);
      } else if (!c.weak) {
        split = false;
      } else {
        // weak + weak: split when the first closes a falling diphthong, or when
        // the second opens a rising one (chihuahua: chi-hua-hua)
        split = (k - 1 > i && !p.breakBefore && !units[k - 2].weak) || (k + 1 < end && !units[k + 1].weak);
      }
      units[k].breakBefore = split;
    }
    // roles within each group
    std::size_t gs = i;
    while (gs < end) {
      std::size_t ge = gs + 1;
      while (ge < end && !units[ge].breakBefore) ++ge;
      std::size_t peak = ge - 1;
      for (std::size_t k = gs; k < ge; ++k) {
        if (!units[k].weak) {
          peak = k;
          break;
        }
      }
      for (std::size_t k = gs; k < ge; ++k) {
        units[k].role = k < peak ? kGlide : (k == peak ? kPeak : kCoda);
        units[k].group = static_cast<int16_t>(groups);
      }
      ++groups;
      gs = ge;
    }
    i = end;
  }
  return groups;
}

void appendSymbol(std::string& out, const char* symbol, std::size_t length, char digit) {
  if (!out.empty()) out.push_back(' ');
  out.append(symbol, length);
  if (digit != '\0') out.push_back(digit);
}

// Default stress: words ending in a vowel, n or s stress the next-to-last
// syllable, others the last; an s after another consonant (robots, zigzags)
// counts as a consonant ending.
bool takesPenultimateStress(std::string_view letters) {
  const char last = letters.back();
  switch (last) {
    case 'a': case 'e': case 'i': case 'o': case 'u': case 'W': case 'n':
      return true;
    case 's': {
      if (letters.size() < 2) return true;
      const char before = letters[letters.size() - 2];
      return isVowelCode(before) || before == 'y';
    }
    default:
      return false;
  }
}

}  // namespace

int spanishLetterToSound(std::string_view letters, StressMark stress, std::string& out) {
  if (letters.size() > kMaxRuleLetters) letters = letters.substr(0, kMaxRuleLetters);
  Unit units[kMaxUnits];
  const std::size_t n = buildUnits(letters, units);
  const int groups = groupVowels(units, n);

  int stressed = -1;
  for (std::size_t k = 0; k < n && stressed < 0; ++k) {
    if (units[k].consonant == 0 && units[k].accented) stressed = units[k].group;
  }
  if (stressed < 0 && groups > 0) {
    stressed = groups >= 2 && takesPenultimateStress(letters) ? groups - 2 : groups - 1;
  }
  const char digit = stress == StressMark::kLexical ? '1' : (stress == StressMark::kSecondary ? '2' : '\0');

  int symbols = 0;
  for (std::size_t k = 0; k < n; ++k) {
    const Unit& u = units[k];
    if (u.consonant != 0) {
      appendSymbol(out, &u.consonant, 1, '\0');
    } else if (u.role == kGlide) {
      const char glide = u.vowel == 'i' ? 'y' : 'w';
      appendSymbol(out, &glide, 1, '\0');
    } else if (u.role == kPeak) {
      char nucleus[2] = {u.vowel, 0};
      std::size_t length = 1;
      if (k + 1 < n && units[k + 1].consonant == 0 && units[k + 1].role == kCoda) {
        nucleus[1] = units[k + 1].vowel;  // ai ei oi au eu ou
        length = 2;
      }
      appendSymbol(out, nucleus, length, u.group == stressed ? digit : '\0');
    } else {
      continue;  // coda: written with its nucleus
    }
    ++symbols;
  }
  return symbols;
}

int spanishSyllableCount(std::string_view letters) {
  if (letters.size() > kMaxRuleLetters) letters = letters.substr(0, kMaxRuleLetters);
  Unit units[kMaxUnits];
  const std::size_t n = buildUnits(letters, units);
  return groupVowels(units, n);
}

}  // namespace es
}  // namespace corvum
