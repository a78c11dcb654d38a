#include "voice_builder/timbre_measures.h"

#include <algorithm>
#include <cmath>

namespace voxa::voicebuild {

double harmonicProminenceDb(const std::vector<double>& power, double binHz, double f0, double maxHz) {
  const int bins = static_cast<int>(power.size());
  std::vector<double> level;  // dB per harmonic 1, 2, ...
  for (int k = 1; k * f0 <= maxHz + f0; ++k) {
    const int lo = std::max(1, static_cast<int>(std::ceil((k - 0.3) * f0 / binHz)));
    const int hi = std::min(bins - 1, static_cast<int>(std::floor((k + 0.3) * f0 / binHz)));
    double peak = 0;
    for (int b = lo; b <= hi; ++b) peak = std::max(peak, power[b]);
    level.push_back(10 * std::log10(peak + 1e-12));
  }
  // The last entry is the neighbour above maxHz only.
  const int candidates = static_cast<int>(level.size()) - 1;
  if (candidates < 1 || level.size() < 2) return 0;
  int best = 0;
  for (int k = 1; k < candidates; ++k)
    if (level[k] > level[best]) best = k;
  const double neighbours =
      best == 0 ? level[1] : 0.5 * (level[static_cast<size_t>(best) - 1] + level[static_cast<size_t>(best) + 1]);
  return level[best] - neighbours;
}

double highBandLevelDb(const std::vector<double>& power, double binHz) {
  double low = 0, high = 0;
  for (size_t b = 1; b < power.size(); ++b) {
    const double f = b * binHz;
    if (f < 500) low += power[b];
    else if (f >= 4000) high += power[b];
  }
  return 10 * std::log10((high + 1e-12) / (low + 1e-12));
}

double glideSteps(const std::vector<double>& track, double minChange) {
  const size_t n = track.size();
  if (n < 6) return -1;
  auto median3 = [](double a, double b, double c) { return std::max(std::min(a, b), std::min(std::max(a, b), c)); };
  const double start = median3(track[0], track[1], track[2]);
  const double end = median3(track[n - 3], track[n - 2], track[n - 1]);
  const double change = end - start;
  if (std::fabs(change) < minChange) return -1;
  size_t reach90 = n - 1;
  for (size_t i = 0; i < n; ++i)
    if ((track[i] - start) / change >= 0.9) {
      reach90 = i;
      break;
    }
  size_t leave10 = 0;
  for (size_t i = 0; i < reach90; ++i)
    if ((track[i] - start) / change < 0.1) leave10 = i;
  return static_cast<double>(reach90 - leave10);
}

double joinDiscontinuity(const std::vector<double>& x, int t, int reach, int context, double quiet) {
  const int n = static_cast<int>(x.size());
  double inside = 0, outside = 0;
  for (int i = std::max(1, t - context); i < std::min(n, t + context + 1); ++i) {
    const double d = std::fabs(x[i] - x[i - 1]);
    if (std::abs(i - t) <= reach) inside = std::max(inside, d);
    else outside = std::max(outside, d);
  }
  return outside < quiet || outside <= 0 ? 0 : inside / outside;
}

double dcOffset(const std::vector<double>& x) {
  double sum = 0;
  for (double v : x) sum += v;
  return x.empty() ? 0.0 : sum / static_cast<double>(x.size());
}

}  // namespace voxa::voicebuild
