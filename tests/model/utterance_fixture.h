// A small phrase for path and tree tests: one phrase, two words, each with
// two syllables of three segments, over one registry, one arena and one pool
// (which must have every block back once the relations are destroyed).
#pragma once
#include <gtest/gtest.h>

#include "model/arena.h"
#include "model/path.h"
#include "model/pool.h"
#include "model/relation.h"

namespace tts_test {

class Utterance : public ::testing::Test {
 protected:
  void SetUp() override {
    using namespace tts;
    arena = arenaCreate(30720);
    pool = poolCreate(1 << 20);
    params = featCreate();
    registry = featCreate();
    phrases = relCreate("Phrase", params, registry, arena, pool);
    words = relCreate("Word", params, registry, arena, pool);
    syllables = relCreate("Syllable", params, registry, arena, pool);
    segments = relCreate("Segment", params, registry, arena, pool);
    phrase = relAppend(phrases);
    for (int w = 0; w < 2; ++w) {
      word[w] = itemAddDaughter(phrase, relAppend(words));
      for (int s = 0; s < 2; ++s) {
        tts::Item* syl = itemAddDaughter(word[w], relAppend(syllables));
        syllable[w * 2 + s] = syl;
        for (int g = 0; g < 3; ++g) segment[(w * 2 + s) * 3 + g] = itemAddDaughter(syl, relAppend(segments));
      }
    }
  }
  void TearDown() override {
    using namespace tts;
    relDestroy(phrases);
    relDestroy(words);
    relDestroy(syllables);
    relDestroy(segments);
    EXPECT_EQ(poolBlocksInUse(pool), 0);
    featDestroy(params);
    featDestroy(registry);
    poolDestroy(pool);
    arenaDestroy(arena);
  }

  tts::WorkArena* arena = nullptr;
  tts::ModelPool* pool = nullptr;
  tts::Features* params = nullptr;
  tts::Features* registry = nullptr;
  tts::Relation* phrases = nullptr;
  tts::Relation* words = nullptr;
  tts::Relation* syllables = nullptr;
  tts::Relation* segments = nullptr;
  tts::Item* phrase = nullptr;
  tts::Item* word[2] = {};
  tts::Item* syllable[4] = {};
  tts::Item* segment[12] = {};
};

}  // namespace tts_test
