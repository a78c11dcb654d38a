#include "prosody/durations.h"

#include "model/language.h"
#include "model/strings.h"
#include "prosody/phoneset.h"
#include "prosody/prosody_items.h"

namespace tts {

namespace {

constexpr int32_t kNormalStretch_Q8 = 256;
constexpr int32_t kEdgeUnstressed_Q8 = 307;  // first/last syllable of the relation
constexpr int32_t kEdgeStressed_Q8 = 384;
constexpr int32_t kPhraseFinalZ_Q8 = 307;    // z-score at a "4" break
constexpr int32_t kPhraseMedialZ_Q8 = 256;   // z-score at a "3" break
constexpr int32_t kInnerSilence = 30;        // 1/1024 s at normal rate (z-score model)
constexpr int32_t kTrainedFloor = 10;        // 1/1024 s: shortest segment of the trained model

Relation* segmentRelationOf(Relation* phrases) {
  Item* seg = phraseFirstSegment(phrases);
  return seg ? seg->relation : nullptr;
}

int32_t stretchOf(Relation* phrases) { return currentStretch_Q8(phrases, kNormalStretch_Q8); }

int32_t perPhoneDuration(const ProsodyLanguage* lang, const PhoneSet* set, Item* seg, int32_t stretch_Q8) {
  Item* syl = owningParent(seg);
  const int32_t pid = featureInt(seg, "pid");
  if (!syl || pid == 0) return lang->silenceDuration;
  const int32_t st = featureInt(syl, "stress");
  int32_t factor_Q8 = kNormalStretch_Q8;
  const Relation* sylRel = syl->relation;
  if (sylRel && (syl == sylRel->head || syl == sylRel->tail))
    factor_Q8 = st <= 0 ? kEdgeUnstressed_Q8 : kEdgeStressed_Q8;
  else if (st > 0 && phoneIsVowel(set, pid))
    factor_Q8 = lang->stressedVowelFactor_Q8;
  const DurationRow* row = durationRowFor(lang, valString(itemGet(seg, "name")));
  const int32_t e = row->base + (factor_Q8 * row->scale >> 8);
  const int32_t product = stretch_Q8 * e;
  return product > lang->minimumProduct ? product >> 14 : lang->silenceDuration;
}

// z-score override at phrase breaks: the break of the pause syllable after
// this one, or this syllable's own break when it is the last.
bool breakLengthening(Item* syl, int32_t* z_Q8) {
  if (!syl) return false;
  int32_t brk = -1;
  if (syl->next) {
    Item* first = syl->next->down;
    if (first && featureInt(first, "pid") == 0) brk = featureInt(syl->next, "syl_break");
  } else {
    brk = featureInt(syl, "syl_break");
  }
  if (brk >= 4) {
    *z_Q8 = kPhraseFinalZ_Q8;
    return true;
  }
  if (brk == 3) {
    *z_Q8 = kPhraseMedialZ_Q8;
    return true;
  }
  return false;
}

int32_t zScoreDuration(const ProsodyLanguage* lang, Item* seg, int32_t stretch_Q8) {
  const int32_t pid = featureInt(seg, "pid");
  const int32_t floor = lang->silenceDuration;
  if (pid == 0) {
    if (!seg->prev || !seg->next) return 0;
    const int32_t d = stretch_Q8 * kInnerSilence >> 8;
    return d > floor ? d : floor;
  }
  int32_t z_Q8 = 0;
  if (!breakLengthening(owningParent(seg), &z_Q8)) {
    const Val* leaf = lang->durationTree ? cartEvaluate(seg, lang->durationTree, 0) : nullptr;
    z_Q8 = valInt(leaf);
  }
  int32_t mean = 0, scale = 0;
  if (pid >= 0 && pid < lang->durationRowCount) {
    mean = lang->durationRows[pid].base;
    scale = lang->durationRows[pid].scale;
  }
  const int32_t d = stretch_Q8 * (mean + (scale * z_Q8 >> 8)) >> 14;
  return d > floor ? d : floor;
}

// Trained model of the per-phone languages: the duration tree's z-score over
// the phone's table row, as the tree was fitted.
int32_t treeDuration(const ProsodyLanguage* lang, Item* seg, int32_t stretch_Q8) {
  const int32_t pid = featureInt(seg, "pid");
  if (pid == 0 || !owningParent(seg) || !lang->durationTree) return lang->silenceDuration;
  const int32_t z_Q8 = valInt(cartEvaluate(seg, lang->durationTree, 0));
  const DurationRow* row = durationRowFor(lang, valString(itemGet(seg, "name")));
  const int32_t d = stretch_Q8 * (row->base + (row->scale * z_Q8 >> 8)) >> 14;
  return d > kTrainedFloor ? d : kTrainedFloor;
}

// A vowel of the syllable before a phrase break (a following pause syllable,
// or none, at break 3 or more).
bool phraseFinalVowel(const PhoneSet* set, Item* seg) {
  const int32_t pid = featureInt(seg, "pid");
  if (pid == 0 || !phoneIsVowel(set, pid)) return false;
  int32_t z_Q8 = 0;
  return breakLengthening(owningParent(seg), &z_Q8);
}

bool trainedSelected(Relation* phrases) {
  const Val* v = phrases ? featGet(phrases->params, "duration_model") : nullptr;
  return v && valInt(v) == kDurationModelTrained;
}

}  // namespace

const DurationRow* durationRowFor(const ProsodyLanguage* lang, const char* phone) {
  const char* key = phone;
  if (lang->durationNames) {
    key = nullptr;
    for (int32_t i = 0; i < lang->durationNameCount; ++i) {
      if (strCompare(lang->durationNames[i].phone, phone) == 0) {
        key = lang->durationNames[i].durationName;
        break;
      }
    }
  }
  if (key) {
    for (int32_t i = 0; i < lang->durationRowCount; ++i)
      if (strCompare(lang->durationRows[i].name, key) == 0) return &lang->durationRows[i];
  }
  return &lang->durationRows[0];
}

int32_t assignDurations(const ProsodyLanguage* lang, const PhoneSet* set, Relation* phrases) {
  Relation* segments = segmentRelationOf(phrases);
  if (!lang || !segments) return 0;
  const bool trained = trainedSelected(phrases);
  int32_t stretch_Q8 = stretchOf(phrases);
  if (trained)
    stretch_Q8 = static_cast<int32_t>(static_cast<int64_t>(stretch_Q8) * lang->trainedStretch_Q8 >> 8);
  int32_t end = 0;
  for (Item* seg = segments->head; seg; seg = seg->next) {
    int32_t d;
    if (lang->durationModel == kDurationZScore)
      d = zScoreDuration(lang, seg, stretch_Q8);
    else if (trained)
      d = treeDuration(lang, seg, stretch_Q8);
    else
      d = perPhoneDuration(lang, set, seg, stretch_Q8);
    if (trained && phraseFinalVowel(set, seg)) d = d * lang->trainedFinalVowel_Q8 >> 8;
    end += d;
    if (!setFeature(seg, "end", makeInt(itemPool(seg), end))) return kStageNoMemory;
  }
  return 0;
}

}  // namespace tts
