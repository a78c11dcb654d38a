// Stage 2: phrases cut from a word list.
#include <gtest/gtest.h>

#include "prosody_fixture.h"

namespace {

using namespace prosody_test;

struct Cut {
  std::string name, type, delay, sub, opener, question;
  std::vector<std::string> words;
};

// Runs stage 2 until it builds nothing; one Cut per phrase.
std::vector<Cut> cutAll(Session& s, OwnedWordList& wl) {
  std::vector<Cut> out;
  for (int guard = 0; guard < 100; ++guard) {
    Phrase p(s);
    EXPECT_EQ(tts::cutPhrase(&wl.list, p.phrases, p.words), 0);
    tts::Item* ph = p.phrases->head;
    if (!ph) break;
    Cut c{str(ph, "name"), str(ph, "type"), str(ph, "delay"), str(ph, "sub_phrases"), str(p.words->head, "name"),
          str(ph, "question"), {}};
    for (tts::Item* w = ph->down; w; w = w->next) c.words.push_back(str(w, "name"));
    EXPECT_EQ(static_cast<int32_t>(c.words.size()), ph->daughters);
    out.push_back(c);
  }
  return out;
}

using V = std::vector<std::string>;

TEST(PhraseCutting, DelaysNamesAndSubPhrases) {
  Session s(Lang::Es);
  OwnedWordList wl(u"hola , amigo mio / que tal . adios", 5);
  auto cuts = cutAll(s, wl);
  ASSERT_EQ(cuts.size(), 4u);
  EXPECT_EQ(cuts[0].words, (V{"hola"}));
  EXPECT_EQ(cuts[0].name, "B");
  EXPECT_EQ(cuts[0].delay, "1");
  EXPECT_EQ(cuts[0].sub, "0");
  EXPECT_EQ(cuts[0].type, "5");
  EXPECT_EQ(cuts[0].opener, "");

  EXPECT_EQ(cuts[1].words, (V{"amigo", "mio"}));  // ends at a predicted break
  EXPECT_EQ(cuts[1].delay, "0");
  EXPECT_EQ(cuts[1].name, "B");
  EXPECT_EQ(cuts[1].sub, "1");
  EXPECT_EQ(cuts[1].opener, ",");

  EXPECT_EQ(cuts[2].words, (V{"que", "tal"}));
  EXPECT_EQ(cuts[2].delay, "2");
  EXPECT_EQ(cuts[2].name, "BB");
  EXPECT_EQ(cuts[2].sub, "2");
  EXPECT_EQ(cuts[2].opener, "");

  EXPECT_EQ(cuts[3].words, (V{"adios"}));
  EXPECT_EQ(cuts[3].delay, "3");
  EXPECT_EQ(cuts[3].name, "BB");
  EXPECT_EQ(cuts[3].sub, "0");
  EXPECT_EQ(cuts[3].opener, ".");
}

TEST(PhraseCutting, QuestionMarksTheSentencesLastPhrase) {
  Session s(Lang::Es);
  OwnedWordList wl(u"vienes , amigo ? si . vale");
  auto cuts = cutAll(s, wl);
  ASSERT_EQ(cuts.size(), 4u);
  std::vector<std::string> marks;
  for (const Cut& c : cuts) marks.push_back(c.question);
  EXPECT_EQ(marks, (V{"<none>", "1", "<none>", "<none>"}));
}

TEST(PhraseCutting, MinorMarksAndLeadingPunctuation) {
  Session s(Lang::Es);
  OwnedWordList wl(u", ; uno | dos tres .");
  auto cuts = cutAll(s, wl);
  ASSERT_EQ(cuts.size(), 2u);
  EXPECT_EQ(cuts[0].words, (V{"uno"}));  // leading punctuation skipped
  EXPECT_EQ(cuts[0].delay, "0");         // "|" closes without being a word
  EXPECT_EQ(cuts[0].opener, ";");
  EXPECT_EQ(cuts[1].words, (V{"dos", "tres"}));
  EXPECT_EQ(cuts[1].delay, "2");
  EXPECT_EQ(cuts[1].opener, "");  // "|" has level 2: not an opener
}

TEST(PhraseCutting, PunctuationOnlyTailDoesNotEndTheChunk) {
  Session s(Lang::Es);
  OwnedWordList wl(u"uno , ; . dos");
  auto cuts = cutAll(s, wl);
  ASSERT_EQ(cuts.size(), 2u);
  EXPECT_EQ(cuts[0].words, (V{"uno"}));
  EXPECT_EQ(cuts[1].words, (V{"dos"}));
  EXPECT_EQ(cuts[1].delay, "3");
}

TEST(PhraseCutting, EmptyListBuildsNothing) {
  Session s(Lang::Es);
  OwnedWordList wl(u"");
  EXPECT_TRUE(cutAll(s, wl).empty());
  OwnedWordList marks(u". , .");
  EXPECT_TRUE(cutAll(s, marks).empty());
}

}  // namespace
