#include "synth/codec_header.h"

namespace tts {

int32_t readLe32(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                              (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24));
}

int16_t readLe16(const uint8_t* p) {
  return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
}

static bool fits(const PhraseVoice* voice, const uint8_t* p, int64_t bytes) {
  return !voice->dataEnd || (p <= voice->dataEnd && bytes <= voice->dataEnd - p);
}

bool readCodecHeader(const PhraseVoice* voice, CodecInfo* codec) {
  if (!voice || !codec || !voice->unitData) return false;
  const uint8_t* p = voice->unitData;
  if (!fits(voice, p, 4)) return false;
  const int32_t order = readLe32(p);
  if (order < 2 || order > 18 || (order & 1) != 0) return false;
  p += 4;
  if (!fits(voice, p, 4 * order)) return false;
  int32_t widest = 0;
  int32_t bits = 5;
  for (int32_t i = 0; i < order; ++i) {
    const int32_t w = readLe32(p + 4 * i);
    if (w < 0 || w > kMaxCodeWidth) return false;
    codec->widths[i] = w;
    bits += w;
    if (w > widest) widest = w;
  }
  p += 4 * order;
  codec->order = order;
  codec->bitsPerPeriod = bits;
  codec->stride = 1 << widest;
  codec->codebooks = p;
  const int64_t bookBytes = 4ll * order * codec->stride;
  if (!fits(voice, p, bookBytes + 8)) return false;
  p += bookBytes;
  codec->deemphasis_Q8 = readLe16(p);
  codec->levelFloor = readLe16(p + 2);
  codec->pulseFilter = readLe16(p + 4);
  codec->voicedNoResidual = readLe16(p + 6);
  codec->records = p + 8;
  return true;
}

}  // namespace tts
