// diphone_inventory: lists the diphones the front end can produce for one
// language and writes targets.txt for the reference speaker and voice builder.
//
//   diphone_inventory --lang es|pl|tr --out DIR [--words FILE[:STRIDE]]...
//                     [--dictd-index FILE] [--min-words N]
//
// Words come from the word lists (every STRIDE-th line), Turkish dictionary
// headwords expanded by suffixes and syllable patterns, and the verbalisers'
// output. Each word is pronounced by the lexicon library and parsed by the
// engine's own symbol map and pronunciation rules.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "corvum.h"
#include "diphone_inventory.h"
#include "text/word_list.h"
#include "word_sources.h"

namespace {

int usage() {
  std::fprintf(stderr,
               "usage: diphone_inventory --lang es|pl|tr --out DIR [--words FILE[:STRIDE]]... "
               "[--dictd-index FILE] [--min-words N]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string code, outDir, dictd;
  std::vector<std::pair<std::string, int>> lists;
  long minWords = 20000;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return usage();
    const std::string value = argv[++i];
    if (arg == "--lang") {
      code = value;
    } else if (arg == "--out") {
      outDir = value;
    } else if (arg == "--words") {
      const size_t colon = value.rfind(':');
      if (colon != std::string::npos && colon + 1 < value.size() &&
          value.find_first_not_of("0123456789", colon + 1) == std::string::npos)
        lists.emplace_back(value.substr(0, colon), std::atoi(value.c_str() + colon + 1));
      else
        lists.emplace_back(value, 1);
    } else if (arg == "--dictd-index") {
      dictd = value;
    } else if (arg == "--min-words") {
      minWords = std::atol(value.c_str());
    } else {
      return usage();
    }
  }
  const inventory::InventoryLanguage* language = inventory::findLanguage(code);
  if (language == nullptr || outDir.empty()) return usage();

  CorvumLexicon* lexicon = LexMgr_Open(language->lexiconCode);
  const int32_t lexId = LexMgr_GetLexID(lexicon, language->lexiconCode, 0);
  if (lexicon == nullptr || lexId < 0) {
    std::fprintf(stderr, "diphone_inventory: the lexicon does not serve %s\n", code.c_str());
    LexMgr_Close(lexicon);
    return 1;
  }

  std::vector<std::u16string> words;
  for (const auto& list : lists) {
    auto part = inventory::readWordList(list.first, list.second);
    if (part.empty()) {
      std::fprintf(stderr, "diphone_inventory: no words in %s\n", list.first.c_str());
      LexMgr_Close(lexicon);
      return 1;
    }
    words.insert(words.end(), part.begin(), part.end());
  }
  if (!dictd.empty()) {
    auto heads = inventory::readDictdHeadwords(dictd);
    if (heads.empty()) {
      std::fprintf(stderr, "diphone_inventory: no headwords in %s\n", dictd.c_str());
      LexMgr_Close(lexicon);
      return 1;
    }
    auto generated = inventory::turkishWords(heads);
    words.insert(words.end(), generated.begin(), generated.end());
  }
  const size_t listWords = words.size();
  auto spoken = inventory::verbaliserWords(*language);
  words.insert(words.end(), spoken.begin(), spoken.end());

  inventory::DiphoneInventory inv(*language);
  char pron[CORVUM_PRON_CAPACITY];
  long failures = 0;
  auto pronounce = [&](const std::u16string& word) {
    pron[0] = '\0';
    const char* gpos = language->classifyWord(word.c_str());
    std::vector<int32_t> segments;
    if (word.empty() || std::string(gpos) == "punc") {
      segments.push_back(0);
    } else if (LexMgr_GetPronString(lexicon, static_cast<uint16_t>(lexId), word.c_str(), pron, 0, 1, 0) < 1) {
      ++failures;
      segments.push_back(0);
    } else {
      segments = inv.segmentsOfPronunciation(pron);
    }
    inv.addWordSegments(segments, inventory::utf16ToUtf8(word));
  };
  for (const auto& word : words) {
    pronounce(word);
    // The word list keeps at most kEntryMaxLength units of a longer word.
    if (word.size() > size_t(tts::kEntryMaxLength)) pronounce(word.substr(0, tts::kEntryMaxLength));
  }
  inv.addSilencePairs();
  LexMgr_Close(lexicon);

  const auto all = inv.diphones();
  const std::string targets = outDir + "/targets.txt";
  const std::string examples = outDir + "/diphone_examples.txt";
  if (!inventory::writeTargets(inv, targets) || !inventory::writeExamples(inv, examples)) {
    std::fprintf(stderr, "diphone_inventory: cannot write %s\n", targets.c_str());
    return 1;
  }
  std::printf("%s: %zu list words, %zu verbaliser words, %ld lexicon failures, %zu diphones -> %s\n",
              code.c_str(), listWords, spoken.size(), failures, all.size(), targets.c_str());
  if (static_cast<long>(listWords) < minWords) {
    std::fprintf(stderr, "diphone_inventory: only %zu list words (at least %ld wanted)\n", listWords, minWords);
    return 1;
  }
  return 0;
}
