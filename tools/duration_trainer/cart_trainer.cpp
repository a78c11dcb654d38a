#include "cart_trainer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

namespace durtrain {

namespace {

bool wholeNumber(const std::string& s, int32_t* out) {
  if (s.empty() || s.size() > 9) return false;
  size_t i = s[0] == '-' ? 1 : 0;
  if (i == s.size()) return false;
  for (size_t k = i; k < s.size(); ++k)
    if (s[k] < '0' || s[k] > '9') return false;
  *out = std::atoi(s.c_str());
  return true;
}

struct Stats {
  double n = 0, sum = 0, sumSq = 0;
  void add(double y) {
    n += 1;
    sum += y;
    sumSq += y * y;
  }
  double sse() const { return n > 0 ? sumSq - sum * sum / n : 0; }
};

}  // namespace

TypedValue TypedValue::parse(const std::string& encoded) {
  TypedValue v;
  if (encoded.size() >= 2 && encoded[0] == 'i' && encoded[1] == ':') {
    v.isInt = true;
    v.numeric = true;
    v.number = std::atoi(encoded.c_str() + 2);
  } else {
    v.text = encoded.size() >= 2 && encoded[1] == ':' ? encoded.substr(2) : encoded;
    v.numeric = wholeNumber(v.text, &v.number);
  }
  return v;
}

std::string TypedValue::encode() const { return isInt ? "i:" + std::to_string(number) : "s:" + text; }

void Dataset::add(const std::vector<std::string>& encoded, double target) {
  if (values.size() < encoded.size()) values.resize(encoded.size());
  std::vector<int32_t> row(encoded.size());
  for (size_t f = 0; f < encoded.size(); ++f) {
    const TypedValue v = TypedValue::parse(encoded[f]);
    auto& list = values[f];
    auto it = std::find(list.begin(), list.end(), v);
    row[f] = static_cast<int32_t>(it - list.begin());
    if (it == list.end()) list.push_back(v);
  }
  rows.push_back(std::move(row));
  targets.push_back(target);
}

bool RegressionTree::answers(const TypedValue& v, const TreeNode& n) const {
  if (n.question == Question::kEqual) return !v.isInt && v.text == n.operand.text;
  // valInt of a string that is not a number reads 0
  const int32_t x = v.numeric ? v.number : 0;
  return x <= n.operand.number;
}

void RegressionTree::grow(const Dataset& data, const std::vector<int32_t>& train, const TrainOptions& options) {
  nodes_.clear();
  std::vector<int32_t> samples = train;
  root_ = build(data, samples, 0, options);
}

int32_t RegressionTree::build(const Dataset& data, std::vector<int32_t>& samples, int32_t depth,
                              const TrainOptions& options) {
  Stats all;
  for (int32_t s : samples) all.add(data.targets[s]);
  TreeNode node;
  node.count = static_cast<int32_t>(samples.size());
  const double mean = all.n > 0 ? all.sum / all.n : 0;
  node.answer = static_cast<int32_t>(std::lround(std::max<double>(-options.answerLimit,
                                                                  std::min<double>(options.answerLimit, mean))));
  const int32_t index = static_cast<int32_t>(nodes_.size());
  nodes_.push_back(node);
  const double parentSse = all.sse();
  if (depth >= options.maxDepth || all.n < 2 * options.minLeaf || parentSse <= 0) return index;

  double bestGain = options.minGain * parentSse;
  int32_t bestFeature = -1;
  Question bestQuestion = Question::kEqual;
  TypedValue bestOperand;
  const double minLeaf = options.minLeaf;
  for (size_t f = 0; f < data.values.size(); ++f) {
    const auto& vals = data.values[f];
    std::vector<Stats> hist(vals.size());
    for (int32_t s : samples) hist[data.rows[s][f]].add(data.targets[s]);
    auto consider = [&](const Stats& yes, Question q, const TypedValue& operand) {
      Stats no;
      no.n = all.n - yes.n;
      no.sum = all.sum - yes.sum;
      no.sumSq = all.sumSq - yes.sumSq;
      if (yes.n < minLeaf || no.n < minLeaf) return;
      const double gain = parentSse - yes.sse() - no.sse();
      if (gain > bestGain) {
        bestGain = gain;
        bestFeature = static_cast<int32_t>(f);
        bestQuestion = q;
        bestOperand = operand;
      }
    };
    bool allNumeric = true;
    for (size_t v = 0; v < vals.size(); ++v) {
      if (!vals[v].numeric) allNumeric = false;
      if (!vals[v].isInt && hist[v].n > 0) consider(hist[v], Question::kEqual, vals[v]);
    }
    if (!allNumeric) continue;
    std::map<int32_t, Stats> byNumber;  // ordered thresholds
    for (size_t v = 0; v < vals.size(); ++v) {
      Stats& st = byNumber[vals[v].number];
      st.n += hist[v].n;
      st.sum += hist[v].sum;
      st.sumSq += hist[v].sumSq;
    }
    Stats below;
    for (const auto& kv : byNumber) {
      below.n += kv.second.n;
      below.sum += kv.second.sum;
      below.sumSq += kv.second.sumSq;
      TypedValue threshold;
      threshold.isInt = true;
      threshold.numeric = true;
      threshold.number = kv.first;
      consider(below, Question::kLessEqual, threshold);
    }
  }
  if (bestFeature < 0) return index;

  TreeNode probe;
  probe.question = bestQuestion;
  probe.operand = bestOperand;
  std::vector<int32_t> yesSamples, noSamples;
  for (int32_t s : samples)
    (answers(data.values[bestFeature][data.rows[s][bestFeature]], probe) ? yesSamples : noSamples).push_back(s);
  samples.clear();
  samples.shrink_to_fit();
  const int32_t yes = build(data, yesSamples, depth + 1, options);
  const int32_t no = build(data, noSamples, depth + 1, options);
  TreeNode& n = nodes_[index];
  n.leaf = false;
  n.feature = bestFeature;
  n.question = bestQuestion;
  n.operand = bestOperand;
  n.yes = yes;
  n.no = no;
  return index;
}

int32_t RegressionTree::predict(const Dataset& data, int32_t sample) const {
  int32_t i = root_;
  while (i >= 0 && !nodes_[i].leaf) {
    const TreeNode& n = nodes_[i];
    i = answers(data.values[n.feature][data.rows[sample][n.feature]], n) ? n.yes : n.no;
  }
  return i >= 0 ? nodes_[i].answer : 0;
}

void RegressionTree::prune(const Dataset& data, const std::vector<int32_t>& held) {
  if (root_ >= 0) pruneNode(root_, data, held);
}

// Returns the held-out squared error of the (pruned) subtree at `node` over `held`.
double RegressionTree::pruneNode(int32_t node, const Dataset& data, const std::vector<int32_t>& held) {
  TreeNode& n = nodes_[node];
  double asLeaf = 0;
  for (int32_t s : held) {
    const double e = data.targets[s] - n.answer;
    asLeaf += e * e;
  }
  if (n.leaf) return asLeaf;
  std::vector<int32_t> yesHeld, noHeld;
  for (int32_t s : held)
    (answers(data.values[n.feature][data.rows[s][n.feature]], n) ? yesHeld : noHeld).push_back(s);
  const int32_t yes = n.yes, no = n.no;
  const double subtree = pruneNode(yes, data, yesHeld) + pruneNode(no, data, noHeld);
  TreeNode& again = nodes_[node];  // no reallocation happens, but keep the reference fresh
  if (asLeaf <= subtree) {
    again.leaf = true;
    again.yes = again.no = -1;
    return asLeaf;
  }
  return subtree;
}

int32_t RegressionTree::leafCount() const {
  int32_t leaves = 0;
  std::vector<int32_t> stack;
  if (root_ >= 0) stack.push_back(root_);
  while (!stack.empty()) {
    const TreeNode& n = nodes_[stack.back()];
    stack.pop_back();
    if (n.leaf) {
      ++leaves;
    } else {
      stack.push_back(n.yes);
      stack.push_back(n.no);
    }
  }
  return leaves;
}

int32_t RegressionTree::reachableCount() const { return 2 * leafCount() - 1; }

}  // namespace durtrain
