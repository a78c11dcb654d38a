// The per-phrase synthesiser state: unit targets, the phone work area, filter
// memories, the pulse generator and the output level control.
#pragma once
#include <cstdint>
#include "synth/codec_header.h"
#include "synth/kernels/filter.h"
#include "synth/voice.h"

namespace tts {

constexpr int32_t kMaxSourcePeriods = 512;   // periods in the phone work area
constexpr int32_t kMaxTargetPeriods = 256;
constexpr int32_t kMaxPeriodSamples = 320;   // longest rendered period
constexpr int32_t kMaxOrder = 18;
constexpr int32_t kLevelBlock = 128;         // samples per level-control block
constexpr int32_t kLevelHistory = 12;

struct LevelControl {
  int16_t level;                    // current level L
  int16_t history[kLevelHistory];   // block peaks with overshoot, newest last
  int16_t floor;                    // lowest level amplified towards full scale
};

struct PhraseSynth {
  PhraseVoice* voice;
  const uint8_t* phones;          // n phone ids
  const uint8_t* durations;       // n durations, 1/1024 s
  const int32_t* pitch;           // 4 per segment, period lengths in samples
  int32_t count;                  // n
  int32_t segment;                // current segment index
  int32_t outputCapacity;         // samples the driver's buffer holds

  CodecInfo codec;

  // Phone work area.
  int32_t lengths[kMaxSourcePeriods];
  int32_t offsets[kMaxSourcePeriods + 1];   // first excitation sample of each period
  int16_t gains[kMaxSourcePeriods];
  int16_t lsf_Q10[kMaxSourcePeriods * kMaxOrder];
  int16_t* excitation;            // excitationCapacity samples (one second), after the record
  int32_t excitationCapacity;
  int32_t carriedPeriods;         // J at the next phone: periods before the join
  int32_t carriedSamples;         // excitation samples before the join
  int32_t periods;                // P
  int32_t phoneSamples;

  // Target periods of the current phone.
  int32_t targets[kMaxTargetPeriods];
  int32_t map[kMaxTargetPeriods];
  int32_t targetCount;
  int32_t lengthScale_Q8;         // the user's speed against the language's base: scales the unit-length
                                  // limits of mapTargets (256 normal, 512 half speed)

  // Previous period.
  int32_t prevLsf_Q10[kMaxOrder];
  int32_t prevVoiced;
  int32_t prevScale_Q8;
  int32_t prevLevel;

  // Filter memories.
  FilterMemory synthesis;
  FilterMemory postFir;
  FilterMemory postPole;
  FilterMemory postTilt;
  int32_t deemphasisMem;          // previous de-emphasis output
  int32_t dcInput;                // previous DC-filter input
  int32_t dcOutput;               // previous DC-filter output, unclamped

  // Pulse generator.
  int32_t pulseIndex;             // -1: impulse shape; else 0..15
  int32_t pulseFilter;
  FilterMemory pulseMem;
  FilterMemory noiseMem;
  int32_t noiseState;

  // Output.
  LevelControl levelControl;
  int16_t held[kLevelBlock - 1];
  int32_t heldCount;
};

// Back to the start state: memories cleared, nothing carried, nothing held back.
void synthReset(PhraseSynth* synth);

// Target periods of a segment (pitch-interpolated for sonorant phones, 10 ms
// otherwise), at most 256 of at most 320 samples, into synth->targets.
void buildTargets(PhraseSynth* synth, int32_t segment, int32_t sonorant);
// Fits the target list to the phone class `ctype` (join: periods before the
// join, periods: P) and fills synth->map; returns the number of mapped targets.
int32_t mapTargets(PhraseSynth* synth, const char* ctype, int32_t join, int32_t periods);

// Renders the current segment's phone at `out` (room for `room` samples) and
// carries the next phone's half-unit over. Returns the samples written.
// useFilters/usePostFilter: the driver's post-filter switch.
int32_t renderPhone(PhraseSynth* synth, int16_t* out, int32_t room, int32_t usePostFilter);

}  // namespace tts
