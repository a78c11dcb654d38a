// Items and relations: the linked structure of one phrase. A Relation is a
// named doubly linked list of Items; hierarchy links (up/down/daughters) point
// into the next relation, and a parent's daughters are a contiguous run.
#pragma once
#include <cstdint>
#include "model/arena.h"
#include "model/features.h"
#include "model/pool.h"
#include "model/settings.h"

namespace tts {

struct Item;

struct Relation {
  char* name;                  // copy in the pool, owned
  Features* params;            // the handle's global parameters, shared
  Features* featureFunctions;  // the handle's registry, shared
  Item* head;
  Item* tail;
  WorkArena* arena;            // the handle's arena, shared
  ModelPool* pool;             // where the record, its items and their values live; null: the heap
  const Settings* settings;    // the handle's current settings; null: the published parameters stand
};

struct Item {
  Relation* relation;
  Features* features;  // owned
  Item* next;
  Item* prev;
  Item* up;            // parent; set on the first daughter only
  Item* down;          // first daughter
  int32_t daughters;
};

// Null when the pool (or the heap) has no room for the record or the name copy.
Relation* relCreate(const char* name, Features* params, Features* featureFunctions, WorkArena* arena,
                    ModelPool* pool = nullptr);
void relDestroy(Relation* r);   // deletes from the head (re-read after each deletion)
Item* relAppend(Relation* r);   // null when the relation's pool has no room
ModelPool* itemPool(const Item* x);  // the pool of the item's relation; null: the heap
// Unlinks and frees x with all its daughters. Deleting a later daughter also
// shortens its parent's run, so the parent's count stays right.
void itemDelete(Item* x);
Item* itemParent(Item* x);
Item* itemLastDaughter(Item* x);
Item* itemAddDaughter(Item* parent, Item* daughter);  // null when refused

// Convenience accessors used throughout the front end.
const Val* itemGet(Item* x, const char* name);                   // stored feature or null
void itemSet(Item* x, const char* name, const Val* value);        // featSet on the item's map
void itemSetInt(Item* x, const char* name, int32_t n);
void itemSetString(Item* x, const char* name, const char* s);     // copies s into the item's pool

}  // namespace tts
