// Stage 3: one word's pronunciation, syllables and segments.
#pragma once
#include <cstdint>
#include "model/relation.h"
#include "prosody/prosody_context.h"

namespace tts {

constexpr int32_t kMaxWordPhones = 256;  // phone-id and stress buffers, bytes

// One syllable of a word: phones [start, start + length) of the word's buffers.
struct SyllableSpan {
  int32_t start;
  int32_t length;
  int32_t onset;     // phones before the vowel
  bool wordFinal;    // marked as word-final ("syl_break" 1)
};

// Parses a pronunciation string (symbols separated by runs of space, tab,
// newline and '-'; an optional trailing stress digit) into phone ids and stress
// marks, running the language's per-phone hook. Reads at most 255 bytes of
// `pron` (the buffer is cut there) and stores at most kMaxWordPhones phones.
//   pron: in, NUL-terminated 8-bit string; phones, stress: out, kMaxWordPhones each.
// Returns the number of phones stored.
int32_t parsePronunciation(const ProsodyContext& ctx, const char* pron, uint8_t* phones, uint8_t* stress);

// Sonority class of a phone: 5 vowel or silence, 4 liquid/glide, 3 nasal,
// 2 other voiced, 1 otherwise.
int32_t phoneSonority(const ProsodyContext& ctx, int32_t id);

// Divides phones [0, n) into syllables by the sonority rule.
//   phones: in, n ids; spans: out, room for n + 1 entries.
// Returns the number of syllables.
int32_t syllabify(const ProsodyContext& ctx, const uint8_t* phones, int32_t n, SyllableSpan* spans);

// The stage-3 step for one word item, with explicit context and lexicon.
//   pron, phones, stress: scratch buffers of 256 bytes each.
// Returns the number of phones parsed (1 for a lexicon failure), or kStageNoMemory.
int32_t pronounceWordWith(const ProsodyContext& ctx, void* lexicon, Item* word, Relation* syllables,
                          Relation* segments, char* pron, uint8_t* phones, uint8_t* stress);

// Stage function of the deliverables (kLanguage and Corvum).
int32_t pronounceWord(void* lexicon, Item* word, Relation* syllables, Relation* segments, char* pron,
                      uint8_t* phones, uint8_t* stress);

}  // namespace tts
