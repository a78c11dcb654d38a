// The engine's feature functions: features of words, syllables and segments
// that the prediction models ask for by name and that no item stores.
#pragma once
#include "model/features.h"

namespace tts {

constexpr int32_t kFeatureFunctionCount = 46;

// Registers all feature functions, in their fixed order, into a handle's
// registry (first registration of a name wins). Null registry: nothing.
void registerFeatureFunctions(Features* registry);

// Name of the i-th registered feature function (0 .. kFeatureFunctionCount-1), else null.
const char* featureFunctionName(int32_t index);

}  // namespace tts
