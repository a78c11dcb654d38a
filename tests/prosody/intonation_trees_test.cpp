// Shape of the stored accent and tone trees.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "model/value.h"
#include "prosody/intonation_trees.h"

namespace {

using tts::Cart;
using tts::CartNode;

struct Shape {
  int32_t nodes = 0;
  int32_t leaves = 0;
  std::map<std::string, int32_t> answers;
  int32_t names = 0;
};

Shape shapeOf(const Cart& tree) {
  Shape s;
  for (const CartNode* n = tree.nodes; !(n->op == tts::kCartLeaf && n->operand == nullptr); ++n) {
    ++s.nodes;
    if (n->op == tts::kCartLeaf) {
      ++s.leaves;
      ++s.answers[tts::valString(n->operand)];
    }
  }
  while (tree.names[s.names]) ++s.names;
  return s;
}

// Every node reached from the root is a question with both branches in range,
// or a leaf; every reached leaf is visited once (the tree is a tree).
void checkPaths(const Cart& tree, int32_t count) {
  std::set<int32_t> seen;
  std::vector<int32_t> todo{0};
  while (!todo.empty()) {
    int32_t i = todo.back();
    todo.pop_back();
    ASSERT_GE(i, 0);
    ASSERT_LT(i, count);
    ASSERT_TRUE(seen.insert(i).second) << "node " << i << " reached twice";
    const CartNode& n = tree.nodes[i];
    if (n.op == tts::kCartLeaf) {
      EXPECT_EQ(n.feature, 255);
      EXPECT_EQ(n.no, 0);
      continue;
    }
    EXPECT_EQ(n.op, tts::kCartEqual);
    EXPECT_NE(tts::valString(n.operand), nullptr) << "equality operands are strings";
    EXPECT_GT(n.no, i + 1);
    todo.push_back(i + 1);
    todo.push_back(n.no);
  }
  EXPECT_EQ(static_cast<int32_t>(seen.size()), count) << "unreachable nodes";
}

TEST(IntonationTrees, AccentTreeShape) {
  Shape s = shapeOf(tts::kAccentTree);
  EXPECT_EQ(s.nodes, 149);
  EXPECT_EQ(s.leaves, 75);
  EXPECT_EQ(s.answers["NONE"], 39);
  EXPECT_EQ(s.answers["H*"], 28);
  EXPECT_EQ(s.answers["!H*"], 4);
  EXPECT_EQ(s.answers["L+H*"], 4);
  EXPECT_EQ(s.names, 18);
  checkPaths(tts::kAccentTree, 149);
}

TEST(IntonationTrees, ToneTreeShape) {
  Shape s = shapeOf(tts::kToneTree);
  EXPECT_EQ(s.nodes, 95);
  EXPECT_EQ(s.leaves, 48);
  EXPECT_EQ(s.answers["NONE"], 32);
  EXPECT_EQ(s.answers["L-L%"], 11);
  EXPECT_EQ(s.answers["L-H%"], 3);
  EXPECT_EQ(s.answers["H-H%"], 1);
  EXPECT_EQ(s.answers["H-"], 1);
  EXPECT_EQ(s.names, 15);
  checkPaths(tts::kToneTree, 95);
}

std::string question(const Cart& t, int32_t i) {
  const CartNode& n = t.nodes[i];
  return std::string(t.names[n.feature]) + "=" + tts::valString(n.operand);
}

TEST(IntonationTrees, HandDecodedNodes) {
  const Cart& a = tts::kAccentTree;
  EXPECT_EQ(question(a, 0), "R:SylStructure.parent.R:Token.parent.EMPH=1");
  EXPECT_STREQ(tts::valString(a.nodes[1].operand), "H*");
  EXPECT_EQ(a.nodes[0].no, 2);
  EXPECT_EQ(question(a, 2), "n.R:SylStructure.parent.R:Token.parent.EMPH=1");
  EXPECT_EQ(a.nodes[2].no, 4);
  EXPECT_EQ(question(a, 28), "p.syl_break=3");
  EXPECT_EQ(a.nodes[28].no, 32);
  EXPECT_EQ(question(a, 29), "syl_break=1");
  EXPECT_STREQ(tts::valString(a.nodes[30].operand), "NONE");
  EXPECT_STREQ(tts::valString(a.nodes[31].operand), "H*");
  EXPECT_EQ(question(a, 145), "syl_in=3");
  EXPECT_STREQ(tts::valString(a.nodes[146].operand), "H*");
  EXPECT_STREQ(tts::valString(a.nodes[147].operand), "NONE");
  EXPECT_EQ(a.nodes[148].op, tts::kCartLeaf);  // no-branch of node 144

  const Cart& t = tts::kToneTree;
  EXPECT_EQ(question(t, 0), "lisp_syl_yn_question=1");
  EXPECT_STREQ(tts::valString(t.nodes[1].operand), "H-H%");
  EXPECT_EQ(question(t, 18), "old_syl_break=4");
  EXPECT_EQ(t.nodes[18].no, 46);
  EXPECT_EQ(question(t, 37), "sub_phrases=0");
  EXPECT_EQ(t.nodes[37].no, 45);  // leaf "L-L%"
  EXPECT_STREQ(tts::valString(t.nodes[45].operand), "L-L%");
  EXPECT_EQ(question(t, 91), "old_syl_break=3");
  EXPECT_STREQ(tts::valString(t.nodes[92].operand), "H-");
  EXPECT_STREQ(tts::valString(t.nodes[93].operand), "NONE");
  EXPECT_EQ(t.nodes[95].op, tts::kCartLeaf);
  EXPECT_EQ(t.nodes[95].operand, nullptr);  // terminator
}

}  // namespace
