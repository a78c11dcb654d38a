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

int32_t scanNumber(const TextLanguage* lang, const char16_t* text, int32_t start, char16_t* token,
                   int32_t* tokenClass) {
  const char16_t dec = lang->decimalMark;
  const char16_t thou = lang->thousandsMark;
  const char16_t before = start > 0 ? text[start - 1] : char16_t(0);
  const bool digitsOnly = before == u',' || before == u'.' || isAsciiLetter(before);
  const bool leadingZero = text[start] == u'0';
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

int32_t nextToken(const TextLanguage* lang, const char16_t* text, int32_t position, char16_t* token,
                  int32_t* tokenClass) {
  if (text == nullptr || position < 0) return -1;
  int32_t i = position;
  for (;;) {
    while (isBlank(text[i])) ++i;
    const char16_t c = text[i];
    if (c == 0) return -1;
    const char16_t before = i > 0 ? text[i - 1] : char16_t(0);
    if (c == u'-' && !isAsciiDigit(before) && !isAsciiLetter(before) && isAsciiDigit(text[i + 1])) {
      int32_t cls = 0;
      int32_t end = scanNumber(lang, text, i + 1, token + 1, &cls);
      if ((cls & TC_NUMBER) != 0) {
        token[0] = u'-';
        *tokenClass = cls & ~(TC_DIGITS | TC_NUMERIC);
        return end;
      }
    }
    if (c == u'#' && !isAsciiDigit(before) && isAsciiDigit(text[i + 1])) {
      int32_t cls = 0;
      int32_t end = scanNumber(lang, text, i + 1, token, &cls);
      if ((cls & TC_DIGITS) != 0) {
        *tokenClass = cls & ~TC_NUMBER;
        return end;
      }
    }
    if (isAsciiDigit(c)) return scanNumber(lang, text, i, token, tokenClass);
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
