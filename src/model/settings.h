// The user's settings of one handle. The handle owns one record; the stages
// read the current values for every phrase (the relations of a phrase point
// at it; the output rate is latched when the phrase's synthesiser is made), so
// a change made between chunks applies from the next chunk on, and one made
// inside a chunk from its next phrase.
#pragma once
#include <cstdint>

namespace tts {

struct Settings {
  int32_t durationStretch_Q8;  // segment durations and pauses, Q8: 256 normal, 512 twice as long
  int32_t f0Mean_Hz;           // mean F0 the F0 models read
  int32_t minorPause;          // pause after a predicted break, 1/1024 s at normal speed
  int32_t majorPause;          // pause after , ; (twice after . ! ? :), 1/1024 s
  int32_t outputRate_Hz;       // rate of the samples delivered to the host
  int32_t reading;             // TTS_READING_LITERAL or TTS_READING_EVERYDAY
  int32_t durationModel;       // TTS_DURATIONS_TABLES or TTS_DURATIONS_TRAINED
  int32_t intonation;          // TTS_INTONATION_MODEL or TTS_INTONATION_ACCENTED
};

// The values the stages test for (the public header's TTS_DURATIONS_TRAINED
// and TTS_INTONATION_ACCENTED; the handle checks that they agree).
constexpr int32_t kDurationModelTrained = 1;
constexpr int32_t kIntonationAccented = 1;

}  // namespace tts
