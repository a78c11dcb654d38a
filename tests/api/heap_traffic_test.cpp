// Heap traffic of a handle over a multi-chunk text with the default Spanish
// voice, counted by replacing malloc, calloc and realloc in this test binary.
// After the first chunk, rendering the phones of a phrase allocates nothing,
// and a chunk spoken again costs no more allocations than the time before.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "corvum.h"
#include "support/test_host.h"
#include "tts_engine.h"

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

struct Counter {
  long lastDelivery = 0;
  bool inSpeech = false;     // the previous delivery was samples of the same phrase
  long betweenPhones = 0;    // allocations between two sample deliveries of a phrase
  long deliveries = 0;

  static int32_t callback(intptr_t user, const int16_t*, int32_t count) {
    auto* c = reinterpret_cast<Counter*>(user);
    if (count > 0) {
      if (c->inSpeech) c->betweenPhones += gAllocations - c->lastDelivery;
      c->inSpeech = true;
      c->deliveries += 1;
    } else if (count < 0) {
      c->inSpeech = false;  // a marker ends the phrase
    }
    c->lastDelivery = gAllocations;
    return 0;
  }
};

std::vector<uint8_t> readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(HeapTraffic, PhonesAllocateNothingAndChunksDoNotGrow) {
  if (!VOXA_COUNT_ALLOCATIONS) GTEST_SKIP() << "allocation counting is off under the sanitizers";
  const std::vector<uint8_t> db = readFile(std::string(VOXA_VOICE_DIR) + "/es.voice");
  ASSERT_GT(db.size(), 24u);
  CorvumLexicon* lexicon = LexMgr_Open(CORVUM_LANG_ALL);
  TTSFile* handle = TTSFileOpenSized_I(lexicon, db.data(), db.size(), 0, TTS_FORMAT_KEEP);
  ASSERT_NE(handle, nullptr);
  const std::u16string chunk = tts_test::utf16(
      "El lunes llegó a la estación con una maleta pequeña, y nadie sabía quién había dejado el paraguas "
      "en el tren. La doctora pagó el billete; todos siguieron su camino hacia el hotel.");

  std::vector<long> perChunk;
  std::vector<long> phoneAllocations;
  for (int round = 0; round < 4; ++round) {
    Counter counter;
    const long before = gAllocations;
    counter.lastDelivery = before;
    int32_t r = TTSFileGetWave_I(handle, chunk.c_str(), 0, &Counter::callback, reinterpret_cast<intptr_t>(&counter));
    for (int calls = 0; r >= 0 && calls < 100000; ++calls)
      r = TTSFileGetWave_I(handle, nullptr, 0, &Counter::callback, reinterpret_cast<intptr_t>(&counter));
    EXPECT_EQ(r, TTS_DONE);
    EXPECT_GT(counter.deliveries, 20);
    perChunk.push_back(gAllocations - before);
    phoneAllocations.push_back(counter.betweenPhones);
  }
  for (int round = 1; round < 4; ++round) {
    EXPECT_EQ(phoneAllocations[round], 0) << "chunk " << round;
    EXPECT_LE(perChunk[round], perChunk[1]) << "chunk " << round;
  }
  std::printf("allocations per chunk: %ld (first), %ld, %ld, %ld\n", perChunk[0], perChunk[1], perChunk[2],
              perChunk[3]);
  TTSFileClose_I(handle);
  LexMgr_Close(lexicon);
}

}  // namespace
