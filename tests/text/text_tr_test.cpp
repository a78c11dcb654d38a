// engine_tr text pieces: letters, swapped number marks, the Turkish
// verbalisers through the whole normaliser, entries, chunking, and the
// Turkish engine end to end.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "chunking_test_util.h"
#include "corvum.h"
#include "support/test_host.h"
#include "support/test_voice.h"
#include "text/chunking.h"
#include "text/tokeniser.h"
#include "text/tr/say_tr.h"
#include "text_test_util.h"
#include "tts_engine.h"

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

struct Case {
  const char16_t* input;
  int32_t mode;
  const char* expected;
};

void expectCases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(norm(c.input, c.mode), c.expected) << toUtf8(c.input) << " (mode " << c.mode << ")";
  }
}

TEST(TextTr, MarksChangeRoles) {
  int32_t cls = 0;
  EXPECT_EQ(firstToken(u"1,001,000", &cls), "1001000");
  EXPECT_EQ(cls, 24);
  EXPECT_EQ(firstToken(u"3.05", &cls), "3.05");
  EXPECT_EQ(cls, 24);
  // Two or more '.' never make a decimal: thousands groups or a dotted code.
  EXPECT_EQ(firstToken(u"3.5.6", &cls), "3.5.6");
  EXPECT_EQ(cls, 10);
  EXPECT_EQ(firstToken(u"1.234.567", &cls), "1234567");
  EXPECT_EQ(cls, 24);
  EXPECT_EQ(firstToken(u"1,00", &cls), "1");
  EXPECT_EQ(firstToken(u"-7", &cls), "-7");
  EXPECT_EQ(cls, 20);
}

TEST(TextTr, LettersWordsAndCopy) {
  char16_t token[tts::kTokenTextUnits];
  EXPECT_EQ(tts::scanWord(kTr, u"\u0130stanbul'da", 0, token), 11);  // a suffix after an apostrophe stays
  EXPECT_EQ(toUtf8(token), "İstanbul'da");
  EXPECT_EQ(tts::countVowelGroups(kTr, u"\u0131\u015F\u0131k"), 2);
  EXPECT_EQ(norm(u"Merhaba D\u00FCnya_ -"), "Merhaba Dünya");
}

TEST(TextTr, CurrencyWords) {
  for (const char16_t* w : {u"tl", u"TL", u"lira", u"kuru\u015F", u"dolar", u"avro", u"euro", u"sterlin", u"yen"}) {
    EXPECT_EQ(tts::classifyToken(kTr, w), 480) << toUtf8(w);
  }
  for (const char16_t* w : {u"t", u"lir", u"liras\u0131", u"dolars", u"ev"}) {
    EXPECT_EQ(tts::classifyToken(kTr, w), 384) << toUtf8(w);
  }
}

TEST(TextTr, Cardinals) {
  expectCases({
      {u"7", 0, "yedi"},
      {u"10", 0, "on"},
      {u"11", 0, "on bir"},
      {u"20", 0, "yirmi"},
      {u"99", 0, "doksan dokuz"},
      {u"1000", 0, "bin"},
      {u"1001", 0, "bin bir"},
      {u"1999", 0, "bin dokuz yüz doksan dokuz"},
      {u"2007", 0, "iki bin yedi"},
      {u"2100", 0, "iki bin yüz"},
      {u"#12", 0, "on iki"},
      {u"1,001,000", 0, "bir milyon bin"},
      {u"2,000,000", 0, "iki milyon"},
      {u"1,000,001", 0, "bir milyon bir"},
      {u"1,001,001", 0, "bir milyon bin bir"},
      {u"5,000", 0, "beş bin"},
      {u"11,000", 0, "on bir bin"},
      {u"100,000", 0, "yüz bin"},
      {u"250,300", 0, "iki yüz elli bin üç yüz"},
      {u"1,000,000,000", 0, "bir milyar"},
      {u"1,000,000,000,000", 0, "bir trilyon"},
      {u"12,345,678,901,234", 0,
       "on iki trilyon üç yüz kırk beş milyar altı yüz yetmiş sekiz milyon dokuz yüz bir bin iki yüz otuz dört"},
      {u"999,999,999,999,999", 0,
       "dokuz yüz doksan dokuz trilyon dokuz yüz doksan dokuz milyar dokuz yüz doksan dokuz milyon "
       "dokuz yüz doksan dokuz bin dokuz yüz doksan dokuz"},
      // Sixteen digits and more are read digit by digit.
      {u"1,234,567,890,123,456", 0,
       "bir |iki |üç |dört |beş |altı |yedi |sekiz |dokuz |sıfır |bir |iki |üç |dört |beş |altı |"},
  });
}

TEST(TextTr, DecimalsAndSigns) {
  expectCases({
      {u"3.5", 0, "üç nokta beş"},
      {u"3.05", 0, "üç nokta sıfır beş"},
      {u"3.00", 0, "üç nokta sıfır sıfır"},
      {u"3.50", 0, "üç nokta elli"},
      {u"0.25", 0, "sıfır nokta yirmi beş"},
      {u"1,234.5", 0, "bin iki yüz otuz dört nokta beş"},
      {u"-7", 0, "eksi yedi"},
      {u"x -7", 0, "x eksi yedi"},
      {u"-3.25", 0, "eksi üç nokta yirmi beş"},
      {u"-1,000", 0, "eksi bin"},
      {u"5-3", 0, "beş|üç"},  // a '-' between digits is no sign and writes nothing
      {u"1,5", 0, "bir,beş"},  // ',' groups thousands only: no decimal reading
  });
}

TEST(TextTr, DigitStrings) {
  expectCases({
      {u"0", 0, "sıfır |"},
      {u"100", 0, "bir |sıfır |sıfır |"},
      {u"2101", 0, "iki |bir |sıfır |bir |"},
      {u"5000", 0, "beş |sıfır |sıfır |sıfır |"},
      {u"12345", 0, "bir |iki |üç |dört |beş |"},
      {u"0532", 0, "sıfır |beş |üç |iki |"},
  });
  // The marks follow spaces, so no "|" entries come between the digits.
  const std::vector<std::u16string> e = text_test::entries(kTr, u"12345");
  ASSERT_EQ(e.size(), 5u);
  EXPECT_EQ(toUtf8(e[0]), "bir");
  EXPECT_EQ(toUtf8(e[4]), "beş");
}

TEST(TextTr, Dates) {
  expectCases({
      {u"3/12/2007", 0, "üç aralık,iki bin yedi,"},
      {u"3/12/2007", 3, "üç aralık,iki bin yedi,"},
      {u"31/5/99", 0, "otuz bir mayıs,doksan dokuz,"},
      {u"01/02/2010", 0, "bir şubat,iki bin on,"},
      {u"29/2/2100", 0, "yirmi dokuz şubat,iki bin yüz,"},
      {u"3/13/2007", 0, "üç,on üç,iki bin yedi"},  // month 13: no date
  });
  const char* months[12] = {"ocak", "şubat",  "mart",   "nisan", "mayıs", "haziran",
                            "temmuz", "ağustos", "eylül", "ekim",  "kasım", "aralık"};
  for (int m = 1; m <= 12; ++m) {
    const std::u16string text = u"15/" + tts_test::utf16(std::to_string(m)) + u"/2024";
    EXPECT_EQ(norm(text), std::string("on beş ") + months[m - 1] + ",iki bin yirmi dört,") << m;
  }
}

TEST(TextTr, Times) {
  expectCases({
      {u"10:05", 0, "on sıfır beş,"},
      {u"0:30", 0, "sıfır otuz,"},
      {u"0:00", 0, "sıfır,"},
      {u"0:15", 0, "sıfır on beş,"},
      {u"09:15", 0, "dokuz on beş,"},
      {u"24:60", 0, "yirmi dört altmış,"},
      {u"7:05 pm", 0, "yedi sıfır beş,"},  // the meridiem is claimed and not read
      {u"10:30", 2, "on otuz,"},
      {u"saat 21:45", 0, "saat yirmi bir kırk beş,"},
  });
}

TEST(TextTr, Percentages) {
  expectCases({
      {u"50%", 0, "yüzde elli"},
      {u"50 %", 0, "yüzde elli"},
      {u"12.5%", 0, "yüzde on iki nokta beş"},
      {u"100%", 0, "yüzde yüz"},
      {u"1,000%", 0, "yüzde bin"},
  });
}

TEST(TextTr, Money) {
  expectCases({
      {u"$25", 0, "yirmi beş dolar,"},
      {u"$ 25", 0, "yirmi beş dolar,"},
      {u"\u20AC10", 0, "on avro,"},
      {u"10 \u20AC", 0, "on avro,"},
      {u"\u00A35", 0, "beş sterlin,"},
      {u"\u00A5100", 0, "yüz yen,"},
      {u"25 TL", 0, "yirmi beş türk lirası,"},
      {u"25 tl", 0, "yirmi beş türk lirası,"},
      {u"12.50 TL", 0, "on iki nokta elli türk lirası,"},
      {u"1,500 tl", 0, "bin beş yüz türk lirası,"},
      {u"3 lira", 0, "üç lira,"},
      {u"5 dolar", 0, "beş dolar,"},
      {u"7 euro", 0, "yedi euro,"},
      {u"8 avro", 0, "sekiz avro,"},
      {u"9 Sterlin", 0, "dokuz sterlin,"},  // ASCII capitals lowered
      {u"50 kuru\u015F", 0, "elli kuruş,"},
      {u"2 milyon dolar", 0, "iki milyon|dolar,"},  // a joined word pair stays
      {u"-5 TL", 0, "eksi beş türk lirası,"},
      {u"25 $", 0, "yirmi beş,"},  // only the euro sign may follow the number
  });
}

TEST(TextTr, EmailAndWebAddresses) {
  expectCases({
      {u"ali@example.com", 0, "ali et example nokta com,"},
      {u"x@aa-bb.cc3.dd", 0, "x et aa kısa çizgi bb nokta cc üç | nokta dd,"},
      {u"http://www.example.com/path", 0,
       "http iki nokta çift eğik çizgi www nokta example nokta com eğik çizgi path,"},
      {u"HTTP://WWW.ornek.com.tr", 0, "http iki nokta çift eğik çizgi www nokta ornek nokta com nokta tr,"},
      {u"http://a1.com", 0, "http iki nokta çift eğik çizgi a bir | nokta com,"},
      {u"https://x.com", 0, "https,x.com"},  // a five-letter scheme is no web address
  });
}

TEST(TextTr, VerbalisersDirectly) {
  // Null and odd inputs read as zero or nothing; the length pass counts what the writing pass writes.
  auto say = [](int32_t (*f)(tts::TextWriter*, const char16_t*, int32_t), const char16_t* s) {
    tts::TextWriter count;
    tts::writerInit(&count, nullptr, 0);
    const int32_t n = f(&count, s, 0);
    std::vector<char16_t> buf(size_t(n) + 1);
    tts::TextWriter w;
    tts::writerInit(&w, buf.data(), n + 1);
    EXPECT_EQ(f(&w, s, 0), n);
    tts::writerFinish(&w);
    return toUtf8(buf.data());
  };
  EXPECT_EQ(say(tts::tr::sayCardinal, nullptr), "sıfır");
  EXPECT_EQ(say(tts::tr::sayCardinal, u"007"), "yedi");
  EXPECT_EQ(say(tts::tr::sayCardinal, u"0000"), "sıfır");
  EXPECT_EQ(say(tts::tr::sayCardinal, u"-0.5"), "eksi sıfır nokta beş");
  EXPECT_EQ(say(tts::tr::sayCardinal, u"1."), "bir");
  EXPECT_EQ(say(tts::tr::sayCardinal, u"1.0001"), "bir nokta sıfır sıfır sıfır bir");
  EXPECT_EQ(say(tts::tr::sayCardinal, u"2.1234567890123456"),
            "iki nokta bir |iki |üç |dört |beş |altı |yedi |sekiz |dokuz |sıfır |bir |iki |üç |dört |beş |altı |");
  tts::TextWriter w;
  tts::writerInit(&w, nullptr, 0);
  EXPECT_GT(tts::tr::sayDate(&w, u"99", u"13", nullptr), 0);
  EXPECT_GT(tts::tr::sayTime(&w, nullptr, u"999999999999", nullptr), 0);
  EXPECT_GT(tts::sayMoney(&w, tts::kTextLanguageTr.say, tts::tr::kMoneyWords, nullptr, nullptr, true), 0);
  EXPECT_GT(tts::sayAddressEmail(&w, nullptr, tts::tr::kAddressWords), 0);
}

TEST(TextTr, RandomFormsKeepBothPassesEqual) {
  // Number, date, time, money and address fragments mixed at random: the
  // length pass must match the writing pass and stage 0 must stay bounded.
  const char16_t* pieces[] = {u"1",  u"0",   u"25", u"2007", u"1,234", u"3.05", u"-", u".",  u",",
                              u"/",  u":",   u"%",  u"$",    u"\u20AC", u"\u00A3", u"TL", u"@", u"http",
                              u"www", u"a",  u"\u0130", u" ", u" ",    u"12345678901234567890", u"#", u"pm"};
  std::mt19937 rng(12345);
  for (int round = 0; round < 400; ++round) {
    std::u16string text;
    const int n = 1 + int(rng() % 40);
    for (int i = 0; i < n; ++i) text += pieces[rng() % (sizeof(pieces) / sizeof(pieces[0]))];
    for (int32_t mode : {0, 2, 3}) {
      EXPECT_NE(normalise(kTr, text, mode), u"<length mismatch>") << toUtf8(text);
      for (const std::u16string& e : text_test::entries(kTr, text, mode)) {
        EXPECT_LE(e.size(), size_t(tts::kEntryMaxLength)) << toUtf8(text);
      }
    }
  }
}

TEST(TextTr, EntriesAndChunking) {
  EXPECT_EQ(text_test::entries(kTr, u"merhaba").size(), 1u);
  const std::vector<std::u16string> e = text_test::entries(kTr, u"Fiyat 25 TL, yani y\u00FCzde 50.");
  std::vector<std::string> got;
  for (const std::u16string& s : e) got.push_back(toUtf8(s));
  EXPECT_EQ(got, (std::vector<std::string>{"Fiyat", "yirmi", "beş", "türk", "lirası", ",", "yani", "yüzde",
                                           "elli", "."}))
      << ::testing::PrintToString(got);
  EXPECT_EQ(tts::legalChunkLength(kTr, u"\u0130stanbul"), 8);
  EXPECT_EQ(tts::legalChunkLength(kTr, text_test::lettersWithSpaces({}).c_str()), 512);
  EXPECT_EQ(tts::legalChunkLength(kTr, u"\u00F1"), -1);
}

// The Turkish engine over a paragraph and the example strings, with the Turkish lexicon.
struct TurkishEngine : ::testing::Test {
  void SetUp() override {
    lexicon = LexMgr_Open(CORVUM_LANG_TURKISH);
    ASSERT_NE(lexicon, nullptr);
    voice = tts_test::emptyVoice();
    handle = TTSFileOpenSized_I(lexicon, voice.data(), voice.size(), 0, TTS_FORMAT_KEEP);
    ASSERT_NE(handle, nullptr);
  }
  void TearDown() override {
    TTSFileClose_I(handle);
    LexMgr_Close(lexicon);
  }
  CorvumLexicon* lexicon = nullptr;
  std::vector<uint8_t> voice;
  TTSFile* handle = nullptr;
};

TEST_F(TurkishEngine, ParagraphEndsWithDone) {
  const std::u16string paragraph =
      u"Bug\u00FCn 3/12/2007 tarihinde saat 10:05'te \u0130stanbul'a vard\u0131k. Biletler $25 ve 12.50 TL idi; "
      u"indirim 50% oldu. Bilgi i\u00E7in ali@ornek.com.tr adresine yaz\u0131n ya da http://www.ornek.com.tr "
      u"sitesine bak\u0131n. N\u00FCfus 15,462,452 ki\u015Fiydi ve s\u0131cakl\u0131k -3.5 dereceydi.";
  tts_test::RecordingHost host;
  EXPECT_EQ(tts_test::speakChunk(handle, paragraph, 0, host), TTS_DONE);
  EXPECT_GE(host.markers(TTS_MARK_PAUSE), 4);
  ASSERT_FALSE(host.events.empty());
  EXPECT_EQ(host.events.back(), TTS_MARK_END);
}

TEST_F(TurkishEngine, ExampleStringsInEveryModeEndWithDone) {
  const char16_t* texts[] = {u"1000",      u"1999",  u"2007",  u"1,001,000", u"2,000,000", u"3.5",
                             u"3.05",      u"3.00",  u"a -7",  u"12345",     u"3/12/2007", u"10:05",
                             u"0:30",      u"50%",   u"$25",   u"25 TL",     u"x@aa-bb.cc3.dd",
                             u"http://www.ornek.com.tr/a-b/1", u"1,234,567,890,123,456"};
  for (const char16_t* text : texts) {
    for (int mode : {0, 1, 2, 3, 6}) {
      tts_test::RecordingHost host;
      EXPECT_EQ(tts_test::speakChunk(handle, text, mode, host), TTS_DONE) << toUtf8(text) << " mode " << mode;
    }
  }
}

}  // namespace

namespace {

TEST(TextTr, CircumflexVowelsStayInTheirWords) {
  const struct {
    const char16_t* text;
    int32_t syllables;  // vowel groups of the one word
  } cases[] = {{u"d\u00FCkk\u00E2nlarda", 4}, {u"\u00C2DEM", 2}, {u"\u00EEm\u00E2n", 2}, {u"mahk\u00FBm", 2},
               {u"\u00DBM\u0130T", 2}};
  for (const auto& c : cases) {
    const std::vector<std::u16string> e = text_test::entries(kTr, c.text, 0);
    ASSERT_EQ(e.size(), 1u) << toUtf8(c.text);
    EXPECT_EQ(e[0], c.text);
    EXPECT_EQ(tts::countVowelGroups(kTr, c.text), c.syllables) << toUtf8(c.text);
  }
}

}  // namespace
