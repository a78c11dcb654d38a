#include "tree_source.h"

#include <cstdlib>
#include <map>
#include <sstream>
#include <vector>

namespace durtrain {

namespace {

std::string quoted(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

struct Flat {
  int32_t feature;  // -1 in leaves
  int32_t op;
  int32_t no;
  std::string operand;  // constant name
};

}  // namespace

std::string treeSource(const RegressionTree& tree, const Dataset& data, const std::string& symbol,
                       const std::string& header) {
  const auto& nodes = tree.nodes();
  std::map<int32_t, int32_t> nameIndex;  // feature -> index in the names array
  std::vector<int32_t> names;
  std::map<std::string, std::string> strings;  // text -> constant
  std::map<int32_t, std::string> ints;         // threshold -> constant
  std::map<int32_t, std::string> answers;      // leaf answer -> constant
  std::vector<Flat> flat;

  // Preorder with the no-branch index patched once it is known.
  struct Frame {
    int32_t node;
    int32_t parent;  // flat index whose `no` is this subtree's start, or -1
  };
  std::vector<Frame> stack{{tree.root(), -1}};
  while (!stack.empty()) {
    const Frame fr = stack.back();
    stack.pop_back();
    const int32_t here = static_cast<int32_t>(flat.size());
    if (fr.parent >= 0) flat[fr.parent].no = here;
    const TreeNode& n = nodes[fr.node];
    if (n.leaf) {
      auto it = answers.find(n.answer);
      if (it == answers.end())
        it = answers.emplace(n.answer, "kZ" + std::string(n.answer < 0 ? "m" : "") + std::to_string(std::abs(n.answer)))
                 .first;
      flat.push_back({-1, 255, 0, it->second});
      continue;
    }
    if (!nameIndex.count(n.feature)) {
      nameIndex[n.feature] = static_cast<int32_t>(names.size());
      names.push_back(n.feature);
    }
    std::string operand;
    if (n.question == Question::kEqual) {
      auto it = strings.find(n.operand.text);
      if (it == strings.end()) it = strings.emplace(n.operand.text, "kS" + std::to_string(strings.size())).first;
      operand = it->second;
    } else {
      auto it = ints.find(n.operand.number);
      if (it == ints.end())
        it = ints.emplace(n.operand.number, "kI" + std::string(n.operand.number < 0 ? "m" : "") +
                                                std::to_string(std::abs(n.operand.number)))
                 .first;
      operand = it->second;
    }
    flat.push_back({nameIndex[n.feature], static_cast<int32_t>(n.question), 0, operand});
    stack.push_back({n.no, here});   // visited after the whole yes-subtree
    stack.push_back({n.yes, -1});    // directly after this node
  }

  std::ostringstream out;
  std::istringstream lines(header);
  for (std::string line; std::getline(lines, line);) out << "//" << (line.empty() ? "" : " ") << line << "\n";
  out << "#include \"prosody/prosody_language.h\"\n\nnamespace tts {\n\nnamespace {\n\n";
  out << "// Equality operands (strings), ordering thresholds (ints), leaf z-scores (1/256 units).\n";
  for (const auto& kv : strings) out << "constexpr Val " << kv.second << " = staticString(" << quoted(kv.first) << ");\n";
  for (const auto& kv : ints) out << "constexpr Val " << kv.second << " = staticInt(" << kv.first << ");\n";
  for (const auto& kv : answers) out << "constexpr Val " << kv.second << " = staticInt(" << kv.first << ");\n";
  out << "\nconst char* const kNames[] = {\n";
  for (size_t i = 0; i < names.size(); ++i)
    out << "    " << quoted(data.featureNames[names[i]]) << ",  // " << i << "\n";
  out << "    nullptr,\n};\n\n";
  out << "// {feature, operator, no-branch, operand}; the yes-branch is the next node.\n";
  out << "const CartNode kNodes[] = {\n";
  for (size_t i = 0; i < flat.size(); ++i) {
    const Flat& f = flat[i];
    if (f.feature < 0)
      out << "    {255, kCartLeaf, 0, &" << f.operand << "},  // " << i << "\n";
    else
      out << "    {" << f.feature << ", " << (f.op == 0 ? "kCartEqual" : "kCartLessEqual") << ", " << f.no << ", &"
          << f.operand << "},  // " << i << "\n";
  }
  out << "    {255, kCartLeaf, 0, nullptr},  // terminator\n};\n\n}  // namespace\n\n";
  out << "const Cart " << symbol << " = {kNodes, kNames};\n\n}  // namespace tts\n";
  return out.str();
}

}  // namespace durtrain
