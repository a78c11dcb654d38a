// Review checks of stage 3: syllable breaks of silence syllables inside a phrase.
#include <gtest/gtest.h>

#include "prosody/prosody_fixture.h"

namespace {

using namespace prosody_test;
using V = std::vector<std::string>;

// A word inside the phrase whose pronunciation ends in a silence: the break
// "1" stays on its last spoken syllable; the trailing silence syllable, made
// of the leftover silences only, carries no word-final mark ("0").
TEST(SilenceSyllables, TrailingSilenceOfAnInnerWordIsNotMarkedWordFinal) {
  Session s(Lang::Es);
  s.lexicon.words = {{u"fin", "f i1 n pau"}, {u"casa", "k a1 s a"}};
  Phrase p(s);
  buildPhrase(p, {u"fin", u"casa"});
  p.pronounceAll();
  ASSERT_EQ(names(p.segments), (V{"##", "f", "i", "n", "##", "k", "a", "s", "a", "##"}));
  // Syllables: opener, (f i n), (##), (k a), (s a), pause.
  EXPECT_EQ(str(nth(p.syllables, 1), "syl_break"), "1");
  EXPECT_EQ(str(nth(p.syllables, 2), "syl_break"), "0");
  EXPECT_EQ(str(nth(p.syllables, 4), "syl_break"), "4");
}

// A word spoken as silence only (an unknown symbol) inside the phrase.
TEST(SilenceSyllables, AllSilenceInnerWordIsNotMarkedWordFinal) {
  Session s(Lang::Es);
  s.lexicon.words = {{u"uno", "u1 n o"}, {u"xx", "qq"}, {u"dos", "d o1 s"}};
  Phrase p(s);
  buildPhrase(p, {u"uno", u"xx", u"dos"});
  p.pronounceAll();
  tts::Item* silent = nth(p.words, 2)->down;
  ASSERT_NE(silent, nullptr);
  EXPECT_EQ(str(silent->down, "name"), "##");
  EXPECT_EQ(str(silent, "syl_break"), "0");
  EXPECT_EQ(str(silent, "syl_onsetsize"), "0");
  // The phrase-edge words keep their phrase breaks whatever their syllables are.
  EXPECT_EQ(str(p.words->head->down, "syl_break"), "4");
}

}  // namespace
