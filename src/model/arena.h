// Work arena: a fixed-capacity stack allocator owned by each handle.
// Per-chunk and per-phrase buffers are taken from it and given back in bulk
// by returning it to a recorded depth. Every operation accepts a null arena.
#pragma once
#include <cstdint>

namespace tts {

constexpr int32_t kArenaMaxDepth = 128;  // tops[0] is the base: at most 127 live allocations
// Allocations start on a multiple of this: 4 bytes on 32-bit targets, and
// pointer alignment on 64-bit targets so that arrays of pointers can live in
// the arena. Each request also reserves this many bytes for the pad.
constexpr int32_t kArenaAlignment = alignof(void*) > 4 ? static_cast<int32_t>(alignof(void*)) : 4;

struct WorkArena {
  int32_t capacity;               // usable bytes, fixed at creation
  uint8_t* buffer;                // capacity + 1 bytes, zero-filled once at creation
  int32_t depth;                  // live allocations, 0..127
  uint8_t* tops[kArenaMaxDepth];  // tops[k]: first byte after the k-th live allocation
};

WorkArena* arenaCreate(int32_t capacity);  // null when the heap has no room
void arenaDestroy(WorkArena* arena);
void arenaReset(WorkArena* arena);
// size * count bytes aligned to 4, or null (null arena, 127 live, or no room).
void* arenaAlloc(WorkArena* arena, int32_t size, int32_t count);
void arenaPop(WorkArena* arena);
uint8_t* arenaTop(WorkArena* arena);   // first free byte (unaligned); null arena: null
int32_t arenaDepth(const WorkArena* arena);  // null arena: -1
// Bytes free above the current top (scratch that a caller may use without allocating).
int32_t arenaFree(const WorkArena* arena);
void arenaReleaseTo(WorkArena* arena, int32_t depth);

}  // namespace tts
