#include "text/normaliser.h"

#include <cstdlib>

#include "text/recognisers.h"
#include "text/tokeniser.h"

namespace tts {

namespace {

// Working storage of one normalisation, heap-allocated and freed before return.
struct NormaliseWork {
  TokenTable tokens;
  Scratch scratch;
};

bool isBreakChar(char16_t c) { return c == u' ' || c == u',' || c == u'.' || c == u'?' || c == u'|'; }

// Tries one chain step at token d; writes the words and returns the tokens claimed.
int32_t runStep(const TextLanguage* lang, uint8_t step, const TokenTable* t, int32_t d, Scratch* s,
                TextWriter* w) {
  const Verbalisers& say = lang->say;
  int32_t k = 0;
  switch (step) {
    case kStepDateSlash:
    case kStepDateDash:
    case kStepDateDot:
      k = step == kStepDateSlash ? matchDateSlash(t, d, s)
          : step == kStepDateDash ? matchDateDash(t, d, s) : matchDateDot(t, d, s);
      if (k > 0) say.sayDate(w, s->third, s->second, s->first);
      return k;
    case kStepTimeH:
    case kStepTimeColon:
    case kStepTimeDot:
      k = step == kStepTimeH ? matchTimeH(t, d, s) : step == kStepTimeColon ? matchTimeColon(t, d, s)
                                                                            : matchTimeDot(t, d, s);
      if (k > 0) say.sayTime(w, s->first, s->second, s->third);
      return k;
    case kStepEmailDomain:
      k = matchEmailDomain(t, d, s);
      if (k > 0) say.sayEmailDomain(w, s->longText);
      return k;
    case kStepWebAddress:
      k = matchWebAddress(t, d, s);
      if (k > 0) say.sayWebAddress(w, s->longText);
      return k;
    case kStepPercent:
      k = matchPercent(t, d, s);
      if (k > 0) say.sayPercent(w, s->first);
      return k;
    case kStepCurrencyAmount:
    case kStepAmountUnit:
      k = step == kStepCurrencyAmount ? matchCurrencyAmount(t, d, s) : matchAmountUnit(t, d, s);
      if (k > 0) say.sayMoney(w, s->first, s->second);
      return k;
    case kStepDigitString:
      if ((t->tokenClass[d] & TC_DIGITS) == 0) return 0;
      say.sayDigitString(w, t->text[d]);
      writerPut(w, u'|');
      return 1;
    case kStepOtherNumber:
      if ((t->tokenClass[d] & TC_NUMBER) == 0) return 0;
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
                      int32_t capacity) {
  if (out != nullptr && capacity > 0) out[0] = 0;
  if (lang == nullptr || text == nullptr) return 0;
  const int32_t textUnits = wstrLength(text);
  // Every token text (with its NUL) is at most twice the host units it spans.
  const int64_t blockUnits = 2 * int64_t(textUnits) + kTokenTextUnits;
  if (blockUnits > 0x3FFFFFFF) return 0;
  // Every token is kept: a counting pass sizes the token arrays.
  int32_t tokenCount = 0;
  char16_t token[kTokenTextUnits];
  for (int32_t position = 0;;) {
    int32_t cls = 0;
    position = nextToken(lang, text, position, token, &cls);
    if (position < 0) break;
    ++tokenCount;
  }
  auto* work = static_cast<NormaliseWork*>(std::malloc(sizeof(NormaliseWork)));
  auto* block = static_cast<char16_t*>(std::malloc(size_t(blockUnits) * sizeof(char16_t)));
  auto* classes = static_cast<int32_t*>(std::malloc(sizeof(int32_t) * size_t(tokenCount + 1)));
  auto* texts = static_cast<const char16_t**>(std::malloc(sizeof(char16_t*) * size_t(tokenCount + 1)));
  if (work == nullptr || block == nullptr || classes == nullptr || texts == nullptr) {
    std::free(work);
    std::free(block);
    std::free(classes);
    std::free(texts);
    return 0;
  }

  TokenTable* t = &work->tokens;
  t->count = 0;
  t->tokenClass = classes;
  t->text = texts;
  int32_t used = 0;
  int32_t position = 0;
  while (t->count < tokenCount) {
    int32_t cls = 0;
    position = nextToken(lang, text, position, token, &cls);
    if (position < 0) break;
    const int32_t n = wstrLength(token);
    if (used + n + 1 > blockUnits) break;  // cannot happen: a token never outgrows its span
    for (int32_t i = 0; i <= n; ++i) block[used + i] = token[i];
    t->text[t->count] = block + used;
    t->tokenClass[t->count] = cls;
    ++t->count;
    used += n + 1;
  }

  const TextChain* chain = &lang->fullChain;
  bool verbatim = false;
  if (textMode == 1 || textMode == 6) verbatim = true;
  else if (textMode == 2) chain = &lang->timeChain;
  else if (textMode == 3) chain = &lang->dateChain;

  TextWriter w;
  writerInit(&w, out, capacity);
  for (int32_t d = 0; d < t->count;) {
    clearScratch(&work->scratch);
    int32_t claimed = 0;
    if (!verbatim) {
      for (int32_t i = 0; i < chain->count && claimed == 0; ++i) {
        claimed = runStep(lang, chain->steps[i], t, d, &work->scratch, &w);
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
    d += claimed;
    if (w.length > 0 && !isBreakChar(writerLast(&w))) writerPut(&w, u' ');
  }
  if (writerLast(&w) == u' ' || (lang->stripTrailingMinor && writerLast(&w) == u'|')) writerPop(&w);
  writerFinish(&w);

  std::free(texts);
  std::free(classes);
  std::free(block);
  std::free(work);
  return w.length;
}

}  // namespace tts
