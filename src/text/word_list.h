// WordList: the entries of one chunk (words and break marks) with their break
// levels, syllable estimates and word classes, and the phrase cursors of
// stage 2. It lives inside the handle; its arrays come from the work arena.
#pragma once
#include <cstdint>

namespace tts {

// Capacity of one pass. A chunk with more entries than one pass holds is
// spoken in further passes: each pass fills the word list again from where the
// last one stopped (ending, where it can, after a break mark in its second
// half), so no word of the normalised text is dropped.
constexpr int32_t kMaxEntries = 128;        // a pass stops after the entry that reaches it
constexpr int32_t kEntryTextUnits = 21;     // UTF-16 units reserved per counted entry (on average)
constexpr int32_t kPassTextUnits = kMaxEntries * kEntryTextUnits;  // text storage of one pass at most
// Longest entry text, units; a longer word is split into entries of this
// length, all spoken.
constexpr int32_t kEntryMaxLength = 32;

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
  SourceSpan* spans;      // per entry of the pass, when spans were asked for (else null)
  // Passes over a long chunk: its normalised text (heap, owned by the handle,
  // freed with std::free), the host text each of its units came from (heap,
  // only when spans are asked for) and the position where the next pass starts.
  char16_t* passText;
  SourceSpan* passSpans;
  int32_t passPosition;
};

}  // namespace tts
