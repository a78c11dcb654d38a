// Pattern recognisers: each looks at the token at position d and the tokens
// after it, and either claims a group of tokens as one text form (date, time,
// e-mail domain, web address, percentage, money amount) or declines with 0.
// What a recogniser claims it leaves in the scratch strings.
#pragma once
#include <cstdint>
#include "text/tokeniser.h"

namespace tts {

constexpr int32_t kScratchUnits = 33;      // first..fourth scratch strings, NUL included
constexpr int32_t kLongScratchUnits = 253;  // long scratch, NUL included
constexpr int32_t kLabelRunLimit = 64;      // a label run stops growing before this length
constexpr int32_t kDomainLimit = 252;       // a domain stops before passing this length

// Every token of a chunk (the arrays are sized by a counting pass).
struct TokenTable {
  int32_t count;
  int32_t* tokenClass;
  const char16_t** text;
};

// Recogniser results. date: first year, second month, third day; time: first
// hour, second minutes, third "AM"/"PM"/empty; percentage: first number; money:
// first number, second currency text; e-mail and web: longText.
struct Scratch {
  char16_t first[kScratchUnits];
  char16_t second[kScratchUnits];
  char16_t third[kScratchUnits];
  char16_t fourth[kScratchUnits];
  char16_t longText[kLongScratchUnits];
};

void clearScratch(Scratch* s);  // first to fourth only

// Token i is the one-character text c.
inline bool isText(const TokenTable* t, int32_t i, char16_t c) {
  const char16_t* x = t->text[i];
  return x[0] == c && x[1] == 0;
}
// Token i has any of the TokenClass bits.
inline bool has(const TokenTable* t, int32_t i, int32_t bits) { return (t->tokenClass[i] & bits) != 0; }

// Every recogniser:
//   t  in: token table (count, classes, texts of at most 32 units)
//   d  in: position of the first token looked at, 0 <= d < t->count
//   s  out: the scratch strings of its form (written before it claims)
// Returns the number of tokens claimed, 0 for no match. Tokens past
// t->count are never looked at.

int32_t matchDateSlash(const TokenTable* t, int32_t d, Scratch* s);
int32_t matchDateDash(const TokenTable* t, int32_t d, Scratch* s);
int32_t matchDateDot(const TokenTable* t, int32_t d, Scratch* s);   // Roman months too
int32_t matchTimeColon(const TokenTable* t, int32_t d, Scratch* s);
int32_t matchTimeDot(const TokenTable* t, int32_t d, Scratch* s);
int32_t matchTimeH(const TokenTable* t, int32_t d, Scratch* s);
int32_t matchMeridiem(const TokenTable* t, int32_t d, Scratch* s);
int32_t matchPercent(const TokenTable* t, int32_t d, Scratch* s);
int32_t matchCurrencyAmount(const TokenTable* t, int32_t d, Scratch* s);
int32_t matchAmountWord(const TokenTable* t, int32_t e, Scratch* s);
int32_t matchAmountUnit(const TokenTable* t, int32_t e, Scratch* s);
int32_t matchEmailDomain(const TokenTable* t, int32_t d, Scratch* s);
int32_t matchWebAddress(const TokenTable* t, int32_t d, Scratch* s);

}  // namespace tts
