#include <gtest/gtest.h>

#include "model/cart.h"
#include "utterance_fixture.h"

namespace tts {
namespace {

using Trees = tts_test::Utterance;

int gFreshCalls = 0;
const Val* freshAnswer(Item*) {
  ++gFreshCalls;
  return makeInt(1000);  // outside the shared table: a new value every call
}

constexpr Val kStringZero = staticString("0");
constexpr Val kIntZero = staticInt(0);
constexpr Val kOne = staticInt(1);
constexpr Val kFiveHundred = staticInt(500);
constexpr Val kThousand = staticInt(1000);
constexpr Val kTwoThousand = staticInt(2000);
constexpr Val kYes = staticString("yes");
constexpr Val kNo = staticString("no");
constexpr Val kOther = staticString("other");
constexpr Val kPau = staticString("pau");
constexpr Val kHash = staticString("##");
constexpr Val kSilenceTail = staticCell(&kHash, nullptr);
constexpr Val kSilences = staticCell(&kPau, &kSilenceTail);
constexpr CartNode kEnd = {255, 255, 0, nullptr};

const char* const kNames[] = {"stress", "R:SylStructure.parent.syl_codasize", "fresh", "name", nullptr};

// 0: stress = "0"; 2: stress = int 0; 4: operator 4 (never yes).
const CartNode kEqualityNodes[] = {
    {0, kCartEqual, 2, &kStringZero}, {255, kCartLeaf, 0, &kYes},
    {0, kCartEqual, 4, &kIntZero},    {255, kCartLeaf, 0, &kNo},
    {0, 4, 6, &kStringZero},          {255, kCartLeaf, 0, &kYes},
    {255, kCartLeaf, 0, &kOther},     kEnd,
};
const Cart kEquality = {kEqualityNodes, kNames};

// The word's coda size <= 1, then < 1 and > 0 below it.
const CartNode kOrderNodes[] = {
    {1, kCartLessEqual, 6, &kOne}, {1, kCartLess, 3, &kOne},   {255, kCartLeaf, 0, &kStringZero},
    {1, kCartGreater, 5, &kIntZero}, {255, kCartLeaf, 0, &kOne}, {255, kCartLeaf, 0, &kOther},
    {255, kCartLeaf, 0, &kNo},     kEnd,
};
const Cart kOrder = {kOrderNodes, kNames};

// "fresh" asked three times on one walk, then a membership question.
const CartNode kCacheNodes[] = {
    {2, kCartGreater, 6, &kFiveHundred}, {2, kCartLess, 6, &kTwoThousand}, {2, kCartEqual, 6, &kThousand},
    {3, kCartMember, 5, &kSilences},     {255, kCartLeaf, 0, &kYes},       {255, kCartLeaf, 0, &kOther},
    {255, kCartLeaf, 0, &kNo},           kEnd,
};
const Cart kCache = {kCacheNodes, kNames};

const CartNode kLeafNodes[] = {{255, kCartLeaf, 0, &kYes}, kEnd};
const Cart kLeafOnly = {kLeafNodes, kNames};

TEST_F(Trees, EqualityIsStrictAboutType) {
  Item* syl = syllable[0];
  itemSetString(syl, "stress", "0");
  EXPECT_EQ(cartEvaluate(syl, &kEquality, 0), &kYes);
  EXPECT_EQ(cartEvaluate(syl, &kEquality, 2), &kOther);  // "0" is not the int 0; then operator 4
  itemSetInt(syl, "stress", 0);
  EXPECT_EQ(cartEvaluate(syl, &kEquality, 0), &kNo);
  // A missing feature reads as the string "0".
  EXPECT_EQ(cartEvaluate(syllable[1], &kEquality, 0), &kYes);
  EXPECT_EQ(cartEvaluate(nullptr, &kEquality, 0), &kYes);
  EXPECT_EQ(cartEvaluate(syl, nullptr, 0), nullptr);
  EXPECT_EQ(cartEvaluate(syl, &kEquality, -1), nullptr);
}

TEST_F(Trees, OrderingReadsNumberStringsAsIntegers) {
  Item* seg = segment[0];
  itemSetString(syllable[0], "syl_codasize", "2");
  EXPECT_EQ(cartEvaluate(seg, &kOrder, 0), &kNo);
  itemSetString(syllable[0], "syl_codasize", "1");
  EXPECT_EQ(cartEvaluate(seg, &kOrder, 0), &kOne);
  itemSetInt(syllable[0], "syl_codasize", 1);
  EXPECT_EQ(cartEvaluate(seg, &kOrder, 0), &kOne);
  itemSetInt(syllable[0], "syl_codasize", -4);
  EXPECT_EQ(cartEvaluate(seg, &kOrder, 0), &kStringZero);
  EXPECT_EQ(cartEvaluate(segment[6], &kOrder, 0), &kStringZero);  // missing: reads 0
}

TEST_F(Trees, RootLeafAsksNothing) {
  registerFeature(registry, "fresh", freshAnswer);
  gFreshCalls = 0;
  EXPECT_EQ(cartEvaluate(syllable[0], &kLeafOnly, 0), &kYes);
  EXPECT_EQ(cartEvaluate(syllable[0], &kCache, 4), &kYes);
  EXPECT_EQ(gFreshCalls, 0);
}

TEST_F(Trees, CacheComputesOncePerEvaluationAndFreesFreshAnswers) {
  registerFeature(registry, "fresh", freshAnswer);
  const Val* pau = makeString("pau");
  itemSet(segment[0], "name", pau);
  gFreshCalls = 0;
  const int32_t depth = arenaDepth(arena);
  EXPECT_EQ(cartEvaluate(segment[0], &kCache, 0), &kYes);
  EXPECT_EQ(gFreshCalls, 1);
  EXPECT_EQ(cartEvaluate(segment[0], &kCache, 0), &kYes);  // nothing carried over
  EXPECT_EQ(gFreshCalls, 2);
  EXPECT_EQ(pau->holders, 1);  // the stored answer went back to its map alone
  EXPECT_EQ(arenaDepth(arena), depth);
  EXPECT_EQ(cartEvaluate(segment[1], &kCache, 0), &kOther);
  // A stored answer hides the function: int 600 fails the third question.
  itemSetInt(segment[2], "fresh", 600);
  EXPECT_EQ(cartEvaluate(segment[2], &kCache, 0), &kNo);
  EXPECT_EQ(gFreshCalls, 3);
  // ASan's leak check covers the fresh values made above.
}

}  // namespace
}  // namespace tts
