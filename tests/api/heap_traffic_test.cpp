// Heap traffic of a handle over multi-chunk texts with the deliverable's
// default voice, counted by replacing malloc, calloc and realloc in this test
// binary. After the first chunk, rendering the phones of a phrase allocates
// nothing, no phrase allocates at all, and starting a chunk costs a bounded
// number of allocations whatever its phrases.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "api/tts_file.h"
#include "corvum.h"
#include "model/pool.h"
#include "support/test_host.h"
#include "tts_engine.h"

#ifndef VOXA_LANG
#error "VOXA_LANG must name the deliverable's language"
#endif

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define VOXA_COUNT_ALLOCATIONS 0  // the sanitizers own malloc
#else
#define VOXA_COUNT_ALLOCATIONS 1
#endif

namespace {
long gAllocations = 0;  // test-only counter, single-threaded
}  // namespace

#if VOXA_COUNT_ALLOCATIONS
extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* p, size_t size);
void* malloc(size_t size) {
  ++gAllocations;
  return __libc_malloc(size);
}
void* calloc(size_t count, size_t size) {
  ++gAllocations;
  return __libc_calloc(count, size);
}
void* realloc(void* p, size_t size) {
  ++gAllocations;
  return __libc_realloc(p, size);
}
}
#endif

namespace {

// What starting a chunk may allocate, whatever its phrases: the text stage's
// work buffers and the copy of the normalised chunk (sized by its text).
constexpr long kChunkStartAllocations = 16;

struct Counter {
  long lastDelivery = 0;
  bool inSpeech = false;   // the previous delivery was samples of the same phrase
  long betweenPhones = 0;  // allocations between two sample deliveries of a phrase
  long deliveries = 0;
  long markers = 0;  // phrase-end markers

  static int32_t callback(intptr_t user, const int16_t*, int32_t count) {
    auto* c = reinterpret_cast<Counter*>(user);
    if (count > 0) {
      if (c->inSpeech) c->betweenPhones += gAllocations - c->lastDelivery;
      c->inSpeech = true;
      c->deliveries += 1;
    } else if (count < 0) {
      c->inSpeech = false;  // a marker ends the phrase
      c->markers += 1;
    }
    c->lastDelivery = gAllocations;
    return 0;
  }
};

// Allocations of one chunk: in the call that starts it, and in all the calls
// after (where every phrase is cut, pronounced, timed and rendered).
struct ChunkCount {
  long atStart = 0;
  long afterStart = 0;
  Counter counter;
  int32_t result = 0;
};

ChunkCount speak(TTSFile* handle, const std::u16string& text) {
  ChunkCount c;
  long before = gAllocations;
  c.counter.lastDelivery = before;
  const auto callback = &Counter::callback;
  const auto user = reinterpret_cast<intptr_t>(&c.counter);
  int32_t r = TTSFileGetWave_I(handle, text.c_str(), 0, callback, user);
  c.atStart = gAllocations - before;
  before = gAllocations;
  for (int calls = 0; r >= 0 && calls < 100000; ++calls)
    r = TTSFileGetWave_I(handle, nullptr, 0, callback, user);
  c.afterStart = gAllocations - before;
  c.result = r;
  return c;
}

std::vector<uint8_t> defaultVoice() {
  std::ifstream in(std::string(VOXA_VOICE_DIR) + "/" + VOXA_LANG + ".voice", std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Chunks of one, two and four phrases, and a one-sentence chunk.
std::vector<std::string> chunks() {
  const std::string lang = VOXA_LANG;
  if (lang == "es")
    return {"La doctora pagó el billete.",
            "El lunes llegó a la estación con una maleta pequeña, y nadie sabía quién había dejado el "
            "paraguas en el tren.",
            "Si el valor es cero, se usa el predeterminado; en otro caso, se toma como límite del tamaño, "
            "y el resto se descarta.",
            "Todos siguieron su camino hacia el hotel."};
  if (lang == "pl")
    return {"Jeśli podano kolumnę, to drzewo jest wyświetlone w danej kolumnie.",
            "Powoduje to, że operatory relacyjne i logiczne, użyte w wyrażeniach przypisania, będą "
            "wykazywać niecodzienne zachowywanie.",
            "Przy zmianach stref zachowywane jest położenie na taśmie w obrębie każdej ze stref.",
            "Słowa tworzone przez wzorzec nie muszą pasować do uzupełnianego słowa."};
  return {"Komut karakter katarı önce kabuk tarafından değerlendirilir.",
          "Şayet herhangi bir seçenek belirtilmezse, useradd geçerli öntanımlı değerleri görüntüleyecektir.",
          "Bazı soruların öntanımlı yanıtları değiştirilmiştir, böyle öntanımlı yanıtları olan sorularda "
          "patch artık sonsuz bir döngüye girip yanıt beklememektedir.",
          "Hem alan hem karakter atlanması istenmişse önce alanlar atlanır."};
}

class HeapTraffic : public ::testing::Test {
 protected:
  void SetUp() override {
    db = defaultVoice();
    ASSERT_GT(db.size(), 24u);
    lexicon = LexMgr_Open(CORVUM_LANG_ALL);
    handle = TTSFileOpenSized_I(lexicon, db.data(), db.size(), 0, TTS_FORMAT_KEEP);
    ASSERT_NE(handle, nullptr);
  }
  void TearDown() override {
    TTSFileClose_I(handle);
    LexMgr_Close(lexicon);
  }
  std::vector<uint8_t> db;
  CorvumLexicon* lexicon = nullptr;
  TTSFile* handle = nullptr;
};

TEST_F(HeapTraffic, PhonesAllocateNothingAndChunksDoNotGrow) {
  if (!VOXA_COUNT_ALLOCATIONS) GTEST_SKIP() << "allocation counting is off under the sanitizers";
  const std::vector<std::string> texts = chunks();
  const std::u16string chunk = tts_test::utf16(texts[1] + " " + texts[3]);
  std::vector<long> perChunk;
  std::vector<long> phoneAllocations;
  for (int round = 0; round < 4; ++round) {
    const ChunkCount c = speak(handle, chunk);
    EXPECT_EQ(c.result, TTS_DONE);
    EXPECT_GT(c.counter.deliveries, 20);
    perChunk.push_back(c.atStart + c.afterStart);
    phoneAllocations.push_back(c.counter.betweenPhones);
  }
  for (int round = 1; round < 4; ++round) {
    EXPECT_EQ(phoneAllocations[round], 0) << "chunk " << round;
    EXPECT_LE(perChunk[round], perChunk[1]) << "chunk " << round;
  }
  std::printf("allocations per chunk: %ld (first), %ld, %ld, %ld\n", perChunk[0], perChunk[1], perChunk[2],
              perChunk[3]);
}

// The first chunk holds the whole text; then its pieces, of one to four
// phrases each, come as chunks of their own, twice over, without and then
// with word events, at the engine's defaults and then with the host's
// readings (everyday text, trained durations, accented intonation). None of their phrases allocates, a chunk start stays
// within a bound that does not depend on its phrases, and every pool block is
// back in the pool at each chunk's end (this part also runs under the
// sanitizers).
TEST_F(HeapTraffic, NoAllocationPerPhraseAfterTheFirstChunk) {
  const std::vector<std::string> texts = chunks();
  std::string whole;
  for (const std::string& t : texts) whole += t + " ";
  for (const int pass : {0, 1, 2}) {
    const bool wordEvents = pass > 0;
    if (pass == 2) {
      int32_t on[] = {TTS_READING_EVERYDAY, TTS_DURATIONS_TRAINED, TTS_INTONATION_ACCENTED};
      const int32_t codes[] = {TTSC_SET_READING, TTSC_SET_DURATION_MODEL, TTSC_SET_INTONATION};
      for (int k = 0; k < 3; ++k) ASSERT_EQ(TTSFileCtrl_I(handle, codes[k], &on[k]), 0);
    }
    if (wordEvents)
      TTSFileSetWordEvents_I(
          handle, [](intptr_t, const TTSWordEvent*) {}, 0);
    const ChunkCount first = speak(handle, tts_test::utf16(whole));
    ASSERT_EQ(first.result, TTS_DONE);
    EXPECT_EQ(tts::poolBlocksInUse(handle->pool), 0);
    long phrases = 0;
    long allocations = 0;
    for (int round = 0; round < 2; ++round) {
      for (size_t k = 0; k < texts.size(); ++k) {
        const ChunkCount c = speak(handle, tts_test::utf16(texts[k]));
        EXPECT_EQ(c.result, TTS_DONE);
        EXPECT_EQ(tts::poolBlocksInUse(handle->pool), 0) << "chunk " << k;
        if (!VOXA_COUNT_ALLOCATIONS) continue;
        EXPECT_EQ(c.afterStart, 0) << "chunk " << k << ": " << c.counter.markers << " markers, events "
                                   << wordEvents;
        EXPECT_LE(c.atStart, kChunkStartAllocations) << "chunk " << k << ", events " << wordEvents;
        phrases += c.counter.markers;
        allocations += c.atStart + c.afterStart;
      }
    }
    if (VOXA_COUNT_ALLOCATIONS)
      std::printf(
          "pass %d (word events %d): after the first chunk (%ld allocations), %ld allocations over %zu chunks, "
          "%ld phrase markers\n",
          pass, wordEvents, first.atStart + first.afterStart, allocations, 2 * texts.size(), phrases);
  }
}

// A pool that reaches its limit (at the first relation, or in the middle of
// a phrase) abandons the chunk with every block back in the pool; with room
// again the same handle speaks the chunk.
TEST_F(HeapTraffic, AnExhaustedPoolAbandonsTheChunk) {
  const std::u16string text = tts_test::utf16(chunks()[1]);
  for (const int64_t limit : {0, 4096, 20000}) {
    tts::poolDestroy(handle->pool);
    handle->pool = tts::poolCreate(limit);
    ASSERT_NE(handle->pool, nullptr);
    EXPECT_EQ(speak(handle, text).result, TTS_ERR_ABANDONED) << "limit " << limit;
    EXPECT_EQ(tts::poolBlocksInUse(handle->pool), 0) << "limit " << limit;
  }
  tts::poolDestroy(handle->pool);
  handle->pool = tts::poolCreate(tts::kModelPoolLimit);
  EXPECT_EQ(speak(handle, text).result, TTS_DONE);
}

}  // namespace
