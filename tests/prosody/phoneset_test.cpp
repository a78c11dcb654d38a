// Phone sets: every phone's eight features against the reference tables, the
// sorted name lists, the lookups' edge answers and the lexicon symbol maps.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "model/strings.h"
#include "prosody/phonesets.h"

namespace {

using tts::PhoneSet;

// es: name vc vlng vheight vfront vrnd ctype cplace cvox
const char* const kEsTable[] = {
    "## - 0 - - - 0 0 -",
    "T - 0 - - - f d -",
    "a + s 3 3 - 0 0 -",
    "ai + d 3 3 - 0 0 -",
    "au + d 3 3 - 0 0 -",
    "b - 0 - - - a l +",
    "d - 0 - - - a a +",
    "dZ - 0 - - - a t +",
    "e + s 2 1 - 0 0 -",
    "ei + d 2 1 - 0 0 -",
    "eu + d 2 1 - 0 0 -",
    "f - 0 - - - f b -",
    "g - 0 - - - a v +",
    "i + s 1 1 - 0 0 -",
    "j - 0 - - - l p +",
    "k - 0 - - - s v -",
    "l - 0 - - - l a +",
    "m - 0 - - - n l +",
    "n - 0 - - - n a +",
    "n~ - 0 - - - n p +",
    "o + s 2 3 + 0 0 -",
    "oi + d 2 3 + 0 0 -",
    "ou + d 2 3 + 0 0 -",
    "p - 0 - - - s l -",
    "r - 0 - - - r a +",
    "r[ - 0 - - - l t +",
    "s - 0 - - - f a -",
    "t - 0 - - - s a -",
    "tS - 0 - - - a t -",
    "u + s 1 3 + 0 0 -",
    "w - 0 0 0 0 l l +",
    "x - 0 - - - f v -",
};

// pl: name vc vlng vheight vfront vrnd ctype cplace cvox
const char* const kPlTable[] = {
    "## - 0 - - - 0 0 -",
    "I + s 1 2 - 0 0 0",
    "N - 0 - - - n v +",
    "S - 0 - - - f t -",
    "Z - 0 - - - f t +",
    "a + s 3 1 - 0 0 0",
    "b - 0 - - - s l +",
    "d - 0 - - - s a +",
    "dZ - 0 - - - a t +",
    "dz - 0 - - - a a +",
    "dz' - 0 - - - a p +",
    "e + s 3 1 - 0 0 0",
    "e~ + s 3 1 - 0 0 0",
    "f - 0 - - - f b -",
    "g - 0 - - - s v +",
    "i + s 1 1 - 0 0 0",
    "j - 0 - - - l p +",
    "k - 0 - - - s v -",
    "l - 0 - - - l a +",
    "m - 0 - - - n l +",
    "n - 0 - - - n a +",
    "n' - 0 - - - n p +",
    "o + s 3 3 + 0 0 0",
    "o~ + s 3 3 + 0 0 0",
    "p - 0 - - - s l -",
    "r - 0 - - - l a +",
    "s - 0 - - - f a -",
    "s' - 0 - - - f p -",
    "t - 0 - - - s a -",
    "tS - 0 - - - a t -",
    "ts - 0 - - - a a -",
    "ts' - 0 - - - a p -",
    "u + s 1 3 + 0 0 0",
    "v - 0 - - - f b +",
    "w - 0 - - - l v +",
    "x - 0 - - - f v -",
    "z - 0 - - - f a +",
    "z' - 0 - - - f p +",
};

// tr: name vc vlng vheight vfront vrnd ctype cplace cvox
const char* const kTrTable[] = {
    "## - 0 - - - 0 0 -",
    "1 + s 1 3 - 0 0 0",
    "2 + s 2 1 + 0 0 0",
    "5 - 0 - - - l a +",
    "? - 0 - - - s g -",
    "G - 0 - - - f v +",
    "S - 0 - - - f t -",
    "Z - 0 - - - f t +",
    "a + s 3 1 - 0 0 0",
    "b - 0 - - - s l +",
    "c - 0 - - - s p -",
    "d - 0 - - - s a +",
    "dZ - 0 - - - a t +",
    "e + s 2 1 - 0 0 0",
    "f - 0 - - - f b -",
    "g - 0 - - - s v +",
    "gj - 0 - - - s p +",
    "h - 0 - - - f g -",
    "i + s 1 1 - 0 0 0",
    "j - 0 - - - l p +",
    "k - 0 - - - s v -",
    "l - 0 - - - l a +",
    "m - 0 - - - n l +",
    "n - 0 - - - n a +",
    "o + s 2 3 + 0 0 0",
    "p - 0 - - - s l -",
    "r - 0 - - - r a -",
    "s - 0 - - - f a -",
    "t - 0 - - - s a -",
    "tS - 0 - - - a t -",
    "u + s 1 3 + 0 0 0",
    "v - 0 - - - f b +",
    "y + s 1 1 + 0 0 0",
    "z - 0 - - - f a +",
};
const char* const kFeatureNames[] = {"vc", "vlng", "vheight", "vfront", "vrnd", "ctype", "cplace", "cvox"};

struct Reference {
  const PhoneSet* set;
  const char* name;
  const char* silenceName;
  const char* const* rows;
  int32_t count;
  int32_t symbolPairs;
};

const Reference kReferences[] = {
    {&tts::kPhoneSetEs, "es", "pau", kEsTable, 32, 32},
    {&tts::kPhoneSetPl, "pl", "pau", kPlTable, 38, 46},
    {&tts::kPhoneSetTr, "tr", "##", kTrTable, 34, 33},
};

std::vector<std::string> split(const std::string& row) {
  std::istringstream in(row);
  std::vector<std::string> fields;
  for (std::string f; in >> f;) fields.push_back(f);
  return fields;
}

class PhoneSetTest : public ::testing::TestWithParam<Reference> {};

TEST_P(PhoneSetTest, EveryPhoneHasTheReferenceFeatures) {
  const Reference& ref = GetParam();
  const PhoneSet* set = ref.set;
  EXPECT_STREQ(set->name, ref.name);
  EXPECT_STREQ(set->silenceName, ref.silenceName);
  ASSERT_EQ(set->phoneCount, ref.count);
  for (int32_t id = 0; id < ref.count; ++id) {
    const std::vector<std::string> fields = split(ref.rows[id]);
    ASSERT_EQ(fields.size(), 9u);
    SCOPED_TRACE(std::string(ref.name) + " phone " + fields[0]);
    EXPECT_EQ(std::string(tts::phoneName(set, id)), fields[0]);
    EXPECT_EQ(tts::phoneIndex(set, fields[0].c_str()), id);
    for (int32_t c = 0; c < 8; ++c) {
      const char* value = tts::phoneFeature(set, id, kFeatureNames[c]);
      ASSERT_NE(value, nullptr);
      EXPECT_EQ(std::string(value), fields[c + 1]) << kFeatureNames[c];
      const tts::Val* v = tts::phoneFeatureValue(set, id, kFeatureNames[c]);
      ASSERT_NE(v, nullptr);
      EXPECT_EQ(v->holders, -1) << "phone-set values are static";
      EXPECT_STREQ(tts::valString(v), value);
    }
    const bool vowel = fields[1] == "+";
    const bool sonorant = vowel || fields[6] == "l" || fields[6] == "n" || fields[6] == "r";
    EXPECT_EQ(tts::phoneIsVowel(set, id), vowel ? 1 : 0);
    EXPECT_EQ(tts::phoneIsSonorant(set, id), sonorant ? 1 : 0);
    EXPECT_EQ(std::string(tts::phoneCtype(set, id)), fields[6]);
    EXPECT_EQ(std::string(tts::phoneVoicing(set, id)), fields[8]);
  }
}

TEST_P(PhoneSetTest, NamesAreSortedBySignedBytesWithSilenceFirst) {
  const PhoneSet* set = GetParam().set;
  EXPECT_STREQ(set->phoneNames[0], "##");
  EXPECT_EQ(tts::phoneIndex(set, "##"), 0);
  for (int32_t id = 2; id < set->phoneCount; ++id)
    EXPECT_LT(tts::strCompare(set->phoneNames[id - 1], set->phoneNames[id]), 0) << set->phoneNames[id];
}

TEST_P(PhoneSetTest, SharedVocabularyAndFeatureNames) {
  const PhoneSet* set = GetParam().set;
  const char* const vocabulary[] = {"+", "l", "3", "-", "0", "s", "1", "2", "d", "a",
                                    "r", "p", "f", "n", "b", "v", "g", "u", "t"};
  for (int32_t i = 0; i < 19; ++i) {
    ASSERT_NE(set->featureValues[i], nullptr);
    EXPECT_STREQ(tts::valString(set->featureValues[i]), vocabulary[i]);
  }
  EXPECT_EQ(set->featureValues[19], nullptr);
  for (int32_t c = 0; c < 8; ++c) EXPECT_STREQ(set->featureNames[c], kFeatureNames[c]);
  EXPECT_EQ(set->featureNames[8], nullptr);
  // One vocabulary for all deliverables.
  EXPECT_EQ(set->featureValues, tts::kPhoneSetEs.featureValues);
}

TEST_P(PhoneSetTest, LookupsAnswerUnknownsSafely) {
  const PhoneSet* set = GetParam().set;
  EXPECT_EQ(tts::phoneIndex(set, "no-such-phone"), 0);
  EXPECT_EQ(tts::phoneIndex(set, ""), 0);
  EXPECT_EQ(tts::phoneIndex(set, nullptr), 0);
  EXPECT_EQ(tts::phoneIndex(nullptr, "a"), 0);
  EXPECT_EQ(tts::phoneName(set, -1), nullptr);
  EXPECT_EQ(tts::phoneName(set, set->phoneCount), nullptr);
  EXPECT_EQ(tts::phoneIsVowel(set, set->phoneCount), 0);
  EXPECT_EQ(tts::phoneIsSonorant(set, -5), 0);
  EXPECT_EQ(tts::phoneCtype(set, 1000), nullptr);
  EXPECT_EQ(tts::phoneFeature(set, 1, "stress"), nullptr);
  EXPECT_EQ(tts::phoneFeature(set, 1, nullptr), nullptr);
  EXPECT_EQ(tts::mapLexiconSymbol(set, "no-such-symbol"), nullptr);
  EXPECT_EQ(tts::mapLexiconSymbol(set, ""), nullptr);
  EXPECT_EQ(tts::mapLexiconSymbol(set, nullptr), nullptr);
  // An unmapped symbol becomes the silence phone.
  EXPECT_EQ(tts::phoneIndex(set, tts::mapLexiconSymbol(set, "QQ")), 0);
}

TEST_P(PhoneSetTest, EverySymbolMapsToAPhoneOfTheSet) {
  const Reference& ref = GetParam();
  const PhoneSet* set = ref.set;
  ASSERT_EQ(set->symbolCount, ref.symbolPairs);
  std::set<std::string> symbols;
  for (int32_t i = 0; i < set->symbolCount; ++i) {
    const tts::SymbolPair& pair = set->symbols[i];
    ASSERT_NE(pair.symbol, nullptr);
    EXPECT_TRUE(symbols.insert(pair.symbol).second) << "duplicate symbol " << pair.symbol;
    const int32_t id = tts::phoneIndex(set, pair.phone);
    EXPECT_STREQ(tts::phoneName(set, id), pair.phone) << pair.symbol;
    EXPECT_STREQ(tts::mapLexiconSymbol(set, pair.symbol), pair.phone);
  }
}

INSTANTIATE_TEST_SUITE_P(AllLanguages, PhoneSetTest, ::testing::ValuesIn(kReferences),
                         [](const ::testing::TestParamInfo<Reference>& info) { return std::string(info.param.name); });

std::set<std::string> phonesReachedBySymbols(const PhoneSet* set) {
  std::set<std::string> reached;
  for (int32_t i = 0; i < set->symbolCount; ++i) reached.insert(set->symbols[i].phone);
  return reached;
}

TEST(SymbolMap, SpanishMergesAndLeavesTwoPhonesUnreached) {
  const PhoneSet* es = &tts::kPhoneSetEs;
  EXPECT_STREQ(tts::mapLexiconSymbol(es, "s"), "s");
  EXPECT_STREQ(tts::mapLexiconSymbol(es, "z"), "s");
  EXPECT_STREQ(tts::mapLexiconSymbol(es, "y"), "j");
  EXPECT_STREQ(tts::mapLexiconSymbol(es, "S"), "j");
  EXPECT_STREQ(tts::mapLexiconSymbol(es, "T"), "tS");
  EXPECT_STREQ(tts::mapLexiconSymbol(es, "pau"), "##");
  EXPECT_STREQ(tts::mapLexiconSymbol(es, "N"), "n~");
  EXPECT_STREQ(tts::mapLexiconSymbol(es, "r"), "r[");
  EXPECT_STREQ(tts::mapLexiconSymbol(es, "R"), "r");
  const std::set<std::string> reached = phonesReachedBySymbols(es);
  EXPECT_EQ(reached.count("T"), 0u);
  EXPECT_EQ(reached.count("dZ"), 0u);
  EXPECT_NE(tts::phoneIndex(es, "T"), 0);
  EXPECT_NE(tts::phoneIndex(es, "dZ"), 0);
}

TEST(SymbolMap, PolishPalatalisedSymbols) {
  const PhoneSet* pl = &tts::kPhoneSetPl;
  EXPECT_STREQ(tts::mapLexiconSymbol(pl, "p+"), "p");
  EXPECT_STREQ(tts::mapLexiconSymbol(pl, "dz+"), "dz'");
  EXPECT_STREQ(tts::mapLexiconSymbol(pl, "ts+"), "ts'");
  EXPECT_STREQ(tts::mapLexiconSymbol(pl, "n+"), "n'");
  EXPECT_STREQ(tts::mapLexiconSymbol(pl, "dz"), "dz");
  EXPECT_STREQ(tts::mapLexiconSymbol(pl, "pau"), "##");
  // "I" and every vowel carry cvox "0".
  EXPECT_STREQ(tts::phoneVoicing(pl, tts::phoneIndex(pl, "I")), "0");
  EXPECT_STREQ(tts::phoneVoicing(pl, tts::phoneIndex(pl, "o~")), "0");
}

TEST(SymbolMap, TurkishSymbolsAndVoicelessR) {
  const PhoneSet* tr = &tts::kPhoneSetTr;
  EXPECT_STREQ(tts::mapLexiconSymbol(tr, "SIL"), "##");
  EXPECT_STREQ(tts::mapLexiconSymbol(tr, ":"), "G");
  EXPECT_STREQ(tts::mapLexiconSymbol(tr, "W"), "1");
  EXPECT_STREQ(tts::mapLexiconSymbol(tr, "c"), "dZ");
  EXPECT_STREQ(tts::mapLexiconSymbol(tr, "C"), "tS");
  EXPECT_STREQ(tts::mapLexiconSymbol(tr, "U"), "y");
  EXPECT_EQ(tts::mapLexiconSymbol(tr, "pau"), nullptr);
  EXPECT_STREQ(tts::phoneVoicing(tr, tts::phoneIndex(tr, "r")), "-");
  EXPECT_STREQ(tts::phoneVoicing(&tts::kPhoneSetEs, tts::phoneIndex(&tts::kPhoneSetEs, "r")), "+");
  EXPECT_STREQ(tts::phoneVoicing(&tts::kPhoneSetPl, tts::phoneIndex(&tts::kPhoneSetPl, "r")), "+");
}

}  // namespace
