// Phone sets: each deliverable's phone inventory with eight phonetic features
// per phone, and the map from lexicon symbols to phone names. Phone ids are
// indexes into the sorted name list; id 0 is the silence phone "##".
#pragma once
#include <cstdint>
#include "model/value.h"

namespace tts {

constexpr int32_t kPhoneFeatureCount = 8;  // vc vlng vheight vfront vrnd ctype cplace cvox

enum PhoneFeature : int32_t {
  kFeatVc = 0, kFeatVlng, kFeatVheight, kFeatVfront, kFeatVrnd, kFeatCtype, kFeatCplace, kFeatCvox,
};

struct SymbolPair {
  const char* symbol;  // lexicon symbol
  const char* phone;   // phone-set name
};

struct PhoneSet {
  const char* name;                      // "es", "pl", "tr"
  const char* const* featureNames;       // the eight names, null-terminated
  const Val* const* featureValues;       // the 19 shared value strings, null-terminated
  const char* const* phoneNames;         // sorted by signed byte order; [0] = "##"
  const char* silenceName;               // "pau" (es, pl) or "##" (tr)
  int32_t phoneCount;
  const uint8_t (*rows)[kPhoneFeatureCount];  // rows[id][column] = index into featureValues
  const SymbolPair* symbols;             // lexicon symbol map, first match wins
  int32_t symbolCount;
};

int32_t phoneIndex(const PhoneSet* set, const char* name);   // 0 when unknown
const char* phoneName(const PhoneSet* set, int32_t id);       // null outside the set
int32_t phoneIsVowel(const PhoneSet* set, int32_t id);
int32_t phoneIsSonorant(const PhoneSet* set, int32_t id);
const char* phoneVoicing(const PhoneSet* set, int32_t id);   // "cvox" value
const char* phoneCtype(const PhoneSet* set, int32_t id);     // "ctype" value
// Value string of a feature by name ("vc" ... "cvox"); null for an unknown feature or id.
const char* phoneFeature(const PhoneSet* set, int32_t id, const char* feature);
const Val* phoneFeatureValue(const PhoneSet* set, int32_t id, const char* feature);  // static value
const char* mapLexiconSymbol(const PhoneSet* set, const char* symbol);  // null when unmapped

}  // namespace tts
