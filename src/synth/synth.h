// The synthesiser's three entries, installed in every PhraseVoice by binding.
#pragma once
#include "synth/voice.h"

namespace tts {

// Builds the per-phrase synthesiser from the unit targets; raises *bufferSamples
// to the output buffer the driver must allocate. Null for bad input or no memory.
PhraseSynth* synthInit(PhraseVoice* voice, const uint8_t* phones, const uint8_t* prominence,
                       const uint8_t* durations, const int32_t* targets, int32_t count, int32_t* bufferSamples);
// Writes the next phone (or a pause) into `samples`: samples written, or -1 at the end.
int32_t synthGenerate(PhraseSynth* synth, int16_t* samples, const SynthControl* control);
// Keeps the block in its voice for the next synthInit (one spare per voice),
// or frees it. The voice must still be bound.
void synthRelease(PhraseSynth* synth);
// Frees the voice's spare block; voiceRelease calls it.
void synthDropSpare(PhraseVoice* voice);

}  // namespace tts
