// The codec header at the start of a voice's unit-data region.
#pragma once
#include <cstdint>
#include "synth/voice.h"

namespace tts {

constexpr int32_t kMaxCodeWidth = 16;   // bits per spectral code this engine accepts

struct CodecInfo {
  int32_t order;                      // K spectral parameters per period, even, 2..18
  int32_t widths[18];                 // bits of each spectral code
  int32_t bitsPerPeriod;              // 5 + sum of widths
  int32_t stride;                     // 2^W entries per codebook, W the largest width
  const uint8_t* codebooks;           // K * stride little-endian int32 (LSF_Q10 << 4)
  int16_t deemphasis_Q8;
  int16_t levelFloor;
  int16_t pulseFilter;
  int16_t voicedNoResidual;
  const uint8_t* records;             // first byte of the unit records
};

int32_t readLe32(const uint8_t* p);
int16_t readLe16(const uint8_t* p);

// Reads and checks the header of a bound voice: false when the voice has no
// data, K is odd or outside 2..18, a width is outside 0..16, or (size-aware
// voices) the header runs past the block.
bool readCodecHeader(const PhraseVoice* voice, CodecInfo* codec);

}  // namespace tts
