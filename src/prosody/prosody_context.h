// What the prosody stages need beyond their relations: the deliverable's
// phone set, language data, word classifier and lexicon calls. The stage
// functions build it from kLanguage; tests build it from any language's data.
#pragma once
#include <cstdint>
#include "prosody/prosody_language.h"

namespace tts {

struct PhoneSet;

using LexIdFn = int32_t (*)(void* lexicon, uint16_t languageCode, uint16_t reserved);
using PronStringFn = int32_t (*)(void* lexicon, uint16_t lexId, const char16_t* word, char* out, int32_t a,
                                 int32_t b, int32_t c);

struct ProsodyContext {
  const PhoneSet* phoneset;
  const ProsodyLanguage* language;
  const char* (*classifyWord)(const char16_t* word);  // "gpos"; null: "content" for every non-empty word
  uint16_t lexiconCode;                               // 4 es, 15 pl, 17 tr
  LexIdFn getLexId;                                   // LexMgr_GetLexID
  PronStringFn getPronString;                         // LexMgr_GetPronString
};

// The context of this deliverable (kLanguage with the Corvum entry points).
ProsodyContext deliverableProsodyContext();

}  // namespace tts
