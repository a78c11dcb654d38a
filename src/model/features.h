// Features: an ordered map from 8-bit names to values, newest entry first,
// searched linearly. The map holds one holder of each value; it never copies
// or owns the names, which must outlive it (all names are constant strings).
#pragma once
#include "model/pool.h"
#include "model/value.h"

namespace tts {

struct FeatEntry {
  const char* name;
  const Val* value;
  FeatEntry* next;
};

// The first entries of a map live in the map itself (an item carries a
// handful of features), later ones in the map's pool; all are linked the same way.
constexpr int32_t kFeatInlineEntries = 8;

struct Features {
  FeatEntry* head;
  ModelPool* pool;                          // where the map and its later entries live; null: the heap
  int32_t inlineUsed;                       // entries of `slots` taken
  FeatEntry slots[kFeatInlineEntries];
};

Features* featCreate(ModelPool* pool = nullptr);  // null when there is no room
void featDestroy(Features* map);        // releases every value; null: nothing
FeatEntry* featFind(const Features* map, const char* name);
const Val* featGet(const Features* map, const char* name);
// featGet that moves the entry found to the front of the map, for a map
// asked the same few names again and again (the feature-function registry);
// answers are those of featGet.
const Val* featGetPromote(Features* map, const char* name);
// Null value: nothing. A value that is not stored (null map or name, no room
// for the entry) is dropped if it has no holder, so a fresh value never leaks.
void featSet(Features* map, const char* name, const Val* value);
// Stores only when the name is absent; otherwise an unheld value is dropped.
void featSetIfAbsent(Features* map, const char* name, const Val* value);

}  // namespace tts
