// Voice database binding, release and the voice-state control PhraseTTSCtrl.
//
// Block layout (little-endian, unaligned): int32 formatVersion, voiceRate,
// f0Mean, f0StdDev, unitCount N, nameSize S; N name slots of S bytes; N int32
// unit offsets (relative to the unit records); then the codec header (int32 K,
// K int32 widths, K * 2^W int32 codebook entries with W the largest width,
// four int16 fields) followed by the unit records.
#include "synth/voice.h"

#include <cstdlib>

#include "model/language.h"
#include "prosody/phoneset.h"
#include "synth/excitation_decoder.h"
#include "synth/synth.h"

namespace tts {

namespace {

constexpr int32_t kMaxSpectralOrder = 18;  // largest K the synthesiser supports
constexpr int32_t kMaxCodeWidth = 16;      // bits of one spectral code
constexpr int32_t kSpeedMinPercent = 50;   // duration percentages honoured; outside: clamped
constexpr int32_t kSpeedMaxPercent = 300;
constexpr int32_t kCodecTrailerBytes = 8;  // deemphasis, levelFloor, pulseFilter, voicedNoResidual

// Default name of the voice when none is bound; kept, never opened.
const char kDefaultDatabaseName[] = "/voxa/voices/default/Diphone16k.pcm";

int32_t readLe32(const uint8_t* p) {
  const uint32_t u = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                     (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
  return static_cast<int32_t>(u);
}

// Phone lookups bound to the deliverable's phone set.
int32_t voicePhoneIndex(const char* name) { return phoneIndex(kLanguage.phoneset, name); }
const char* voicePhoneName(int32_t id) { return phoneName(kLanguage.phoneset, id); }
int32_t voicePhoneIsVowel(int32_t id) { return phoneIsVowel(kLanguage.phoneset, id); }
int32_t voicePhoneIsSonorant(int32_t id) { return phoneIsSonorant(kLanguage.phoneset, id); }
const char* voicePhoneCtype(int32_t id) { return phoneCtype(kLanguage.phoneset, id); }

// Address `offset` bytes past `base`, computed on integers so that a trusted
// header with absurd counts yields a wild pointer rather than undefined arithmetic.
const uint8_t* advance(const uint8_t* base, uint64_t offset) {
  return reinterpret_cast<const uint8_t*>(reinterpret_cast<uintptr_t>(base) + static_cast<uintptr_t>(offset));
}

// Checks a block of `size` bytes (size > 0) against every table and unit it
// describes. True when everything the synthesiser may read lies inside it.
bool blockIsSound(const uint8_t* block, uint64_t size) {
  if (size < static_cast<uint64_t>(kVoiceHeaderBytes)) return false;
  const int32_t voiceRate = readLe32(block + 4);
  const int32_t f0Mean = readLe32(block + 8);
  const int32_t f0StdDev = readLe32(block + 12);
  const int32_t unitCount = readLe32(block + 16);
  const int32_t nameSize = readLe32(block + 20);
  if (voiceRate < kMinVoiceRate_Hz || voiceRate > kMaxVoiceRate_Hz) return false;
  if (f0Mean < kMinVoiceF0Mean_Hz || f0Mean > kMaxVoiceF0Mean_Hz) return false;
  if (f0StdDev < 0 || f0StdDev > kMaxVoiceF0StdDev_Hz) return false;
  if (unitCount < 0 || unitCount > kMaxVoiceUnitCount) return false;
  if (nameSize < (unitCount > 0 ? 1 : 0) || nameSize > kMaxVoiceNameSize) return false;
  const uint64_t n = static_cast<uint64_t>(unitCount);
  const uint64_t s = static_cast<uint64_t>(nameSize);
  // Header, name table and offset table (at most 2^31 * (2^31 + 4) bytes: no overflow in 64 bits).
  const uint64_t dataStart = kVoiceHeaderBytes + n * s + 4 * n;
  if (dataStart > size) return false;
  // Every name slot holds its terminating NUL.
  for (uint64_t i = 0; i < n; ++i) {
    const uint8_t* slot = block + kVoiceHeaderBytes + i * s;
    bool terminated = false;
    for (uint64_t j = 0; j < s && !terminated; ++j) terminated = slot[j] == 0;
    if (!terminated) return false;
  }
  // Codec header.
  uint64_t at = dataStart;
  if (size - at < 4) return false;
  const int32_t order = readLe32(block + at);
  if (order < 1 || order > kMaxSpectralOrder || (order & 1) != 0) return false;
  at += 4;
  if (size - at < 4 * static_cast<uint64_t>(order)) return false;
  int32_t widest = 0;
  for (int32_t i = 0; i < order; ++i) {
    const int32_t width = readLe32(block + at + 4 * static_cast<uint64_t>(i));
    if (width < 0 || width > kMaxCodeWidth) return false;
    if (width > widest) widest = width;
  }
  at += 4 * static_cast<uint64_t>(order);
  const uint64_t codebookBytes = 4 * static_cast<uint64_t>(order) * (uint64_t{1} << widest);
  if (size - at < codebookBytes + kCodecTrailerBytes) return false;
  at += codebookBytes + kCodecTrailerBytes;
  // Unit records: each present unit's N, M and N period lengths lie inside the block.
  const uint64_t recordsStart = at;
  const uint8_t* offsets = block + kVoiceHeaderBytes + n * s;
  for (uint64_t i = 0; i < n; ++i) {
    const int32_t offset = readLe32(offsets + 4 * i);
    if (offset < 0) continue;  // absent unit
    const uint64_t record = recordsStart + static_cast<uint64_t>(offset);
    if (record > size || size - record < 2) return false;
    const uint64_t periods = block[record];
    if (size - record - 2 < periods) return false;
  }
  return true;
}

}  // namespace

PhraseVoice* voiceBind(const void* database, size_t size, int32_t mode) {
  if (!database) return nullptr;
  PhraseVoice* voice = static_cast<PhraseVoice*>(std::calloc(1, sizeof(PhraseVoice)));
  if (!voice) return nullptr;
  const uint8_t* block = static_cast<const uint8_t*>(database);
  if (mode != 0 || (size > 0 && !blockIsSound(block, size))) {
    std::free(voice);
    return nullptr;
  }
  voice->ownership = 0;
  voice->database = block;
  voice->formatVersion = readLe32(block + 0);
  voice->voiceRate = readLe32(block + 4);
  voice->f0Mean = readLe32(block + 8);
  voice->f0StdDev = readLe32(block + 12);
  voice->unitCount = readLe32(block + 16);
  voice->nameSize = readLe32(block + 20);
  const uint64_t nameBytes = static_cast<uint64_t>(static_cast<int64_t>(voice->unitCount)) *
                             static_cast<uint64_t>(static_cast<int64_t>(voice->nameSize));
  const uint64_t offsetBytes = 4 * static_cast<uint64_t>(static_cast<int64_t>(voice->unitCount));
  voice->unitNames = reinterpret_cast<const char*>(advance(block, kVoiceHeaderBytes));
  voice->unitOffsets = advance(block, kVoiceHeaderBytes + nameBytes);
  voice->unitData = advance(block, kVoiceHeaderBytes + nameBytes + offsetBytes);
  voice->databaseName = nullptr;
  voice->databaseSize = size;
  voice->dataEnd = size > 0 ? block + size : nullptr;
  if (voice->formatVersion != kVoiceFormatVersion) {
    std::free(voice);
    return nullptr;
  }
  voice->synthInit = synthInit;
  voice->synthGenerate = synthGenerate;
  voice->synthRelease = synthRelease;
  voice->excitationStore = excitationStoreCreate();
  return voice;
}

int32_t voiceRelease(PhraseVoice* voice) {
  if (!voice) return -10;
  if (voice->ownership == 1 || voice->ownership == 2) {
    std::free(const_cast<char*>(voice->databaseName));
    std::free(const_cast<uint8_t*>(voice->database));
  }
  excitationStoreDestroy(voice->excitationStore);
  synthDropSpare(voice);
  std::free(voice);
  return 0;
}

}  // namespace tts

namespace {

void resetVoice(PhraseVoice* voice) {
  voice->phoneIndex = tts::voicePhoneIndex;
  voice->phoneName = tts::voicePhoneName;
  voice->phoneIsVowel = tts::voicePhoneIsVowel;
  voice->phoneIsSonorant = tts::voicePhoneIsSonorant;
  voice->phoneCtype = tts::voicePhoneCtype;
  if (!voice->database) {
    voice->formatVersion = 1;
    voice->unitCount = 0;
    voice->voiceRate = 16000;
    voice->f0Mean = 205;
    voice->f0StdDev = 20;
    voice->nameSize = 0;
    voice->unitNames = nullptr;
    voice->unitOffsets = nullptr;
    voice->unitData = nullptr;
    voice->databaseName = tts::kDefaultDatabaseName;
  }
  if (tts::Settings* settings = voice->settings) {
    settings->durationStretch_Q8 = tts::kLanguage.baseDurationStretch;
    settings->f0Mean_Hz = voice->f0Mean;
    settings->outputRate_Hz = voice->voiceRate;
  }
  voice->reserved = 0;
}

}  // namespace

extern "C" void PhraseTTSCtrl(PhraseVoice* voice, uint32_t code, int32_t* value) {
  if (!voice) return;
  switch (code) {
    case PTC_RESET:
      resetVoice(voice);
      break;
    case PTC_SET_PITCH:
      // The F0 models read the handle's mean; the synthesiser keeps reading the voice's.
      if (value) {
        voice->f0Mean = *value;
        voice->f0StdDev = *value / 8;
        if (voice->settings) voice->settings->f0Mean_Hz = *value;
      }
      break;
    case PTC_SET_SPEED:
      if (value && voice->settings) {
        int32_t percent = *value;
        if (percent < tts::kSpeedMinPercent) percent = tts::kSpeedMinPercent;
        if (percent > tts::kSpeedMaxPercent) percent = tts::kSpeedMaxPercent;
        voice->settings->durationStretch_Q8 = percent * tts::kLanguage.baseDurationStretch / 100;
      }
      break;
    case PTC_SET_DB_NAME:
      voice->databaseName = reinterpret_cast<const char*>(value);
      break;
    case PTC_SET_VOICE_RATE:
      if (value) voice->voiceRate = *value;
      break;
    case PTC_SET_OUTPUT_RATE:
      if (value && voice->settings) voice->settings->outputRate_Hz = *value;
      break;
    case PTC_GET_OUTPUT_RATE:
      // Without a handle the voice delivers at its own rate.
      if (value) *value = voice->settings ? voice->settings->outputRate_Hz : voice->voiceRate;
      break;
    case PTC_SET_RESERVED:
      if (value) voice->reserved = *value;
      break;
    default:
      break;  // codes above 7: ignored
  }
}
