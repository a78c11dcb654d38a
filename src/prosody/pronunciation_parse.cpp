// Pronunciation strings to phone ids and stress marks.
#include "model/strings.h"
#include "prosody/phoneset.h"
#include "prosody/pronunciation.h"

namespace tts {

namespace {

constexpr int32_t kPronBytes = 256;
constexpr int32_t kMaxSymbolLength = 15;

bool isSeparator(char ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '-'; }

}  // namespace

int32_t parsePronunciation(const ProsodyContext& ctx, const char* pron, uint8_t* phones, uint8_t* stress) {
  if (!pron || !phones || !stress) return 0;
  int32_t count = 0;
  int32_t i = 0;
  while (i < kPronBytes - 1 && pron[i] != '\0' && count < kMaxWordPhones) {
    if (isSeparator(pron[i])) {
      ++i;
      continue;
    }
    char symbol[kMaxSymbolLength + 1];
    int32_t length = 0;
    bool tooLong = false;
    while (i < kPronBytes - 1 && pron[i] != '\0' && !isSeparator(pron[i])) {
      if (length < kMaxSymbolLength)
        symbol[length++] = pron[i];
      else
        tooLong = true;
      ++i;
    }
    symbol[length] = '\0';
    uint8_t mark = 0;
    if (length > 0 && symbol[length - 1] >= '0' && symbol[length - 1] <= '9') {
      const char digit = symbol[length - 1];
      mark = (digit == '1' || digit == '2') ? static_cast<uint8_t>(digit - '0') : 0;
      symbol[--length] = '\0';
    }
    int32_t id = 0;
    if (!tooLong) {
      const char* name = mapLexiconSymbol(ctx.phoneset, symbol);
      id = name ? phoneIndex(ctx.phoneset, name) : 0;
    }
    phones[count] = static_cast<uint8_t>(id);
    stress[count] = mark;
    ++count;
    if (ctx.language && ctx.language->afterPhone)
      ctx.language->afterPhone(ctx.phoneset, symbol, phones, stress, &count, kMaxWordPhones);
  }
  return count;
}

}  // namespace tts
