// engine_pl text pieces: letters, word lists, number marks, the Polish-only
// recognisers, copy and punctuation differences, entries, breaks and chunking.
#include <gtest/gtest.h>

#include "chunking_test_util.h"
#include "text/chunking.h"
#include "text/recognisers.h"
#include "text/tokeniser.h"
#include "text_test_util.h"

namespace {

using text_test::normalise;
using text_test::toUtf8;
const tts::TextLanguage* const kPl = &tts::kTextLanguagePl;

std::string norm(const std::u16string& s, int32_t mode = 0) { return toUtf8(normalise(kPl, s, mode)); }

TEST(TextPl, LettersAndWordLists) {
  char16_t token[tts::kTokenTextUnits];
  EXPECT_EQ(tts::scanWord(kPl, u"\u0141\u00F3d\u017A'x", 0, token), 4);  // no apostrophe rule
  EXPECT_EQ(tts::classifyToken(kPl, u"z\u0142"), 480);
  EXPECT_EQ(tts::classifyToken(kPl, u"Groszy"), 480);
  EXPECT_EQ(tts::classifyToken(kPl, u"sekund"), 448);
  EXPECT_EQ(tts::classifyToken(kPl, u"dollars"), 384);
  EXPECT_EQ(tts::countVowelGroups(kPl, u"mi\u0119so"), 2);
  EXPECT_EQ(tts::countVowelGroups(kPl, u"by\u0107"), 0);  // 'y' is not a vowel
}

TEST(TextPl, CopyLowersAndPunctuation) {
  EXPECT_EQ(norm(u"Ala MA \u0141AD\u0104"), "ala ma \xC5\x81" "ad\xC4\x84");
  EXPECT_EQ(norm(u"a_b - c"), "a b c");
  EXPECT_EQ(norm(u"a, b."), "a,b.");
}

// Until the Polish number grammar lands, numbers are read digit by digit.
TEST(TextPl, PlaceholderNumbersEndWithoutMinorMark) {
  EXPECT_EQ(norm(u"25"), " dwa| pi\xC4\x99\xC4\x87|");
  EXPECT_EQ(norm(u"5 z\u0142"), " pi\xC4\x99\xC4\x87| z\xC5\x82,");
  EXPECT_EQ(norm(u"5 sekund"), " pi\xC4\x99\xC4\x87| sekund,");
}

TEST(TextPl, DotDatesRomanMonthsAndDotTimes) {
  tts::Scratch s{};
  auto table = [](const std::u16string& text, std::vector<std::u16string>& keep, tts::TokenTable& t) {
    char16_t buf[tts::kTokenTextUnits];
    int32_t cls = 0;
    t.count = 0;
    for (int32_t pos = tts::nextToken(&tts::kTextLanguagePl, text.c_str(), 0, buf, &cls); pos >= 0;
         pos = tts::nextToken(&tts::kTextLanguagePl, text.c_str(), pos, buf, &cls)) {
      keep.emplace_back(buf);
      t.tokenClass[t.count++] = cls;
    }
    for (int32_t i = 0; i < t.count; ++i) t.text[i] = keep[size_t(i)].c_str();
  };
  struct DateCase {
    const char16_t* text;
    int32_t claimed;
    const char* month;
  } dates[] = {{u"20.05.2007", 5, "05"}, {u"1.IV.2007", 5, "4"},   {u"1.XII.2007", 5, "12"},
               {u"1.X.07", 5, "10"},     {u"1.iv.2007", 0, ""},    {u"1.IIII.2007", 0, ""},
               {u"1.XIII.2007", 0, ""}};
  for (const auto& c : dates) {
    std::vector<std::u16string> keep;
    tts::TokenTable t{};
    table(c.text, keep, t);
    tts::clearScratch(&s);
    EXPECT_EQ(tts::matchDateDot(&t, 0, &s), c.claimed) << toUtf8(c.text);
    if (c.claimed > 0) {
      EXPECT_EQ(toUtf8(s.second), c.month) << toUtf8(c.text);
    }
  }
  std::vector<std::u16string> keep;
  tts::TokenTable t{};
  table(u"10.30", keep, t);
  EXPECT_EQ(tts::matchTimeDot(&t, 0, &s), 3);
  keep.clear();
  table(u"10.30.", keep, t);
  EXPECT_EQ(tts::matchTimeDot(&t, 0, &s), 0);  // a '.' after the minutes
  EXPECT_EQ(norm(u"1.IV.2007"), " jeden| cztery| dwa| zero| zero| siedem|,");
}

TEST(TextPl, EntriesAndBreaks) {
  auto e = text_test::entries(kPl, u"ala ma kota");
  EXPECT_EQ(e.size(), 3u);  // no empty end entry
  // Soft breaks are kept: no small-window rule and no merging.
  std::vector<int32_t> classes = {2, 1, 2, 1, 2};
  std::vector<int32_t> syllables(5, 1), level(5, -1);
  tts::predictBreaks(kPl, classes.data(), syllables.data(), 5, level.data());
  EXPECT_EQ(level, (std::vector<int32_t>{1, 0, 1, 0, 1}));
}

TEST(TextPl, Chunking) {
  EXPECT_EQ(tts::legalChunkLength(kPl, u"Za\u017C\u00F3\u0142\u0107"), 6);
  EXPECT_EQ(tts::legalChunkLength(kPl, text_test::lettersWithSpaces({}).c_str()), 256);
  EXPECT_EQ(tts::legalChunkLength(kPl, text_test::lettersWithSpaces({127, 200}).c_str()), 201);
  EXPECT_EQ(tts::legalChunkLength(kPl, text_test::lettersWithSpaces({127}).c_str()), 256);  // below the floor
  EXPECT_EQ(tts::legalChunkLength(kPl, u"\u00D1"), -1);
  EXPECT_EQ(tts::legalChunkLength(kPl, std::u16string(300, u' ').c_str()), -256);
}

}  // namespace
