// Digit-by-digit reading with a language's digit words.
#include "text/text_language.h"

namespace tts {

int32_t writeDigitsMarked(TextWriter* w, const char16_t* text, const char16_t* const units[10]) {
  const int32_t start = w->length;
  for (const char16_t* p = text; p != nullptr && *p != 0; ++p) {
    if (!isAsciiDigit(*p)) continue;
    writerPut(w, u' ');
    writerPuts(w, units[*p - u'0']);
    writerPut(w, u'|');
  }
  return w->length - start;
}

int32_t writeDigitsSpaced(TextWriter* w, const char16_t* text, const char16_t* const units[10],
                          const char16_t* dotWord) {
  const int32_t start = w->length;
  for (const char16_t* p = text; p != nullptr && *p != 0; ++p) {
    const char16_t* word = isAsciiDigit(*p) ? units[*p - u'0'] : *p == u'.' ? dotWord : nullptr;
    if (word == nullptr) continue;
    if (w->length > start) writerPut(w, u' ');
    writerPuts(w, word);
  }
  return w->length - start;
}

}  // namespace tts
