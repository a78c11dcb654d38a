// F0 targets and per-segment pitch periods.
#include <gtest/gtest.h>

#include "prosody/durations.h"
#include "prosody/f0_targets.h"
#include "prosody_fixture.h"

namespace {

using namespace prosody_test;

TEST(F0Contour, OffsetInterpolation) {
  const int32_t p[5] = {0, 100, 200, 300, 400};
  const int32_t v[5] = {0, 50, 0, 10, -30};
  EXPECT_EQ(tts::contourOffset(p, v, 50), 25);  // B = 105 gives 130 halfway from P0 to P1
  EXPECT_EQ(tts::contourOffset(p, v, 100), 50);
  EXPECT_EQ(tts::contourOffset(p, v, 150), 25);
  EXPECT_EQ(tts::contourOffset(p, v, 350), -10);
  EXPECT_EQ(tts::contourOffset(p, v, 399), -29);  // -30 + 40*... truncated toward zero
  EXPECT_EQ(tts::contourOffset(p, v, 400), -30);
  EXPECT_EQ(tts::contourOffset(p, v, 401), 0);
  EXPECT_EQ(tts::contourOffset(p, v, -1), 0);
  const int32_t q[5] = {10, 10, 10, 10, 10};  // degenerate anchors never divide by zero
  EXPECT_EQ(tts::contourOffset(q, v, 10), 0);
}

struct Spoken {
  Session s;
  Phrase p;
  Spoken(Lang lang, const std::vector<std::u16string>& words, int32_t mean = 105)
      : s(lang, 256, mean), p(s) {
    s.lexicon.words[u"casa"] = "k a1 s a";
    s.lexicon.words[u"tak"] = "t a1 k";
    s.lexicon.words[u"evet"] = "e v e1 t";
    buildPhrase(p, words);
    p.pronounceAll();
    EXPECT_EQ(tts::assignDurations(s.ctx.language, s.ctx.phoneset, p.phrases), 0);
  }
  std::vector<tts::F0Target> targets(const tts::ProsodyLanguage* lang = nullptr) {
    std::vector<tts::F0Target> t(64);
    int32_t n = tts::placeF0Targets(lang ? lang : s.ctx.language, p.phrases, t.data(), 64);
    t.resize(n);
    return t;
  }
};

TEST(F0Contour, ShortPhraseIsFlatAndGives160At16k) {
  Spoken u(Lang::Es, {u"casa"}, /*mean=*/100);
  auto t = u.targets();
  ASSERT_GE(t.size(), 2u);
  EXPECT_EQ(t.front().pos, 0);
  EXPECT_EQ(t.back().pos, num(u.p.segments->tail, "end"));
  for (auto& x : t) EXPECT_EQ(x.f0, 100);
  ASSERT_EQ(tts::assignF0(u.s.ctx.language, u.p.phrases), 0);
  for (tts::Item* seg = u.p.segments->head; seg; seg = seg->next)
    for (const char* pc : {"pc0", "pc1", "pc2", "pc3"}) EXPECT_EQ(num(seg, pc), 160) << pc;
}

TEST(F0Contour, LongPhraseRisesThenFalls) {
  Spoken u(Lang::Es, {u"casa", u"casa", u"casa"});
  auto t = u.targets();
  // Syllables: k a, s a, k a, s a, k a, s a. P1 = end of the second = start of the third.
  tts::Item* third = nth(u.p.syllables, 3);
  const int32_t p1 = num(third->down->prev, "end");
  bool found = false;
  for (auto& x : t)
    if (x.pos == p1) {
      EXPECT_EQ(x.f0, 155);
      found = true;
    }
  EXPECT_TRUE(found);
  EXPECT_EQ(t.front().pos, 0);
  EXPECT_EQ(t.front().f0, 105);  // offset 0 at P0
  EXPECT_EQ(t.back().f0, 75);    // B - 30 at the phrase end
  EXPECT_EQ(t.back().pos, num(u.p.segments->tail, "end"));
}

// Accented intonation over the same phrase: the "H*" syllable (word 2's
// stressed "ka") peaks most, the other stressed syllables of the words less,
// the start is raised, the end lowered; the times stay.
TEST(F0Contour, AccentedIntonationPeaksAtAccentsAndDeclines) {
  Spoken u(Lang::Es, {u"casa", u"casa", u"casa"});
  const auto model = u.targets();
  tts::Item* nucleus = nth(u.p.syllables, 3);
  tts::itemSetString(nucleus, "accent", "H*");
  tts::Settings settings{};
  settings.durationStretch_Q8 = 256;
  settings.f0Mean_Hz = 105;
  settings.intonation = 1;
  u.p.phrases->settings = &settings;
  const auto shaped = u.targets();
  ASSERT_EQ(shaped.size(), model.size());
  auto ratioAt = [&](tts::Item* syl) {
    const int32_t middle = (num(syl->down->next, "end") + num(syl->down, "end")) >> 1;  // "k a": the vowel
    for (size_t k = 0; k < model.size(); ++k)
      if (model[k].pos == middle) return static_cast<double>(shaped[k].f0) / model[k].f0;
    ADD_FAILURE() << "no target at the vowel middle";
    return 0.0;
  };
  for (size_t k = 0; k < model.size(); ++k) EXPECT_EQ(shaped[k].pos, model[k].pos);
  EXPECT_GT(shaped.front().f0, model.front().f0);
  EXPECT_LT(shaped.back().f0, model.back().f0);
  const double peak = ratioAt(nucleus);
  EXPECT_GT(peak, 1.1);
  for (int32_t minor : {1, 5}) {
    EXPECT_GT(ratioAt(nth(u.p.syllables, minor)), 1.0) << minor;
    EXPECT_LT(ratioAt(nth(u.p.syllables, minor)), peak) << minor;
  }
}

TEST(F0Regression, InterceptOnlyModelCarriesTheEndValue) {
  Spoken u(Lang::Pl, {u"tak", u"tak"});
  tts::ProsodyLanguage intercept = tts::kProsodyLanguagePl;
  intercept.f0RowCount = 1;
  auto t = u.targets(&intercept);
  // s = 160, m = e = 169 Hz; map(p) = 105 + 14 * (p - 170) / 34: 101, 105, 105.
  // Word 1 (pause before): start (101 + 101) >> 1, mid 105; word 2: start
  // (101 + 105) >> 1 = 103, mid 105, end 105 (pause after). The final pause
  // lasts 0 in Polish, so that end target already closes the phrase.
  ASSERT_EQ(t.size(), 5u);
  EXPECT_EQ(t[0].pos, 0);
  EXPECT_EQ(t[0].f0, 101);
  EXPECT_EQ(t[1].f0, 105);
  EXPECT_EQ(t[2].f0, 103);
  EXPECT_EQ(t[3].f0, 105);
  EXPECT_EQ(t[4].f0, 105);
  EXPECT_EQ(t[4].pos, num(u.p.segments->tail, "end"));
}

TEST(F0Regression, FullModelsStayInRange) {
  for (Lang lang : {Lang::Pl, Lang::Tr}) {
    Spoken u(lang, lang == Lang::Pl ? std::vector<std::u16string>{u"tak", u"tak", u"tak"}
                                    : std::vector<std::u16string>{u"evet", u"evet", u"evet"});
    auto t = u.targets();
    ASSERT_GE(t.size(), 2u);
    EXPECT_EQ(t.front().pos, 0);
    for (size_t i = 0; i < t.size(); ++i) {
      EXPECT_GE(t[i].f0, 50);
      EXPECT_LE(t[i].f0, 500);
      if (i) {
        EXPECT_GE(t[i].pos, t[i - 1].pos);
      }
    }
    ASSERT_EQ(tts::assignF0(u.s.ctx.language, u.p.phrases), 0);
    for (tts::Item* seg = u.p.segments->head; seg; seg = seg->next)
      for (const char* pc : {"pc0", "pc1", "pc2", "pc3"}) EXPECT_GT(num(seg, pc), 0);
  }
}

// A hand-made phrase: one word, one syllable, segments with the given ends.
struct Manual {
  Session s{Lang::Es};
  Phrase p{s};
  explicit Manual(const std::vector<int32_t>& ends, int32_t rate) {
    s.setParam("sample_rate", rate);
    p.makeLower();
    tts::Item* phrase = tts::relAppend(p.phrases);
    tts::relAppend(p.words);
    tts::Item* word = tts::relAppend(p.words);
    tts::itemAddDaughter(phrase, word);
    tts::Item* syl = tts::relAppend(p.syllables);
    tts::itemAddDaughter(word, syl);
    for (int32_t e : ends) {
      tts::Item* seg = tts::relAppend(p.segments);
      tts::itemSet(seg, "end", tts::makeInt(e));
      tts::itemAddDaughter(syl, seg);
    }
  }
};

TEST(PitchPeriods, WalkLeavesShortAndEmptySegments) {
  // 1 unit = 1 sample at 1024 Hz: segments of 0, 1, 2 and 97 samples.
  Manual m({0, 1, 3, 100}, 1024);
  const tts::F0Target t[2] = {{0, 128}, {100, 128}};
  m.s.setParam("int_f0_target_mean", 128);
  ASSERT_EQ(tts::assignPitchPeriods(m.p.phrases, t, 2), 0);
  for (tts::Item* seg = m.p.segments->head; seg; seg = seg->next)
    for (const char* pc : {"pc0", "pc1", "pc2", "pc3"}) EXPECT_EQ(num(seg, pc), 8) << pc;
}

TEST(PitchPeriods, GlideFromTheMeanAndPassedTargets) {
  // 16 kHz, one segment of 1024 units (16000 samples): points 0, 5333, 10666, 15999.
  Manual m({1024}, 16000);
  m.s.setParam("int_f0_target_mean", 100);
  const tts::F0Target t[3] = {{0, 200}, {1024, 200}, {1024, 300}};
  ASSERT_EQ(tts::assignPitchPeriods(m.p.phrases, t, 3), 0);
  tts::Item* seg = m.p.segments->head;
  // The target at time 0 is passed over: the line runs from (0, 100 Hz) to (16000, 200 Hz).
  EXPECT_EQ(num(seg, "pc0"), 160);
  EXPECT_EQ(num(seg, "pc1"), 16000 * 16000 / (100 * 16000 + 5333 * 100));
  EXPECT_EQ(num(seg, "pc2"), 16000 * 16000 / (100 * 16000 + 10666 * 100));
  EXPECT_EQ(num(seg, "pc3"), 16000 * 16000 / (100 * 16000 + 15999 * 100));
}

}  // namespace
