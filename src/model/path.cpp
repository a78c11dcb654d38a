// Feature-path evaluation: walks the item structure step by step and answers
// the final name from the item's map or from the feature-function registry.
#include "model/path.h"

#include "model/strings.h"

namespace tts {

namespace {

// A final name not at the end of its path is copied to a local buffer of
// this size; a longer path is taken only when the arena has room for a copy
// of the whole path, which then serves instead.
constexpr int32_t kLocalPathBytes = 256;

enum class Mode { kValue, kItem };

// One token of a path: the bytes between separators, read in place.
struct Token {
  const char* start;
  int32_t length;
};

inline bool isSeparator(char c) { return c == ':' || c == '.'; }

// Next token at or after *position (leading separators skipped); *position
// ends past the token and the one separator after it. False when only
// separators remain.
bool nextToken(const char* path, int32_t length, int32_t* position, Token* token) {
  int32_t p = *position;
  while (p < length && isSeparator(path[p])) ++p;
  if (p == length) {
    *position = p;
    return false;
  }
  const int32_t start = p;
  while (p < length && !isSeparator(path[p])) ++p;
  *token = {path + start, p - start};
  *position = p < length ? p + 1 : p;
  return true;
}

inline bool tokenIs(const Token& t, const char* word) {
  for (int32_t k = 0; k < t.length; ++k) {
    if (t.start[k] != word[k]) return false;
  }
  return word[t.length] == 0;
}

// Applies one step token. "R" consumes the relation name that follows it.
Item* step(Item* x, const Token& t, const char* path, int32_t length, int32_t* position) {
  switch (t.length) {
    case 1:
      if (t.start[0] == 'n') return x->next;
      if (t.start[0] == 'p') return x->prev;
      if (t.start[0] == 'R') {
        Token relation;
        nextToken(path, length, position, &relation);
      }
      return x;
    case 2:
      if (tokenIs(t, "nn")) return x->next != nullptr ? x->next->next : nullptr;
      if (tokenIs(t, "pp")) return x->prev != nullptr ? x->prev->prev : nullptr;
      return x;
    case 6:
      return tokenIs(t, "parent") ? itemParent(x) : x;
    case 8:
      return tokenIs(t, "daughter") ? x->down : x;
    case 9:
      if (tokenIs(t, "daughter1")) return x->down;
      if (tokenIs(t, "daughtern")) return itemLastDaughter(x);
      return x;
    default:
      return x;
  }
}

// Answer of the final name on item x: stored feature first, then the
// registry's function; null when neither answers.
const Val* answer(Item* x, const char* name) {
  const Val* stored = featGet(x->features, name);
  if (stored != nullptr) return stored;
  if (x->relation == nullptr) return nullptr;
  FeatureFunction fn = valFfunc(featGetPromote(x->relation->featureFunctions, name));
  return fn != nullptr ? fn(x) : nullptr;
}

// Shared walk of both modes. In value mode the result goes to *value (never
// null); in item mode the reached item is returned.
Item* walk(Item* x, const char* path, Mode mode, const Val** value) {
  if (value != nullptr) *value = defaultZero();
  if (x == nullptr) return nullptr;

  if (path == nullptr) path = "";
  const int32_t length = strLength(path);
  WorkArena* arena = x->relation != nullptr ? x->relation->arena : nullptr;
  const int32_t depthBefore = arenaDepth(arena);
  char* spill = nullptr;
  if (length + 1 > kLocalPathBytes) {
    spill = static_cast<char*>(arenaAlloc(arena, length + 1, 1));
    if (spill == nullptr) return nullptr;
  }

  int32_t position = 0;
  Token token;
  bool haveToken = nextToken(path, length, &position, &token);
  Item* current = x;
  while (haveToken && (mode == Mode::kItem || position < length)) {
    current = step(current, token, path, length, &position);
    if (current == nullptr) break;
    haveToken = nextToken(path, length, &position, &token);
  }

  Item* result = nullptr;
  if (current != nullptr) {
    if (mode == Mode::kItem) {
      result = current;
    } else if (haveToken) {
      // The final name is read in place when it ends the path, else from a copy.
      char local[kLocalPathBytes];
      const char* name = token.start;
      if (token.start + token.length != path + length) {
        char* copy = spill != nullptr ? spill : local;
        for (int32_t k = 0; k < token.length; ++k) copy[k] = token.start[k];
        copy[token.length] = 0;
        name = copy;
      }
      const Val* found = answer(current, name);
      if (found != nullptr) *value = found;
    }
  }
  // Back to the depth at entry: the spill copy, and anything a feature
  // function may have left above it.
  arenaReleaseTo(arena, depthBefore);
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
