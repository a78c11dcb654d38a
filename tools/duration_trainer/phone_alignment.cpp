#include "phone_alignment.h"

#include <algorithm>

namespace durtrain {

namespace {

bool same(const std::string& phone, const ReferencePhone& ref) {
  return std::find(ref.begin(), ref.end(), phone) != ref.end();
}

enum Step : uint8_t { kMatch, kSubstitute, kSkipEngine, kSkipReference };

}  // namespace

Alignment alignPhones(const std::vector<std::string>& engine, const std::vector<ReferencePhone>& reference) {
  const size_t n = engine.size(), m = reference.size();
  std::vector<int32_t> cost((n + 1) * (m + 1));
  std::vector<uint8_t> step((n + 1) * (m + 1));
  auto at = [m](size_t i, size_t j) { return i * (m + 1) + j; };
  for (size_t i = 0; i <= n; ++i) {
    for (size_t j = 0; j <= m; ++j) {
      if (i == 0 && j == 0) {
        cost[0] = 0;
        continue;
      }
      int32_t best = 1 << 30;
      uint8_t how = kMatch;
      if (i > 0 && j > 0) {
        const bool eq = same(engine[i - 1], reference[j - 1]);
        const int32_t c = cost[at(i - 1, j - 1)] + (eq ? 0 : 1);
        if (c < best) {
          best = c;
          how = eq ? kMatch : kSubstitute;
        }
      }
      if (i > 0 && cost[at(i - 1, j)] + 1 < best) {
        best = cost[at(i - 1, j)] + 1;
        how = kSkipEngine;
      }
      if (j > 0 && cost[at(i, j - 1)] + 1 < best) {
        best = cost[at(i, j - 1)] + 1;
        how = kSkipReference;
      }
      cost[at(i, j)] = best;
      step[at(i, j)] = how;
    }
  }
  // Trace back into a list of steps, start to end.
  struct Pair {
    uint8_t how;
    int32_t engine, reference;
  };
  std::vector<Pair> path;
  size_t i = n, j = m;
  while (i > 0 || j > 0) {
    const uint8_t how = step[at(i, j)];
    if (how == kMatch || how == kSubstitute) {
      path.push_back({how, static_cast<int32_t>(i - 1), static_cast<int32_t>(j - 1)});
      --i;
      --j;
    } else if (how == kSkipEngine) {
      path.push_back({how, static_cast<int32_t>(i - 1), -1});
      --i;
    } else {
      path.push_back({how, -1, static_cast<int32_t>(j - 1)});
      --j;
    }
  }
  std::reverse(path.begin(), path.end());
  Alignment result;
  result.referenceOf.assign(n, -1);
  result.edits = cost[at(n, m)];
  for (size_t k = 0; k < path.size(); ++k) {
    if (path[k].how != kMatch) continue;
    ++result.matches;
    const bool before = k == 0 || path[k - 1].how == kMatch;
    const bool after = k + 1 == path.size() || path[k + 1].how == kMatch;
    if (before && after) result.referenceOf[path[k].engine] = path[k].reference;
  }
  return result;
}

}  // namespace durtrain
