#include "text/recognisers.h"

namespace tts {

namespace {


// Digit token of at most `maxLength` characters whose value is in [lo, hi].
bool isSmallDigits(const TokenTable* t, int32_t i, int32_t maxLength, int32_t lo, int32_t hi) {
  if (!has(t, i, TC_DIGITS)) return false;
  int32_t n = wstrLength(t->text[i]);
  if (n < 1 || n > maxLength) return false;
  int32_t v = digitValue(t->text[i]);
  return v >= lo && v <= hi;
}

// Bounded copy into a scratch string of `units` units.
void put(char16_t* dst, int32_t units, const char16_t* src) {
  int32_t n = 0;
  while (src != nullptr && src[n] != 0 && n < units - 1) {
    dst[n] = src[n];
    ++n;
  }
  dst[n] = 0;
}

// Appends to a NUL-terminated string of `units` units, cutting what does not fit.
void append(char16_t* dst, int32_t units, const char16_t* src) {
  int32_t n = wstrLength(dst);
  for (int32_t i = 0; src != nullptr && src[i] != 0 && n < units - 1; ++i) dst[n++] = src[i];
  dst[n] = 0;
}

int32_t matchDate(const TokenTable* t, int32_t d, Scratch* s, char16_t sep, bool romanMonths) {
  if (d + 4 >= t->count) return 0;
  if (!isSmallDigits(t, d, 2, 1, 31) || !isText(t, d + 1, sep) || !isText(t, d + 3, sep)) return 0;
  if (isSmallDigits(t, d + 2, 2, 1, 12)) {
    put(s->second, kScratchUnits, t->text[d + 2]);
  } else {
    if (!romanMonths) return 0;
    // Capital Roman numerals in five-unit slots: slot k is month k + 1.
    static const char16_t kRoman[] = u" I    II   III  IV   V    VI   VII  VIII IX   X    XI   XII ";
    const char16_t* m = t->text[d + 2];
    int32_t n = wstrLength(m);
    if (n < 1 || n > 4) return 0;
    int32_t found = -1;
    for (int32_t p = 0; found < 0 && kRoman[p] != 0; ++p) {
      if (kRoman[p] != u' ' || p + n + 1 >= 61) continue;
      int32_t i = 0;
      while (i < n && kRoman[p + 1 + i] == m[i]) ++i;
      if (i == n && kRoman[p + 1 + n] == u' ') found = p;
    }
    if (found < 0) return 0;
    int32_t month = found / 5 + 1;
    if (month >= 10) {
      s->second[0] = u'1';
      s->second[1] = char16_t(u'0' + month - 10);
      s->second[2] = 0;
    } else {
      s->second[0] = char16_t(u'0' + month);
      s->second[1] = 0;
    }
  }
  const int32_t yearLength = wstrLength(t->text[d + 4]);
  if (!has(t, d + 4, TC_DIGITS) || yearLength < 2 || yearLength > 4) return 0;
  put(s->first, kScratchUnits, t->text[d + 4]);
  put(s->third, kScratchUnits, t->text[d]);
  return 5;
}

int32_t matchTime(const TokenTable* t, int32_t d, Scratch* s, char16_t sep) {
  if (d + 2 >= t->count) return 0;
  if (!isSmallDigits(t, d, 2, 0, 24) || !isText(t, d + 1, sep) || !isSmallDigits(t, d + 2, 2, 0, 60)) return 0;
  if (d + 3 < t->count && isText(t, d + 3, sep)) return 0;
  if (d > 0 && isText(t, d - 1, sep)) return 0;
  put(s->first, kScratchUnits, t->text[d]);
  put(s->second, kScratchUnits, t->text[d + 2]);
  if (d + 3 < t->count && matchMeridiem(t, d + 3, s) == 1) return 4;
  return 3;
}

// A word followed by a digit token, a digit token followed by a word (2
// tokens, joined by a space), or a single word or digit token.
int32_t matchLabel(const TokenTable* t, int32_t e, char16_t* out, int32_t units) {
  if (e >= t->count) return 0;
  const bool alpha = has(t, e, TC_ALPHA), digits = has(t, e, TC_DIGITS);
  if (!alpha && !digits) return 0;
  put(out, units, t->text[e]);
  if (e + 1 < t->count && ((alpha && has(t, e + 1, TC_DIGITS)) || (digits && has(t, e + 1, TC_ALPHA)))) {
    append(out, units, u" ");
    append(out, units, t->text[e + 1]);
    return 2;
  }
  return 1;
}

int32_t matchLabelRun(const TokenTable* t, int32_t e, char16_t* out) {
  int32_t used = matchLabel(t, e, out, kLabelRunLimit);
  if (used == 0) return 0;
  char16_t label[kLabelRunLimit];
  for (;;) {
    const int32_t next = e + used;
    if (next + 1 >= t->count || !isText(t, next, u'-')) break;
    const int32_t k = matchLabel(t, next + 1, label, kLabelRunLimit);
    if (k == 0 || wstrLength(out) + 3 + wstrLength(label) >= kLabelRunLimit) break;
    append(out, kLabelRunLimit, u" - ");
    append(out, kLabelRunLimit, label);
    used += 1 + k;
  }
  return used;
}

int32_t matchDomain(const TokenTable* t, int32_t e, const char16_t* separators, char16_t* out) {
  int32_t used = matchLabelRun(t, e, out);
  if (used == 0) return 0;
  char16_t run[kLabelRunLimit];
  for (;;) {
    const int32_t next = e + used;
    if (next + 1 >= t->count || !has(t, next, TC_PUNCT)) break;
    const char16_t c = t->text[next][0];
    bool isSeparator = false;
    for (const char16_t* p = separators; *p != 0; ++p) isSeparator = isSeparator || *p == c;
    if (!isSeparator) break;
    const int32_t k = matchLabelRun(t, next + 1, run);
    if (k == 0 || wstrLength(out) + 3 + wstrLength(run) > kDomainLimit) break;
    const char16_t sep[4] = {u' ', c, u' ', 0};
    append(out, kLongScratchUnits, sep);
    append(out, kLongScratchUnits, run);
    used += 1 + k;
  }
  return used;
}

}  // namespace

void clearScratch(Scratch* s) {
  s->first[0] = 0;
  s->second[0] = 0;
  s->third[0] = 0;
  s->fourth[0] = 0;
}

int32_t matchDateSlash(const TokenTable* t, int32_t d, Scratch* s) { return matchDate(t, d, s, u'/', false); }
int32_t matchDateDash(const TokenTable* t, int32_t d, Scratch* s) { return matchDate(t, d, s, u'-', false); }
int32_t matchDateDot(const TokenTable* t, int32_t d, Scratch* s) { return matchDate(t, d, s, u'.', true); }
int32_t matchTimeColon(const TokenTable* t, int32_t d, Scratch* s) { return matchTime(t, d, s, u':'); }
int32_t matchTimeDot(const TokenTable* t, int32_t d, Scratch* s) { return matchTime(t, d, s, u'.'); }

int32_t matchTimeH(const TokenTable* t, int32_t d, Scratch* s) {
  if (d + 2 >= t->count) return 0;
  if (!isSmallDigits(t, d, 2, 0, 24) || !isText(t, d + 1, u'h') || !isSmallDigits(t, d + 2, 2, 0, 60)) return 0;
  put(s->first, kScratchUnits, t->text[d]);
  put(s->second, kScratchUnits, t->text[d + 2]);
  return 3;
}

int32_t matchMeridiem(const TokenTable* t, int32_t d, Scratch* s) {
  if (d >= t->count) return 0;
  const char16_t* x = t->text[d];
  if (wstrLength(x) != 2) return 0;
  static const char16_t* const kAm[] = {u"AM", u"am", u"Am"};
  static const char16_t* const kPm[] = {u"PM", u"pm", u"Pm"};
  for (const char16_t* m : kAm) {
    if (textEquals(x, m)) {
      put(s->third, kScratchUnits, u"AM");
      return 1;
    }
  }
  for (const char16_t* m : kPm) {
    if (textEquals(x, m)) {
      put(s->third, kScratchUnits, u"PM");
      return 1;
    }
  }
  return 0;
}

int32_t matchPercent(const TokenTable* t, int32_t d, Scratch* s) {
  if (d + 1 >= t->count || !has(t, d, TC_NUMBER) || !isText(t, d + 1, u'%')) return 0;
  put(s->first, kScratchUnits, t->text[d]);
  return 2;
}

int32_t matchAmountWord(const TokenTable* t, int32_t e, Scratch* s) {
  if (e + 1 >= t->count || !has(t, e, TC_NUMBER)) return 0;
  if (has(t, e + 1, TC_CURRENCY)) {
    put(s->first, kScratchUnits, t->text[e]);
    put(s->second, kScratchUnits, t->text[e + 1]);
    return 2;
  }
  const int32_t n1 = wstrLength(t->text[e + 1]);
  if (n1 <= kMaxWordLength && has(t, e + 1, TC_WORD) && e + 2 < t->count && has(t, e + 2, TC_CURRENCY) &&
      n1 + wstrLength(t->text[e + 2]) < 31) {
    put(s->first, kScratchUnits, t->text[e]);
    put(s->second, kScratchUnits, t->text[e + 1]);
    append(s->second, kScratchUnits, u"|");
    append(s->second, kScratchUnits, t->text[e + 2]);
    return 3;
  }
  return 0;
}

int32_t matchCurrencyAmount(const TokenTable* t, int32_t d, Scratch* s) {
  if (d + 1 >= t->count) return 0;
  const char16_t sign = t->text[d][1] == 0 ? t->text[d][0] : char16_t(0);
  if (sign == u'$') {
    int32_t k = matchAmountWord(t, d + 1, s);
    if (k > 0) return k + 1;
  }
  if (sign == u'$' || sign == u'\u20AC' || sign == u'\u00A3' || sign == u'\u00A5') {
    if (!has(t, d + 1, TC_NUMBER)) return 0;
    put(s->first, kScratchUnits, t->text[d + 1]);
    put(s->second, kScratchUnits, t->text[d]);
    return 2;
  }
  if (isText(t, d + 1, u'\u20AC')) {
    if (!has(t, d, TC_NUMBER)) return 0;
    put(s->first, kScratchUnits, t->text[d]);
    put(s->second, kScratchUnits, t->text[d + 1]);
    return 2;
  }
  return matchAmountWord(t, d, s);
}

int32_t matchAmountUnit(const TokenTable* t, int32_t e, Scratch* s) {
  if (e + 1 >= t->count || !has(t, e, TC_NUMBER) || !has(t, e + 1, TC_UNIT)) return 0;
  put(s->first, kScratchUnits, t->text[e]);
  put(s->second, kScratchUnits, t->text[e + 1]);
  return 2;
}

int32_t matchEmailDomain(const TokenTable* t, int32_t d, Scratch* s) {
  if (d + 1 >= t->count || !isText(t, d, u'@')) return 0;
  s->longText[0] = 0;
  int32_t k = matchDomain(t, d + 1, u".", s->longText);
  return k > 0 ? 1 + k : 0;
}

int32_t matchWebAddress(const TokenTable* t, int32_t d, Scratch* s) {
  if (d + 4 >= t->count) return 0;
  const char16_t* x = t->text[d];
  if (wstrLength(x) != 4) return 0;
  static const char16_t kHttp[] = u"http";
  for (int32_t i = 0; i < 4; ++i) {
    char16_t c = x[i];
    if (c >= u'A' && c <= u'Z') c = char16_t(c + 32);
    if (c != kHttp[i]) return 0;
  }
  if (!isText(t, d + 1, u':') || !isText(t, d + 2, u'/') || !isText(t, d + 3, u'/')) return 0;
  s->longText[0] = 0;
  int32_t k = matchDomain(t, d + 4, u"./", s->longText);
  return k > 0 ? 4 + k : 0;
}

}  // namespace tts
