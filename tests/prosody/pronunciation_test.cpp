// Stage 3: pronunciation parsing, syllabification and the items built.
#include <gtest/gtest.h>

#include "prosody/phoneset.h"
#include "prosody/prosody_items.h"
#include "prosody_fixture.h"

namespace {

using namespace prosody_test;

std::vector<std::string> parsed(Lang lang, const char* pron, std::vector<int>* marks = nullptr) {
  tts::ProsodyContext ctx = contextFor(lang);
  uint8_t phones[256], stress[256];
  int32_t n = tts::parsePronunciation(ctx, pron, phones, stress);
  std::vector<std::string> out;
  for (int32_t i = 0; i < n; ++i) {
    out.push_back(tts::phoneName(ctx.phoneset, phones[i]));
    if (marks) marks->push_back(stress[i]);
  }
  return out;
}

// Syllables as strings of phone names joined by spaces.
std::vector<std::string> syllables(Lang lang, const char* pron) {
  tts::ProsodyContext ctx = contextFor(lang);
  uint8_t phones[256], stress[256];
  int32_t n = tts::parsePronunciation(ctx, pron, phones, stress);
  tts::SyllableSpan spans[257];
  int32_t count = tts::syllabify(ctx, phones, n, spans);
  std::vector<std::string> out;
  for (int32_t k = 0; k < count; ++k) {
    std::string s;
    for (int32_t i = spans[k].start; i < spans[k].start + spans[k].length; ++i)
      s += (s.empty() ? "" : " ") + std::string(tts::phoneName(ctx.phoneset, phones[i]));
    out.push_back(s);
  }
  return out;
}

using V = std::vector<std::string>;

TEST(PronunciationParse, SymbolsStressDigitsAndSeparators) {
  std::vector<int> marks;
  EXPECT_EQ(parsed(Lang::Es, "a1 m-i0\tg\n\no", &marks), (V{"a", "m", "i", "g", "o"}));
  EXPECT_EQ(marks, (std::vector<int>{1, 0, 0, 0, 0}));
  marks.clear();
  EXPECT_EQ(parsed(Lang::Es, "e2 s7 T y S N", &marks), (V{"e", "s", "tS", "j", "j", "n~"}));
  EXPECT_EQ(marks, (std::vector<int>{2, 0, 0, 0, 0, 0}));
  EXPECT_EQ(parsed(Lang::Es, "a qq pau o"), (V{"a", "##", "##", "o"}));
  EXPECT_EQ(parsed(Lang::Es, "  -- "), V{});
}

TEST(PronunciationParse, LanguageAdditions) {
  EXPECT_EQ(parsed(Lang::Pl, "p+ i e s"), (V{"p", "j", "i", "e", "s"}));
  EXPECT_EQ(parsed(Lang::Pl, "s+ i n+ e"), (V{"s'", "i", "n'", "e"}));  // not labial/velar: no "j"
  EXPECT_EQ(parsed(Lang::Tr, "k e d i"), (V{"c", "e", "d", "i"}));
  EXPECT_EQ(parsed(Lang::Tr, "g U l O : i"), (V{"gj", "y", "5", "2", "j", "i"}));
  EXPECT_EQ(parsed(Lang::Tr, "k a l"), (V{"k", "a", "l"}));
  EXPECT_EQ(parsed(Lang::Tr, "SIL"), (V{"##"}));
}

TEST(PronunciationParse, LongPronunciationIsCutNotOverrun) {
  std::string pron;
  for (int i = 0; i < 200; ++i) pron += "a ";
  char buffer[256];
  std::memcpy(buffer, pron.c_str(), 256);  // no NUL within the 256 bytes
  tts::ProsodyContext ctx = contextFor(Lang::Es);
  uint8_t phones[256], stress[256];
  EXPECT_EQ(tts::parsePronunciation(ctx, buffer, phones, stress), 128);

  // Polish: 200 symbols that each add a "j" stop at 256 phones.
  std::string pl;
  for (int i = 0; i < 120; ++i) pl += "p+ ";
  std::memcpy(buffer, pl.c_str(), 255);
  buffer[255] = 0;
  tts::ProsodyContext plc = contextFor(Lang::Pl);
  EXPECT_EQ(tts::parsePronunciation(plc, buffer, phones, stress), 170);  // 85 symbols in 255 bytes

  std::string spaced(1000, 'x');
  std::memcpy(buffer, spaced.c_str(), 255);
  buffer[255] = 0;
  EXPECT_EQ(tts::parsePronunciation(ctx, buffer, phones, stress), 1);  // one overlong symbol: silence
  EXPECT_EQ(phones[0], 0);
}

TEST(Syllabification, SonorityExamples) {
  // The symbol "r" is the tap "r[", a liquid like the trill "r" ("R").
  EXPECT_EQ(syllables(Lang::Es, "a1 m i0 g o"), (V{"a", "m i", "g o"}));
  EXPECT_EQ(syllables(Lang::Es, "o R o"), (V{"o", "r o"}));
  EXPECT_EQ(syllables(Lang::Es, "o t r o"), (V{"o t", "r[ o"}));
  EXPECT_EQ(syllables(Lang::Es, "e s t r a"), (V{"e s", "t r[ a"}));
  EXPECT_EQ(syllables(Lang::Es, "k o m p r a"), (V{"k o m p", "r[ a"}));
  EXPECT_EQ(syllables(Lang::Es, "a b pau"), (V{"a b", "##"}));
  EXPECT_EQ(syllables(Lang::Es, "pau a pau pau"), (V{"a", "## ##"}));
  EXPECT_EQ(syllables(Lang::Es, "s t pau a"), (V{"s t", "a"}));
  EXPECT_EQ(syllables(Lang::Pl, "p+ i e s"), (V{"p j i", "e s"}));
  EXPECT_EQ(syllables(Lang::Tr, "k e d i"), (V{"c e", "d i"}));
}

TEST(Syllabification, SonorityClasses) {
  tts::ProsodyContext es = contextFor(Lang::Es);
  auto son = [](const tts::ProsodyContext& c, const char* n) {
    return tts::phoneSonority(c, tts::phoneIndex(c.phoneset, n));
  };
  EXPECT_EQ(son(es, "##"), 5);
  EXPECT_EQ(son(es, "a"), 5);
  EXPECT_EQ(son(es, "r["), 4);
  EXPECT_EQ(son(es, "n~"), 3);
  EXPECT_EQ(son(es, "b"), 2);
  EXPECT_EQ(son(es, "s"), 1);
  tts::ProsodyContext tr = contextFor(Lang::Tr);
  EXPECT_EQ(son(tr, "5"), 4);
  EXPECT_EQ(son(tr, "r"), 4);
  EXPECT_EQ(son(tr, "z"), 2);
  tts::ProsodyContext pl = contextFor(Lang::Pl);
  EXPECT_EQ(son(pl, "n'"), 3);
  EXPECT_EQ(son(pl, "N"), 3);
}

class WordItems : public ::testing::Test {
 protected:
  Session s{Lang::Es};
};

TEST_F(WordItems, SyllablesSegmentsAndBreaks) {
  s.lexicon.words[u"amigo"] = "a1 m i0 g o";
  s.lexicon.words[u"otro"] = "o1 t r o";
  Phrase p(s);
  buildPhrase(p, {u"amigo", u"otro"}, "BB", 0, 0);
  EXPECT_EQ(p.pronounceAll(), 1 + 5 + 4);

  // Syllables: (##) from the phrase-initial item, a, m i, g o, o t, r o, and the pause.
  std::vector<std::string> stress, brk, onset, coda;
  for (tts::Item* x = p.syllables->head; x; x = x->next) {
    stress.push_back(str(x, "stress"));
    brk.push_back(str(x, "syl_break"));
    onset.push_back(str(x, "syl_onsetsize"));
    coda.push_back(str(x, "syl_codasize"));
  }
  EXPECT_EQ(stress, (V{"0", "1", "0", "0", "1", "0", "0"}));
  EXPECT_EQ(brk, (V{"4", "0", "0", "1", "0", "4", "4"}));
  EXPECT_EQ(onset, (V{"0", "0", "1", "1", "0", "1", "0"}));
  EXPECT_EQ(coda, (V{"0", "0", "0", "0", "1", "0", "0"}));
  EXPECT_EQ(names(p.segments), (V{"##", "a", "m", "i", "g", "o", "o", "t", "r[", "o", "##"}));
  EXPECT_EQ(str(nth(p.words, 1), "gpos"), "content");
  EXPECT_EQ(str(p.words->head, "gpos"), "");
  EXPECT_EQ(p.syllables->tail->up, nullptr);        // the pause syllable belongs to no word
  EXPECT_EQ(tts::owningParent(p.syllables->tail), nullptr);
  EXPECT_EQ(num(p.segments->tail, "pid"), 0);
}

TEST_F(WordItems, SubPhraseAndMinorBreaks) {
  s.lexicon.words[u"si"] = "s i1";
  Phrase p(s);
  buildPhrase(p, {u"si"}, "B", 0, 1, u",");
  p.pronounceAll();
  EXPECT_EQ(str(p.words->head, "gpos"), "punc");
  EXPECT_EQ(str(p.syllables->head, "syl_break"), "3");  // "sub_phrases" 1
  EXPECT_EQ(str(nth(p.syllables, 1), "syl_break"), "3");  // "B" phrase
  EXPECT_EQ(str(p.syllables->tail, "syl_break"), "3");
  EXPECT_EQ(names(p.segments), (V{"##", "s", "i", "##"}));
}

TEST_F(WordItems, LexiconFailureGivesLoneSilence) {
  s.lexicon.words[u"uno"] = "u1 n o";
  s.lexicon.words[u"dos"] = "d o1 s";
  Phrase p(s);
  buildPhrase(p, {u"uno", u"xyz", u"dos"});
  EXPECT_EQ(p.pronounceAll(), 1 + 3 + 1 + 3);
  EXPECT_EQ(names(p.segments), (V{"##", "u", "n", "o", "##", "d", "o", "s", "##"}));
  tts::Item* lone = nth(p.segments, 4);
  EXPECT_EQ(tts::owningParent(lone), nullptr);
  EXPECT_EQ(nth(p.words, 2)->down, nullptr);

  // A lexicon that does not serve the language: every word is one lone
  // silence, the phrase-initial item nothing.
  Phrase q(s);
  s.lexicon.available = false;
  buildPhrase(q, {u"uno", u"dos"});
  EXPECT_EQ(q.pronounceAll(), 3);
  EXPECT_EQ(names(q.segments), (V{"##", "##"}));
  EXPECT_EQ(q.syllables->head, nullptr);
}

TEST_F(WordItems, FinalSilenceNeedsNoPauseSyllable) {
  s.lexicon.words[u"fin"] = "f i1 n pau";
  Phrase p(s);
  buildPhrase(p, {u"fin"});
  p.pronounceAll();
  EXPECT_EQ(names(p.segments), (V{"##", "f", "i", "n", "##"}));
  EXPECT_EQ(str(p.syllables->tail, "syl_break"), "4");
  EXPECT_EQ(tts::owningParent(p.syllables->tail), nth(p.words, 1));  // the word's own silence syllable
}

}  // namespace
