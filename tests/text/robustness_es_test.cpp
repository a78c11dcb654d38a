// Huge, odd and random text through stage 0 and stage 1, and the bounded writer.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "model/arena.h"
#include "prosody/word_classifier.h"
#include "text/chunking.h"
#include "text_test_util.h"

namespace {

const tts::TextLanguage* const kEs = &tts::kTextLanguageEs;

std::u16string randomText(std::mt19937& rng, size_t length) {
  // Symbols, digits, letters, controls, lone and paired surrogates.
  std::u16string pool = u"0123456789.,-#$%/:@h\u20AC\u00A3\u00A5 aAzZ\u00F1\u00C1'|;?!()\t\n\uFFFF\u3002";
  for (char16_t c : {char16_t(0xD83D), char16_t(0xDE00), char16_t(0xDC00), char16_t(0xD800)}) pool += c;
  std::uniform_int_distribution<int> pick(0, int(pool.size()) - 1);
  std::uniform_int_distribution<int> any(1, 0xFFFF);
  std::u16string s;
  for (size_t i = 0; i < length; ++i) s += (i % 7 == 3) ? char16_t(any(rng)) : pool[size_t(pick(rng))];
  return s;
}

// Generated text with every form the recognisers know.
std::u16string formsText(int repeats) {
  std::u16string s;
  for (int i = 0; i < repeats; ++i) {
    s += u"El 3/12/2007 a las 7:05 pm pag\u00F3 $1.234,56 (12,5%) a info@aa-bb.cc3.dd o http://www.x.es/y, ";
    s += u"1.000.000.000 y -21,5 casas; 10h30 \u00A331 \u20AC21 #007 1234567890123456789012345678901234 ";
  }
  return s;
}

TEST(RobustnessEs, LengthPassNeverUnderCountsAndWriterIsBounded) {
  const std::u16string text = formsText(40);
  for (int32_t mode : {0, 1, 2, 3, 6}) {
    const int32_t counted = tts::normaliseText(kEs, text.c_str(), mode, nullptr, 0);
    ASSERT_GT(counted, 0);
    std::vector<char16_t> out(size_t(counted) + 1 + 16, u'#');
    const int32_t written = tts::normaliseText(kEs, text.c_str(), mode, out.data(), counted + 1);
    EXPECT_EQ(written, counted) << mode;
    EXPECT_EQ(std::u16string(out.data()).size(), size_t(counted)) << mode;
    for (size_t i = size_t(counted) + 1; i < out.size(); ++i) ASSERT_EQ(out[i], u'#') << mode;
    // A buffer that is too small is filled and terminated, never overrun.
    std::vector<char16_t> small(64 + 16, u'#');
    tts::normaliseText(kEs, text.c_str(), mode, small.data(), 64);
    EXPECT_EQ(small[63], 0);
    for (size_t i = 64; i < small.size(); ++i) ASSERT_EQ(small[i], u'#');
  }
}

TEST(RobustnessEs, HugeText) {
  std::mt19937 rng(99);
  const std::u16string text = randomText(rng, 300000);
  const int32_t capacity = tts::buildWordListFor(kEs, text.c_str(), 0, nullptr, 0);
  ASSERT_GT(capacity, 0);
  ASSERT_LE(capacity, tts::kMaxEntries + 3);
  std::vector<char16_t> storage(size_t(capacity) * tts::kEntryTextUnits);
  std::vector<char16_t*> pointers(size_t(capacity), nullptr);
  pointers[0] = storage.data();
  EXPECT_LE(tts::buildWordListFor(kEs, text.c_str(), 0, pointers.data(), capacity), capacity);
}

TEST(RobustnessEs, EveryTokenIsKept) {
  std::u16string text;
  for (int i = 0; i < 300; ++i) text += u"w ";
  const std::u16string out = text_test::normalise(kEs, text, 1);
  EXPECT_EQ(out.size(), 300u * 2 - 1);  // 300 words and the spaces between them
}

TEST(RobustnessEs, RandomTextNeverFails) {
  std::mt19937 rng(1234);
  tts::WorkArena* arena = tts::arenaCreate(30720);
  for (int round = 0; round < 300; ++round) {
    const std::u16string text = randomText(rng, size_t(1 + round * 7 % 1200));
    for (int32_t mode : {0, 1, 2, 3}) {
      const int32_t capacity = tts::buildWordListFor(kEs, text.c_str(), mode, nullptr, 0);
      if (capacity <= 0) continue;
      ASSERT_LE(capacity, tts::kMaxEntries + 3);
      std::vector<char16_t> storage(size_t(capacity) * tts::kEntryTextUnits);
      std::vector<char16_t*> pointers(size_t(capacity), nullptr);
      pointers[0] = storage.data();
      const int32_t count = tts::buildWordListFor(kEs, text.c_str(), mode, pointers.data(), capacity);
      ASSERT_LE(count, capacity);
      ASSERT_LE(count, tts::kMaxEntries + 1);
      for (int32_t i = 0; i < count; ++i) ASSERT_LE(tts::wstrLength(pointers[size_t(i)]), tts::kEntryMaxLength);
      tts::WordList words{};
      words.entries = pointers.data();
      words.count = count;
      const int32_t depth = tts::arenaDepth(arena);
      ASSERT_EQ(tts::analyseWordListFor(kEs, tts::classifyWordDefault, &words, arena), 0);
      for (int32_t i = 0; i < count; ++i) {
        ASSERT_GE(words.breakLevel[i], 0);
        ASSERT_LE(words.breakLevel[i], 4);
        ASSERT_GE(words.syllables[i], 1);
      }
      tts::arenaReleaseTo(arena, depth);
    }
    // Chunking always advances.
    const int32_t c = tts::legalChunkLength(kEs, text.c_str());
    ASSERT_NE(c, 0);
    ASSERT_LE(c < 0 ? -c : c, 512);
  }
  tts::arenaDestroy(arena);
}

}  // namespace
