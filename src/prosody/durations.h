// Segment durations: the "end" time (1/1024 s, running sum from the phrase
// start) of every segment of the phrase.
#pragma once
#include <cstdint>
#include "model/relation.h"
#include "prosody/prosody_language.h"

namespace tts {

struct PhoneSet;

// Per-phone model (Spanish, Turkish) or z-score model (Polish), by `lang`.
//   phrases: the phrase relation; its current duration stretch (Q8) scales.
// Returns 0, or kStageNoMemory when an "end" could not be stored.
int32_t assignDurations(const ProsodyLanguage* lang, const PhoneSet* set, Relation* phrases);

// Row of a per-phone table for a phone name (through the duration-name map
// when the language has one); row 0 when the name is not in the table.
const DurationRow* durationRowFor(const ProsodyLanguage* lang, const char* phone);

}  // namespace tts
