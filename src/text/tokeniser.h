// Tokeniser of host text: number tokens, single symbol characters and letter
// runs, each with its TokenClass bits.
#pragma once
#include <cstdint>
#include "text/text_language.h"

namespace tts {

constexpr int32_t kMaxNumberLength = 31;   // a number token ends after its 31st character
// A letter run longer than this is cut into several word tokens of at most
// this many letters each; every piece is spoken.
constexpr int32_t kMaxWordLength = 32;
constexpr int32_t kTokenTextUnits = 33;    // longest token text ('-' + 31 characters) plus NUL

// Reading-dependent rules of the tokeniser.
struct TokenRules {
  char16_t decimalMark;
  char16_t thousandsMark;
  bool everyday;  // ordinal indicators after numbers ("1.º"), "°C" as one word
};

// Reads the token that starts at or after `position` of `text`.
//   text      in: NUL-terminated host text
//   position  in: index to start from
//   token     out: token text, NUL-terminated, kTokenTextUnits units
//   tokenClass out: TokenClass bits
//   rules     in: null for the literal reading's rules of `lang`
//   tokenStart out (optional): index of the token's first character ('-' or '#' included)
// Returns the index after the token, or -1 when no token is left.
int32_t nextToken(const TextLanguage* lang, const char16_t* text, int32_t position, char16_t* token,
                  int32_t* tokenClass, const TokenRules* rules = nullptr, int32_t* tokenStart = nullptr);

// Number from the digit at `start`; `token` gets kTokenTextUnits units, thousands
// marks removed. Returns the index after the number.
int32_t scanNumber(const TextLanguage* lang, const char16_t* text, int32_t start, char16_t* token,
                   int32_t* tokenClass);
// The same with explicit marks.
int32_t scanNumberWith(char16_t decimalMark, char16_t thousandsMark, const char16_t* text, int32_t start,
                       char16_t* token, int32_t* tokenClass);

// Letter run from the letter at `start`, at most kMaxWordLength letters.
// Returns the index after the letters taken (the rest of a longer run starts the next token).
int32_t scanWord(const TextLanguage* lang, const char16_t* text, int32_t start, char16_t* token);

// 384 word, 480 currency word, 448 unit word.
int32_t classifyToken(const TextLanguage* lang, const char16_t* word);

bool isSymbolChar(char16_t c);

}  // namespace tts
