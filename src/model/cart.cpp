// Tree evaluation: walk from a start node to a leaf, asking each node's
// question of a feature path, with a per-evaluation cache keyed by path.
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

}  // namespace

// The tree is trusted constant data: feature and no indexes are not range
// checked. The cache map is made on the first question; if it cannot be had,
// every fresh answer is dropped right after its question instead.
const Val* cartEvaluate(Item* x, const Cart* tree, int32_t start) {
  if (tree == nullptr || tree->nodes == nullptr || start < 0) return nullptr;
  const CartNode* nodes = tree->nodes;
  Features* cache = nullptr;
  int32_t i = start;
  while (nodes[i].op != kCartLeaf) {
    const CartNode& node = nodes[i];
    const char* name = tree->names[node.feature];
    if (cache == nullptr) cache = featCreate();
    const Val* v = featGet(cache, name);
    const bool cached = v != nullptr;
    if (!cached) v = itemPath(x, name);
    const bool yes = ask(node.op, v, node.operand);
    // Stored after the question: a value that cannot be stored is dropped.
    if (!cached) {
      if (cache != nullptr) {
        featSet(cache, name, v);
      } else {
        valDropIfUnheld(v);
      }
    }
    i = yes ? i + 1 : node.no;
  }
  featDestroy(cache);
  return nodes[i].operand;
}

}  // namespace tts
