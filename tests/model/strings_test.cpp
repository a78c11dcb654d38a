#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "model/strings.h"

namespace tts {
namespace {

TEST(Strings, CompareUsesSignedBytesAndReportsFirstDifference) {
  EXPECT_EQ(strCompare("ab", "ac"), -2);
  EXPECT_EQ(strCompare("b", "a"), 1);
  EXPECT_EQ(strCompare("a", "a"), 0);
  EXPECT_EQ(strCompare(nullptr, "a"), -1);
  EXPECT_EQ(strCompare("a", nullptr), 1);
  EXPECT_EQ(strCompare(nullptr, nullptr), 0);
  EXPECT_EQ(strCompare("ab", "a"), 2);  // longer string after its prefix
  // 0x80..0xFF are negative: they sort before ASCII and even before the end.
  EXPECT_LT(strCompare("\xC3", "A"), 0);
  EXPECT_EQ(strCompare("a\xE9", "a"), -2);
  // UTF-16 units compare unsigned.
  EXPECT_GT(wstrCompare(u"\u00E9", u"z"), 0);
  EXPECT_EQ(wstrCompare(u"abc", u"abd"), -3);
  EXPECT_EQ(wstrCompare(nullptr, u""), -1);
}

TEST(Strings, NextTokenWalksPathsInPlace) {
  char path[] = "R:SylStructure.parent.syl_break";
  int32_t pos = 0;
  const char* expected[] = {"R", "SylStructure", "parent", "syl_break"};
  for (const char* e : expected) {
    char* t = strNextToken(path, &pos, ":.");
    ASSERT_NE(t, nullptr);
    EXPECT_STREQ(t, e);
  }
  EXPECT_EQ(pos, 31);
  EXPECT_EQ(strNextToken(path, &pos, ":."), nullptr);
  EXPECT_EQ(pos, 31);

  char twice[] = "p.p.syl_break";
  pos = 0;
  EXPECT_STREQ(strNextToken(twice, &pos, ":."), "p");
  EXPECT_EQ(pos, 2);
  EXPECT_STREQ(strNextToken(twice, &pos, ":."), "p");
  EXPECT_STREQ(strNextToken(twice, &pos, ":."), "syl_break");
  EXPECT_EQ(pos, 13);

  char onlyDelimiters[] = ".:.";
  pos = 0;
  EXPECT_EQ(strNextToken(onlyDelimiters, &pos, ":."), nullptr);
  EXPECT_EQ(pos, 3);

  char runs[] = "..a::b.";
  pos = 0;
  EXPECT_STREQ(strNextToken(runs, &pos, ":."), "a");
  EXPECT_EQ(pos, 4);
  EXPECT_STREQ(strNextToken(runs, &pos, ":."), "b");
  EXPECT_EQ(pos, 7);  // the trailing delimiter was overwritten and stepped over
  EXPECT_EQ(strNextToken(runs, &pos, ":."), nullptr);

  pos = -1;
  EXPECT_EQ(strNextToken(runs, &pos, ":."), nullptr);
  EXPECT_EQ(strNextToken(nullptr, &pos, ":."), nullptr);

  char16_t words[] = u"  dos  tres";
  pos = 0;
  EXPECT_EQ(std::u16string(wstrNextToken(words, &pos, u" ")), u"dos");
  EXPECT_EQ(pos, 6);
  EXPECT_EQ(std::u16string(wstrNextToken(words, &pos, u" ")), u"tres");
  EXPECT_EQ(wstrNextToken(words, &pos, u" "), nullptr);
}

TEST(Strings, ToIntAcceptsOnlyOptionalMinusAndDigits) {
  EXPECT_EQ(strToInt("-42"), -42);
  EXPECT_EQ(strToInt("512"), 512);
  EXPECT_EQ(strToInt("4x"), 0);
  EXPECT_EQ(strToInt(""), 0);
  EXPECT_EQ(strToInt("-"), 0);
  EXPECT_EQ(strToInt("+5"), 0);
  EXPECT_EQ(strToInt(" 5"), 0);
  EXPECT_EQ(strToInt("1.5"), 0);
  EXPECT_EQ(strToInt("--1"), 0);
  EXPECT_EQ(strToInt(nullptr), 0);
  EXPECT_EQ(strToInt("4294967297"), 1);  // 32-bit wrap-around, no trap
}

TEST(Strings, FindCopyAndLowerCase) {
  const char16_t* hay = u"abcabc";
  EXPECT_EQ(wstrFind(hay, u""), hay);
  EXPECT_EQ(wstrFind(hay, u"cab"), hay + 2);
  EXPECT_EQ(wstrFind(hay, u"abcabcd"), nullptr);
  EXPECT_EQ(wstrFind(nullptr, u"a"), nullptr);
  EXPECT_EQ(wstrFind(hay, nullptr), nullptr);
  const char* syl = "syl_break";
  EXPECT_EQ(strFind(syl, "break"), syl + 4);
  EXPECT_EQ(strFind(syl, "breaks"), nullptr);

  // Bounded copy: stops after the NUL, adds none of its own after n units.
  char16_t dst[8];
  for (char16_t& u : dst) u = u'#';
  wstrCopyN(dst, u"hola", 2);
  EXPECT_EQ(dst[0], u'h');
  EXPECT_EQ(dst[1], u'o');
  EXPECT_EQ(dst[2], u'#');
  wstrCopyN(dst, u"ab", 6);
  EXPECT_EQ(std::u16string(dst), u"ab");
  EXPECT_EQ(dst[3], u'#');
  wstrCopyN(dst, u"xyz", 0);
  EXPECT_EQ(dst[0], 0);
  wstrCopyN(dst, nullptr, 3);
  EXPECT_EQ(dst[0], 0);

  char16_t text[] = u"\u00C1RBOL \u00D1 Zz@[";
  EXPECT_EQ(wstrLowerAscii(text), text);
  EXPECT_EQ(std::u16string(text), u"\u00C1rbol \u00D1 zz@[");
  EXPECT_EQ(wstrLowerAscii(nullptr), nullptr);

  char buf[16];
  strCopy(buf, "ab");
  strAppend(buf, "cd");
  strAppend(buf, nullptr);
  EXPECT_STREQ(buf, "abcd");
  strCopy(buf, nullptr);
  EXPECT_STREQ(buf, "");
  EXPECT_EQ(strLength(nullptr), 0);
  EXPECT_EQ(wstrLength(u"\u00F1a"), 2);

  // The key is compared as a signed byte; searching for NUL finds nothing.
  const char* accented = "a\xE9z";
  EXPECT_EQ(strFindChar(accented, 0xE9), accented + 1);
  EXPECT_EQ(strFindChar(accented, -23), accented + 1);
  EXPECT_EQ(strFindChar(accented, 0x1E9), accented + 1);
  EXPECT_EQ(strFindChar(accented, 0), nullptr);
  EXPECT_EQ(wstrFindChar(u"ab", u'\0'), nullptr);
}

TEST(Strings, DuplicatesAndByteOperations) {
  char* copy = strDuplicate("pau");
  ASSERT_NE(copy, nullptr);
  EXPECT_STREQ(copy, "pau");
  std::free(copy);
  EXPECT_EQ(strDuplicate(nullptr), nullptr);
  char16_t* wcopy = wstrDuplicate(u"");
  ASSERT_NE(wcopy, nullptr);
  EXPECT_EQ(wcopy[0], 0);
  std::free(wcopy);

  uint8_t bytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  memCopy(bytes, bytes + 2, 6);  // towards lower addresses: a plain move
  const uint8_t moved[8] = {3, 4, 5, 6, 7, 8, 7, 8};
  EXPECT_EQ(std::memcmp(bytes, moved, 8), 0);
  uint8_t pattern[8] = {1, 2, 0, 0, 0, 0, 0, 0};
  memCopy(pattern + 2, pattern, 6);  // forward byte order repeats the lead bytes
  const uint8_t repeated[8] = {1, 2, 1, 2, 1, 2, 1, 2};
  EXPECT_EQ(std::memcmp(pattern, repeated, 8), 0);
  memCopy(bytes, nullptr, 4);
  memCopy(bytes, moved, -1);
  memFill(bytes, 0xAB, 3);
  memFill(bytes, 0, -5);
  memFill(nullptr, 0, 5);
  EXPECT_EQ(bytes[2], 0xAB);
  EXPECT_EQ(bytes[3], 6);
}

}  // namespace
}  // namespace tts
