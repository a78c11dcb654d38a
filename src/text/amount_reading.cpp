// Percentages and money amounts, one reading for every language over its
// word tables.
#include "text/ascii_case.h"
#include "text/text_language.h"

namespace tts {

namespace {

constexpr int32_t kScratchPiece = 64;  // currency text or amount, NUL included

// True when " " + word + " " stands in `list`.
bool listHas(const char16_t* list, const char16_t* word) {
  const int32_t n = wstrLength(word);
  if (list == nullptr || n == 0) return false;
  for (const char16_t* p = list; *p != 0; ++p) {
    if (*p != u' ') continue;
    int32_t i = 0;
    while (i < n && p[1 + i] == word[i]) ++i;
    if (i == n && p[1 + n] == u' ') return true;
  }
  return false;
}

}  // namespace

int32_t sayPercent(TextWriter* w, const Verbalisers& say, const PercentWords& words, const char16_t* number) {
  const int32_t start = w->length;
  if (words.before != nullptr && words.before[0] != 0) {
    writerPuts(w, words.before);
    writerPut(w, u' ');
  }
  say.sayCardinal(w, number, 0);
  if (words.after != nullptr && words.after[0] != 0) {
    writerPut(w, u' ');
    writerPuts(w, words.after);
  }
  return w->length - start;
}

int32_t sayMoney(TextWriter* w, const Verbalisers& say, const MoneyWords& words, const char16_t* number,
                 const char16_t* currency, bool closingComma) {
  const int32_t start = w->length;
  char16_t text[kScratchPiece];
  const int32_t n = lowerAsciiInto(currency, text, kScratchPiece);
  const QuantityWords* known = nullptr;
  if (n == 0 && words.fallback >= 0 && words.fallback < words.count) known = &words.currencies[words.fallback];
  for (int32_t i = 0; known == nullptr && i < words.count; ++i) {
    if (listHas(words.currencies[i].written, text)) known = &words.currencies[i];
  }
  if (known == nullptr) {
    say.sayCardinal(w, number, 0);
    if (n > 0) {
      writerPut(w, u' ');
      writerPuts(w, text);
    }
  } else {
    char16_t amount[kScratchPiece];
    int32_t m = 0, comma = -1;
    bool zeroDecimals = true;
    for (; number != nullptr && number[m] != 0 && m < kScratchPiece - 1; ++m) {
      amount[m] = number[m];
      if (number[m] == u',' && comma < 0) comma = m;
      else if (comma >= 0 && number[m] != u'0') zeroDecimals = false;
    }
    amount[m] = 0;
    if (words.dropZeroDecimals && comma >= 0 && zeroDecimals) amount[comma] = 0;
    if (known->before != nullptr) {
      writerPuts(w, known->before);
      writerPut(w, u' ');
    }
    say.sayCardinal(w, amount, known->agreement);
    const char16_t* noun = known->forms[words.countForm(amount) & 3];
    if (noun != nullptr && noun[0] != 0) {
      writerPut(w, u' ');
      writerPuts(w, noun);
    }
  }
  if (closingComma) writerPut(w, u',');
  return w->length - start;
}

}  // namespace tts
