// Stage 4: the phrase's prosody and the per-segment arrays of the synthesiser.
#pragma once
#include <cstdint>
#include "model/relation.h"
#include "prosody/prosody_context.h"

namespace tts {

constexpr int32_t kMaxUnitDuration = 250;  // 1/1024 s, longest duration handed over

// Spanish coda glide: a "j"/"w" after a vowel and before a non-vowel is
// handed over as "i"/"u" (only "pid" changes).
void applyCodaGlide(const ProsodyContext& ctx, Relation* phrases);

// Accents, durations, F0, the coda-glide rule, then one array entry per
// segment of the "Segment" relation, at most `capacity` of them.
//   phones, prominence, durations, boundaries: out, `capacity` bytes each;
//   targets: out, 4 * `capacity` pitch periods.
// Returns the number of entries written (0 when the phrase has no first
// word, syllable or segment), or kStageNoMemory.
int32_t buildTargetsWith(const ProsodyContext& ctx, Relation* phrases, uint8_t* phones, uint8_t* prominence,
                         uint8_t* durations, uint8_t* boundaries, int32_t* targets, int32_t capacity);

// Stage function of the deliverables (kLanguage).
int32_t buildTargets(Relation* phrases, uint8_t* phones, uint8_t* prominence, uint8_t* durations,
                     uint8_t* boundaries, int32_t* targets, int32_t capacity);

}  // namespace tts
