// The accent and boundary-tone classification trees of every deliverable.
#pragma once
#include "model/cart.h"

namespace tts {

constexpr int32_t kAccentTreeNodes = 149;  // without the terminator
constexpr int32_t kToneTreeNodes = 95;

extern const Cart kAccentTree;  // answers "H*", "!H*", "L+H*", "NONE"
extern const Cart kToneTree;    // answers "H-", "H-H%", "L-H%", "L-L%", "NONE"

}  // namespace tts
