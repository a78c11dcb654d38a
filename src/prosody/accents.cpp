#include "prosody/accents.h"

#include "model/language.h"
#include "model/strings.h"
#include "prosody/intonation_trees.h"
#include "prosody/prosody_items.h"

namespace tts {

namespace {

constexpr int32_t kVerbatimMaxWords = 5;

bool isVerbatimMode(int32_t type) { return type == 1 || type == 6 || type == 7; }

// Stores a tree answer unless it is "NONE"; false when out of heap.
bool storeAnswer(Item* syl, const char* name, const Val* answer) {
  const char* text = valString(answer);
  if (!text || strCompare(text, "NONE") == 0) return true;
  return setStringFeature(syl, name, text);
}

// Verbatim rule: one "H*" per word on its most prominent stressed syllable.
// Returns 1 when it applied, 0 when the trees must decide, kStageNoMemory.
int32_t verbatimAccents(Item* phrase) {
  Item* word = phrase->down;
  if (!word) return 1;
  if (phrase->daughters <= 1 && word->daughters <= 1) {
    if (word->down && !setStringFeature(word->down, "accent", "H*")) return kStageNoMemory;
    return 1;
  }
  if (phrase->daughters > kVerbatimMaxWords) return 0;
  for (int32_t w = 0; word && w < phrase->daughters; ++w, word = word->next) {
    Item* best = nullptr;
    int32_t bestStress = 0;
    Item* syl = word->down;
    for (int32_t s = 0; syl && s < word->daughters; ++s, syl = syl->next) {
      const int32_t st = featureInt(syl, "stress");
      if (st > 0 && (!best || st < bestStress)) {
        best = syl;
        bestStress = st;
      }
    }
    if (best && !setStringFeature(best, "accent", "H*")) return kStageNoMemory;
  }
  return 1;
}

}  // namespace

int32_t assignAccents(Relation* phrases) {
  Item* phrase = phraseItem(phrases);
  if (!phrase) return 0;
  if (isVerbatimMode(featureInt(phrase, "type"))) {
    const int32_t done = verbatimAccents(phrase);
    if (done != 0) return done < 0 ? done : 0;
  }
  for (Item* syl = phraseFirstSyllable(phrases); syl; syl = syl->next) {
    if (!storeAnswer(syl, "accent", cartEvaluate(syl, &kAccentTree, 0))) return kStageNoMemory;
    if (!storeAnswer(syl, "endtone", cartEvaluate(syl, &kToneTree, 0))) return kStageNoMemory;
  }
  return 0;
}

}  // namespace tts
