// Val: a small tagged value with a holder count. Feature maps hold values,
// feature functions return them, trees compare and return them. Static values
// (holders -1) are never counted or freed and may be shared by every handle.
#pragma once
#include <cstdint>

namespace tts {

struct Item;
struct ModelPool;
struct Val;
using FeatureFunction = const Val* (*)(Item* item);

// Type codes: odd for atoms. List cells (constant data only) use code 0.
enum ValType : uint16_t {
  kValList = 0,
  kValInt = 1,
  kValFloat = 3,
  kValString = 5,     // p: char*, owned
  kValWString = 7,    // p: char16_t*, owned
  kValFfunc = 9,      // fn
  kValRelation = 11,  // p: Relation*, destroyed on release
  kValItem = 13,      // p: Item*
  kValCart = 15,      // p: const Cart*
  kValPhoneset = 17,  // p: const PhoneSet*
  kValFeatures = 19,  // p: Features*, destroyed on release
};

struct Val {
  uint16_t type;
  mutable int16_t holders;  // -1: static
  int32_t i;                // int payload, float bits
  const void* p;            // pointer payload; list cells: the element (const Val*)
  FeatureFunction fn;       // ffunc payload
  const Val* rest;          // list cells: the next cell or null
};

constexpr int32_t kSharedMin = -2;
constexpr int32_t kSharedMax = 512;

// New values live in `pool` (null: the heap) and go back there when released.
const Val* makeInt(ModelPool* pool, int32_t n);         // shared static for -2..511, else new (0 holders)
const Val* makeString(ModelPool* pool, const char* s);  // new, owns a copy in the same pool
const Val* makeWString(ModelPool* pool, const char16_t* s);
// Pointer not copied; an even (list) code gives null. A text given as a
// string payload is freed with the value, so it must be a pool block
// (poolCopyString or poolCopyWString).
const Val* makeValue(ModelPool* pool, uint16_t type, const void* pointer);
// The same on the heap: values that outlive phrases (a handle's parameters) and tools.
const Val* makeInt(int32_t n);
const Val* makeString(const char* s);
const Val* makeWString(const char16_t* s);
const Val* makeValue(uint16_t type, const void* pointer);
const Val* makeFfunc(FeatureFunction fn);
const Val* makeCart(const void* cart);
const Val* makePhoneset(const void* phoneset);
const Val* sharedInt(int32_t n);          // clamped to -2..512 (below -2 gives -1)
const Val* sharedNumber(int32_t n);       // string "-2".."512", clamped the same way
const Val* defaultZero();                 // the static string "0" that paths answer when nothing is found

int32_t valInt(const Val* v);             // int: payload; string: strToInt; else 0
const char* valString(const Val* v);      // string values only
const char16_t* valWString(const Val* v); // wcstring values only
FeatureFunction valFfunc(const Val* v);
const void* valPhoneset(const Val* v);
const void* valPointer(const Val* v);     // payload pointer of any pointer-typed atom, else null
bool valIsList(const Val* v);
const Val* valFirst(const Val* v);
const Val* valRest(const Val* v);
const Val* valRef(const Val* v);          // adds a holder unless static or a list cell; at 32767 the
                                          // count stops and the value is pinned (never freed)
void valRelease(const Val* v);            // drops a holder; frees at none left (0 holders: frees now);
                                          // list cells (constant data) are never freed
// Releases a value that nobody holds (holders 0); stored and static values are left alone.
void valDropIfUnheld(const Val* v);
bool valEqual(const Val* a, const Val* b);
bool valLess(const Val* a, const Val* b);
bool valLessEqual(const Val* a, const Val* b);
bool valGreater(const Val* a, const Val* b);
bool valMember(const Val* v, const Val* list);

// Static constant values for tables (trees, phone sets, fixed answers).
constexpr Val staticString(const char* s) { return Val{kValString, -1, 0, s, nullptr, nullptr}; }
constexpr Val staticInt(int32_t n) { return Val{kValInt, -1, n, nullptr, nullptr, nullptr}; }
// A constant list cell (operand of a membership question): element and next cell (null at the end).
constexpr Val staticCell(const Val* element, const Val* rest) {
  return Val{kValList, -1, 0, element, nullptr, rest};
}

}  // namespace tts
