// Small item helpers shared by the prosody stages.
#pragma once
#include <cstdint>
#include "model/relation.h"

namespace tts {

// Stores `value` under `name`; false when the value or the map entry could not
// be allocated (value null, or the map does not hold it afterwards).
bool setFeature(Item* x, const char* name, const Val* value);
bool setStringFeature(Item* x, const char* name, const char* text);  // heap copy of text

int32_t featureInt(Item* x, const char* name);     // stored feature read as an integer; absent: 0
// Stored string feature equals text (false when absent or not a string).
bool featureIs(Item* x, const char* name, const char* text);

// The syllable whose daughter run contains `segment`, or null for a segment
// that belongs to no syllable (itemParent alone would report the syllable
// before a lone segment).
Item* owningParent(Item* x);

// First item of the phrase relation, its first word daughter, that word's
// first syllable, that syllable's first segment; null where missing.
Item* phraseItem(Relation* phrases);
Item* phraseFirstWord(Relation* phrases);
Item* phraseFirstSyllable(Relation* phrases);
Item* phraseFirstSegment(Relation* phrases);

// The duration stretch (Q8) and mean F0 (Hz) that the stages apply: the
// handle's current settings when the relation carries them, otherwise the
// published "duration_stretch" and "int_f0_target_mean" (absent: `absent`).
int32_t currentStretch_Q8(const Relation* r, int32_t absent);
int32_t currentF0Mean_Hz(const Relation* r, int32_t absent);

}  // namespace tts
