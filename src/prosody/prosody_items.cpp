#include "prosody/prosody_items.h"

#include "model/strings.h"
#include "model/value.h"

namespace tts {

bool setFeature(Item* x, const char* name, const Val* value) {
  if (!x || !value) return false;
  itemSet(x, name, value);
  if (itemGet(x, name) != value) {
    valDropIfUnheld(value);
    return false;
  }
  return true;
}

bool setStringFeature(Item* x, const char* name, const char* text) {
  const Val* v = makeString(itemPool(x), text);
  if (v && !valString(v)) {  // the value was made but its text copy failed
    valRelease(v);
    return false;
  }
  return setFeature(x, name, v);
}

int32_t featureInt(Item* x, const char* name) { return valInt(itemGet(x, name)); }

bool featureIs(Item* x, const char* name, const char* text) {
  const char* s = valString(itemGet(x, name));
  return s && strCompare(s, text) == 0;
}

Item* owningParent(Item* x) {
  Item* parent = itemParent(x);
  if (!parent) return nullptr;
  Item* d = parent->down;
  for (int32_t k = 0; d && k < parent->daughters; ++k, d = d->next) {
    if (d == x) return parent;
  }
  return nullptr;
}

Item* phraseItem(Relation* phrases) { return phrases ? phrases->head : nullptr; }

Item* phraseFirstWord(Relation* phrases) {
  Item* p = phraseItem(phrases);
  return p ? p->down : nullptr;
}

Item* phraseFirstSyllable(Relation* phrases) {
  Item* w = phraseFirstWord(phrases);
  return w ? w->down : nullptr;
}

Item* phraseFirstSegment(Relation* phrases) {
  Item* s = phraseFirstSyllable(phrases);
  return s ? s->down : nullptr;
}

namespace {
int32_t publishedInt(const Relation* r, const char* name, int32_t absent) {
  const Val* v = r ? featGet(r->params, name) : nullptr;
  return v ? valInt(v) : absent;
}
}  // namespace

int32_t currentStretch_Q8(const Relation* r, int32_t absent) {
  if (r && r->settings) return r->settings->durationStretch_Q8;
  return publishedInt(r, "duration_stretch", absent);
}

int32_t currentF0Mean_Hz(const Relation* r, int32_t absent) {
  if (r && r->settings) return r->settings->f0Mean_Hz;
  return publishedInt(r, "int_f0_target_mean", absent);
}

}  // namespace tts
