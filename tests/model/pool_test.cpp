#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "model/features.h"
#include "model/pool.h"
#include "model/relation.h"
#include "model/strings.h"

namespace tts {
namespace {

struct PoolDeleter {
  void operator()(ModelPool* p) const { poolDestroy(p); }
};
using PoolPtr = std::unique_ptr<ModelPool, PoolDeleter>;

// Each size class: a freed block is the next one handed out of its class,
// whole and aligned, and a second round takes nothing more from the heap.
TEST(Pool, FreedBlocksAreReusedByClass) {
  PoolPtr pool(poolCreate(1 << 22));
  ASSERT_NE(pool, nullptr);
  const int32_t sizes[] = {0, 1, 8, 9, 100, 256, 257, 512, 2048, 2049, 70000, kPoolLargestBlock};
  std::vector<void*> first;
  for (const int32_t bytes : sizes) {
    auto* block = static_cast<uint8_t*>(poolAlloc(pool.get(), bytes));
    ASSERT_NE(block, nullptr) << bytes;
    EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % 8, 0u) << bytes;
    memFill(block, 0xA5, bytes);  // the whole request is writable
    first.push_back(block);
  }
  EXPECT_EQ(poolBlocksInUse(pool.get()), 12);
  for (void* block : first) poolFree(block);
  EXPECT_EQ(poolBlocksInUse(pool.get()), 0);
  const int64_t heapAfterFirst = pool->heapBytes;
  // Same classes in reverse order: each gets its own block back.
  for (int32_t k = 11; k >= 0; --k) EXPECT_EQ(poolAlloc(pool.get(), sizes[k]), first[k]) << sizes[k];
  EXPECT_EQ(pool->heapBytes, heapAfterFirst);
  // 1 and 8 bytes share a class, 9 does not.
  poolFree(first[1]);
  EXPECT_EQ(poolAlloc(pool.get(), 8), first[1]);
  EXPECT_EQ(poolBlocksInUse(pool.get()), 12);
}

// Refusals leave the pool as it was; the limit counts slabs and large blocks.
TEST(Pool, RefusalsAndTheLimit) {
  PoolPtr pool(poolCreate(kPoolSlabBytes + 64));
  EXPECT_EQ(poolAlloc(pool.get(), -1), nullptr);
  EXPECT_EQ(poolAlloc(pool.get(), kPoolLargestBlock + 1), nullptr);
  EXPECT_EQ(poolAlloc(pool.get(), 32768), nullptr);  // a large block beyond the limit
  EXPECT_EQ(pool->heapBytes, 0);
  int32_t taken = 0;
  while (poolAlloc(pool.get(), 200) != nullptr) ++taken;
  EXPECT_EQ(taken, kPoolSlabBytes / 208);  // one slab of 200-byte blocks and their headers
  EXPECT_LE(pool->heapBytes, pool->limitBytes);
  PoolPtr none(poolCreate(0));
  EXPECT_EQ(poolAlloc(none.get(), 1), nullptr);
  EXPECT_EQ(poolCopyString(none.get(), "a"), nullptr);
  EXPECT_EQ(poolCopyString(pool.get(), nullptr), nullptr);
}

// Without a pool, blocks and copies come from the heap and go back to it.
TEST(Pool, NullPoolUsesTheHeap) {
  char* s = poolCopyString(nullptr, "pau");
  char16_t* w = poolCopyWString(nullptr, u"ñu");
  void* big = poolAlloc(nullptr, kPoolLargestBlock + 1);
  ASSERT_NE(s, nullptr);
  ASSERT_NE(w, nullptr);
  EXPECT_NE(big, nullptr);
  EXPECT_EQ(strCompare(s, "pau"), 0);
  EXPECT_EQ(wstrCompare(w, u"ñu"), 0);
  poolFree(s);
  poolFree(w);
  poolFree(big);
  poolFree(nullptr);
  EXPECT_EQ(poolBlocksInUse(nullptr), 0);
}

// A relation in a pool: its record, items, maps (past the inline entries),
// values and texts all go back when it is destroyed.
TEST(Pool, RelationsGiveEverythingBack) {
  PoolPtr pool(poolCreate(1 << 20));
  Relation* r = relCreate("Segment", nullptr, nullptr, nullptr, pool.get());
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->pool, pool.get());
  static const char* const kNames[] = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k"};
  for (int32_t k = 0; k < 20; ++k) {
    Item* x = relAppend(r);
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(itemPool(x), pool.get());
    for (const char* name : kNames) itemSetInt(x, name, 1000 + k);
    itemSetString(x, "name", "pau");
    itemSetString(x, "name", "sil");  // the replaced value goes back too
  }
  EXPECT_GT(poolBlocksInUse(pool.get()), 20 * 14);
  relDestroy(r);
  EXPECT_EQ(poolBlocksInUse(pool.get()), 0);
  EXPECT_EQ(itemPool(nullptr), nullptr);
}

}  // namespace
}  // namespace tts
