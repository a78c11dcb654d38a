// Helpers of the text tests: running the normaliser and the word-list stages
// with an explicit language, and printable UTF-8 of UTF-16 results.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "text/normaliser.h"
#include "text/text_language.h"
#include "text/word_list_builder.h"

namespace text_test {

inline std::string toUtf8(const std::u16string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    uint32_t c = s[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
    }
    if (c < 0x80) {
      out += char(c);
    } else if (c < 0x800) {
      out += char(0xC0 | (c >> 6));
      out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += char(0xE0 | (c >> 12));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    } else {
      out += char(0xF0 | (c >> 18));
      out += char(0x80 | ((c >> 12) & 0x3F));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    }
  }
  return out;
}

// Both passes; checks that the length pass matches what was written.
inline std::u16string normalise(const tts::TextLanguage* lang, const std::u16string& text, int32_t mode,
                                int32_t reading = tts::kReadingLiteral) {
  const int32_t n = tts::normaliseText(lang, text.c_str(), mode, nullptr, 0, reading);
  std::vector<char16_t> out(size_t(n) + 1, u'#');
  const int32_t written = tts::normaliseText(lang, text.c_str(), mode, out.data(), n + 1, reading);
  if (written != n) return u"<length mismatch>";
  return std::u16string(out.data());
}

// Stage 0 the way the driver runs it: count, then fill count * 21 units.
inline std::vector<std::u16string> entries(const tts::TextLanguage* lang, const std::u16string& text,
                                           int32_t mode = 0, int32_t reading = tts::kReadingLiteral) {
  const int32_t capacity = tts::buildWordListFor(lang, text.c_str(), mode, nullptr, 0, reading);
  std::vector<std::u16string> result;
  if (capacity <= 0) return result;
  std::vector<char16_t> storage(size_t(capacity) * tts::kEntryTextUnits);
  std::vector<char16_t*> pointers(size_t(capacity), nullptr);
  pointers[0] = storage.data();
  const int32_t k = tts::buildWordListFor(lang, text.c_str(), mode, pointers.data(), capacity, reading);
  for (int32_t i = 0; i < k; ++i) result.emplace_back(pointers[size_t(i)]);
  return result;
}

// Random mixes of `pieces` in the everyday reading: both passes agree and
// stage 0 stays within the entries it counted.
inline void expectEverydayBounded(const tts::TextLanguage* lang, const std::vector<std::u16string>& pieces) {
  std::mt19937 rng(15);
  std::uniform_int_distribution<size_t> pick(0, pieces.size() - 1);
  for (int round = 0; round < 200; ++round) {
    std::u16string s;
    for (int i = 0; i < 40; ++i) s += pieces[pick(rng)];
    EXPECT_NE(normalise(lang, s, 0, tts::kReadingEveryday), u"<length mismatch>") << toUtf8(s);
    const int32_t bound = tts::buildWordListFor(lang, s.c_str(), 0, nullptr, 0, tts::kReadingEveryday);
    EXPECT_LE(int32_t(entries(lang, s, 0, tts::kReadingEveryday).size()), bound > 0 ? bound : 0) << toUtf8(s);
  }
}

// One text read in both readings.
struct ReadingCase {
  const char16_t* input;
  const char* literal;   // null: not checked
  const char* everyday;
};

inline void expectReadings(const tts::TextLanguage* lang, const std::vector<ReadingCase>& cases) {
  for (const ReadingCase& c : cases) {
    if (c.literal != nullptr) {
      EXPECT_EQ(toUtf8(normalise(lang, c.input, 0)), c.literal) << toUtf8(c.input) << " (literal)";
    }
    EXPECT_EQ(toUtf8(normalise(lang, c.input, 0, tts::kReadingEveryday)), c.everyday) << toUtf8(c.input);
  }
}

}  // namespace text_test
