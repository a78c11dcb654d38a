#include "voice_builder/pitch_marks.h"

#include <algorithm>
#include <cmath>

#include "voice_builder/lpc.h"

namespace voxa::voicebuild {

std::vector<int> trackPeriods(const std::vector<double>& x, const PitchSettings& s) {
  const int n = static_cast<int>(x.size());
  const int frames = n / s.hop + 1;
  std::vector<int> periods(frames, 0);
  std::vector<double> nacf(s.maxPeriod + 1);
  for (int f = 0; f < frames; ++f) {
    const int centre = f * s.hop;
    const int begin = centre - s.window / 2;
    const int len = s.window - s.maxPeriod;  // compared span
    if (begin < 0 || begin + s.window > n) continue;
    const double* a = x.data() + begin;
    double e0 = 0;
    for (int i = 0; i < len; ++i) e0 += a[i] * a[i];
    if (e0 <= 1e-3) continue;
    double best = 0;
    int bestLag = 0;
    for (int lag = s.minPeriod; lag <= s.maxPeriod; ++lag) {
      double c = 0, e1 = 0;
      for (int i = 0; i < len; ++i) {
        c += a[i] * a[i + lag];
        e1 += a[i + lag] * a[i + lag];
      }
      nacf[lag] = e1 > 0 ? c / std::sqrt(e0 * e1) : 0;
    }
    for (int lag = s.minPeriod + 1; lag < s.maxPeriod; ++lag) {
      if (nacf[lag] > best && nacf[lag] >= nacf[lag - 1] && nacf[lag] >= nacf[lag + 1]) {
        best = nacf[lag];
        bestLag = lag;
      }
    }
    if (best < s.voicing) continue;
    // Prefer the shortest lag whose peak is nearly as good (avoids period doubling).
    for (int div = 4; div >= 2; --div) {
      const int lag = bestLag / div;
      if (lag < s.minPeriod + 1) continue;
      int l = lag;
      for (int d = -2; d <= 2; ++d)
        if (lag + d > s.minPeriod && lag + d < s.maxPeriod && nacf[lag + d] > nacf[l]) l = lag + d;
      if (nacf[l] > 0.85 * best) {
        bestLag = l;
        break;
      }
    }
    periods[f] = bestLag;
  }
  return periods;
}

std::vector<double> lpcResidual(const std::vector<double>& x, int rate) {
  const int n = static_cast<int>(x.size());
  const std::vector<double> pre = preEmphasise(x, 0.97);
  std::vector<double> out(n, 0.0);
  const int hop = 80, win = 400, order = 16;
  std::vector<double> w(win);
  for (int i = 0; i < win; ++i) w[i] = 0.5 - 0.5 * std::cos(2 * M_PI * (i + 0.5) / win);
  std::vector<double> buf(win);
  for (int start = 0; start < n; start += hop) {
    const int centre = start + hop / 2;
    for (int i = 0; i < win; ++i) {
      const int k = centre - win / 2 + i;
      buf[i] = (k >= 0 && k < n) ? pre[k] * w[i] : 0.0;
    }
    const std::vector<double> a =
        lpcFromAutocorrelation(autocorrelation(buf.data(), win, order), rate, 40.0, 1e-4);
    const int end = std::min(n, start + hop);
    inverseFilter(a, pre.data(), start, end, out.data() + start);
  }
  return out;
}

namespace {
// The residual peak that best continues a period track: the largest value of
// r in [from, to) (clipped to the stretch) after weighting by closeness to
// `predicted` (a Gaussian of width `spread` samples), so that a slightly
// stronger peak far from the expected epoch does not make the marks jitter.
// -1 when the range is empty.
int peakIn(const std::vector<double>& r, int from, int to, int lo, int hi, int predicted, double spread) {
  from = std::max(from, lo);
  to = std::min(to, hi);
  int best = -1;
  double bestScore = 0;
  for (int i = from; i < to; ++i) {
    const double z = (i - predicted) / spread;
    const double score = r[i] * std::exp(-0.5 * z * z);
    if (best < 0 || score > bestScore) {
      best = i;
      bestScore = score;
    }
  }
  return best;
}
}  // namespace

std::vector<int> detectEpochs(const std::vector<double>& x, const std::vector<std::pair<int, int>>& stretches,
                              const PitchSettings& s) {
  const std::vector<int> periods = trackPeriods(x, s);
  const std::vector<double> res = lpcResidual(x, s.rate);
  const int frames = static_cast<int>(periods.size());
  auto periodAt = [&](int pos) {
    const int f = std::clamp((pos + s.hop / 2) / s.hop, 0, frames - 1);
    if (periods[f]) return periods[f];
    // Look one frame either side, so stretch edges keep their marks.
    if (f > 0 && periods[f - 1]) return periods[f - 1];
    if (f + 1 < frames && periods[f + 1]) return periods[f + 1];
    return 0;
  };
  std::vector<int> epochs;
  for (const auto& [lo, hi] : stretches) {
    if (hi - lo < s.minPeriod) continue;
    // Polarity: the sign with the stronger peaks over the stretch.
    double pos = 0, neg = 0;
    for (int i = lo; i < hi; ++i) {
      pos = std::max(pos, res[i]);
      neg = std::max(neg, -res[i]);
    }
    std::vector<double> r(res.size(), 0.0);
    const double sign = pos >= neg ? 1.0 : -1.0;
    for (int i = lo; i < hi; ++i) r[i] = sign * res[i];
    // Anchors: the strongest voiced peak, then track forward and backward.
    // Voiced islands left untouched get their own anchor.
    std::vector<char> covered(static_cast<size_t>(hi - lo), 0);
    std::vector<int> found;
    for (int round = 0; round < 16; ++round) {
      int anchor = -1;
      for (int i = lo; i < hi; ++i)
        if (!covered[i - lo] && periodAt(i) && (anchor < 0 || r[i] > r[anchor])) anchor = i;
      if (anchor < 0) break;
      std::vector<int> marks{anchor};
      for (int dir = 1; dir >= -1; dir -= 2) {
        int m = anchor;
        for (;;) {
          const int t = periodAt(m);
          if (!t) break;
          const int predicted = m + dir * t;
          const int p = peakIn(r, predicted - (3 * t) / 10, predicted + (3 * t) / 10 + 1, lo, hi, predicted,
                               s.markSpread * t);
          if (p < 0 || (dir > 0 ? p <= m : p >= m) || covered[p - lo]) break;
          if (std::abs(p - m) < s.minPeriod) break;
          marks.push_back(p);
          m = p;
        }
      }
      std::sort(marks.begin(), marks.end());
      // Cover the span of this island (with half a period margin) so the next
      // anchor comes from elsewhere.
      const int t0 = std::max(periodAt(marks.front()), s.minPeriod);
      const int t1 = std::max(periodAt(marks.back()), s.minPeriod);
      for (int i = std::max(lo, marks.front() - t0 / 2); i < std::min(hi, marks.back() + t1 / 2 + 1); ++i)
        covered[i - lo] = 1;
      found.insert(found.end(), marks.begin(), marks.end());
    }
    std::sort(found.begin(), found.end());
    epochs.insert(epochs.end(), found.begin(), found.end());
  }
  return epochs;
}

}  // namespace voxa::voicebuild
