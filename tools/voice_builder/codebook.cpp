#include "voice_builder/codebook.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace voxa::voicebuild {

uint32_t ScalarCodebook::encode(int32_t v) const {
  uint32_t best = 0;
  int64_t bestErr = -1;
  for (size_t i = 0; i < levels_Q10.size(); ++i) {
    const int64_t e = std::llabs(static_cast<int64_t>(v) - levels_Q10[i]);
    if (bestErr < 0 || e < bestErr) {
      bestErr = e;
      best = static_cast<uint32_t>(i);
    }
  }
  return best;
}

ScalarCodebook trainScalar(const std::vector<int32_t>& values, int bits, double* mse) {
  ScalarCodebook cb;
  cb.bits = bits;
  const int count = 1 << bits;
  if (values.empty()) {
    for (int i = 0; i < count; ++i) cb.levels_Q10.push_back((3216 * (2 * i + 1)) / (2 * count));
    if (mse) *mse = 0;
    return cb;
  }
  // Histogram over the distinct values.
  std::map<int32_t, int64_t> hist;
  for (int32_t v : values) ++hist[v];
  std::vector<std::pair<int32_t, int64_t>> h(hist.begin(), hist.end());
  const int64_t total = static_cast<int64_t>(values.size());
  // Start from quantiles.
  std::vector<double> levels(count);
  {
    int64_t seen = 0;
    size_t j = 0;
    for (int i = 0; i < count; ++i) {
      const int64_t want = (total * (2 * i + 1)) / (2 * count);
      while (j + 1 < h.size() && seen + h[j].second <= want) seen += h[j++].second;
      levels[i] = h[j].first;
    }
  }
  double err = 0;
  for (int iter = 0; iter < 60; ++iter) {
    std::vector<double> sum(count, 0.0), weight(count, 0.0);
    err = 0;
    size_t li = 0;
    for (const auto& [v, n] : h) {
      while (li + 1 < levels.size() && std::fabs(levels[li + 1] - v) < std::fabs(levels[li] - v)) ++li;
      sum[li] += static_cast<double>(v) * n;
      weight[li] += static_cast<double>(n);
      err += (v - levels[li]) * (v - levels[li]) * n;
    }
    bool moved = false;
    for (int i = 0; i < count; ++i) {
      if (weight[i] <= 0) continue;
      const double c = sum[i] / weight[i];
      if (std::fabs(c - levels[i]) > 1e-6) moved = true;
      levels[i] = c;
    }
    std::sort(levels.begin(), levels.end());
    if (!moved) break;
  }
  for (double l : levels) cb.levels_Q10.push_back(static_cast<int32_t>(std::lround(l)));
  std::sort(cb.levels_Q10.begin(), cb.levels_Q10.end());
  if (mse) *mse = err / static_cast<double>(total);
  return cb;
}

std::vector<ScalarCodebook> trainCodebooks(const std::vector<std::vector<int32_t>>& perParameter,
                                           int totalBits, int minBits, int maxBits) {
  const int k = static_cast<int>(perParameter.size());
  std::vector<int> widths(k, minBits);
  std::vector<double> err(k), next(k);
  for (int i = 0; i < k; ++i) {
    trainScalar(perParameter[i], widths[i], &err[i]);
    trainScalar(perParameter[i], widths[i] + 1, &next[i]);
  }
  for (int used = k * minBits; used < totalBits; ++used) {
    int best = -1;
    for (int i = 0; i < k; ++i)
      if (widths[i] < maxBits && (best < 0 || err[i] - next[i] > err[best] - next[best])) best = i;
    if (best < 0) break;
    ++widths[best];
    err[best] = next[best];
    if (widths[best] < maxBits) trainScalar(perParameter[best], widths[best] + 1, &next[best]);
  }
  std::vector<ScalarCodebook> out;
  for (int i = 0; i < k; ++i) out.push_back(trainScalar(perParameter[i], widths[i], nullptr));
  return out;
}

}  // namespace voxa::voicebuild
