// Feature-path evaluation: walks the item structure step by step and answers
// the final name from the item's map or from the feature-function registry.
#include "model/path.h"

#include "model/strings.h"

namespace tts {

namespace {

constexpr char kSeparators[] = ":.";
constexpr int32_t kLocalPathBytes = 256;  // fallback copy when the arena has no room

enum class Mode { kValue, kItem };

// Applies one step token. "R" consumes the relation name that follows it.
Item* step(Item* x, const char* token, char* copy, int32_t* position) {
  if (strCompare(token, "n") == 0) return x->next;
  if (strCompare(token, "p") == 0) return x->prev;
  if (strCompare(token, "nn") == 0) return x->next != nullptr ? x->next->next : nullptr;
  if (strCompare(token, "pp") == 0) return x->prev != nullptr ? x->prev->prev : nullptr;
  if (strCompare(token, "parent") == 0) return itemParent(x);
  if (strCompare(token, "daughter") == 0 || strCompare(token, "daughter1") == 0) return x->down;
  if (strCompare(token, "daughtern") == 0) return itemLastDaughter(x);
  if (strCompare(token, "R") == 0) strNextToken(copy, position, kSeparators);
  return x;
}

// Answer of the final name on item x: stored feature first, then the
// registry's function; null when neither answers.
const Val* answer(Item* x, const char* name) {
  const Val* stored = featGet(x->features, name);
  if (stored != nullptr) return stored;
  if (x->relation == nullptr) return nullptr;
  FeatureFunction fn = valFfunc(featGet(x->relation->featureFunctions, name));
  return fn != nullptr ? fn(x) : nullptr;
}

// Shared walk of both modes. In value mode the result goes to *value (never
// null); in item mode the reached item is returned.
Item* walk(Item* x, const char* path, Mode mode, const Val** value) {
  if (value != nullptr) *value = defaultZero();
  if (x == nullptr) return nullptr;

  const int32_t length = strLength(path);
  WorkArena* arena = x->relation != nullptr ? x->relation->arena : nullptr;
  const int32_t depthBefore = arenaDepth(arena);
  char local[kLocalPathBytes];
  char* copy = static_cast<char*>(arenaAlloc(arena, length + 1, 1));
  const bool fromArena = copy != nullptr;
  if (!fromArena) {
    if (length + 1 > kLocalPathBytes) return nullptr;
    copy = local;
  }
  strCopy(copy, path);

  int32_t position = 0;
  char* token = strNextToken(copy, &position, kSeparators);
  Item* current = x;
  while (token != nullptr && (mode == Mode::kItem || position < length)) {
    current = step(current, token, copy, &position);
    if (current == nullptr) break;
    token = strNextToken(copy, &position, kSeparators);
  }

  Item* result = nullptr;
  if (current != nullptr) {
    if (mode == Mode::kItem) {
      result = current;
    } else {
      const Val* found = answer(current, token);
      if (found != nullptr) *value = found;
    }
  }
  // Back to the depth at entry: the copy, and anything a feature function
  // may have left above it.
  if (fromArena) arenaReleaseTo(arena, depthBefore);
  return result;
}

}  // namespace

const Val* itemPath(Item* x, const char* path) {
  const Val* value = nullptr;
  walk(x, path, Mode::kValue, &value);
  return value;
}

Item* itemPathItem(Item* x, const char* path) { return walk(x, path, Mode::kItem, nullptr); }

int32_t itemPathInt(Item* x, const char* path) {
  const Val* v = itemPath(x, path);
  const int32_t n = valInt(v);
  valDropIfUnheld(v);
  return n;
}

bool itemPathIs(Item* x, const char* path, const char* text) {
  const Val* v = itemPath(x, path);
  const char* s = valString(v);
  const bool equal = strCompare(s != nullptr ? s : "0", text) == 0;
  valDropIfUnheld(v);
  return equal;
}

void registerFeature(Features* registry, const char* name, FeatureFunction fn) {
  featSetIfAbsent(registry, name, makeFfunc(fn));
}

}  // namespace tts
