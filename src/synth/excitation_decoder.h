// Stored residual: a run of narrowband Speex frames decoded into a unit's excitation.
#pragma once
#include <cstdint>

namespace tts {

constexpr int32_t kExcitationFrameError = -1;   // the decoder refused a frame
constexpr int32_t kExcitationFrameOverrun = -2; // a frame read past its own bytes

// block: in, F (int8), L (int8), then F frames of L bytes.
// blockEnd: in, one past the last readable byte, or null for a trusted block;
//   a frame that would cross it ends decoding (as a frame error).
// out: out, excitation of the unit; samples land from position start - frameSize/2,
//   only at positions 0 .. capacity-1, clamped to +-32000.
// Returns the position after the last sample decoded, or one of the errors above.
int32_t decodeExcitation(const uint8_t* block, const uint8_t* blockEnd, int16_t* out, int32_t start,
                         int32_t capacity);

}  // namespace tts
