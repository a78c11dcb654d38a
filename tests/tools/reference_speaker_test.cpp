// eSpeak NG phone tables, carrier corpus and label alignment of the reference speaker.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "carrier_corpus.h"
#include "espeak_phones.h"
#include "prosody/phoneset.h"
#include "prosody/phonesets.h"

namespace {

using refspeaker::Carrier;
using refspeaker::Diphone;
using refspeaker::LanguageMap;
using refspeaker::PhonemeEvent;
using refspeaker::Segment;

const tts::PhoneSet* phoneSetOf(const std::string& code) {
  if (code == "es") return &tts::kPhoneSetEs;
  if (code == "pl") return &tts::kPhoneSetPl;
  if (code == "tr") return &tts::kPhoneSetTr;
  return nullptr;
}

bool inPhoneSet(const tts::PhoneSet* set, const std::string& name) {
  return name == "##" || tts::phoneIndex(set, name.c_str()) != 0;
}

TEST(ReferencePhoneTables, EveryPhoneIsRenderedAndEveryNameExists) {
  for (const LanguageMap* const* m = refspeaker::allLanguageMaps(); *m; ++m) {
    const LanguageMap& map = **m;
    const tts::PhoneSet* set = phoneSetOf(map.code);
    ASSERT_NE(set, nullptr) << map.code;
    // Each phone of the set has exactly one render entry, with the set's vowel flag.
    std::set<std::string> rendered;
    for (int i = 0; i < map.phoneCount; ++i) {
      const auto& r = map.phones[i];
      EXPECT_TRUE(inPhoneSet(set, r.phone)) << map.code << " renders unknown phone " << r.phone;
      EXPECT_TRUE(rendered.insert(r.phone).second) << map.code << " renders " << r.phone << " twice";
      const int32_t id = tts::phoneIndex(set, r.phone);
      EXPECT_EQ(r.vowel, tts::phoneIsVowel(set, id) == 1) << map.code << " " << r.phone;
      EXPECT_EQ(std::string(r.phone) == "##", refspeaker::renderParts(r).empty()) << map.code << " " << r.phone;
    }
    for (int32_t id = 0; id < set->phoneCount; ++id)
      EXPECT_TRUE(rendered.count(tts::phoneName(set, id))) << map.code << " has no render for " << tts::phoneName(set, id);
    // Every event label names a phone of the set; every phone is reachable from
    // some event, and each render mnemonic labels its own phone.
    std::set<std::string> reachable;
    for (int i = 0; i < map.eventCount; ++i) {
      const std::string phone = map.events[i].phone;
      if (phone.empty()) continue;
      EXPECT_TRUE(inPhoneSet(set, phone)) << map.code << " event " << map.events[i].mnemonic << " -> " << phone;
      reachable.insert(phone);
    }
    // A phone rendered as several mnemonics (Spanish "ou": o U) is labelled by that sequence.
    for (int i = 0; i < map.phoneCount; ++i)
      if (refspeaker::renderParts(map.phones[i]).size() > 1) reachable.insert(map.phones[i].phone);
    for (int32_t id = 0; id < set->phoneCount; ++id)
      EXPECT_TRUE(reachable.count(tts::phoneName(set, id))) << map.code << " cannot label " << tts::phoneName(set, id);
    for (int i = 0; i < map.phoneCount; ++i) {
      const auto parts = refspeaker::renderParts(map.phones[i]);
      if (parts.size() != 1) continue;
      const char* label = refspeaker::phoneOfMnemonic(map, parts[0]);
      ASSERT_NE(label, nullptr) << map.code << " " << parts[0];
      EXPECT_EQ(std::string(label), map.phones[i].phone) << map.code << " " << parts[0];
    }
    for (int i = 0; i < map.substituteCount; ++i)
      EXPECT_TRUE(inPhoneSet(set, map.substitutes[i].phone)) << map.code << " " << map.substitutes[i].phone;
    for (const char* const* s = map.stops; s && *s; ++s) EXPECT_TRUE(inPhoneSet(set, *s)) << map.code << " " << *s;
  }
}

TEST(ReferencePhoneTables, LanguageSpecificChoices) {
  const LanguageMap& es = *refspeaker::findLanguageMap("es");
  const LanguageMap& pl = *refspeaker::findLanguageMap("pl");
  const LanguageMap& tr = *refspeaker::findLanguageMap("tr");
  EXPECT_EQ(refspeaker::findLanguageMap("de"), nullptr);
  // Spanish approximant allophones label the stops; tap and trill stay apart.
  EXPECT_STREQ(refspeaker::phoneOfMnemonic(es, "B"), "b");
  EXPECT_STREQ(refspeaker::phoneOfMnemonic(es, "Q"), "g");
  EXPECT_STREQ(refspeaker::phoneOfMnemonic(es, "**"), "r[");
  EXPECT_STREQ(refspeaker::phoneOfMnemonic(es, "R2"), "r");
  EXPECT_STREQ(refspeaker::phoneOfMnemonic(es, ";"), "");
  EXPECT_EQ(refspeaker::phoneOfMnemonic(es, "zz"), nullptr);
  EXPECT_EQ(refspeaker::renderParts(*refspeaker::findPhone(es, "ou")), (std::vector<std::string>{"o", "U"}));
  // Polish soft consonants and voicing assimilation.
  EXPECT_STREQ(refspeaker::phoneOfMnemonic(pl, "S;"), "s'");
  EXPECT_TRUE(refspeaker::isSubstitute(pl, "z", "s"));
  EXPECT_FALSE(refspeaker::isSubstitute(pl, "z", "S"));
  EXPECT_FALSE(refspeaker::isSubstitute(es, "z", "s"));
  // Turkish clear and dark l; the dark l before a consonant is said clear.
  EXPECT_STREQ(refspeaker::phoneOfMnemonic(tr, "l"), "5");
  EXPECT_STREQ(refspeaker::phoneOfMnemonic(tr, "L"), "l");
  const auto* l = refspeaker::findPhone(tr, "l");
  EXPECT_EQ(refspeaker::renderParts(*l, false), std::vector<std::string>{"L"});
  EXPECT_EQ(refspeaker::renderParts(*l, true), std::vector<std::string>{"l"});
  EXPECT_TRUE(refspeaker::isStop(tr, "gj"));
  EXPECT_FALSE(refspeaker::isStop(tr, "s"));
}

TEST(ReferenceCorpus, ParsesDiphoneNames) {
  Diphone d;
  ASSERT_TRUE(refspeaker::parseDiphone("a-b", &d));
  EXPECT_EQ(d, Diphone("a", "b"));
  ASSERT_TRUE(refspeaker::parseDiphone("##-r[", &d));
  EXPECT_EQ(d, Diphone("##", "r["));
  ASSERT_TRUE(refspeaker::parseDiphone("n'-##", &d));
  EXPECT_EQ(d, Diphone("n'", "##"));
  ASSERT_TRUE(refspeaker::parseDiphone("##-##", &d));
  EXPECT_EQ(d, Diphone("##", "##"));
  EXPECT_FALSE(refspeaker::parseDiphone("ab", &d));
  EXPECT_FALSE(refspeaker::parseDiphone("a-", &d));
  EXPECT_FALSE(refspeaker::parseDiphone("##-", &d));
}

// Every target lands in some carrier's phone sequence (or at its silence
// edges when it pairs with "##"), and every carrier obeys the run limits.
void checkCoverage(const LanguageMap& map, const std::vector<Diphone>& targets, const refspeaker::CorpusOptions& opt) {
  bool silence = false;
  std::vector<std::string> unknown;
  const auto carriers = refspeaker::buildCarriers(map, targets, opt, &silence, &unknown);
  EXPECT_TRUE(unknown.empty());
  std::set<Diphone> covered;
  for (const Carrier& c : carriers) {
    ASSERT_FALSE(c.phones.empty());
    std::vector<std::string> word = {"##"};
    word.insert(word.end(), c.phones.begin(), c.phones.end());
    word.push_back("##");
    for (size_t k = 0; k + 1 < word.size(); ++k) covered.emplace(word[k], word[k + 1]);
    for (const Diphone& d : c.covers) {
      bool inside = false;
      for (size_t k = 0; k + 1 < word.size(); ++k) inside |= Diphone(word[k], word[k + 1]) == d;
      EXPECT_TRUE(inside) << d.first << "-" << d.second;
    }
    if (!c.leftSilence) {
      EXPECT_TRUE(c.phones.front() == "a" || c.phones.front() == "t");
    }
  }
  for (const Diphone& t : targets) {
    if (t == Diphone("##", "##")) {
      EXPECT_TRUE(silence);
      continue;
    }
    EXPECT_TRUE(covered.count(t)) << map.code << " " << t.first << "-" << t.second;
  }
}

TEST(ReferenceCorpus, CarriersCoverEveryTarget) {
  for (const LanguageMap* const* m = refspeaker::allLanguageMaps(); *m; ++m) {
    const LanguageMap& map = **m;
    const tts::PhoneSet* set = phoneSetOf(map.code);
    std::vector<Diphone> all;
    for (int32_t a = 0; a < set->phoneCount; ++a)
      for (int32_t b = 0; b < set->phoneCount; ++b) all.emplace_back(tts::phoneName(set, a), tts::phoneName(set, b));
    checkCoverage(map, all, refspeaker::CorpusOptions());
    refspeaker::CorpusOptions tight;
    tight.maxPhones = 3;
    tight.maxConsonants = 1;
    tight.maxVowels = 1;
    checkCoverage(map, all, tight);
  }
}

TEST(ReferenceCorpus, CarriersChainSeveralDiphonesWithinRunLimits) {
  const LanguageMap& es = *refspeaker::findLanguageMap("es");
  const std::vector<Diphone> targets = {{"s", "t"}, {"t", "r["}, {"r[", "a"}, {"a", "s"},
                                        {"a", "l"}, {"l", "a"}, {"##", "s"}, {"a", "##"}};
  bool silence = true;
  const auto carriers = refspeaker::buildCarriers(es, targets, refspeaker::CorpusOptions(), &silence, nullptr);
  EXPECT_FALSE(silence);
  ASSERT_FALSE(carriers.empty());
  EXPECT_TRUE(carriers[0].leftSilence);
  size_t covers = 0;
  for (const auto& c : carriers) {
    covers += c.covers.size();
    int run = 0;
    for (const auto& p : c.phones) {
      run = refspeaker::findPhone(es, p)->vowel ? 0 : run + 1;
      EXPECT_LE(run, 2);  // s t r[ would be three consonants
    }
  }
  EXPECT_EQ(covers, targets.size());
  EXPECT_LT(carriers.size(), 4u);  // several diphones per word

  std::vector<std::string> unknown;
  refspeaker::buildCarriers(es, {{"a", "zz"}, {"a", "b"}}, refspeaker::CorpusOptions(), nullptr, &unknown);
  EXPECT_EQ(unknown, std::vector<std::string>{"zz"});
}

TEST(ReferenceCorpus, EspeakInputSeparatesPhonemesAndStressesTheMiddleVowel) {
  const LanguageMap& pl = *refspeaker::findLanguageMap("pl");
  Carrier c;
  c.phones = {"a", "t", "s", "o", "ts", "a"};
  // t and s must not merge into ts.
  EXPECT_EQ(refspeaker::espeakInput(pl, c), "[[a|t|s|'O|ts|a]]");
  const LanguageMap& es = *refspeaker::findLanguageMap("es");
  c.phones = {"t", "ou", "r[", "a"};
  EXPECT_EQ(refspeaker::espeakInput(es, c), "[[t|'o|U|**|a]]");
  const LanguageMap& tr = *refspeaker::findLanguageMap("tr");
  c.phones = {"a", "l", "m", "a", "l", "a"};
  EXPECT_EQ(refspeaker::espeakInput(tr, c), "[[a|l|m|'a|L|a]]");
  c.phones = {"s"};
  EXPECT_EQ(refspeaker::espeakInput(tr, c), "[[s]]");
}

TEST(ReferenceCorpus, SingleCarriersPadWithNeutralPhones) {
  const LanguageMap& es = *refspeaker::findLanguageMap("es");
  const auto c = refspeaker::singleCarriers(es, {{"s", "t"}, {"e", "a"}, {"##", "k"}, {"o", "##"}, {"##", "##"}});
  ASSERT_EQ(c.size(), 4u);
  EXPECT_EQ(c[0].phones, (std::vector<std::string>{"a", "s", "t", "a"}));
  EXPECT_EQ(c[1].phones, (std::vector<std::string>{"t", "e", "a"}));
  EXPECT_EQ(c[2].phones, (std::vector<std::string>{"k", "a"}));
  EXPECT_EQ(c[3].phones, (std::vector<std::string>{"t", "o"}));
}

TEST(ReferenceLabels, AlignsEventsToPhones) {
  const LanguageMap& es = *refspeaker::findLanguageMap("es");
  // "a b ou ##": b said as the approximant, ou as two events, an inserted glide.
  const std::vector<PhonemeEvent> events = {{"a", 100}, {"B", 900}, {"o", 1500}, {"U", 1800},
                                            {";", 2000}, {"_:", 2600}, {"_", 2800}};
  std::string error;
  const auto segs = refspeaker::alignEvents(es, {"a", "b", "ou"}, events, 3000, &error);
  ASSERT_EQ(segs.size(), 5u) << error;
  const std::vector<Segment> want = {
      {"##", 0, 100}, {"a", 100, 900}, {"b", 900, 1500}, {"ou", 1500, 2600}, {"##", 2600, 3000}};
  for (size_t k = 0; k < want.size(); ++k) {
    EXPECT_EQ(segs[k].phone, want[k].phone);
    EXPECT_EQ(segs[k].start, want[k].start);
    EXPECT_EQ(segs[k].end, want[k].end);
  }
  // Without a closing pause the last silence starts at the end (the padding fills it).
  const auto open = refspeaker::alignEvents(es, {"a"}, {{"a", 0}}, 500, &error);
  ASSERT_EQ(open.size(), 3u);
  EXPECT_EQ(open[0].end, 0);
  EXPECT_EQ(open[2].start, 500);
}

TEST(ReferenceLabels, RejectsEventsThatDoNotSayThePhones) {
  const LanguageMap& es = *refspeaker::findLanguageMap("es");
  const LanguageMap& pl = *refspeaker::findLanguageMap("pl");
  std::string error;
  EXPECT_TRUE(refspeaker::alignEvents(es, {"a", "s"}, {{"a", 0}, {"t", 50}}, 100, &error).empty());
  EXPECT_NE(error.find("said t"), std::string::npos) << error;
  EXPECT_TRUE(refspeaker::alignEvents(es, {"a", "s"}, {{"a", 0}}, 100, &error).empty());
  EXPECT_TRUE(refspeaker::alignEvents(es, {"a", "s"}, {{"a", 0}, {"_", 40}, {"s", 50}}, 100, &error).empty());
  EXPECT_TRUE(refspeaker::alignEvents(es, {"a"}, {{"a", 0}, {"#?", 50}}, 100, &error).empty());
  // A phone with no duration (eSpeak NG gave two events one sample) is refused.
  EXPECT_TRUE(refspeaker::alignEvents(es, {"a", "l", "s"}, {{"a", 0}, {"l", 50}, {"s", 50}}, 100, &error).empty());
  // Polish voicing assimilation keeps the label asked for.
  const auto segs = refspeaker::alignEvents(pl, {"z", "k"}, {{"s", 10}, {"k", 60}}, 100, &error);
  ASSERT_EQ(segs.size(), 4u) << error;
  EXPECT_EQ(segs[1].phone, "z");
}

TEST(ReferenceLabels, RescalesToSixteenKilohertzWithPadding) {
  const std::vector<Segment> segs = {{"##", 0, 2205}, {"a", 2205, 4410}, {"##", 4410, 6615}};
  const auto out = refspeaker::rescaleSegments(segs, 22050, 16000, 960, 4800 + 1920);
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[0].start, 0);
  EXPECT_EQ(out[0].end, 1600 + 960);
  EXPECT_EQ(out[1].end, 3200 + 960);
  EXPECT_EQ(out[2].end, 6720);
  // A segment that collapses in the conversion empties the result.
  EXPECT_TRUE(refspeaker::rescaleSegments({{"##", 0, 1}, {"a", 1, 2}, {"##", 2, 3}}, 22050, 16000, 0, 2).empty());
  EXPECT_EQ(refspeaker::diphonesOf(out), (std::vector<Diphone>{{"##", "a"}, {"a", "##"}}));
}

TEST(ReferenceLabels, StopsStartAtTheirClosure) {
  const LanguageMap& es = *refspeaker::findLanguageMap("es");
  // 16 kHz: a vowel (loud) 0..1600 whose last 480 samples are the closure of t.
  std::vector<short> samples(3200, 0);
  for (int i = 0; i < 1120; ++i) samples[size_t(i)] = (i % 2) ? 3000 : -3000;
  for (int i = 1600; i < 2000; ++i) samples[size_t(i)] = (i % 2) ? 800 : -800;
  std::vector<Segment> segs = {{"a", 0, 1600}, {"t", 1600, 2400}, {"##", 2400, 3200}};
  refspeaker::moveStopsToClosure(es, samples, 16000, segs);
  EXPECT_EQ(segs[0].end, 1120);
  EXPECT_EQ(segs[1].start, 1120);
  // A segment that is mostly quiet has no closure to give.
  for (int i = 0; i < 1600; ++i) samples[size_t(i)] = i < 400 ? 3000 : 0;
  segs = {{"a", 0, 1600}, {"t", 1600, 2400}, {"##", 2400, 3200}};
  refspeaker::moveStopsToClosure(es, samples, 16000, segs);
  EXPECT_EQ(segs[0].end, 1600);
  EXPECT_EQ(segs[1].start, 1600);
  // Silence before a stop and non-stops stay.
  segs = {{"##", 0, 1600}, {"t", 1600, 2400}};
  refspeaker::moveStopsToClosure(es, samples, 16000, segs);
  EXPECT_EQ(segs[1].start, 1600);
  segs = {{"a", 0, 1600}, {"s", 1600, 2400}};
  refspeaker::moveStopsToClosure(es, samples, 16000, segs);
  EXPECT_EQ(segs[1].start, 1600);
}

}  // namespace
