// engine_pl text pieces: letters, word lists, number marks, the Polish-only
// recognisers, copy and punctuation differences, entries, breaks and chunking.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chunking_test_util.h"
#include "api/tts_file.h"
#include "corvum.h"
#include "support/test_host.h"
#include "support/test_voice.h"
#include "text/chunking.h"
#include "text/pl/say_pl.h"
#include "text/recognisers.h"
#include "text/tokeniser.h"
#include "text_test_util.h"
#include "tts_engine.h"

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

TEST(TextPl, DotDatesRomanMonthsAndDotTimes) {
  tts::Scratch s{};
  static std::vector<int32_t> classes;
  static std::vector<const char16_t*> pointers;
  auto table = [](const std::u16string& text, std::vector<std::u16string>& keep, tts::TokenTable& t) {
    char16_t buf[tts::kTokenTextUnits];
    int32_t cls = 0;
    classes.clear();
    pointers.clear();
    for (int32_t pos = tts::nextToken(&tts::kTextLanguagePl, text.c_str(), 0, buf, &cls); pos >= 0;
         pos = tts::nextToken(&tts::kTextLanguagePl, text.c_str(), pos, buf, &cls)) {
      keep.emplace_back(buf);
      classes.push_back(cls);
    }
    for (const auto& s : keep) pointers.push_back(s.c_str());
    t = tts::TokenTable{static_cast<int32_t>(keep.size()), classes.data(), pointers.data()};
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

struct Case {
  const char16_t* input;
  int32_t mode;
  const char* expected;  // UTF-8
};

void runTable(const Case* cases, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    EXPECT_EQ(norm(cases[i].input, cases[i].mode), cases[i].expected)
        << "input '" << toUtf8(cases[i].input) << "' mode " << cases[i].mode;
  }
}

// Cardinals: groups, scale words agreeing with the group before them, signs,
// decimals, and digit strings (a number is followed by the minor mark, and
// the text loses one trailing mark).
const Case kNumbers[] = {
    {u"7", 0, "siedem"},
    {u"0", 0, " zero|"},
    {u"20", 0, "dwadzieścia"},
    {u"21", 0, "dwadzieścia jeden"},
    {u"55", 0, "pięćdziesiąt pięć"},
    {u"99", 0, "dziewięćdziesiąt dziewięć"},
    {u"150", 0, " jeden| pięć| zero|"},
    {u"007", 0, " zero| zero| siedem|"},
    {u"#12", 0, "dwanaście"},
    {u"1000", 0, "jeden tysiąc"},
    {u"1999", 0, "jeden tysiąc dziewięćset dziewięćdziesiąt dziewięć"},
    {u"2100", 0, "dwa tysiące sto"},
    {u"2101", 0, " dwa| jeden| zero| jeden|"},
    {u"5000", 0, " pięć| zero| zero| zero|"},  // a plain four-digit string above 2100
    {u"1.500", 0, "jeden tysiąc pięćset"},
    {u"5.000", 0, "pięć tysięcy"},
    {u"2.000.000", 0, "dwa miliony"},
    {u"1.000.001", 0, "jeden milion jeden"},
    {u"12.000", 0, "dwanaście tysięcy"},
    {u"14.000.000", 0, "czternaście milionów"},
    {u"22.000", 0, "dwadzieścia dwa tysiące"},
    {u"101.000", 0, "sto jeden tysięcy"},
    {u"104.000", 0, "sto cztery tysiące"},
    {u"112.000", 0, "sto dwanaście tysięcy"},
    {u"1.002.003", 0, "jeden milion dwa tysiące trzy"},
    {u"3.000.000.000", 0, "trzy miliardy"},
    {u"25.000.000.000", 0, "dwadzieścia pięć miliardów"},
    {u"1.000.000.000.000", 0, "jeden bilion"},
    {u"4.000.001.000.020", 0, "cztery biliony jeden milion dwadzieścia"},
    {u"999.999.999.999.999", 0,
     "dziewięćset dziewięćdziesiąt dziewięć bilionów dziewięćset dziewięćdziesiąt dziewięć miliardów "
     "dziewięćset dziewięćdziesiąt dziewięć milionów dziewięćset dziewięćdziesiąt dziewięć tysięcy "
     "dziewięćset dziewięćdziesiąt dziewięć"},
    {u"1.234.567.890.123.456", 0,
     " jeden| dwa| trzy| cztery| pięć| sześć| siedem| osiem| dziewięć| zero| jeden| dwa| trzy| cztery| pięć| "
     "sześć|"},
    {u"1234567890", 0, " jeden| dwa| trzy| cztery| pięć| sześć| siedem| osiem| dziewięć| zero|"},
    {u"-3,5", 0, "minus trzy przecinek  pięć|"},
    {u"3,00", 0, "trzy przecinek  zero| zero|"},
    {u"0,5", 0, "zero przecinek  pięć|"},
    {u"1.234,56", 0, "jeden tysiąc dwieście trzydzieści cztery przecinek  pięć| sześć|"},
    {u"-1.500", 0, "minus jeden tysiąc pięćset"},
    {u"x -5", 0, "x minus pięć"},
    {u"5-3", 0, "pięć|trzy"},
    {u"Mam 3 koty", 0, "mam trzy|koty"},
};

// Dates (slash and dotted, Roman months), years, times with both separators.
const Case kDatesAndTimes[] = {
    {u"1/5/2007", 0, "pierwszego maja,dwa tysiące siódmy,"},
    {u"20.05.2007", 0, "dwudziestego maja,dwa tysiące siódmy,"},
    {u"1.IV.2007", 0, "pierwszego kwietnia,dwa tysiące siódmy,"},
    {u"3/12/2000", 0, "trzeciego grudnia,dwa tysiące,"},
    {u"2/2/1999", 0, "drugiego lutego,jeden tysiąc dziewięćset dziewięćdziesiąty dziewiąty,"},
    {u"22.XI.1918", 0, "dwudziestego drugiego listopada,jeden tysiąc dziewięćset osiemnasty,"},
    {u"13.X.2021", 0, "trzynastego października,dwa tysiące dwudziesty pierwszy,"},
    {u"31/12/99", 0, "trzydziestego pierwszego grudnia,dziewięćdziesiąty dziewiąty,"},
    {u"14/4/966", 0, "czternastego kwietnia,dziewięćset sześćdziesiąty szósty,"},
    {u"11.11.1850", 0, "jedenastego listopada,jeden tysiąc osiemset pięćdziesiąty,"},
    {u"12.03.1703", 3, "dwunastego marca,jeden tysiąc siedemset trzeci,"},
    {u"1.13.2007", 0, "jeden.trzynaście.dwa tysiące siedem"},  // no month 13
    {u"10:30", 0, "dziesiąta trzydzieści,"},
    {u"21:05", 0, "dwudziesta pierwsza pięć,"},
    {u"0:15", 0, "zero piętnaście,"},
    {u"0:00", 0, "zero,"},
    {u"1:00", 0, "pierwsza,"},
    {u"2.03", 0, "druga trzy,"},
    {u"12.45", 0, "dwunasta czterdzieści pięć,"},
    {u"23.59", 2, "dwudziesta trzecia pięćdziesiąt dziewięć,"},
    {u"24:60", 0, "dwudziesta czwarta sześćdziesiąt,"},
    {u"7:05 pm", 0, "siódma pięć,"},
    {u"o 8:15.", 0, "o ósma piętnaście."},
    {u"12:30:15", 0, "dwanaście,trzydzieści,piętnaście"},
};

// Every Roman month of a dotted date.
TEST(TextPl, RomanMonths) {
  const char16_t* roman[12] = {u"I", u"II", u"III", u"IV", u"V", u"VI", u"VII", u"VIII", u"IX", u"X", u"XI", u"XII"};
  const char* months[12] = {"stycznia", "lutego",    "marca",     "kwietnia",     "maja",     "czerwca",
                            "lipca",    "sierpnia",  "września", "października", "listopada", "grudnia"};
  for (int i = 0; i < 12; ++i) {
    std::u16string text = u"5." + std::u16string(roman[i]) + u".2010";
    EXPECT_EQ(norm(text), std::string("piątego ") + months[i] + ",dwa tysiące dziesiąty,") << toUtf8(text);
    EXPECT_EQ(norm(text, 3), std::string("piątego ") + months[i] + ",dwa tysiące dziesiąty,") << toUtf8(text);
  }
}

// Percentages, amounts with agreeing currency nouns, time units, addresses.
const Case kAmounts[] = {
    {u"50%", 0, "pięćdziesiąt procent"},
    {u"2,5 %", 0, "dwa przecinek  pięć| procent"},
    {u"-3%", 0, "minus trzy procent"},
    {u"5 zł", 0, "pięć złotych,"},
    {u"1 zł", 0, "jeden złoty,"},
    {u"2 zł", 0, "dwa złote,"},
    {u"4 ZŁ", 0, "cztery|zŁ"},  // only ASCII capitals are lowered when classifying
    {u"3 Zł", 0, "trzy złote,"},
    {u"12 zł", 0, "dwanaście złotych,"},
    {u"22 zł", 0, "dwadzieścia dwa złote,"},
    {u"102 zł", 0, "sto dwa złote,"},
    {u"112 zł", 0, "sto dwanaście złotych,"},
    {u"-1 zł", 0, "minus jeden złoty,"},
    {u"1.000.000 zł", 0, "jeden milion złotych,"},
    {u"2,5 zł", 0, "dwa przecinek  pięć| złotego,"},
    {u"5 złoty", 0, "pięć złotych,"},
    {u"1 złotych", 0, "jeden złoty,"},
    {u"3 złotych", 0, "trzy złote,"},
    {u"1 gr", 0, "jeden grosz,"},
    {u"3 gr", 0, "trzy grosze,"},
    {u"15 groszy", 0, "piętnaście groszy,"},
    {u"0,5 gr", 0, "zero przecinek  pięć| grosza,"},
    {u"$25", 0, "dwadzieścia pięć dolarów,"},
    {u"$ 1", 0, "jeden dolar,"},
    {u"$3", 0, "trzy dolary,"},
    {u"$1,99", 0, "jeden przecinek  dziewięć| dziewięć| dolara,"},
    {u"$ 5 zł", 0, "pięć złotych,"},
    {u"25 €", 0, "dwadzieścia pięć euro,"},
    {u"€1", 0, "jeden euro,"},
    {u"€1,5", 0, "jeden przecinek  pięć| euro,"},
    {u"£1", 0, "jeden funt,"},
    {u"£2", 0, "dwa funty,"},
    {u"£5", 0, "pięć funtów,"},
    {u"£1,5", 0, "jeden przecinek  pięć| funta,"},
    {u"¥1", 0, "jeden jen,"},
    {u"¥4", 0, "cztery jeny,"},
    {u"¥100", 0, "sto jenów,"},
    {u"5 dobrych złotych", 0, "pięć dobrych|złotych,"},  // a joined word pair stays
    {u"5 sekund", 0, "pięć sekund,"},
    {u"3 minuty", 0, "trzy minuty,"},
    {u"2 dni", 0, "dwa dni,"},
    {u"20 Lata", 0, "dwadzieścia lata,"},
    {u"3 munuty", 0, "trzy|munuty"},
    {u"jan@poczta.onet.pl", 0, "jan małpa poczta kropka onet kropka pl,"},
    {u"x@WWW.ab-c.pl", 0, "x małpa www kropka ab myślnik c kropka pl,"},
    {u"a@b2.com.pl", 0, "a małpa b  dwa| kropka com kropka pl,"},
    {u"http://www.wp.pl/a-b/3", 0,
     "http dwukropek ukośnik ukośnik www kropka wp kropka pl ukośnik a myślnik b ukośnik  trzy|,"},
    {u"HTTP://Onet.PL", 0, "http dwukropek ukośnik ukośnik Onet kropka PL,"},
    {u"https://wp.pl", 0, "https,wp.pl"},
};

TEST(TextPl, NumbersAndDigitStrings) { runTable(kNumbers, sizeof kNumbers / sizeof kNumbers[0]); }
TEST(TextPl, DatesAndTimes) { runTable(kDatesAndTimes, sizeof kDatesAndTimes / sizeof kDatesAndTimes[0]); }
TEST(TextPl, PercentagesMoneyUnitsAndAddresses) { runTable(kAmounts, sizeof kAmounts / sizeof kAmounts[0]); }

TEST(TextPl, LettersAndModes) {
  EXPECT_EQ(norm(u"Łódź żółw"), "Łódź żółw");  // a first Polish letter is kept
  EXPECT_EQ(norm(u"10:30 i 5 Zł", 1), "10 : 30 i 5 zł");  // tokens as they stand, lowered
  EXPECT_EQ(norm(u"1/5/2007 10:30", 2), "1,5,2007 dziesiąta trzydzieści,");
  EXPECT_EQ(norm(u"1/5/2007 10:30", 3), "pierwszego maja,dwa tysiące siódmy,10,30");
}

// The verbalisers below the table: ordinal forms, noun forms, and odd input.
TEST(TextPl, OrdinalsAndCountForms) {
  auto ordinal = [](int32_t v, int32_t form) {
    tts::TextWriter w;
    char16_t buf[128];
    tts::writerInit(&w, buf, 128);
    tts::pl::sayOrdinal(&w, v, form);
    tts::writerFinish(&w);
    return toUtf8(buf);
  };
  const char* expected[][3] = {{"pierwszy", "pierwszego", "pierwsza"}, {"drugi", "drugiego", "druga"},
                               {"trzeci", "trzeciego", "trzecia"},    {"czwarty", "czwartego", "czwarta"},
                               {"dwudziesty", "dwudziestego", "dwudziesta"}};
  const int32_t values[] = {1, 2, 3, 4, 20};
  for (int i = 0; i < 5; ++i) {
    for (int f = 0; f < 3; ++f) EXPECT_EQ(ordinal(values[i], f), expected[i][f]) << values[i] << " " << f;
  }
  EXPECT_EQ(ordinal(42, 1), "czterdziestego drugiego");
  EXPECT_EQ(ordinal(53, 2), "pięćdziesiąta trzecia");
  EXPECT_EQ(ordinal(90, 0), "dziewięćdziesiąty");
  EXPECT_EQ(ordinal(0, 0), "");
  EXPECT_EQ(ordinal(100, 0), "");
  EXPECT_EQ(ordinal(5, 7), "piąty");  // an unknown form falls back to the masculine

  EXPECT_EQ(tts::pl::countForm(u"1"), tts::pl::kCountOne);
  EXPECT_EQ(tts::pl::countForm(u"-1"), tts::pl::kCountOne);
  EXPECT_EQ(tts::pl::countForm(u"11"), tts::pl::kCountMany);
  EXPECT_EQ(tts::pl::countForm(u"101"), tts::pl::kCountMany);
  EXPECT_EQ(tts::pl::countForm(u"0"), tts::pl::kCountMany);
  EXPECT_EQ(tts::pl::countForm(u"13"), tts::pl::kCountMany);
  EXPECT_EQ(tts::pl::countForm(u"1004"), tts::pl::kCountFew);
  EXPECT_EQ(tts::pl::countForm(u"1,0"), tts::pl::kCountFraction);
  EXPECT_EQ(tts::pl::countForm(u"12345678901234567892"), tts::pl::kCountFew);
}

// Null and malformed scratch texts write safely, and a small buffer is never overrun.
TEST(TextPl, VerbalisersOnOddInput) {
  tts::TextWriter w;
  char16_t buf[8];
  for (char16_t& c : buf) c = u'#';
  tts::writerInit(&w, buf, 6);
  tts::pl::sayCardinal(&w, nullptr, 0);
  tts::pl::sayDate(&w, nullptr, nullptr, nullptr);
  tts::pl::sayTime(&w, nullptr, nullptr, nullptr);
  tts::sayMoney(&w, tts::kTextLanguagePl.say, tts::pl::kMoneyWords, nullptr, nullptr, true);
  tts::sayAddressEmail(&w, nullptr, tts::pl::kAddressWords);
  tts::pl::sayCardinal(&w, u"-", 0);
  tts::pl::sayCardinal(&w, u",", 0);
  tts::pl::sayDate(&w, u"99", u"77", u"0000");
  tts::pl::sayTime(&w, u"99", u"9999", nullptr);
  tts::writerFinish(&w);
  EXPECT_GT(w.length, 6);
  EXPECT_EQ(buf[5], 0);
  EXPECT_EQ(buf[6], u'#');
}

// The whole engine over a Polish paragraph with numbers of every kind.
TEST(TextPl, ParagraphEndToEnd) {
  CorvumLexicon* lexicon = LexMgr_Open(CORVUM_LANG_ALL);
  std::vector<uint8_t> voice = tts_test::emptyVoice();
  TTSFile* handle = TTSFileOpenSized_I(lexicon, voice.data(), voice.size(), 0, TTS_FORMAT_KEEP);
  ASSERT_NE(handle, nullptr);
  const char16_t* texts[] = {
      u"Dnia 20.05.2007 o godzinie 10:30 zapłaciłem 2,5 zł, a 1.IV.2007 już 2.000.000 zł! "
      u"Rabat wynosi 50% przez 3 minuty. Pisz na jan@poczta.onet.pl albo zajrzyj na http://www.wp.pl.",
      u"Żółta łódź płynęła 0:15 i 1.500 metrów, za $25 oraz 25 € i £1,5.",
      u"Ala ma kota; kot ma 21 lat, 3 Zł i -3,5 grosza."};
  for (const char16_t* text : texts) {
    for (int32_t mode : {0, 1, 2, 3}) {
      tts_test::RecordingHost host;
      EXPECT_EQ(tts_test::speakChunk(handle, text, mode, host), TTS_DONE) << toUtf8(text) << " mode " << mode;
      ASSERT_FALSE(host.events.empty());
      EXPECT_EQ(host.events.back(), TTS_MARK_END);
    }
  }
  TTSFileClose_I(handle);
  LexMgr_Close(lexicon);
}


}  // namespace
