// The three deliverables' phone sets and the value vocabulary they share.
// Each deliverable links the one of its own language; tests may link all three.
#pragma once
#include "prosody/phoneset.h"

namespace tts {

// The eight feature names, in column order, null-terminated.
extern const char* const kPhoneFeatureNames[kPhoneFeatureCount + 1];
// The 19 shared value strings ("+", "l", "3", "-", "0", "s", "1", "2", "d", "a", "r", "p",
// "f", "n", "b", "v", "g", "u", "t"), static Vals, null-terminated.
constexpr int32_t kPhoneFeatureValueCount = 19;
extern const Val* const kPhoneFeatureValues[kPhoneFeatureValueCount + 1];

// Index of a one-character feature value in kPhoneFeatureValues; 255 for an unknown character.
// Used to write the phone tables as readable characters.
constexpr uint8_t phoneValueIndex(char c) {
  switch (c) {
    case '+': return 0;
    case 'l': return 1;
    case '3': return 2;
    case '-': return 3;
    case '0': return 4;
    case 's': return 5;
    case '1': return 6;
    case '2': return 7;
    case 'd': return 8;
    case 'a': return 9;
    case 'r': return 10;
    case 'p': return 11;
    case 'f': return 12;
    case 'n': return 13;
    case 'b': return 14;
    case 'v': return 15;
    case 'g': return 16;
    case 'u': return 17;
    case 't': return 18;
    default: return 255;
  }
}

// True when every cell of a phone table names a value of the vocabulary.
template <int32_t N>
constexpr bool phoneRowsValid(const uint8_t (&rows)[N][kPhoneFeatureCount]) {
  for (int32_t i = 0; i < N; ++i)
    for (int32_t c = 0; c < kPhoneFeatureCount; ++c)
      if (rows[i][c] >= kPhoneFeatureValueCount) return false;
  return true;
}

extern const PhoneSet kPhoneSetEs;  // Spanish, 32 phones, 32 symbol pairs
extern const PhoneSet kPhoneSetPl;  // Polish, 38 phones, 46 symbol pairs
extern const PhoneSet kPhoneSetTr;  // Turkish, 34 phones, 33 symbol pairs

}  // namespace tts
