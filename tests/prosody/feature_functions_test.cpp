// Feature functions on a hand-built Spanish utterance:
//
//   Word      w0 ""        w1 "casita"             w2 "es"   w3 "trenes"
//   Syllable  s0 [##]      s1 [k a] s2 [s i] s3 [t a]  s4 [e s]  s5 [t r e] s6 [n e s]   s7 [##] (no word)
//   stress    -            0        1        0         1         1          0
//   marks                           accent H*                    endtone H-
//
// The phrase's daughters are w1..w3 (w0 is the phrase-initial word item), so
// the phrase start syllable is s1 and the phrase end syllable is s6.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/arena.h"
#include "model/features.h"
#include "model/path.h"
#include "model/relation.h"
#include "model/strings.h"
#include "prosody/feature_functions.h"
#include "prosody/phonesets.h"

namespace {

using tts::Item;
using tts::Val;

// Renders a value for comparison: strings as themselves, ints as "#n".
std::string text(const Val* v) {
  if (!v) return "<null>";
  if (v->type == tts::kValString) return tts::valString(v);
  if (v->type == tts::kValInt) return "#" + std::to_string(tts::valInt(v));
  return "<type " + std::to_string(v->type) + ">";
}

class FeatureFunctionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    params = tts::featCreate();
    registry = tts::featCreate();
    arena = tts::arenaCreate(30720);
    tts::featSet(params, "phoneset", tts::makePhoneset(&tts::kPhoneSetEs));
    tts::registerFeatureFunctions(registry);
    phrases = tts::relCreate("Phrase", params, registry, arena);
    words = tts::relCreate("Word", params, registry, arena);
    syllables = tts::relCreate("Syllable", params, registry, arena);
    segments = tts::relCreate("Segment", params, registry, arena);

    phrase = tts::relAppend(phrases);
    tts::itemSetString(phrase, "name", "BB");
    Item* w0 = word(u"", false);
    s.push_back(syllable(w0, nullptr, {"##"}));
    Item* w1 = word(u"casita", true);
    s.push_back(syllable(w1, "0", {"k", "a"}));
    s.push_back(syllable(w1, "1", {"s", "i"}));
    s.push_back(syllable(w1, "0", {"t", "a"}));
    Item* w2 = word(u"es", true);
    s.push_back(syllable(w2, "1", {"e", "s"}));
    Item* w3 = word(u"trenes", true);
    s.push_back(syllable(w3, "1", {"t", "r", "e"}));
    s.push_back(syllable(w3, "0", {"n", "e", "s"}));
    s.push_back(syllable(nullptr, "0", {"##"}));
    w = {w0, w1, w2, w3};
    tts::itemSetString(s[2], "accent", "H*");
    tts::itemSetString(s[5], "endtone", "H-");
  }

  void TearDown() override {
    tts::relDestroy(phrases);
    tts::relDestroy(words);
    tts::relDestroy(syllables);
    tts::relDestroy(segments);
    tts::featDestroy(params);
    tts::featDestroy(registry);
    EXPECT_EQ(tts::arenaDepth(arena), 0);
    tts::arenaDestroy(arena);
  }

  Item* word(const char16_t* name, bool daughter) {
    Item* x = tts::relAppend(words);
    tts::itemSet(x, "name", tts::makeWString(name));
    if (daughter) {
      EXPECT_EQ(tts::itemAddDaughter(phrase, x), x);
    }
    return x;
  }

  Item* syllable(Item* parent, const char* stress, const std::vector<const char*>& phones) {
    Item* x = tts::relAppend(syllables);
    if (stress) tts::itemSetString(x, "stress", stress);
    if (parent) {
      EXPECT_EQ(tts::itemAddDaughter(parent, x), x);
    }
    for (const char* p : phones) {
      Item* seg = tts::relAppend(segments);
      tts::itemSetString(seg, "name", p);
      tts::itemSetInt(seg, "pid", tts::phoneIndex(&tts::kPhoneSetEs, p));
      EXPECT_EQ(tts::itemAddDaughter(x, seg), seg);
    }
    return x;
  }

  // Calls a registered function directly; checks that the answer is a static value.
  std::string call(const char* name, Item* x) {
    const Val* fn = tts::featGet(registry, name);
    EXPECT_NE(tts::valFfunc(fn), nullptr) << name;
    if (!tts::valFfunc(fn)) return "<unregistered>";
    const Val* v = tts::valFfunc(fn)(x);
    EXPECT_TRUE(v == nullptr || v->holders == -1 || v->holders > 0) << name << " made a new value";
    return text(v);
  }

  std::vector<std::string> overSyllables(const char* name) {
    std::vector<std::string> out;
    for (Item* x : s) out.push_back(call(name, x));
    return out;
  }

  std::vector<std::string> overSegments(Item* syl, const char* name) {
    std::vector<std::string> out;
    Item* d = syl->down;
    for (int32_t i = 0; i < syl->daughters; ++i, d = d->next) out.push_back(call(name, d));
    return out;
  }

  Item* segment(int32_t syl, int32_t index) {
    Item* d = s[syl]->down;
    while (index-- > 0) d = d->next;
    return d;
  }

  tts::Features* params = nullptr;
  tts::Features* registry = nullptr;
  tts::WorkArena* arena = nullptr;
  tts::Relation* phrases = nullptr;
  tts::Relation* words = nullptr;
  tts::Relation* syllables = nullptr;
  tts::Relation* segments = nullptr;
  Item* phrase = nullptr;
  std::vector<Item*> w;
  std::vector<Item*> s;
};

using V = std::vector<std::string>;

TEST_F(FeatureFunctionsTest, RegistersAllFortySixInOrder) {
  const char* const expected[] = {
      "word_break",      "gpos",           "word_numsyls",    "syl_numphones",   "ssyl_in",
      "ssyl_out",        "syl_in",         "syl_out",         "syl_break",       "old_syl_break",
      "syl_onsetsize",   "syl_codasize",   "ph_vc",           "ph_vlng",         "ph_vheight",
      "ph_vfront",       "ph_vrnd",        "ph_ctype",        "ph_cplace",       "ph_cvox",
      "accented",        "asyl_in",        "asyl_out",        "seg_coda_fric",   "seg_onset_fric",
      "seg_coda_stop",   "seg_onset_stop", "seg_coda_nasal",  "seg_onset_nasal", "seg_coda_glide",
      "seg_onset_glide", "seg_onsetcoda",  "pos_in_syl",      "pos_in_word",     "position_type",
      "sub_phrases",     "last_accent",    "next_accent",     "syl_final",       "segment_duration",
      "emph_sil",        "is_pau",         "syl_yn_question", "pbreak",          "lisp_is_pau",
      "lisp_syl_yn_question"};
  ASSERT_EQ(std::size(expected), static_cast<size_t>(tts::kFeatureFunctionCount));
  for (int32_t i = 0; i < tts::kFeatureFunctionCount; ++i) EXPECT_STREQ(tts::featureFunctionName(i), expected[i]);
  EXPECT_EQ(tts::featureFunctionName(46), nullptr);
  // The registry lists newest first: walk it backwards against the order.
  int32_t count = 0;
  for (tts::FeatEntry* e = registry->head; e; e = e->next, ++count) {
    EXPECT_STREQ(e->name, expected[tts::kFeatureFunctionCount - 1 - count]);
    EXPECT_NE(tts::valFfunc(e->value), nullptr);
  }
  EXPECT_EQ(count, 46);
  // Registering again changes nothing; a null registry is ignored.
  tts::registerFeatureFunctions(registry);
  tts::registerFeatureFunctions(nullptr);
  count = 0;
  for (tts::FeatEntry* e = registry->head; e; e = e->next) ++count;
  EXPECT_EQ(count, 46);
}

TEST_F(FeatureFunctionsTest, CountsToThePhraseEdges) {
  EXPECT_EQ(overSyllables("syl_in"), (V{"0", "0", "1", "2", "3", "4", "5", "6"}));
  EXPECT_EQ(overSyllables("syl_out"), (V{"7", "5", "4", "3", "2", "1", "0", "0"}));
  EXPECT_EQ(overSyllables("ssyl_in"), (V{"0", "0", "0", "1", "1", "2", "3", "3"}));
  EXPECT_EQ(overSyllables("ssyl_out"), (V{"3", "3", "2", "2", "1", "0", "0", "0"}));
  EXPECT_EQ(overSyllables("accented"), (V{"0", "0", "1", "0", "0", "1", "0", "0"}));
  EXPECT_EQ(overSyllables("asyl_in"), (V{"0", "0", "0", "1", "1", "1", "2", "2"}));
  EXPECT_EQ(overSyllables("asyl_out"), (V{"2", "2", "1", "1", "1", "0", "0", "0"}));
  EXPECT_EQ(overSyllables("last_accent"), (V{"0", "0", "0", "1", "2", "0", "1", "2"}));
  EXPECT_EQ(overSyllables("next_accent"), (V{"2", "1", "0", "2", "1", "0", "0", "0"}));
  // Null items.
  for (const char* f : {"syl_in", "syl_out", "ssyl_in", "ssyl_out", "asyl_in", "asyl_out", "accented"})
    EXPECT_EQ(call(f, nullptr), "0") << f;
}

TEST_F(FeatureFunctionsTest, NeighbourWalksStopAfter512Steps) {
  tts::Relation* lone = tts::relCreate("Syllable", params, registry, arena);
  Item* last = nullptr;
  for (int32_t i = 0; i < 600; ++i) {
    last = tts::relAppend(lone);
    tts::itemSetString(last, "stress", "1");
    tts::itemSetString(last, "accent", "H*");
  }
  EXPECT_EQ(call("syl_in", last), "512");
  EXPECT_EQ(call("ssyl_in", last), "512");
  EXPECT_EQ(call("asyl_in", last), "512");
  EXPECT_EQ(call("syl_out", lone->head), "512");
  EXPECT_EQ(call("pos_in_syl", last), "512");  // unbounded walk, clamped answer
  tts::relDestroy(lone);
}

TEST_F(FeatureFunctionsTest, WordBreakAndPbreakFollowThePhraseName) {
  EXPECT_EQ(call("word_break", w[3]), "4");
  EXPECT_EQ(call("pbreak", w[3]), "BB");
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(call("word_break", w[i]), "1");
    EXPECT_EQ(call("pbreak", w[i]), "NB");
  }
  tts::itemSetString(phrase, "name", "B");
  EXPECT_EQ(call("word_break", w[3]), "3");
  EXPECT_EQ(call("pbreak", w[3]), "B");
  tts::itemSetString(phrase, "name", "X");
  EXPECT_EQ(call("word_break", w[3]), "1");
  EXPECT_EQ(call("pbreak", w[3]), "NB");
  EXPECT_EQ(call("word_break", nullptr), "1");
  EXPECT_EQ(call("pbreak", nullptr), "NB");
}

TEST_F(FeatureFunctionsTest, SyllableBreaksAndPositions) {
  // s7's path parent is w3 (the item before it carries w3's up link), where it is no daughter.
  EXPECT_EQ(overSyllables("syl_break"), (V{"1", "0", "0", "1", "1", "0", "4", "0"}));
  EXPECT_EQ(overSyllables("old_syl_break"), overSyllables("syl_break"));
  tts::itemSetString(s[1], "syl_break", "3");
  EXPECT_EQ(call("syl_break", s[1]), "3");
  tts::Relation* lone = tts::relCreate("Syllable", params, registry, arena);
  EXPECT_EQ(call("syl_break", tts::relAppend(lone)), "1");  // no word
  tts::relDestroy(lone);

  EXPECT_EQ(overSyllables("syl_final"), (V{"1", "0", "0", "1", "1", "0", "1", "0"}));
  EXPECT_EQ(overSyllables("pos_in_word"), (V{"0", "0", "1", "2", "0", "0", "1", "2"}));
  EXPECT_EQ(call("position_type", s[0]), "single");
  EXPECT_EQ(call("position_type", s[1]), "initial");
  EXPECT_EQ(call("position_type", s[2]), "mid");
  EXPECT_EQ(call("position_type", s[3]), "final");
  EXPECT_EQ(call("position_type", s[4]), "single");
  EXPECT_EQ(call("position_type", nullptr), "single");
  EXPECT_EQ(overSegments(s[5], "pos_in_syl"), (V{"0", "1", "2"}));
  EXPECT_EQ(call("word_numsyls", w[1]), "#3");
  EXPECT_EQ(call("word_numsyls", nullptr), "#0");
  EXPECT_EQ(call("syl_numphones", s[5]), "#3");
}

TEST_F(FeatureFunctionsTest, OnsetAndCodaFamily) {
  EXPECT_EQ(overSyllables("syl_onsetsize"), (V{"#1", "#1", "#1", "#1", "#0", "#2", "#1", "#1"}));
  EXPECT_EQ(overSyllables("syl_codasize"), (V{"#1", "#0", "#0", "#0", "#1", "#0", "#1", "#1"}));
  tts::itemSetInt(s[5], "syl_onsetsize", 7);
  EXPECT_EQ(call("syl_onsetsize", s[5]), "#7");

  // [t r e]: stop and glide (r) in the onset, nothing in the coda; every segment alike.
  EXPECT_EQ(overSegments(s[5], "seg_onset_stop"), (V{"1", "1", "1"}));
  EXPECT_EQ(overSegments(s[5], "seg_onset_glide"), (V{"1", "1", "1"}));
  EXPECT_EQ(overSegments(s[5], "seg_onset_fric"), (V{"0", "0", "0"}));
  EXPECT_EQ(overSegments(s[5], "seg_coda_stop"), (V{"0", "0", "0"}));
  EXPECT_EQ(overSegments(s[5], "seg_onsetcoda"), (V{"onset", "onset", "coda"}));
  // [n e s]: nasal onset, fricative coda.
  EXPECT_EQ(overSegments(s[6], "seg_onset_nasal"), (V{"1", "1", "1"}));
  EXPECT_EQ(overSegments(s[6], "seg_coda_fric"), (V{"1", "1", "1"}));
  EXPECT_EQ(overSegments(s[6], "seg_coda_nasal"), (V{"0", "0", "0"}));
  EXPECT_EQ(overSegments(s[6], "seg_coda_glide"), (V{"0", "0", "0"}));
  EXPECT_EQ(overSegments(s[6], "seg_onsetcoda"), (V{"onset", "coda", "coda"}));
  // [e s]: no vowel follows the vowel itself.
  EXPECT_EQ(overSegments(s[4], "seg_onsetcoda"), (V{"coda", "coda"}));
  EXPECT_EQ(overSegments(s[4], "seg_onset_fric"), (V{"0", "0"}));
  EXPECT_EQ(overSegments(s[4], "seg_coda_fric"), (V{"1", "1"}));
  EXPECT_EQ(call("seg_onsetcoda", nullptr), "coda");
  EXPECT_EQ(call("seg_coda_fric", nullptr), "0");
}

TEST_F(FeatureFunctionsTest, PhoneFeaturesIncludingSilence) {
  Item* k = segment(1, 0);
  EXPECT_EQ(call("ph_vc", k), "-");
  EXPECT_EQ(call("ph_ctype", k), "s");
  EXPECT_EQ(call("ph_cplace", k), "v");
  EXPECT_EQ(call("ph_cvox", k), "-");
  Item* a = segment(1, 1);
  EXPECT_EQ(call("ph_vc", a), "+");
  EXPECT_EQ(call("ph_vlng", a), "s");
  EXPECT_EQ(call("ph_vheight", a), "3");
  EXPECT_EQ(call("ph_vfront", a), "3");
  EXPECT_EQ(call("ph_vrnd", a), "-");
  Item* silence = segment(0, 0);
  EXPECT_EQ(call("is_pau", silence), "1");
  EXPECT_EQ(call("lisp_is_pau", silence), "1");
  EXPECT_EQ(call("ph_vc", silence), "-");
  EXPECT_EQ(call("ph_ctype", silence), "0");
  EXPECT_EQ(call("is_pau", k), "0");
  // An unknown name reads as the silence phone.
  tts::itemSetString(k, "name", "zz");
  EXPECT_EQ(call("ph_ctype", k), "0");
  // The relation's phone set decides: Polish "a" is a front vowel.
  tts::featSet(params, "phoneset", tts::makePhoneset(&tts::kPhoneSetPl));
  EXPECT_EQ(call("ph_vfront", a), "1");
}

TEST_F(FeatureFunctionsTest, DurationsPausesAndQuestions) {
  int32_t end = 0;
  for (Item* x = segments->head; x; x = x->next) tts::itemSetInt(x, "end", end += 40);
  tts::itemSetInt(segments->tail, "end", end + 1000);
  const Val* first = tts::featGet(segments->head->features, "end");
  const Val* fn = tts::featGet(registry, "segment_duration");
  EXPECT_EQ(tts::valFfunc(fn)(segments->head), first);
  EXPECT_EQ(call("segment_duration", segments->head->next), "#40");
  EXPECT_EQ(call("segment_duration", nullptr), "#0");
  const Val* large = tts::valFfunc(fn)(segments->tail);
  EXPECT_EQ(tts::valInt(large), 1040);
  tts::valDropIfUnheld(large);

  EXPECT_EQ(call("emph_sil", segment(0, 0)), "0");
  tts::itemSetString(s[0], "accent", "H*");
  EXPECT_EQ(call("emph_sil", segment(0, 0)), "+");
  EXPECT_EQ(call("emph_sil", segment(2, 0)), "0");  // accented, but not a pause

  EXPECT_EQ(call("syl_yn_question", s[5]), "0");
  tts::itemSet(w[3], "name", tts::makeWString(u"?"));
  EXPECT_EQ(call("syl_yn_question", s[5]), "1");
  EXPECT_EQ(call("lisp_syl_yn_question", s[6]), "1");
  tts::itemSet(w[3], "name", tts::makeWString(u"??"));
  EXPECT_EQ(call("syl_yn_question", s[5]), "0");
}

TEST_F(FeatureFunctionsTest, SubPhrasesStoredOrCountedBackToBB) {
  EXPECT_EQ(call("sub_phrases", s[1]), "0");
  tts::Relation* many = tts::relCreate("Phrase", params, registry, arena);
  for (const char* name : {"B", "BB", "B", "B"}) tts::itemSetString(tts::relAppend(many), "name", name);
  // Move the utterance's words under a phrase that follows the four above.
  Item* last = tts::relAppend(many);
  Item* w1 = w[1];
  phrase->down = nullptr;
  phrase->daughters = 0;
  w1->up = nullptr;
  ASSERT_EQ(tts::itemAddDaughter(last, w1), w1);
  ASSERT_EQ(tts::itemAddDaughter(last, w[2]), w[2]);
  EXPECT_EQ(call("sub_phrases", s[2]), "2");
  tts::itemSetString(last, "sub_phrases", "5");
  EXPECT_EQ(call("sub_phrases", s[2]), "5");
  tts::relDestroy(many);
}

TEST_F(FeatureFunctionsTest, GposClassifiesTheWordName) {
  EXPECT_EQ(call("gpos", w[1]), "content");
  EXPECT_EQ(call("gpos", w[0]), "");
  tts::itemSet(w[2], "name", tts::makeWString(u","));
  EXPECT_EQ(call("gpos", w[2]), "punc");
  tts::itemSetString(w[2], "gpos", "det");
  EXPECT_EQ(call("gpos", w[2]), "det");
  EXPECT_EQ(call("gpos", nullptr), "");
}

TEST_F(FeatureFunctionsTest, PathsReachTheRegistry) {
  EXPECT_EQ(text(tts::itemPath(s[2], "syl_in")), "1");
  EXPECT_EQ(text(tts::itemPath(s[2], "R:SylStructure.parent.gpos")), "content");
  EXPECT_EQ(text(tts::itemPath(segment(6, 2), "R:SylStructure.parent.parent.pbreak")), "BB");
  EXPECT_EQ(text(tts::itemPath(segment(5, 0), "R:SylStructure.parent.syl_onsetsize")), "#2");
  EXPECT_EQ(text(tts::itemPath(s[3], "p.accented")), "1");
  tts::itemSetString(s[2], "syl_in", "9");
  EXPECT_EQ(text(tts::itemPath(s[2], "syl_in")), "9");  // stored hides computed
}

}  // namespace
