// Relations and items: doubly linked item lists with parent/daughter links
// into the next relation down.
#include "model/relation.h"

namespace tts {

// Null when the record or the copy of a non-null name cannot be had.
Relation* relCreate(const char* name, Features* params, Features* featureFunctions, WorkArena* arena,
                    ModelPool* pool) {
  auto* r = static_cast<Relation*>(poolAllocZeroed(pool, sizeof(Relation)));
  if (r == nullptr) return nullptr;
  r->name = poolCopyString(pool, name);
  if (r->name == nullptr && name != nullptr) {
    poolFree(r);
    return nullptr;
  }
  r->params = params;
  r->featureFunctions = featureFunctions;
  r->arena = arena;
  r->pool = pool;
  return r;
}

// Items go from the head on. The head is re-read after each deletion rather
// than remembered beforehand, so a daughter run inside the same relation
// (deleted with its parent) is never visited twice.
void relDestroy(Relation* r) {
  if (r == nullptr) return;
  while (r->head != nullptr) itemDelete(r->head);
  poolFree(r->name);
  poolFree(r);
}

Item* relAppend(Relation* r) {
  if (r == nullptr) return nullptr;
  auto* x = static_cast<Item*>(poolAllocZeroed(r->pool, sizeof(Item)));
  if (x == nullptr) return nullptr;
  x->features = featCreate(r->pool);
  if (x->features == nullptr) {
    poolFree(x);
    return nullptr;
  }
  x->relation = r;
  if (r->head == nullptr) r->head = x;
  x->prev = r->tail;
  if (r->tail != nullptr) r->tail->next = x;
  r->tail = x;
  return x;
}

namespace {

// For an item that is not a first daughter: the parent whose daughter run
// contains it, or null.
Item* enclosingParent(const Item* x) {
  int32_t offset = 0;
  for (const Item* y = x; y != nullptr; y = y->prev, ++offset) {
    if (y->up != nullptr) {
      return offset < y->up->daughters ? y->up : nullptr;
    }
  }
  return nullptr;
}

}  // namespace

void itemDelete(Item* x) {
  if (x == nullptr) return;

  // A later daughter leaves its parent's run one shorter, so the count keeps
  // matching the contiguous run that the parent's deletion walks.
  if (x->up == nullptr) {
    Item* parent = enclosingParent(x);
    if (parent != nullptr) parent->daughters -= 1;
  }

  if (x->next != nullptr) x->next->prev = x->prev;
  if (x->prev != nullptr) x->prev->next = x->next;

  if (x->up != nullptr) {
    Item* parent = x->up;
    if (parent->daughters > 1 && x->next != nullptr) {
      parent->down = x->next;
      x->next->up = parent;
      parent->daughters -= 1;
    } else {
      parent->down = nullptr;
      parent->daughters = 0;
    }
  }

  Relation* r = x->relation;
  if (r != nullptr) {
    if (r->head == x) r->head = x->next;
    if (r->tail == x) r->tail = x->prev;
  }

  while (x->down != nullptr && x->daughters > 0) {
    Item* first = x->down;
    if (first->up != x) {
      // The first daughter does not point back: the run is not ours to
      // delete; detach it instead of looping.
      x->down = nullptr;
      x->daughters = 0;
      break;
    }
    itemDelete(first);
  }

  featDestroy(x->features);
  poolFree(x);
}

ModelPool* itemPool(const Item* x) {
  return x != nullptr && x->relation != nullptr ? x->relation->pool : nullptr;
}

Item* itemParent(Item* x) {
  for (Item* y = x; y != nullptr; y = y->prev) {
    if (y->up != nullptr) return y->up;
  }
  return nullptr;
}

Item* itemLastDaughter(Item* x) {
  if (x == nullptr || x->down == nullptr) return nullptr;
  Item* d = x->down;
  for (int32_t k = 1; k < x->daughters; ++k) {
    d = d->next;
    if (d == nullptr) return nullptr;
  }
  return d;
}

Item* itemAddDaughter(Item* parent, Item* daughter) {
  if (parent == nullptr || daughter == nullptr) return nullptr;
  Item* last = itemLastDaughter(parent);
  if (last == nullptr) {
    daughter->up = parent;
    parent->down = daughter;
    parent->daughters += 1;
    return daughter;
  }
  if (last->relation == daughter->relation && last->next == daughter) {
    parent->daughters += 1;
    return daughter;
  }
  return nullptr;
}

const Val* itemGet(Item* x, const char* name) {
  if (x == nullptr) return nullptr;
  return featGet(x->features, name);
}

void itemSet(Item* x, const char* name, const Val* value) {
  if (x == nullptr) {
    valDropIfUnheld(value);
    return;
  }
  featSet(x->features, name, value);
}

void itemSetInt(Item* x, const char* name, int32_t n) { itemSet(x, name, makeInt(itemPool(x), n)); }

void itemSetString(Item* x, const char* name, const char* s) { itemSet(x, name, makeString(itemPool(x), s)); }

}  // namespace tts
