// Stages 0 and 1: the entries of a chunk (words and break marks) and their
// syllable estimates, word classes and break levels.
#pragma once
#include <cstdint>
#include "model/arena.h"
#include "text/text_language.h"
#include "text/word_list.h"

namespace tts {

using WordClassifier = const char* (*)(const char16_t* word);  // "punc", "content", ...

// Stage 0 of the deliverable (kLanguage.text): one pass of the word list.
//   words  in/out: pass state; receives the entries (from `arena`), count and text mode
//   text   in: a new chunk (normalised into words->passText), or null for the next pass
//   reading in: kReadingLiteral or kReadingEveryday (read with a new chunk)
//   withSpans in: keep each entry's host text in words->spans (read with a new chunk)
// Returns the entries of the pass (0: none left), or kStageNoMemory.
int32_t buildWordList(WordList* words, const char16_t* text, int32_t textMode, int32_t reading, bool withSpans,
                      WorkArena* arena);
int32_t buildWordListPassFor(const TextLanguage* lang, WordList* words, const char16_t* text, int32_t textMode,
                             int32_t reading, bool withSpans, WorkArena* arena);
// True when the chunk's normalised text holds words after the current pass.
bool wordListHasMorePasses(const WordList* words);
// Stage 1 of the deliverable (kLanguage.text, kLanguage.classifyWord). 0 or kStageNoMemory.
int32_t analyseWordList(WordList* words, WorkArena* arena);

// The first pass of a chunk in two calls, with an explicit language.
//   entries   in/out: null to count; else `capacity` pointers, entries[0] at capacity * 21 units
// Returns an upper bound of the entries (counting) or the entries filled.
//   spans     out (optional): `capacity` source spans, one per entry filled
int32_t buildWordListFor(const TextLanguage* lang, const char16_t* text, int32_t textMode, char16_t** entries,
                         int32_t capacity, int32_t reading = kReadingLiteral, SourceSpan* spans = nullptr);
int32_t analyseWordListFor(const TextLanguage* lang, WordClassifier classify, WordList* words,
                           WorkArena* arena);

int32_t countVowelGroups(const TextLanguage* lang, const char16_t* text);
// Break prediction over one window.
//   wordClass  in: n classes (1..3); syllables in: n estimates; breakLevel out: n values
void predictBreaks(const TextLanguage* lang, const int32_t* wordClass, const int32_t* syllables, int32_t n,
                   int32_t* breakLevel);

}  // namespace tts
