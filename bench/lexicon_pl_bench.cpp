// Polish pronunciation lookup through the lexicon's C entry point, over a mixed
// word list: plain words, inflected forms, abbreviations, words with digits.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "corvum.h"

namespace {

std::u16string toUtf16(const std::string& s) {
  std::u16string out;
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      out.push_back(c);
      i += 1;
    } else if ((c & 0xE0) == 0xC0 && i + 1 < s.size()) {
      out.push_back(static_cast<char16_t>(((c & 0x1F) << 6) | (s[i + 1] & 0x3F)));
      i += 2;
    } else if (i + 2 < s.size()) {
      out.push_back(static_cast<char16_t>(((c & 0x0F) << 12) | ((s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F)));
      i += 3;
    } else {
      break;
    }
  }
  return out;
}

std::vector<std::u16string> polishWords() {
  std::vector<std::u16string> words;
  std::ifstream in(POLISH_WORDS_FILE);
  std::string line;
  while (std::getline(in, line))
    if (!line.empty() && line[0] != '#') words.push_back(toUtf16(line));
  return words;
}

void BM_PolishGetPronString(benchmark::State& state) {
  const std::vector<std::u16string> words = polishWords();
  CorvumLexicon* lex = LexMgr_Open(CORVUM_LANG_POLISH);
  const int32_t id = LexMgr_GetLexID(lex, CORVUM_LANG_POLISH, 0);
  char out[CORVUM_PRON_CAPACITY];
  size_t k = 0;
  for (auto _ : state) {
    const int32_t n = LexMgr_GetPronString(lex, static_cast<uint16_t>(id),
                                           reinterpret_cast<const CorvumChar16*>(words[k].c_str()), out, 0, 1, 0);
    benchmark::DoNotOptimize(n);
    if (++k == words.size()) k = 0;
  }
  state.SetItemsProcessed(state.iterations());
  LexMgr_Close(lex);
}
BENCHMARK(BM_PolishGetPronString);

}  // namespace

BENCHMARK_MAIN();
