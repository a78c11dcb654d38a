#include "synth/bit_reader.h"

namespace tts {

void bitReaderInit(BitReader* reader, const uint8_t* data, int32_t size) {
  if (!reader) return;
  reader->data = data;
  reader->size = size;
  reader->index = 0;
  reader->bitsLeft = 8;
  reader->owned = 0;
}

uint32_t bitReaderRead(BitReader* reader, int32_t bits) {
  if (!reader || !reader->data || bits <= 0) return 0;
  if (bits > 32) bits = 32;
  if (reader->size >= 0 && reader->index >= reader->size) return 0;
  uint64_t result = 0;
  while (reader->bitsLeft < bits) {
    const int32_t left = reader->bitsLeft;
    const uint32_t low = reader->data[reader->index] & ((1u << left) - 1u);
    result = (result << left) | low;
    bits -= left;
    reader->index += 1;
    reader->bitsLeft = 8;
    if (reader->size >= 0 && reader->index >= reader->size) {
      reader->bitsLeft = 0;
      return static_cast<uint32_t>(result);
    }
  }
  const int32_t left = reader->bitsLeft;
  const uint32_t code = (reader->data[reader->index] >> (left - bits)) & ((1u << bits) - 1u);
  result = (result << bits) | code;
  reader->bitsLeft = static_cast<int8_t>(left - bits);
  if (reader->bitsLeft == 0) {
    reader->index += 1;
    reader->bitsLeft = 8;
  }
  return static_cast<uint32_t>(result);
}

int32_t bitReaderConsumed(const BitReader* reader) {
  if (!reader) return 0;
  return reader->index + (reader->bitsLeft > 0 && reader->bitsLeft < 8 ? 1 : 0);
}

}  // namespace tts
