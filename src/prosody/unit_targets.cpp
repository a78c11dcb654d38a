#include "prosody/unit_targets.h"

#include "model/language.h"
#include "model/path.h"
#include "model/strings.h"
#include "prosody/accents.h"
#include "prosody/durations.h"
#include "prosody/f0_targets.h"
#include "prosody/phoneset.h"
#include "prosody/prosody_items.h"

namespace tts {

namespace {

const char* const kPointNames[4] = {"pc0", "pc1", "pc2", "pc3"};

// Vowel by the segment's phone name ("vc" "+").
bool isVowelSegment(const ProsodyContext& ctx, Item* seg) {
  const char* name = valString(itemGet(seg, "name"));
  const int32_t id = name ? phoneIndex(ctx.phoneset, name) : 0;
  return id != 0 && phoneIsVowel(ctx.phoneset, id) != 0;
}

uint8_t prominenceOf(const ProsodyContext& ctx, Item* seg, Item* syl) {
  if (isVowelSegment(ctx, seg)) return static_cast<uint8_t>(syl ? featureInt(syl, "stress") : 0);
  if (featureInt(seg, "pid") == 0) return 0;
  return itemPathIs(seg, "seg_onsetcoda", "onset") ? 0 : 1;
}

}  // namespace

void applyCodaGlide(const ProsodyContext& ctx, Relation* phrases) {
  const ProsodyLanguage* lang = ctx.language;
  for (Item* s = phraseFirstSegment(phrases); s && s->next && s->next->next; s = s->next) {
    if (!isVowelSegment(ctx, s) || isVowelSegment(ctx, s->next->next)) continue;
    const int32_t pid = featureInt(s->next, "pid");
    if (pid == lang->glideJ)
      itemSet(s->next, "pid", makeInt(lang->vowelI));
    else if (pid == lang->glideW)
      itemSet(s->next, "pid", makeInt(lang->vowelU));
  }
}

int32_t buildTargetsWith(const ProsodyContext& ctx, Relation* phrases, uint8_t* phones, uint8_t* prominence,
                         uint8_t* durations, uint8_t* boundaries, int32_t* targets, int32_t capacity) {
  Item* first = phraseFirstSegment(phrases);
  if (!first || !ctx.language || !phones || !prominence || !durations || !boundaries || !targets) return 0;

  int32_t rc = assignAccents(phrases);
  if (rc == 0) rc = assignDurations(ctx.language, ctx.phoneset, phrases);
  if (rc == 0) rc = assignF0(ctx.language, phrases);
  if (rc != 0) return rc;
  if (ctx.language->codaGlide) applyCodaGlide(ctx, phrases);

  int32_t count = 0;
  int32_t previousEnd = 0;
  for (Item* seg = first->relation->head; seg && count < capacity; seg = seg->next, ++count) {
    Item* syl = owningParent(seg);
    const int32_t end = featureInt(seg, "end");
    int32_t duration = end - previousEnd;
    previousEnd = end;
    if (duration > kMaxUnitDuration) duration = kMaxUnitDuration;
    if (duration < 0) duration = 0;
    phones[count] = static_cast<uint8_t>(featureInt(seg, "pid"));
    prominence[count] = prominenceOf(ctx, seg, syl);
    durations[count] = static_cast<uint8_t>(duration);
    boundaries[count] =
        (syl && seg == itemLastDaughter(syl)) ? static_cast<uint8_t>(featureInt(syl, "syl_break") + 1) : 0;
    for (int32_t k = 0; k < 4; ++k) targets[4 * count + k] = featureInt(seg, kPointNames[k]);
  }
  return count;
}

int32_t buildTargets(Relation* phrases, uint8_t* phones, uint8_t* prominence, uint8_t* durations,
                     uint8_t* boundaries, int32_t* targets, int32_t capacity) {
  return buildTargetsWith(deliverableProsodyContext(), phrases, phones, prominence, durations, boundaries, targets,
                          capacity);
}

}  // namespace tts
