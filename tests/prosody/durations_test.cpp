// Segment durations of the three languages.
#include <gtest/gtest.h>

#include "prosody/durations.h"
#include "prosody_fixture.h"

namespace {

using namespace prosody_test;

// Durations (end differences) of the phrase's segments, in relation order.
std::vector<int32_t> durationsOf(Phrase& p) {
  std::vector<int32_t> out;
  int32_t previous = 0;
  for (tts::Item* x = p.segments->head; x; x = x->next) {
    int32_t end = num(x, "end");
    out.push_back(end - previous);
    previous = end;
  }
  return out;
}

using D = std::vector<int32_t>;

TEST(Durations, SpanishPerPhoneTable) {
  Session s(Lang::Es);
  s.lexicon.words[u"casa"] = "k a1 s a";
  Phrase p(s);
  buildPhrase(p, {u"casa"});
  p.pronounceAll();
  ASSERT_EQ(tts::assignDurations(s.ctx.language, s.ctx.phoneset, p.phrases), 0);
  // ##, k (6553), stressed a (5242 * 307 / 256 = 6286), s (7208), unstressed a (5242), ##.
  EXPECT_EQ(durationsOf(p), (D{10, 102, 98, 112, 81, 10}));
  EXPECT_EQ(num(p.segments->tail, "end"), 413);
}

TEST(Durations, SpanishStretchAndLoneSilence) {
  Session s(Lang::Es, /*stretch=*/128);
  s.lexicon.words[u"casa"] = "k a1 s a";
  Phrase p(s);
  buildPhrase(p, {u"casa", u"zzz", u"casa"});
  p.pronounceAll();
  ASSERT_EQ(tts::assignDurations(s.ctx.language, s.ctx.phoneset, p.phrases), 0);
  // Half rate: 6553 * 128 >> 14 = 51, 6286 -> 49, 7208 -> 56, 5242 -> 40; the
  // lone silence of the unknown word lasts as long as any silence.
  EXPECT_EQ(durationsOf(p), (D{10, 51, 49, 56, 40, 10, 51, 49, 56, 40, 10}));
}

TEST(Durations, SpanishRowLookup) {
  const tts::ProsodyLanguage* es = &tts::kProsodyLanguageEs;
  EXPECT_STREQ(tts::durationRowFor(es, "##")->name, "pau");  // not in the table: first row
  EXPECT_EQ(tts::durationRowFor(es, "w")->base, 3447);
  EXPECT_EQ(tts::durationRowFor(es, "r[")->scale, 1966);
  const tts::ProsodyLanguage* tr = &tts::kProsodyLanguageTr;
  EXPECT_STREQ(tts::durationRowFor(tr, "e")->name, "eh");
  EXPECT_STREQ(tts::durationRowFor(tr, "tS")->name, "sh");
  EXPECT_STREQ(tts::durationRowFor(tr, "##")->name, "pau");
  EXPECT_STREQ(tts::durationRowFor(tr, "nope")->name, "pau");
}

TEST(Durations, TurkishPerPhoneTable) {
  Session s(Lang::Tr);
  s.lexicon.words[u"seve"] = "s e v e";
  s.lexicon.words[u"sevE"] = "s e1 v e";
  Phrase p(s);
  buildPhrase(p, {u"seve", u"sevE"});
  p.pronounceAll();
  ASSERT_EQ(tts::assignDurations(s.ctx.language, s.ctx.phoneset, p.phrases), 0);
  // s 7115+2751, e 7159+3075 = 159, v 2993+1177; stressed e: 7159 + (3075*300 >> 8) -> 168.
  EXPECT_EQ(durationsOf(p), (D{20, 154, 159, 65, 159, 154, 168, 65, 159, 20}));
}

TEST(Durations, PolishZScoresAndSilences) {
  Session s(Lang::Pl);
  s.lexicon.words[u"tak"] = "t a k";
  Phrase p(s);
  buildPhrase(p, {u"tak", u"qqq", u"tak"});
  p.pronounceAll();
  ASSERT_EQ(tts::assignDurations(s.ctx.language, s.ctx.phoneset, p.phrases), 0);
  std::vector<int32_t> d = durationsOf(p);
  ASSERT_EQ(d.size(), 9u);
  EXPECT_EQ(d[0], 0);   // phrase-initial silence
  EXPECT_EQ(d[4], 30);  // lone silence inside the phrase
  EXPECT_EQ(d[8], 0);   // final pause
  // Phrase-final syllable before the "4" pause: z = 307.
  // t: (4090 + (2078*307 >> 8)) * 256 >> 14 = 102; a: 108; k: 106.
  EXPECT_EQ(d[5], 102);
  EXPECT_EQ(d[6], 108);
  EXPECT_EQ(d[7], 106);
  for (int i = 1; i < 4; ++i) EXPECT_GE(d[i], 10);
}

TEST(Durations, PolishInnerSilenceFloorAtFastRate) {
  Session s(Lang::Pl, /*stretch=*/64);
  s.lexicon.words[u"tak"] = "t a k";
  Phrase p(s);
  buildPhrase(p, {u"tak", u"qqq", u"tak"});
  p.pronounceAll();
  ASSERT_EQ(tts::assignDurations(s.ctx.language, s.ctx.phoneset, p.phrases), 0);
  std::vector<int32_t> d = durationsOf(p);
  EXPECT_EQ(d[4], 10);  // 64 * 30 >> 8 = 7, floored
  for (size_t i = 1; i + 1 < d.size(); ++i) EXPECT_GE(d[i], 10);
}

}  // namespace
