// Stage 4: accents and the unit-target arrays.
#include <gtest/gtest.h>

#include "model/cart.h"
#include "prosody/accents.h"
#include "prosody/intonation_trees.h"
#include "prosody/phoneset.h"
#include "prosody_fixture.h"

namespace {

using namespace prosody_test;

struct Arrays {
  std::vector<uint8_t> phones, prominence, durations, boundaries;
  std::vector<int32_t> targets;
  int32_t count = 0;
  explicit Arrays(int32_t capacity)
      : phones(capacity, 0xEE), prominence(capacity, 0xEE), durations(capacity, 0xEE), boundaries(capacity, 0xEE),
        targets(4 * capacity + 4, -7) {}
  int32_t run(Phrase& p, int32_t capacity) {
    count = tts::buildTargetsWith(p.s.ctx, p.phrases, phones.data(), prominence.data(), durations.data(),
                                  boundaries.data(), targets.data(), capacity);
    return count;
  }
  std::vector<int> v(const std::vector<uint8_t>& a) const { return std::vector<int>(a.begin(), a.begin() + count); }
};

using I = std::vector<int>;

TEST(UnitTargets, ArraysForASpanishPhrase) {
  Session s(Lang::Es);
  s.lexicon.words[u"amigo"] = "a1 m i0 g o";
  s.lexicon.words[u"otro"] = "o1 t r o";
  Phrase p(s);
  buildPhrase(p, {u"amigo", u"otro"});
  const int32_t n = p.pronounceAll();
  Arrays a(n + 2);
  ASSERT_EQ(a.run(p, n + 2), 11);
  auto id = [](const char* name) { return tts::phoneIndex(&tts::kPhoneSetEs, name); };
  EXPECT_EQ(a.v(a.phones), (I{0, id("a"), id("m"), id("i"), id("g"), id("o"), id("o"), id("t"), id("r["), id("o"), 0}));
  EXPECT_EQ(a.v(a.prominence), (I{0, 1, 0, 0, 0, 0, 1, 1, 0, 0, 0}));
  EXPECT_EQ(a.v(a.boundaries), (I{5, 1, 0, 1, 0, 2, 0, 1, 0, 5, 5}));
  EXPECT_EQ(a.durations[0], 10);
  EXPECT_EQ(a.durations[1], 98);  // stressed a
  EXPECT_EQ(a.durations[10], 10);
  for (int32_t k = 0; k < 4 * a.count; ++k) EXPECT_GT(a.targets[k], 0);
  EXPECT_EQ(a.targets[4 * a.count], -7);  // nothing written past the count
  EXPECT_EQ(a.phones[a.count], 0xEE);
}

TEST(UnitTargets, DurationCapAndCapacity) {
  Session s(Lang::Es, /*stretch=*/1024);
  s.lexicon.words[u"casa"] = "k a1 s a";
  Phrase p(s);
  buildPhrase(p, {u"casa"});
  p.pronounceAll();
  Arrays a(8);
  ASSERT_EQ(a.run(p, 3), 3);  // capacity bounds the entries written
  EXPECT_EQ(a.phones[3], 0xEE);
  EXPECT_EQ(a.targets[12], -7);
  EXPECT_EQ(a.durations[0], 10);
  EXPECT_EQ(a.durations[1], 250);  // k: 6553 * 1024 >> 14 = 409
  EXPECT_EQ(a.durations[2], 250);
}

TEST(UnitTargets, SpanishCodaGlide) {
  Session s(Lang::Es);
  s.lexicon.words[u"rey"] = "r e1 y";
  s.lexicon.words[u"ayo"] = "a1 y o";
  s.lexicon.words[u"bou"] = "b o1 w";
  Phrase p(s);
  buildPhrase(p, {u"ayo", u"rey", u"bou"});
  const int32_t n = p.pronounceAll();
  Arrays a(n + 2);
  ASSERT_EQ(a.run(p, n + 2), 11);
  auto id = [](const char* name) { return tts::phoneIndex(&tts::kPhoneSetEs, name); };
  // ## a j o r e j b o w ##: the j between vowels stays, the coda glides become vowels.
  EXPECT_EQ(a.v(a.phones),
            (I{0, id("a"), id("j"), id("o"), id("r["), id("e"), 13, id("b"), id("o"), 29, 0}));
  EXPECT_EQ(str(nth(p.segments, 6), "name"), "j");  // only "pid" changes
}

TEST(UnitTargets, NoFirstSegmentGivesNoTargets) {
  Session s(Lang::Es);
  s.lexicon.available = false;
  Phrase p(s);
  buildPhrase(p, {u"uno"});
  p.pronounceAll();
  Arrays a(4);
  EXPECT_EQ(a.run(p, 4), 0);
  EXPECT_EQ(a.phones[0], 0xEE);
}

TEST(Accents, VerbatimModes) {
  Session s(Lang::Es);
  s.lexicon.words[u"amigo"] = "a2 m i1 g o";
  s.lexicon.words[u"otro"] = "o1 t r o";
  s.lexicon.words[u"de"] = "d e";
  s.lexicon.words[u"si"] = "s i";
  {
    Phrase p(s);
    buildPhrase(p, {u"amigo", u"de", u"otro"}, "BB", 1);
    p.pronounceAll();
    ASSERT_EQ(tts::assignAccents(p.phrases), 0);
    std::vector<std::string> acc, tone;
    for (tts::Item* x = p.syllables->head; x; x = x->next) {
      acc.push_back(str(x, "accent"));
      tone.push_back(str(x, "endtone"));
    }
    // ##, a, m i, g o, d e, o t, r o, pause: primary stress preferred; "de" has none.
    EXPECT_EQ(acc, (std::vector<std::string>{"<none>", "<none>", "H*", "<none>", "<none>", "H*", "<none>", "<none>"}));
    for (auto& t : tone) EXPECT_EQ(t, "<none>");
  }
  {
    Phrase p(s);
    buildPhrase(p, {u"si"}, "BB", 6);
    p.pronounceAll();
    ASSERT_EQ(tts::assignAccents(p.phrases), 0);
    EXPECT_EQ(str(nth(p.syllables, 1), "accent"), "H*");  // unstressed, yet accented
  }
  {
    Phrase p(s);
    buildPhrase(p, {u"otro", u"otro", u"otro", u"otro", u"otro", u"otro"}, "BB", 7);
    p.pronounceAll();
    ASSERT_EQ(tts::assignAccents(p.phrases), 0);
    EXPECT_EQ(str(nth(p.syllables, 1), "accent"), "H*");  // by the tree: phrase start syllable
    EXPECT_EQ(str(nth(p.syllables, 2), "accent"), "<none>");  // unstressed: never by the tree
  }
}

TEST(Accents, TreesOnAPhrase) {
  Session s(Lang::Es);
  s.lexicon.words[u"amigo"] = "a1 m i0 g o";
  s.lexicon.words[u"otro"] = "o1 t r o";
  Phrase p(s);
  buildPhrase(p, {u"amigo", u"otro"}, "BB", 0, 0, u"?");
  p.pronounceAll();
  ASSERT_EQ(tts::assignAccents(p.phrases), 0);
  EXPECT_EQ(str(p.syllables->head, "accent"), "<none>");  // the phrase-initial syllable is not visited
  EXPECT_EQ(str(nth(p.syllables, 1), "accent"), "H*");    // node 46: phrase start syllable
  for (int k : {2, 3, 5}) EXPECT_EQ(str(nth(p.syllables, k), "accent"), "<none>");
  // The "?" item's syllable answers the yes/no question of the tone tree.
  EXPECT_STREQ(tts::valString(tts::cartEvaluate(p.syllables->head, &tts::kToneTree, 0)), "H-H%");
}

// The pause syllable after the phrase carries the break, so the tree never
// gives a boundary tone; the phrase's own last syllable gets it, and a
// question ends in the yes/no tone.
TEST(Accents, BoundaryToneOnThePhrasesLastSyllable) {
  for (bool question : {false, true}) {
    Session s(Lang::Tr);
    s.lexicon.words[u"kitap"] = "k i t a1 p";
    s.lexicon.words[u"okudum"] = "o k u d u1 m";
    Phrase p(s);
    buildPhrase(p, {u"kitap", u"okudum"});
    if (question) tts::itemSet(p.phrases->head, "question", tts::makeInt(1));
    p.pronounceAll();
    ASSERT_EQ(tts::assignAccents(p.phrases), 0);
    tts::Item* pause = p.syllables->tail;
    ASSERT_EQ(str(pause->down, "name"), "##");
    EXPECT_EQ(str(pause, "endtone"), "<none>");  // node 8: the break before it
    EXPECT_EQ(str(pause, "syl_break"), "4");      // restored after the second question
    EXPECT_EQ(str(pause->prev, "endtone"), question ? "H-H%" : "L-L%");
  }
}

}  // namespace
