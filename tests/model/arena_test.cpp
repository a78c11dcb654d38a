#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "model/arena.h"

namespace tts {
namespace {

struct ArenaDeleter {
  void operator()(WorkArena* a) const { arenaDestroy(a); }
};
using ArenaPtr = std::unique_ptr<WorkArena, ArenaDeleter>;

TEST(Arena, FreshArenaAndAlignment) {
  ArenaPtr arena(arenaCreate(30720));
  ASSERT_NE(arena, nullptr);
  EXPECT_EQ(arenaDepth(arena.get()), 0);
  EXPECT_EQ(arenaTop(arena.get()), arena->buffer);
  for (int32_t k = 0; k <= 30720; ++k) ASSERT_EQ(arena->buffer[k], 0);

  uint8_t* a = static_cast<uint8_t*>(arenaAlloc(arena.get(), 1, 3));
  uint8_t* b = static_cast<uint8_t*>(arenaAlloc(arena.get(), 4, 1));
  EXPECT_EQ(a, arena->buffer);
  EXPECT_EQ(b, a + kArenaAlignment);  // padded to the next multiple of the alignment
  EXPECT_EQ(arenaTop(arena.get()), b + 4);
  EXPECT_EQ(arenaDepth(arena.get()), 2);
  // A zero-byte request still takes a level.
  EXPECT_NE(arenaAlloc(arena.get(), 0, 5), nullptr);
  EXPECT_EQ(arenaDepth(arena.get()), 3);
  arenaPop(arena.get());
  arenaPop(arena.get());
  EXPECT_EQ(arenaTop(arena.get()), a + 3);  // unaligned top
  EXPECT_EQ(arenaFree(arena.get()), 30720 - 3 - kArenaAlignment);
}

TEST(Arena, LiveAllocationLimit) {
  ArenaPtr arena(arenaCreate(30720));
  for (int32_t k = 0; k < 127; ++k) ASSERT_NE(arenaAlloc(arena.get(), 1, 1), nullptr) << k;
  uint8_t* top = arenaTop(arena.get());
  EXPECT_EQ(arenaAlloc(arena.get(), 1, 1), nullptr);
  EXPECT_EQ(arenaDepth(arena.get()), 127);
  EXPECT_EQ(arenaTop(arena.get()), top);  // a refusal changes nothing
  arenaPop(arena.get());
  EXPECT_NE(arenaAlloc(arena.get(), 1, 1), nullptr);
}

TEST(Arena, CapacityBoundaryAndBadRequests) {
  ArenaPtr arena(arenaCreate(100));
  const int32_t fits = 100 - kArenaAlignment - 1;  // 95 with 4-byte alignment, 91 with 8
  EXPECT_EQ(arenaFree(arena.get()), fits + 1);
  EXPECT_EQ(arenaAlloc(arena.get(), fits + 1, 1), nullptr);
  EXPECT_EQ(arenaAlloc(arena.get(), 1, fits + 1), nullptr);
  EXPECT_EQ(arenaDepth(arena.get()), 0);
  EXPECT_NE(arenaAlloc(arena.get(), fits, 1), nullptr);
  EXPECT_EQ(arenaFree(arena.get()), 1);
  EXPECT_EQ(arenaAlloc(arena.get(), 1, 1), nullptr);
  arenaReset(arena.get());
  // Negative and overflowing products are refused, never wrapped.
  EXPECT_EQ(arenaAlloc(arena.get(), -8, 1), nullptr);
  EXPECT_EQ(arenaAlloc(arena.get(), 65536, 65536), nullptr);
  EXPECT_EQ(arenaAlloc(arena.get(), 1 << 30, 4), nullptr);
  EXPECT_EQ(arenaDepth(arena.get()), 0);

  EXPECT_EQ(arenaCreate(-1), nullptr);
  ArenaPtr tiny(arenaCreate(0));
  ASSERT_NE(tiny, nullptr);
  EXPECT_EQ(arenaAlloc(tiny.get(), 0, 0), nullptr);
  EXPECT_EQ(arenaFree(tiny.get()), 0);
}

TEST(Arena, ReleaseToAndNullArena) {
  ArenaPtr arena(arenaCreate(1000));
  for (int32_t k = 0; k < 5; ++k) arenaAlloc(arena.get(), 10, 1);
  uint8_t* top = arenaTop(arena.get());
  for (int32_t d : {5, 6, -1, 1000}) {
    arenaReleaseTo(arena.get(), d);
    EXPECT_EQ(arenaDepth(arena.get()), 5);
    EXPECT_EQ(arenaTop(arena.get()), top);
  }
  arenaReleaseTo(arena.get(), 2);
  EXPECT_EQ(arenaDepth(arena.get()), 2);
  // 0..10, pad to the alignment, then 10 more bytes
  EXPECT_EQ(arenaTop(arena.get()), arena->buffer + (10 + kArenaAlignment - 1) / kArenaAlignment * kArenaAlignment + 10);
  arenaReleaseTo(arena.get(), 0);
  EXPECT_EQ(arenaDepth(arena.get()), 0);
  EXPECT_EQ(arenaTop(arena.get()), arena->buffer);
  arenaPop(arena.get());
  EXPECT_EQ(arenaDepth(arena.get()), 0);

  EXPECT_EQ(arenaAlloc(nullptr, 1, 1), nullptr);
  EXPECT_EQ(arenaTop(nullptr), nullptr);
  EXPECT_EQ(arenaDepth(nullptr), -1);
  EXPECT_EQ(arenaFree(nullptr), 0);
  arenaPop(nullptr);
  arenaReset(nullptr);
  arenaReleaseTo(nullptr, 0);
  arenaDestroy(nullptr);
}

}  // namespace
}  // namespace tts
