// Fuzz target: the lexicon's user dictionary loader with arbitrary file
// contents, then lookups of the words the file names. Input: byte 0 = language
// (bits 0-1) and a lexicon serving all three (bit 2); the rest = the file.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "corvum.h"
#include "fuzz_input.h"

namespace {

constexpr uint16_t kLanguages[3] = {CORVUM_LANG_SPANISH, CORVUM_LANG_POLISH, CORVUM_LANG_TURKISH};

// One temporary file per process, rewritten for every input.
struct TempFile {
  char path[64];
  TempFile() {
    const char* dir = std::getenv("TMPDIR");
    std::snprintf(path, sizeof path, "%s/voxa-dict-XXXXXX", dir && std::strlen(dir) < 40 ? dir : "/tmp");
    const int fd = mkstemp(path);
    FUZZ_EXPECT(fd >= 0);
    close(fd);
  }
  ~TempFile() { unlink(path); }
  void write(const std::string& bytes) const {
    std::FILE* f = std::fopen(path, "wb");
    FUZZ_EXPECT(f != nullptr);
    FUZZ_EXPECT(bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size());
    std::fclose(f);
  }
};

void onReport(void* user, int32_t line, const char* message) {
  FUZZ_EXPECT(line >= 0 && message != nullptr);
  *static_cast<size_t*>(user) += std::strlen(message);  // the message is a readable string
}

void lookUp(CorvumLexicon* lexicon, uint16_t lexId, const std::u16string& word) {
  char* out = static_cast<char*>(std::malloc(CORVUM_PRON_CAPACITY));
  const int32_t n = LexMgr_GetPronString(lexicon, lexId, word.c_str(), out, 0, 1, 0);
  FUZZ_EXPECT(n < 1 || std::memchr(out, '\0', CORVUM_PRON_CAPACITY) != nullptr);
  std::free(out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TempFile file;
  voxa_fuzz::ByteReader in(data, size);
  const uint8_t select = in.byte();
  const std::string contents = in.rest();
  const uint16_t language = kLanguages[(select & 3) % 3];
  CorvumLexicon* lexicon = LexMgr_Open((select & 4) ? CORVUM_LANG_ALL : language);
  FUZZ_EXPECT(lexicon != nullptr);

  file.write(contents);
  size_t reported = 0;
  const int32_t loaded = LexMgr_LoadUserDictionary(lexicon, language, file.path, onReport, &reported);
  FUZZ_EXPECT(loaded >= -1);
  const int32_t lexId = LexMgr_GetLexID(lexicon, language, 0);

  // Look up the first field of the first lines, as written in the file.
  size_t start = 0;
  for (int line = 0; line < 16 && start < contents.size(); ++line) {
    size_t end = contents.find('\n', start);
    if (end == std::string::npos) end = contents.size();
    const std::string row = contents.substr(start, end - start);
    const std::string word = row.substr(0, row.find('\t'));
    std::u16string units = voxa_fuzz::lenientUtf16(word);
    units.erase(std::find(units.begin(), units.end(), u'\0'), units.end());
    if (lexId >= 0) lookUp(lexicon, static_cast<uint16_t>(lexId), units);
    start = end + 1;
  }
  // Loading again on top of the first load.
  if (select & 8) LexMgr_LoadUserDictionary(lexicon, language, file.path, nullptr, nullptr);
  LexMgr_Close(lexicon);
  return 0;
}
