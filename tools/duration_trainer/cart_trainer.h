// Regression trees (CART) for segment durations: squared-error splits over
// categorical equality and integer ordering questions, a minimum leaf size,
// and reduced-error pruning on held-out samples.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace durtrain {

// One feature value as the engine's paths answer it: a string or an int.
struct TypedValue {
  bool isInt = false;
  std::string text;    // string answer (isInt false)
  int32_t number = 0;  // int answer, or the string read as an integer
  bool numeric = false;  // an int, or a string that is a whole decimal number

  static TypedValue parse(const std::string& encoded);  // "s:text" or "i:123"
  std::string encode() const;
  bool operator==(const TypedValue& o) const { return isInt == o.isInt && text == o.text && number == o.number; }
};

// Training samples: per sample one value id per feature, and the target.
struct Dataset {
  std::vector<std::string> featureNames;
  std::vector<std::vector<TypedValue>> values;  // per feature: its distinct values
  std::vector<std::vector<int32_t>> rows;       // per sample: value id per feature
  std::vector<double> targets;

  // Adds a sample; `encoded` holds one "s:"/"i:" value per feature.
  void add(const std::vector<std::string>& encoded, double target);
  size_t size() const { return rows.size(); }
};

enum class Question : uint8_t { kEqual = 0, kLessEqual = 6 };

struct TreeNode {
  bool leaf = true;
  int32_t answer = 0;    // leaf: rounded mean target
  int32_t feature = -1;  // question: feature index
  Question question = Question::kEqual;
  TypedValue operand;    // equality: the string value; ordering: the int threshold
  int32_t yes = -1, no = -1;  // child node indexes
  int32_t count = 0;
};

struct TrainOptions {
  int32_t minLeaf = 20;         // samples on each side of a question, at least
  int32_t maxDepth = 30;
  double minGain = 1e-9;        // SSE reduction a question must bring, relative to the node's SSE
  int32_t answerLimit = 4096;   // leaves are clamped to +-answerLimit
};

class RegressionTree {
 public:
  // Grows on the samples listed in `train` of `data`.
  void grow(const Dataset& data, const std::vector<int32_t>& train, const TrainOptions& options);
  // Replaces each subtree by a leaf where that does not raise the squared error on `held`.
  void prune(const Dataset& data, const std::vector<int32_t>& held);

  int32_t predict(const Dataset& data, int32_t sample) const;
  bool answers(const TypedValue& v, const TreeNode& n) const;

  const std::vector<TreeNode>& nodes() const { return nodes_; }
  int32_t root() const { return root_; }
  int32_t leafCount() const;
  int32_t reachableCount() const;  // nodes reachable from the root

 private:
  int32_t build(const Dataset& data, std::vector<int32_t>& samples, int32_t depth, const TrainOptions& options);
  double pruneNode(int32_t node, const Dataset& data, const std::vector<int32_t>& held);

  std::vector<TreeNode> nodes_;
  int32_t root_ = -1;
};

}  // namespace durtrain
