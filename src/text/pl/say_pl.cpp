#include "text/pl/say_pl.h"

#include "text/address_reading.h"
#include "text/text_language.h"

namespace tts {
namespace pl {

namespace {

constexpr int32_t kMaxGroupedDigits = 15;  // longer integer parts are read digit by digit

const char16_t* const kUnits[21] = {
    u"zero",        u"jeden",       u"dwa",          u"trzy",         u"cztery",        u"pi\u0119\u0107",
    u"sze\u015B\u0107",       u"siedem",      u"osiem",        u"dziewi\u0119\u0107",     u"dziesi\u0119\u0107",      u"jedena\u015Bcie",
    u"dwana\u015Bcie",   u"trzyna\u015Bcie",  u"czterna\u015Bcie",  u"pi\u0119tna\u015Bcie",   u"szesna\u015Bcie",    u"siedemna\u015Bcie",
    u"osiemna\u015Bcie", u"dziewi\u0119tna\u015Bcie", u"dwadzie\u015Bcia"};
const char16_t* const kTens[10] = {u"",             u"",              u"dwadzie\u015Bcia",    u"trzydzie\u015Bci",
                                   u"czterdzie\u015Bci", u"pi\u0119\u0107dziesi\u0105t",  u"sze\u015B\u0107dziesi\u0105t",  u"siedemdziesi\u0105t",
                                   u"osiemdziesi\u0105t", u"dziewi\u0119\u0107dziesi\u0105t"};
const char16_t* const kHundreds[10] = {u"",        u"sto",      u"dwie\u015Bcie", u"trzysta",  u"czterysta",
                                       u"pi\u0119\u0107set", u"sze\u015B\u0107set", u"siedemset", u"osiemset", u"dziewi\u0119\u0107set"};

// Scale nouns by the number of three-digit groups after them, in the forms
// kCountOne, kCountFew, kCountMany.
const char16_t* const kScale[5][3] = {{u"", u"", u""},
                                      {u"tysi\u0105c", u"tysi\u0105ce", u"tysi\u0119cy"},
                                      {u"milion", u"miliony", u"milion\u00F3w"},
                                      {u"miliard", u"miliardy", u"miliard\u00F3w"},
                                      {u"bilion", u"biliony", u"bilion\u00F3w"}};

const char16_t* const kOrdinalStems[21] = {
    u"",          u"pierwsz",    u"drug",       u"trzeci",      u"czwart",      u"pi\u0105t",      u"sz\u00F3st",
    u"si\u00F3dm",     u"\u00F3sm",        u"dziewi\u0105t",   u"dziesi\u0105t",    u"jedenast",    u"dwunast",   u"trzynast",
    u"czternast", u"pi\u0119tnast",   u"szesnast",   u"siedemnast",  u"osiemnast",   u"dziewi\u0119tnast", u"dwudziest"};
// Endings by OrdinalForm: row 0 after "pierwsz", 1 after "drug", 2 after "trzeci", 3 every other stem.
const char16_t* const kOrdinalEndings[4][7] = {{u"y", u"ego", u"a", u"e", u"\u0105", u"ym", u"ej"},
                                               {u"i", u"iego", u"a", u"ie", u"\u0105", u"im", u"iej"},
                                               {u"", u"ego", u"a", u"e", u"\u0105", u"m", u"ej"},
                                               {u"y", u"ego", u"a", u"e", u"\u0105", u"ym", u"ej"}};
const char16_t* const kOrdinalTens[10] = {u"",              u"",               u"dwudziest",
                                          u"trzydziest",    u"czterdziest",    u"pi\u0119\u0107dziesi\u0105t",
                                          u"sze\u015B\u0107dziesi\u0105t", u"siedemdziesi\u0105t", u"osiemdziesi\u0105t",
                                          u"dziewi\u0119\u0107dziesi\u0105t"};

const char16_t* const kMonths[13] = {u"",       u"stycznia", u"lutego",  u"marca",     u"kwietnia",
                                     u"maja",   u"czerwca",  u"lipca",   u"sierpnia",  u"wrze\u015Bnia",
                                     u"pa\u017Adziernika", u"listopada", u"grudnia"};

int32_t digitAt(const char16_t* s, int32_t i) { return isAsciiDigit(s[i]) ? s[i] - u'0' : 0; }

// Value of `count` characters from `s` (non-digits count as 0).
int64_t valueOf(const char16_t* s, int32_t count) {
  int64_t v = 0;
  for (int32_t i = 0; i < count; ++i) v = v * 10 + digitAt(s, i);
  return v;
}

// Form of a whole-number noun after a value whose last two digits are
// `lastTwo`; `one` tells that the value is exactly 1.
int32_t formOf(bool one, int32_t lastTwo) {
  if (one) return kCountOne;
  const int32_t units = lastTwo % 10;
  if (units >= 2 && units <= 4 && !(lastTwo >= 12 && lastTwo <= 14)) return kCountFew;
  return kCountMany;
}

int32_t readDigitsMarked(TextWriter* w, const char16_t* digits) { return writeDigitsMarked(w, digits, kUnits); }

}  // namespace

const AddressWords kAddressWords = {u"ma\u0142pa",
                                    u"http dwukropek uko\u015Bnik uko\u015Bnik",
                                    u"www",
                                    u"kropka",
                                    u"uko\u015Bnik",
                                    u"my\u015Blnik",
                                    readDigitsMarked};

// Nouns by CountForm: one, few, many, fraction.
const QuantityWords kCurrencies[] = {
    {u" z\u0142 z\u0142oty z\u0142ote z\u0142otych ", {u"z\u0142oty", u"z\u0142ote", u"z\u0142otych", u"z\u0142otego"}, nullptr, 0},
    {u" gr grosz grosze groszy ", {u"grosz", u"grosze", u"groszy", u"grosza"}, nullptr, 0},
    {u" $ ", {u"dolar", u"dolary", u"dolar\u00F3w", u"dolara"}, nullptr, 0},
    {u" \u20AC ", {u"euro", u"euro", u"euro", u"euro"}, nullptr, 0},
    {u" \u00A3 ", {u"funt", u"funty", u"funt\u00F3w", u"funta"}, nullptr, 0},
    {u" \u00A5 ", {u"jen", u"jeny", u"jen\u00F3w", u"jena"}, nullptr, 0},
};
const MoneyWords kMoneyWords = {kCurrencies, 6, -1, countForm, false};

int32_t countForm(const char16_t* number) {
  if (number == nullptr) return kCountMany;
  const char16_t* p = number[0] == u'-' ? number + 1 : number;
  int32_t n = 0;
  while (p[n] != 0 && p[n] != u',') ++n;
  if (p[n] == u',' && p[n + 1] != 0) return kCountFraction;
  int32_t z = 0;
  while (z < n - 1 && p[z] == u'0') ++z;
  const bool one = n - z == 1 && p[z] == u'1';
  const int32_t lastTwo = n >= 2 ? int32_t(valueOf(p + n - 2, 2)) : int32_t(valueOf(p, n));
  return formOf(one, lastTwo);
}

int32_t sayBelowThousand(TextWriter* w, int32_t v) {
  const int32_t start = w->length;
  if (v < 0 || v > 999) return 0;
  if (v <= 20) {
    writerPuts(w, kUnits[v]);
  } else if (v < 100) {
    writerPuts(w, kTens[v / 10]);
    if (v % 10 > 0) {
      writerPut(w, u' ');
      writerPuts(w, kUnits[v % 10]);
    }
  } else {
    writerPuts(w, kHundreds[v / 100]);
    const int32_t r = v % 100;
    if (r > 0) {
      writerPut(w, u' ');
      sayBelowThousand(w, r);
    }
  }
  return w->length - start;
}

int32_t sayOrdinal(TextWriter* w, int32_t v, int32_t form) {
  const int32_t start = w->length;
  if (v < 1 || v > 99) return 0;
  if (form < 0 || form > kOrdinalFeminineLocative) form = kOrdinalMasculine;
  auto endingRow = [](int32_t n) { return n <= 3 ? n - 1 : 3; };
  if (v <= 20) {
    writerPuts(w, kOrdinalStems[v]);
    writerPuts(w, kOrdinalEndings[endingRow(v)][form]);
    return w->length - start;
  }
  writerPuts(w, kOrdinalTens[v / 10]);
  writerPuts(w, kOrdinalEndings[3][form]);
  if (v % 10 > 0) {
    writerPut(w, u' ');
    writerPuts(w, kOrdinalStems[v % 10]);
    writerPuts(w, kOrdinalEndings[endingRow(v % 10)][form]);
  }
  return w->length - start;
}

namespace {

// `decimalsAsNumber`: "przecinek dwadzieścia pięć" for up to three decimals
// without a leading zero, rather than digit by digit with pauses.
int32_t cardinal(TextWriter* w, const char16_t* number, bool decimalsAsNumber) {
  const int32_t start = w->length;
  if (number == nullptr) return 0;
  const char16_t* p = number;
  if (*p == u'-') {
    writerPuts(w, u"minus ");
    ++p;
  }
  int32_t n = 0;
  while (p[n] != 0 && p[n] != u',') ++n;
  if (n > kMaxGroupedDigits) {
    for (int32_t i = 0; i < n; ++i) {
      if (!isAsciiDigit(p[i])) continue;
      writerPut(w, u' ');
      writerPuts(w, kUnits[p[i] - u'0']);
      writerPut(w, u'|');
    }
  } else {
    // Leading zeros make no group of their own: "0900" reads as "900".
    int32_t z = 0;
    while (z < n - 1 && p[z] == u'0') ++z;
    const char16_t* digits = p + z;
    const int32_t m = n - z;
    if (m < 4) {
      sayBelowThousand(w, int32_t(valueOf(digits, m)));
    } else {
      const int32_t lead = m % 3 == 0 ? 3 : m % 3;
      int32_t groupsAfter = (m - lead) / 3;
      int32_t v = int32_t(valueOf(digits, lead));
      sayBelowThousand(w, v);
      writerPut(w, u' ');
      writerPuts(w, kScale[groupsAfter][formOf(v == 1, v % 100)]);
      int32_t pos = lead;
      for (--groupsAfter; groupsAfter >= 1; --groupsAfter, pos += 3) {
        v = int32_t(valueOf(digits + pos, 3));
        if (v == 0) continue;
        writerPut(w, u' ');
        sayBelowThousand(w, v);
        writerPut(w, u' ');
        writerPuts(w, kScale[groupsAfter][formOf(v == 1, v % 100)]);
      }
      v = int32_t(valueOf(digits + pos, 3));
      if (v > 0) {
        writerPut(w, u' ');
        sayBelowThousand(w, v);
      }
    }
  }
  if (p[n] == u',' && p[n + 1] != 0) {
    const int32_t decimals = wstrLength(p + n + 1);
    if (decimalsAsNumber && decimals <= 3 && p[n + 1] != u'0') {
      writerPuts(w, u" przecinek ");
      cardinal(w, p + n + 1, false);
    } else if (decimalsAsNumber) {
      writerPuts(w, u" przecinek ");
      sayDigitsEveryday(w, p + n + 1);
    } else {
      writerPuts(w, u" przecinek ");
      writeDigitsMarked(w, p + n + 1, kUnits);
    }
  }
  return w->length - start;
}

}  // namespace

int32_t sayCardinal(TextWriter* w, const char16_t* number, int32_t /*agreement*/) {
  return cardinal(w, number, false);
}

int32_t sayCardinalEveryday(TextWriter* w, const char16_t* number, int32_t /*agreement*/) {
  return cardinal(w, number, true);
}

int32_t sayNumberEveryday(TextWriter* w, const char16_t* token, const char16_t* /*nextToken*/) {
  return cardinal(w, token, true);
}

int32_t sayDigitsEveryday(TextWriter* w, const char16_t* digits) {
  return writeDigitsSpaced(w, digits, kUnits, u"kropka");
}

int32_t ordinalFormBefore(const char16_t* word) {
  const int32_t n = wstrLength(word);
  if (n == 0) return kOrdinalMasculine;
  const char16_t c = word[n - 1];
  if (c == u'a') return kOrdinalFeminine;
  if (c == 0x119) return kOrdinalFeminineAccusative;
  if (n >= 2 && word[n - 2] == u'u' && c == u'm') return kOrdinalNeuter;
  // "rundzie", "klasie", "górze", "Warszawie": feminine locative.
  if (n >= 3 && c == u'e' && word[n - 2] == u'i' &&
      (word[n - 3] == u'z' || word[n - 3] == u's' || word[n - 3] == u'w')) {
    return kOrdinalFeminineLocative;
  }
  if (n >= 3 && c == u'e' && word[n - 2] == u'z' && word[n - 3] == u'r') return kOrdinalFeminineLocative;
  if (c == u'u') return kOrdinalLocative;
  if (c == u'o' || c == u'e') return kOrdinalNeuter;
  return kOrdinalMasculine;
}

int32_t sayOrdinalEveryday(TextWriter* w, const char16_t* number, char16_t /*marker*/, const char16_t* nextWord) {
  const int32_t v = digitValue(number);
  if (v >= 1 && v <= 99 && wstrLength(number) <= 2) {
    return sayOrdinal(w, v, ordinalFormBefore(nextWord != nullptr ? nextWord : u""));
  }
  return cardinal(w, number, true);
}

int32_t sayDigitString(TextWriter* w, const char16_t* token) {
  if (digitStringIsCardinal(token)) return sayCardinal(w, token, 0);
  return writeDigitsMarked(w, token, kUnits);
}

int32_t sayNumber(TextWriter* w, const char16_t* token, const char16_t* /*nextToken*/) {
  return sayCardinal(w, token, 0);
}

int32_t sayDate(TextWriter* w, const char16_t* day, const char16_t* month, const char16_t* year) {
  const int32_t start = w->length;
  sayOrdinal(w, digitValue(day), kOrdinalGenitive);
  writerPut(w, u' ');
  const int32_t m = digitValue(month);
  writerPuts(w, kMonths[m >= 1 && m <= 12 ? m : 0]);
  writerPut(w, u',');
  const int32_t n = wstrLength(year);
  if (n == 3 || n == 4) {
    // The hundreds as a cardinal, the last two digits as a masculine ordinal:
    // 2007 is "two thousand seventh".
    char16_t hundreds[5] = {year[0], n == 4 ? year[1] : u'0', u'0', n == 4 ? u'0' : char16_t(0), 0};
    sayCardinal(w, hundreds, 0);
    const int32_t rest = int32_t(valueOf(year + n - 2, 2));
    if (rest != 0) {
      writerPut(w, u' ');
      sayOrdinal(w, rest, kOrdinalMasculine);
    }
  } else if (n == 2) {
    sayOrdinal(w, int32_t(valueOf(year, 2)), kOrdinalMasculine);
  } else {
    sayCardinal(w, year, 0);
  }
  writerPut(w, u',');
  return w->length - start;
}

int32_t sayTime(TextWriter* w, const char16_t* hour, const char16_t* minutes, const char16_t* /*meridiem*/) {
  const int32_t start = w->length;
  const int32_t h = digitValue(hour);
  if (h == 0) writerPuts(w, kUnits[0]);
  else sayOrdinal(w, h, kOrdinalFeminine);
  const int32_t m = digitValue(minutes);
  if (m != 0) {
    writerPut(w, u' ');
    sayBelowThousand(w, m);
  }
  writerPut(w, u',');
  return w->length - start;
}


}  // namespace pl
}  // namespace tts
