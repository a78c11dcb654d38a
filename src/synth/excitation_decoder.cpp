#include "synth/excitation_decoder.h"

#include <speex/speex.h>

#include <cstdlib>
#include <cstring>

namespace tts {

namespace {
constexpr int32_t kMaxFrame = 320;
constexpr int32_t kStoreBytes = 3 << 17;  // 384 KB of packed decoded frames
constexpr int32_t kStoreSlots = 2048;     // power of two, at most half of them used
constexpr int32_t kUnpackSlack = 8;       // bytes past the store that unpacking may read

struct StoredBlock {
  const uint8_t* block;  // null: free slot
  int32_t first;         // first byte in the store
  int32_t count;         // samples of the whole decoded stream
  int32_t frameSize;     // samples per frame
};
}  // namespace

// Decoded frames are kept packed: a byte giving the bit width w (1..16) that
// holds every sample of the frame as a two's-complement value, then the
// frame's samples at w bits each, least significant bits first. Residual
// frames rarely need more than 11 bits, so the store keeps about 1.6 times
// the samples it would as plain 16-bit values; unpacking is exact.
struct ExcitationStore {
  uint8_t* bytes;  // kStoreBytes, allocated at the first block
  int32_t used;    // bytes of the store taken
  int32_t blocks;  // slots taken
  StoredBlock slots[kStoreSlots];
};

namespace {
// Bits that hold every value of x as two's complement, 1..16.
int32_t packedWidth(const int16_t* x, int32_t count) {
  uint32_t spread = 0;  // OR of v (v >= 0) and ~v = -v-1 (v < 0): the bits below the sign
  for (int32_t i = 0; i < count; ++i) {
    const int32_t v = x[i];
    spread |= static_cast<uint32_t>(v < 0 ? ~v : v);
  }
  int32_t width = 1;
  while (width < 16 && (spread >> (width - 1)) != 0) ++width;
  return width;
}

int32_t packedBytes(int32_t count, int32_t width) { return 1 + (count * width + 7) / 8; }

// x: in, count samples. out: out, packedBytes(count, width) bytes.
void packFrame(const int16_t* x, int32_t count, int32_t width, uint8_t* out) {
  *out++ = static_cast<uint8_t>(width);
  const uint32_t mask = (1u << width) - 1u;
  uint64_t bits = 0;
  int32_t filled = 0;
  for (int32_t i = 0; i < count; ++i) {
    bits |= static_cast<uint64_t>(static_cast<uint32_t>(x[i]) & mask) << filled;
    filled += width;
    while (filled >= 8) {
      *out++ = static_cast<uint8_t>(bits);
      bits >>= 8;
      filled -= 8;
    }
  }
  if (filled > 0) *out = static_cast<uint8_t>(bits);
}

// Eight samples of `width` bits take `width` bytes; each sample is read from
// the 64-bit little-endian word at its first byte (the store keeps 8 spare
// bytes at its end for the last ones), shifted to bit 31 and back with its sign.
template <int32_t kWidth>
void unpackEights(const uint8_t* in, int32_t count, int16_t* x) {
  for (int32_t i = 0; i < count; i += 8, in += kWidth) {
    for (int32_t j = 0; j < 8; ++j) {
      uint64_t word;
      std::memcpy(&word, in + j * kWidth / 8, sizeof(word));
      const uint32_t low = static_cast<uint32_t>(word >> (j * kWidth % 8));
      x[i + j] = static_cast<int16_t>(static_cast<int32_t>(low << (32 - kWidth)) >> (32 - kWidth));
    }
  }
}

typedef void (*Unpacker)(const uint8_t*, int32_t, int16_t*);
const Unpacker kUnpackers[17] = {
    nullptr,          unpackEights<1>,  unpackEights<2>,  unpackEights<3>,  unpackEights<4>,  unpackEights<5>,
    unpackEights<6>,  unpackEights<7>,  unpackEights<8>,  unpackEights<9>,  unpackEights<10>, unpackEights<11>,
    unpackEights<12>, unpackEights<13>, unpackEights<14>, unpackEights<15>, unpackEights<16>,
};

// in: a packed frame of count samples (a multiple of 8). x: out, count
// samples. Returns the bytes read.
int32_t unpackFrame(const uint8_t* in, int32_t count, int16_t* x) {
  const int32_t width = in[0];
  kUnpackers[width](in + 1, count, x);
  return packedBytes(count, width);
}
}  // namespace

namespace {
// A block's frames are at most 127 bytes (a signed byte gives their size),
// so the bit reader works in a buffer of its own on the stack instead of the
// 2000 bytes speex_bits_init would allocate and clear for every block.
constexpr int32_t kMaxFrameBytes = 128;

struct Speex {
  void* state;
  SpeexBits bits;
  char frame[kMaxFrameBytes];
  int32_t frameSize;
};
}  // namespace

static bool openSpeex(Speex* d) {
  d->state = speex_decoder_init(&speex_nb_mode);
  if (!d->state) return false;
  int enhancer = 0;
  speex_decoder_ctl(d->state, SPEEX_SET_ENH, &enhancer);
  int frameSize = 0;
  speex_decoder_ctl(d->state, SPEEX_GET_FRAME_SIZE, &frameSize);
  int rate = 8000;
  speex_decoder_ctl(d->state, SPEEX_SET_SAMPLING_RATE, &rate);
  if (frameSize <= 0 || frameSize > kMaxFrame) {
    speex_decoder_destroy(d->state);
    return false;
  }
  d->frameSize = frameSize;
  speex_bits_init_buffer(&d->bits, d->frame, kMaxFrameBytes);
  return true;
}

static void closeSpeex(Speex* d) {
  speex_bits_destroy(&d->bits);
  speex_decoder_destroy(d->state);
}

ExcitationStore* excitationStoreCreate() {
  return static_cast<ExcitationStore*>(std::calloc(1, sizeof(ExcitationStore)));
}

void excitationStoreDestroy(ExcitationStore* d) {
  if (!d) return;
  std::free(d->bytes);
  std::free(d);
}

static uint32_t slotOf(const uint8_t* block) {
  const uint64_t key = reinterpret_cast<uintptr_t>(block);
  return static_cast<uint32_t>((key * 0x9E3779B97F4A7C15ull) >> 40) & (kStoreSlots - 1);
}

static StoredBlock* findSlot(ExcitationStore* d, const uint8_t* block) {
  uint32_t i = slotOf(block);
  while (d->slots[i].block && d->slots[i].block != block) i = (i + 1) & (kStoreSlots - 1);
  return &d->slots[i];
}

// The stream's samples into out from position pos (only 0 .. capacity-1).
static void place(const int16_t* stream, int32_t count, int16_t* out, int32_t pos, int32_t capacity) {
  int32_t from = 0;
  if (pos < 0) from = -pos;
  int32_t to = count;
  if (static_cast<int64_t>(pos) + to > capacity) to = capacity - pos;
  if (to > from) std::memcpy(out + pos + from, stream + from, sizeof(int16_t) * (to - from));
}

int32_t decodeExcitation(const uint8_t* block, const uint8_t* blockEnd, int16_t* out, int32_t start,
                         int32_t capacity, ExcitationStore* store) {
  if (!block || !out) return kExcitationFrameError;
  if (blockEnd && (block > blockEnd || blockEnd - block < 2)) return kExcitationFrameError;
  const int32_t frames = static_cast<int8_t>(block[0]);
  const int32_t frameBytes = static_cast<int8_t>(block[1]);
  const uint8_t* frame = block + 2;
  if (frames <= 0 || frameBytes <= 0) return start;

  ExcitationStore* d = store;
  StoredBlock* slot = nullptr;
  if (d) {
    slot = findSlot(d, block);
    if (slot->block) {
      const int32_t frameSize = slot->frameSize;
      int32_t pos = start - frameSize / 2;
      const uint8_t* packed = d->bytes + slot->first;
      int16_t frameSamples[kMaxFrame];
      for (int32_t done = 0; done < slot->count; done += frameSize, pos += frameSize) {
        packed += unpackFrame(packed, frameSize, frameSamples);
        place(frameSamples, frameSize, out, pos, capacity);
      }
      return pos;
    }
  }
  // A new Speex decoder for each block: a reset one (SPEEX_RESET_STATE) does
  // not decode the next block to the same samples as a new one.
  Speex speex;
  if (!openSpeex(&speex)) return kExcitationFrameError;
  const int32_t frameSize = speex.frameSize;

  // The decoded stream is packed into the store as well, and kept when every
  // frame decodes and fits.
  bool keep = false;
  int32_t keptBytes = 0;
  if (d && d->blocks < kStoreSlots / 2 && d->used < kStoreBytes && frameSize % 8 == 0) {
    if (!d->bytes) d->bytes = static_cast<uint8_t*>(std::calloc(1, kStoreBytes + kUnpackSlack));
    keep = d->bytes != nullptr;
  }

  int32_t pos = start - frameSize / 2;
  int32_t result = 0;
  spx_int16_t pcm[kMaxFrame];
  for (int32_t f = 0; f < frames; ++f, frame += frameBytes) {
    if (blockEnd && (frame > blockEnd || blockEnd - frame < frameBytes)) {
      result = kExcitationFrameError;
      break;
    }
    speex_bits_read_from(&speex.bits, reinterpret_cast<const char*>(frame), frameBytes);
    if (speex_decode_int(speex.state, &speex.bits, pcm) != 0) {
      result = kExcitationFrameError;
      break;
    }
    if (speex_bits_remaining(&speex.bits) < 0) {
      result = kExcitationFrameOverrun;
      break;
    }
    int16_t clamped[kMaxFrame];
    for (int32_t i = 0; i < frameSize; ++i) {
      int32_t v = pcm[i];
      if (v > 32000) v = 32000;
      if (v < -32000) v = -32000;
      clamped[i] = static_cast<int16_t>(v);
    }
    place(clamped, frameSize, out, pos, capacity);
    if (keep) {
      const int32_t width = packedWidth(clamped, frameSize);
      const int32_t bytes = packedBytes(frameSize, width);
      if (bytes > kStoreBytes - d->used - keptBytes) {
        keep = false;
      } else {
        packFrame(clamped, frameSize, width, d->bytes + d->used + keptBytes);
        keptBytes += bytes;
      }
    }
    pos += frameSize;
  }
  closeSpeex(&speex);
  if (result < 0) return result;
  if (keep) {
    slot->block = block;
    slot->first = d->used;
    slot->count = frames * frameSize;
    slot->frameSize = frameSize;
    d->used += keptBytes;
    d->blocks += 1;
  }
  return pos;
}

}  // namespace tts
