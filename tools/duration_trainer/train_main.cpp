// duration_trainer: trains the "dur_cart" regression tree of one language from
// the segment table of duration_features_<lang> and writes it as source.
//
//   duration_trainer --features features.tsv --symbol kDurationTreePl --out tree.cpp [--lang pl]
//
// Target per segment: z = (d * 2^14 / S - mean) / scale in 1/256 units, with d
// the measured duration (1/1024 s) and S the deliverable's normal rate (Q8).
// Sentences are split by index: 70 % grow the tree, 10 % prune it and choose
// the minimum leaf size, 20 % measure the error reported.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cart_trainer.h"
#include "tree_source.h"

namespace {

struct Segment {
  int32_t sentence;
  double duration;  // 1/1024 s
  int32_t mean, scale;
  int32_t engine;  // the engine's duration when the table was made (1/1024 s)
};

// The engine's duration for a z-score (1/1024 s), as its z-score model computes it.
int32_t engineDuration(int32_t stretch_Q8, const Segment& s, int32_t z_Q8) {
  const int32_t d = stretch_Q8 * (s.mean + (s.scale * z_Q8 >> 8)) >> 14;
  return d > 10 ? d : 10;
}

double toMs(double units) { return units * 1000.0 / 1024.0; }

template <typename Predict>
double rmseMs(const std::vector<Segment>& segs, const std::vector<int32_t>& which, int32_t stretch, Predict predict) {
  double sum = 0;
  for (int32_t i : which) {
    const double e = toMs(engineDuration(stretch, segs[i], predict(i))) - toMs(segs[i].duration);
    sum += e * e;
  }
  return which.empty() ? 0 : std::sqrt(sum / which.size());
}

}  // namespace

int main(int argc, char** argv) {
  std::string featuresPath, symbol, outPath, lang = "?";
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string arg = argv[i];
    if (arg == "--features") featuresPath = argv[i + 1];
    else if (arg == "--symbol") symbol = argv[i + 1];
    else if (arg == "--out") outPath = argv[i + 1];
    else if (arg == "--lang") lang = argv[i + 1];
  }
  std::ifstream in(featuresPath);
  if (!in || symbol.empty() || outPath.empty()) {
    std::fprintf(stderr, "usage: duration_trainer --features FILE --symbol NAME --out FILE [--lang CODE]\n");
    return 2;
  }
  int32_t stretch = 256;
  durtrain::Dataset data;
  std::vector<Segment> segs;
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("# stretch ", 0) == 0) {
      stretch = std::atoi(line.c_str() + 10);
      continue;
    }
    std::vector<std::string> cols;
    std::istringstream f(line);
    for (std::string c; std::getline(f, c, '\t');) cols.push_back(c);
    if (cols.size() < 7) continue;
    if (cols[0] == "sentence") {
      data.featureNames.assign(cols.begin() + 6, cols.end());
      continue;
    }
    Segment s{std::atoi(cols[0].c_str()), std::atof(cols[2].c_str()), std::atoi(cols[3].c_str()),
              std::atoi(cols[4].c_str()), std::atoi(cols[5].c_str())};
    if (s.scale <= 0) continue;
    const double z = (s.duration * 16384.0 / stretch - s.mean) / s.scale * 256.0;
    segs.push_back(s);
    data.add(std::vector<std::string>(cols.begin() + 6, cols.end()), z);
  }
  std::vector<int32_t> train, held, test;
  for (size_t i = 0; i < segs.size(); ++i) {
    const int32_t fold = segs[i].sentence % 10;
    (fold < 7 ? train : fold == 7 ? held : test).push_back(static_cast<int32_t>(i));
  }
  if (train.empty() || held.empty() || test.empty()) {
    std::fprintf(stderr, "duration_trainer: too few segments (%zu)\n", segs.size());
    return 1;
  }

  durtrain::RegressionTree best;
  double bestHeld = 1e300;
  int32_t bestLeaf = 0;
  for (int32_t minLeaf : {3, 5, 10, 20, 40}) {
    durtrain::TrainOptions options;
    options.minLeaf = minLeaf;
    durtrain::RegressionTree tree;
    tree.grow(data, train, options);
    tree.prune(data, held);
    const double e = rmseMs(segs, held, stretch, [&](int32_t i) { return tree.predict(data, i); });
    std::fprintf(stderr, "  min leaf %d: %d leaves, held-out RMSE %.2f ms\n", minLeaf, tree.leafCount(), e);
    if (e < bestHeld) {
      bestHeld = e;
      best = tree;
      bestLeaf = minLeaf;
    }
  }
  double zSum = 0;
  for (int32_t i : train) zSum += data.targets[i];
  const int32_t meanZ = static_cast<int32_t>(std::lround(zSum / train.size()));
  const double treeRmse = rmseMs(segs, test, stretch, [&](int32_t i) { return best.predict(data, i); });
  const double zeroRmse = rmseMs(segs, test, stretch, [](int32_t) { return 0; });
  const double constRmse = rmseMs(segs, test, stretch, [&](int32_t) { return meanZ; });
  char summary[512];
  std::snprintf(summary, sizeof summary,
                "%s: %zu segments (%zu grow, %zu prune, %zu test), min leaf %d, %d nodes (%d leaves); test RMSE "
                "tree %.1f ms, z = 0 %.1f ms, constant z = %d %.1f ms",
                lang.c_str(), segs.size(), train.size(), held.size(), test.size(), bestLeaf, best.reachableCount(),
                best.leafCount(), treeRmse, zeroRmse, meanZ, constRmse);
  std::printf("%s\n", summary);
  double engineSum = 0;
  for (int32_t i : test) {
    const double e = toMs(segs[i].engine) - toMs(segs[i].duration);
    engineSum += e * e;
  }
  // Not written into the source: it depends on the tree the extraction ran with.
  std::printf("%s: the engine's own durations at extraction (its duration model and the tree it was built with, "
              "phrase-final lengthening included): test RMSE %.1f ms\n",
              lang.c_str(), std::sqrt(engineSum / test.size()));

  const std::string header =
      "\"dur_cart\": segment z-scores in 1/256 units, a regression tree trained on measured\n"
      "durations of the reference speaker (eSpeak NG) over tools/duration_trainer/corpus/" + lang + ".txt.\n"
      "Generated by scripts/train-durations; do not edit.\n" + std::string(summary);
  std::ofstream out(outPath);
  out << durtrain::treeSource(best, data, symbol, header);
  return out ? 0 : 1;
}
