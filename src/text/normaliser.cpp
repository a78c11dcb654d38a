#include "text/normaliser.h"

#include <cstdlib>

#include "text/everyday.h"
#include "text/recognisers.h"
#include "text/tokeniser.h"

namespace tts {

namespace {

// Working storage of one normalisation, heap-allocated and freed before return.
struct NormaliseWork {
  TokenTable tokens;
  TokenContext gaps;
  Scratch scratch;
};

bool isApostrophe(char16_t c) { return c == u'\'' || c == u'\u2019'; }

// A suffix after an apostrophe ("Ankara'ya", "2023'te") belongs to the word
// before it: the apostrophe token and the suffix take the whole word's span.
// `end[i]` is the index after token i's last character; `joined` has room
// for one flag per token.
void joinApostropheWords(const char16_t* text, const TokenTable* t, const int32_t* end, SourceSpan* source,
                         bool* joined) {
  auto joinsPrevious = [&](int32_t i) {
    if (i <= 0) return false;
    const int32_t start = source[i].start;
    const bool word = (t->tokenClass[i] & TC_WORD) != 0;
    const bool apostropheToken = t->tokenClass[i] == TC_PUNCT && isApostrophe(text[start]);
    if (apostropheToken)  // "x'" followed directly by a word
      return start == end[i - 1] && i + 1 < t->count && (t->tokenClass[i + 1] & TC_WORD) != 0 &&
             source[i + 1].start == end[i];
    if (!word) return false;
    if (t->tokenClass[i - 1] == TC_PUNCT && isApostrophe(text[source[i - 1].start]))
      return start == end[i - 1] && i >= 2 && source[i - 1].start == end[i - 2];
    return start == end[i - 1] + 1 && isApostrophe(text[end[i - 1]]);  // a dropped typographic apostrophe
  };
  for (int32_t i = 0; i < t->count; ++i) joined[i] = joinsPrevious(i);
  for (int32_t i = 1; i < t->count; ++i)
    if (joined[i]) source[i].start = source[i - 1].start;
  for (int32_t i = 0; i < t->count; ++i) source[i].length = end[i] - source[i].start;
  for (int32_t i = t->count - 1; i > 0; --i)
    if (joined[i]) source[i - 1].length = source[i].length;
}

bool isBreakChar(char16_t c) { return c == u' ' || c == u',' || c == u'.' || c == u'?' || c == u'|'; }

// Tries one chain step at token d; writes the words and returns the tokens
// claimed. `ev`: the everyday reading, or null for the literal one.
int32_t runStep(const TextLanguage* lang, const EverydayReading* ev, const TokenContext* gaps, uint8_t step,
                const TokenTable* t, int32_t d, Scratch* s, TextWriter* w) {
  const Verbalisers& say = ev != nullptr ? ev->say : lang->say;
  int32_t k = 0;
  switch (step) {
    case kStepDateSlash:
    case kStepDateDash:
    case kStepDateDot:
      k = step == kStepDateSlash ? matchDateSlash(t, d, s)
          : step == kStepDateDash ? matchDateDash(t, d, s) : matchDateDot(t, d, s);
      if (k > 0) say.sayDate(w, s->third, s->second, s->first);
      if (k > 0 && ev != nullptr && writerLast(w) == u',') writerPop(w);  // flows into the next word
      return k;
    case kStepTimeH:
    case kStepTimeColon:
    case kStepTimeDot:
      k = step == kStepTimeH ? matchTimeH(t, d, s) : step == kStepTimeColon ? matchTimeColon(t, d, s)
                                                                            : matchTimeDot(t, d, s);
      if (k == 0 && step == kStepTimeDot && ev != nullptr) k = matchTimeDotBeforeStop(t, gaps, d, s);
      if (k > 0) say.sayTime(w, s->first, s->second, s->third);
      if (k > 0 && ev != nullptr && writerLast(w) == u',') writerPop(w);
      return k;
    case kStepEmailDomain:
      k = matchEmailDomain(t, d, s);
      if (k > 0) sayAddressEmail(w, s->longText, *lang->address);
      return k;
    case kStepWebAddress:
      k = matchWebAddress(t, d, s);
      if (k > 0) sayAddressWeb(w, s->longText, *lang->address);
      return k;
    case kStepPercent:
      k = matchPercent(t, d, s);
      if (k > 0) sayPercent(w, say, lang->percent, s->first);
      return k;
    case kStepCurrencyAmount:
    case kStepAmountUnit:
      k = step == kStepCurrencyAmount ? matchCurrencyAmount(t, d, s) : matchAmountUnit(t, d, s);
      if (k > 0) sayMoney(w, say, *lang->money, s->first, s->second, ev == nullptr);
      return k;
    case kStepDigitString:
      if ((t->tokenClass[d] & TC_DIGITS) == 0) return 0;
      if (ev != nullptr) {
        sayEverydayNumber(ev, t, d, w);  // no mark: the number flows into the next word
        return 1;
      }
      say.sayDigitString(w, t->text[d]);
      writerPut(w, u'|');
      return 1;
    case kStepOtherNumber:
      if ((t->tokenClass[d] & TC_NUMBER) == 0) return 0;
      if (ev != nullptr) {
        sayEverydayNumber(ev, t, d, w);
        return 1;
      }
      say.sayNumber(w, t->text[d], d + 1 < t->count ? t->text[d + 1] : nullptr);
      writerPut(w, u'|');
      return 1;
    default:
      return 0;
  }
}

// A symbol no recogniser claimed: a break mark replacing a trailing separator.
void writePunctuation(const TextLanguage* lang, const char16_t* token, TextWriter* w) {
  const char16_t c = token[0];
  if (w->length == 0 || c == u'-' || (c == u'_' && lang->silentUnderscore)) return;
  const char16_t mark = c == u'.' ? u'.' : c == u'?' ? u'?' : u',';
  if (isBreakChar(writerLast(w))) writerPop(w);
  writerPut(w, mark);
}

void writeCopy(const TextLanguage* lang, const char16_t* token, TextWriter* w) {
  for (const char16_t* p = token; *p != 0; ++p) {
    char16_t c = *p;
    if (lang->lowerOnCopy && c >= u'A' && c <= u'Z') c = char16_t(c + 32);
    writerPut(w, c);
  }
}

}  // namespace

int32_t normaliseText(const TextLanguage* lang, const char16_t* text, int32_t textMode, char16_t* out,
                      int32_t capacity, int32_t reading) {
  return normaliseTextWithSpans(lang, text, textMode, out, nullptr, capacity, reading);
}

int32_t normaliseTextWithSpans(const TextLanguage* lang, const char16_t* text, int32_t textMode, char16_t* out,
                               SourceSpan* spans, int32_t capacity, int32_t reading) {
  if (out != nullptr && capacity > 0) out[0] = 0;
  if (lang == nullptr || text == nullptr) return 0;
  const int32_t textUnits = wstrLength(text);
  // Every token text (with its NUL) is at most twice the host units it spans.
  const int64_t blockUnits = 2 * int64_t(textUnits) + kTokenTextUnits;
  if (blockUnits > 0x3FFFFFFF) return 0;
  const bool verbatim = textMode == 1 || textMode == 6;
  const bool fullChain = !verbatim && textMode != 2 && textMode != 3;
  const EverydayReading* ev = reading == kReadingEveryday && fullChain ? lang->everyday : nullptr;
  TokenRules rules = {lang->decimalMark, lang->thousandsMark, false};
  if (ev != nullptr) rules = {ev->decimalMark, ev->thousandsMark, true};

  // Every token is kept: a counting pass with the same rules sizes the token arrays.
  int32_t tokenCount = 0;
  char16_t token[kTokenTextUnits];
  for (int32_t position = 0;;) {
    int32_t cls = 0;
    position = nextToken(lang, text, position, token, &cls, &rules);
    if (position < 0) break;
    ++tokenCount;
  }
  auto* work = static_cast<NormaliseWork*>(std::malloc(sizeof(NormaliseWork)));
  auto* block = static_cast<char16_t*>(std::malloc(size_t(blockUnits) * sizeof(char16_t)));
  auto* classes = static_cast<int32_t*>(std::malloc(sizeof(int32_t) * size_t(tokenCount + 1)));
  auto* texts = static_cast<const char16_t**>(std::malloc(sizeof(char16_t*) * size_t(tokenCount + 1)));
  // Per token: whitespace flag, host start and end, source span, apostrophe join flag.
  const size_t perToken = sizeof(uint8_t) + 2 * sizeof(int32_t) + sizeof(SourceSpan) + sizeof(bool);
  auto* side = static_cast<unsigned char*>(std::malloc(perToken * size_t(tokenCount + 1)));
  if (work == nullptr || block == nullptr || classes == nullptr || texts == nullptr || side == nullptr) {
    std::free(work);
    std::free(block);
    std::free(classes);
    std::free(texts);
    std::free(side);
    return 0;
  }
  const size_t slots = size_t(tokenCount + 1);
  auto* source = reinterpret_cast<SourceSpan*>(side);  // host text of each token, widened to its apostrophe word
  work->gaps.sourceStart = reinterpret_cast<int32_t*>(side + sizeof(SourceSpan) * slots);
  work->gaps.sourceEnd = work->gaps.sourceStart + slots;
  work->gaps.spaceBefore = reinterpret_cast<uint8_t*>(work->gaps.sourceEnd + slots);
  bool* joined = reinterpret_cast<bool*>(work->gaps.spaceBefore + slots);

  TokenTable* t = &work->tokens;
  t->count = 0;
  t->tokenClass = classes;
  t->text = texts;
  int32_t used = 0;
  int32_t position = 0;
  while (t->count < tokenCount) {
    int32_t cls = 0, start = 0;
    const char16_t next = position < textUnits ? text[position] : char16_t(0);
    work->gaps.spaceBefore[t->count] = next == u' ' || next == u'\t' || next == u'\n' || next == u'\r';
    position = nextToken(lang, text, position, token, &cls, &rules, &start);
    if (position < 0) break;
    work->gaps.sourceStart[t->count] = start;
    work->gaps.sourceEnd[t->count] = position;
    const int32_t n = wstrLength(token);
    if (used + n + 1 > blockUnits) break;  // cannot happen: a token never outgrows its span
    for (int32_t i = 0; i <= n; ++i) block[used + i] = token[i];
    t->text[t->count] = block + used;
    t->tokenClass[t->count] = cls;
    ++t->count;
    used += n + 1;
  }

  const TextChain* chain = &lang->fullChain;
  if (textMode == 2) chain = &lang->timeChain;
  else if (textMode == 3) chain = &lang->dateChain;
  if (ev != nullptr) {
    chain = &ev->chain;
    groupEverydayNumbers(ev, t, &work->gaps);
  }
  if (spans != nullptr) {
    for (int32_t i = 0; i < t->count; ++i) source[i] = {work->gaps.sourceStart[i], 0};
    joinApostropheWords(text, t, work->gaps.sourceEnd, source, joined);
  }

  TextWriter w;
  writerInit(&w, out, capacity);
  for (int32_t d = 0; d < t->count;) {
    const int32_t written = w.length;
    clearScratch(&work->scratch);
    int32_t claimed = 0;
    if (!verbatim) {
      if (ev != nullptr) claimed = runEverydayForms(lang, ev, t, &work->gaps, d, &w);
      for (int32_t i = 0; i < chain->count && claimed == 0; ++i) {
        claimed = runStep(lang, ev, &work->gaps, chain->steps[i], t, d, &work->scratch, &w);
      }
      if (claimed == 0 && (t->tokenClass[d] & TC_PUNCT) != 0) {
        writePunctuation(lang, t->text[d], &w);
        claimed = 1;
      }
    }
    if (claimed == 0) {
      writeCopy(lang, t->text[d], &w);
      claimed = 1;
    }
    if (w.length > 0 && !isBreakChar(writerLast(&w))) writerPut(&w, u' ');
    if (spans != nullptr && w.out != nullptr) {
      // Every unit this step wrote comes from the tokens it claimed.
      const SourceSpan& first = source[d];
      const SourceSpan& last = source[d + claimed <= t->count ? d + claimed - 1 : t->count - 1];
      const SourceSpan span{first.start, last.start + last.length - first.start};
      for (int32_t i = written < 0 ? 0 : written; i < w.length && i < w.capacity - 1; ++i) spans[i] = span;
      // A suffix joined to the last token read ("10:30'da") takes the whole span.
      for (int32_t j = d + claimed; j < t->count && source[j].start == last.start; ++j) source[j] = span;
    }
    d += claimed;
  }
  if (writerLast(&w) == u' ' || (lang->stripTrailingMinor && writerLast(&w) == u'|')) writerPop(&w);
  writerFinish(&w);

  std::free(side);
  std::free(texts);
  std::free(classes);
  std::free(block);
  std::free(work);
  return w.length;
}

}  // namespace tts
