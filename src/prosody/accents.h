// Pitch accents ("accent") and boundary tones ("endtone") of one phrase.
#pragma once
#include <cstdint>
#include "model/relation.h"

namespace tts {

// Marks the syllables of the phrase: by the fixed rule in the verbatim text
// modes (1, 6, 7) for phrases of at most five words, else by the accent and
// tone trees from the phrase's first syllable to the end of the relation.
//   phrases: the phrase relation (its first item is the phrase).
// Returns 0, or kStageNoMemory when a feature could not be stored.
int32_t assignAccents(Relation* phrases);

}  // namespace tts
