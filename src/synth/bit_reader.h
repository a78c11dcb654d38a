// Reads codes of up to 32 bits, most significant bit first, from a byte stream.
#pragma once
#include <cstdint>

namespace tts {

struct BitReader {
  const uint8_t* data;
  int32_t size;      // bytes, -1 when unbounded
  int32_t index;     // current byte
  int8_t bitsLeft;   // unread bits of the current byte, 8 .. 1 (0 once a bounded stream ran out)
  int8_t owned;      // always 0: the bytes belong to the voice block
};

// data: in, the stream. size: in, bytes or -1 for unbounded.
void bitReaderInit(BitReader* reader, const uint8_t* data, int32_t size);
// bits: in, 0..32. Returns the code (0 once the data is exhausted).
uint32_t bitReaderRead(BitReader* reader, int32_t bits);
// Bytes consumed so far, counting a partly read byte.
int32_t bitReaderConsumed(const BitReader* reader);

}  // namespace tts
