// The word classifier ("gpos") in its default and Polish forms.
#include <gtest/gtest.h>

#include "prosody/word_classifier.h"

namespace {

using tts::classifyWordDefault;
using tts::classifyWordPolish;

TEST(WordClassifier, EmptyPunctuationAndContent) {
  for (auto* classify : {classifyWordDefault, classifyWordPolish}) {
    EXPECT_STREQ(classify(nullptr), "");
    EXPECT_STREQ(classify(u""), "");
    for (const char16_t* p : {u".", u":", u"?", u"!", u",", u";", u"\"", u"'", u"(", u")", u"-", u"&", u"/", u"%", u"@"})
      EXPECT_STREQ(classify(p), "punc");
    EXPECT_STREQ(classify(u".."), "content");  // two characters
    EXPECT_STREQ(classify(u"*"), "content");
    EXPECT_STREQ(classify(u"casa"), "content");
    EXPECT_STREQ(classify(u"\u00bf"), "content");
  }
}

TEST(WordClassifier, FunctionWordsArePolishOnly) {
  EXPECT_STREQ(classifyWordDefault(u"per"), "content");
  EXPECT_STREQ(classifyWordDefault(u"in"), "content");
  for (const char16_t* w : {u"per", u"in", u"con", u"di", u"ai", u"tra", u"del", u"da", u"sul", u"dietro"})
    EXPECT_STREQ(classifyWordPolish(w), "in");
  EXPECT_STREQ(classifyWordPolish(u"DIETRO"), "in");
  EXPECT_STREQ(classifyWordPolish(u"Con"), "in");
  // Whole words only.
  EXPECT_STREQ(classifyWordPolish(u"pe"), "content");
  EXPECT_STREQ(classifyWordPolish(u"d"), "content");
  EXPECT_STREQ(classifyWordPolish(u"dietr"), "content");
  EXPECT_STREQ(classifyWordPolish(u"dell"), "content");
  // Longer than ten characters is never looked up, and cannot overrun the probe.
  EXPECT_STREQ(classifyWordPolish(u"dietrodietrodietro"), "content");
  EXPECT_STREQ(classifyWordPolish(u"abcdefghij"), "content");
}

}  // namespace
