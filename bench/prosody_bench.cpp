// Stages 2 to 4 (phrase cutting, pronunciation with the real lexicon, accents,
// durations, F0 and unit targets) per phrase on a corpus of Spanish sentences.
#include <benchmark/benchmark.h>

#include <vector>

#include "corvum.h"
#include "prosody_fixture.h"

namespace {

using namespace prosody_test;

const char16_t* const kCorpus[] = {
    u"el tren de la mañana llega a la estación central con veinte minutos de retraso .",
    u"mañana por la tarde , si no llueve , iremos al parque con los niños .",
    u"la biblioteca municipal abre sus puertas de lunes a viernes / y los sábados por la mañana .",
    u"¿ quieres que preparemos la cena juntos esta noche ?",
    u"el informe anual muestra un crecimiento constante de las ventas en todas las regiones del país .",
    u"después de la reunión , el director explicó las nuevas normas a todo el personal .",
    u"los pájaros cantaban en los árboles mientras el sol salía detrás de las montañas .",
    u"por favor , cierre la puerta al salir y apague las luces de la oficina .",
    u"la película que vimos ayer tenía una música preciosa / pero el final era muy triste .",
    u"en verano la temperatura supera con frecuencia los cuarenta grados en el sur .",
};

void BM_ProsodyStagesPerPhrase(benchmark::State& state) {
  Session s(Lang::Es);
  s.ctx.getLexId = &LexMgr_GetLexID;
  s.ctx.getPronString = &LexMgr_GetPronString;
  CorvumLexicon* lexicon = LexMgr_Open(CORVUM_LANG_SPANISH);
  std::vector<OwnedWordList*> lists;
  for (const char16_t* text : kCorpus) lists.push_back(new OwnedWordList(text));

  int64_t phrases = 0;
  int64_t segments = 0;
  char pron[256];
  uint8_t phones[256], stress[256];
  std::vector<uint8_t> arrays(4 * 512);
  std::vector<int32_t> targets(4 * 512);
  for (auto _ : state) {
    for (OwnedWordList* wl : lists) {
      for (int32_t& c : wl->list.cursors) c = 0;
      for (;;) {
        tts::Relation* ph = tts::relCreate("Phrase", s.params, s.registry, s.arena);
        tts::Relation* words = tts::relCreate("Word", s.params, s.registry, s.arena);
        tts::cutPhrase(&wl->list, ph, words);
        if (!ph->head) {
          tts::relDestroy(ph);
          tts::relDestroy(words);
          break;
        }
        tts::Relation* syl = tts::relCreate("Syllable", s.params, s.registry, s.arena);
        tts::Relation* seg = tts::relCreate("Segment", s.params, s.registry, s.arena);
        int32_t n = 0;
        for (tts::Item* w = words->head; w; w = w->next)
          n += tts::pronounceWordWith(s.ctx, lexicon, w, syl, seg, pron, phones, stress);
        const int32_t capacity = n + 2 < 512 ? n + 2 : 512;
        const int32_t count = tts::buildTargetsWith(s.ctx, ph, &arrays[0], &arrays[512], &arrays[1024],
                                                    &arrays[1536], targets.data(), capacity);
        benchmark::DoNotOptimize(count);
        segments += count;
        ++phrases;
        tts::relDestroy(ph);
        tts::relDestroy(words);
        tts::relDestroy(syl);
        tts::relDestroy(seg);
      }
    }
  }
  state.SetItemsProcessed(phrases);
  state.counters["segments_per_phrase"] = phrases ? static_cast<double>(segments) / phrases : 0;
  for (OwnedWordList* wl : lists) delete wl;
  LexMgr_Close(lexicon);
}
BENCHMARK(BM_ProsodyStagesPerPhrase)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
