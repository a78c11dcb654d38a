// Symbols of the Polish rule phones and their emission.
#include "pl/polish_internal.h"

namespace corvum {
namespace pl {

namespace {

// Indexed by Phone; every entry is a left-hand side of the Polish symbol map.
const char* const kSymbols[kPhoneCount] = {
    "a",  "e",  "i",   "o",   "u",  "I",  "e~", "o~",  // vowels
    "p",  "b",  "t",   "d",   "k",  "g",  "f",  "v",  "s", "z", "S", "Z", "Z",
    "x",  "ts", "dz",  "tS",  "dZ",
    "s+", "z+", "ts+", "dz+",
    "p+", "b+", "k+",  "g+",  "f+", "v+", "x+",
    "m+", "m",  "n",   "n+",  "N",  "l",  "r",  "w",  "j",
};

}  // namespace

const char* phoneSymbol(Phone p) { return p < kPhoneCount ? kSymbols[p] : "pau"; }

bool isVowel(Phone p) { return p <= kOn; }

void appendPhones(const Phone* phones, int count, int stressed, std::string& out) {
  for (int k = 0; k < count; ++k) {
    if (!out.empty() && out.back() != ' ') out.push_back(' ');
    out.append(phoneSymbol(phones[k]));
    if (k == stressed) out.push_back('1');
  }
}

}  // namespace pl
}  // namespace corvum
