// Fuzz target: pronunciations of arbitrary UTF-16 words in the three
// languages. Input: byte 0 picks the handle (one language, or all three) and
// the lexicon id asked for; the rest = little-endian UTF-16 units, split into
// words at NUL units.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "corvum.h"
#include "fuzz_input.h"

namespace {

constexpr uint16_t kLanguages[3] = {CORVUM_LANG_SPANISH, CORVUM_LANG_POLISH, CORVUM_LANG_TURKISH};

struct Lexicons {
  CorvumLexicon* single[3];
  CorvumLexicon* all;
  Lexicons() : all(LexMgr_Open(CORVUM_LANG_ALL)) {
    for (int i = 0; i < 3; ++i) single[i] = LexMgr_Open(kLanguages[i]);
  }
};

void lookUp(void* lexicon, uint16_t lexId, const std::u16string& word) {
  // The caller's buffer is exactly CORVUM_PRON_CAPACITY bytes on the heap.
  char* out = static_cast<char*>(std::malloc(CORVUM_PRON_CAPACITY));
  std::memset(out, 0x5A, CORVUM_PRON_CAPACITY);
  const int32_t n = LexMgr_GetPronString(lexicon, lexId, word.c_str(), out, 0, 1, 0);
  FUZZ_EXPECT(n < 1 || std::memchr(out, '\0', CORVUM_PRON_CAPACITY) != nullptr);  // unterminated result
  std::free(out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Lexicons lexicons;
  voxa_fuzz::ByteReader in(data, size);
  const uint8_t select = in.byte();
  const std::u16string units = voxa_fuzz::rawUtf16(in.rest());
  const int language = (select & 3) == 3 ? (select >> 2) % 3 : select & 3;
  void* lexicon = (select & 0x10) ? lexicons.all : lexicons.single[language];
  int32_t lexId = LexMgr_GetLexID(lexicon, kLanguages[language], 0);
  static const int32_t kOtherIds[4] = {0, CORVUM_LANG_TURKISH, CORVUM_LANG_POLISH, CORVUM_LANG_SPANISH};
  if (select & 0x20) lexId = kOtherIds[select >> 6];  // ids the handle may not serve
  if (lexId < 0) return 0;

  size_t start = 0;
  int words = 0;
  while (start <= units.size() && words < 64) {
    size_t end = units.find(u'\0', start);
    if (end == std::u16string::npos) end = units.size();
    lookUp(lexicon, static_cast<uint16_t>(lexId), units.substr(start, end - start));
    start = end + 1;
    ++words;
  }
  lookUp(nullptr, static_cast<uint16_t>(lexId), u"a");
  return 0;
}
