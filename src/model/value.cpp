// Values: constructors, readers, holder counting and comparisons.
#include "model/value.h"

#include "model/features.h"
#include "model/pool.h"
#include "model/relation.h"
#include "model/strings.h"

namespace tts {

namespace {

constexpr int16_t kStatic = -1;
constexpr int16_t kMaxHolders = INT16_MAX;  // a value counted this high is pinned (never freed)

inline bool isCell(const Val* v) { return (v->type & 1u) == 0; }

Val* allocValue(ModelPool* pool, uint16_t type) {
  Val* v = static_cast<Val*>(poolAlloc(pool, sizeof(Val)));
  if (v == nullptr) return nullptr;
  v->type = type;
  v->holders = 0;
  v->i = 0;
  v->p = nullptr;
  v->fn = nullptr;
  v->rest = nullptr;
  return v;
}

// Frees a made value and applies its type's release action to the payload.
void freeValue(const Val* v) {
  Val* owned = const_cast<Val*>(v);
  switch (v->type) {
    case kValString:
    case kValWString:
      poolFree(const_cast<void*>(v->p));
      break;
    case kValRelation:
      relDestroy(static_cast<Relation*>(const_cast<void*>(v->p)));
      break;
    case kValFeatures:
      featDestroy(static_cast<Features*>(const_cast<void*>(v->p)));
      break;
    default:
      break;
  }
  poolFree(owned);
}

}  // namespace

const Val* makeInt(ModelPool* pool, int32_t n) {
  if (n >= kSharedMin && n < kSharedMax) return sharedInt(n);
  Val* v = allocValue(pool, kValInt);
  if (v != nullptr) v->i = n;
  return v;
}

// A value whose copy of the text failed still comes back, with a null text.
const Val* makeString(ModelPool* pool, const char* s) {
  Val* v = allocValue(pool, kValString);
  if (v != nullptr) v->p = poolCopyString(pool, s);
  return v;
}

const Val* makeWString(ModelPool* pool, const char16_t* s) {
  Val* v = allocValue(pool, kValWString);
  if (v != nullptr) v->p = poolCopyWString(pool, s);
  return v;
}

// Only atoms (odd codes) are made at run time; list cells exist in constant
// data alone, so an even code yields null.
const Val* makeValue(ModelPool* pool, uint16_t type, const void* pointer) {
  if ((type & 1u) == 0) return nullptr;
  Val* v = allocValue(pool, type);
  if (v != nullptr) v->p = pointer;
  return v;
}

const Val* makeInt(int32_t n) { return makeInt(nullptr, n); }
const Val* makeString(const char* s) { return makeString(nullptr, s); }
const Val* makeWString(const char16_t* s) { return makeWString(nullptr, s); }
const Val* makeValue(uint16_t type, const void* pointer) { return makeValue(nullptr, type, pointer); }

const Val* makeFfunc(FeatureFunction fn) {
  Val* v = allocValue(nullptr, kValFfunc);
  if (v != nullptr) v->fn = fn;
  return v;
}

const Val* makeCart(const void* cart) { return makeValue(kValCart, cart); }
const Val* makePhoneset(const void* phoneset) { return makeValue(kValPhoneset, phoneset); }

int32_t valInt(const Val* v) {
  if (v == nullptr) return 0;
  if (v->type == kValInt) return v->i;
  if (v->type == kValString) return strToInt(static_cast<const char*>(v->p));
  return 0;
}

const char* valString(const Val* v) {
  if (v == nullptr || v->type != kValString) return nullptr;
  return static_cast<const char*>(v->p);
}

const char16_t* valWString(const Val* v) {
  if (v == nullptr || v->type != kValWString) return nullptr;
  return static_cast<const char16_t*>(v->p);
}

FeatureFunction valFfunc(const Val* v) {
  if (v == nullptr || v->type != kValFfunc) return nullptr;
  return v->fn;
}

const void* valPhoneset(const Val* v) {
  if (v == nullptr || v->type != kValPhoneset) return nullptr;
  return v->p;
}

const void* valPointer(const Val* v) {
  if (v == nullptr) return nullptr;
  switch (v->type) {
    case kValString:
    case kValWString:
    case kValRelation:
    case kValItem:
    case kValCart:
    case kValPhoneset:
    case kValFeatures:
      return v->p;
    default:
      return nullptr;
  }
}

bool valIsList(const Val* v) { return v != nullptr && isCell(v); }

const Val* valFirst(const Val* v) {
  if (!valIsList(v)) return nullptr;
  return static_cast<const Val*>(v->p);
}

const Val* valRest(const Val* v) {
  if (!valIsList(v)) return nullptr;
  return v->rest;
}

const Val* valRef(const Val* v) {
  if (v == nullptr || isCell(v) || v->holders == kStatic) return v;
  if (v->holders < kMaxHolders) v->holders = static_cast<int16_t>(v->holders + 1);
  return v;
}

// List cells are constant data (never made at run time), so releasing one
// leaves it and its elements alone. A value pinned at the holder limit is
// never freed.
void valRelease(const Val* v) {
  if (v == nullptr || isCell(v) || v->holders == kStatic) return;
  if (v->holders == kMaxHolders) return;
  if (v->holders > 0) {
    v->holders = static_cast<int16_t>(v->holders - 1);
    if (v->holders > 0) return;
  }
  freeValue(v);
}

void valDropIfUnheld(const Val* v) {
  if (v == nullptr || isCell(v) || v->holders != 0) return;
  freeValue(v);
}

bool valEqual(const Val* a, const Val* b) {
  if (a == b) return true;
  if (a == nullptr || b == nullptr) return false;
  if (a->type != b->type) return false;
  if (isCell(a)) return valEqual(valFirst(a), valFirst(b)) && valEqual(a->rest, b->rest);
  switch (a->type) {
    case kValInt:
      return a->i == b->i;
    case kValString:
      return strCompare(static_cast<const char*>(a->p), static_cast<const char*>(b->p)) == 0;
    case kValWString:
      return wstrCompare(static_cast<const char16_t*>(a->p), static_cast<const char16_t*>(b->p)) == 0;
    default:
      // Same payload: floats by bits, pointers (trees, items, ...) by identity.
      return a->i == b->i && a->p == b->p && a->fn == b->fn;
  }
}

bool valLess(const Val* a, const Val* b) { return valInt(a) < valInt(b); }
bool valLessEqual(const Val* a, const Val* b) { return valInt(a) <= valInt(b); }
bool valGreater(const Val* a, const Val* b) { return valInt(a) > valInt(b); }

bool valMember(const Val* v, const Val* list) {
  for (const Val* cell = list; valIsList(cell); cell = cell->rest) {
    if (valEqual(v, valFirst(cell))) return true;
  }
  return false;
}

}  // namespace tts
