#include "text/everyday.h"

namespace tts {

namespace {


int32_t integerDigits(const char16_t* s) {
  int32_t n = 0;
  if (s[0] == u'-') ++s;
  while (isAsciiDigit(s[n])) ++n;
  return n;
}

// Tokens of `written` matched from token e: letter runs must equal a token's
// text, every other character (but space) a one-character symbol token.
// Returns the tokens matched, 0 when the text does not match.
int32_t matchWritten(const TokenTable* t, int32_t e, const char16_t* written) {
  int32_t k = 0;
  const char16_t* p = written;
  while (*p != 0) {
    if (*p == u' ') {
      ++p;
      continue;
    }
    if (e + k >= t->count) return 0;
    const char16_t* x = t->text[e + k];
    int32_t n = 0;
    if (isAsciiLetter(*p) || *p > 0x7F) {
      while (p[n] != 0 && p[n] != u' ' && p[n] != u'.' && p[n] != u'/') ++n;
    } else {
      n = 1;
    }
    for (int32_t i = 0; i < n; ++i) {
      // A lower-case first letter also matches its capital at a sentence
      // start (not for one letter alone: "S." is an initial).
      const bool capital = k == 0 && i == 0 && n >= 2 && p[0] >= u'a' && p[0] <= u'z' && x[0] == p[0] - 32;
      if (x[i] != p[i] && !capital) return 0;
    }
    if (x[n] != 0) return 0;
    p += n;
    ++k;
  }
  return k;
}

// "7. miejsce": a plain number, '.' right after it, then a lower-case word.
bool ordinalBeforeWord(const TokenTable* t, const TokenContext* gaps, int32_t d) {
  if (d + 2 >= t->count || !has(t, d, TC_PLAIN) || integerDigits(t->text[d]) > 9) return false;
  if (!isText(t, d + 1, u'.') || gaps->spaceBefore[d + 1] != 0) return false;
  return has(t, d + 2, TC_WORD) && !isUpperLetter(t->text[d + 2][0]);
}

// A number token (a plain digit string or a number with marks), not a code.
bool isQuantity(const TokenTable* t, int32_t d) {
  if (has(t, d, TC_CODE)) return false;
  return has(t, d, TC_NUMBER) && integerDigits(t->text[d]) <= kEverydayMaxDigits;
}

// Removes tokens [from, from + k) from the table: they were joined into the
// token before them, which now spans their host text too.
void dropTokens(TokenTable* t, TokenContext* gaps, int32_t from, int32_t k) {
  if (from > 0 && from + k - 1 < t->count && gaps->sourceEnd[from + k - 1] > gaps->sourceEnd[from - 1])
    gaps->sourceEnd[from - 1] = gaps->sourceEnd[from + k - 1];
  for (int32_t i = from; i + k < t->count; ++i) {
    t->text[i] = t->text[i + k];
    t->tokenClass[i] = t->tokenClass[i + k];
    gaps->spaceBefore[i] = gaps->spaceBefore[i + k];
    gaps->sourceStart[i] = gaps->sourceStart[i + k];
    gaps->sourceEnd[i] = gaps->sourceEnd[i + k];
  }
  t->count -= k;
}

}  // namespace

bool isUpperLetter(char16_t c) {
  if (c >= u'A' && c <= u'Z') return true;
  if (c >= 0xC0 && c <= 0xDE) return c != 0xD7;
  if (c >= 0x100 && c <= 0x137) return (c & 1) == 0;
  if (c >= 0x139 && c <= 0x148) return (c & 1) == 1;
  if (c >= 0x14A && c <= 0x177) return (c & 1) == 0;
  if (c >= 0x179 && c <= 0x17E) return (c & 1) == 1;
  return false;
}

void groupEverydayNumbers(const EverydayReading* ev, TokenTable* t, TokenContext* gaps) {
  // Abbreviations become one token each (class TC_ABBREVIATION, table index
  // above kAbbreviationShift), so that their full stop is not seen as a
  // separator by the recognisers ("godz. 12.30" is a time).
  for (int32_t d = 0; d < t->count; ++d) {
    if (!has(t, d, TC_WORD)) continue;
    // Not inside an address ("poczta.pl.").
    const bool joined = d > 0 && gaps->spaceBefore[d] == 0;
    if (joined && (isText(t, d - 1, u'.') || isText(t, d - 1, u'@') || isText(t, d - 1, u'/'))) continue;
    for (int32_t i = 0; i < ev->abbreviationCount; ++i) {
      const int32_t k = matchWritten(t, d, ev->abbreviations[i].written);
      if (k == 0) continue;
      t->tokenClass[d] = TC_ABBREVIATION | (i << kAbbreviationShift);
      dropTokens(t, gaps, d + 1, k - 1);
      break;
    }
  }
  // "12 400" and "1 250 000,50": a group of 1 to 3 digits, then groups of
  // exactly three digits each after a single space. Three groups with a
  // three-digit head ("600 123 456") are a phone number and stay apart.
  for (int32_t d = 0; ev->spaceGroups && d < t->count; ++d) {
    if (!has(t, d, TC_PLAIN) || has(t, d, TC_ORDINAL) || integerDigits(t->text[d]) > 3) continue;
    int32_t groups = 1, digits = integerDigits(t->text[d]);
    bool decimals = false;
    while (d + groups < t->count && !decimals) {
      const int32_t e = d + groups;
      const char16_t* x = t->text[e];
      if (gaps->spaceBefore[e] == 0 || !has(t, e, TC_NUMERIC) || has(t, e, TC_ORDINAL) || x[0] == u'-' ||
          integerDigits(x) != 3 || (x[3] != 0 && x[3] != ev->decimalMark)) {
        break;
      }
      decimals = x[3] != 0;
      digits += 3;
      ++groups;
    }
    if (groups < 2 || digits > kEverydayMaxDigits) continue;
    if (groups == 3 && !decimals && integerDigits(t->text[d]) == 3) {
      d += groups - 1;
      continue;
    }
    // The token texts lie one after another: pull each following text left
    // over the terminator before it.
    char16_t* out = const_cast<char16_t*>(t->text[d]);
    int32_t n = integerDigits(out);
    for (int32_t g = 1; g < groups; ++g) {
      const char16_t* x = t->text[d + g];
      for (int32_t i = 0; x[i] != 0; ++i) out[n++] = x[i];
    }
    out[n] = 0;
    t->tokenClass[d] = decimals ? (TC_NUMBER | TC_NUMERIC) : (TC_NUMBER | TC_NUMERIC | TC_PLAIN | TC_DIGITS);
    dropTokens(t, gaps, d + 1, groups - 1);
  }
  // Codes: three or more digit groups joined by spaces or '-' ("91 123 45 67",
  // "600-123-456"), and digits after a '+'.
  for (int32_t d = 0; d < t->count; ++d) {
    if (!has(t, d, TC_DIGITS)) continue;
    int32_t end = d + 1, groups = 1;
    for (;;) {
      if (end < t->count && has(t, end, TC_DIGITS) && gaps->spaceBefore[end] != 0) {
        ++end;
      } else if (end + 1 < t->count && isText(t, end, u'-') && gaps->spaceBefore[end] == 0 &&
                 has(t, end + 1, TC_DIGITS) && gaps->spaceBefore[end + 1] == 0) {
        end += 2;
      } else {
        break;
      }
      ++groups;
    }
    const bool plus = d > 0 && isText(t, d - 1, u'+');
    if (groups >= 3 || plus) {
      for (int32_t i = d; i < end; ++i) {
        if (has(t, i, TC_DIGITS)) t->tokenClass[i] |= TC_CODE;
      }
    }
    d = end - 1;
  }
}

int32_t matchTimeDotBeforeStop(const TokenTable* t, const TokenContext* gaps, int32_t d, Scratch* s) {
  if (d + 3 >= t->count || !isText(t, d + 3, u'.') || (d + 4 < t->count && gaps->spaceBefore[d + 4] == 0)) return 0;
  if (d > 0 && isText(t, d - 1, u'.')) return 0;
  // The time's three tokens alone, so that the '.' after them ends the sentence.
  const char16_t* texts[3] = {t->text[d], t->text[d + 1], t->text[d + 2]};
  int32_t classes[3] = {t->tokenClass[d], t->tokenClass[d + 1], t->tokenClass[d + 2]};
  TokenTable time{3, classes, texts};
  return matchTimeDot(&time, 0, s);
}

int32_t sayQuantity(const EverydayReading* ev, TextWriter* w, const char16_t* number, const QuantityWords* unit) {
  const int32_t start = w->length;
  if (unit->before != nullptr) {
    writerPuts(w, unit->before);
    writerPut(w, u' ');
  }
  ev->say.sayCardinal(w, number, unit->agreement);
  const char16_t* noun = unit->forms[ev->countForm(number) & 3];
  if (noun != nullptr && noun[0] != 0) {
    writerPut(w, u' ');
    writerPuts(w, noun);
  }
  return w->length - start;
}

int32_t sayEverydayNumber(const EverydayReading* ev, const TokenTable* t, int32_t d, TextWriter* w) {
  const char16_t* token = t->text[d];
  const int32_t cls = t->tokenClass[d];
  const bool digitByDigit = (cls & TC_CODE) != 0 || ((cls & TC_DIGITS) != 0 && (cls & TC_PLAIN) == 0) ||
                            integerDigits(token) > kEverydayMaxDigits;
  if (digitByDigit) return ev->sayDigits(w, token);
  return ev->say.sayNumber(w, token, d + 1 < t->count ? t->text[d + 1] : nullptr);
}

int32_t runEverydayForms(const TextLanguage* lang, const EverydayReading* ev, const TokenTable* t,
                         const TokenContext* gaps, int32_t d, TextWriter* w) {
  // Abbreviations (joined into one token before).
  if (has(t, d, TC_ABBREVIATION)) {
    const int32_t i = t->tokenClass[d] >> kAbbreviationShift;
    if (i < 0 || i >= ev->abbreviationCount) return 0;
    const Abbreviation& a = ev->abbreviations[i];
    writerPuts(w, a.spoken);
    // A full stop that closes the sentence as well as the abbreviation.
    const int32_t n = wstrLength(a.written);
    const bool stop = n > 0 && a.written[n - 1] == u'.';
    const int32_t after = d + 1;
    if (stop && (after >= t->count ||
                 (a.kind == kAbbrevPlain && has(t, after, TC_WORD | TC_ABBREVIATION) &&
                  isUpperLetter(t->text[after][0])))) {
      writerPut(w, u'.');
    }
    return 1;
  }
  // "1990'da", "10.30'da": the suffix is said with the number, without a break.
  if (ev->suffixAfterApostrophe && isText(t, d, u'\'') && d > 0 && d + 1 < t->count && gaps->spaceBefore[d] == 0 &&
      gaps->spaceBefore[d + 1] == 0 && has(t, d - 1, TC_NUMERIC | TC_NUMBER) && has(t, d + 1, TC_WORD)) {
    while (writerLast(w) == u' ' || writerLast(w) == u',') writerPop(w);
    writerPuts(w, t->text[d + 1]);
    return 2;
  }
  // "%25".
  if (ev->percentSignFirst && isText(t, d, u'%') && d + 1 < t->count && isQuantity(t, d + 1)) {
    sayPercent(w, ev->say, lang->percent, t->text[d + 1]);
    return 2;
  }
  // Ordinals.
  if (has(t, d, TC_ORDINAL)) {
    const char16_t* x = t->text[d];
    const int32_t n = wstrLength(x);
    char16_t digits[kTokenTextUnits];
    for (int32_t i = 0; i < n - 1; ++i) digits[i] = x[i];
    digits[n - 1 > 0 ? n - 1 : 0] = 0;
    ev->sayOrdinal(w, digits, x[n - 1], d + 1 < t->count ? t->text[d + 1] : nullptr);
    return 1;
  }
  if (ev->ordinalBeforeWord && ordinalBeforeWord(t, gaps, d)) {
    ev->sayOrdinal(w, t->text[d], 0, t->text[d + 2]);
    return 2;
  }
  // Units after a number.
  if (d + 1 < t->count && isQuantity(t, d)) {
    for (int32_t i = 0; i < ev->unitCount; ++i) {
      const int32_t k = matchWritten(t, d + 1, ev->units[i].written);
      if (k == 0) continue;
      sayQuantity(ev, w, t->text[d], &ev->units[i]);
      return 1 + k;
    }
  }
  return 0;
}

}  // namespace tts
