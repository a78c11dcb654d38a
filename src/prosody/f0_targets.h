// F0 targets of a phrase and the four pitch periods per segment.
#pragma once
#include <cstdint>
#include "model/relation.h"
#include "prosody/prosody_language.h"

namespace tts {

constexpr int32_t kMinTargetF0 = 50;   // Hz
constexpr int32_t kMaxTargetF0 = 500;  // Hz

struct F0Target {
  int32_t pos;  // 1/1024 s
  int32_t f0;   // Hz, 50..500
};

// Spanish contour offset (Hz) at time t for anchors P[0..4] and offsets V[0..4].
int32_t contourOffset(const int32_t* anchors, const int32_t* offsets, int32_t t);

// Places the phrase's F0 targets (contour or regression by `lang`) and
// finishes them (first at time 0, last at the phrase end).
//   out: room for `capacity` targets. Returns the number placed.
int32_t placeF0Targets(const ProsodyLanguage* lang, Relation* phrases, F0Target* out, int32_t capacity);

// Pitch periods in samples at "sample_rate": "pc0".."pc3" on every segment the
// contour through `targets` reaches.
// Returns 0, or kStageNoMemory when a value could not be stored.
int32_t assignPitchPeriods(Relation* phrases, const F0Target* targets, int32_t count);

// Both steps. Returns 0 or kStageNoMemory.
int32_t assignF0(const ProsodyLanguage* lang, Relation* phrases);

}  // namespace tts
