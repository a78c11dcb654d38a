// engine_tr text pieces: letters, swapped number marks, chain, copy and
// punctuation differences, entries, breaks and chunking.
#include <gtest/gtest.h>

#include "chunking_test_util.h"
#include "text/chunking.h"
#include "text/tokeniser.h"
#include "text_test_util.h"

namespace {

using text_test::normalise;
using text_test::toUtf8;
const tts::TextLanguage* const kTr = &tts::kTextLanguageTr;

std::string norm(const std::u16string& s, int32_t mode = 0) { return toUtf8(normalise(kTr, s, mode)); }

std::string firstToken(const std::u16string& s, int32_t* cls) {
  char16_t buf[tts::kTokenTextUnits];
  tts::nextToken(kTr, s.c_str(), 0, buf, cls);
  return toUtf8(buf);
}

TEST(TextTr, MarksChangeRoles) {
  int32_t cls = 0;
  EXPECT_EQ(firstToken(u"1,001,000", &cls), "1001000");
  EXPECT_EQ(cls, 24);
  EXPECT_EQ(firstToken(u"3.05", &cls), "3.05");
  EXPECT_EQ(cls, 24);
  EXPECT_EQ(firstToken(u"3.5.6", &cls), "3.5");
  EXPECT_EQ(firstToken(u"1,00", &cls), "1");
  EXPECT_EQ(firstToken(u"-7", &cls), "-7");
  EXPECT_EQ(cls, 20);
}

TEST(TextTr, LettersWordsAndCopy) {
  char16_t token[tts::kTokenTextUnits];
  EXPECT_EQ(tts::scanWord(kTr, u"\u0130stanbul'da", 0, token), 8);  // an apostrophe ends the word
  EXPECT_EQ(tts::classifyToken(kTr, u"tl"), 384);  // empty word lists
  EXPECT_EQ(tts::countVowelGroups(kTr, u"\u0131\u015F\u0131k"), 2);
  EXPECT_EQ(norm(u"Merhaba D\u00FCnya_ -"), "Merhaba D\xC3\xBCnya");
}

TEST(TextTr, ChainAndPlaceholders) {
  EXPECT_EQ(norm(u"$25"), " iki| be\xC5\x9F| $,");
  EXPECT_EQ(norm(u"12345"), " bir| iki| \xC3\xBC\xC3\xA7| d\xC3\xB6rt| be\xC5\x9F|");  // trailing "|" removed
  // No dash dates: three digit strings, the '-' writes nothing.
  EXPECT_EQ(norm(u"3-12-2007"), " \xC3\xBC\xC3\xA7|| bir| iki|| iki| s\xC4\xB1" "f\xC4\xB1r| s\xC4\xB1" "f\xC4\xB1r| yedi|");
  EXPECT_EQ(norm(u"10:05"), " bir| s\xC4\xB1" "f\xC4\xB1r| s\xC4\xB1" "f\xC4\xB1r| be\xC5\x9F|,");
}

TEST(TextTr, EntriesAndChunking) {
  EXPECT_EQ(text_test::entries(kTr, u"merhaba").size(), 1u);
  EXPECT_EQ(tts::legalChunkLength(kTr, u"\u0130stanbul"), 8);
  EXPECT_EQ(tts::legalChunkLength(kTr, text_test::lettersWithSpaces({}).c_str()), 512);
  EXPECT_EQ(tts::legalChunkLength(kTr, u"\u00F1"), -1);
}

}  // namespace
