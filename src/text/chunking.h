// Input chunking: where the next speakable chunk of host text starts and ends.
#pragma once
#include <cstdint>
#include "text/text_language.h"

namespace tts {

// Skip (-k), chunk length (n >= 1) or 0 for an empty text; -10 for null text.
// '°', 'º' and 'ª' stay inside a chunk (the everyday reading reads them).
int32_t legalChunkLength(const TextLanguage* lang, const char16_t* text);

}  // namespace tts
