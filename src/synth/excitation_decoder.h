// Stored residual: a run of narrowband Speex frames decoded into a unit's excitation.
#pragma once
#include <cstdint>

namespace tts {

constexpr int32_t kExcitationFrameError = -1;   // the decoder refused a frame
constexpr int32_t kExcitationFrameOverrun = -2; // a frame read past its own bytes

// Decoded blocks of a voice, kept for the voice's life. Every block is
// decoded by a new Speex decoder, so a block's samples are the same each time
// it is used and a kept copy replaces the decoding. (A decoder reset with
// SPEEX_RESET_STATE does not decode like a new one, so the decoder itself is
// not kept.) The store keeps the first blocks that fit (384 KB of frames
// packed at the bit width each needs, about 2000 frames, allocated at the
// first block) and takes no more once full.
struct ExcitationStore;

// Null when memory runs out (decodeExcitation then decodes one-shot).
ExcitationStore* excitationStoreCreate();
void excitationStoreDestroy(ExcitationStore* decoder);  // null is ignored

// block: in, F (int8), L (int8), then F frames of L bytes.
// blockEnd: in, one past the last readable byte, or null for a trusted block;
//   a frame that would cross it ends decoding (as a frame error).
// out: out, excitation of the unit; samples land from position start - frameSize/2,
//   only at positions 0 .. capacity-1, clamped to +-32000.
// store: in/out, the voice's decoded blocks, or null to decode without keeping.
// Returns the position after the last sample decoded, or one of the errors above.
int32_t decodeExcitation(const uint8_t* block, const uint8_t* blockEnd, int16_t* out, int32_t start,
                         int32_t capacity, ExcitationStore* store = nullptr);

}  // namespace tts
