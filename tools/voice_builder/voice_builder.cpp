#include "voice_builder/voice_builder.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

#include "voice_builder/codebook.h"
#include "voice_builder/formant_track.h"
#include "voice_builder/lpc.h"
#include "voice_builder/residual_coder.h"
#include "voice_builder/spectral_distance.h"
#include "voicedb/voicedb_writer.h"

namespace voxa::voicebuild {

const int kGainTable[32] = {1,  3,  5,  7,  9,   11,  13,  15,  17,  20,  24,  30,  34,  42,  50,  60,
                            70, 84, 102, 120, 144, 172, 206, 246, 294, 352, 420, 502, 600, 718, 856, 1024};

int gainCode(double meanAbs) {
  const double l = std::log(std::max(meanAbs, 0.5));
  int best = 0;
  for (int g = 1; g < 32; ++g)
    if (std::fabs(std::log(static_cast<double>(kGainTable[g])) - l) <
        std::fabs(std::log(static_cast<double>(kGainTable[best])) - l))
      best = g;
  return best;
}

int releaseBefore(const std::vector<double>& x, int from, int to) {
  constexpr int kAfter = 40, kBefore = 80;  // 2.5 ms and 5 ms at 16 kHz
  const int n = static_cast<int>(x.size());
  for (int t = std::max(from + kBefore, 0); t < to && t + kAfter <= n; ++t) {
    double before = 0, after = 0;
    for (int i = t - kBefore; i < t; ++i) before += x[i] * x[i];
    for (int i = t; i < t + kAfter; ++i) after += x[i] * x[i];
    before /= kBefore;
    after /= kAfter;
    if (after > 1000.0 && after > 100.0 * before) return t;
  }
  return -1;
}

int gainCodeAfterSmoothing(double target, double previousLevel) {
  // The engine plays (gain + previousLevel) / 2: the code whose result is
  // nearest to the target in log amplitude.
  const double l = std::log(std::max(target, 0.5));
  int best = 0;
  double bestError = 0;
  for (int g = 0; g < 32; ++g) {
    const double error = std::fabs(std::log(std::max((kGainTable[g] + previousLevel) / 2, 0.5)) - l);
    if (g == 0 || error < bestError) {
      best = g;
      bestError = error;
    }
  }
  return best;
}

std::vector<int> periodBounds(const std::vector<PhoneLabel>& labels, const std::vector<int>& epochs,
                              const std::function<bool(const std::string&)>& sonorant, int length, int fixed) {
  constexpr int kMaxPeriod = 255;
  constexpr int kMinPeriod = 24;
  std::vector<int> b{0};
  auto fillTo = [&](int t) {
    const int c = b.back();
    const int gap = t - c;
    if (gap <= 0) return;
    const int pieces = gap <= kMaxPeriod ? 1 : (gap + fixed - 1) / fixed;
    for (int i = 1; i <= pieces; ++i) b.push_back(c + (gap * i) / pieces);
  };
  size_t e = 0;
  for (const PhoneLabel& l : labels) {
    if (sonorant(l.phone)) {
      while (e < epochs.size() && epochs[e] < l.start) ++e;
      for (; e < epochs.size() && epochs[e] < l.end; ++e)
        if (epochs[e] - b.back() >= kMinPeriod) fillTo(epochs[e]);
    } else {
      // Fixed periods from where the previous phone left off, ending within
      // half a period of the phone's end.
      if (l.start - b.back() > kMaxPeriod) fillTo(l.start);
      while (b.back() + fixed <= l.end + fixed / 2 && b.back() + fixed <= length) b.push_back(b.back() + fixed);
    }
  }
  if (length - b.back() > 0) {
    if (length - b.back() < kMinPeriod && b.size() > 1) b.back() = length;
    else fillTo(length);
  }
  // A last period folded into its neighbour may exceed the byte range: split it.
  std::vector<int> out{b[0]};
  for (size_t i = 1; i < b.size(); ++i) {
    const int gap = b[i] - out.back();
    const int pieces = (gap + kMaxPeriod - 1) / kMaxPeriod;
    for (int k = 1; k <= pieces; ++k) out.push_back(out.back() - (gap * (k - 1)) / pieces + (gap * k) / pieces);
  }
  return out;
}

namespace {

std::vector<double> hann(int n) {
  std::vector<double> w(n);
  for (int i = 0; i < n; ++i) w[i] = 0.5 - 0.5 * std::cos(2 * M_PI * (i + 0.5) / n);
  return w;
}

int toQ10(double rad) { return std::clamp(static_cast<int>(std::lround(rad * 1024.0)), 0, 3216); }

}  // namespace

std::vector<double> equaliserPower(const std::vector<double>& bandDb, int nfft, double rate) {
  std::vector<double> power(static_cast<size_t>(nfft / 2 + 1), 1.0);
  if (bandDb.empty()) return power;
  const int bands = static_cast<int>(bandDb.size());
  for (size_t i = 0; i < power.size(); ++i) {
    const double band = static_cast<double>(i) * rate / nfft / 500.0 - 0.5;  // 0 at the first band's centre
    const int b0 = std::clamp(static_cast<int>(std::floor(band)), 0, bands - 1);
    const int b1 = std::min(b0 + 1, bands - 1);
    const double t = std::clamp(band - b0, 0.0, 1.0);
    power[i] = std::pow(10.0, ((1 - t) * bandDb[b0] + t * bandDb[b1]) / 10.0);
  }
  return power;
}

UtteranceAnalysis analyseUtterance(const Utterance& u, const PhoneClasses& phones, const BuildSettings& s) {
  UtteranceAnalysis a;
  const int length = static_cast<int>(u.samples.size());
  // Sonorant stretches: runs of consecutive sonorant phones.
  std::vector<std::pair<int, int>> stretches;
  for (const PhoneLabel& l : u.labels) {
    if (!phones.sonorant(l.phone)) continue;
    if (!stretches.empty() && stretches.back().second == l.start) stretches.back().second = l.end;
    else stretches.emplace_back(l.start, l.end);
  }
  PitchSettings ps = s.pitch;
  ps.rate = u.rate;
  const std::vector<int> epochs = detectEpochs(u.samples, stretches, ps);
  const int fixed = u.rate / 100;
  a.bounds = periodBounds(u.labels, epochs, phones.sonorant, length, fixed);
  const std::set<int> epochSet(epochs.begin(), epochs.end());

  a.preEmphasised = preEmphasise(u.samples, s.deemphasis_Q8 / 256.0);
  const int periods = static_cast<int>(a.bounds.size()) - 1;
  const int win = 400;
  const std::vector<double> w = hann(win);
  std::vector<double> buf(win);
  std::vector<double> lastGood;
  const std::vector<double> equaliser = equaliserPower(s.sonorantEqualiserDb, 1024, u.rate);
  size_t li = 0;
  for (int p = 0; p < periods; ++p) {
    const int b0 = a.bounds[p], b1 = a.bounds[p + 1];
    const int mid = (b0 + b1) / 2;
    while (li + 1 < u.labels.size() && u.labels[li].end <= mid) ++li;
    a.phoneOf.push_back(static_cast<int>(li));
    a.voiced.push_back(epochSet.count(b1) > 0 && phones.sonorant(u.labels[li].phone));
    for (int i = 0; i < win; ++i) {
      const int k = mid - win / 2 + i;
      buf[i] = (k >= 0 && k < length) ? a.preEmphasised[k] * w[i] : 0.0;
    }
    const bool sonorant = phones.sonorant(u.labels[li].phone);
    const bool compensate = !s.excitationPsd.empty() && sonorant;
    double f0 = 0;
    if ((s.harmonicEnvelope || s.minBandwidthHarmonicReach > 0) && a.voiced.back()) {
      // Local pitch: the median of this period and its neighbours.
      int len[3] = {b1 - b0, p > 0 ? b0 - a.bounds[p - 1] : b1 - b0,
                    p + 2 < static_cast<int>(a.bounds.size()) ? a.bounds[p + 2] - b1 : b1 - b0};
      std::sort(len, len + 3);
      f0 = static_cast<double>(u.rate) / len[1];
    }
    // Sonorant periods are pulse-excited by the engine: no resonance there may
    // be narrower than minBandwidthHz. Other periods keep their stored
    // residual, which follows whatever filter they get.
    auto fit = [&](const std::vector<double>& r) {
      return limitBandwidth(expandBandwidth(lpcFromAutocorrelation(r, u.rate, s.lagWindowHz, 1e-5), u.rate,
                                            s.bandwidthExpansionHz),
                            u.rate, sonorant ? s.minBandwidthHz : 0.0, s.minBandwidthBelowHz,
                            s.minBandwidthHarmonicReach > 0 ? f0 : 0.0, s.minBandwidthHarmonicReach);
    };
    const double envelopeF0 = s.harmonicEnvelope ? f0 : 0.0;
    const bool equalise = sonorant && !compensate && !s.sonorantEqualiserDb.empty();
    std::vector<double> lpc =
        fit(compensate ? compensatedAutocorrelation(buf.data(), win, 1024, s.excitationPsd, s.order)
            : equalise ? dividedAutocorrelation(buf.data(), win, 1024, envelopeF0, u.rate, equaliser, s.order)
            : envelopeF0 > 0 ? harmonicEnvelopeAutocorrelation(buf.data(), win, 1024, envelopeF0, u.rate, s.order)
                             : autocorrelation(buf.data(), win, s.order));
    // The engine's post-filter sharpens the formants of pulse-excited
    // periods and tilts their spectrum: fit again to the spectrum divided by
    // the post-filter the last fit gets, so that the two together give the
    // recorded envelope.
    for (int pass = 0; sonorant && !compensate && pass < s.postFilterPasses; ++pass)
      lpc = fit(dividedAutocorrelation(buf.data(), win, 1024, envelopeF0, u.rate, postFilterPower(lpc, 1024),
                                       s.order));
    std::vector<double> lsf;
    if (!lpcToLsf(lpc, &lsf)) {
      if (lastGood.empty()) {
        lsf.resize(s.order);
        for (int i = 0; i < s.order; ++i) lsf[i] = M_PI * (i + 1) / (s.order + 1);
      } else {
        lsf = lastGood;
      }
    }
    lastGood = lsf;
    a.lsf.push_back(lsf);
    double sum = 0, power = 0;
    for (int i = b0; i < b1; ++i) {
      sum += std::fabs(a.preEmphasised[i]);
      power += a.preEmphasised[i] * a.preEmphasised[i];
    }
    double meanAbs = b1 > b0 ? sum / (b1 - b0) : 0.0;
    if (!s.pulse.empty() && a.voiced.back() && meanAbs > 0) {
      // The engine brings a pulse-excited period to the stored mean absolute
      // value; store the value that gives the recorded period's power.
      const double crest = std::sqrt(power / (b1 - b0)) / meanAbs;
      meanAbs *= crest / pulseCrestFactor(lpc, s.pulse, b1 - b0);
    }
    a.meanAbs.push_back(meanAbs);
  }
  return a;
}

int measuredPeriod(const UtteranceAnalysis& a, int t, int reach) {
  std::vector<int> near;
  int best = -1, bestDistance = 0;
  for (size_t p = 0; p + 1 < a.bounds.size() && p < a.voiced.size(); ++p) {
    if (!a.voiced[p]) continue;
    const int distance = std::abs((a.bounds[p] + a.bounds[p + 1]) / 2 - t);
    if (distance <= reach) near.push_back(a.bounds[p + 1] - a.bounds[p]);
    if (best < 0 || distance < bestDistance) {
      best = static_cast<int>(p);
      bestDistance = distance;
    }
  }
  if (!near.empty()) {
    std::nth_element(near.begin(), near.begin() + static_cast<std::ptrdiff_t>(near.size() / 2), near.end());
    return near[near.size() / 2];
  }
  return best >= 0 ? a.bounds[best + 1] - a.bounds[best] : 0;
}

double pulseCrestFactor(const std::vector<double>& a, const std::vector<double>& pulse, int period) {
  // Three periods of the pulse train through 1/A(z); the last one is in
  // steady state.
  const int order = static_cast<int>(a.size()) - 1;
  std::vector<double> y(static_cast<size_t>(3 * period), 0.0);
  for (int n = 0; n < 3 * period; ++n) {
    const size_t i = static_cast<size_t>(n % period);
    double x = i < pulse.size() ? pulse[i] : 0.0;
    for (int k = 1; k <= order && k <= n; ++k) x -= a[k] * y[n - k];
    y[n] = x;
  }
  double sum = 0, power = 0;
  for (int n = 2 * period; n < 3 * period; ++n) {
    sum += std::fabs(y[n]);
    power += y[n] * y[n];
  }
  return sum > 0 ? std::sqrt(power / period) / (sum / period) : 1.0;
}

namespace {

struct Choice {
  int utt = -1;
  int first = 0;   // first period of the unit
  int count = 0;   // N
  int m = 0;       // M
  int score = -1;
};

// Period range [from, to) of label `li`.
std::pair<int, int> periodsOfPhone(const UtteranceAnalysis& a, int li) {
  const int n = static_cast<int>(a.phoneOf.size());
  int from = 0;
  while (from < n && a.phoneOf[from] < li) ++from;
  int to = from;
  while (to < n && a.phoneOf[to] == li) ++to;
  return {from, to};
}

// Index of the boundary nearest to sample t, within [lo, hi].
int nearestBound(const std::vector<int>& bounds, int t, int lo, int hi) {
  int best = lo;
  for (int i = lo; i <= hi; ++i)
    if (std::abs(bounds[i] - t) < std::abs(bounds[best] - t)) best = i;
  return best;
}

// Index of the last boundary at or before sample t within [lo, hi] (lo when none).
int boundAtOrBefore(const std::vector<int>& bounds, int t, int lo, int hi) {
  int best = lo;
  for (int i = lo; i <= hi; ++i)
    if (bounds[i] <= t) best = i;
  return best;
}

// Where a unit is cut in phone l: the boundary nearest cutSample (its middle,
// or a glide's cut point), or, when releaseCut is set and a release falls
// before the middle, the last boundary before the release, so that the release
// stays whole in the unit that starts in the phone (the unit ending in it
// keeps the closure only).
int cutBound(const Utterance& u, const UtteranceAnalysis& a, const PhoneLabel& l, int cutSample, int lo, int hi,
             bool releaseCut, bool sonorant) {
  const int middle = (l.start + l.end) / 2;
  if (releaseCut && !sonorant) {
    const int release = releaseBefore(u.samples, l.start, middle);
    if (release >= 0) return boundAtOrBefore(a.bounds, release, lo, hi);
  }
  return nearestBound(a.bounds, cutSample, lo, hi);
}

// cutAt: the sample each label is cut at (its middle, or a glide's cut point).
Choice cutUnit(const Utterance& u, const UtteranceAnalysis& a, const std::vector<int>& cutAt, int li,
               int silencePeriods, bool releaseCut, const PhoneClasses& phones) {
  Choice c;
  const auto [pa0, pa1] = periodsOfPhone(a, li);
  const auto [pb0, pb1] = periodsOfPhone(a, li + 1);
  if (pa1 <= pa0 || pb1 <= pb0 || pa1 != pb0) return c;
  const PhoneLabel& la = u.labels[li];
  const PhoneLabel& lb = u.labels[li + 1];
  int ca = cutBound(u, a, la, cutAt[li], pa0, pa1 - 1, releaseCut && la.phone != "##", phones.sonorant(la.phone));
  if (la.phone == "##") ca = std::max(ca, pa1 - silencePeriods);
  int cb = cutBound(u, a, lb, cutAt[li + 1], pb0 + 1, pb1, releaseCut && lb.phone != "##",
                    phones.sonorant(lb.phone));
  if (lb.phone == "##") cb = std::min(cb, pb0 + silencePeriods);
  // Unit period counts are bytes.
  while (cb - ca > 255) {
    if (pa1 - ca > cb - pb0) ++ca;
    else --cb;
  }
  c.first = ca;
  c.count = cb - ca;
  c.m = pa1 - ca;
  // Prefer occurrences with full halves and voiced sonorants.
  c.score = std::min(pa1 - ca, 6) + std::min(cb - pb0, 6);
  return c;
}

struct Part {
  size_t lengths = 0, params = 0, excitation = 0, excitationUnits = 0;
};

}  // namespace

namespace {
// Whether sample t lies in the middle half of label l.
bool inMiddleHalf(const PhoneLabel& l, int t) {
  return 4 * (t - l.start) >= l.end - l.start && 4 * (l.end - t) >= l.end - l.start;
}
}  // namespace

std::pair<double, double> middleHalfRange(const std::vector<double>& f2, int hop, const PhoneLabel& l) {
  std::pair<double, double> range{std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
  for (size_t k = 0; k < f2.size(); ++k)
    if (inMiddleHalf(l, l.start + static_cast<int>(k) * hop)) {
      range.first = std::min(range.first, f2[k]);
      range.second = std::max(range.second, f2[k]);
    }
  return range;
}

double usualGlideF2(const std::vector<std::pair<double, double>>& ranges) {
  // The summed distance is convex and piecewise linear: its least value
  // lies on range ends; take the middle of the ends that reach it.
  auto cost = [&](double c) {
    double sum = 0;
    for (const auto& [lo, hi] : ranges) sum += std::max(0.0, lo - c) + std::max(0.0, c - hi);
    return sum;
  };
  double least = std::numeric_limits<double>::infinity(), from = 0, to = 0;
  for (const auto& range : ranges)
    for (const double c : {range.first, range.second}) {
      if (!std::isfinite(c)) continue;
      const double v = cost(c);
      if (v < least - 1e-9) {
        least = v;
        from = to = c;
      } else if (v <= least + 1e-9) {
        from = std::min(from, c);
        to = std::max(to, c);
      }
    }
  return 0.5 * (from + to);
}

int glideCutSample(const std::vector<double>& f2, int hop, const PhoneLabel& l, double targetHz, int rate) {
  constexpr double kHzPerMs = 2.0;
  const int middle = (l.start + l.end) / 2;
  int best = middle;
  double lowest = std::numeric_limits<double>::infinity();
  for (size_t k = 0; k < f2.size(); ++k) {
    const int t = l.start + static_cast<int>(k) * hop;
    if (!inMiddleHalf(l, t)) continue;
    const double cost = std::fabs(f2[k] - targetHz) + kHzPerMs * 1000.0 * std::abs(t - middle) / rate;
    if (cost < lowest) {
      lowest = cost;
      best = t;
    }
  }
  return best;
}

int f0StdDevFor(int f0Mean, double iqr) {
  // The reference speaker reads on a flat pitch, so its measured spread says
  // nothing about intonation. Read speech of adult men has an F0 standard
  // deviation of about 2 to 4 semitones (Traunmüller and Eriksson 1995, "The
  // frequency range of the voice fundamental in the speech of male and female
  // adults"; Baken and Orlikoff 2000, "Clinical Measurement of Speech and
  // Voice"); a quarter of the mean, 28 Hz at 112 Hz, is 3.9 semitones, at the
  // top of that range because the intonation models' predictions, fitted by
  // regression, spread less than the speech they were fitted on.
  const int natural = f0Mean / 4;
  return std::max(static_cast<int>(std::lround(iqr / 1.349)), natural);
}

BuildResult buildVoice(const RecordingSet& set, const PhoneClasses& phones, const BuildSettings& s,
                       const std::string& voiceName) {
  if (s.order % 2 || s.order < 2 || s.order > 18) throw std::invalid_argument("LPC order must be even, 2..18");
  BuildResult result;
  const int nu = static_cast<int>(set.utterances.size());
  if (nu == 0) throw std::runtime_error("empty recording set");
  const int rate = set.utterances[0].rate;
  for (const Utterance& u : set.utterances) {
    if (u.rate != rate) throw std::runtime_error(u.id + ": sample rate differs from the rest");
    for (const PhoneLabel& l : u.labels)
      if (!phones.known(l.phone)) throw std::runtime_error(u.id + ": phone '" + l.phone + "' not in the phone set");
  }

  std::vector<UtteranceAnalysis> an(nu);
  for (int i = 0; i < nu; ++i) an[i] = analyseUtterance(set.utterances[i], phones, s);

  // Cut points: label middles, glides where their F2 is nearest the value
  // their middle halves come nearest to together.
  std::vector<std::vector<int>> cutAt(nu);
  for (int i = 0; i < nu; ++i)
    for (const PhoneLabel& l : set.utterances[i].labels) cutAt[i].push_back((l.start + l.end) / 2);
  if (!s.glideCut.empty()) {
    const int hop = std::max(1, rate / 200);  // 5 ms
    std::map<std::string, std::vector<std::pair<double, double>>> ranges;  // F2 range of each label's middle half
    std::vector<std::vector<std::vector<double>>> tracks(nu);
    for (int i = 0; i < nu; ++i) {
      const Utterance& u = set.utterances[i];
      tracks[i].resize(u.labels.size());
      for (size_t li = 0; li < u.labels.size(); ++li) {
        const PhoneLabel& l = u.labels[li];
        if (std::find(s.glideCut.begin(), s.glideCut.end(), l.phone) == s.glideCut.end()) continue;
        tracks[i][li] = secondFormantTrack(u.samples, rate, l.start, l.end, hop);
        const std::pair<double, double> range = middleHalfRange(tracks[i][li], hop, l);
        if (range.first <= range.second) ranges[l.phone].push_back(range);
      }
    }
    std::map<std::string, double> usual;
    for (const auto& [phone, r] : ranges) usual[phone] = usualGlideF2(r);
    for (int i = 0; i < nu; ++i)
      for (size_t li = 0; li < tracks[i].size(); ++li) {
        if (tracks[i][li].empty()) continue;
        const PhoneLabel& l = set.utterances[i].labels[li];
        cutAt[i][li] = glideCutSample(tracks[i][li], hop, l, usual[l.phone], rate);
      }
  }

  // Unit selection: for every diphone the best-scoring occurrence.
  std::map<std::string, Choice> chosen;
  for (int i = 0; i < nu; ++i) {
    const Utterance& u = set.utterances[i];
    for (int li = 0; li + 1 < static_cast<int>(u.labels.size()); ++li) {
      const std::string name = u.labels[li].phone + "-" + u.labels[li + 1].phone;
      if (name.size() > 15) continue;
      Choice c = cutUnit(u, an[i], cutAt[i], li, s.silencePeriods, s.releaseCut, phones);
      if (c.score < 0) continue;
      c.utt = i;
      auto it = chosen.find(name);
      if (it == chosen.end() || c.score > it->second.score) chosen[name] = c;
    }
  }

  // Voice scale and F0 from the periods in use.
  std::vector<double> loud, f0s;
  for (const auto& [name, c] : chosen) {
    const UtteranceAnalysis& a = an[c.utt];
    for (int p = c.first; p < c.first + c.count; ++p) {
      if (!a.voiced[p]) continue;
      loud.push_back(a.meanAbs[p]);
      f0s.push_back(static_cast<double>(rate) / (a.bounds[p + 1] - a.bounds[p]));
    }
  }
  std::sort(loud.begin(), loud.end());
  std::sort(f0s.begin(), f0s.end());
  const double loudRef = loud.empty() ? 1000.0 : loud[(loud.size() * 99) / 100];
  const double scale = loudRef > 0 ? s.loudGain / loudRef : 1.0;
  // Median and interquartile spread: periods cut short at voicing edges do
  // not pull the figures.
  const int f0Mean = f0s.empty() ? 100 : static_cast<int>(std::lround(f0s[f0s.size() / 2]));
  const double iqr = f0s.empty() ? 0.0 : f0s[(f0s.size() * 3) / 4] - f0s[f0s.size() / 4];
  const int f0StdDev = f0StdDevFor(f0Mean, iqr);

  // Codebooks trained on the periods in use.
  std::vector<std::vector<int32_t>> train(s.order);
  for (const auto& [name, c] : chosen)
    for (int p = c.first; p < c.first + c.count; ++p)
      for (int k = 0; k < s.order; ++k) train[k].push_back(toQ10(an[c.utt].lsf[p][k]));
  const std::vector<ScalarCodebook> books = trainCodebooks(train, s.spectralBits, s.minBits, s.maxBits);

  voicedb::CodecHeader codec;
  codec.order = s.order;
  int widest = 0;
  for (const auto& b : books) widest = std::max(widest, b.bits);
  for (const auto& b : books) {
    codec.widths.push_back(b.bits);
    std::vector<int32_t> entries;
    for (int32_t v : b.levels_Q10) entries.push_back(v << 4);
    entries.resize(static_cast<size_t>(1) << widest, 0);
    codec.codebooks.push_back(entries);
  }
  codec.deemphasis = static_cast<int16_t>(s.deemphasis_Q8);
  codec.pulseFilter = 0;
  codec.voicedNoResidual = 1;

  // Level floor: half the median 128-sample peak of the sonorant speech at the
  // voice scale, so the level control lifts quiet passages at most twofold
  // beyond normal vowels.
  {
    std::vector<double> peaks;
    for (int i = 0; i < nu; ++i) {
      const Utterance& u = set.utterances[i];
      for (const PhoneLabel& l : u.labels) {
        if (!phones.sonorant(l.phone)) continue;
        for (int b = l.start; b + 128 <= l.end; b += 128) {
          double pk = 0;
          for (int j = b; j < b + 128; ++j) pk = std::max(pk, std::fabs(u.samples[j]));
          peaks.push_back(pk * scale);
        }
      }
    }
    std::sort(peaks.begin(), peaks.end());
    const double median = peaks.empty() ? 4000.0 : peaks[peaks.size() / 2];
    codec.levelFloor = static_cast<int16_t>(std::clamp(std::lround(median / 2), 64L, 32000L));
  }

  // Units.
  std::vector<voicedb::Unit> units;
  Part part;
  int totalPeriods = 0;
  int bursts = 0;  // residual samples held by limitBursts
  for (const auto& [name, c] : chosen) {
    const Utterance& u = set.utterances[c.utt];
    const UtteranceAnalysis& a = an[c.utt];
    const std::string& pa = u.labels[a.phoneOf[c.first]].phone;
    const std::string& pb = u.labels[a.phoneOf[c.first + c.count - 1]].phone;
    voicedb::Unit unit;
    unit.name = name;
    unit.firstPhonePeriods = static_cast<uint8_t>(c.m);
    const int unitStart = a.bounds[c.first];
    const int unitLength = a.bounds[c.first + c.count] - unitStart;
    std::vector<std::vector<double>> quantised;
    // The engine's level in the period before: at a unit's start that of the
    // recorded period before it (the neighbouring unit joins in a phone of
    // similar level).
    const int before = c.first > 0 ? c.first - 1 : c.first;
    double level = a.meanAbs[before] * scale;
    bool prevSonorant = c.first > 0 && a.phoneOf[before] >= 0 &&
                        phones.sonorant(u.labels[a.phoneOf[before]].phone);
    int excitationStart = -1, excitationEnd = 0;
    for (int k = 0; k < c.count; ++k) {
      const int p = c.first + k;
      voicedb::Period period;
      period.length = static_cast<uint8_t>(a.bounds[p + 1] - a.bounds[p]);
      const double target = a.meanAbs[p] * scale;
      const bool sonorantPeriod = phones.sonorant(k < c.m ? pa : pb);
      const bool smoothed = s.levelSmoothingCompensation && sonorantPeriod && p > 0 && prevSonorant;
      period.gainCode = static_cast<uint8_t>(smoothed ? gainCodeAfterSmoothing(target, level) : gainCode(target));
      // The level the engine reaches in this period (its own gain in the
      // first period of a unit and after non-sonorant ones).
      level = smoothed ? (kGainTable[period.gainCode] + level) / 2 : kGainTable[period.gainCode];
      prevSonorant = sonorantPeriod;
      std::vector<double> q(s.order);
      for (int i = 0; i < s.order; ++i) {
        const uint32_t code = books[i].encode(toQ10(a.lsf[p][i]));
        period.codes.push_back(code);
        q[i] = books[i].levels_Q10[code] / 1024.0;
      }
      std::sort(q.begin(), q.end());
      quantised.push_back(q);
      unit.periods.push_back(period);
      const bool sonorant = phones.sonorant(k < c.m ? pa : pb);
      if (!sonorant) {
        if (excitationStart < 0) excitationStart = a.bounds[p] - unitStart;
        excitationEnd = a.bounds[p + 1] - unitStart;
      }
    }
    totalPeriods += c.count;
    part.lengths += 2 + static_cast<size_t>(c.count);
    size_t bits = 0;
    for (const auto& b : books) bits += static_cast<size_t>(b.bits);
    part.params += (static_cast<size_t>(c.count) * (bits + 5) + 7) / 8;
    if (excitationStart >= 0) {
      // Residual of the scaled pre-emphasised signal through the quantised
      // filters, period by period, with the true signal as filter history.
      std::vector<double> residual(static_cast<size_t>(excitationEnd), 0.0);
      std::vector<double> sig(a.preEmphasised.size());
      for (size_t i = 0; i < sig.size(); ++i) sig[i] = a.preEmphasised[i] * scale;
      for (int k = 0; k < c.count; ++k) {
        const int b0 = a.bounds[c.first + k] - unitStart, b1 = a.bounds[c.first + k + 1] - unitStart;
        if (b0 >= excitationEnd) break;
        const std::vector<double> lpc = lsfToLpc(quantised[k]);
        inverseFilter(lpc, sig.data(), unitStart + b0, unitStart + b1, residual.data() + b0);
      }
      if (s.residualGainDb != 0) {
        const double g = std::pow(10.0, s.residualGainDb / 20);
        for (int i = excitationStart; i < excitationEnd; ++i) residual[i] *= g;
      }
      if (s.burstLimit > 0) bursts += limitBursts(&residual, excitationStart, excitationEnd, s.burstLimit, rate / 100, 8);
      const CodedResidual coded = encodeResidual(residual, excitationStart, s.speexSubMode);
      unit.frameBytes = static_cast<int8_t>(coded.frameBytes);
      unit.frames = coded.frames;
      part.excitation += 2 + coded.frames.size() * static_cast<size_t>(coded.frameBytes);
      ++part.excitationUnits;
    }
    (void)unitLength;
    units.push_back(std::move(unit));
  }
  const int present = static_cast<int>(units.size());
  if (!chosen.count("##-##")) {
    voicedb::Unit silence;
    silence.name = "##-##";
    silence.absent = true;
    units.push_back(silence);
  }

  voicedb::VoiceHeader header;
  header.voiceRate = rate;
  header.f0Mean = f0Mean;
  header.f0StdDev = f0StdDev;
  header.nameSize = 16;
  result.database = voicedb::writeVoiceDatabase(header, codec, units);

  // Report.
  std::vector<std::string> missing;
  for (const std::string& t : set.targets)
    if (!chosen.count(t) && t != "##-##") missing.push_back(t);
  result.unitsPresent = present;
  result.periods = totalPeriods;
  result.missing = missing;
  result.scale = scale;
  result.f0Mean = f0Mean;
  std::ostringstream r;
  const size_t names = units.size() * 16 + units.size() * 4 + 24;
  size_t codecBytes = 4 + 4 * static_cast<size_t>(s.order) * (1 + (static_cast<size_t>(1) << widest)) + 8;
  r << "Voice " << voiceName << ": version-6 database, " << rate << " Hz\n";
  r << "Recording set: " << nu << " utterances\n";
  r << "F0 mean " << f0Mean << " Hz, std dev " << f0StdDev << " Hz\n";
  r << "Units present: " << present << " (plus '##-##' as synthetic silence)\n";
  r << "Diphone targets: " << set.targets.size() << ", covered "
    << (set.targets.size() - missing.size()) << ", missing " << missing.size() << "\n";
  r << "Periods: " << totalPeriods << "\n";
  r << "LPC order " << s.order << ", code widths";
  for (const auto& b : books) r << ' ' << b.bits;
  r << " (+5 gain bits per period)\n";
  r << "Residual: Speex narrowband sub-mode " << s.speexSubMode << ", " << part.excitationUnits
    << " units with stored excitation";
  if (s.burstLimit > 0) r << ", " << bursts << " samples held within " << s.burstLimit << "x their local rms";
  r << "\n";
  if (s.residualGainDb != 0) r << "Stored residual raised by " << s.residualGainDb << " dB\n";
  if (!s.sonorantEqualiserDb.empty()) {
    r << "Sonorant fits divided by the equaliser, dB per 500 Hz band:";
    for (double db : s.sonorantEqualiserDb) r << ' ' << db;
    r << "\n";
  }
  r << "deemphasis " << codec.deemphasis << ", levelFloor " << codec.levelFloor << ", pulseFilter "
    << codec.pulseFilter << ", voicedNoResidual " << codec.voicedNoResidual << "\n";
  r << "Bytes: total " << result.database.size() << "; header+names+offsets " << names << "; codec header "
    << codecBytes << "; period counts and lengths " << part.lengths << "; parameter streams " << part.params
    << "; excitation " << part.excitation << "\n";
  r << "Missing diphones:";
  if (missing.empty()) r << " none";
  for (const std::string& m : missing) r << ' ' << m;
  r << "\n";
  result.report = r.str();
  return result;
}

}  // namespace voxa::voicebuild
