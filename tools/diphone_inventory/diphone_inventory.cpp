// Diphone inventory over the engine's own pronunciation parsing.
#include "diphone_inventory.h"

#include <algorithm>
#include <cstdio>

#include "prosody/phoneset.h"
#include "prosody/phonesets.h"
#include "prosody/pronunciation.h"
#include "prosody/prosody_context.h"
#include "prosody/prosody_language.h"
#include "prosody/word_classifier.h"
#include "text/text_language.h"

namespace inventory {

namespace {

const InventoryLanguage kLanguages[] = {
    {"es", 4, &tts::kPhoneSetEs, &tts::kProsodyLanguageEs, &tts::kTextLanguageEs, tts::classifyWordDefault},
    {"pl", 15, &tts::kPhoneSetPl, &tts::kProsodyLanguagePl, &tts::kTextLanguagePl, tts::classifyWordPolish},
    {"tr", 17, &tts::kPhoneSetTr, &tts::kProsodyLanguageTr, &tts::kTextLanguageTr, tts::classifyWordDefault},
};

}  // namespace

const InventoryLanguage* findLanguage(const std::string& code) {
  for (const auto& language : kLanguages)
    if (code == language.code) return &language;
  return nullptr;
}

void applyCodaGlide(const tts::PhoneSet* set, const tts::ProsodyLanguage* prosody, std::vector<int32_t>& ids) {
  if (prosody == nullptr || !prosody->codaGlide) return;
  for (size_t s = 0; s + 2 < ids.size(); ++s) {
    if (!tts::phoneIsVowel(set, ids[s]) || tts::phoneIsVowel(set, ids[s + 2])) continue;
    if (ids[s + 1] == prosody->glideJ)
      ids[s + 1] = prosody->vowelI;
    else if (ids[s + 1] == prosody->glideW)
      ids[s + 1] = prosody->vowelU;
  }
}

DiphoneInventory::DiphoneInventory(const InventoryLanguage& language) : language_(language) {}

std::vector<int32_t> DiphoneInventory::segmentsOfPronunciation(const char* pron) const {
  tts::ProsodyContext ctx{};
  ctx.phoneset = language_.phoneset;
  ctx.language = language_.prosody;
  ctx.classifyWord = language_.classifyWord;
  ctx.lexiconCode = language_.lexiconCode;
  uint8_t phones[tts::kMaxWordPhones];
  uint8_t stress[tts::kMaxWordPhones];
  const int32_t n = tts::parsePronunciation(ctx, pron, phones, stress);
  std::vector<int32_t> segments;
  for (int32_t i = 0; i < n; ++i)
    if (phones[i] != 0) segments.push_back(phones[i]);
  // A pronunciation of silences only is one silence segment.
  if (segments.empty() && n > 0) segments.push_back(0);
  return segments;
}

void DiphoneInventory::addPair(int32_t a, int32_t b, const std::string& example) {
  internal_.emplace(Diphone(a, b), example);
}

void DiphoneInventory::addWordSegments(const std::vector<int32_t>& segments, const std::string& example) {
  if (segments.empty()) return;
  ++words_;
  const tts::PhoneSet* set = language_.phoneset;
  const int32_t vowel = tts::phoneIndex(set, "a");
  const size_t n = segments.size();
  // Every neighbour context that changes the coda-glide rule: previous segment
  // vowel or not, next segment vowel or not.
  for (int left = 0; left < 2; ++left) {
    for (int right = 0; right < 2; ++right) {
      std::vector<int32_t> seq;
      seq.reserve(n + 2);
      seq.push_back(left ? vowel : 0);
      seq.insert(seq.end(), segments.begin(), segments.end());
      seq.push_back(right ? vowel : 0);
      applyCodaGlide(set, language_.prosody, seq);
      for (size_t k = 1; k < n; ++k) addPair(seq[k], seq[k + 1], example);
      tails_.emplace(seq[n], right != 0);
      heads_.emplace(seq[1], left != 0, tts::phoneIsVowel(set, segments[0]) != 0);
    }
  }
}

void DiphoneInventory::addSilencePairs() {
  const int32_t count = language_.phoneset->phoneCount;
  for (int32_t p = 0; p < count; ++p) {
    internal_.emplace(Diphone(0, p), std::string());
    internal_.emplace(Diphone(p, 0), std::string());
  }
}

std::set<Diphone> DiphoneInventory::diphones() const {
  std::set<Diphone> all;
  for (const auto& entry : internal_) all.insert(entry.first);
  const tts::PhoneSet* set = language_.phoneset;
  for (const auto& tail : tails_) {
    const bool tailVowel = tts::phoneIsVowel(set, tail.first) != 0;
    for (const auto& head : heads_) {
      // The tail was computed for a next word starting with a vowel or not, the
      // head for a previous segment that is a vowel or not: both must agree.
      if (tail.second != std::get<2>(head) || std::get<1>(head) != tailVowel) continue;
      all.emplace(tail.first, std::get<0>(head));
    }
  }
  return all;
}

std::string DiphoneInventory::name(const Diphone& d) const {
  const char* a = tts::phoneName(language_.phoneset, d.first);
  const char* b = tts::phoneName(language_.phoneset, d.second);
  return std::string(a ? a : "?") + "-" + (b ? b : "?");
}

std::string DiphoneInventory::exampleOf(const Diphone& d) const {
  auto it = internal_.find(d);
  return it == internal_.end() ? std::string() : it->second;
}

namespace {

std::vector<std::pair<std::string, std::string>> sortedNames(const DiphoneInventory& inventory) {
  std::vector<std::pair<std::string, std::string>> rows;
  for (const auto& d : inventory.diphones()) rows.emplace_back(inventory.name(d), inventory.exampleOf(d));
  std::sort(rows.begin(), rows.end());
  return rows;
}

}  // namespace

bool writeTargets(const DiphoneInventory& inventory, const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "w");
  if (!f) return false;
  for (const auto& row : sortedNames(inventory)) std::fprintf(f, "%s\n", row.first.c_str());
  return std::fclose(f) == 0;
}

bool writeExamples(const DiphoneInventory& inventory, const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "w");
  if (!f) return false;
  for (const auto& row : sortedNames(inventory))
    std::fprintf(f, "%s\t%s\n", row.first.c_str(), row.second.empty() ? "(boundary)" : row.second.c_str());
  return std::fclose(f) == 0;
}

}  // namespace inventory
