// Reports a handle's intermediate results to its inspector, if it has one.
#pragma once
#include "api/tts_file.h"

namespace tts {

void inspectNormalisedText(const TTSFile* file, const char16_t* text, int32_t textMode);  // after stage 0
void inspectWordList(const TTSFile* file);  // after stage 1
void inspectPhrase(const TTSFile* file);    // after stage 4

}  // namespace tts
