#include "voice_builder/formant_track.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>

#include "voice_builder/lpc.h"
#include "voice_builder/timbre_measures.h"

namespace voxa::voicebuild {

namespace {

constexpr int kLowPassTaps = 63;
constexpr double kFrameSeconds = 0.025;
constexpr double kPreEmphasis = 0.96;  // about 50 Hz at 8 kHz
constexpr double kMaxBandwidthHz = 700;
constexpr double kF1LowHz = 200, kF1HighHz = 1100;
constexpr double kF2LowHz = 550, kF2HighHz = 3000;
constexpr double kF1NominalHz = 500, kF2NominalHz = 1500;
// Costs, in units of one 500 Hz of summed bandwidth.
constexpr double kNominalWeight = 0.5;    // per unit |ln(f / nominal)|
constexpr double kSkippedPole = 1.5;      // a narrow candidate left between F1 and F2
constexpr double kPoleBelowF1 = 0.5;      // a narrow candidate left below F1
constexpr double kMoveWeight = 10;        // per unit |ln(f / f of the frame before)|

struct Candidate {
  double hz, bandwidthHz;
};

struct Pair {
  int f1, f2;  // candidate indices
  double cost;
};

// x (zero outside) low-passed below 0.45 of the decimated rate and taken
// every `factor`-th sample, for decimated indices first .. first + count - 1.
std::vector<double> decimate(const std::vector<double>& x, int factor, int first, int count) {
  std::vector<double> h(kLowPassTaps);
  const int half = kLowPassTaps / 2;
  const double cutoff = 0.45 / factor;  // cycles per input sample
  double sum = 0;
  for (int k = 0; k < kLowPassTaps; ++k) {
    const int m = k - half;
    const double sinc = m == 0 ? 2 * cutoff : std::sin(2 * M_PI * cutoff * m) / (M_PI * m);
    h[k] = sinc * (0.5 + 0.5 * std::cos(M_PI * m / (half + 1)));
    sum += h[k];
  }
  const int n = static_cast<int>(x.size());
  std::vector<double> y(static_cast<size_t>(std::max(count, 0)), 0.0);
  for (int i = 0; i < count; ++i) {
    const int centre = (first + i) * factor;
    double acc = 0;
    for (int k = 0; k < kLowPassTaps; ++k) {
      const int t = centre + k - half;
      if (t >= 0 && t < n) acc += h[k] * x[t];
    }
    y[i] = acc / sum;
  }
  return y;
}

// Formant candidates of one frame: the LPC roots in the upper half plane
// with a bandwidth below kMaxBandwidthHz, ascending in frequency.
std::vector<Candidate> candidates(const double* frame, int n, int order, double rate) {
  std::vector<double> w(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    const double pre = frame[i] - (i > 0 ? kPreEmphasis * frame[i - 1] : 0.0);
    w[i] = pre * (0.54 - 0.46 * std::cos(2 * M_PI * i / (n - 1)));
  }
  const std::vector<double> a = lpcFromAutocorrelation(autocorrelation(w.data(), n, order), rate, 0, 1e-9);
  std::vector<Candidate> out;
  for (const std::complex<double>& r : predictorRoots(a)) {
    if (r.imag() <= 0 || std::abs(r) <= 0) continue;
    const double hz = std::arg(r) * rate / (2 * M_PI);
    const double bandwidthHz = -std::log(std::abs(r)) * rate / M_PI;
    if (bandwidthHz < kMaxBandwidthHz && hz > 0) out.push_back({hz, bandwidthHz});
  }
  std::sort(out.begin(), out.end(), [](const Candidate& p, const Candidate& q) { return p.hz < q.hz; });
  return out;
}

// Every plausible (F1, F2) choice among a frame's candidates, with its cost.
std::vector<Pair> pairs(const std::vector<Candidate>& c) {
  std::vector<Pair> out;
  const int n = static_cast<int>(c.size());
  for (int i = 0; i < n; ++i) {
    if (c[i].hz < kF1LowHz || c[i].hz > kF1HighHz) continue;
    for (int j = i + 1; j < n; ++j) {
      if (c[j].hz < kF2LowHz || c[j].hz > kF2HighHz) continue;
      double cost = (c[i].bandwidthHz + c[j].bandwidthHz) / 500 +
                    kNominalWeight * (std::fabs(std::log(c[i].hz / kF1NominalHz)) +
                                      std::fabs(std::log(c[j].hz / kF2NominalHz)));
      for (int k = i + 1; k < j; ++k)
        if (c[k].bandwidthHz < 500) cost += kSkippedPole;
      for (int k = 0; k < i; ++k)
        if (c[k].hz >= kF1LowHz && c[k].bandwidthHz < 300) cost += kPoleBelowF1;
      out.push_back({i, j, cost});
    }
  }
  return out;
}

double median3(double a, double b, double c) { return std::max(std::min(a, b), std::min(std::max(a, b), c)); }

}  // namespace

std::vector<double> secondFormantTrack(const std::vector<double>& x, int rate, int from, int to, int hop) {
  if (rate <= 0 || hop <= 0 || to <= from) return {};
  const int factor = std::max(1, rate / 8000);
  const double low = static_cast<double>(rate) / factor;
  const int order = 2 * static_cast<int>(low / 2000) + 2;
  const int n = std::max(order + 2, static_cast<int>(std::lround(kFrameSeconds * low)));
  // Decimated samples covering every frame.
  const int first = from / factor - n / 2 - 1;
  const int count = (to - from) / factor + n + 2;
  const std::vector<double> y = decimate(x, factor, first, count);

  std::vector<std::vector<Candidate>> cand;
  std::vector<std::vector<Pair>> choice;
  for (int c = from; c < to; c += hop) {
    const int start = c / factor - n / 2 - first;
    cand.push_back(candidates(y.data() + start, n, order, low));
    choice.push_back(pairs(cand.back()));
  }
  const int frames = static_cast<int>(cand.size());
  // Dynamic programme over the frames that have a pair; the others are filled in.
  std::vector<std::vector<double>> total(frames);
  std::vector<std::vector<int>> back(frames);
  int last = -1;
  for (int f = 0; f < frames; ++f) {
    total[f].assign(choice[f].size(), 0.0);
    back[f].assign(choice[f].size(), -1);
    if (choice[f].empty()) continue;
    for (size_t p = 0; p < choice[f].size(); ++p) {
      const Pair& now = choice[f][p];
      double best = last < 0 ? 0.0 : std::numeric_limits<double>::infinity();
      if (last >= 0)
        for (size_t q = 0; q < choice[last].size(); ++q) {
          const Pair& before = choice[last][q];
          const double move = std::fabs(std::log(cand[f][now.f1].hz / cand[last][before.f1].hz)) +
                              std::fabs(std::log(cand[f][now.f2].hz / cand[last][before.f2].hz));
          const double c = total[last][q] + kMoveWeight * move;
          if (c < best) {
            best = c;
            back[f][p] = static_cast<int>(q);
          }
        }
      total[f][p] = best + now.cost;
    }
    last = f;
  }
  std::vector<double> track(static_cast<size_t>(frames), 0.0);
  if (last < 0) return track;
  int p = static_cast<int>(std::min_element(total[last].begin(), total[last].end()) - total[last].begin());
  std::vector<bool> known(static_cast<size_t>(frames), false);
  for (int f = last; f >= 0 && p >= 0; --f) {
    if (choice[f].empty()) continue;
    track[f] = cand[f][choice[f][p].f2].hz;
    known[f] = true;
    p = back[f][p];
  }
  // Frames without a pair: the nearest frame with one (the earlier on a tie).
  for (int f = 0; f < frames; ++f) {
    if (known[f]) continue;
    for (int d = 1; d < frames; ++d) {
      if (f - d >= 0 && known[f - d]) {
        track[f] = track[f - d];
        break;
      }
      if (f + d < frames && known[f + d]) {
        track[f] = track[f + d];
        break;
      }
    }
  }
  return track;
}

Glide formantGlide(const std::vector<double>& track, GlidePart part, double minChange) {
  const int n = static_cast<int>(track.size());
  if (n < 6) return {part, -1, 0};
  std::vector<double> smooth(track);
  for (int i = 1; i + 1 < n; ++i) smooth[i] = median3(track[i - 1], track[i], track[i + 1]);
  const int high = static_cast<int>(std::max_element(smooth.begin(), smooth.end()) - smooth.begin());
  const int low = static_cast<int>(std::min_element(smooth.begin(), smooth.end()) - smooth.begin());
  auto measure = [&](GlidePart which) {
    int a = 0, b = n - 1;
    if (which == GlidePart::kToHigh) b = high;
    else if (which == GlidePart::kFromHigh) a = high;
    else if (which == GlidePart::kToLow) b = low;
    else a = low;
    const std::vector<double> piece(track.begin() + a, track.begin() + b + 1);
    Glide g{which, -1, smooth[b] - smooth[a]};
    if (b - a + 1 >= 6) g.steps = glideSteps(piece, minChange);
    return g;
  };
  if (part != GlidePart::kLargest) return measure(part);
  Glide best{GlidePart::kLargest, -1, 0};
  for (GlidePart which : {GlidePart::kToHigh, GlidePart::kFromHigh, GlidePart::kToLow, GlidePart::kFromLow}) {
    const Glide g = measure(which);
    if (g.steps >= 0 && std::fabs(g.change) > std::fabs(best.change)) best = g;
  }
  return best;
}

}  // namespace voxa::voicebuild
