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

// The last syllable of the phrase's last word, or null.
Item* phraseLastSyllable(Item* phrase) { return itemLastDaughter(itemLastDaughter(phrase)); }

// The pause syllable after the phrase carries the phrase break, so the tone
// tree, seeing that break next to the phrase's last syllable, answers "NONE"
// there (and again on the pause syllable, whose previous syllable has the
// break). The last syllable is asked once more with the pause syllable's break
// hidden, as if the phrase ended with it. A question (the phrase ends at "?")
// ends in the yes/no tone "H-H%", which the tree only gives a "?" word.
bool giveBoundaryTone(Item* phrase) {
  Item* last = phraseLastSyllable(phrase);
  if (!last) return true;
  if (featureInt(phrase, "question") == 1) return setStringFeature(last, "endtone", "H-H%");
  Item* pause = last->next;
  if (itemGet(last, "endtone") || !pause || owningParent(pause)) return true;  // no pause syllable
  const Val* brk = valRef(itemGet(pause, "syl_break"));
  itemSet(pause, "syl_break", sharedNumber(0));
  const Val* answer = cartEvaluate(last, &kToneTree, 0);
  if (brk) itemSet(pause, "syl_break", brk);
  valRelease(brk);
  return storeAnswer(last, "endtone", answer);
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
  return giveBoundaryTone(phrase) ? 0 : kStageNoMemory;
}

}  // namespace tts
