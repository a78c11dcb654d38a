// Placeholder lexicon entry points until the real component lands: every
// language is served, no word has a pronunciation.
#include <cstdlib>
#include <new>
#include "corvum.h"

struct CorvumLexicon {
  uint16_t language;
};

extern "C" {

CorvumLexicon* LexMgr_Open(uint16_t languageCode) {
  if (languageCode != CORVUM_LANG_ALL && languageCode != CORVUM_LANG_SPANISH &&
      languageCode != CORVUM_LANG_POLISH && languageCode != CORVUM_LANG_TURKISH)
    return nullptr;
  auto* lex = static_cast<CorvumLexicon*>(std::calloc(1, sizeof(CorvumLexicon)));
  if (lex) lex->language = languageCode;
  return lex;
}

int32_t LexMgr_LoadUserDictionary(CorvumLexicon*, uint16_t, const char*, CorvumReport, void*) { return -1; }

void LexMgr_Close(CorvumLexicon* lexicon) { std::free(lexicon); }

int32_t LexMgr_GetLexID(void* lexicon, uint16_t languageCode, uint16_t) {
  auto* lex = static_cast<CorvumLexicon*>(lexicon);
  if (!lex) return -1;
  if (lex->language != CORVUM_LANG_ALL && lex->language != languageCode) return -1;
  if (languageCode != CORVUM_LANG_SPANISH && languageCode != CORVUM_LANG_POLISH &&
      languageCode != CORVUM_LANG_TURKISH)
    return -1;
  return languageCode;
}

int32_t LexMgr_GetPronString(void*, uint16_t, const CorvumChar16*, char* out, int32_t, int32_t, int32_t) {
  if (out) out[0] = '\0';
  return 0;
}

}  // extern "C"
