#include "text/tr/say_tr.h"

#include "text/address_reading.h"
#include "text/text_language.h"

namespace tts {
namespace tr {

namespace {

constexpr int32_t kWholeDigits = 15;    // longest integer read in words; longer ones digit by digit

const char16_t* const kUnits[10] = {u"s\u0131f\u0131r", u"bir",  u"iki",   u"\u00FC\u00E7", u"d\u00F6rt",
                                    u"be\u015F",        u"alt\u0131", u"yedi", u"sekiz",       u"dokuz"};
const char16_t* const kTens[10] = {u"",     u"on",            u"yirmi",       u"otuz",   u"k\u0131rk",
                                   u"elli", u"altm\u0131\u015F", u"yetmi\u015F", u"seksen", u"doksan"};
const char16_t kHundred[] = u"y\u00FCz";
const char16_t kPoint[] = u"nokta";
// Indexed by the number of three-digit groups that follow.
const char16_t* const kScales[5] = {u"", u"bin", u"milyon", u"milyar", u"trilyon"};
const char16_t* const kMonths[13] = {u"",         u"ocak",    u"\u015Fubat",  u"mart",  u"nisan",
                                     u"may\u0131s", u"haziran", u"temmuz",     u"a\u011Fustos",
                                     u"eyl\u00FCl", u"ekim",    u"kas\u0131m", u"aral\u0131k"};

const char16_t kComma[] = u"virg\u00FCl";
const char16_t kMinus[] = u"eksi";

int32_t clampValue(int32_t v, int32_t hi) { return v < 0 ? 0 : v > hi ? hi : v; }

// 0..999 in words.
void belowThousand(TextWriter* w, int32_t v) {
  v = clampValue(v, 999);
  if (v < 10) {
    writerPuts(w, kUnits[v]);
  } else if (v < 100) {
    writerPuts(w, kTens[v / 10]);
    if (v % 10 > 0) {
      writerPut(w, u' ');
      writerPuts(w, kUnits[v % 10]);
    }
  } else {
    if (v / 100 > 1) {
      writerPuts(w, kUnits[v / 100]);
      writerPut(w, u' ');
    }
    writerPuts(w, kHundred);
    if (v % 100 > 0) {
      writerPut(w, u' ');
      belowThousand(w, v % 100);
    }
  }
}

// Each digit as units[digit] + " |": the mark follows a space, so the word list
// makes no break entries between the digits. The '.' of a dotted code reads "nokta".
void digitsSpaced(TextWriter* w, const char16_t* digits, int32_t n) {
  for (int32_t i = 0; i < n; ++i) {
    if (digits[i] == u'.') {
      writerPuts(w, kPoint);
      writerPut(w, u' ');
    }
    if (!isAsciiDigit(digits[i])) continue;
    writerPuts(w, kUnits[digits[i] - u'0']);
    writerPuts(w, u" |");
  }
}

int32_t groupValue(const char16_t* digits, int32_t from, int32_t to) {
  int32_t v = 0;
  for (int32_t i = from; i < to; ++i) v = v * 10 + (digits[i] - u'0');
  return v;
}

// A run of n ASCII digits without leading zeros (n = 0 reads zero).
void sayWhole(TextWriter* w, const char16_t* digits, int32_t n) {
  if (n == 0) {
    writerPuts(w, kUnits[0]);
    return;
  }
  if (n > kWholeDigits) {
    digitsSpaced(w, digits, n);
    return;
  }
  if (n < 4) {
    belowThousand(w, groupValue(digits, 0, n));
    return;
  }
  const int32_t groups = (n + 2) / 3;
  int32_t end = n % 3 == 0 ? 3 : n % 3;
  const int32_t lead = groupValue(digits, 0, end);
  int32_t after = groups - 1;
  // "bin", not "bir bin", for 1000 to 1999.
  if (!(lead == 1 && after == 1)) {
    belowThousand(w, lead);
    writerPut(w, u' ');
  }
  writerPuts(w, kScales[after]);
  for (--after; after >= 0; --after) {
    const int32_t v = groupValue(digits, end, end + 3);
    end += 3;
    if (v == 0) continue;
    writerPut(w, u' ');
    if (after == 0) {
      belowThousand(w, v);
    } else {
      if (!(after == 1 && v == 1)) {
        belowThousand(w, v);
        writerPut(w, u' ');
      }
      writerPuts(w, kScales[after]);
    }
  }
}

int32_t readDigitsSpaced(TextWriter* w, const char16_t* digits) {
  const int32_t start = w->length;
  digitsSpaced(w, digits, wstrLength(digits));
  return w->length - start;
}

}  // namespace

int32_t countForm(const char16_t* /*number*/) { return 0; }

const AddressWords kAddressWords = {u"et",
                                    u"http iki nokta \u00E7ift e\u011Fik \u00E7izgi",
                                    u"www",
                                    kPoint,
                                    u"e\u011Fik \u00E7izgi",
                                    u"k\u0131sa \u00E7izgi",
                                    readDigitsSpaced};

// Turkish nouns stay singular after a number; an amount without currency text is in lira.
const QuantityWords kCurrencies[] = {
    {u" tl ", {u"t\u00FCrk liras\u0131", u"t\u00FCrk liras\u0131", u"t\u00FCrk liras\u0131", u"t\u00FCrk liras\u0131"}, nullptr, 0},
    {u" $ ", {u"dolar", u"dolar", u"dolar", u"dolar"}, nullptr, 0},
    {u" \u20AC ", {u"avro", u"avro", u"avro", u"avro"}, nullptr, 0},
    {u" \u00A3 ", {u"sterlin", u"sterlin", u"sterlin", u"sterlin"}, nullptr, 0},
    {u" \u00A5 ", {u"yen", u"yen", u"yen", u"yen"}, nullptr, 0},
};
const MoneyWords kMoneyWords = {kCurrencies, 5, 0, countForm, false};

int32_t sayCardinal(TextWriter* w, const char16_t* number, int32_t /*agreement*/) {
  const int32_t start = w->length;
  const char16_t* p = number != nullptr ? number : u"";
  if (*p == u'-') {
    writerPuts(w, kMinus);
    writerPut(w, u' ');
    ++p;
  }
  while (p[0] == u'0' && isAsciiDigit(p[1])) ++p;
  int32_t n = 0;
  while (isAsciiDigit(p[n])) ++n;
  sayWhole(w, p, p[0] == u'0' ? 0 : n);
  // '.' in the literal reading; ',' (never left in a literal number text,
  // where it groups thousands) in the everyday reading.
  if ((p[n] == u'.' || p[n] == u',') && isAsciiDigit(p[n + 1])) {
    const char16_t* q = p + n + 1;
    writerPut(w, u' ');
    writerPuts(w, p[n] == u'.' ? kPoint : kComma);
    while (*q == u'0') {
      writerPut(w, u' ');
      writerPuts(w, kUnits[0]);
      ++q;
    }
    int32_t m = 0;
    while (isAsciiDigit(q[m])) ++m;
    if (m > 0) {
      writerPut(w, u' ');
      sayWhole(w, q, m);
    }
  }
  return w->length - start;
}

int32_t sayDigitString(TextWriter* w, const char16_t* token) {
  if (digitStringIsCardinal(token)) return sayCardinal(w, token, 0);
  return readDigitsSpaced(w, token);
}

int32_t sayNumber(TextWriter* w, const char16_t* token, const char16_t* /*nextToken*/) {
  return sayCardinal(w, token, 0);
}

int32_t sayDate(TextWriter* w, const char16_t* day, const char16_t* month, const char16_t* year) {
  const int32_t start = w->length;
  const int32_t m = digitValue(month);
  belowThousand(w, clampValue(digitValue(day), 999));
  writerPut(w, u' ');
  writerPuts(w, kMonths[m >= 1 && m <= 12 ? m : 0]);
  writerPut(w, u',');
  sayCardinal(w, year, 0);
  writerPut(w, u',');
  return w->length - start;
}

int32_t sayTime(TextWriter* w, const char16_t* hour, const char16_t* minutes, const char16_t* /*meridiem*/) {
  const int32_t start = w->length;
  const int32_t m = clampValue(digitValue(minutes), 999);
  belowThousand(w, clampValue(digitValue(hour), 999));
  if (m > 0) {
    // "on sıfır beş" for 10:05.
    if (m < 10) {
      writerPut(w, u' ');
      writerPuts(w, kUnits[0]);
    }
    writerPut(w, u' ');
    belowThousand(w, m);
  }
  writerPut(w, u',');
  return w->length - start;
}

int32_t sayDigitsEveryday(TextWriter* w, const char16_t* digits) {
  return writeDigitsSpaced(w, digits, kUnits, kPoint);
}

int32_t sayOrdinalEveryday(TextWriter* w, const char16_t* number, char16_t /*marker*/, const char16_t* /*nextWord*/) {
  const int32_t start = w->length;
  sayCardinal(w, number, 0);
  if (w->length == start) return 0;
  // The suffix -(I)ncI after the last word, its vowel by harmony with the
  // word's last vowel; "dört" softens to "dörd".
  char16_t harmony = u'i';
  bool endsInVowel = false;
  for (int32_t i = 0; i < kWriterTail && i < w->length - start; ++i) {
    const char16_t c = w->tail[(w->length - 1 - i) & (kWriterTail - 1)];
    if (c == u' ') break;
    const bool vowel = c == u'a' || c == u'e' || c == u'i' || c == u'o' || c == u'u' || c == 0x131 || c == 0xF6 ||
                       c == 0xFC;
    if (!vowel) continue;
    endsInVowel = i == 0;
    harmony = c == u'a' || c == 0x131 ? char16_t(0x131) : c == u'e' || c == u'i' ? u'i'
              : c == u'o' || c == u'u'  ? u'u'
                                        : char16_t(0xFC);
    break;
  }
  if (writerLast(w) == u't') {
    writerPop(w);
    writerPut(w, u'd');
  }
  if (!endsInVowel) writerPut(w, harmony);
  writerPut(w, u'n');
  writerPut(w, u'c');
  writerPut(w, harmony);
  return w->length - start;
}


}  // namespace tr
}  // namespace tts
