// Model pool: the storage of a phrase's relations, items, feature maps,
// values and their texts, owned by a handle. A freed block goes on the free
// list of its size class and the next request of that class takes it again;
// the pool asks the heap for more only when a class has no free block, so
// once a handle has spoken a phrase at least as large as the current one it
// makes no heap allocation. Nothing is returned to the heap before
// poolDestroy.
//
// Each block carries an 8-byte header naming the free list it returns to, so
// poolFree needs no pool. Without a pool (null) poolAlloc hands out plain heap
// blocks with the same header, which poolFree gives back to the heap: code
// that builds model objects outside a handle (tools, tests) works unchanged.
#pragma once
#include <cstdint>

namespace tts {

// Size classes: 8..256 bytes in steps of 8, then powers of two up to 1 MiB.
// Blocks up to kPoolSlabBlockMax bytes are cut from shared slabs; larger ones
// are obtained one by one, and kept on their free list like the others.
constexpr int32_t kPoolSmallStep = 8;
constexpr int32_t kPoolSmallMax = 256;
constexpr int32_t kPoolLargestBlock = 1 << 20;
constexpr int32_t kPoolClasses = kPoolSmallMax / kPoolSmallStep + 12;  // 32 small, 512 .. 1 MiB
constexpr int32_t kPoolSlabBlockMax = 2048;
constexpr int32_t kPoolSlabBytes = 16384;

struct PoolHeader;
struct PoolSlab;

struct PoolClass {
  PoolHeader* freeBlocks;  // linked through their headers
  int32_t blockBytes;      // payload bytes of every block of the class
  int32_t taken;           // blocks ever obtained (free or in use)
};

struct ModelPool {
  PoolClass classes[kPoolClasses];
  PoolSlab* slabs;     // every heap piece the pool holds, newest first
  uint8_t* slabNext;   // first unused byte of the newest slab
  int32_t slabLeft;    // bytes left after slabNext
  int64_t heapBytes;   // bytes obtained from the heap so far
  int64_t limitBytes;  // heapBytes never exceeds this
};

// Null when the heap has no room for the record. limitBytes bounds what the
// pool may ever take from the heap (slabs and large blocks together).
ModelPool* poolCreate(int64_t limitBytes);
void poolDestroy(ModelPool* pool);  // returns every slab and block to the heap; null: nothing
// A block of at least `bytes` bytes, aligned to 8, contents undefined. Null
// when bytes < 0, when it exceeds kPoolLargestBlock (with a pool), when the
// pool's limit is reached, or when the heap has no room.
void* poolAlloc(ModelPool* pool, int32_t bytes);
void* poolAllocZeroed(ModelPool* pool, int32_t bytes);
// Returns a block of poolAlloc (from any pool, or none) to where it came from; null: nothing.
void poolFree(void* block);
// Copies of NUL-terminated texts in a pool block; null for a null text or no room.
char* poolCopyString(ModelPool* pool, const char* s);
char16_t* poolCopyWString(ModelPool* pool, const char16_t* s);
// Blocks handed out and not yet freed (walks the free lists); null pool: 0.
int32_t poolBlocksInUse(const ModelPool* pool);

}  // namespace tts
