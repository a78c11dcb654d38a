// Turkish pronunciation lookup through the lexicon's C entry point, over a
// mixed word list: the sample words bare and inflected (case endings,
// negative and progressive verb forms, apostrophe suffixes), acronyms and
// words with digits.
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

std::vector<std::u16string> turkishWords() {
  std::vector<std::u16string> stems;
  std::ifstream in(TURKISH_WORDS_FILE);
  std::string line;
  while (std::getline(in, line))
    if (!line.empty() && line[0] != '#') stems.push_back(toUtf16(line));
  const char16_t* endings[] = {u"", u"ler", u"de", u"ımızdan", u"'da", u"miyor", u"medi", u"iyorum"};
  std::vector<std::u16string> words;
  size_t k = 0;
  for (const std::u16string& stem : stems) words.push_back(stem + endings[k++ % 8]);
  for (const char16_t* extra : {u"TBMM", u"mp3", u"1923", u"Ankara'ya", u"şimdi", u"mı", u"www"})
    words.push_back(extra);
  return words;
}

void BM_TurkishGetPronString(benchmark::State& state) {
  const std::vector<std::u16string> words = turkishWords();
  CorvumLexicon* lex = LexMgr_Open(CORVUM_LANG_TURKISH);
  const int32_t id = LexMgr_GetLexID(lex, CORVUM_LANG_TURKISH, 0);
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
BENCHMARK(BM_TurkishGetPronString);

}  // namespace

BENCHMARK_MAIN();
