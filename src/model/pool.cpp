// Model pool: size-class free lists over slabs taken from the heap, kept
// until the pool is destroyed.
#include "model/pool.h"

#include <cstdlib>

#include "model/strings.h"

#if defined(__SANITIZE_ADDRESS__)
#define VOXA_POOL_POISON 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VOXA_POOL_POISON 1
#endif
#endif

#ifdef VOXA_POOL_POISON
#include <sanitizer/asan_interface.h>
// A free block's payload is poisoned, so a read or write through a stale
// pointer is reported as it would be for a freed heap block.
#define POOL_POISON(p, n) ASAN_POISON_MEMORY_REGION((p), (n))
#define POOL_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION((p), (n))
#else
#define POOL_POISON(p, n) ((void)(p), (void)(n))
#define POOL_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace tts {

// In front of every block. In use: the pool class it returns to (null for a
// block of the plain heap). Free: the next free block of its class.
struct PoolHeader {
  void* link;
};

// In front of every piece the pool takes from the heap (a slab or one large block).
struct PoolSlab {
  PoolSlab* next;
};

static_assert(sizeof(PoolHeader) == 8 && sizeof(PoolSlab) == 8, "headers keep payloads 8-aligned");

namespace {

constexpr int32_t kSmallClasses = kPoolSmallMax / kPoolSmallStep;
constexpr int32_t kLargeShiftFirst = 9;  // class kSmallClasses holds 512 bytes

// Class of a request of 0..kPoolLargestBlock bytes.
int32_t classOf(int32_t bytes) {
  if (bytes <= kPoolSmallMax)
    return bytes <= kPoolSmallStep ? 0 : (bytes + kPoolSmallStep - 1) / kPoolSmallStep - 1;
  int32_t shift = kLargeShiftFirst;
  while ((1 << shift) < bytes) ++shift;
  return kSmallClasses + shift - kLargeShiftFirst;
}

int32_t classBytes(int32_t c) {
  return c < kSmallClasses ? (c + 1) * kPoolSmallStep : 1 << (c - kSmallClasses + kLargeShiftFirst);
}

inline void* payloadOf(PoolHeader* h) { return h + 1; }

// A new heap piece of `bytes` after its slab link, counted against the limit.
uint8_t* takeFromHeap(ModelPool* pool, int32_t bytes) {
  const int64_t pieceBytes = static_cast<int64_t>(sizeof(PoolSlab)) + bytes;
  if (pool->heapBytes + pieceBytes > pool->limitBytes) return nullptr;
  auto* slab = static_cast<PoolSlab*>(std::malloc(static_cast<size_t>(pieceBytes)));
  if (slab == nullptr) return nullptr;
  slab->next = pool->slabs;
  pool->slabs = slab;
  pool->heapBytes += pieceBytes;
  return reinterpret_cast<uint8_t*>(slab + 1);
}

// A block of class c that has never been handed out.
PoolHeader* newBlock(ModelPool* pool, int32_t c) {
  const int32_t need = static_cast<int32_t>(sizeof(PoolHeader)) + classBytes(c);
  uint8_t* at = nullptr;
  if (classBytes(c) > kPoolSlabBlockMax) {
    at = takeFromHeap(pool, need);
  } else {
    if (pool->slabLeft < need) {
      uint8_t* slab = takeFromHeap(pool, kPoolSlabBytes);
      if (slab == nullptr) return nullptr;
      pool->slabNext = slab;  // what the old slab had left stays unused
      pool->slabLeft = kPoolSlabBytes;
    }
    at = pool->slabNext;
    pool->slabNext += need;
    pool->slabLeft -= need;
  }
  if (at == nullptr) return nullptr;
  pool->classes[c].taken += 1;
  return reinterpret_cast<PoolHeader*>(at);
}

}  // namespace

ModelPool* poolCreate(int64_t limitBytes) {
  auto* pool = static_cast<ModelPool*>(std::calloc(1, sizeof(ModelPool)));
  if (pool == nullptr) return nullptr;
  pool->limitBytes = limitBytes < 0 ? 0 : limitBytes;
  for (int32_t c = 0; c < kPoolClasses; ++c) pool->classes[c].blockBytes = classBytes(c);
  return pool;
}

void poolDestroy(ModelPool* pool) {
  if (pool == nullptr) return;
  for (PoolClass& k : pool->classes) {
    for (PoolHeader* h = k.freeBlocks; h != nullptr; h = static_cast<PoolHeader*>(h->link)) {
      POOL_UNPOISON(payloadOf(h), k.blockBytes);
    }
  }
  PoolSlab* slab = pool->slabs;
  while (slab != nullptr) {
    PoolSlab* next = slab->next;
    std::free(slab);
    slab = next;
  }
  std::free(pool);
}

void* poolAlloc(ModelPool* pool, int32_t bytes) {
  if (bytes < 0) return nullptr;
  if (pool == nullptr) {
    auto* h = static_cast<PoolHeader*>(std::malloc(sizeof(PoolHeader) + static_cast<size_t>(bytes)));
    if (h == nullptr) return nullptr;
    h->link = nullptr;
    return payloadOf(h);
  }
  if (bytes > kPoolLargestBlock) return nullptr;
  const int32_t c = classOf(bytes);
  PoolClass* home = &pool->classes[c];
  PoolHeader* h = home->freeBlocks;
  if (h != nullptr) {
    home->freeBlocks = static_cast<PoolHeader*>(h->link);
    POOL_UNPOISON(payloadOf(h), home->blockBytes);
  } else {
    h = newBlock(pool, c);
    if (h == nullptr) return nullptr;
  }
  h->link = home;
  return payloadOf(h);
}

void* poolAllocZeroed(ModelPool* pool, int32_t bytes) {
  void* block = poolAlloc(pool, bytes);
  memFill(block, 0, bytes);
  return block;
}

void poolFree(void* block) {
  if (block == nullptr) return;
  PoolHeader* h = static_cast<PoolHeader*>(block) - 1;
  auto* home = static_cast<PoolClass*>(h->link);
  if (home == nullptr) {
    std::free(h);
    return;
  }
  POOL_POISON(block, home->blockBytes);
  h->link = home->freeBlocks;
  home->freeBlocks = h;
}

char* poolCopyString(ModelPool* pool, const char* s) {
  if (s == nullptr) return nullptr;
  const int32_t n = strLength(s);
  auto* copy = static_cast<char*>(poolAlloc(pool, n + 1));
  if (copy != nullptr) memCopy(copy, s, n + 1);
  return copy;
}

char16_t* poolCopyWString(ModelPool* pool, const char16_t* s) {
  if (s == nullptr) return nullptr;
  const int32_t n = wstrLength(s);
  auto* copy = static_cast<char16_t*>(poolAlloc(pool, (n + 1) * static_cast<int32_t>(sizeof(char16_t))));
  if (copy != nullptr) memCopy(copy, s, (n + 1) * static_cast<int32_t>(sizeof(char16_t)));
  return copy;
}

int32_t poolBlocksInUse(const ModelPool* pool) {
  if (pool == nullptr) return 0;
  int32_t inUse = 0;
  for (int32_t c = 0; c < kPoolClasses; ++c) {
    inUse += pool->classes[c].taken;
    for (const PoolHeader* h = pool->classes[c].freeBlocks; h != nullptr;
         h = static_cast<const PoolHeader*>(h->link)) {
      inUse -= 1;
    }
  }
  return inUse;
}

}  // namespace tts
