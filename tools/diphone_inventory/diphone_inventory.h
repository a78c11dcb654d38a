// Diphone inventory: every phone pair the front end can hand to the
// synthesiser, collected from the lexicon's pronunciations of many words
// through the engine's own symbol maps and pronunciation rules.
#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace tts {
struct PhoneSet;
struct ProsodyLanguage;
struct TextLanguage;
}  // namespace tts

namespace inventory {

// The data of one language, as the deliverable links it.
struct InventoryLanguage {
  const char* code;                    // "es", "pl", "tr"
  uint16_t lexiconCode;                // 4, 15, 17
  const tts::PhoneSet* phoneset;
  const tts::ProsodyLanguage* prosody;
  const tts::TextLanguage* text;
  const char* (*classifyWord)(const char16_t* word);
};

// Null for an unknown code.
const InventoryLanguage* findLanguage(const std::string& code);

// Spanish coda-glide rule over a phrase's phone ids, in segment order: a glide
// j (w) after a vowel and before a non-vowel becomes i (u). Applied left to
// right, so an earlier rewrite makes the rewritten phone a vowel for the next step.
void applyCodaGlide(const tts::PhoneSet* set, const tts::ProsodyLanguage* prosody, std::vector<int32_t>& ids);

using Diphone = std::pair<int32_t, int32_t>;  // phone ids (first, second)

class DiphoneInventory {
 public:
  explicit DiphoneInventory(const InventoryLanguage& language);

  // The segments a word gets from a pronunciation string: the phones parsed by
  // the engine, silences inside the word dropped, a whole-silence word one "##".
  std::vector<int32_t> segmentsOfPronunciation(const char* pron) const;

  // Adds a word's segments (as segmentsOfPronunciation gives them). `example`
  // names the word in the statistics.
  void addWordSegments(const std::vector<int32_t>& segments, const std::string& example);

  // Adds every phone paired with silence both ways, and silence-silence.
  void addSilencePairs();

  // The inventory: word-internal pairs, pairs across every possible word
  // boundary (any word's last segment before any word's first), silence pairs.
  std::set<Diphone> diphones() const;

  int64_t wordCount() const { return words_; }
  std::string name(const Diphone& d) const;  // "a-b"
  // First word that produced a pair (empty for boundary and silence pairs).
  std::string exampleOf(const Diphone& d) const;

 private:
  void addPair(int32_t a, int32_t b, const std::string& example);

  const InventoryLanguage& language_;
  int64_t words_ = 0;
  std::map<Diphone, std::string> internal_;
  // Word edges after the coda-glide rule: last segment by whether the next word
  // starts with a vowel; first segment by whether the previous segment is a
  // vowel, with whether the word's original first segment is a vowel.
  std::set<std::pair<int32_t, bool>> tails_;
  std::set<std::tuple<int32_t, bool, bool>> heads_;
};

// Writes "a-b" lines, sorted by name. False when the file cannot be written.
bool writeTargets(const DiphoneInventory& inventory, const std::string& path);
// Writes "a-b<TAB>example" lines for reports.
bool writeExamples(const DiphoneInventory& inventory, const std::string& path);

}  // namespace inventory
