// The per-deliverable language table. Common code is compiled once; each
// deliverable (engine_es, engine_pl, engine_tr) links exactly one definition
// of kLanguage (src/api/deliverable_*.cpp), which selects its data and its
// language functions. It lives at the lowest layer so that text, prosody and
// synth read it without including anything above themselves.
#pragma once
#include <cstdint>
#include "model/arena.h"
#include "model/cart.h"
#include "model/relation.h"

namespace tts {

struct PhoneSet;
struct WordList;         // text/word_list.h
struct SourceSpan;       // text/word_list.h
struct TextLanguage;     // text/text_language.h
struct ProsodyLanguage;  // prosody/prosody_language.h

// A stage function's answer when the work arena or the heap ran out: the
// driver abandons the chunk with a full reset and -4.
constexpr int32_t kStageNoMemory = -4;

// The work of the driver's stages. A null entry does nothing and the driver
// moves on.
struct StageFunctions {
  // Stage 0, one pass: `text` starts a chunk, null asks for its next pass.
  // Fills the word's entries (storage from the arena) and returns their
  // number: 0 when no entry is left, or kStageNoMemory. With a new chunk:
  // `reading` is the handle's TTSC_SET_READING value, and `withSpans` keeps
  // each entry's source text in words->spans.
  int32_t (*buildWordList)(WordList* words, const char16_t* text, int32_t textMode, int32_t reading, bool withSpans,
                           WorkArena* arena);
  // Stage 1: syllables, word classes, break levels, cursors. 0 or kStageNoMemory.
  int32_t (*analyseWordList)(WordList* words, WorkArena* arena);
  // Stage 2: appends one "Phrase" item with its "Word" items. 0 or kStageNoMemory.
  int32_t (*cutPhrase)(WordList* words, Relation* phrases, Relation* wordItems);
  // Stage 3: pronunciation of one word. Segments made (>= 0) or kStageNoMemory.
  // `pron`, `phones`, `stress` are 256-byte buffers.
  int32_t (*pronounceWord)(void* lexicon, Item* word, Relation* syllables, Relation* segments, char* pron,
                           uint8_t* phones, uint8_t* stress);
  // Stage 4: prosody of the phrase and the unit-target arrays (`capacity`
  // entries each; targets holds 4 per entry). Unit targets written, or kStageNoMemory.
  int32_t (*buildTargets)(Relation* phrases, uint8_t* phones, uint8_t* prominence, uint8_t* durations,
                          uint8_t* boundaries, int32_t* targets, int32_t capacity);
};

struct Language {
  uint16_t lexiconCode;          // 4 es, 15 pl, 17 tr
  int32_t identifier;            // TTSC_GET_LANGUAGE: 7 es, 19 pl, 21 tr
  int32_t baseDurationStretch;   // Q8: 256 es, 307 pl, 192 tr
  const PhoneSet* phoneset;
  const Cart* accentTree;        // "int_cart_accents" (null until built)
  const Cart* toneTree;          // "int_cart_tones"
  const Cart* durationTree;      // "dur_cart"
  // Word classifier ("gpos"): "", "punc", "in" (Polish only) or "content".
  const char* (*classifyWord)(const char16_t* word);
  const TextLanguage* text;
  const ProsodyLanguage* prosody;
  StageFunctions stages;
};

extern const Language kLanguage;

}  // namespace tts
