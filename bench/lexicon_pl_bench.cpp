// Polish pronunciation lookup through the lexicon's C entry point, over a mixed
// word list: plain words, inflected forms, abbreviations, words with digits.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "corvum.h"
#include "lexicon_lookups.h"
#include "word_file.h"

namespace {

std::vector<std::u16string> polishWords() { return voxa_utf::readWordFile(POLISH_WORDS_FILE); }

void BM_PolishGetPronString(benchmark::State& state) {
  const std::vector<std::u16string> words = polishWords();
  CorvumLexicon* lex = LexMgr_Open(CORVUM_LANG_POLISH);
  const int32_t id = LexMgr_GetLexID(lex, CORVUM_LANG_POLISH, 0);
  lookUpInTurn(state, lex, static_cast<uint16_t>(id), words);
  LexMgr_Close(lex);
}
BENCHMARK(BM_PolishGetPronString);

}  // namespace

BENCHMARK_MAIN();
