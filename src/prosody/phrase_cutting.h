// Stage 2: cuts the next phrase off the chunk's word list.
#pragma once
#include <cstdint>
#include "model/relation.h"
#include "text/word_list.h"

namespace tts {

// Delay classes of a phrase ("delay"): what ended it.
enum PhraseDelay : int32_t {
  kDelayBreak = 0,     // a predicted break, a minor mark or "|"
  kDelayComma = 1,     // ',' or ';'
  kDelaySentence = 2,  // sentence-final punctuation
  kDelayChunkEnd = 3,  // end of the chunk without punctuation
};

// Appends one "Phrase" item with its "Word" items (the phrase-initial word
// item first, not a daughter) and advances the word list's cursors. Appends
// nothing when the word list is used up.
//   words: in/out, the analysed word list; phrases, wordItems: fresh relations.
// Returns 0, or kStageNoMemory when the heap ran out.
int32_t cutPhrase(WordList* words, Relation* phrases, Relation* wordItems);

}  // namespace tts
