// The lookup loop shared by the lexicon benchmarks.
#pragma once
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "corvum.h"

// One LexMgr_GetPronString per iteration under lexicon id `language`, cycling
// through `words`; items processed = lookups.
inline void lookUpInTurn(benchmark::State& state, CorvumLexicon* lex, uint16_t language,
                         const std::vector<std::u16string>& words) {
  if (lex == nullptr || words.empty()) {
    state.SkipWithError("no lexicon or no words");
    return;
  }
  char out[CORVUM_PRON_CAPACITY];
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(LexMgr_GetPronString(lex, language, words[i].c_str(), out, 0, 1, 0));
    benchmark::ClobberMemory();
    if (++i == words.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
