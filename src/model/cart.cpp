// Tree evaluation: walk from a start node to a leaf, asking each node's
// question of a feature path, with a per-evaluation cache keyed by feature index.
#include "model/cart.h"

namespace tts {

namespace {

bool ask(uint8_t op, const Val* v, const Val* operand) {
  switch (op) {
    case kCartEqual:
      return valEqual(v, operand);
    case kCartMember:
      return valMember(v, operand);
    case kCartLess:
      return valLess(v, operand);
    case kCartGreater:
      return valGreater(v, operand);
    case kCartLessEqual:
      return valLessEqual(v, operand);
    default:
      return false;  // no question: the no-branch
  }
}

// Answers already asked in one evaluation, keyed by feature index (a tree's
// names are distinct paths). Each kept answer carries one holder, released
// at the end; an answer that finds no free slot is dropped after its question.
constexpr int32_t kCartCacheSlots = 32;

struct CartCache {
  int32_t used = 0;
  uint8_t feature[kCartCacheSlots];
  const Val* value[kCartCacheSlots];

  const Val* find(uint8_t f) const {
    for (int32_t k = 0; k < used; ++k) {
      if (feature[k] == f) return value[k];
    }
    return nullptr;
  }
  // False when full: the caller drops the answer itself.
  bool keep(uint8_t f, const Val* v) {
    if (used == kCartCacheSlots) return false;
    feature[used] = f;
    value[used] = valRef(v);
    ++used;
    return true;
  }
  ~CartCache() {
    for (int32_t k = 0; k < used; ++k) valRelease(value[k]);
  }
};

}  // namespace

// The tree is trusted constant data: feature and no indexes are not range
// checked.
const Val* cartEvaluate(Item* x, const Cart* tree, int32_t start) {
  if (tree == nullptr || tree->nodes == nullptr || start < 0) return nullptr;
  const CartNode* nodes = tree->nodes;
  CartCache cache;
  int32_t i = start;
  while (nodes[i].op != kCartLeaf) {
    const CartNode& node = nodes[i];
    const Val* v = cache.find(node.feature);
    const bool cached = v != nullptr;
    if (!cached) v = itemPath(x, tree->names[node.feature]);
    const bool yes = ask(node.op, v, node.operand);
    // Kept after the question: a value that cannot be kept is dropped.
    if (!cached && !cache.keep(node.feature, v)) valDropIfUnheld(v);
    i = yes ? i + 1 : node.no;
  }
  return nodes[i].operand;
}

}  // namespace tts
