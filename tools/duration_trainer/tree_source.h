// Writes a trained regression tree as C++ source in the engine's Cart layout.
#pragma once
#include <string>

#include "cart_trainer.h"

namespace durtrain {

// Source defining `const Cart <symbol>` with its node and name arrays.
// Questions come first in preorder: a node's yes-branch follows it, its
// no-branch later; every leaf answer and operand is a shared static value.
// `header` becomes the file's leading comment (lines without "//").
std::string treeSource(const RegressionTree& tree, const Dataset& data, const std::string& symbol,
                       const std::string& header);

}  // namespace durtrain
