#include "text/address_reading.h"

#include "text/text_language.h"

namespace tts {

namespace {

constexpr int32_t kLongPiece = 253;  // one piece of a joined domain, NUL included

void writeWord(TextWriter* w, const char16_t* word) {
  writerPuts(w, word);
  writerPut(w, u' ');
}

// The pieces of `text` in turn, then ',' in place of the last space.
void sayDomain(TextWriter* w, const char16_t* text, const AddressWords& words) {
  char16_t piece[kLongPiece];
  int32_t i = 0;
  while (text != nullptr && text[i] != 0) {
    while (text[i] == u' ') ++i;
    if (text[i] == 0) break;
    int32_t n = 0;
    while (text[i] != 0 && text[i] != u' ') {
      if (n < kLongPiece - 1) piece[n++] = text[i];
      ++i;
    }
    piece[n] = 0;
    if (textEquals(piece, u"www") || textEquals(piece, u"WWW")) writeWord(w, words.www);
    else if (textEquals(piece, u".")) writeWord(w, words.dot);
    else if (textEquals(piece, u"/")) writeWord(w, words.slash);
    else if (textEquals(piece, u"-")) writeWord(w, words.dash);
    else if (isAsciiDigit(piece[0])) {
      words.readDigits(w, piece);
      writerPut(w, u' ');
    } else {
      writeWord(w, piece);
    }
  }
  if (writerLast(w) == u' ') writerPop(w);
  writerPut(w, u',');
}

}  // namespace

int32_t sayAddressEmail(TextWriter* w, const char16_t* domain, const AddressWords& words) {
  const int32_t start = w->length;
  writeWord(w, words.emailPrefix);
  sayDomain(w, domain, words);
  return w->length - start;
}

int32_t sayAddressWeb(TextWriter* w, const char16_t* address, const AddressWords& words) {
  const int32_t start = w->length;
  writeWord(w, words.webPrefix);
  sayDomain(w, address, words);
  return w->length - start;
}

bool digitStringIsCardinal(const char16_t* token) {
  if (token == nullptr) return false;
  const int32_t n = wstrLength(token);
  const int32_t v = digitValue(token);
  return n > 0 && n <= 4 && token[0] != u'-' && token[0] != u'0' && (v < 100 || (v >= 1000 && v <= 2100));
}

}  // namespace tts
