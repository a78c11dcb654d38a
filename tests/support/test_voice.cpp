#include "support/test_voice.h"

namespace tts_test {

std::vector<uint8_t> emptyVoice(int32_t rate, int32_t f0Mean) {
  std::vector<uint8_t> block;
  auto put32 = [&](int32_t v) {
    for (int i = 0; i < 4; ++i) block.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
  };
  auto put16 = [&](int16_t v) {
    block.push_back(static_cast<uint8_t>(v & 0xFF));
    block.push_back(static_cast<uint8_t>((static_cast<uint16_t>(v) >> 8) & 0xFF));
  };
  for (int32_t v : {6, rate, f0Mean, 14, 0, 16}) put32(v);  // version, rate, F0 mean, spread, units, slot size
  for (int32_t v : {2, 0, 0, 0, 0}) put32(v);            // K, two widths, two codebook entries
  for (int i = 0; i < 4; ++i) put16(0);                  // deemphasis, level floor, pulse filter, no residual
  return block;
}

}  // namespace tts_test
