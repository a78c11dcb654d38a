#include "synth/excitation_decoder.h"

#include <speex/speex.h>

namespace tts {

int32_t decodeExcitation(const uint8_t* block, const uint8_t* blockEnd, int16_t* out, int32_t start,
                         int32_t capacity) {
  if (!block || !out) return kExcitationFrameError;
  if (blockEnd && (block > blockEnd || blockEnd - block < 2)) return kExcitationFrameError;
  const int32_t frames = static_cast<int8_t>(block[0]);
  const int32_t frameBytes = static_cast<int8_t>(block[1]);
  const uint8_t* frame = block + 2;
  if (frames <= 0 || frameBytes <= 0) return start;

  void* decoder = speex_decoder_init(&speex_nb_mode);
  if (!decoder) return kExcitationFrameError;
  int enhancer = 0;
  speex_decoder_ctl(decoder, SPEEX_SET_ENH, &enhancer);
  int frameSize = 0;
  speex_decoder_ctl(decoder, SPEEX_GET_FRAME_SIZE, &frameSize);
  int rate = 8000;
  speex_decoder_ctl(decoder, SPEEX_SET_SAMPLING_RATE, &rate);
  constexpr int kMaxFrame = 320;
  if (frameSize <= 0 || frameSize > kMaxFrame) {
    speex_decoder_destroy(decoder);
    return kExcitationFrameError;
  }
  SpeexBits bits;
  speex_bits_init(&bits);

  int32_t pos = start - frameSize / 2;
  int32_t result = 0;
  spx_int16_t pcm[kMaxFrame];
  for (int32_t f = 0; f < frames; ++f, frame += frameBytes) {
    if (blockEnd && (frame > blockEnd || blockEnd - frame < frameBytes)) {
      result = kExcitationFrameError;
      break;
    }
    speex_bits_read_from(&bits, reinterpret_cast<const char*>(frame), frameBytes);
    if (speex_decode_int(decoder, &bits, pcm) != 0) {
      result = kExcitationFrameError;
      break;
    }
    if (speex_bits_remaining(&bits) < 0) {
      result = kExcitationFrameOverrun;
      break;
    }
    for (int32_t i = 0; i < frameSize; ++i, ++pos) {
      int32_t v = pcm[i];
      if (v > 32000) v = 32000;
      if (v < -32000) v = -32000;
      if (pos >= 0 && pos < capacity) out[pos] = static_cast<int16_t>(v);
    }
  }
  speex_bits_destroy(&bits);
  speex_decoder_destroy(decoder);
  return result < 0 ? result : pos;
}

}  // namespace tts
