// Polish phone set: 38 phones with their eight features, and the map
// from the lexicon's phone symbols to phone names (46 pairs, first match wins).
#include "prosody/phonesets.h"

namespace tts {
namespace {

// Columns: vc vlng vheight vfront vrnd ctype cplace cvox, as value characters.
#define PHONE_ROW(vc, vlng, vh, vf, vr, ct, cp, cv)                                    \
  {phoneValueIndex(vc), phoneValueIndex(vlng), phoneValueIndex(vh), phoneValueIndex(vf), \
   phoneValueIndex(vr), phoneValueIndex(ct), phoneValueIndex(cp), phoneValueIndex(cv)}

const char* const kNames[38] = {
    "##", "I", "N", "S", "Z", "a", "b", "d", "dZ", "dz", "dz'", "e", "e~", "f", "g", "i", "j", "k",
    "l", "m", "n", "n'", "o", "o~", "p", "r", "s", "s'", "t", "tS", "ts", "ts'", "u", "v", "w", "x",
    "z", "z'",
};

constexpr uint8_t kRows[38][kPhoneFeatureCount] = {
    PHONE_ROW('-', '0', '-', '-', '-', '0', '0', '-'),  //  0 ##
    PHONE_ROW('+', 's', '1', '2', '-', '0', '0', '0'),  //  1 I
    PHONE_ROW('-', '0', '-', '-', '-', 'n', 'v', '+'),  //  2 N
    PHONE_ROW('-', '0', '-', '-', '-', 'f', 't', '-'),  //  3 S
    PHONE_ROW('-', '0', '-', '-', '-', 'f', 't', '+'),  //  4 Z
    PHONE_ROW('+', 's', '3', '1', '-', '0', '0', '0'),  //  5 a
    PHONE_ROW('-', '0', '-', '-', '-', 's', 'l', '+'),  //  6 b
    PHONE_ROW('-', '0', '-', '-', '-', 's', 'a', '+'),  //  7 d
    PHONE_ROW('-', '0', '-', '-', '-', 'a', 't', '+'),  //  8 dZ
    PHONE_ROW('-', '0', '-', '-', '-', 'a', 'a', '+'),  //  9 dz
    PHONE_ROW('-', '0', '-', '-', '-', 'a', 'p', '+'),  // 10 dz'
    PHONE_ROW('+', 's', '3', '1', '-', '0', '0', '0'),  // 11 e
    PHONE_ROW('+', 's', '3', '1', '-', '0', '0', '0'),  // 12 e~
    PHONE_ROW('-', '0', '-', '-', '-', 'f', 'b', '-'),  // 13 f
    PHONE_ROW('-', '0', '-', '-', '-', 's', 'v', '+'),  // 14 g
    PHONE_ROW('+', 's', '1', '1', '-', '0', '0', '0'),  // 15 i
    PHONE_ROW('-', '0', '-', '-', '-', 'l', 'p', '+'),  // 16 j
    PHONE_ROW('-', '0', '-', '-', '-', 's', 'v', '-'),  // 17 k
    PHONE_ROW('-', '0', '-', '-', '-', 'l', 'a', '+'),  // 18 l
    PHONE_ROW('-', '0', '-', '-', '-', 'n', 'l', '+'),  // 19 m
    PHONE_ROW('-', '0', '-', '-', '-', 'n', 'a', '+'),  // 20 n
    PHONE_ROW('-', '0', '-', '-', '-', 'n', 'p', '+'),  // 21 n'
    PHONE_ROW('+', 's', '3', '3', '+', '0', '0', '0'),  // 22 o
    PHONE_ROW('+', 's', '3', '3', '+', '0', '0', '0'),  // 23 o~
    PHONE_ROW('-', '0', '-', '-', '-', 's', 'l', '-'),  // 24 p
    PHONE_ROW('-', '0', '-', '-', '-', 'l', 'a', '+'),  // 25 r
    PHONE_ROW('-', '0', '-', '-', '-', 'f', 'a', '-'),  // 26 s
    PHONE_ROW('-', '0', '-', '-', '-', 'f', 'p', '-'),  // 27 s'
    PHONE_ROW('-', '0', '-', '-', '-', 's', 'a', '-'),  // 28 t
    PHONE_ROW('-', '0', '-', '-', '-', 'a', 't', '-'),  // 29 tS
    PHONE_ROW('-', '0', '-', '-', '-', 'a', 'a', '-'),  // 30 ts
    PHONE_ROW('-', '0', '-', '-', '-', 'a', 'p', '-'),  // 31 ts'
    PHONE_ROW('+', 's', '1', '3', '+', '0', '0', '0'),  // 32 u
    PHONE_ROW('-', '0', '-', '-', '-', 'f', 'b', '+'),  // 33 v
    PHONE_ROW('-', '0', '-', '-', '-', 'l', 'v', '+'),  // 34 w
    PHONE_ROW('-', '0', '-', '-', '-', 'f', 'v', '-'),  // 35 x
    PHONE_ROW('-', '0', '-', '-', '-', 'f', 'a', '+'),  // 36 z
    PHONE_ROW('-', '0', '-', '-', '-', 'f', 'p', '+'),  // 37 z'
};

#undef PHONE_ROW
static_assert(phoneRowsValid(kRows), "every table character is a feature value");

const SymbolPair kSymbols[46] = {
    {"pau", "##"}, {"I", "I"}, {"N", "N"}, {"S", "S"}, {"Z", "Z"}, {"a", "a"}, {"b", "b"},
    {"d", "d"}, {"dZ", "dZ"}, {"dz", "dz"}, {"e", "e"}, {"e~", "e~"}, {"f", "f"}, {"g", "g"},
    {"i", "i"}, {"j", "j"}, {"k", "k"}, {"l", "l"}, {"m", "m"}, {"n", "n"}, {"o", "o"},
    {"o~", "o~"}, {"p", "p"}, {"r", "r"}, {"s", "s"}, {"t", "t"}, {"tS", "tS"}, {"ts", "ts"},
    {"u", "u"}, {"v", "v"}, {"w", "w"}, {"x", "x"}, {"z", "z"}, {"b+", "b"}, {"f+", "f"},
    {"g+", "g"}, {"k+", "k"}, {"m+", "m"}, {"p+", "p"}, {"v+", "v"}, {"x+", "x"}, {"dz+", "dz'"},
    {"n+", "n'"}, {"s+", "s'"}, {"ts+", "ts'"}, {"z+", "z'"},
};

}  // namespace

const PhoneSet kPhoneSetPl = {
    "pl", kPhoneFeatureNames, kPhoneFeatureValues, kNames, "pau",
    38, kRows, kSymbols, 46,
};

}  // namespace tts
