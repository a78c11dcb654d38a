// The user dictionary: words with pronunciations supplied by the host in a
// UTF-8 text file, one "word<TAB>pronunciation" entry per line, '#' comment
// lines and blank lines allowed. Entries are checked against the language's
// lexicon symbols on load; bad lines are reported and skipped. Also the
// per-language pieces that both the dictionary and the lookup need: the
// symbol sets and lower-casing.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "corvum.h"

namespace corvum {

// Index 0, 1, 2 of a served language (Spanish, Polish, Turkish); -1 for any other code.
int languageSlot(uint16_t languageCode);

// Whether `symbol` (its stress digit already removed) is one of the language's lexicon symbols.
bool isLexiconSymbol(uint16_t languageCode, std::string_view symbol);

// Lower case of one UTF-16 unit for the language: Latin letters of ASCII,
// Latin-1 and Latin Extended-A; Turkish lowers I to ı and İ to i.
char16_t lowerForLanguage(uint16_t languageCode, char16_t c);

// Longest word (UTF-16 units) and pronunciation (bytes) an entry may have.
constexpr std::size_t kMaxEntryWordUnits = 255;
constexpr std::size_t kMaxEntryPronBytes = CORVUM_PRON_CAPACITY - 1;

class UserDictionary {
 public:
  // Adds the entries of a dictionary file's contents; later entries replace
  // earlier ones of the same word. Bad lines go to `report` (may be null)
  // with their 1-based line number. Returns the number of entries accepted.
  int32_t load(uint16_t languageCode, std::string_view text, CorvumReport report, void* user);

  // The pronunciation (single-space separated symbols) of `word`, compared
  // after lowering; null when the word has no entry.
  const std::string* find(uint16_t languageCode, std::u16string_view word) const;

  bool empty() const { return entries_.empty(); }
  std::size_t size() const { return entries_.size(); }

 private:
  std::unordered_map<std::u16string, std::string> entries_;
};

// Reads a whole file (at most 64 MiB). False when it cannot be read.
bool readDictionaryFile(const char* path, std::string& bytes);

}  // namespace corvum
