// The synthesiser's three entries: set-up per phrase, one phone (or a pause)
// per call, release.
#include "synth/synth.h"

#include <cstdlib>
#include <cstring>

#include "model/language.h"
#include "synth/output_stage.h"
#include "synth/phrase_synth.h"

namespace tts {

namespace {
constexpr int32_t kMinVoiceRate = 1000;    // Hz; lower rates give no 10 ms period
constexpr int32_t kMaxVoiceRate = 96000;   // Hz; bounds the one-second excitation buffer
constexpr int64_t kMaxBufferSamples = 1 << 24;

// Output buffer in samples, all at the voice rate (the synthesiser writes
// nothing else): room for the requested pause, at least the longest phone,
// plus one level-control block held back.
int32_t bufferSize(const PhraseVoice* voice, int32_t requested) {
  int64_t size = requested > 0 ? requested : 0;
  const int64_t speech = (1050 * static_cast<int64_t>(voice->voiceRate)) >> 10;
  if (size < speech) size = speech;
  size += 128;
  return static_cast<int32_t>(size < kMaxBufferSamples ? size : kMaxBufferSamples);
}
// The handle's duration stretch against the language's base, Q8; 256 without a handle.
int32_t lengthScale_Q8(const PhraseVoice* voice) {
  const int32_t base = kLanguage.baseDurationStretch;
  if (!voice->settings || base <= 0) return 256;
  const int64_t scale = static_cast<int64_t>(voice->settings->durationStretch_Q8) * 256 / base;
  return scale < 1 ? 1 : (scale > 4096 ? 4096 : static_cast<int32_t>(scale));
}
}  // namespace

PhraseSynth* synthInit(PhraseVoice* voice, const uint8_t* phones, const uint8_t* prominence,
                       const uint8_t* durations, const int32_t* targets, int32_t count, int32_t* bufferSamples) {
  (void)prominence;
  if (!voice || !phones || !durations || !targets || !bufferSamples || count <= 0) return nullptr;
  if (voice->voiceRate < kMinVoiceRate || voice->voiceRate > kMaxVoiceRate) return nullptr;
  CodecInfo codec;
  if (!readCodecHeader(voice, &codec)) return nullptr;

  const size_t excitationBytes = sizeof(int16_t) * static_cast<size_t>(voice->voiceRate);
  void* block = nullptr;
  if (voice->spareSynth && voice->spareSynth->excitationCapacity == voice->voiceRate) {
    block = voice->spareSynth;
    voice->spareSynth = nullptr;
    std::memset(block, 0, sizeof(PhraseSynth) + excitationBytes);
  } else {
    synthDropSpare(voice);
    block = std::calloc(1, sizeof(PhraseSynth) + excitationBytes);
  }
  if (!block) return nullptr;
  PhraseSynth* synth = static_cast<PhraseSynth*>(block);
  synth->voice = voice;
  synth->phones = phones;
  synth->durations = durations;
  synth->pitch = targets;
  synth->count = count;
  synth->lengthScale_Q8 = lengthScale_Q8(voice);
  synth->segment = 0;
  synth->codec = codec;
  synth->excitation = reinterpret_cast<int16_t*>(static_cast<uint8_t*>(block) + sizeof(PhraseSynth));
  synth->excitationCapacity = voice->voiceRate;
  synthReset(synth);
  *bufferSamples = bufferSize(voice, *bufferSamples);
  synth->outputCapacity = *bufferSamples;
  return synth;
}

int32_t synthGenerate(PhraseSynth* synth, int16_t* samples, const SynthControl* control) {
  if (!synth || !samples || !control) return -1;
  if (control->mode != 0 && synth->segment >= synth->count - 1) return -1;

  std::memcpy(samples, synth->held, sizeof(int16_t) * synth->heldCount);
  int32_t total = synth->heldCount;
  synth->heldCount = 0;
  const int32_t capacity = synth->outputCapacity;

  if (control->mode == 0) {
    const int64_t z = static_cast<int64_t>(synth->voice->voiceRate) * control->pauseLength;
    if (z >= 1024) {
      int64_t zeros = z >> 10;
      if (zeros > capacity - total) zeros = capacity - total;
      std::memset(samples + total, 0, sizeof(int16_t) * static_cast<size_t>(zeros));
      total += static_cast<int32_t>(zeros);
    }
    return total;
  }

  const int32_t segment = synth->segment;
  const int32_t phone = synth->phones[segment];
  const bool beforeSilence = synth->phones[segment + 1] == 0;
  const int32_t fresh = renderPhone(synth, samples + total, capacity - total, control->usePostFilter);
  if (phone != 0) {
    if (control->useDeemphasis && control->useDcRemoval) {
      deemphasiseAndRemoveDc(synth, samples + total, fresh);
    } else {
      if (control->useDeemphasis) deemphasise(synth, samples + total, fresh);
      if (control->useDcRemoval) removeDc(synth, samples + total, fresh);
    }
  }
  total += fresh;

  int32_t result = total;
  if (control->useLevelControl) {
    int32_t done = 0;
    for (; done + kLevelBlock <= total; done += kLevelBlock) levelControlBlock(&synth->levelControl, samples + done, kLevelBlock);
    const int32_t rest = total - done;
    const bool lastPhone = segment + 1 >= synth->count - 1;
    if (rest > 0 && (beforeSilence || lastPhone)) {
      // The phone ends before a silence (whose reset would drop them) or ends
      // the speech: the partial block goes through the level control now.
      levelControlBlock(&synth->levelControl, samples + done, rest);
    } else if (rest > 0) {
      std::memcpy(synth->held, samples + done, sizeof(int16_t) * rest);
      synth->heldCount = rest;
      result = done;
    }
  }

  if (segment > 0 && synth->phones[segment - 1] == 0) fadeIn(samples, result);
  if (beforeSilence) {
    fadeOut(samples, result);
    synthReset(synth);
  }
  synth->segment = segment + 1;
  return result;
}

void synthRelease(PhraseSynth* synth) {
  if (!synth) return;
  PhraseVoice* voice = synth->voice;
  if (voice && !voice->spareSynth) {
    voice->spareSynth = synth;
    return;
  }
  std::free(synth);
}

void synthDropSpare(PhraseVoice* voice) {
  if (!voice) return;
  std::free(voice->spareSynth);
  voice->spareSynth = nullptr;
}

}  // namespace tts
