// Phone-set lookups shared by every deliverable, and the feature names and
// value vocabulary that all three phone tables index into.
#include "prosody/phoneset.h"

#include "model/strings.h"
#include "prosody/phonesets.h"

namespace tts {

const char* const kPhoneFeatureNames[kPhoneFeatureCount + 1] = {
    "vc", "vlng", "vheight", "vfront", "vrnd", "ctype", "cplace", "cvox", nullptr,
};

namespace {

// The shared value vocabulary, in table order (see phoneValueIndex).
const Val kValPlus = staticString("+");
const Val kValL = staticString("l");
const Val kVal3 = staticString("3");
const Val kValMinus = staticString("-");
const Val kVal0 = staticString("0");
const Val kValS = staticString("s");
const Val kVal1 = staticString("1");
const Val kVal2 = staticString("2");
const Val kValD = staticString("d");
const Val kValA = staticString("a");
const Val kValR = staticString("r");
const Val kValP = staticString("p");
const Val kValF = staticString("f");
const Val kValN = staticString("n");
const Val kValB = staticString("b");
const Val kValV = staticString("v");
const Val kValG = staticString("g");
const Val kValU = staticString("u");
const Val kValT = staticString("t");

bool validId(const PhoneSet* set, int32_t id) { return set && id >= 0 && id < set->phoneCount; }

// Value of column `column` for phone `id`; null for an unknown id.
const Val* cell(const PhoneSet* set, int32_t id, int32_t column) {
  if (!validId(set, id)) return nullptr;
  return set->featureValues[set->rows[id][column]];
}

const char* cellString(const PhoneSet* set, int32_t id, int32_t column) {
  const Val* v = cell(set, id, column);
  return v ? static_cast<const char*>(v->p) : nullptr;
}

bool cellIs(const PhoneSet* set, int32_t id, int32_t column, const char* text) {
  const char* s = cellString(set, id, column);
  return s && strCompare(s, text) == 0;
}

int32_t featureColumn(const PhoneSet* set, const char* feature) {
  if (!set || !feature) return -1;
  for (int32_t c = 0; set->featureNames[c]; ++c)
    if (strCompare(set->featureNames[c], feature) == 0) return c;
  return -1;
}

}  // namespace

const Val* const kPhoneFeatureValues[kPhoneFeatureValueCount + 1] = {
    &kValPlus, &kValL, &kVal3, &kValMinus, &kVal0, &kValS, &kVal1, &kVal2, &kValD, &kValA,
    &kValR,    &kValP, &kValF, &kValN,     &kValB, &kValV, &kValG, &kValU, &kValT, nullptr,
};

int32_t phoneIndex(const PhoneSet* set, const char* name) {
  if (!set || !name || set->phoneCount <= 0) return 0;
  if (strCompare(name, set->phoneNames[0]) == 0) return 0;
  int32_t low = 1;
  int32_t high = set->phoneCount - 1;
  while (low <= high) {
    const int32_t middle = low + (high - low) / 2;
    const int32_t order = strCompare(set->phoneNames[middle], name);
    if (order == 0) return middle;
    if (order > 0) {
      high = middle - 1;
    } else {
      low = middle + 1;
    }
  }
  return 0;
}

const char* phoneName(const PhoneSet* set, int32_t id) { return validId(set, id) ? set->phoneNames[id] : nullptr; }

int32_t phoneIsVowel(const PhoneSet* set, int32_t id) { return cellIs(set, id, kFeatVc, "+") ? 1 : 0; }

int32_t phoneIsSonorant(const PhoneSet* set, int32_t id) {
  if (phoneIsVowel(set, id)) return 1;
  return (cellIs(set, id, kFeatCtype, "l") || cellIs(set, id, kFeatCtype, "n") || cellIs(set, id, kFeatCtype, "r"))
             ? 1
             : 0;
}

const char* phoneVoicing(const PhoneSet* set, int32_t id) { return cellString(set, id, kFeatCvox); }

const char* phoneCtype(const PhoneSet* set, int32_t id) { return cellString(set, id, kFeatCtype); }

const Val* phoneFeatureValue(const PhoneSet* set, int32_t id, const char* feature) {
  const int32_t column = featureColumn(set, feature);
  return column < 0 ? nullptr : cell(set, id, column);
}

const char* phoneFeature(const PhoneSet* set, int32_t id, const char* feature) {
  const Val* v = phoneFeatureValue(set, id, feature);
  return v ? static_cast<const char*>(v->p) : nullptr;
}

const char* mapLexiconSymbol(const PhoneSet* set, const char* symbol) {
  if (!set || !symbol || symbol[0] == '\0') return nullptr;
  for (int32_t i = 0; i < set->symbolCount; ++i)
    if (set->symbols[i].symbol && strCompare(set->symbols[i].symbol, symbol) == 0) return set->symbols[i].phone;
  return nullptr;
}

}  // namespace tts
