// A recording host for engine tests: a SampleCallback that keeps every
// delivery (byte counts and markers) and the samples, and can refuse.
#pragma once
#include <cstdint>
#include <string>
#include <vector>
#include "tts_engine.h"

namespace tts_test {

struct RecordingHost {
  std::vector<int32_t> events;   // byte counts (>= 0) and markers (-1, -2) in order
  std::vector<int16_t> samples;  // every delivered sample
  int32_t refuseAfter = -1;      // refuse (return -1) from this many speech deliveries on; -1 never
  int32_t speechDeliveries = 0;

  static int32_t callback(intptr_t user, const int16_t* samples, int32_t count);
  SampleCallback fn() const { return &RecordingHost::callback; }
  intptr_t user() { return reinterpret_cast<intptr_t>(this); }
  int32_t markers(int32_t which) const;  // how many of a marker were delivered
};

// Drives TTSFileGetWave_I over one chunk: one call with text, then calls
// without text until a negative result (at most `maxCalls`). Returns the last result.
int32_t speakChunk(TTSFile* handle, const std::u16string& text, int32_t mode, RecordingHost& host,
                   int32_t* calls = nullptr, int32_t maxCalls = 100000);

std::u16string utf16(const std::string& utf8);
std::string utf8(const std::u16string& utf16);

}  // namespace tts_test
