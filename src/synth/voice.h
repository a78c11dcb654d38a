// Voice database binding and the voice state (PhraseVoice) of a handle.
// The host owns the database block; the voice keeps pointers into it and
// never copies or frees it. The user's settings (speed, pitch, output rate)
// live in the handle's Settings record; PhraseTTSCtrl writes them there
// through `settings`, and keeps only what the synthesiser itself reads
// (voiceRate, f0Mean) in the voice.
#pragma once
#include <cstddef>
#include <cstdint>
#include "model/settings.h"
#include "tts_engine.h"

namespace tts {

struct PhoneSet;
struct PhraseSynth;
struct ExcitationStore;

constexpr int32_t kVoiceFormatVersion = 6;
constexpr int32_t kVoiceHeaderBytes = 24;

// Header values a sized bind (TTSFileOpenSized_I) accepts; anything outside
// is refused. A trusted bind (size 0) takes the header as it stands, and the
// readers of these fields saturate instead. Inclusive ranges:
//   voiceRate   1000..96000 Hz: one 10 ms period at least; bounds the
//               one-second excitation buffer of the synthesiser
//   f0Mean      50..500 Hz: the range every F0 target is clamped to
//   f0StdDev    0..250 Hz: half the widest target range
//   unitCount   0..65536 units, and the tables must lie inside the block
//   nameSize    1..256 bytes per name slot (0 allowed only with no units)
//   codec order 2..18, even; code widths 0..16 bits (checked with the tables)
// The duration stretch is not a header field: PTC_SET_SPEED clamps its
// percentage to 50..300, so the stretch stays within base/2..3*base (Q8).
constexpr int32_t kMinVoiceRate_Hz = 1000;
constexpr int32_t kMaxVoiceRate_Hz = 96000;
constexpr int32_t kMinVoiceF0Mean_Hz = 50;
constexpr int32_t kMaxVoiceF0Mean_Hz = 500;
constexpr int32_t kMaxVoiceF0StdDev_Hz = 250;
constexpr int32_t kMaxVoiceUnitCount = 65536;
constexpr int32_t kMaxVoiceNameSize = 256;

// The request record handed to synthGenerate on every call.
struct SynthControl {
  int32_t mode;             // 0: a pause of pauseLength; nonzero: the next phone of the speech
  int32_t pauseLength;      // 1/1024 s
  int32_t usePostFilter;
  int32_t useDeemphasis;
  int32_t useDcRemoval;
  int32_t reserved;
  int32_t useLevelControl;
};

using SynthInitFn = PhraseSynth* (*)(PhraseVoice* voice, const uint8_t* phones, const uint8_t* prominence,
                                     const uint8_t* durations, const int32_t* targets, int32_t count,
                                     int32_t* bufferSamples);
using SynthGenerateFn = int32_t (*)(PhraseSynth* synth, int16_t* samples, const SynthControl* control);
using SynthReleaseFn = void (*)(PhraseSynth* synth);

}  // namespace tts

// The record is declared outside the namespace so that it completes the
// opaque type of the public header.
struct PhraseVoice {
  tts::SynthInitFn synthInit;
  tts::SynthGenerateFn synthGenerate;
  tts::SynthReleaseFn synthRelease;
  int32_t (*phoneIndex)(const char* name);
  const char* (*phoneName)(int32_t id);
  int32_t (*phoneIsVowel)(int32_t id);
  int32_t (*phoneIsSonorant)(int32_t id);
  const char* (*phoneCtype)(int32_t id);
  int32_t formatVersion;
  int32_t voiceRate;         // Hz
  int32_t f0Mean;            // Hz
  int32_t f0StdDev;          // Hz
  int32_t unitCount;
  int32_t nameSize;
  const char* unitNames;     // unitCount slots of nameSize bytes
  const uint8_t* unitOffsets;  // unitCount little-endian int32
  const uint8_t* unitData;   // codec header, then unit records
  const uint8_t* database;   // null when no database is bound
  const char* databaseName;
  tts::Settings* settings;   // the owning handle's settings, written by the pitch, speed and rate codes; may be null
  int32_t reserved;
  int32_t ownership;         // 0: the host owns the block
  size_t databaseSize;       // bytes known to be readable; 0 when the block is trusted unchecked
  const uint8_t* dataEnd;    // one past the last readable byte (null when trusted)
  tts::ExcitationStore* excitationStore;  // decoded residual blocks (may be null)
  tts::PhraseSynth* spareSynth;  // a released synthesiser block kept for the next phrase
};

namespace tts {

// Binds a version-6 block. size 0: trust the header. Otherwise refuse a block
// whose tables, codec header or unit records fall outside `size` bytes.
PhraseVoice* voiceBind(const void* database, size_t size, int32_t mode);
int32_t voiceRelease(PhraseVoice* voice);  // 0, or -10 for null

}  // namespace tts
