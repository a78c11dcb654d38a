// Voice blocks and a prepared engine handle for the fuzz targets. The voices
// hold units for phones of the linked deliverable's phone set, built with the
// synthesiser tests' unit maker (Speex-coded residual for non-sonorant pairs).
#pragma once
#include <cstdint>
#include <vector>

#include "tts_engine.h"

namespace voxa_fuzz {

// Every ordered phone pair of the deliverable, two periods per half; built once.
const std::vector<uint8_t>& fullPairVoice();

// A small voice: every ordered pair among `phones` phones (silence and the
// phones of a short Spanish sentence first; at least two), `periodsPerHalf` periods of `periodLength` samples.
std::vector<uint8_t> smallVoice(int32_t phones, int32_t voiceRate, int32_t f0Mean, uint8_t periodLength,
                                uint8_t periodsPerHalf, bool residualEverywhere);

// The lexicon handle for the deliverable's language, opened once per process.
void* sharedLexicon();

// Speaks `text` as one chunk: the call with text, then continuation calls
// until a negative result or `maxCalls`. Returns the last result.
int32_t speakChunk(TTSFile* handle, const char16_t* text, int32_t mode, SampleCallback callback, intptr_t user,
                   int32_t maxCalls = 1 << 22);

}  // namespace voxa_fuzz
