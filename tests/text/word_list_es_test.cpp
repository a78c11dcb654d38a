// Stage 0 entries and stage 1 syllables, classes and break levels (engine_es).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/language.h"
#include "model/arena.h"
#include "prosody/word_classifier.h"
#include "text_test_util.h"

namespace {

using text_test::entries;
using text_test::toUtf8;
const tts::TextLanguage* const kEs = &tts::kTextLanguageEs;

std::vector<std::string> printable(const std::vector<std::u16string>& e) {
  std::vector<std::string> out;
  for (const auto& s : e) out.push_back(toUtf8(s));
  return out;
}

// A word list over given entry texts, analysed with the Spanish table.
struct Analysed {
  std::vector<std::u16string> texts;
  std::vector<char16_t*> pointers;
  tts::WordList words{};
  tts::WorkArena* arena = tts::arenaCreate(30720);
  int32_t result = 0;
  explicit Analysed(std::vector<std::u16string> t, const tts::TextLanguage* lang = kEs) : texts(std::move(t)) {
    for (auto& s : texts) pointers.push_back(&s[0]);
    words.entries = pointers.data();
    words.count = int32_t(texts.size());
    result = tts::analyseWordListFor(lang, tts::classifyWordDefault, &words, arena);
  }
  ~Analysed() { tts::arenaDestroy(arena); }
  int32_t level(size_t i) const { return words.breakLevel[i]; }
};

TEST(WordListEs, EntriesAndBreakMarks) {
  EXPECT_EQ(printable(entries(kEs, u"hola")), (std::vector<std::string>{"hola", ""}));
  EXPECT_EQ(printable(entries(kEs, u"hola, mundo.")), (std::vector<std::string>{"hola", ",", "mundo", "."}));
  EXPECT_EQ(printable(entries(kEs, u"hola ! .", 1)), (std::vector<std::string>{"hola", "!"}));
  // The minor mark after a number; the doubled "|" of a digit reading makes one entry.
  EXPECT_EQ(printable(entries(kEs, u"0")), (std::vector<std::string>{"cero", "|"}));
  EXPECT_EQ(printable(entries(kEs, u"100 casas")),
            (std::vector<std::string>{"uno", "|", "cero", "|", "cero", "|", "casas", ""}));
  EXPECT_EQ(printable(entries(kEs, u"\u00BFqu\u00E9?")), (std::vector<std::string>{"qu\xC3\xA9", "?"}));
  EXPECT_TRUE(entries(kEs, u"").empty());
  EXPECT_TRUE(entries(kEs, u" \t\n ").empty());
  EXPECT_TRUE(entries(kEs, u"...").empty());
}

TEST(WordListEs, CountIsAnUpperBoundAndEntriesFit) {
  EXPECT_EQ(tts::buildWordListFor(kEs, u"a b c", 0, nullptr, 0), 4);
  EXPECT_EQ(tts::buildWordListFor(kEs, u"a, b.", 0, nullptr, 0), 6);
  // A 31-digit number copied verbatim stays whole.
  const std::u16string digits = u"1234567890123456789012345678901";
  auto e = entries(kEs, digits + u" x", 1);
  ASSERT_EQ(e.size(), 3u);
  EXPECT_EQ(e[0], digits);
  // Never more entries than the given capacity, never past its 21 units each.
  std::vector<char16_t> storage(3 * tts::kEntryTextUnits + 1, u'#');
  std::vector<char16_t*> pointers(3, nullptr);
  pointers[0] = storage.data();
  EXPECT_EQ(tts::buildWordListFor(kEs, u"abcdefghijklmnopqrstuvwxyz, b c d e f", 0, pointers.data(), 3), 3);
  EXPECT_EQ(storage.back(), u'#');
  EXPECT_EQ(toUtf8(pointers[0]), "abcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(toUtf8(pointers[1]), ",");
}

TEST(WordListEs, EntryLimit) {
  std::u16string text;
  for (int i = 0; i < 200; ++i) text += u"pa ";
  const int32_t bound = tts::buildWordListFor(kEs, text.c_str(), 0, nullptr, 0);
  EXPECT_EQ(bound, 130);
  EXPECT_EQ(entries(kEs, text).size(), 128u);
  // The entry that reaches 128 may bring its mark: 129.
  text.clear();
  for (int i = 0; i < 100; ++i) text += u"pa, ";
  EXPECT_EQ(entries(kEs, text).size(), 128u);
  text = u"x ";
  for (int i = 0; i < 100; ++i) text += u"pa, ";
  EXPECT_EQ(entries(kEs, text).size(), 129u);
}

TEST(WordListEs, SyllableEstimates) {
  EXPECT_EQ(tts::countVowelGroups(kEs, u"murcielago"), 4);
  EXPECT_EQ(tts::countVowelGroups(kEs, u"hoy"), 1);
  EXPECT_EQ(tts::countVowelGroups(kEs, u"\u00D1and\u00FA"), 2);
  EXPECT_EQ(tts::countVowelGroups(kEs, u"Aeropuerto"), 4);
  EXPECT_EQ(tts::countVowelGroups(kEs, u"|"), 0);
  Analysed a({u"murcielago", u"|", u"pst", u""});
  ASSERT_EQ(a.result, 0);
  EXPECT_EQ(a.words.syllables[0], 4);
  EXPECT_EQ(a.words.syllables[1], 1);
  EXPECT_EQ(a.words.syllables[2], 1);
  EXPECT_EQ(a.words.syllables[3], 1);
}

TEST(WordListEs, BreakLevelsAndCursors) {
  Analysed a({u"hola", u",", u"mundo", u".", u"otra", u"|", u"vez", u"!", u"y", u";", u"fin", u":", u"ya", u""});
  ASSERT_EQ(a.result, 0);
  const int32_t expected[] = {0, 3, 0, 4, 0, 2, 0, 4, 0, 3, 0, 4, 0, 2};
  for (size_t i = 0; i < 14; ++i) EXPECT_EQ(a.level(i), expected[i]) << i;
  EXPECT_EQ(a.words.wordClass[0], 2);
  EXPECT_EQ(a.words.wordClass[1], 3);
  EXPECT_EQ(a.words.wordClass[13], 1);
  EXPECT_EQ(a.words.cursors[tts::kCursorSentenceFinalCount], 3);
  EXPECT_EQ(a.words.cursors[0], 0);
}

TEST(WordListEs, ArenaRefusalIsNoMemory) {
  tts::WorkArena* small = tts::arenaCreate(64);
  std::vector<std::u16string> texts(10, u"pa");
  std::vector<char16_t*> pointers;
  for (auto& s : texts) pointers.push_back(&s[0]);
  tts::WordList words{};
  words.entries = pointers.data();
  words.count = 10;
  EXPECT_EQ(tts::analyseWordListFor(kEs, tts::classifyWordDefault, &words, small), tts::kStageNoMemory);
  tts::arenaDestroy(small);
}

std::vector<int32_t> predict(const std::vector<int32_t>& classes, const std::vector<int32_t>& syllables,
                             const tts::TextLanguage* lang = kEs) {
  std::vector<int32_t> level(classes.size(), -1);
  tts::predictBreaks(lang, classes.data(), syllables.data(), int32_t(classes.size()), level.data());
  return level;
}

TEST(PredictBreaksEs, SmallWindowHasNoInnerBreaks) {
  EXPECT_EQ(predict({2, 1, 2, 3, 2, 1, 2, 2, 2}, std::vector<int32_t>(9, 3)),
            (std::vector<int32_t>{0, 0, 0, 0, 0, 0, 0, 0, 1}));
  EXPECT_EQ(predict({2, 1, 2, 2, 2, 1, 2, 2, 3}, std::vector<int32_t>(9, 3)),
            (std::vector<int32_t>{0, 0, 0, 0, 0, 0, 0, 0, 2}));
}

TEST(PredictBreaksEs, TenEntriesUsePairsAndMerging) {
  EXPECT_EQ(predict({2, 2, 2, 2, 2, 1, 2, 2, 2, 2}, std::vector<int32_t>(10, 2)),
            (std::vector<int32_t>{0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
  // The first soft break is always merged away (nothing before it to keep).
  EXPECT_EQ(predict({2, 1, 2, 2, 2, 2, 2, 2, 2, 2}, std::vector<int32_t>(10, 1)),
            (std::vector<int32_t>{0, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
  // A punctuation entry as last of the window.
  EXPECT_EQ(predict({2, 2, 2, 2, 2, 2, 2, 2, 2, 3}, std::vector<int32_t>(10, 2)),
            (std::vector<int32_t>{0, 0, 0, 0, 0, 0, 0, 0, 0, 2}));
}

TEST(PredictBreaksEs, SoftBreaksKeptWhenPhrasesAreLongEnough) {
  std::vector<int32_t> classes = {2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 1, 2, 2, 2, 2, 1, 2, 2, 2, 2};
  std::vector<int32_t> expected(20, 0);
  expected[4] = expected[9] = expected[14] = expected[19] = 1;
  EXPECT_EQ(predict(classes, std::vector<int32_t>(20, 2)), expected);
  // A short last phrase removes the soft break before it.
  classes.resize(18);
  expected.assign(18, 0);
  expected[4] = expected[9] = expected[17] = 1;
  EXPECT_EQ(predict(classes, std::vector<int32_t>(18, 1)), expected);
}

TEST(PredictBreaksEs, WindowsOfFortyEightAndMore) {
  // 60 words and the end entry: no mark between 17 and 47, so the first window is 17 entries.
  std::vector<std::u16string> texts(60, u"la");
  texts.push_back(u"");
  {
    Analysed a(texts);
    ASSERT_EQ(a.result, 0);
    EXPECT_EQ(a.level(16), 1);
    for (size_t i = 0; i < 60; ++i) {
      if (i != 16) {
        EXPECT_EQ(a.level(i), 0) << i;
      }
    }
    EXPECT_EQ(a.level(60), 2);
  }
  // A comma at 30 ends the first window there instead.
  texts[30] = std::u16string(1, u',');  // (a literal assignment trips a false -Wrestrict in GCC 12)
  {
    Analysed a(texts);
    EXPECT_EQ(a.level(16), 0);
    EXPECT_EQ(a.level(30), 3);
  }
  // 47 entries form one window.
  texts.assign(46, u"la");
  texts.push_back(u"");
  {
    Analysed a(texts);
    EXPECT_EQ(a.level(16), 0);
  }
}

}  // namespace
