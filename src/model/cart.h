// Classification and regression trees stored as constant data. Node i's
// yes-branch is node i + 1; its no-branch is nodes[i].no. Leaves have
// op == kCartLeaf and hold their answer (a static Val) as the operand.
#pragma once
#include <cstdint>
#include "model/path.h"

namespace tts {

enum CartOp : uint8_t {
  kCartEqual = 0,      // valEqual(v, operand)
  kCartMember = 1,     // valMember(v, operand)
  kCartLess = 2,       // valInt(v) < valInt(operand)
  kCartGreater = 3,    // valInt(v) > valInt(operand)
  kCartLessEqual = 6,  // valInt(v) <= valInt(operand)
  kCartLeaf = 255,
};

struct CartNode {
  uint8_t feature;     // index into names; 255 in leaves
  uint8_t op;          // CartOp; any other code: always the no-branch
  uint16_t no;         // node for a "no" answer; 0 in leaves
  const Val* operand;  // question operand or leaf answer (static)
};

struct Cart {
  const CartNode* nodes;     // node 0 is the root; ends with {255, 255, 0, nullptr}
  const char* const* names;  // feature paths, null-terminated
};

const Val* cartEvaluate(Item* x, const Cart* tree, int32_t start);

}  // namespace tts
