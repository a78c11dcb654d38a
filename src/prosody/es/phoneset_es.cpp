// Spanish phone set: 32 phones with their eight features, and the map
// from the lexicon's phone symbols to phone names (32 pairs, first match wins).
#include "prosody/phonesets.h"

namespace tts {
namespace {

// Columns: vc vlng vheight vfront vrnd ctype cplace cvox, as value characters.
#define PHONE_ROW(vc, vlng, vh, vf, vr, ct, cp, cv)                                    \
  {phoneValueIndex(vc), phoneValueIndex(vlng), phoneValueIndex(vh), phoneValueIndex(vf), \
   phoneValueIndex(vr), phoneValueIndex(ct), phoneValueIndex(cp), phoneValueIndex(cv)}

const char* const kNames[32] = {
    "##", "T", "a", "ai", "au", "b", "d", "dZ", "e", "ei", "eu", "f", "g", "i", "j", "k", "l", "m",
    "n", "n~", "o", "oi", "ou", "p", "r", "r[", "s", "t", "tS", "u", "w", "x",
};

constexpr uint8_t kRows[32][kPhoneFeatureCount] = {
    PHONE_ROW('-', '0', '-', '-', '-', '0', '0', '-'),  //  0 ##
    PHONE_ROW('-', '0', '-', '-', '-', 'f', 'd', '-'),  //  1 T
    PHONE_ROW('+', 's', '3', '3', '-', '0', '0', '-'),  //  2 a
    PHONE_ROW('+', 'd', '3', '3', '-', '0', '0', '-'),  //  3 ai
    PHONE_ROW('+', 'd', '3', '3', '-', '0', '0', '-'),  //  4 au
    PHONE_ROW('-', '0', '-', '-', '-', 'a', 'l', '+'),  //  5 b
    PHONE_ROW('-', '0', '-', '-', '-', 'a', 'a', '+'),  //  6 d
    PHONE_ROW('-', '0', '-', '-', '-', 'a', 't', '+'),  //  7 dZ
    PHONE_ROW('+', 's', '2', '1', '-', '0', '0', '-'),  //  8 e
    PHONE_ROW('+', 'd', '2', '1', '-', '0', '0', '-'),  //  9 ei
    PHONE_ROW('+', 'd', '2', '1', '-', '0', '0', '-'),  // 10 eu
    PHONE_ROW('-', '0', '-', '-', '-', 'f', 'b', '-'),  // 11 f
    PHONE_ROW('-', '0', '-', '-', '-', 'a', 'v', '+'),  // 12 g
    PHONE_ROW('+', 's', '1', '1', '-', '0', '0', '-'),  // 13 i
    PHONE_ROW('-', '0', '-', '-', '-', 'l', 'p', '+'),  // 14 j
    PHONE_ROW('-', '0', '-', '-', '-', 's', 'v', '-'),  // 15 k
    PHONE_ROW('-', '0', '-', '-', '-', 'l', 'a', '+'),  // 16 l
    PHONE_ROW('-', '0', '-', '-', '-', 'n', 'l', '+'),  // 17 m
    PHONE_ROW('-', '0', '-', '-', '-', 'n', 'a', '+'),  // 18 n
    PHONE_ROW('-', '0', '-', '-', '-', 'n', 'p', '+'),  // 19 n~
    PHONE_ROW('+', 's', '2', '3', '+', '0', '0', '-'),  // 20 o
    PHONE_ROW('+', 'd', '2', '3', '+', '0', '0', '-'),  // 21 oi
    PHONE_ROW('+', 'd', '2', '3', '+', '0', '0', '-'),  // 22 ou
    PHONE_ROW('-', '0', '-', '-', '-', 's', 'l', '-'),  // 23 p
    PHONE_ROW('-', '0', '-', '-', '-', 'r', 'a', '+'),  // 24 r
    PHONE_ROW('-', '0', '-', '-', '-', 'l', 't', '+'),  // 25 r[
    PHONE_ROW('-', '0', '-', '-', '-', 'f', 'a', '-'),  // 26 s
    PHONE_ROW('-', '0', '-', '-', '-', 's', 'a', '-'),  // 27 t
    PHONE_ROW('-', '0', '-', '-', '-', 'a', 't', '-'),  // 28 tS
    PHONE_ROW('+', 's', '1', '3', '+', '0', '0', '-'),  // 29 u
    PHONE_ROW('-', '0', '0', '0', '0', 'l', 'l', '+'),  // 30 w
    PHONE_ROW('-', '0', '-', '-', '-', 'f', 'v', '-'),  // 31 x
};

#undef PHONE_ROW
static_assert(phoneRowsValid(kRows), "every table character is a feature value");

const SymbolPair kSymbols[32] = {
    {"pau", "##"}, {"a", "a"}, {"e", "e"}, {"i", "i"}, {"o", "o"}, {"u", "u"}, {"ai", "ai"},
    {"ei", "ei"}, {"oi", "oi"}, {"au", "au"}, {"eu", "eu"}, {"ou", "ou"}, {"w", "w"}, {"y", "j"},
    {"b", "b"}, {"k", "k"}, {"s", "s"}, {"z", "s"}, {"T", "tS"}, {"d", "d"}, {"f", "f"}, {"g", "g"},
    {"h", "x"}, {"l", "l"}, {"S", "j"}, {"m", "m"}, {"n", "n"}, {"N", "n~"}, {"p", "p"},
    {"r", "r["}, {"R", "r"}, {"t", "t"},
};

}  // namespace

const PhoneSet kPhoneSetEs = {
    "es", kPhoneFeatureNames, kPhoneFeatureValues, kNames, "pau",
    32, kRows, kSymbols, 32,
};

}  // namespace tts
