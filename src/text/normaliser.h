// Text normalisation: tokenises a chunk, lets the language's recognisers claim
// dates, times, addresses, percentages, money and numbers, has its verbalisers
// write them as words, and writes everything else through.
#pragma once
#include <cstdint>
#include "text/text_language.h"
#include "text/word_list.h"

namespace tts {

// Normalised text of `text` under `textMode`.
//   out       out: the text, NUL-terminated, or null for the length-only pass
//   capacity  in: units of `out` (NUL included); nothing is stored past it
// Returns the length of the normalised text (the same in both passes; the
// writing pass stores at most capacity - 1 units of it), or 0 when the heap
// refuses the working storage.
// `reading`: kReadingLiteral or kReadingEveryday (any other value reads literally).
int32_t normaliseText(const TextLanguage* lang, const char16_t* text, int32_t textMode, char16_t* out,
                      int32_t capacity, int32_t reading = kReadingLiteral);

// The same, recording for every unit written the host text it was read from.
//   spans  out: `capacity` spans parallel to `out` (null: none recorded)
int32_t normaliseTextWithSpans(const TextLanguage* lang, const char16_t* text, int32_t textMode, char16_t* out,
                               SourceSpan* spans, int32_t capacity, int32_t reading = kReadingLiteral);

}  // namespace tts
