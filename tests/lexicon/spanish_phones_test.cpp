// Every symbol of every Spanish pronunciation maps to a phone of the engine's
// Spanish phone set: a sample of real words and a few thousand generated
// Spanish-looking words, through the lexicon's C entry points.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <random>
#include <string>

#include "corvum.h"
#include "support/test_host.h"
#include "prosody/phonesets.h"

namespace {

using tts_test::utf16;

class SpanishPhones : public testing::Test {
 protected:
  void SetUp() override {
    lex_ = LexMgr_Open(CORVUM_LANG_SPANISH);
    ASSERT_NE(lex_, nullptr);
  }
  void TearDown() override { LexMgr_Close(lex_); }

  // Checks one word; returns its number of symbols.
  int32_t check(const std::u16string& word, const std::string& shown) {
    char out[CORVUM_PRON_CAPACITY];
    const int32_t count = LexMgr_GetPronString(lex_, CORVUM_LANG_SPANISH, word.c_str(), out, 0, 1, 0);
    std::string pron(out);
    std::size_t start = 0;
    int32_t symbols = 0;
    while (start < pron.size()) {
      std::size_t end = pron.find(' ', start);
      if (end == std::string::npos) end = pron.size();
      std::string symbol = pron.substr(start, end - start);
      if (!symbol.empty() && symbol.back() >= '0' && symbol.back() <= '2') symbol.pop_back();
      const char* phone = tts::mapLexiconSymbol(&tts::kPhoneSetEs, symbol.c_str());
      EXPECT_NE(phone, nullptr) << "symbol '" << symbol << "' of " << shown << ": " << pron;
      // only the lexicon's "pau" may give the silence phone
      if (phone && symbol != "pau") {
        EXPECT_NE(tts::phoneIndex(&tts::kPhoneSetEs, phone), 0) << shown;
      }
      ++symbols;
      start = end + 1;
    }
    EXPECT_EQ(symbols, count < 0 ? 0 : count) << shown;
    return count;
  }

  CorvumLexicon* lex_ = nullptr;
};

TEST_F(SpanishPhones, RealWordSample) {
  std::ifstream file(SPANISH_WORDS_FILE);
  ASSERT_TRUE(file.good()) << SPANISH_WORDS_FILE;
  std::string line;
  int words = 0;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') continue;
    EXPECT_GE(check(utf16(line), line), 1) << line;
    ++words;
  }
  EXPECT_GE(words, 2000);
}

TEST_F(SpanishPhones, GeneratedWords) {
  const char* const onsets[] = {"", "b", "c", "ch", "d", "f", "g", "gu", "gü", "h", "j", "k", "l", "ll", "m",
                                "n", "ñ", "p", "qu", "r", "rr", "s", "t", "v", "w", "x", "y", "z", "bl",
                                "br", "cl", "cr", "dr", "fl", "fr", "gl", "gr", "pl", "pr", "tr", "ps", "gn"};
  const char* const nuclei[] = {"a", "e", "i", "o", "u", "á", "é", "í", "ó", "ú", "ai", "ei", "oi", "au",
                                "eu", "ou", "ia", "ie", "io", "iu", "ua", "ue", "ui", "uo", "aí", "aú", "ía",
                                "úa", "ay", "ey", "oy", "uy", "ae", "eo", "oa", "üe", "üi", "iai", "uey"};
  const char* const codas[] = {"", "", "", "n", "s", "r", "l", "d", "z", "x", "m", "y", "ns", "bs", "j"};
  std::mt19937 rng(2024);
  for (int i = 0; i < 3000; ++i) {
    std::string word;
    const int syllables = 1 + static_cast<int>(rng() % 5);
    for (int s = 0; s < syllables; ++s) {
      word += onsets[rng() % (sizeof onsets / sizeof onsets[0])];
      word += nuclei[rng() % (sizeof nuclei / sizeof nuclei[0])];
      word += codas[rng() % (sizeof codas / sizeof codas[0])];
    }
    if (rng() % 10 == 0) word += std::to_string(rng() % 100000);
    if (rng() % 10 == 0) {
      for (char& c : word) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      }
    }
    EXPECT_GE(check(utf16(word), word), 1) << word;
  }
}

}  // namespace
