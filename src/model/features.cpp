// Feature maps: singly linked entries, newest first, each holding one holder
// of its value; the first entries sit in the map itself. Names are borrowed,
// never copied.
#include "model/features.h"

#include "model/strings.h"

namespace tts {

Features* featCreate(ModelPool* pool) {
  auto* map = static_cast<Features*>(poolAllocZeroed(pool, sizeof(Features)));
  if (map != nullptr) map->pool = pool;
  return map;
}

void featDestroy(Features* map) {
  if (map == nullptr) return;
  FeatEntry* entry = map->head;
  while (entry != nullptr) {
    FeatEntry* next = entry->next;
    valRelease(entry->value);
    const bool inMap = entry >= map->slots && entry < map->slots + kFeatInlineEntries;
    if (!inMap) poolFree(entry);
    entry = next;
  }
  poolFree(map);
}

namespace {

// Byte equality of two names; the same pointer (a shared literal) needs no scan.
inline bool sameName(const char* a, const char* b) {
  if (a == b) return true;
  while (*a == *b) {
    if (*a == 0) return true;
    ++a;
    ++b;
  }
  return false;
}

}  // namespace

// A null name matches nothing (no entry is ever stored under a null name).
FeatEntry* featFind(const Features* map, const char* name) {
  if (map == nullptr || name == nullptr) return nullptr;
  for (FeatEntry* entry = map->head; entry != nullptr; entry = entry->next) {
    if (sameName(entry->name, name)) return entry;
  }
  return nullptr;
}

const Val* featGetPromote(Features* map, const char* name) {
  if (map == nullptr || name == nullptr) return nullptr;
  FeatEntry* before = nullptr;
  for (FeatEntry* entry = map->head; entry != nullptr; before = entry, entry = entry->next) {
    if (!sameName(entry->name, name)) continue;
    if (before != nullptr) {
      before->next = entry->next;
      entry->next = map->head;
      map->head = entry;
    }
    return entry->value;
  }
  return nullptr;
}

const Val* featGet(const Features* map, const char* name) {
  const FeatEntry* entry = featFind(map, name);
  return entry != nullptr ? entry->value : nullptr;
}

// A value that cannot be stored (null map or name, no room for the entry) is
// dropped if nobody holds it, so a fresh value handed over is never leaked.
void featSet(Features* map, const char* name, const Val* value) {
  if (value == nullptr) return;
  if (map == nullptr || name == nullptr) {
    valDropIfUnheld(value);
    return;
  }
  FeatEntry* entry = featFind(map, name);
  if (entry != nullptr) {
    valRef(value);
    valRelease(entry->value);
    entry->value = value;
    return;
  }
  if (map->inlineUsed < kFeatInlineEntries) {
    entry = &map->slots[map->inlineUsed++];
  } else {
    entry = static_cast<FeatEntry*>(poolAlloc(map->pool, sizeof(FeatEntry)));
  }
  if (entry == nullptr) {
    valDropIfUnheld(value);
    return;
  }
  entry->name = name;
  entry->value = valRef(value);
  entry->next = map->head;
  map->head = entry;
}

// When the name is already present the offered value is not stored; it is
// dropped if nobody holds it (a registration's fresh ffunc value).
void featSetIfAbsent(Features* map, const char* name, const Val* value) {
  if (featFind(map, name) != nullptr) {
    valDropIfUnheld(value);
    return;
  }
  featSet(map, name, value);
}

}  // namespace tts
