// Tokens and classes, and the recognisers over token tables (Spanish table).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/recognisers.h"
#include "text/tokeniser.h"
#include "text_test_util.h"

namespace {

using text_test::toUtf8;

struct Tok {
  std::string text;
  int32_t cls;
  bool operator==(const Tok& o) const { return text == o.text && cls == o.cls; }
};
std::ostream& operator<<(std::ostream& os, const Tok& t) { return os << "{" << t.text << "," << t.cls << "}"; }

std::vector<Tok> tokens(const std::u16string& text, const tts::TextLanguage* lang = &tts::kTextLanguageEs) {
  std::vector<Tok> out;
  char16_t buf[tts::kTokenTextUnits];
  int32_t cls = 0;
  for (int32_t pos = tts::nextToken(lang, text.c_str(), 0, buf, &cls); pos >= 0;
       pos = tts::nextToken(lang, text.c_str(), pos, buf, &cls)) {
    out.push_back({toUtf8(buf), cls});
  }
  return out;
}

TEST(Tokeniser, NumbersAndMarks) {
  EXPECT_EQ(tokens(u"1.000"), (std::vector<Tok>{{"1000", 24}}));
  EXPECT_EQ(tokens(u"1.00"), (std::vector<Tok>{{"1", 30}, {".", 1}, {"00", 10}}));
  EXPECT_EQ(tokens(u"3,5"), (std::vector<Tok>{{"3,5", 24}}));
  EXPECT_EQ(tokens(u"0,5"), (std::vector<Tok>{{"0,5", 24}}));
  EXPECT_EQ(tokens(u"012,5"), (std::vector<Tok>{{"012", 10}, {",", 1}, {"5", 30}}));
  EXPECT_EQ(tokens(u"1.000.000,25"), (std::vector<Tok>{{"1000000,25", 24}}));
  EXPECT_EQ(tokens(u"1.000.00"), (std::vector<Tok>{{"1", 30}, {".", 1}, {"000", 10}, {".", 1}, {"00", 10}}));
  EXPECT_EQ(tokens(u"1.0000,5"), (std::vector<Tok>{{"1", 30}, {".", 1}, {"0000", 10}, {",", 1}, {"5", 30}}));
  EXPECT_EQ(tokens(u"3,5,6"), (std::vector<Tok>{{"3,5", 24}, {",", 1}, {"6", 30}}));
  EXPECT_EQ(tokens(u"3,5.000"), (std::vector<Tok>{{"3,5", 24}, {".", 1}, {"000", 10}}));
  EXPECT_EQ(tokens(u"5."), (std::vector<Tok>{{"5", 30}, {".", 1}}));
  // After a letter or a mark only the digits belong to the number.
  EXPECT_EQ(tokens(u"a1,5"), (std::vector<Tok>{{"a", 384}, {"1", 30}, {",", 1}, {"5", 30}}));
  // Turkish swaps the marks.
  EXPECT_EQ(tokens(u"1,000.5", &tts::kTextLanguageEs), (std::vector<Tok>{{"1,000", 24}, {".", 1}, {"5", 30}}));
}

TEST(Tokeniser, SignsHashesAndLimits) {
  EXPECT_EQ(tokens(u"5-3"), (std::vector<Tok>{{"5", 30}, {"-", 1}, {"3", 30}}));
  EXPECT_EQ(tokens(u"x -5"), (std::vector<Tok>{{"x", 384}, {"-5", 20}}));
  EXPECT_EQ(tokens(u"-2,5"), (std::vector<Tok>{{"-2,5", 16}}));
  EXPECT_EQ(tokens(u"-05"), (std::vector<Tok>{{"-", 1}, {"05", 10}}));
  EXPECT_EQ(tokens(u"#12"), (std::vector<Tok>{{"12", 14}}));
  EXPECT_EQ(tokens(u"#012"), (std::vector<Tok>{{"012", 10}}));
  EXPECT_EQ(tokens(u"1#2"), (std::vector<Tok>{{"1", 30}, {"#", 1}, {"2", 30}}));
  // 40 digits: 31, then the rest.
  std::u16string digits(40, u'7');
  auto t = tokens(digits);
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].text.size(), 31u);
  EXPECT_EQ(t[1].text.size(), 9u);
  // A signed 31-digit number is the longest token text.
  t = tokens(u" -" + std::u16string(35, u'1'));
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].text.size(), 32u);
  EXPECT_EQ(t[0].cls, 20);
}

TEST(Tokeniser, WordsAndSymbols) {
  EXPECT_EQ(tokens(u"Ni\u00F1o l'amour 'x"),
            (std::vector<Tok>{{"Ni\xC3\xB1o", 384}, {"l'amour", 384}, {"'", 1}, {"x", 384}}));
  // A run longer than 32 letters continues in a second token.
  EXPECT_EQ(tokens(u"abcdefghijklmnopqrstuvwxyabcdefghijklmn"),
            (std::vector<Tok>{{"abcdefghijklmnopqrstuvwxyabcdefg", 384}, {"hijklmn", 384}}));
  EXPECT_EQ(tokens(u"EUR euros Dollar"), (std::vector<Tok>{{"EUR", 480}, {"euros", 384}, {"Dollar", 480}}));
  EXPECT_EQ(tokens(u"\u20AC\u00A3\u00A5\u3002\u00BF\u00B7\u0142"),
            (std::vector<Tok>{{"\xE2\x82\xAC", 1}, {"\xC2\xA3", 1}, {"\xC2\xA5", 1}, {"\xE3\x80\x82", 1}}));
  EXPECT_TRUE(tokens(u" \t\r\n").empty());
}

// A token table over the given texts, classes as the tokeniser gives them.
struct Table {
  std::vector<std::u16string> texts;
  std::vector<int32_t> classes;
  std::vector<const char16_t*> pointers;
  tts::TokenTable t{};
  const tts::TokenTable* get() const { return &t; }
  explicit Table(const std::u16string& text) {
    char16_t buf[tts::kTokenTextUnits];
    int32_t cls = 0;
    for (int32_t pos = tts::nextToken(&tts::kTextLanguageEs, text.c_str(), 0, buf, &cls); pos >= 0;
         pos = tts::nextToken(&tts::kTextLanguageEs, text.c_str(), pos, buf, &cls)) {
      texts.emplace_back(buf);
      classes.push_back(cls);
    }
    for (const auto& s : texts) pointers.push_back(s.c_str());
    t = tts::TokenTable{static_cast<int32_t>(texts.size()), classes.data(), pointers.data()};
  }
};

TEST(Recognisers, DatesAndTimes) {
  tts::Scratch s{};
  EXPECT_EQ(tts::matchDateSlash(Table(u"3/12/2007").get(), 0, &s), 5);
  EXPECT_EQ(toUtf8(s.first) + "|" + toUtf8(s.second) + "|" + toUtf8(s.third), "2007|12|3");
  EXPECT_EQ(tts::matchDateSlash(Table(u"3/13/2007").get(), 0, &s), 0);
  EXPECT_EQ(tts::matchDateSlash(Table(u"32/1/2007").get(), 0, &s), 0);
  EXPECT_EQ(tts::matchDateSlash(Table(u"3/12/7").get(), 0, &s), 0);
  EXPECT_EQ(tts::matchDateSlash(Table(u"3/12/20071").get(), 0, &s), 0);
  EXPECT_EQ(tts::matchDateSlash(Table(u"3/12/").get(), 0, &s), 0);  // cut off by the end of the table
  EXPECT_EQ(tts::matchDateDash(Table(u"03-01-99").get(), 0, &s), 5);
  EXPECT_EQ(tts::matchTimeColon(Table(u"12:30").get(), 0, &s), 3);
  Table longTime(u"12:30:15");
  EXPECT_EQ(tts::matchTimeColon(&longTime.t, 0, &s), 0);
  EXPECT_EQ(tts::matchTimeColon(&longTime.t, 2, &s), 0);
  tts::clearScratch(&s);
  EXPECT_EQ(tts::matchTimeColon(Table(u"7:05 pm").get(), 0, &s), 4);
  EXPECT_EQ(toUtf8(s.third), "PM");
  tts::clearScratch(&s);
  EXPECT_EQ(tts::matchTimeColon(Table(u"7:05 p.m.").get(), 0, &s), 3);
  EXPECT_EQ(toUtf8(s.third), "");
  EXPECT_EQ(tts::matchTimeColon(Table(u"25:00").get(), 0, &s), 0);
  EXPECT_EQ(tts::matchTimeColon(Table(u"24:61").get(), 0, &s), 0);
  EXPECT_EQ(tts::matchTimeH(Table(u"10h30").get(), 0, &s), 3);
  EXPECT_EQ(tts::matchTimeH(Table(u"10 H 30").get(), 0, &s), 0);
}

TEST(Recognisers, MoneyAndPercentages) {
  tts::Scratch s{};
  EXPECT_EQ(tts::matchCurrencyAmount(Table(u"$ 25").get(), 0, &s), 2);
  EXPECT_EQ(tts::matchCurrencyAmount(Table(u"25 \u20AC").get(), 0, &s), 2);
  EXPECT_EQ(tts::matchCurrencyAmount(Table(u"25 $").get(), 0, &s), 0);
  EXPECT_EQ(tts::matchCurrencyAmount(Table(u"$ 5 dollars").get(), 0, &s), 3);
  EXPECT_EQ(toUtf8(s.second), "dollars");
  EXPECT_EQ(tts::matchCurrencyAmount(Table(u"5 mil euro").get(), 0, &s), 3);
  EXPECT_EQ(toUtf8(s.second), "mil|euro");
  EXPECT_EQ(tts::matchCurrencyAmount(Table(u"5 abcdefghijklmnopqrstuvw dollars").get(), 0, &s), 3);
  EXPECT_EQ(toUtf8(s.second), "abcdefghijklmnopqrstuvw|dollars");
  EXPECT_EQ(tts::matchAmountUnit(Table(u"5 eur").get(), 0, &s), 2);
  EXPECT_EQ(tts::matchPercent(Table(u"50 %").get(), 0, &s), 2);
  EXPECT_EQ(tts::matchPercent(Table(u"50").get(), 0, &s), 0);
  EXPECT_EQ(tts::matchPercent(Table(u"#50%").get(), 0, &s), 0);  // a '#' number is not a quantity
}

TEST(Recognisers, DomainsAndAddresses) {
  tts::Scratch s{};
  EXPECT_EQ(tts::matchEmailDomain(Table(u"@aa-bb.cc3.dd").get(), 0, &s), 9);
  EXPECT_EQ(toUtf8(s.longText), "aa - bb . cc 3 . dd");
  EXPECT_EQ(tts::matchEmailDomain(Table(u"@").get(), 0, &s), 0);
  EXPECT_EQ(tts::matchEmailDomain(Table(u"@ .").get(), 0, &s), 0);
  EXPECT_EQ(tts::matchWebAddress(Table(u"http://a.b/c").get(), 0, &s), 9);
  EXPECT_EQ(toUtf8(s.longText), "a . b / c");
  EXPECT_EQ(tts::matchWebAddress(Table(u"https://a.b").get(), 0, &s), 0);
  // Long domains stop growing before 253 units of joined text.
  std::u16string longDomain = u"@";
  for (int i = 0; i < 80; ++i) longDomain += u"abcdefgh.";
  longDomain += u"x";
  Table big(longDomain);
  const int32_t claimed = tts::matchEmailDomain(&big.t, 0, &s);
  EXPECT_GT(claimed, 1);
  EXPECT_LE(tts::wstrLength(s.longText), 252);
}

}  // namespace
