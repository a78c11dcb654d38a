// The duration trainer (CART growth, pruning, alignment, source output) and
// the layout of the generated "dur_cart" tree of one deliverable.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "cart_trainer.h"
#include "model/value.h"
#include "phone_alignment.h"
#include "prosody/prosody_language.h"
#include "segment_features.h"
#include "tree_source.h"

namespace {

using durtrain::Dataset;
using durtrain::Question;
using durtrain::RegressionTree;
using durtrain::TrainOptions;

// ---- generated tree layout ----

struct LayoutWalk {
  const tts::CartNode* nodes;
  int32_t count;
  int32_t leaves = 0;
  // Checks that the subtree at i is a preorder binary tree; returns the index past it, or -1.
  int32_t subtree(int32_t i, int32_t depth) {
    if (i < 0 || i >= count || depth > 200) return -1;
    const tts::CartNode& n = nodes[i];
    if (n.op == tts::kCartLeaf) {
      ++leaves;
      return i + 1;
    }
    const int32_t yesEnd = subtree(i + 1, depth + 1);
    if (yesEnd < 0 || yesEnd != n.no) return -1;  // the no-branch starts where the yes-branch ends
    return subtree(n.no, depth + 1);
  }
};

TEST(GeneratedDurationTree, FollowsTheNodeLayout) {
  const tts::Cart& tree = VOXA_DURATION_TREE;
  ASSERT_NE(tree.nodes, nullptr);
  ASSERT_NE(tree.names, nullptr);
  int32_t names = 0;
  while (tree.names[names]) ++names;
  EXPECT_GT(names, 0);
  EXPECT_LE(names, durtrain::kSegmentFeatureCount);

  int32_t count = 0;
  while (!(tree.nodes[count].op == tts::kCartLeaf && tree.nodes[count].operand == nullptr)) {
    ASSERT_LT(count, 65535) << "no terminator";
    ++count;
  }
  const tts::CartNode& end = tree.nodes[count];
  EXPECT_EQ(end.feature, 255);
  EXPECT_EQ(end.no, 0);

  std::set<int32_t> usedNames;
  for (int32_t i = 0; i < count; ++i) {
    const tts::CartNode& n = tree.nodes[i];
    ASSERT_NE(n.operand, nullptr) << "node " << i;
    EXPECT_EQ(n.operand->holders, -1) << "operands and answers are static values, node " << i;
    if (n.op == tts::kCartLeaf) {
      EXPECT_EQ(n.feature, 255) << i;
      EXPECT_EQ(n.no, 0) << i;
      ASSERT_EQ(n.operand->type, tts::kValInt) << "leaf " << i;
      EXPECT_LE(n.operand->i, 4096);
      EXPECT_GE(n.operand->i, -4096);
      continue;
    }
    ASSERT_LT(n.feature, names) << "node " << i;
    usedNames.insert(n.feature);
    EXPECT_GT(n.no, i + 1) << "node " << i;
    EXPECT_LT(n.no, count) << "node " << i;
    if (n.op == tts::kCartEqual)
      EXPECT_EQ(n.operand->type, tts::kValString) << "equality asks with string operands, node " << i;
    else if (n.op == tts::kCartLessEqual || n.op == tts::kCartLess)
      EXPECT_EQ(n.operand->type, tts::kValInt) << "node " << i;
    else
      ADD_FAILURE() << "operator " << int(n.op) << " at node " << i;
  }
  EXPECT_EQ(static_cast<int32_t>(usedNames.size()), names) << "every listed name is asked";

  LayoutWalk walk{tree.nodes, count};
  EXPECT_EQ(walk.subtree(0, 0), count) << "every path ends in a leaf and every node is reached";
  EXPECT_EQ(walk.leaves * 2 - 1, count);
}

TEST(GeneratedDurationTree, AsksOnlySegmentFeatures) {
  const tts::Cart& tree = VOXA_DURATION_TREE;
  std::set<std::string> allowed(durtrain::kSegmentFeatures,
                                durtrain::kSegmentFeatures + durtrain::kSegmentFeatureCount);
  EXPECT_EQ(allowed.size(), 58u);
  std::set<std::string> seen;
  for (int32_t i = 0; tree.names[i]; ++i) {
    EXPECT_TRUE(allowed.count(tree.names[i])) << tree.names[i];
    EXPECT_TRUE(seen.insert(tree.names[i]).second) << "listed twice: " << tree.names[i];
  }
}

#ifdef VOXA_TRAINER_TESTS

// ---- trainer ----

uint32_t nextRandom(uint32_t* state) {
  *state = *state * 1664525u + 1013904223u;
  return *state >> 8;
}

// Samples over features "name" (string a..d), "count" (int 0..9), "noise"
// (string digits); target from `rule`.
template <typename Rule>
Dataset synthetic(int32_t n, Rule rule, uint32_t seed = 1, double jitter = 0) {
  Dataset d;
  d.featureNames = {"name", "count", "noise"};
  uint32_t state = seed;
  const char* names[] = {"a", "b", "c", "d"};
  for (int32_t i = 0; i < n; ++i) {
    const std::string name = names[nextRandom(&state) % 4];
    const int32_t count = static_cast<int32_t>(nextRandom(&state) % 10);
    const std::string noise = std::to_string(nextRandom(&state) % 7);
    const double j = jitter * ((nextRandom(&state) % 201) / 100.0 - 1.0);
    d.add({"s:" + name, "i:" + std::to_string(count), "s:" + noise}, rule(name, count) + j);
  }
  return d;
}

std::vector<int32_t> all(const Dataset& d) {
  std::vector<int32_t> v;
  for (size_t i = 0; i < d.size(); ++i) v.push_back(static_cast<int32_t>(i));
  return v;
}

TEST(CartTrainer, RecoversAnOrderingSplit) {
  Dataset d = synthetic(2000, [](const std::string&, int32_t c) { return c <= 4 ? 300.0 : -100.0; }, 3, 20);
  RegressionTree t;
  TrainOptions o;
  o.minLeaf = 50;
  t.grow(d, all(d), o);
  t.prune(d, all(synthetic(500, [](const std::string&, int32_t c) { return c <= 4 ? 300.0 : -100.0; }, 9, 20)));
  const auto& root = t.nodes()[t.root()];
  ASSERT_FALSE(root.leaf);
  EXPECT_EQ(d.featureNames[root.feature], "count");
  EXPECT_EQ(root.question, Question::kLessEqual);
  EXPECT_EQ(root.operand.number, 4);
  for (size_t i = 0; i < d.size(); ++i) {
    const int32_t count = d.values[1][d.rows[i][1]].number;
    EXPECT_NEAR(t.predict(d, static_cast<int32_t>(i)), count <= 4 ? 300 : -100, 12);
  }
}

TEST(CartTrainer, RecoversNestedCategoricalSplits) {
  auto rule = [](const std::string& n, int32_t c) { return n == "b" ? (c <= 6 ? 500.0 : 100.0) : 0.0; };
  Dataset d = synthetic(4000, rule, 5);
  RegressionTree t;
  TrainOptions o;
  o.minLeaf = 20;
  t.grow(d, all(d), o);
  const auto& root = t.nodes()[t.root()];
  ASSERT_FALSE(root.leaf);
  EXPECT_EQ(d.featureNames[root.feature], "name");
  EXPECT_EQ(root.question, Question::kEqual);
  EXPECT_EQ(root.operand.text, "b");
  EXPECT_FALSE(root.operand.isInt);
  const auto& yes = t.nodes()[root.yes];
  ASSERT_FALSE(yes.leaf);
  EXPECT_EQ(d.featureNames[yes.feature], "count");
  EXPECT_EQ(yes.operand.number, 6);
  for (size_t i = 0; i < d.size(); ++i) EXPECT_EQ(t.predict(d, static_cast<int32_t>(i)), d.targets[i]);
}

TEST(CartTrainer, EqualityIsNeverAskedOfIntAnswers) {
  // Only "count" (int answers) predicts: an equality question with a string
  // operand could never match it in the engine, so the tree must order.
  Dataset d = synthetic(1000, [](const std::string&, int32_t c) { return c == 0 ? 800.0 : 0.0; });
  RegressionTree t;
  t.grow(d, all(d), TrainOptions{});
  for (const auto& n : t.nodes()) {
    if (!n.leaf && d.featureNames[n.feature] == "count") {
      EXPECT_EQ(n.question, Question::kLessEqual);
    }
  }
  const auto& root = t.nodes()[t.root()];
  EXPECT_EQ(d.featureNames[root.feature], "count");
  EXPECT_EQ(root.operand.number, 0);
}

TEST(CartTrainer, OrderingReadsNumberStringsAndNonNumbersAsZero) {
  RegressionTree t;
  durtrain::TreeNode n;
  n.leaf = false;
  n.question = Question::kLessEqual;
  n.operand = durtrain::TypedValue::parse("i:1");
  EXPECT_TRUE(t.answers(durtrain::TypedValue::parse("s:1"), n));
  EXPECT_FALSE(t.answers(durtrain::TypedValue::parse("s:2"), n));
  EXPECT_TRUE(t.answers(durtrain::TypedValue::parse("s:pau"), n));
  EXPECT_TRUE(t.answers(durtrain::TypedValue::parse("i:-3"), n));
  n.question = Question::kEqual;
  n.operand = durtrain::TypedValue::parse("s:0");
  EXPECT_TRUE(t.answers(durtrain::TypedValue::parse("s:0"), n));
  EXPECT_FALSE(t.answers(durtrain::TypedValue::parse("i:0"), n)) << "equality is strict about type";
}

TEST(CartTrainer, LeavesKeepTheMinimumSizeAndNoiseIsPruned) {
  auto noise = [](const std::string&, int32_t) { return 0.0; };
  Dataset d = synthetic(3000, noise, 11, 400);
  RegressionTree t;
  TrainOptions o;
  o.minLeaf = 15;
  t.grow(d, all(d), o);
  for (const auto& n : t.nodes()) {
    if (n.leaf) {
      EXPECT_GE(n.count, 15);
    }
  }
  const int32_t grown = t.leafCount();
  EXPECT_GT(grown, 4);
  Dataset held = synthetic(3000, noise, 12, 400);
  t.prune(held, all(held));
  EXPECT_LT(t.leafCount() * 4, grown);
}

// ---- alignment ----

TEST(PhoneAlignment, MatchesAlternativesAndDistrustsNeighboursOfEdits) {
  const std::vector<std::string> ours = {"p", "o", "d", "o", "m"};
  const std::vector<durtrain::ReferencePhone> theirs = {{"b", "p"}, {"o"}, {"t", "d"}, {"o"}, {"m"}};
  auto a = durtrain::alignPhones(ours, theirs);
  EXPECT_EQ(a.matches, 5);
  EXPECT_EQ(a.edits, 0);
  EXPECT_EQ(a.referenceOf, (std::vector<int32_t>{0, 1, 2, 3, 4}));

  // An extra reference phone between "d" and "o": both lose confidence.
  const std::vector<durtrain::ReferencePhone> extra = {{"p"}, {"o"}, {"d"}, {"e"}, {"o"}, {"m"}};
  a = durtrain::alignPhones(ours, extra);
  EXPECT_EQ(a.edits, 1);
  EXPECT_EQ(a.referenceOf, (std::vector<int32_t>{0, 1, -1, -1, 5}));

  // A substitution.
  const std::vector<durtrain::ReferencePhone> other = {{"p"}, {"o"}, {"k"}, {"o"}, {"m"}};
  a = durtrain::alignPhones(ours, other);
  EXPECT_EQ(a.referenceOf, (std::vector<int32_t>{0, -1, -1, -1, 4}));
  EXPECT_EQ(durtrain::alignPhones({}, {}).matches, 0);
}

// ---- source output ----

TEST(TreeSource, WritesPreorderNodesWithSharedOperands) {
  auto rule = [](const std::string& n, int32_t c) { return n == "b" ? (c <= 6 ? 512.0 : 128.0) : -64.0; };
  Dataset d = synthetic(4000, rule, 5);
  RegressionTree t;
  t.grow(d, all(d), TrainOptions{});
  ASSERT_EQ(t.leafCount(), 3);
  const std::string src = durtrain::treeSource(t, d, "kTestTree", "first line\nsecond line");
  EXPECT_NE(src.find("// first line\n// second line\n"), std::string::npos);
  EXPECT_NE(src.find("constexpr Val kS0 = staticString(\"b\");"), std::string::npos) << src;
  EXPECT_NE(src.find("constexpr Val kI6 = staticInt(6);"), std::string::npos);
  EXPECT_NE(src.find("constexpr Val kZm64 = staticInt(-64);"), std::string::npos);
  EXPECT_NE(src.find("    \"name\",  // 0\n    \"count\",  // 1\n    nullptr,"), std::string::npos) << src;
  EXPECT_NE(src.find("{0, kCartEqual, 4, &kS0},  // 0\n"
                     "    {1, kCartLessEqual, 3, &kI6},  // 1\n"
                     "    {255, kCartLeaf, 0, &kZ512},  // 2\n"
                     "    {255, kCartLeaf, 0, &kZ128},  // 3\n"
                     "    {255, kCartLeaf, 0, &kZm64},  // 4\n"
                     "    {255, kCartLeaf, 0, nullptr},  // terminator"),
            std::string::npos)
      << src;
  EXPECT_NE(src.find("const Cart kTestTree = {kNodes, kNames};"), std::string::npos);
}

#endif  // VOXA_TRAINER_TESTS

}  // namespace
