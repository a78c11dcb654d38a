// TTSFileGetLegalLen_I: the host's chunking of its text. A chunk ends before
// the first unit the deliverable cannot speak and is at most the language's
// limit long; a chunk that reaches the limit is cut back to a sentence end, a
// punctuation mark or a space in its second half.
#include "model/language.h"
#include "text/chunking.h"
#include "text/text_language.h"
#include "tts_engine.h"

namespace tts {

namespace {

bool isCurrencySign(char16_t c) { return c == 0x24 || c == 0xA3 || c == 0xA5 || c == 0x20AC; }

bool isInnerPunctuation(char16_t c) {
  switch (c) {
    case u' ': case u'!': case u'"': case u'%': case u'&': case u'\'': case u'(': case u')':
    case u',': case u'-': case u'.': case u'/': case u':': case u';': case u'?': case u'@':
      return true;
    default:
      return false;
  }
}

bool isSpeakable(const TextLanguage* lang, char16_t c) {
  return isLanguageLetter(lang, c) || isAsciiDigit(c) || isCurrencySign(c);
}

bool isSentenceEnd(char16_t c) { return c == u'!' || c == u'.' || c == u':' || c == u'?'; }

// Marks that stay inside a chunk so that the everyday reading can read them:
// degrees (°C) and the Spanish ordinal indicators º and ª. The literal
// reading passes over them as before.
bool isNumberMark(char16_t c) { return c == 0xB0 || c == 0xBA || c == 0xAA; }

static_assert(kReadingLiteral == TTS_READING_LITERAL && kReadingEveryday == TTS_READING_EVERYDAY,
              "reading codes");

}  // namespace

int32_t legalChunkLength(const TextLanguage* lang, const char16_t* text) {
  if (lang == nullptr || text == nullptr) return TTS_ERR_ARGUMENT;
  const int32_t limit = lang->chunkLimit;
  int32_t n = 0;
  while (n < limit && text[n] != 0) ++n;
  int32_t first = 0;
  // A minus sign directly before a digit starts the chunk: "-4" is not "4".
  while (first < n && !isSpeakable(lang, text[first]) && !(text[first] == u'-' && isAsciiDigit(text[first + 1]))) {
    ++first;
  }
  if (first > 0 || n == 0) return -first;
  int32_t i = 1;
  while (i < n && (isSpeakable(lang, text[i]) || isInnerPunctuation(text[i]) || isNumberMark(text[i]))) ++i;
  if (i < limit) return i;
  // `limit` allowed units in a row: back off to the best break in the second half.
  for (int32_t breakClass = 0; breakClass < 3; ++breakClass) {
    for (int32_t p = limit - 1; p >= lang->chunkFloor; --p) {
      const char16_t c = text[p];
      const bool hit = breakClass == 0   ? isSentenceEnd(c)
                       : breakClass == 1 ? (c != u' ' && isInnerPunctuation(c))
                                         : c == u' ';
      if (hit) return p + 1;
    }
  }
  return limit;
}

}  // namespace tts

extern "C" TTS_API int32_t TTSFileGetLegalLen_I(TTSFile* handle, const TTSChar16* text) {
  if (handle == nullptr || text == nullptr) return TTS_ERR_ARGUMENT;
  return tts::legalChunkLength(tts::kLanguage.text, text);
}
