// Feature functions of words, syllables and segments. Every answer is a
// static value (shared number strings and ints, fixed strings, phone-set
// values) except "segment_duration" outside the shared int range and a
// "gpos" answer outside the classifier's four words, which are new values
// with no holder.
#include "prosody/feature_functions.h"

#include "model/language.h"
#include "model/path.h"
#include "model/relation.h"
#include "model/strings.h"
#include "prosody/phoneset.h"
#include "prosody/word_classifier.h"

namespace tts {

namespace {

constexpr int32_t kWalkLimit = 512;  // neighbour walks stop after this many steps

const Val kValNB = staticString("NB");
const Val kValB = staticString("B");
const Val kValBB = staticString("BB");
const Val kValOnset = staticString("onset");
const Val kValCoda = staticString("coda");
const Val kValInitial = staticString("initial");
const Val kValSingle = staticString("single");
const Val kValFinal = staticString("final");
const Val kValMid = staticString("mid");
const Val kValPlus = staticString("+");
const Val kValEmptyClass = staticString("");
const Val kValPunc = staticString("punc");
const Val kValIn = staticString("in");
const Val kValContent = staticString("content");

const Val* number(int32_t n) { return sharedNumber(n); }

// Stored feature of an item; null for a null item or an absent feature.
const Val* stored(const Item* x, const char* name) { return x ? featGet(x->features, name) : nullptr; }

bool storedStringIs(const Item* x, const char* name, const char* text) {
  const char* s = valString(stored(x, name));
  return s && strCompare(s, text) == 0;
}

Item* parentOf(Item* x) { return x ? itemParent(x) : nullptr; }

bool isLastDaughter(Item* x) {
  Item* parent = parentOf(x);
  return parent && itemLastDaughter(parent) == x;
}

// The phone set attached to the item's relation ("phoneset" parameter), else the deliverable's.
const PhoneSet* phoneSetOf(const Item* x) {
  if (x && x->relation) {
    const void* set = valPhoneset(featGet(x->relation->params, "phoneset"));
    if (set) return static_cast<const PhoneSet*>(set);
  }
  return kLanguage.phoneset;
}

// Phone id of a segment by its "name"; 0 (silence) for a missing item, name or phone.
int32_t phoneIdOf(const PhoneSet* set, const Item* segment) {
  return phoneIndex(set, valString(stored(segment, "name")));
}

bool segmentIsVowel(const PhoneSet* set, const Item* segment) {
  return phoneIsVowel(set, phoneIdOf(set, segment)) == 1;
}

// Phrase start syllable: first syllable of the first word of the syllable's phrase.
Item* phraseStartSyllable(Item* syllable) {
  Item* phrase = parentOf(parentOf(syllable));
  Item* firstWord = phrase ? phrase->down : nullptr;
  return firstWord ? firstWord->down : nullptr;
}

// Phrase end syllable: last syllable of the last word of the syllable's phrase.
Item* phraseEndSyllable(Item* syllable) {
  Item* phrase = parentOf(parentOf(syllable));
  Item* lastWord = phrase ? itemLastDaughter(phrase) : nullptr;
  return lastWord ? itemLastDaughter(lastWord) : nullptr;
}

bool stressIsOne(const Item* syllable) { return valInt(stored(syllable, "stress")) == 1; }

// "accented" of a syllable read as an integer: a stored value wins, else an
// "accent" or "endtone" feature of any value.
bool isAccented(const Item* syllable) {
  if (!syllable) return false;
  const Val* v = stored(syllable, "accented");
  if (v) return valInt(v) != 0;
  return stored(syllable, "accent") || stored(syllable, "endtone");
}

// Phrase name of a word's phrase, answered as the "word_break"/"pbreak" pair.
const Val* wordBreak(Item* word) {
  if (!word || word->next) return number(1);
  Item* phrase = parentOf(word);
  if (storedStringIs(phrase, "name", "BB")) return number(4);
  if (storedStringIs(phrase, "name", "B")) return number(3);
  return number(1);
}

const Val* ffWordBreak(Item* x) { return wordBreak(x); }

const Val* ffPbreak(Item* x) {
  if (!x || x->next) return &kValNB;
  Item* phrase = parentOf(x);
  if (storedStringIs(phrase, "name", "BB")) return &kValBB;
  if (storedStringIs(phrase, "name", "B")) return &kValB;
  return &kValNB;
}

const Val* ffGpos(Item* x) {
  const Val* v = stored(x, "gpos");
  if (v) return v;
  const char* (*classify)(const char16_t*) = kLanguage.classifyWord ? kLanguage.classifyWord : classifyWordDefault;
  const char* answer = classify(valWString(stored(x, "name")));
  if (!answer || answer[0] == '\0') return &kValEmptyClass;
  if (strCompare(answer, "punc") == 0) return &kValPunc;
  if (strCompare(answer, "in") == 0) return &kValIn;
  if (strCompare(answer, "content") == 0) return &kValContent;
  return makeString(itemPool(x), answer);
}

const Val* ffDaughterCount(Item* x) { return sharedInt(x ? x->daughters : 0); }

const Val* ffSsylIn(Item* x) {
  Item* start = phraseStartSyllable(x);
  if (!x || x == start) return number(0);
  int32_t count = 0;
  int32_t steps = 0;
  for (Item* p = x->prev; p && p != start && steps < kWalkLimit; p = p->prev, ++steps)
    if (stressIsOne(p)) ++count;
  return number(count);
}

const Val* ffSsylOut(Item* x) {
  Item* end = phraseEndSyllable(x);
  if (!x || x == end) return number(0);
  int32_t count = 0;
  int32_t steps = 0;
  for (Item* p = x->next; p && steps < kWalkLimit; p = p->next, ++steps) {
    if (stressIsOne(p)) ++count;
    if (p == end) break;
  }
  return number(count);
}

const Val* ffSylIn(Item* x) {
  Item* start = phraseStartSyllable(x);
  int32_t steps = 0;
  for (Item* p = x; p && p != start && p->prev && steps < kWalkLimit; p = p->prev) ++steps;
  return number(steps);
}

const Val* ffSylOut(Item* x) {
  Item* end = phraseEndSyllable(x);
  int32_t steps = 0;
  for (Item* p = x; p && p != end && p->next && steps < kWalkLimit; p = p->next) ++steps;
  return number(steps);
}

const Val* ffSylBreak(Item* x) {
  const Val* v = stored(x, "syl_break");
  if (v) return v;
  Item* word = parentOf(x);
  if (!word) return number(1);
  if (itemLastDaughter(word) != x) return number(0);
  return wordBreak(word);
}

// Daughters counted from the first forwards (or the last backwards) until the first vowel.
int32_t consonantsBeforeVowel(Item* syllable, bool fromFirst) {
  if (!syllable) return 0;
  const PhoneSet* set = phoneSetOf(syllable->down);
  int32_t count = 0;
  Item* d = fromFirst ? syllable->down : itemLastDaughter(syllable);
  for (int32_t i = 0; d && i < syllable->daughters; ++i, d = fromFirst ? d->next : d->prev) {
    if (segmentIsVowel(set, d)) break;
    ++count;
  }
  return count;
}

const Val* ffSylOnsetSize(Item* x) {
  const Val* v = stored(x, "syl_onsetsize");
  return v ? v : sharedInt(consonantsBeforeVowel(x, true));
}

const Val* ffSylCodaSize(Item* x) {
  const Val* v = stored(x, "syl_codasize");
  return v ? v : sharedInt(consonantsBeforeVowel(x, false));
}

// Phone feature of a segment by its name; a missing item reads as the silence phone.
const Val* segmentPhoneFeature(Item* x, const char* feature) {
  const PhoneSet* set = phoneSetOf(x);
  return phoneFeatureValue(set, phoneIdOf(set, x), feature);
}

const Val* ffPhVc(Item* x) { return segmentPhoneFeature(x, "vc"); }
const Val* ffPhVlng(Item* x) { return segmentPhoneFeature(x, "vlng"); }
const Val* ffPhVheight(Item* x) { return segmentPhoneFeature(x, "vheight"); }
const Val* ffPhVfront(Item* x) { return segmentPhoneFeature(x, "vfront"); }
const Val* ffPhVrnd(Item* x) { return segmentPhoneFeature(x, "vrnd"); }
const Val* ffPhCtype(Item* x) { return segmentPhoneFeature(x, "ctype"); }
const Val* ffPhCplace(Item* x) { return segmentPhoneFeature(x, "cplace"); }
const Val* ffPhCvox(Item* x) { return segmentPhoneFeature(x, "cvox"); }

const Val* ffAccented(Item* x) {
  return number((x && (stored(x, "accent") || stored(x, "endtone"))) ? 1 : 0);
}

const Val* ffAsylIn(Item* x) {
  Item* start = phraseStartSyllable(x);
  if (!x || x == start) return number(0);
  int32_t count = 0;
  int32_t steps = 0;
  for (Item* p = x->prev; p && steps < kWalkLimit; p = p->prev, ++steps) {
    if (isAccented(p)) ++count;
    if (p == start) break;
  }
  return number(count);
}

const Val* ffAsylOut(Item* x) {
  Item* end = phraseEndSyllable(x);
  if (!x || x == end) return number(0);
  int32_t count = 0;
  int32_t steps = 0;
  for (Item* p = x->next; p && steps < kWalkLimit; p = p->next, ++steps) {
    if (isAccented(p)) ++count;
    if (p == end) break;
  }
  return number(count);
}

// Onset (first daughters forwards) or coda (last daughters backwards) of the
// segment's syllable, up to its first vowel: true when one of those phones has
// consonant type `type` or `other` (other may be null).
bool runHasType(Item* segment, bool onset, const char* type, const char* other) {
  Item* syllable = parentOf(segment);
  if (!syllable) return false;
  const PhoneSet* set = phoneSetOf(segment);
  Item* d = onset ? syllable->down : itemLastDaughter(syllable);
  for (int32_t i = 0; d && i < syllable->daughters; ++i, d = onset ? d->next : d->prev) {
    const int32_t id = phoneIdOf(set, d);
    if (phoneIsVowel(set, id)) break;
    const char* ctype = phoneCtype(set, id);
    if (ctype && (strCompare(ctype, type) == 0 || (other && strCompare(ctype, other) == 0))) return true;
  }
  return false;
}

const Val* flag(bool on) { return number(on ? 1 : 0); }

const Val* ffSegCodaFric(Item* x) { return flag(runHasType(x, false, "f", nullptr)); }
const Val* ffSegOnsetFric(Item* x) { return flag(runHasType(x, true, "f", nullptr)); }
const Val* ffSegCodaStop(Item* x) { return flag(runHasType(x, false, "s", nullptr)); }
const Val* ffSegOnsetStop(Item* x) { return flag(runHasType(x, true, "s", nullptr)); }
const Val* ffSegCodaNasal(Item* x) { return flag(runHasType(x, false, "n", nullptr)); }
const Val* ffSegOnsetNasal(Item* x) { return flag(runHasType(x, true, "n", nullptr)); }
const Val* ffSegCodaGlide(Item* x) { return flag(runHasType(x, false, "r", "l")); }
const Val* ffSegOnsetGlide(Item* x) { return flag(runHasType(x, true, "r", "l")); }

const Val* ffSegOnsetCoda(Item* x) {
  Item* syllable = parentOf(x);
  if (!x || !syllable || itemLastDaughter(syllable) == x) return &kValCoda;
  const PhoneSet* set = phoneSetOf(x);
  bool after = false;
  Item* d = syllable->down;
  for (int32_t i = 0; d && i < syllable->daughters; ++i, d = d->next) {
    if (after && segmentIsVowel(set, d)) return &kValOnset;
    if (d == x) after = true;
  }
  return &kValCoda;
}

// Steps back to the first daughter of the item's parent (the item that carries
// the up link), or to the start of the relation; not bounded.
const Val* ffPosIn(Item* x) {
  int32_t steps = 0;
  for (Item* p = x; p && !p->up && p->prev; p = p->prev) ++steps;
  return number(steps);
}

const Val* ffPositionType(Item* x) {
  Item* word = parentOf(x);
  if (!x || !word || word->daughters == 1) return &kValSingle;
  if (word->down == x) return &kValInitial;
  if (itemLastDaughter(word) == x) return &kValFinal;
  return &kValMid;
}

const Val* ffSubPhrases(Item* x) {
  Item* phrase = parentOf(parentOf(x));
  if (!phrase) return number(0);
  const Val* v = stored(phrase, "sub_phrases");
  if (v) return v;
  int32_t count = 0;
  for (Item* p = phrase->prev; p && count < kWalkLimit && !storedStringIs(p, "name", "BB"); p = p->prev) ++count;
  return number(count);
}

const Val* ffLastAccent(Item* x) {
  Item* start = phraseStartSyllable(x);
  int32_t steps = 0;
  for (Item* p = x; p && !isAccented(p) && p != start && p->prev && steps < kWalkLimit; p = p->prev) ++steps;
  return number(steps);
}

const Val* ffNextAccent(Item* x) {
  Item* end = phraseEndSyllable(x);
  int32_t steps = 0;
  for (Item* p = x; p && !isAccented(p) && p != end && p->next && steps < kWalkLimit; p = p->next) ++steps;
  return number(steps);
}

const Val* ffSylFinal(Item* x) { return flag(isLastDaughter(x)); }

const Val* ffSegmentDuration(Item* x) {
  if (!x) return sharedInt(0);
  const Val* end = stored(x, "end");
  if (!x->prev) return end ? end : sharedInt(0);
  const int64_t difference = static_cast<int64_t>(valInt(end)) - valInt(stored(x->prev, "end"));
  if (difference > INT32_MAX) return makeInt(itemPool(x), INT32_MAX);
  if (difference < INT32_MIN) return makeInt(itemPool(x), INT32_MIN);
  return makeInt(itemPool(x), static_cast<int32_t>(difference));
}

bool isPause(const Item* segment) { return segment && valInt(stored(segment, "pid")) == 0; }

const Val* ffEmphSil(Item* x) {
  if (isPause(x) && isAccented(parentOf(x))) return &kValPlus;
  return number(0);
}

const Val* ffIsPau(Item* x) { return flag(isPause(x)); }

const Val* ffSylYnQuestion(Item* x) {
  const Val* name = stored(parentOf(x), "name");
  const char16_t* wide = valWString(name);
  if (wide) return flag(wide[0] == u'?' && wide[1] == u'\0');
  const char* narrow = valString(name);
  return flag(narrow && narrow[0] == '?' && narrow[1] == '\0');
}

struct Registration {
  const char* name;
  FeatureFunction fn;
};

const Registration kRegistrations[kFeatureFunctionCount] = {
    {"word_break", ffWordBreak},
    {"gpos", ffGpos},
    {"word_numsyls", ffDaughterCount},
    {"syl_numphones", ffDaughterCount},
    {"ssyl_in", ffSsylIn},
    {"ssyl_out", ffSsylOut},
    {"syl_in", ffSylIn},
    {"syl_out", ffSylOut},
    {"syl_break", ffSylBreak},
    {"old_syl_break", ffSylBreak},
    {"syl_onsetsize", ffSylOnsetSize},
    {"syl_codasize", ffSylCodaSize},
    {"ph_vc", ffPhVc},
    {"ph_vlng", ffPhVlng},
    {"ph_vheight", ffPhVheight},
    {"ph_vfront", ffPhVfront},
    {"ph_vrnd", ffPhVrnd},
    {"ph_ctype", ffPhCtype},
    {"ph_cplace", ffPhCplace},
    {"ph_cvox", ffPhCvox},
    {"accented", ffAccented},
    {"asyl_in", ffAsylIn},
    {"asyl_out", ffAsylOut},
    {"seg_coda_fric", ffSegCodaFric},
    {"seg_onset_fric", ffSegOnsetFric},
    {"seg_coda_stop", ffSegCodaStop},
    {"seg_onset_stop", ffSegOnsetStop},
    {"seg_coda_nasal", ffSegCodaNasal},
    {"seg_onset_nasal", ffSegOnsetNasal},
    {"seg_coda_glide", ffSegCodaGlide},
    {"seg_onset_glide", ffSegOnsetGlide},
    {"seg_onsetcoda", ffSegOnsetCoda},
    {"pos_in_syl", ffPosIn},
    {"pos_in_word", ffPosIn},
    {"position_type", ffPositionType},
    {"sub_phrases", ffSubPhrases},
    {"last_accent", ffLastAccent},
    {"next_accent", ffNextAccent},
    {"syl_final", ffSylFinal},
    {"segment_duration", ffSegmentDuration},
    {"emph_sil", ffEmphSil},
    {"is_pau", ffIsPau},
    {"syl_yn_question", ffSylYnQuestion},
    {"pbreak", ffPbreak},
    {"lisp_is_pau", ffIsPau},
    {"lisp_syl_yn_question", ffSylYnQuestion},
};

}  // namespace

void registerFeatureFunctions(Features* registry) {
  if (!registry) return;
  for (const Registration& r : kRegistrations) registerFeature(registry, r.name, r.fn);
}

const char* featureFunctionName(int32_t index) {
  return (index >= 0 && index < kFeatureFunctionCount) ? kRegistrations[index].name : nullptr;
}

}  // namespace tts
