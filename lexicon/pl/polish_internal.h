// Internals of the Polish letter-to-sound rules: the phone inventory the rules
// work in, and the steps shared by the files of lexicon/pl/.
#pragma once
#include <cstdint>
#include <string>

namespace corvum {
namespace pl {

// Phones of the rules. Each emits one symbol of the Polish lexicon map; Rz is
// the "rz" spelling of Z, kept apart because it neither voices a preceding
// obstruent nor stays voiced after a voiceless one (as "w" does).
enum Phone : uint8_t {
  kA, kE, kI, kO, kU, kY, kEn, kOn,                        // vowels: a e i o u y(I) e~ o~
  kP, kB, kT, kD, kK, kG, kF, kV, kS, kZ, kSz, kZh, kRz,   // plain obstruents
  kX, kC, kDz, kCz, kDzh,                                  // x ts dz tS dZ
  kSj, kZj, kCj, kDzj,                                     // s+ z+ ts+ dz+ (ś ź ć dź)
  kPj, kBj, kKj, kGj, kFj, kVj, kXj,                       // labial/velar before softening i
  kMj, kM, kN, kNj, kNg, kL, kR, kW, kJ,                   // sonorants: m+ m n n+ N l r w j
  kPhoneCount
};

const char* phoneSymbol(Phone p);  // the lexicon symbol, e.g. "ts+"
bool isVowel(Phone p);

// Lower-cased letters of one alphabetic run; letters outside Polish are already
// folded to Polish ones. Capacity bounds every buffer of the rules.
constexpr int kMaxLetters = 96;
constexpr int kMaxPhones = 2 * kMaxLetters + 8;

// Letters -> phones (digraphs, softness, nasal vowels, "au"/"eu" glides), then
// voicing assimilation and final devoicing. Returns the phone count.
int transcribe(const char16_t* letters, int n, Phone* phones);

// Index (into `phones`) of the vowel that carries primary stress, or -1 when
// there is no vowel. `letters` is the spelling the phones came from.
int stressedVowel(const char16_t* letters, int n, const Phone* phones, int count);

// A whole pronunciation for a word the rules get wrong, or null. The result is
// in lexicon symbols with stress digits.
const char* exceptionPronunciation(const char16_t* letters, int n);

// True for abbreviations that are said as words although written in capitals.
bool capitalsSaidAsWord(const char16_t* letters, int n);

// Appends `count` phones as symbols, "1" after the vowel at `stressed`.
void appendPhones(const Phone* phones, int count, int stressed, std::string& out);

// Appends the letter names of `letters` (an acronym), stress on the last one.
void appendSpelled(const char16_t* letters, int n, std::string& out);

// Appends a run of ASCII digits as Polish number words.
void appendDigits(const char16_t* digits, int n, std::string& out);

// Appends one lower-case word (letters) read by the rules, or by its exception.
void appendWord(const char16_t* letters, int n, std::string& out);

}  // namespace pl
}  // namespace corvum
