// A stand-in language for driver tests: trivial stages with known results, so
// that the driver's stage walk, markers, pauses and failure handling can be
// checked without the real front end and synthesiser.
#pragma once
#include <cstdint>
#include <vector>
#include "api/tts_file.h"

namespace fake {

// Every entry of the chunk (split at spaces) becomes one phrase of one word
// with one segment. An entry ending in '.' closes with delay 2, ',' with
// delay 1; the last entry otherwise gets delay 3, any other entry delay 0.
// An entry "FAIL" makes the word list builder report a huge bound, which the
// driver's arena cannot hold.

// What the fake synthesiser saw and did.
struct SynthLog {
  int32_t inits = 0;
  int32_t releases = 0;            // non-null releases
  int32_t lastRequest = 0;         // buffer request handed to synthInit
  std::vector<int32_t> pauseLengths;
};
extern SynthLog synthLog;
extern int32_t lastReading;  // the reading stage 0 was last given

constexpr int32_t kSamplesPerPhone = 100;

// Puts the fake synthesiser's entries into a handle's voice.
void installFakeSynth(TTSFile* handle);
// A minimal valid version-6 voice block with no units.
std::vector<uint8_t> emptyVoice(int32_t rate = 16000);

}  // namespace fake
