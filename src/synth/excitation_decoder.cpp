#include "synth/excitation_decoder.h"

#include <speex/speex.h>

#include <cstdlib>
#include <cstring>

namespace tts {

namespace {
constexpr int32_t kMaxFrame = 320;
constexpr int32_t kStoreSamples = 1 << 17;  // 256 KB of decoded samples
constexpr int32_t kStoreSlots = 1024;       // power of two, at most half of them used

struct StoredBlock {
  const uint8_t* block;  // null: free slot
  int32_t first;         // first sample in the store
  int32_t count;         // samples of the whole decoded stream
  int32_t frameSize;     // samples per frame
};
}  // namespace

struct ExcitationStore {
  int16_t* samples;  // kStoreSamples, allocated at the first block
  int32_t used;      // samples of the store taken
  int32_t blocks;    // slots taken
  StoredBlock slots[kStoreSlots];
};

namespace {
struct Speex {
  void* state;
  SpeexBits bits;
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
  speex_bits_init(&d->bits);
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
  std::free(d->samples);
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
      const int32_t pos = start - slot->frameSize / 2;
      place(d->samples + slot->first, slot->count, out, pos, capacity);
      return pos + slot->count;
    }
  }
  // A new Speex decoder for each block: a reset one (SPEEX_RESET_STATE) does
  // not decode the next block to the same samples as a new one.
  Speex speex;
  if (!openSpeex(&speex)) return kExcitationFrameError;
  const int32_t frameSize = speex.frameSize;

  // Room in the store: the decoded stream is written there as well and kept
  // when every frame decodes.
  int16_t* kept = nullptr;
  const int64_t streamSamples = static_cast<int64_t>(frames) * frameSize;
  if (d && d->blocks < kStoreSlots / 2 && d->used + streamSamples <= kStoreSamples) {
    if (!d->samples) d->samples = static_cast<int16_t*>(std::malloc(sizeof(int16_t) * kStoreSamples));
    if (d->samples) kept = d->samples + d->used;
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
    if (kept) std::memcpy(kept + f * frameSize, clamped, sizeof(int16_t) * frameSize);
    pos += frameSize;
  }
  closeSpeex(&speex);
  if (result < 0) return result;
  if (kept) {
    slot->block = block;
    slot->first = d->used;
    slot->count = static_cast<int32_t>(streamSamples);
    slot->frameSize = frameSize;
    d->used += slot->count;
    d->blocks += 1;
  }
  return pos;
}

}  // namespace tts
