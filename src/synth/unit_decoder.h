// Finding a diphone unit by its phone pair and decoding it into per-period
// lengths, gains, LSF vectors and excitation samples.
#pragma once
#include <cstdint>
#include "synth/codec_header.h"
#include "synth/voice.h"

namespace tts {

// Linear amplitude of each 5-bit gain code (1024 is the loudest).
extern const int16_t kGainTable[32];

constexpr int32_t kUnitMissing = -1;  // no unit carries the pair's name

// Where decoded periods go. The decoder keeps whole periods only while they
// fit: at most maxPeriods periods and maxSamples samples; the rest of the unit
// is cut off (and N, M shrink accordingly).
struct UnitOutput {
  int32_t* lengths;       // out, one per period
  int16_t* gains;         // out, one per period (may be null with excitation null)
  int16_t* lsf_Q10;       // out, order values per period
  int16_t* excitation;    // out, unit samples from the unit's first one; null: lengths only
  int32_t maxPeriods;
  int32_t maxSamples;
};

// Finds the unit record of a name: 1 and *record on success (*record null for
// an absent unit), 0 when no slot carries the name.
int32_t findUnit(const PhraseVoice* voice, const CodecInfo* codec, const char* name, const uint8_t** record);

// a, b: in, phone ids. periods, firstPeriods: out, N and M of the unit (0 when
// nothing was decoded). Returns the unit's length in samples, 0 for an absent
// or unreadable unit, kUnitMissing for a pair without a unit.
int32_t decodeUnit(const PhraseVoice* voice, const CodecInfo* codec, int32_t a, int32_t b, const UnitOutput* out,
                   int32_t* periods, int32_t* firstPeriods);

}  // namespace tts
