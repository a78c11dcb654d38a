// WordList: the entries of one chunk (words and break marks) with their break
// levels, syllable estimates and word classes, and the phrase cursors of
// stage 2. It lives inside the handle; its arrays come from the work arena.
#pragma once
#include <cstdint>

namespace tts {

constexpr int32_t kMaxEntries = 128;        // the fill stops after the entry that reaches it
constexpr int32_t kEntryTextUnits = 21;     // UTF-16 units reserved per counted entry
constexpr int32_t kEntryMaxLength = 20;     // longest entry text, units

// The host text an entry was read from: UTF-16 units of the chunk. Every word
// written for a token (or a group of tokens read together, such as an amount
// with its currency) carries the span of those tokens; a suffix joined by an
// apostrophe belongs to the word before it. start -1: no source (length 0).
struct SourceSpan {
  int32_t start;
  int32_t length;
};

// Break levels of entries.
enum BreakLevel : int32_t {
  kBreakNone = 0,
  kBreakPredicted = 1,
  kBreakMinor = 2,     // "|" or end of text
  kBreakComma = 3,     // ',' or ';'
  kBreakSentence = 4,  // '.', '!', ':' or '?'
};

// Stage-2 cursor slots.
enum PhraseCursor : int32_t {
  kCursorSentenceStart = 0,
  kCursorSentenceEnd,
  kCursorSentenceSyllables,
  kCursorSubPhrase,
  kCursorSyllablesUsed,
  kCursorPosition,
  kCursorPhraseLength,
  kCursorSentenceFinalCount,
  kCursorSentenceNumber,
  kCursorCount,
};

struct WordList {
  int32_t textMode;
  char16_t* textBuffer;   // kEntryTextUnits units per counted entry
  char16_t** entries;     // entry i's NUL-terminated text
  int32_t count;
  int32_t* breakLevel;
  int32_t* syllables;
  int32_t* wordClass;     // 3 "punc", 2 "content", 1 other
  int32_t cursors[kCursorCount];
  SourceSpan* spans;      // per entry, when the driver asked for them (else null)
};

}  // namespace tts
