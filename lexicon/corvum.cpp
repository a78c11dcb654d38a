// The lexicon's C entry points: handles, lexicon ids, the user dictionary,
// and the pronunciation lookup that dispatches to each language's rules and
// writes the result into the caller's 256-byte buffer.
#include <cstring>
#include <new>
#include <string>

#include "corvum.h"
#include "language_rules.h"
#include "user_dictionary.h"

namespace {

constexpr uint32_t kLexiconMagic = 0x43525655u;  // "CRVU": a live handle

// A word is read up to this many UTF-16 units; the rest of an over-long word
// is ignored (its pronunciation could not fit in the buffer anyway).
constexpr std::size_t kMaxWordUnits = 1024;

using PronounceFn = bool (*)(std::u16string_view, std::string&);
// Indexed by corvum::languageSlot.
constexpr PronounceFn kPronounce[3] = {corvum::pronounceSpanish, corvum::pronouncePolish,
                                       corvum::pronounceTurkish};

bool isSeparator(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '-'; }

// Copies the symbols of `pron` that belong to the language into `out`, single
// spaces between them, stopping at the last whole symbol that fits with the
// NUL in CORVUM_PRON_CAPACITY bytes. A stress digit other than 0, 1, 2 is
// dropped. Returns the number of symbols written.
int32_t writePronunciation(uint16_t languageCode, std::string_view pron, char* out) {
  std::size_t used = 0;
  int32_t count = 0;
  std::size_t i = 0;
  while (i < pron.size()) {
    while (i < pron.size() && isSeparator(pron[i])) ++i;
    std::size_t end = i;
    while (end < pron.size() && !isSeparator(pron[end])) ++end;
    if (end == i) break;
    std::string_view symbol = pron.substr(i, end - i);
    i = end;
    char digit = '\0';
    if (symbol.back() >= '0' && symbol.back() <= '9') {
      if (symbol.back() <= '2') digit = symbol.back();
      symbol.remove_suffix(1);
    }
    if (!corvum::isLexiconSymbol(languageCode, symbol)) continue;
    const std::size_t need = (count > 0 ? 1 : 0) + symbol.size() + (digit != '\0' ? 1 : 0);
    if (used + need > CORVUM_PRON_CAPACITY - 1) break;
    if (count > 0) out[used++] = ' ';
    std::memcpy(out + used, symbol.data(), symbol.size());
    used += symbol.size();
    if (digit != '\0') out[used++] = digit;
    ++count;
  }
  out[used] = '\0';
  return count;
}

}  // namespace

struct CorvumLexicon {
  uint32_t magic = kLexiconMagic;
  uint16_t language = CORVUM_LANG_ALL;  // served language, or all three
  corvum::UserDictionary dictionaries[3];

  bool serves(uint16_t languageCode) const {
    return corvum::languageSlot(languageCode) >= 0 &&
           (language == CORVUM_LANG_ALL || language == languageCode);
  }
};

namespace {

CorvumLexicon* liveLexicon(void* handle) {
  auto* lex = static_cast<CorvumLexicon*>(handle);
  return lex && lex->magic == kLexiconMagic ? lex : nullptr;
}

}  // namespace

extern "C" {

CorvumLexicon* LexMgr_Open(uint16_t languageCode) {
  if (languageCode != CORVUM_LANG_ALL && corvum::languageSlot(languageCode) < 0) return nullptr;
  try {
    auto* lex = new (std::nothrow) CorvumLexicon();
    if (lex) lex->language = languageCode;
    return lex;
  } catch (...) {
    return nullptr;
  }
}

int32_t LexMgr_LoadUserDictionary(CorvumLexicon* lexicon, uint16_t languageCode, const char* path,
                                  CorvumReport report, void* user) {
  try {
    CorvumLexicon* lex = liveLexicon(lexicon);
    if (!lex || !path) return -1;
    if (!lex->serves(languageCode)) {
      if (report) report(user, 0, "language not served by this lexicon");
      return -1;
    }
    std::string bytes;
    if (!corvum::readDictionaryFile(path, bytes)) {
      if (report) report(user, 0, "cannot read the dictionary file");
      return -1;
    }
    return lex->dictionaries[corvum::languageSlot(languageCode)].load(languageCode, bytes, report, user);
  } catch (...) {
    if (report) report(user, 0, "out of memory while loading the dictionary");
    return -1;
  }
}

void LexMgr_Close(CorvumLexicon* lexicon) {
  CorvumLexicon* lex = liveLexicon(lexicon);
  if (!lex) return;
  lex->magic = 0;
  delete lex;
}

int32_t LexMgr_GetLexID(void* lexicon, uint16_t languageCode, uint16_t /*reserved*/) {
  const CorvumLexicon* lex = liveLexicon(lexicon);
  if (!lex || !lex->serves(languageCode)) return -1;
  return languageCode;  // the id is the language code
}

int32_t LexMgr_GetPronString(void* lexicon, uint16_t lexId, const CorvumChar16* word, char* out,
                             int32_t /*a*/, int32_t /*b*/, int32_t /*c*/) {
  if (!out) return 0;
  out[0] = '\0';
  try {
    const CorvumLexicon* lex = liveLexicon(lexicon);
    if (!lex || !word || !lex->serves(lexId)) return 0;
    std::size_t length = 0;
    while (length < kMaxWordUnits && word[length] != 0) ++length;
    if (length == 0) return 0;
    const std::u16string_view text(word, length);
    const int slot = corvum::languageSlot(lexId);
    const corvum::UserDictionary& dictionary = lex->dictionaries[slot];
    if (!dictionary.empty()) {
      if (const std::string* entry = dictionary.find(lexId, text)) return writePronunciation(lexId, *entry, out);
    }
    // One scratch text per thread, kept from lookup to lookup, so that a
    // thread's lookups stop allocating once it has met its longest word
    // (threads sharing one lexicon each have their own).
    thread_local std::string pron;
    pron.clear();
    if (pron.capacity() < 2 * CORVUM_PRON_CAPACITY) pron.reserve(2 * CORVUM_PRON_CAPACITY);
    if (!kPronounce[slot](text, pron)) return 0;
    return writePronunciation(lexId, pron, out);
  } catch (...) {
    out[0] = '\0';
    return 0;
  }
}

}  // extern "C"
