// The word classifier ("gpos"): "" for an empty word, "punc" for a single
// punctuation character, "in" for Polish function words, else "content".
#pragma once

namespace tts {

const char* classifyWordDefault(const char16_t* word);  // Spanish, Turkish
const char* classifyWordPolish(const char16_t* word);

}  // namespace tts
