#include "text/es/say_es.h"

#include "text/address_reading.h"
#include "text/everyday.h"
#include "text/text_language.h"

namespace tts {
namespace es {

namespace {

const char16_t* const kUnits[20] = {
    u"cero",  u"uno",    u"dos",    u"tres",      u"cuatro",     u"cinco",     u"seis",
    u"siete", u"ocho",   u"nueve",  u"diez",      u"once",       u"doce",      u"trece",
    u"catorce", u"quince", u"dieciseis", u"diecisiete", u"dieciocho", u"diecinueve"};
const char16_t* const kTens[10] = {u"",          u"",          u"veinte",   u"treinta", u"cuarenta",
                                   u"cincuenta", u"sesenta",   u"setenta",  u"ochenta", u"noventa"};
const char16_t* const kHundreds[10] = {u"",           u"cien",         u"doscientos", u"trescientos",
                                       u"cuatrocientos", u"quinientos", u"seiscientos", u"setecientos",
                                       u"ochocientos",  u"novecientos"};
const char16_t* const kOneForms[4] = {u"uno", u"un", u"una", u"un"};
const char16_t* const kMonths[13] = {u"",      u"enero",   u"febrero", u"marzo",      u"abril",
                                     u"mayo",  u"junio",   u"julio",   u"agosto",     u"septiembre",
                                     u"octubre", u"noviembre", u"diciembre"};

// The words of one reading of numbers.
struct NumberWords {
  const char16_t* const* units;          // 0..19
  const char16_t* const* twenties;       // 22..29 ("veinti" + unit), index v - 20; 21 comes from oneForms21
  const char16_t* const* oneForms21;     // 21 by agreement class
  const char16_t* const* hundreds;       // masculine, 1..9
  const char16_t* const* hundredsFem;    // feminine (agreement class 2), 1..9
  const char16_t* tensJoin;              // " i " or " y "
  const char16_t* million;
  const char16_t* millions;
  const char16_t* billion;               // 10^12, or null: at most 12 digits
  const char16_t* billions;
  int32_t maxDigits;                     // longer integer parts are read digit by digit
  bool decimalsAsNumber;                 // "coma veinticinco" rather than "coma dos cinco"
};

const char16_t* const kTwenties[10] = {u"",          u"",          u"veintidos", u"veintitres", u"veinticuatro",
                                       u"veinticinco", u"veintiseis", u"veintisiete", u"veintiocho", u"veintinueve"};
const char16_t* const kOneForms21[4] = {u"veintiuno", u"veintiun", u"veintiuna", u"veintiun"};

const NumberWords kLiteralWords = {kUnits,      kTwenties,  kOneForms21, kHundreds, kHundreds, u" i ",
                                   u"millon", u"millones", nullptr,     nullptr,   12,        false};

const char16_t* const kUnitsEveryday[20] = {
    u"cero",  u"uno",    u"dos",    u"tres",      u"cuatro",     u"cinco",     u"seis",
    u"siete", u"ocho",   u"nueve",  u"diez",      u"once",       u"doce",      u"trece",
    u"catorce", u"quince", u"diecis\u00E9is", u"diecisiete", u"dieciocho", u"diecinueve"};
const char16_t* const kTwentiesEveryday[10] = {u"",  u"",  u"veintid\u00F3s", u"veintitr\u00E9s", u"veinticuatro",
                                               u"veinticinco", u"veintis\u00E9is", u"veintisiete", u"veintiocho",
                                               u"veintinueve"};
const char16_t* const kOneForms21Everyday[4] = {u"veintiuno", u"veinti\u00FAn", u"veintiuna", u"veinti\u00FAn"};
const char16_t* const kHundredsFem[10] = {u"",           u"cien",         u"doscientas", u"trescientas",
                                          u"cuatrocientas", u"quinientas", u"seiscientas", u"setecientas",
                                          u"ochocientas",  u"novecientas"};

const NumberWords kEverydayWords = {kUnitsEveryday, kTwentiesEveryday, kOneForms21Everyday, kHundreds,
                                    kHundredsFem,   u" y ",            u"mill\u00F3n",     u"millones",
                                    u"bill\u00F3n", u"billones",      15,                  true};

int32_t oneForm(int32_t k) { return k >= 0 && k < 4 ? k : 0; }

bool endsWith(const char16_t* w, int32_t n, const char16_t* suffix) {
  int32_t m = wstrLength(suffix);
  if (m > n) return false;
  for (int32_t i = 0; i < m; ++i) {
    if (w[n - m + i] != suffix[i]) return false;
  }
  return true;
}

// 1..99 with the one-forms of agreement class k.
void sayBelowHundred(TextWriter* w, int32_t v, int32_t k, const NumberWords& words = kLiteralWords) {
  if (v == 1) {
    writerPuts(w, kOneForms[oneForm(k)]);
  } else if (v < 20) {
    writerPuts(w, words.units[v]);
  } else if (v == 20) {
    writerPuts(w, kTens[2]);
  } else if (v < 30) {
    writerPuts(w, v == 21 ? words.oneForms21[oneForm(k)] : words.twenties[v - 20]);
  } else {
    writerPuts(w, kTens[v / 10]);
    if (v % 10 > 0) {
      writerPuts(w, words.tensJoin);
      writerPuts(w, v % 10 == 1 ? kOneForms[oneForm(k)] : words.units[v % 10]);
    }
  }
}

// 1..999 followed by a space. A lone hundred is "cien"; with tens or units, "ciento".
void sayGroup(TextWriter* w, int32_t v, int32_t k, const NumberWords& words) {
  const int32_t h = v / 100, r = v % 100;
  if (h > 0) {
    writerPuts(w, h == 1 && r > 0 ? u"ciento" : k == 2 ? words.hundredsFem[h] : words.hundreds[h]);
    writerPut(w, u' ');
  }
  if (r > 0) {
    sayBelowHundred(w, r, k, words);
    writerPut(w, u' ');
  }
}

void trimSpace(TextWriter* w) {
  if (writerLast(w) == u' ') writerPop(w);
}

int32_t readDigitsPlain(TextWriter* w, const char16_t* digits) { return sayDigits(w, digits, 0); }

}  // namespace

const AddressWords kAddressWords = {u"arroba", u"h t t p", u"w w w", u"punto", u"barra", u"menos", readDigitsPlain};

// Nouns: one, then the plural for every other amount.
const QuantityWords kCurrencies[] = {
    {u" $ dollar dollars ", {u"d\u00F3lar", u"d\u00F3lares", u"d\u00F3lares", u"d\u00F3lares"}, nullptr, 1},
    {u" \u20AC eur euro ", {u"euro", u"euros", u"euros", u"euros"}, nullptr, 1},
    {u" \u00A3 ", {u"libra", u"libras", u"libras", u"libras"}, nullptr, 2},
    {u" \u00A5 ", {u"yen", u"yenes", u"yenes", u"yenes"}, nullptr, 1},
};
const MoneyWords kMoneyWords = {kCurrencies, 4, 0, countForm, true};

int32_t agreementClass(const char16_t* word) {
  const int32_t n = wstrLength(word);
  if (n == 0) return 0;
  if (endsWith(word, n, u"umbre") || endsWith(word, n, u"itis") || endsWith(word, n, u"i\u00F3n") ||
      endsWith(word, n, u"sis") || endsWith(word, n, u"ie")) {
    return 2;
  }
  const char16_t c = word[n - 1];
  if (c == u'a' || c == u'd' || c == u'z') return 2;
  if (c == u'e' || c == u'l' || c == u'n' || c == u'o' || c == u'r' || c == u's') {
    if (textEquals(word, u"mano") || textEquals(word, u"noche") || textEquals(word, u"foto") ||
        textEquals(word, u"moto")) {
      return 2;
    }
    return 1;
  }
  return 3;
}

int32_t sayDigits(TextWriter* w, const char16_t* text, int32_t agreement) {
  const int32_t start = w->length;
  const int32_t n = wstrLength(text);
  for (int32_t i = 0; i < n; ++i) {
    const char16_t c = text[i];
    if (c == u'-' && i == 0) writerPuts(w, u"menos ");
    else if (c == u',') writerPuts(w, u"coma ");
    else if (c == u'.') writerPuts(w, u"punto ");
    else if (isAsciiDigit(c)) {
      writerPuts(w, i == n - 1 && c == u'1' ? kOneForms[oneForm(agreement)] : kUnits[c - u'0']);
      writerPut(w, u' ');
    }
  }
  trimSpace(w);
  return w->length - start;
}

namespace {

int32_t cardinal(TextWriter* w, const char16_t* number, int32_t k, const NumberWords& words) {
  const int32_t start = w->length;
  if (number == nullptr) return 0;
  const char16_t* p = number;
  if (*p == u'-') {
    writerPuts(w, u"menos ");
    ++p;
  }
  int32_t n = 0;
  while (p[n] != 0 && p[n] != u',') ++n;
  const bool hasDecimal = p[n] == u',';
  if (n > words.maxDigits) {
    sayDigits(w, p, k);
    return w->length - start;
  }
  int64_t value = 0;
  for (int32_t i = 0; i < n; ++i) value = value * 10 + (isAsciiDigit(p[i]) ? p[i] - u'0' : 0);
  const int32_t g0 = int32_t(value % 1000), g1 = int32_t(value / 1000 % 1000);
  const int32_t g2 = int32_t(value / 1000000 % 1000), g3 = int32_t(value / 1000000000 % 1000);
  const int32_t g4 = int32_t(value / 1000000000000);
  const int32_t before = w->length;
  if (n == 1 && p[0] == u'1') {
    // A lone 1 agrees with what follows; before decimals it is "uno".
    writerPuts(w, hasDecimal ? kUnits[1] : kOneForms[oneForm(k)]);
  } else {
    // Thousands of millions are read "mil millones"; a group before a scale
    // word takes the short one-form ("un", "veintiun").
    if (g4 > 0) {
      sayGroup(w, g4, 1, words);
      writerPuts(w, g4 == 1 ? words.billion : words.billions);
      writerPut(w, u' ');
    }
    if (g3 > 0) {
      if (g3 > 1) sayGroup(w, g3, 1, words);
      writerPuts(w, u"mil ");
    }
    if (g3 > 0 || g2 > 0) {
      if (g2 > 0) sayGroup(w, g2, 1, words);
      writerPuts(w, g3 == 0 && g2 == 1 ? words.million : words.millions);
      writerPut(w, u' ');
    }
    if (g1 > 0) {
      if (g1 > 1) sayGroup(w, g1, k == 2 ? 2 : 1, words);
      writerPuts(w, u"mil ");
    }
    if (g0 > 0) sayGroup(w, g0, k, words);
  }
  if (w->length == before) writerPuts(w, kUnits[0]);
  trimSpace(w);
  if (hasDecimal) {
    const char16_t* q = p + n + 1;
    bool nonZero = false;
    int32_t decimals = 0;
    for (; q[decimals] != 0; ++decimals) nonZero = nonZero || (q[decimals] >= u'1' && q[decimals] <= u'9');
    if (nonZero && words.decimalsAsNumber && decimals <= 2 && q[0] != u'0') {
      writerPuts(w, u" coma ");
      cardinal(w, q, 0, words);
    } else if (nonZero) {
      writerPut(w, u' ');
      sayDigits(w, p + n, k);
    }
  }
  return w->length - start;
}

}  // namespace

int32_t sayCardinal(TextWriter* w, const char16_t* number, int32_t k) {
  return cardinal(w, number, k, kLiteralWords);
}

int32_t sayCardinalEveryday(TextWriter* w, const char16_t* number, int32_t k) {
  return cardinal(w, number, k, kEverydayWords);
}

int32_t sayNumberEveryday(TextWriter* w, const char16_t* token, const char16_t* nextToken) {
  const int32_t start = w->length;
  // Only a word agrees ("uno" before a digit or a mark); a plural in "-as" is
  // feminine ("sillas", "personas"), whatever its last letter says.
  const bool nextIsWord = nextToken != nullptr && isLanguageLetter(&kTextLanguageEs, nextToken[0]);
  int32_t k = nextIsWord ? agreementClass(nextToken) : 0;
  const int32_t m = wstrLength(nextToken);
  if (m >= 3 && nextToken[m - 2] == u'a' && nextToken[m - 1] == u's') k = 2;
  sayCardinalEveryday(w, token, k);
  // "dos millones de personas": whole millions take "de" before a noun.
  const char16_t* p = token != nullptr && token[0] == u'-' ? token + 1 : token;
  int32_t n = 0;
  while (p != nullptr && isAsciiDigit(p[n])) ++n;
  bool wholeMillions = n >= 7 && n <= kEverydayMaxDigits && (p[n] == 0);
  for (int32_t i = n - 6; wholeMillions && i < n; ++i) wholeMillions = p[i] == u'0';
  if (wholeMillions && nextToken != nullptr && isLanguageLetter(&kTextLanguageEs, nextToken[0]) &&
      !textEquals(nextToken, u"de")) {
    writerPuts(w, u" de");
  }
  return w->length - start;
}

int32_t sayDigitsEveryday(TextWriter* w, const char16_t* digits) {
  return writeDigitsSpaced(w, digits, kUnits, u"punto");
}

int32_t sayDigitString(TextWriter* w, const char16_t* token) {
  if (digitStringIsCardinal(token)) return sayCardinal(w, token, 0);
  return writeDigitsMarked(w, token, kUnits);
}

int32_t sayNumber(TextWriter* w, const char16_t* token, const char16_t* nextToken) {
  return sayCardinal(w, token, nextToken != nullptr ? agreementClass(nextToken) : 0);
}

namespace {

int32_t date(TextWriter* w, const char16_t* day, const char16_t* month, const char16_t* year,
             const NumberWords& words) {
  const int32_t start = w->length;
  if (digitValue(day) == 1) writerPuts(w, u"primero");
  else cardinal(w, day, 0, words);
  const int32_t m = digitValue(month);
  writerPuts(w, u" de ");
  writerPuts(w, kMonths[m >= 1 && m <= 12 ? m : 0]);
  writerPuts(w, u" de ");
  cardinal(w, year, 0, words);
  writerPut(w, u',');
  return w->length - start;
}

}  // namespace

int32_t sayDate(TextWriter* w, const char16_t* day, const char16_t* month, const char16_t* year) {
  return date(w, day, month, year, kLiteralWords);
}

int32_t sayDateEveryday(TextWriter* w, const char16_t* day, const char16_t* month, const char16_t* year) {
  return date(w, day, month, year, kEverydayWords);
}

namespace {

int32_t time(TextWriter* w, const char16_t* hour, const char16_t* minutes, const char16_t* meridiem,
             const NumberWords& words) {
  const int32_t start = w->length;
  int32_t h = digitValue(hour);
  if (h == 0) h = 12;
  if (h > 99) h = 99;
  // "a las 9:15": the article is already in the text and is not said twice.
  const bool article = writerEndsWithWord(w, u"la") || writerEndsWithWord(w, u"las") ||
                       writerEndsWithWord(w, u"La") || writerEndsWithWord(w, u"Las");
  if (h == 1) {
    writerPuts(w, article ? u"una" : u"la una");
  } else {
    if (!article) writerPuts(w, u"las ");
    sayBelowHundred(w, h, 0, words);
  }
  if (digitValue(minutes) > 0) {
    writerPuts(w, words.tensJoin);
    cardinal(w, minutes, 0, words);
  }
  if (textEquals(meridiem, u"AM")) writerPuts(w, u",A M");
  else if (textEquals(meridiem, u"PM")) writerPuts(w, u",P M");
  writerPut(w, u',');
  return w->length - start;
}

}  // namespace

int32_t sayTime(TextWriter* w, const char16_t* hour, const char16_t* minutes, const char16_t* meridiem) {
  return time(w, hour, minutes, meridiem, kLiteralWords);
}

int32_t sayTimeEveryday(TextWriter* w, const char16_t* hour, const char16_t* minutes, const char16_t* meridiem) {
  return time(w, hour, minutes, meridiem, kEverydayWords);
}


}  // namespace es
}  // namespace tts
