// Turkish pronunciation lookup through the lexicon's C entry point, over a
// mixed word list: the sample words bare and inflected (case endings,
// negative and progressive verb forms, apostrophe suffixes), acronyms and
// words with digits.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "corvum.h"
#include "lexicon_lookups.h"
#include "word_file.h"

namespace {

std::vector<std::u16string> turkishWords() {
  const std::vector<std::u16string> stems = voxa_utf::readWordFile(TURKISH_WORDS_FILE);
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
  lookUpInTurn(state, lex, static_cast<uint16_t>(id), words);
  LexMgr_Close(lex);
}
BENCHMARK(BM_TurkishGetPronString);

}  // namespace

BENCHMARK_MAIN();
