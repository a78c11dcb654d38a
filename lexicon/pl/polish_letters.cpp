// Polish letters to phones: digraphs and trigraphs, soft consonants and the
// softening "i", the glides of "au"/"eu", nasal vowels, the velar nasal, and
// voicing (regressive assimilation, final devoicing, and the progressive
// devoicing of "w" and "rz" after a voiceless consonant).
#include <cstring>
#include "pl/polish_internal.h"

namespace corvum {
namespace pl {

namespace {

bool isVowelLetter(char16_t c) {
  switch (c) {
    case u'a': case u'e': case u'i': case u'o': case u'u': case u'y':
    case u'ą': case u'ę': case u'ó':
      return true;
    default:
      return false;
  }
}

// Bounds-checked view of the letters of one word.
struct Spelling {
  const char16_t* s;
  int n;
  char16_t at(int i) const { return i >= 0 && i < n ? s[i] : u'\0'; }
  bool startsWith(const char16_t* prefix) const {
    int k = 0;
    for (; prefix[k]; ++k)
      if (at(k) != prefix[k]) return false;
    return true;
  }
  // "i" at `i` is only a softness mark: another vowel follows it.
  bool softeningI(int i) const { return at(i) == u'i' && isVowelLetter(at(i + 1)); }
};

// "au" and "eu" are one syllable with a final glide, except across the prefixes
// na-, za-, nie-, prze- ("nauka", "nieudany") and in the Latin "-eum".
bool uIsGlide(const Spelling& w, int i) {
  if (w.at(i) == u'a') {
    if (i == 1 && (w.at(0) == u'n' || w.at(0) == u'z')) return false;
    return true;
  }
  if ((i == 2 && w.startsWith(u"nieu")) || (i == 3 && w.startsWith(u"przeu"))) return false;
  if (i + 3 == w.n && w.at(i + 2) == u'm') return false;  // muzeum, liceum
  return true;
}

// "dz" across the prefixes od-, pod-, nad-, przed- before a consonant:
// "odznaka", "nadzwyczajny" are d + z, not the affricate.
bool prefixBoundaryDz(const Spelling& w, int i) {
  const char16_t next = w.at(i + 2);
  if (next == u'\0' || isVowelLetter(next)) return false;
  return (i == 1 && w.startsWith(u"od")) || (i == 2 && (w.startsWith(u"pod") || w.startsWith(u"nad"))) ||
         (i == 4 && w.startsWith(u"przed"));
}

// "rz" of "marznąć", "zmarzlina", "zamarzły": r + z.
bool isMarz(const Spelling& w, int i) {
  const char16_t next = w.at(i + 2);
  return w.at(i - 1) == u'a' && w.at(i - 2) == u'm' && (next == u'n' || next == u'l' || next == u'ł');
}

// Letters -> phones before any assimilation. ą and ę come out as kOn/kEn.
int letterPhones(const Spelling& w, Phone* out) {
  int count = 0;
  int i = 0;
  auto emit = [&](Phone p) {
    if (count < kMaxPhones) out[count++] = p;
  };
  // A soft consonant written with a following "i": the "i" is only a mark
  // before another vowel, otherwise it is also the vowel i.
  auto softWithI = [&](Phone p, int iPos) {
    emit(p);
    i = w.softeningI(iPos) ? iPos + 1 : iPos;
    if (i == iPos + 1 && w.at(i) == u'i') emit(kJ);  // "linii", "Japonii": n' j i
  };
  // Labials and velars: before a softening "i" they take the "+" form.
  auto plainOrSoft = [&](Phone plain, Phone soft, int next) {
    if (w.softeningI(next)) {
      emit(soft);
      i = next + 1;
    } else {
      emit(plain);
      i = next;
    }
  };
  while (i < w.n) {
    const char16_t c = w.at(i);
    const char16_t c1 = w.at(i + 1);
    switch (c) {
      case u'a':
        emit(kA);
        if (c1 == u'u' && uIsGlide(w, i)) {
          emit(kW);
          i += 2;
        } else {
          ++i;
        }
        break;
      case u'e':
        emit(kE);
        if (c1 == u'u' && uIsGlide(w, i)) {
          emit(kW);
          i += 2;
        } else {
          ++i;
        }
        break;
      case u'i':
        emit(isVowelLetter(c1) ? kJ : kI);  // after r, t, d, l... or initially: a glide
        ++i;
        break;
      case u'o': emit(kO); ++i; break;
      case u'u': case u'ó': emit(kU); ++i; break;
      case u'y': emit(kY); ++i; break;
      case u'ą': emit(kOn); ++i; break;
      case u'ę': emit(kEn); ++i; break;
      case u'p':
        if (c1 == u'h') {
          emit(kF);  // "ph" of Greek loans
          i += 2;
        } else {
          plainOrSoft(kP, kPj, i + 1);
        }
        break;
      case u'b': plainOrSoft(kB, kBj, i + 1); break;
      case u'm': plainOrSoft(kM, kMj, i + 1); break;
      case u'f': plainOrSoft(kF, kFj, i + 1); break;
      case u'w': case u'v': plainOrSoft(kV, kVj, i + 1); break;
      case u'k': plainOrSoft(kK, kKj, i + 1); break;
      case u'g': plainOrSoft(kG, kGj, i + 1); break;
      case u'h': plainOrSoft(kX, kXj, i + 1); break;
      case u'c':
        if (c1 == u'h') {
          plainOrSoft(kX, kXj, i + 2);
        } else if (c1 == u'z') {
          emit(kCz);
          i += 2;
        } else if (c1 == u'i') {
          softWithI(kCj, i + 1);
        } else {
          emit(kC);
          ++i;
        }
        break;
      case u'd':
        if (c1 == u'z' && !prefixBoundaryDz(w, i)) {
          if (w.at(i + 2) == u'i') {
            softWithI(kDzj, i + 2);
          } else {
            emit(kDz);
            i += 2;
          }
        } else if (c1 == u'ź') {
          emit(kDzj);
          i += 2;
        } else if (c1 == u'ż') {
          emit(kDzh);
          i += 2;
        } else {
          emit(kD);
          ++i;
        }
        break;
      case u's':
        if (c1 == u'z') {
          emit(kSz);
          i += 2;
        } else if (c1 == u'i') {
          softWithI(kSj, i + 1);
        } else {
          emit(kS);
          ++i;
        }
        break;
      case u'z':
        if (c1 == u'i') {
          softWithI(kZj, i + 1);
        } else {
          emit(kZ);
          ++i;
        }
        break;
      case u'n':
        if (c1 == u'i') {
          softWithI(kNj, i + 1);
        } else {
          emit(kN);
          ++i;
        }
        break;
      case u'r':
        // "rz" is one sound, except in the "marzn-"/"marzl-" family (r + z).
        if (c1 == u'z' && !isMarz(w, i)) {
          emit(kRz);
          i += 2;
        } else {
          emit(kR);
          ++i;
        }
        break;
      case u'ć': emit(kCj); ++i; break;
      case u'ś': emit(kSj); ++i; break;
      case u'ź': emit(kZj); ++i; break;
      case u'ń': emit(kNj); ++i; break;
      case u'ż': emit(kZh); ++i; break;
      case u'ł': emit(kW); ++i; break;
      case u'l': emit(kL); ++i; break;
      case u'j': emit(kJ); ++i; break;
      case u't':
        emit(kT);
        i += c1 == u'h' ? 2 : 1;  // "th" of loans reads t
        break;
      case u'q':
        emit(kK);
        if (c1 == u'u') {
          emit(kV);
          i += 2;
        } else {
          ++i;
        }
        break;
      case u'x': emit(kK); emit(kS); ++i; break;
      default: ++i; break;  // not a Polish letter: silent
    }
  }
  return count;
}

// What a nasal vowel becomes before `next`: the nasal consonant that follows
// its oral vowel; kOn when the vowel stays nasal; kPhoneCount when it is an
// oral vowel with no nasal consonant (before l, ł and nasals).
Phone nasalBefore(Phone next) {
  switch (next) {
    case kP: case kB: case kPj: case kBj:
      return kM;
    case kT: case kD: case kC: case kDz: case kCz: case kDzh:
      return kN;
    case kCj: case kDzj:
      return kNj;
    case kK: case kG: case kKj: case kGj:
      return kNg;
    case kL: case kW: case kM: case kMj: case kN: case kNj: case kNg:
      return kPhoneCount;
    default:
      return kOn;  // fricatives, vowels, j, r: a nasal vowel
  }
}

// ą/ę -> nasal vowel, or oral vowel plus a nasal consonant, by what follows;
// n -> N before velars. Rewrites `phones` and returns the new count, which
// grows by one for every inserted nasal consonant (bounded by kMaxPhones).
int resolveNasals(Phone* phones, int count) {
  Phone tmp[kMaxPhones];
  int m = 0;
  for (int k = 0; k < count && m < kMaxPhones; ++k) {
    const Phone p = phones[k];
    const bool last = k + 1 == count;
    const Phone next = last ? kPhoneCount : phones[k + 1];
    if (p == kOn || p == kEn) {
      const Phone oral = p == kOn ? kO : kE;
      if (last) {
        tmp[m++] = p == kOn ? kOn : kE;  // final ę is mostly denasalised
        continue;
      }
      const Phone nasal = nasalBefore(next);
      if (nasal == kOn) {
        tmp[m++] = p;
      } else {
        tmp[m++] = oral;
        if (nasal != kPhoneCount && m < kMaxPhones) tmp[m++] = nasal;
      }
    } else if (p == kN && (next == kK || next == kG || next == kKj || next == kGj)) {
      tmp[m++] = kNg;
    } else {
      tmp[m++] = p;
    }
  }
  std::memcpy(phones, tmp, static_cast<size_t>(m) * sizeof(Phone));
  return m;
}

// Voicing of each phone and the counterpart of each obstruent.
struct Voicing {
  bool obstruent;
  bool voiced;
  Phone partner;  // same place with the other voicing; itself when none exists
};

Voicing voicingOf(Phone p) {
  switch (p) {
    case kP: return {true, false, kB};
    case kB: return {true, true, kP};
    case kT: return {true, false, kD};
    case kD: return {true, true, kT};
    case kK: return {true, false, kG};
    case kG: return {true, true, kK};
    case kF: return {true, false, kV};
    case kV: return {true, true, kF};
    case kS: return {true, false, kZ};
    case kZ: return {true, true, kS};
    case kSz: return {true, false, kZh};
    case kZh: return {true, true, kSz};
    case kRz: return {true, true, kSz};
    case kX: return {true, false, kX};
    case kXj: return {true, false, kXj};
    case kC: return {true, false, kDz};
    case kDz: return {true, true, kC};
    case kCz: return {true, false, kDzh};
    case kDzh: return {true, true, kCz};
    case kSj: return {true, false, kZj};
    case kZj: return {true, true, kSj};
    case kCj: return {true, false, kDzj};
    case kDzj: return {true, true, kCj};
    case kPj: return {true, false, kBj};
    case kBj: return {true, true, kPj};
    case kKj: return {true, false, kGj};
    case kGj: return {true, true, kKj};
    case kFj: return {true, false, kVj};
    case kVj: return {true, true, kFj};
    default: return {false, false, p};
  }
}

// "w" and "rz" take the voicing of what follows them but do not pass their
// own voicing on to what precedes them.
bool isTransparent(Phone p) { return p == kV || p == kVj || p == kRz; }

enum class Voice { kNone, kVoiceless, kVoiced };

void assimilateVoicing(Phone* phones, int count) {
  // Regressive, from the end; the word end devoices (also through a final run
  // of sonorant consonants: "wiatr", "bóbr").
  Voice state = Voice::kVoiceless;
  bool finalRun = true;
  for (int k = count - 1; k >= 0; --k) {
    const Phone p = phones[k];
    const Voicing v = voicingOf(p);
    if (!v.obstruent) {
      if (isVowel(p) || !finalRun) state = Voice::kNone;
      if (isVowel(p)) finalRun = false;
      continue;
    }
    finalRun = false;
    if (state != Voice::kNone && v.voiced != (state == Voice::kVoiced)) phones[k] = v.partner;
    if (!isTransparent(p)) state = voicingOf(phones[k]).voiced ? Voice::kVoiced : Voice::kVoiceless;
  }
  // Progressive: w and rz after a voiceless obstruent ("kwiat", "przy").
  for (int k = 1; k < count; ++k) {
    if (!isTransparent(phones[k])) continue;
    const Voicing before = voicingOf(phones[k - 1]);
    if (before.obstruent && !before.voiced) phones[k] = voicingOf(phones[k]).partner;
  }
}

}  // namespace

int transcribe(const char16_t* letters, int n, Phone* phones) {
  if (n > kMaxLetters) n = kMaxLetters;
  const Spelling w{letters, n};
  int count = letterPhones(w, phones);
  count = resolveNasals(phones, count);
  assimilateVoicing(phones, count);
  return count;
}

}  // namespace pl
}  // namespace corvum
