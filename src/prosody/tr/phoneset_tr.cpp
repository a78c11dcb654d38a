// Turkish phone set: 34 phones with their eight features, and the map
// from the lexicon's phone symbols to phone names (33 pairs, first match wins).
#include "prosody/phonesets.h"

namespace tts {
namespace {

// Columns: vc vlng vheight vfront vrnd ctype cplace cvox, as value characters.
#define PHONE_ROW(vc, vlng, vh, vf, vr, ct, cp, cv)                                    \
  {phoneValueIndex(vc), phoneValueIndex(vlng), phoneValueIndex(vh), phoneValueIndex(vf), \
   phoneValueIndex(vr), phoneValueIndex(ct), phoneValueIndex(cp), phoneValueIndex(cv)}

const char* const kNames[34] = {
    "##", "1", "2", "5", "?", "G", "S", "Z", "a", "b", "c", "d", "dZ", "e", "f", "g", "gj", "h",
    "i", "j", "k", "l", "m", "n", "o", "p", "r", "s", "t", "tS", "u", "v", "y", "z",
};

constexpr uint8_t kRows[34][kPhoneFeatureCount] = {
    PHONE_ROW('-', '0', '-', '-', '-', '0', '0', '-'),  //  0 ##
    PHONE_ROW('+', 's', '1', '3', '-', '0', '0', '0'),  //  1 1
    PHONE_ROW('+', 's', '2', '1', '+', '0', '0', '0'),  //  2 2
    PHONE_ROW('-', '0', '-', '-', '-', 'l', 'a', '+'),  //  3 5
    PHONE_ROW('-', '0', '-', '-', '-', 's', 'g', '-'),  //  4 ?
    PHONE_ROW('-', '0', '-', '-', '-', 'f', 'v', '+'),  //  5 G
    PHONE_ROW('-', '0', '-', '-', '-', 'f', 't', '-'),  //  6 S
    PHONE_ROW('-', '0', '-', '-', '-', 'f', 't', '+'),  //  7 Z
    PHONE_ROW('+', 's', '3', '1', '-', '0', '0', '0'),  //  8 a
    PHONE_ROW('-', '0', '-', '-', '-', 's', 'l', '+'),  //  9 b
    PHONE_ROW('-', '0', '-', '-', '-', 's', 'p', '-'),  // 10 c
    PHONE_ROW('-', '0', '-', '-', '-', 's', 'a', '+'),  // 11 d
    PHONE_ROW('-', '0', '-', '-', '-', 'a', 't', '+'),  // 12 dZ
    PHONE_ROW('+', 's', '2', '1', '-', '0', '0', '0'),  // 13 e
    PHONE_ROW('-', '0', '-', '-', '-', 'f', 'b', '-'),  // 14 f
    PHONE_ROW('-', '0', '-', '-', '-', 's', 'v', '+'),  // 15 g
    PHONE_ROW('-', '0', '-', '-', '-', 's', 'p', '+'),  // 16 gj
    PHONE_ROW('-', '0', '-', '-', '-', 'f', 'g', '-'),  // 17 h
    PHONE_ROW('+', 's', '1', '1', '-', '0', '0', '0'),  // 18 i
    PHONE_ROW('-', '0', '-', '-', '-', 'l', 'p', '+'),  // 19 j
    PHONE_ROW('-', '0', '-', '-', '-', 's', 'v', '-'),  // 20 k
    PHONE_ROW('-', '0', '-', '-', '-', 'l', 'a', '+'),  // 21 l
    PHONE_ROW('-', '0', '-', '-', '-', 'n', 'l', '+'),  // 22 m
    PHONE_ROW('-', '0', '-', '-', '-', 'n', 'a', '+'),  // 23 n
    PHONE_ROW('+', 's', '2', '3', '+', '0', '0', '0'),  // 24 o
    PHONE_ROW('-', '0', '-', '-', '-', 's', 'l', '-'),  // 25 p
    PHONE_ROW('-', '0', '-', '-', '-', 'r', 'a', '-'),  // 26 r
    PHONE_ROW('-', '0', '-', '-', '-', 'f', 'a', '-'),  // 27 s
    PHONE_ROW('-', '0', '-', '-', '-', 's', 'a', '-'),  // 28 t
    PHONE_ROW('-', '0', '-', '-', '-', 'a', 't', '-'),  // 29 tS
    PHONE_ROW('+', 's', '1', '3', '+', '0', '0', '0'),  // 30 u
    PHONE_ROW('-', '0', '-', '-', '-', 'f', 'b', '+'),  // 31 v
    PHONE_ROW('+', 's', '1', '1', '+', '0', '0', '0'),  // 32 y
    PHONE_ROW('-', '0', '-', '-', '-', 'f', 'a', '+'),  // 33 z
};

#undef PHONE_ROW
static_assert(phoneRowsValid(kRows), "every table character is a feature value");

const SymbolPair kSymbols[33] = {
    {"SIL", "##"}, {":", "G"}, {"a", "a"}, {"A", "a"}, {"e", "e"}, {"I", "1"}, {"i", "i"},
    {"W", "1"}, {"o", "o"}, {"O", "2"}, {"u", "u"}, {"U", "y"}, {"X", "u"}, {"b", "b"}, {"c", "dZ"},
    {"C", "tS"}, {"d", "d"}, {"f", "f"}, {"g", "g"}, {"h", "h"}, {"j", "Z"}, {"k", "k"}, {"l", "l"},
    {"m", "m"}, {"n", "n"}, {"p", "p"}, {"r", "r"}, {"s", "s"}, {"S", "S"}, {"t", "t"}, {"v", "v"},
    {"y", "j"}, {"z", "z"},
};

}  // namespace

const PhoneSet kPhoneSetTr = {
    "tr", kPhoneFeatureNames, kPhoneFeatureValues, kNames, "##",
    34, kRows, kSymbols, 33,
};

}  // namespace tts
