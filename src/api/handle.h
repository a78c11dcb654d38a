// Internal operations on a handle shared by the exported functions.
#pragma once
#include "api/tts_file.h"

namespace tts {

// Abandons the current chunk: word list, synthesiser, arena and phrase
// relations; leaves the handle idle. The sample buffer and the model pool stay
// for the next chunk.
void handleReset(TTSFile* file);
// Destroys the four phrase relations and returns the arena to arenaMark.
void endPhraseCycle(TTSFile* file);

// Output format codes and their rates.
int32_t formatToRate(int32_t format);  // 0 for an unknown code or 0xFF10
int32_t rateToFormat(int32_t rate);    // 0 for a rate without a code
constexpr int32_t kFormatKeep = TTS_FORMAT_KEEP;

}  // namespace tts
