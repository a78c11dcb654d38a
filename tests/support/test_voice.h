// Small voice database blocks for engine tests.
#pragma once
#include <cstdint>
#include <vector>

namespace tts_test {

// A minimal valid version-6 voice block without units (K = 2, zero-width codes).
std::vector<uint8_t> emptyVoice(int32_t rate = 16000, int32_t f0Mean = 100);

}  // namespace tts_test
