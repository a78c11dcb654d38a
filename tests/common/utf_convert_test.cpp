// The shared UTF-8/UTF-16 converter and word-file reader of the host, tools,
// tests and benchmarks.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "utf_convert.h"
#include "word_file.h"

namespace {

using voxa_utf::utf16ToUtf8;
using voxa_utf::utf8ToUtf16;

TEST(UtfConvert, RoundTripsEveryEncodingLength) {
  const std::u16string text = u"a\u00F1\u0142\u20AC\U0001F600z";  // 1, 2, 2, 3, 4, 1 bytes
  const std::string bytes = utf16ToUtf8(text);
  EXPECT_EQ(bytes, "a\xC3\xB1\xC5\x82\xE2\x82\xAC\xF0\x9F\x98\x80z");
  EXPECT_EQ(utf8ToUtf16(bytes), text);
  EXPECT_EQ(utf8ToUtf16(bytes).size(), 7u);  // the emoji is a surrogate pair
}

TEST(UtfConvert, MalformedBytesAreSkippedOneByOne) {
  EXPECT_EQ(utf8ToUtf16("a\xFF" "b"), u"ab");          // no such lead byte
  EXPECT_EQ(utf8ToUtf16("a\xC3"), u"a");                // cut at the end
  EXPECT_EQ(utf8ToUtf16("\xE2\x82z"), u"z");            // cut before another character
  EXPECT_EQ(utf8ToUtf16("\x80\xBF" "c"), u"c");         // stray continuations
  EXPECT_EQ(utf8ToUtf16("\xF7\xBF\xBF\xBF" "d"), u"d");  // above U+10FFFF: no pair can hold it
}

TEST(UtfConvert, LoneSurrogatesKeepTheirOwnThreeBytes) {
  const std::u16string lone = {u'x', char16_t(0xD800), u'y', char16_t(0xDC00)};
  EXPECT_EQ(utf16ToUtf8(lone), "x\xED\xA0\x80y\xED\xB0\x80");
  EXPECT_EQ(utf16ToUtf8(static_cast<const char16_t*>(nullptr)), "");
}

TEST(WordFile, SkipsBlankAndCommentLinesAndHonoursTheLimit) {
  const std::string path = testing::TempDir() + "utf_convert_test_words.txt";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("# comment\nperro\n\n\xC5\xBC\xC3\xB3\xC5\x82w\nkedi\n", f);
  std::fclose(f);
  EXPECT_EQ(voxa_utf::readWordLines(path.c_str()), (std::vector<std::string>{"perro", "\xC5\xBC\xC3\xB3\xC5\x82w", "kedi"}));
  EXPECT_EQ(voxa_utf::readWordFile(path.c_str(), 2), (std::vector<std::u16string>{u"perro", u"\u017C\u00F3\u0142w"}));
  std::remove(path.c_str());
  EXPECT_TRUE(voxa_utf::readWordFile("/nonexistent/words.txt").empty());
}

}  // namespace
