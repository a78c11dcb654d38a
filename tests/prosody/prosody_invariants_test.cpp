// Stages 2 to 4 over long generated text in each language, with the real
// lexicon, run as the driver runs them: per phrase, the pronunciation buffers
// and the unit-target arrays come from the arena, which returns to its
// recorded depth afterwards.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "corvum.h"
#include "prosody_fixture.h"

namespace {

using namespace prosody_test;

// Deterministic generator of word-like text with punctuation.
class TextGenerator {
 public:
  TextGenerator(Lang lang, uint32_t seed) : lang_(lang), state_(seed) {}

  std::u16string chunk(int32_t entries) {
    std::u16string out;
    for (int32_t i = 0; i < entries; ++i) {
      if (!out.empty()) out += u' ';
      const uint32_t r = next() % 100;
      if (i > 0 && r < 6) {
        out += u",";
      } else if (i > 0 && r < 10) {
        out += (r < 8) ? u"." : u"?";
      } else if (i > 0 && r < 13) {
        out += u"/";
      } else {
        out += word();
      }
    }
    return out;
  }

 private:
  uint32_t next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
  }
  std::u16string pick(const char16_t* const* list, int32_t n) { return list[next() % n]; }

  std::u16string word() {
    static const char16_t* const kEsOnsets[] = {u"b", u"c", u"d", u"f", u"g", u"l", u"m", u"n", u"ñ", u"p", u"r",
                                               u"s", u"t", u"v", u"tr", u"pl", u"ch", u"ll", u"qu", u"j", u"z", u""};
    static const char16_t* const kEsVowels[] = {u"a", u"e", u"i", u"o", u"u", u"á", u"ie", u"ue", u"ai", u"au"};
    static const char16_t* const kEsCodas[] = {u"", u"", u"", u"n", u"s", u"r", u"l", u"y"};
    static const char16_t* const kPlOnsets[] = {u"b", u"c", u"d", u"g", u"k", u"ł", u"m", u"n", u"p", u"r", u"s",
                                               u"t", u"w", u"z", u"sz", u"cz", u"rz", u"prz", u"ś", u"ż", u"dz", u""};
    static const char16_t* const kPlVowels[] = {u"a", u"e", u"i", u"o", u"u", u"y", u"ą", u"ę", u"ó", u"ie"};
    static const char16_t* const kPlCodas[] = {u"", u"", u"k", u"m", u"n", u"ć", u"ł", u"st"};
    static const char16_t* const kTrOnsets[] = {u"b", u"c", u"ç", u"d", u"g", u"ğ", u"k", u"l", u"m", u"n", u"p",
                                               u"r", u"s", u"ş", u"t", u"v", u"y", u"z", u"h", u"f", u""};
    static const char16_t* const kTrVowels[] = {u"a", u"e", u"ı", u"i", u"o", u"ö", u"u", u"ü"};
    static const char16_t* const kTrCodas[] = {u"", u"", u"k", u"l", u"m", u"n", u"r", u"t"};
    std::u16string w;
    const int32_t syllables = 1 + next() % 4;
    for (int32_t s = 0; s < syllables; ++s) {
      switch (lang_) {
        case Lang::Es:
          w += pick(kEsOnsets, 22) + pick(kEsVowels, 10) + pick(kEsCodas, 8);
          break;
        case Lang::Pl:
          w += pick(kPlOnsets, 22) + pick(kPlVowels, 10) + pick(kPlCodas, 8);
          break;
        case Lang::Tr:
          w += pick(kTrOnsets, 21) + pick(kTrVowels, 8) + pick(kTrCodas, 8);
          break;
      }
    }
    return w.substr(0, tts::kEntryMaxLength);
  }

  Lang lang_;
  uint32_t state_;
};

struct Totals {
  int32_t phrases = 0;
  int32_t segments = 0;
  int32_t phones = 0;  // segments other than silence
};

// One chunk through stages 2 to 4, checking each phrase's arrays.
void speakChunk(Session& s, void* lexicon, OwnedWordList& wl, Totals* totals) {
  tts::WorkArena* arena = s.arena;
  const int32_t mark = tts::arenaDepth(arena);
  for (int guard = 0; guard < 200; ++guard) {
    tts::Relation* phrases = tts::relCreate("Phrase", s.params, s.registry, arena);
    tts::Relation* words = tts::relCreate("Word", phrases->params, phrases->featureFunctions, phrases->arena);
    ASSERT_EQ(tts::cutPhrase(&wl.list, phrases, words), 0);
    if (!phrases->head || !phrases->head->down) {
      tts::relDestroy(phrases);
      tts::relDestroy(words);
      break;
    }
    tts::Relation* syllables = tts::relCreate("Syllable", s.params, s.registry, arena);
    tts::Relation* segments = tts::relCreate("Segment", s.params, s.registry, arena);
    char* pron = static_cast<char*>(tts::arenaAlloc(arena, 1, 256));
    auto* phones = static_cast<uint8_t*>(tts::arenaAlloc(arena, 1, 256));
    auto* stress = static_cast<uint8_t*>(tts::arenaAlloc(arena, 1, 256));
    ASSERT_TRUE(pron && phones && stress);
    int32_t n = 0;
    for (tts::Item* w = words->head; w; w = w->next) {
      const int32_t made = tts::pronounceWordWith(s.ctx, lexicon, w, syllables, segments, pron, phones, stress);
      ASSERT_GE(made, 0);
      n += made;
    }
    tts::arenaPop(arena);
    tts::arenaPop(arena);
    tts::arenaPop(arena);
    const int32_t capacity = n + 2;
    uint8_t* arrays[4];
    for (auto& a : arrays) a = static_cast<uint8_t*>(tts::arenaAlloc(arena, 1, capacity));
    auto* targets = static_cast<int32_t*>(tts::arenaAlloc(arena, 4, capacity * 4));
    ASSERT_TRUE(arrays[3] && targets);
    const int32_t depth = tts::arenaDepth(arena);
    const int32_t count =
        tts::buildTargetsWith(s.ctx, phrases, arrays[0], arrays[1], arrays[2], arrays[3], targets, capacity);
    EXPECT_EQ(tts::arenaDepth(arena), depth) << "stage 4 left arena levels behind";

    int32_t segmentItems = 0;
    for (tts::Item* x = segments->head; x; x = x->next) ++segmentItems;
    EXPECT_EQ(count, segmentItems);
    EXPECT_LE(count, capacity);
    EXPECT_GT(count, 0);
    for (int32_t k = 0; k < count; ++k) {
      totals->phones += arrays[0][k] != 0;
      EXPECT_LE(arrays[2][k], 250);
      EXPECT_LT(arrays[0][k], s.ctx.phoneset->phoneCount);
      EXPECT_LE(arrays[3][k], 5);
      for (int32_t j = 0; j < 4; ++j) ASSERT_GT(targets[4 * k + j], 0) << "segment " << k << " point " << j;
    }
    totals->phrases += 1;
    totals->segments += count;

    tts::relDestroy(phrases);
    tts::relDestroy(words);
    tts::relDestroy(syllables);
    tts::relDestroy(segments);
    tts::arenaReleaseTo(arena, mark);
    ASSERT_EQ(tts::arenaDepth(arena), mark);
  }
}

void runLanguage(Lang lang, uint16_t code, int32_t chunks) {
  Session s(lang);
  s.ctx.getLexId = &LexMgr_GetLexID;
  s.ctx.getPronString = &LexMgr_GetPronString;
  CorvumLexicon* lexicon = LexMgr_Open(code);
  ASSERT_NE(lexicon, nullptr);
  TextGenerator gen(lang, 12345u + code);
  Totals totals;
  for (int32_t c = 0; c < chunks; ++c) {
    OwnedWordList wl(gen.chunk(c % 2 ? 128 : 40), c % 8);
    tts::arenaReset(s.arena);
    tts::arenaAlloc(s.arena, 4, 100);  // the chunk's word-list data below the mark
    speakChunk(s, lexicon, wl, &totals);
    if (::testing::Test::HasFatalFailure()) break;
  }
  LexMgr_Close(lexicon);
  EXPECT_GT(totals.phrases, chunks);
  EXPECT_GT(totals.segments, 20 * chunks);
  EXPECT_GT(totals.phones, totals.segments / 2) << "the lexicon pronounced most words";
}

TEST(ProsodyInvariants, SpanishGeneratedText) { runLanguage(Lang::Es, CORVUM_LANG_SPANISH, 60); }
TEST(ProsodyInvariants, PolishGeneratedText) { runLanguage(Lang::Pl, CORVUM_LANG_POLISH, 60); }
TEST(ProsodyInvariants, TurkishGeneratedText) { runLanguage(Lang::Tr, CORVUM_LANG_TURKISH, 60); }

}  // namespace
