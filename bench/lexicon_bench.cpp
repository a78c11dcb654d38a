// LexMgr_GetPronString over a mixed word list: one word per iteration, so the
// reported time is the average per word. Spanish real words, common short
// words, number words, acronyms and words with digits; and the three
// languages interleaved.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "corvum.h"
#include "lexicon_lookups.h"
#include "word_file.h"

namespace {

using voxa_utf::readWordFile;
using voxa_utf::utf8ToUtf16;

std::vector<std::u16string> spanishMix() {
  std::vector<std::u16string> words = readWordFile(SPANISH_WORDS_FILE, 2000);
  const char* const extra[] = {
      "el", "la", "de", "que", "y", "en", "los", "por", "con", "una", "para", "más", "como", "pero",
      "dieciseis", "veintidos", "millones", "sietecientos", "treinta", "i", "uno", "dollars", "euro",
      "ONU", "www", "http", "DNI", "UNESCO", "CDs", "mp3", "4x4", "1999", "rápidamente", "pingüino",
      "Uruguay", "estudiáis", "México", "ciudad", "ATENCIÓN", "O'Donnell", "franco-alemán",
  };
  for (int repeat = 0; repeat < 10; ++repeat) {
    for (const char* w : extra) words.push_back(utf8ToUtf16(w));
  }
  return words;
}

void BM_SpanishMixedWords(benchmark::State& state) {
  CorvumLexicon* lex = LexMgr_Open(CORVUM_LANG_SPANISH);
  const std::vector<std::u16string> words = spanishMix();
  lookUpInTurn(state, lex, CORVUM_LANG_SPANISH, words);
  LexMgr_Close(lex);
}
BENCHMARK(BM_SpanishMixedWords);

// With a user dictionary of a few hundred entries loaded: every lookup first
// lowers the word and searches the dictionary.
void BM_SpanishWithUserDictionary(benchmark::State& state) {
  CorvumLexicon* lex = LexMgr_Open(CORVUM_LANG_SPANISH);
  const std::vector<std::u16string> words = spanishMix();
  const std::string path = "/tmp/corvum_bench_dictionary.txt";
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    for (int k = 0; k < 500; ++k) std::fprintf(f, "palabra%d\tp a l a1 b r a\n", k);
    std::fputs("ciudad\tz y u d a1 d\n", f);
    std::fclose(f);
  }
  LexMgr_LoadUserDictionary(lex, CORVUM_LANG_SPANISH, path.c_str(), nullptr, nullptr);
  std::remove(path.c_str());
  lookUpInTurn(state, lex, CORVUM_LANG_SPANISH, words);
  LexMgr_Close(lex);
}
BENCHMARK(BM_SpanishWithUserDictionary);

// The three languages interleaved, each with its own word sample when present.
void BM_ThreeLanguagesMixed(benchmark::State& state) {
  CorvumLexicon* lex = LexMgr_Open(CORVUM_LANG_ALL);
  struct Entry {
    uint16_t language;
    std::u16string word;
  };
  std::vector<Entry> entries;
  const std::vector<std::u16string> es = readWordFile(SPANISH_WORDS_FILE, 1000);
  const std::vector<std::u16string> pl = readWordFile(POLISH_WORDS_FILE, 1000);
  const std::vector<std::u16string> tr = readWordFile(TURKISH_WORDS_FILE, 1000);
  for (std::size_t k = 0; k < 1000; ++k) {
    if (k < es.size()) entries.push_back({CORVUM_LANG_SPANISH, es[k]});
    if (k < pl.size()) entries.push_back({CORVUM_LANG_POLISH, pl[k]});
    if (k < tr.size()) entries.push_back({CORVUM_LANG_TURKISH, tr[k]});
  }
  char out[CORVUM_PRON_CAPACITY];
  std::size_t i = 0;
  for (auto _ : state) {
    const Entry& e = entries[i];
    benchmark::DoNotOptimize(LexMgr_GetPronString(lex, e.language, e.word.c_str(), out, 0, 1, 0));
    benchmark::ClobberMemory();
    if (++i == entries.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
  LexMgr_Close(lex);
}
BENCHMARK(BM_ThreeLanguagesMixed);

}  // namespace

BENCHMARK_MAIN();
