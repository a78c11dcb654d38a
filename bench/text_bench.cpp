// Stages 0 and 1 of engine_es on a 500-character Spanish chunk.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "model/arena.h"
#include "prosody/word_classifier.h"
#include "text/text_language.h"
#include "text/word_list_builder.h"

namespace {

std::u16string spanishChunk() {
  std::u16string s =
      u"El 3/12/2007 a las 10:30 el ayuntamiento de la ciudad pag\u00F3 $1.234,56 por la obra, un 12,5% m\u00E1s "
      u"de lo previsto. Los vecinos, que llevaban 25 a\u00F1os esperando, escribieron a info@ciudad-nueva.es y "
      u"pidieron explicaciones; el alcalde respondi\u00F3 que el presupuesto de 2.500.000 euros se cumplir\u00EDa "
      u"antes de las 7:05 pm del viernes. \u00BFQui\u00E9n pagar\u00E1 los 21.000 libros de la biblioteca? Nadie "
      u"lo sabe todav\u00EDa, pero la reuni\u00F3n de ma\u00F1ana, en http://www.ciudad.es/obras, lo aclarar\u00E1. "
      u"Mientras tanto, las obras siguen su curso y el tr\u00E1fico";
  s.resize(500, u' ');
  return s;
}

void BM_Stage0(benchmark::State& state) {
  const std::u16string text = spanishChunk();
  const tts::TextLanguage* lang = &tts::kTextLanguageEs;
  std::vector<char16_t> storage;
  std::vector<char16_t*> entries;
  for (auto _ : state) {
    const int32_t capacity = tts::buildWordListFor(lang, text.c_str(), 0, nullptr, 0);
    storage.resize(size_t(capacity) * tts::kEntryTextUnits);
    entries.assign(size_t(capacity), nullptr);
    entries[0] = storage.data();
    benchmark::DoNotOptimize(tts::buildWordListFor(lang, text.c_str(), 0, entries.data(), capacity));
  }
}
BENCHMARK(BM_Stage0);

void BM_Stage1(benchmark::State& state) {
  const std::u16string text = spanishChunk();
  const tts::TextLanguage* lang = &tts::kTextLanguageEs;
  const int32_t capacity = tts::buildWordListFor(lang, text.c_str(), 0, nullptr, 0);
  std::vector<char16_t> storage(size_t(capacity) * tts::kEntryTextUnits);
  std::vector<char16_t*> entries(size_t(capacity), nullptr);
  entries[0] = storage.data();
  tts::WordList words{};
  words.entries = entries.data();
  words.count = tts::buildWordListFor(lang, text.c_str(), 0, entries.data(), capacity);
  tts::WorkArena* arena = tts::arenaCreate(30720);
  for (auto _ : state) {
    benchmark::DoNotOptimize(tts::analyseWordListFor(lang, tts::classifyWordDefault, &words, arena));
    tts::arenaReset(arena);
  }
  state.counters["entries"] = words.count;
  tts::arenaDestroy(arena);
}
BENCHMARK(BM_Stage1);

}  // namespace

BENCHMARK_MAIN();
