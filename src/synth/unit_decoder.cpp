#include "synth/unit_decoder.h"

#include "synth/bit_reader.h"
#include "synth/excitation_decoder.h"
#include "synth/kernels/lsf.h"

namespace tts {

const int16_t kGainTable[32] = {1,   3,   5,   7,   9,   11,  13,  15,  17,  20,  24,  30,  34,  42,  50,  60,
                                70,  84,  102, 120, 144, 172, 206, 246, 294, 352, 420, 502, 600, 718, 856, 1024};

// Signed-byte comparison of a name slot (at most `size` bytes) with a name.
static int32_t compareSlot(const char* slot, int32_t size, const char* name) {
  for (int32_t i = 0; i < size; ++i) {
    const int32_t a = static_cast<signed char>(slot[i]);
    const int32_t b = static_cast<signed char>(name[i]);
    if (a != b) return a < b ? -1 : 1;
    if (a == 0) return 0;
  }
  return name[size] == 0 ? 0 : -1;  // a full slot without NUL is a prefix of the longer name
}

static int32_t searchName(const PhraseVoice* voice, const char* name) {
  int32_t low = 0;
  int32_t high = voice->unitCount - 1;
  while (low <= high) {
    const int32_t middle = low + (high - low) / 2;
    const int32_t c = compareSlot(voice->unitNames + static_cast<int64_t>(middle) * voice->nameSize,
                                  voice->nameSize, name);
    if (c > 0) {
      high = middle - 1;
    } else if (c < 0) {
      low = middle + 1;
    } else {
      return middle;
    }
  }
  return -1;
}

int32_t findUnit(const PhraseVoice* voice, const CodecInfo* codec, const char* name, const uint8_t** record) {
  if (!voice || !codec || !name || !record || !voice->unitNames || !voice->unitOffsets || voice->nameSize <= 0)
    return 0;
  int32_t slot = searchName(voice, name);
  if (slot < 0) {
    char stripped[16];
    int32_t k = 0;
    for (int32_t i = 0; name[i] != 0 && k < 15; ++i)
      if (name[i] != ':') stripped[k++] = name[i];
    stripped[k] = 0;
    slot = searchName(voice, stripped);
    if (slot < 0) return 0;
  }
  const uint8_t* entry = voice->unitOffsets + 4 * static_cast<int64_t>(slot);
  if (voice->dataEnd && (entry > voice->dataEnd || voice->dataEnd - entry < 4)) return 0;
  const int32_t offset = readLe32(entry);
  if (offset < 0) {
    *record = nullptr;
  } else if (voice->dataEnd && (codec->records > voice->dataEnd || offset > voice->dataEnd - codec->records)) {
    *record = voice->dataEnd;  // past the block: nothing of it can be read
  } else {
    *record = codec->records + offset;
  }
  return 1;
}

constexpr int32_t kUnitNameBytes = 16;  // "a-b" and its NUL

// Appends text to name (k bytes used); false when it would leave no room for the NUL.
static bool appendName(char (&name)[kUnitNameBytes], int32_t* k, const char* text) {
  for (const char* p = text; *p; ++p) {
    if (*k >= kUnitNameBytes - 1) return false;
    name[(*k)++] = *p;
  }
  return true;
}

static bool buildName(const PhraseVoice* voice, int32_t a, int32_t b, char (&name)[kUnitNameBytes]) {
  const char* first = voice->phoneName ? voice->phoneName(a) : nullptr;
  const char* second = voice->phoneName ? voice->phoneName(b) : nullptr;
  if (!first || !second) return false;
  int32_t k = 0;
  if (!appendName(name, &k, first) || !appendName(name, &k, "-") || !appendName(name, &k, second)) return false;
  name[k] = 0;
  return true;
}

// Neutral spectrum: LSFs evenly spaced over 0..pi.
static void neutralLsf(int32_t order, int16_t* lsf_Q10) {
  for (int32_t i = 0; i < order; ++i) lsf_Q10[i] = static_cast<int16_t>((i + 1) * kLsfPi_Q10 / (order + 1));
}

static int32_t syntheticSilence(const PhraseVoice* voice, const CodecInfo* codec, const UnitOutput* out,
                                int32_t* periods, int32_t* firstPeriods) {
  const int32_t len = voice->voiceRate / 100;
  int32_t n = 2;
  if (n > out->maxPeriods) n = out->maxPeriods;
  if (out->excitation && n * len > out->maxSamples) n = len > 0 ? out->maxSamples / len : n;
  if (n < 0) n = 0;
  for (int32_t p = 0; p < n; ++p) {
    out->lengths[p] = len;
    if (!out->excitation) continue;
    out->gains[p] = 0;
    neutralLsf(codec->order, out->lsf_Q10 + p * codec->order);
    for (int32_t i = 0; i < len; ++i) out->excitation[p * len + i] = 0;
  }
  *periods = n;
  *firstPeriods = n < 1 ? n : 1;
  return n * len;
}

int32_t decodeUnit(const PhraseVoice* voice, const CodecInfo* codec, int32_t a, int32_t b, const UnitOutput* out,
                   int32_t* periods, int32_t* firstPeriods) {
  int32_t dummyN = 0;
  int32_t dummyM = 0;
  if (!periods) periods = &dummyN;
  if (!firstPeriods) firstPeriods = &dummyM;
  *periods = 0;
  *firstPeriods = 0;
  if (!voice || !codec || !out || !out->lengths) return kUnitMissing;
  if (out->excitation && (!out->gains || !out->lsf_Q10)) return 0;

  char name[kUnitNameBytes];
  if (!buildName(voice, a, b, name)) return kUnitMissing;
  const uint8_t* record = nullptr;
  if (!findUnit(voice, codec, name, &record)) return kUnitMissing;
  if (!record) {
    if (a == 0 && b == 0) return syntheticSilence(voice, codec, out, periods, firstPeriods);
    return 0;
  }

  const uint8_t* end = voice->dataEnd;
  if (end && (record > end || end - record < 2)) return 0;
  const int32_t n = record[0];
  int32_t m = record[1];
  if (m > n) m = n;
  const uint8_t* stream = record + 2 + n;
  const int64_t streamBytes = (static_cast<int64_t>(n) * codec->bitsPerPeriod + 7) / 8;
  if (end && (end - record < 2 + n || end - stream < streamBytes)) return 0;

  BitReader reader;
  bitReaderInit(&reader, stream, -1);
  const int32_t order = codec->order;
  int32_t kept = 0;
  int32_t position = 0;
  int32_t excitationStart = -1;
  for (int32_t p = 0; p < n; ++p) {
    const int32_t len = record[2 + p];
    const bool fitsOut = kept == p && p < out->maxPeriods && (!out->excitation || position + len <= out->maxSamples);
    const int32_t gainCode = static_cast<int32_t>(bitReaderRead(&reader, 5));
    if (fitsOut) {
      out->lengths[p] = len;
      if (out->excitation) out->gains[p] = kGainTable[gainCode & 31];
    }
    for (int32_t i = 0; i < order; ++i) {
      const uint32_t code = bitReaderRead(&reader, codec->widths[i]);
      if (!fitsOut || !out->excitation) continue;
      const int32_t entry = readLe32(codec->codebooks + 4 * (static_cast<int64_t>(i) * codec->stride + code));
      out->lsf_Q10[p * order + i] = static_cast<int16_t>(entry >> 4);
    }
    if (!fitsOut) continue;
    const int32_t phone = p < m ? a : b;
    const bool voiced = codec->voicedNoResidual != 0 && voice->phoneIsSonorant && voice->phoneIsSonorant(phone) == 1;
    if (!voiced && excitationStart < 0) excitationStart = position;
    position += len;
    kept += 1;
  }
  *periods = kept;
  *firstPeriods = m < kept ? m : kept;
  if (out->excitation && excitationStart >= 0) {
    // Decoder errors keep the samples decoded so far; the unit's length stands.
    decodeExcitation(stream + bitReaderConsumed(&reader), end, out->excitation, excitationStart, out->maxSamples,
                     voice->excitationStore);
  }
  return position;
}

}  // namespace tts
