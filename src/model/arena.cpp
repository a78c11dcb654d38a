// Work arena: a bump allocator with a table of up to 127 live tops, released
// last in, first out.
#include "model/arena.h"

#include <cstdlib>

namespace tts {

namespace {
constexpr int32_t kAlignSlack = kArenaAlignment;  // bytes reserved per request for the alignment pad
}

WorkArena* arenaCreate(int32_t capacity) {
  if (capacity < 0) return nullptr;
  WorkArena* arena = static_cast<WorkArena*>(std::calloc(1, sizeof(WorkArena)));
  if (arena == nullptr) return nullptr;
  arena->buffer = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(capacity) + 1, 1));
  if (arena->buffer == nullptr) {
    std::free(arena);
    return nullptr;
  }
  arena->capacity = capacity;
  arenaReset(arena);
  return arena;
}

void arenaDestroy(WorkArena* arena) {
  if (arena == nullptr) return;
  std::free(arena->buffer);
  std::free(arena);
}

void arenaReset(WorkArena* arena) {
  if (arena == nullptr) return;
  arena->depth = 0;
  arena->tops[0] = arena->buffer;
}

void* arenaAlloc(WorkArena* arena, int32_t size, int32_t count) {
  if (arena == nullptr) return nullptr;
  // The product is kept exact: a negative or overflowing request is refused
  // instead of wrapping into a top below the current one.
  const int64_t bytes = static_cast<int64_t>(size) * static_cast<int64_t>(count);
  if (bytes < 0 || bytes > INT32_MAX) return nullptr;
  if (arena->depth + 1 >= kArenaMaxDepth) return nullptr;
  uint8_t* top = arena->tops[arena->depth];
  const int64_t used = top - arena->buffer;
  if (used + bytes + kAlignSlack >= arena->capacity) return nullptr;
  const uintptr_t address = reinterpret_cast<uintptr_t>(top);
  uint8_t* start = top + ((0u - address) & static_cast<uintptr_t>(kArenaAlignment - 1));
  arena->depth += 1;
  arena->tops[arena->depth] = start + bytes;
  return start;
}

void arenaPop(WorkArena* arena) {
  if (arena == nullptr) return;
  if (arena->depth > 0) arena->depth -= 1;
}

uint8_t* arenaTop(WorkArena* arena) {
  if (arena == nullptr) return nullptr;
  return arena->tops[arena->depth];
}

int32_t arenaDepth(const WorkArena* arena) {
  if (arena == nullptr) return -1;
  return arena->depth;
}

int32_t arenaFree(const WorkArena* arena) {
  if (arena == nullptr) return 0;
  const int64_t used = arena->tops[arena->depth] - arena->buffer;
  const int64_t left = arena->capacity - used - kAlignSlack;
  return left > 0 ? static_cast<int32_t>(left) : 0;
}

void arenaReleaseTo(WorkArena* arena, int32_t depth) {
  if (arena == nullptr) return;
  if (depth < 0 || depth >= arena->depth) return;
  if (depth == 0) {
    arenaReset(arena);
  } else {
    arena->depth = depth;
  }
}

}  // namespace tts
