// Diphone inventory: engine pronunciation parsing, the coda-glide rule across
// word boundaries, the word sources and the lexicon run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "corvum.h"
#include "diphone_inventory.h"
#include "prosody/phoneset.h"
#include "word_sources.h"

namespace {

using inventory::DiphoneInventory;
using inventory::InventoryLanguage;

std::vector<std::string> names(const InventoryLanguage& lang, const std::vector<int32_t>& ids) {
  std::vector<std::string> out;
  for (int32_t id : ids) out.push_back(tts::phoneName(lang.phoneset, id));
  return out;
}

std::vector<int32_t> ids(const InventoryLanguage& lang, const std::vector<std::string>& phones) {
  std::vector<int32_t> out;
  for (const auto& p : phones) out.push_back(tts::phoneIndex(lang.phoneset, p.c_str()));
  return out;
}

std::set<std::string> inventoryNames(const DiphoneInventory& inv) {
  std::set<std::string> out;
  for (const auto& d : inv.diphones()) out.insert(inv.name(d));
  return out;
}

TEST(DiphoneInventory, FindsTheThreeLanguages) {
  for (const char* code : {"es", "pl", "tr"}) {
    const InventoryLanguage* lang = inventory::findLanguage(code);
    ASSERT_NE(lang, nullptr);
    EXPECT_STREQ(lang->phoneset->name, code);
  }
  EXPECT_EQ(inventory::findLanguage("de"), nullptr);
}

TEST(DiphoneInventory, CodaGlideRuleInPhraseOrder) {
  const InventoryLanguage& es = *inventory::findLanguage("es");
  auto run = [&](std::vector<std::string> phones) {
    auto v = ids(es, phones);
    inventory::applyCodaGlide(es.phoneset, es.prosody, v);
    return names(es, v);
  };
  EXPECT_EQ(run({"e", "j", "##"}), (std::vector<std::string>{"e", "i", "##"}));
  EXPECT_EQ(run({"a", "j", "a"}), (std::vector<std::string>{"a", "j", "a"}));
  EXPECT_EQ(run({"a", "w", "t", "a"}), (std::vector<std::string>{"a", "u", "t", "a"}));
  // A rewritten glide is a vowel for the next step.
  EXPECT_EQ(run({"a", "j", "j", "t"}), (std::vector<std::string>{"a", "i", "i", "t"}));
  // Only with two segments after the vowel.
  EXPECT_EQ(run({"a", "j"}), (std::vector<std::string>{"a", "j"}));
  // Not in Polish.
  const InventoryLanguage& pl = *inventory::findLanguage("pl");
  auto v = ids(pl, {"a", "j", "t"});
  inventory::applyCodaGlide(pl.phoneset, pl.prosody, v);
  EXPECT_EQ(names(pl, v), (std::vector<std::string>{"a", "j", "t"}));
}

TEST(DiphoneInventory, SegmentsComeFromTheEnginesParsing) {
  const InventoryLanguage& pl = *inventory::findLanguage("pl");
  const InventoryLanguage& tr = *inventory::findLanguage("tr");
  const InventoryLanguage& es = *inventory::findLanguage("es");
  DiphoneInventory invPl(pl), invTr(tr), invEs(es);
  EXPECT_EQ(names(pl, invPl.segmentsOfPronunciation("p+ i1 e s")), (std::vector<std::string>{"p", "j", "i", "e", "s"}));
  EXPECT_EQ(names(tr, invTr.segmentsOfPronunciation("k e d i1")), (std::vector<std::string>{"c", "e", "d", "i"}));
  // Silences inside a word get no segment; a silent word gets one.
  EXPECT_EQ(names(es, invEs.segmentsOfPronunciation("pau a1-qq s pau")), (std::vector<std::string>{"a", "s"}));
  EXPECT_EQ(names(es, invEs.segmentsOfPronunciation("pau")), std::vector<std::string>{"##"});
  EXPECT_TRUE(invEs.segmentsOfPronunciation("").empty());
}

TEST(DiphoneInventory, PairsAcrossWordBoundariesFollowTheGlideRule) {
  const InventoryLanguage& es = *inventory::findLanguage("es");
  DiphoneInventory inv(es);
  inv.addWordSegments(ids(es, {"r", "e", "j"}), "rey");
  inv.addWordSegments(ids(es, {"t", "a"}), "ta");
  inv.addWordSegments(ids(es, {"a"}), "a");
  EXPECT_EQ(inv.wordCount(), 3);
  const auto all = inventoryNames(inv);
  // Inside "rey": e-j before a vowel-initial word, e-i before a consonant or silence.
  EXPECT_TRUE(all.count("e-j"));
  EXPECT_TRUE(all.count("e-i"));
  // Across: rey + ta -> i-t; rey + a -> j-a; never j-t nor i-a.
  EXPECT_TRUE(all.count("i-t"));
  EXPECT_TRUE(all.count("j-a"));
  EXPECT_FALSE(all.count("j-t"));
  EXPECT_FALSE(all.count("i-a"));
  EXPECT_TRUE(all.count("a-r"));
  EXPECT_TRUE(all.count("a-a"));
  EXPECT_FALSE(all.count("##-a"));  // silence pairs only when asked for
  inv.addSilencePairs();
  const auto withSilence = inventoryNames(inv);
  EXPECT_TRUE(withSilence.count("##-a"));
  EXPECT_TRUE(withSilence.count("T-##"));  // every phone of the set, both ways
  EXPECT_TRUE(withSilence.count("##-##"));
  EXPECT_EQ(inv.exampleOf({tts::phoneIndex(es.phoneset, "e"), tts::phoneIndex(es.phoneset, "j")}), "rey");
}

TEST(DiphoneInventory, WritesSortedTargets) {
  const InventoryLanguage& es = *inventory::findLanguage("es");
  DiphoneInventory inv(es);
  inv.addWordSegments(ids(es, {"t", "a", "s"}), "tas");
  const std::string path = ::testing::TempDir() + "/refspeaker_targets.txt";
  ASSERT_TRUE(inventory::writeTargets(inv, path));
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end()));
  // Inside the word, and across a boundary of this word with itself (s before t).
  EXPECT_EQ(lines, (std::vector<std::string>{"a-s", "s-t", "t-a"}));
  EXPECT_FALSE(inventory::writeTargets(inv, "/nonexistent-dir/x/targets.txt"));
  std::remove(path.c_str());
}

TEST(DiphoneInventory, Utf8RoundTrip) {
  const std::u16string word = u"gr\u00FC\u00DFe \u0142\u0105ka \u011F\u015F \U0001F600";
  EXPECT_EQ(inventory::utf8ToUtf16(inventory::utf16ToUtf8(word)), word);
  EXPECT_EQ(inventory::utf8ToUtf16("a\xFF" "b\xC3"), u"ab");  // stray and cut bytes skipped
}

TEST(DiphoneInventory, TurkishWordsFollowVowelHarmony) {
  const auto words = inventory::turkishWords({u"kitap", u"ev", u"araba", u"g\u00F6z"});
  const std::set<std::u16string> set(words.begin(), words.end());
  EXPECT_EQ(set.size(), words.size());
  EXPECT_GE(words.size(), 20000u);
  EXPECT_TRUE(set.count(u"kitaplar"));
  EXPECT_TRUE(set.count(u"evler"));
  EXPECT_TRUE(set.count(u"evi"));
  EXPECT_TRUE(set.count(u"araban\u0131n"));      // arabanın: buffer n after a vowel
  EXPECT_TRUE(set.count(u"arabay\u0131"));       // arabayı
  EXPECT_TRUE(set.count(u"g\u00F6z\u00FC"));     // gözü
  EXPECT_FALSE(set.count(u"kitapyI"));
  EXPECT_FALSE(set.count(u"kitapy\u0131"));      // no buffer after a consonant
  EXPECT_TRUE(set.count(u"kitab\u0131") || set.count(u"kitap\u0131"));
}

TEST(DiphoneInventory, LexiconWordsGiveTheirDiphones) {
  int pronounced = 0;
  for (const char* code : {"es", "pl", "tr"}) {
    const InventoryLanguage& lang = *inventory::findLanguage(code);
    CorvumLexicon* lex = LexMgr_Open(lang.lexiconCode);
    ASSERT_NE(lex, nullptr);
    const int32_t lexId = LexMgr_GetLexID(lex, lang.lexiconCode, 0);
    ASSERT_GE(lexId, 0);
    char pron[CORVUM_PRON_CAPACITY];
    DiphoneInventory inv(lang);
    const bool ok = LexMgr_GetPronString(lex, static_cast<uint16_t>(lexId), u"mama", pron, 0, 1, 0) >= 1;
    LexMgr_Close(lex);
    if (!ok) continue;  // this language's rules are not in the lexicon build
    ++pronounced;
    inv.addWordSegments(inv.segmentsOfPronunciation(pron), "mama");
    const auto all = inventoryNames(inv);
    EXPECT_TRUE(all.count("m-a")) << code << " " << pron;
    EXPECT_TRUE(all.count("a-m")) << code << " " << pron;
  }
  if (pronounced == 0) GTEST_SKIP() << "the lexicon pronounces no language";
}

TEST(DiphoneInventory, VerbalisersWriteWords) {
  for (const char* code : {"es", "pl", "tr"}) {
    const auto words = inventory::verbaliserWords(*inventory::findLanguage(code));
    EXPECT_GT(words.size(), 10u) << code;
    for (const auto& w : words) EXPECT_LE(w.size(), 20u);
  }
}

}  // namespace
