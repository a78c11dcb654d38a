// Turkish words that the letter-to-sound and stress rules cannot get: place
// and personal names, adverbs, function words and loans with non-final stress,
// unstressed clitics, respelled words and short words that stay words in capitals.
#pragma once
#include <cstdint>
#include <string_view>

namespace corvum {
namespace tr {

constexpr int8_t kFinalStress = -1;  // Entry::stress: final syllable, whatever the suffix rules say
constexpr int8_t kUnstressed = 0;   // Entry::stress: the word carries no stress

enum EntryFlags : uint8_t {
  kSuffixable = 1,  // keeps its stress under inflectional suffixes ("Ankara" → "Ankarada")
  kCapsWord = 2,    // read as a word, not spelled, when written in capitals ("VE", "NATO")
};

struct Entry {
  std::u16string_view word;     // lower-case Turkish spelling
  std::u16string_view respell;  // spoken as this text instead (words separated by spaces); empty = as written
  int8_t stress;                // stressed syllable, 1-based from the start; kFinalStress; kUnstressed
  uint8_t flags;                // EntryFlags
};

// The entry for exactly `lower`, or null.
const Entry* findEntry(std::u16string_view lower);

// True when `rest` is a chain of one to four inflectional suffixes (plural,
// possessive, case, personal endings) that leave the stress of a name in place.
bool isInflectionChain(std::u16string_view rest);

}  // namespace tr
}  // namespace corvum
