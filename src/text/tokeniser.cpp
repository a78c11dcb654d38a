#include "text/tokeniser.h"

namespace tts {

namespace {

// Wide punctuation and quotes that are read as single symbols.
constexpr char16_t kWideSymbols[] = u"\uFF0C\u3002\uFF1B\uFF1A\uFF1F\u300C\u300D\u3010\u3011\uFE5D\uFE5E"
                                    u"\uFF01\u3001\u2027\u201C\u201D\u301D\u301E";

bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

// " " + word + " " (ASCII capitals lowered) inside a space-delimited list.
bool inWordList(const char16_t* list, const char16_t* word) {
  if (list == nullptr || word == nullptr || word[0] == 0) return false;
  int32_t n = wstrLength(word);
  for (int32_t p = 0; list[p] != 0; ++p) {
    if (list[p] != u' ') continue;
    int32_t i = 0;
    for (; i < n; ++i) {
      char16_t c = word[i];
      if (c >= u'A' && c <= u'Z') c = char16_t(c + 32);
      if (list[p + 1 + i] != c) break;
    }
    if (i == n && list[p + 1 + n] == u' ') return true;
  }
  return false;
}

}  // namespace

bool isLanguageLetter(const TextLanguage* lang, char16_t c) {
  if (isAsciiLetter(c)) return true;
  for (const char16_t* p = lang->letters; p != nullptr && *p != 0; ++p) {
    if (*p == c) return true;
  }
  return false;
}

int32_t digitValue(const char16_t* s) {
  int32_t v = 0;
  for (; s != nullptr && isAsciiDigit(*s); ++s) {
    if (v < 100000000) v = v * 10 + (*s - u'0');
    else v = 1000000000;
  }
  return v;
}

bool isSymbolChar(char16_t c) {
  if ((c >= 33 && c <= 47) || (c >= 58 && c <= 64) || (c >= 91 && c <= 96) || (c >= 123 && c <= 126)) return true;
  if (c == 0xA3 || c == 0xA5 || c == 0x20AC) return true;
  for (const char16_t* p = kWideSymbols; *p != 0; ++p) {
    if (*p == c) return true;
  }
  return false;
}

namespace {

// With '.' as the decimal mark, a run of digits holding two or more '.'
// marks is never a decimal number: regular groups of three are thousands
// ("1.234.567"), anything else ("1.2.3", "20.05.2007") is a dotted code read
// digit by digit. Returns the end of the run, or -1 when it has fewer than two marks.
// `everyday` ('.' groups thousands): a run shaped like a date (1-2, 1-2 and
// 2-4 digits) or a time ("10.30") is left to the recognisers, and a single
// '.' that does not group thousands ("3.5") makes a dotted code as well.
int32_t scanDottedRun(const char16_t* text, int32_t start, char16_t* token, int32_t* tokenClass,
                      bool everyday) {
  int32_t i = start, dots = 0;
  bool grouped = text[start] != u'0';
  bool dateShaped = true;
  int32_t group = 0;
  while (i < start + kMaxNumberLength && text[i] != 0) {
    if (isAsciiDigit(text[i])) {
      ++group;
    } else if (text[i] == u'.' && isAsciiDigit(text[i + 1])) {
      grouped = grouped && (dots == 0 ? group <= 3 : group == 3);
      dateShaped = dateShaped && group <= 2;
      group = 0;
      ++dots;
    } else {
      break;
    }
    ++i;
  }
  if (dots == 0 || (dots == 1 && !everyday)) return -1;
  if (everyday && dots == 2 && dateShaped && group >= 2 && group <= 4) return -1;
  if (everyday && dots == 1) {
    const bool timeShaped = dateShaped && group == 2 && digitValue(text + start) <= 24;
    if (group == 3 || timeShaped) return -1;
  }
  grouped = grouped && group == 3;
  int32_t n = 0;
  for (int32_t p = start; p < i; ++p) {
    if (!grouped || text[p] != u'.') token[n++] = text[p];
  }
  token[n] = 0;
  *tokenClass = grouped ? (TC_NUMBER | TC_NUMERIC) : (TC_NUMERIC | TC_DIGITS);
  return i;
}

}  // namespace

int32_t scanNumber(const TextLanguage* lang, const char16_t* text, int32_t start, char16_t* token,
                   int32_t* tokenClass) {
  return scanNumberWith(lang->decimalMark, lang->thousandsMark, text, start, token, tokenClass);
}

int32_t scanNumberWith(char16_t dec, char16_t thou, const char16_t* text, int32_t start, char16_t* token,
                       int32_t* tokenClass) {
  const char16_t before = start > 0 ? text[start - 1] : char16_t(0);
  const bool digitsOnly = before == u',' || before == u'.' || isAsciiLetter(before);
  const bool leadingZero = text[start] == u'0';
  if (dec == u'.' && !digitsOnly) {
    const int32_t end = scanDottedRun(text, start, token, tokenClass, false);
    if (end >= 0) return end;
  }
  int32_t firstThou = -1, lastThou = -1, decPos = -1;
  int32_t i = start;
  int32_t end = -1;
  while (i < start + kMaxNumberLength && text[i] != 0) {
    char16_t c = text[i];
    if (isAsciiDigit(c)) {
      ++i;
      continue;
    }
    if (digitsOnly || !isAsciiDigit(text[i + 1])) break;
    if (c == dec) {
      if (decPos >= 0) break;
      if (leadingZero && i - start >= 2) break;  // '0' followed by more digits takes no decimal mark
      if (firstThou >= 0 && (i - firstThou) % 4 != 0) {
        end = firstThou;
        break;
      }
      decPos = i++;
      continue;
    }
    if (c == thou) {
      if (leadingZero || decPos >= 0) break;
      if (firstThou < 0) {
        firstThou = i;
      } else if (i - lastThou != 4) {
        end = firstThou;
        break;
      }
      lastThou = i++;
      continue;
    }
    break;
  }
  if (end < 0) {
    end = i;
    // A mark cut off by the length limit is dropped.
    if (end - 1 > start && (text[end - 1] == dec || text[end - 1] == thou)) {
      --end;
      if (end == decPos) decPos = -1;
      if (end == firstThou) firstThou = -1;
    }
    if (firstThou >= 0 && decPos < 0 && (end - firstThou) % 4 != 0) end = firstThou;
  }
  bool marked = false;
  for (int32_t p = start; p < end; ++p) {
    if (text[p] == dec || text[p] == thou) marked = true;
  }
  if (marked) *tokenClass = TC_NUMBER | TC_NUMERIC;
  else if (leadingZero && end - start > 1) *tokenClass = TC_NUMERIC | TC_DIGITS;
  else *tokenClass = TC_NUMBER | TC_NUMERIC | TC_PLAIN | TC_DIGITS;
  int32_t n = 0;
  for (int32_t p = start; p < end; ++p) {
    if (text[p] != thou) token[n++] = text[p];
  }
  token[n] = 0;
  return end;
}

int32_t scanWord(const TextLanguage* lang, const char16_t* text, int32_t start, char16_t* token) {
  int32_t i = start, n = 0;
  for (;;) {
    char16_t c = text[i];
    bool take = isLanguageLetter(lang, c);
    if (!take && c == u'\'' && lang->apostropheInWords && i > start && isLanguageLetter(lang, text[i + 1])) {
      take = true;
    }
    if (!take || n == kMaxWordLength) break;
    token[n++] = c;
    ++i;
  }
  token[n] = 0;
  return i;
}

int32_t classifyToken(const TextLanguage* lang, const char16_t* word) {
  if (wstrLength(word) >= kMaxWordLength) return TC_WORD | TC_ALPHA;
  if (inWordList(lang->currencyWords, word)) return TC_CURRENCY | TC_UNIT | TC_WORD | TC_ALPHA;
  if (inWordList(lang->unitWords, word)) return TC_UNIT | TC_WORD | TC_ALPHA;
  return TC_WORD | TC_ALPHA;
}

namespace {

// "1.º", "1º", "3.ª", "1.er" after the number that ends at `end`: the token
// gets the indicator ('º', 'ª' or 'r') appended. Returns the new end, or -1.
int32_t scanOrdinalIndicator(const TextLanguage* lang, const char16_t* text, int32_t end, char16_t* token) {
  int32_t i = end;
  if (text[i] == u'.') ++i;
  char16_t marker = 0;
  if (text[i] == 0xBA || text[i] == 0xAA) {
    marker = text[i++];
  } else if (i > end && text[i] == u'e' && text[i + 1] == u'r' && !isLanguageLetter(lang, text[i + 2])) {
    marker = u'r';
    i += 2;
  }
  if (marker == 0) return -1;
  const int32_t n = wstrLength(token);
  token[n] = marker;
  token[n + 1] = 0;
  return i;
}

}  // namespace

int32_t nextToken(const TextLanguage* lang, const char16_t* text, int32_t position, char16_t* token,
                  int32_t* tokenClass, const TokenRules* rules, int32_t* tokenStart) {
  if (text == nullptr || position < 0) return -1;
  const TokenRules literal = {lang->decimalMark, lang->thousandsMark, false};
  if (rules == nullptr) rules = &literal;
  int32_t i = position;
  for (;;) {
    while (isBlank(text[i])) ++i;
    const char16_t c = text[i];
    if (c == 0) return -1;
    if (tokenStart != nullptr) *tokenStart = i;
    const char16_t before = i > 0 ? text[i - 1] : char16_t(0);
    if (c == u'-' && !isAsciiDigit(before) && !isAsciiLetter(before) && isAsciiDigit(text[i + 1])) {
      int32_t cls = 0;
      int32_t end = scanNumberWith(rules->decimalMark, rules->thousandsMark, text, i + 1, token + 1, &cls);
      if ((cls & TC_NUMBER) != 0) {
        token[0] = u'-';
        *tokenClass = cls & ~(TC_DIGITS | TC_NUMERIC);
        return end;
      }
    }
    if (c == u'#' && !isAsciiDigit(before) && isAsciiDigit(text[i + 1])) {
      int32_t cls = 0;
      int32_t end = scanNumberWith(rules->decimalMark, rules->thousandsMark, text, i + 1, token, &cls);
      if ((cls & TC_DIGITS) != 0) {
        *tokenClass = cls & ~TC_NUMBER;
        return end;
      }
    }
    if (isAsciiDigit(c) && rules->everyday && rules->thousandsMark == u'.' && before != u',' && before != u'.' &&
        !isAsciiLetter(before)) {
      // "1.2.3" and "3.5" are dotted codes in the everyday reading too.
      const int32_t end = scanDottedRun(text, i, token, tokenClass, true);
      if (end >= 0 && (*tokenClass & TC_PLAIN) == 0 && (*tokenClass & TC_DIGITS) != 0) return end;
    }
    if (isAsciiDigit(c)) {
      const int32_t end = scanNumberWith(rules->decimalMark, rules->thousandsMark, text, i, token, tokenClass);
      if (rules->everyday && (*tokenClass & TC_PLAIN) != 0 && wstrLength(token) < kMaxNumberLength) {
        const int32_t ordinalEnd = scanOrdinalIndicator(lang, text, end, token);
        if (ordinalEnd >= 0) {
          *tokenClass = TC_ORDINAL | TC_NUMERIC;
          return ordinalEnd;
        }
      }
      return end;
    }
    if (rules->everyday && c == 0xB0 && (text[i + 1] == u'C' || text[i + 1] == u'F')) {
      token[0] = c;
      token[1] = text[i + 1];
      token[2] = 0;
      *tokenClass = TC_WORD | TC_ALPHA;
      return i + 2;
    }
    if (isSymbolChar(c)) {
      token[0] = c;
      token[1] = 0;
      *tokenClass = TC_PUNCT;
      return i + 1;
    }
    if (isLanguageLetter(lang, c)) {
      int32_t end = scanWord(lang, text, i, token);
      *tokenClass = classifyToken(lang, token);
      return end;
    }
    ++i;  // neither blank, digit, symbol nor letter: dropped
  }
}

}  // namespace tts
