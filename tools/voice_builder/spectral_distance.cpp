#include "voice_builder/spectral_distance.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace voxa::voicebuild {

namespace {
void fft(std::vector<std::complex<double>>& a) {
  const size_t n = a.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (size_t len = 2; len <= n; len <<= 1) {
    const double ang = -2 * M_PI / static_cast<double>(len);
    const std::complex<double> wl(std::cos(ang), std::sin(ang));
    for (size_t i = 0; i < n; i += len) {
      std::complex<double> w(1);
      for (size_t j = 0; j < len / 2; ++j) {
        const std::complex<double> u = a[i + j], v = a[i + j + len / 2] * w;
        a[i + j] = u + v;
        a[i + j + len / 2] = u - v;
        w *= wl;
      }
    }
  }
}
}  // namespace

std::vector<double> powerSpectrum(const std::vector<double>& x, int begin, int n) {
  return paddedPowerSpectrum(x, begin, n, n);
}

std::vector<double> paddedPowerSpectrum(const std::vector<double>& x, int begin, int window, int nfft) {
  std::vector<std::complex<double>> a(static_cast<size_t>(nfft));
  for (int i = 0; i < window; ++i) {
    const int k = begin + i;
    const double w = 0.5 - 0.5 * std::cos(2 * M_PI * (i + 0.5) / window);
    a[i] = (k >= 0 && k < static_cast<int>(x.size())) ? x[k] * w : 0.0;
  }
  fft(a);
  std::vector<double> p(static_cast<size_t>(nfft / 2 + 1));
  for (int i = 0; i <= nfft / 2; ++i) p[i] = std::norm(a[i]);
  return p;
}

std::vector<double> bandPowers(const std::vector<double>& power, int width) {
  std::vector<double> out;
  out.push_back(0.0);  // keeps the layout of a spectrum: entry 0 is skipped by the distance
  for (size_t b = 1; b + static_cast<size_t>(width) <= power.size(); b += static_cast<size_t>(width)) {
    double s = 0;
    for (int k = 0; k < width; ++k) s += power[b + static_cast<size_t>(k)];
    out.push_back(s);
  }
  return out;
}

std::vector<double> smoothEnvelope(const std::vector<double>& power, double floor, int lifter) {
  const size_t half = power.size() - 1;
  const size_t n = 2 * half;
  std::vector<std::complex<double>> a(n);
  for (size_t i = 0; i <= half; ++i) a[i] = std::log(power[i] + floor);
  for (size_t i = half + 1; i < n; ++i) a[i] = a[n - i];
  fft(a);  // real and even: the forward transform is the cepstrum times n
  for (size_t q = 0; q < n; ++q) {
    const size_t d = q <= half ? q : n - q;
    if (static_cast<int>(d) > lifter) a[q] = 0.0;
  }
  fft(a);
  std::vector<double> out(half + 1);
  for (size_t i = 0; i <= half; ++i) out[i] = std::exp(a[i].real() / static_cast<double>(n));
  return out;
}

std::vector<double> compensatedAutocorrelation(const double* frame, int n, int nfft, const std::vector<double>& psd,
                                               int order) {
  std::vector<std::complex<double>> a(static_cast<size_t>(nfft));
  for (int i = 0; i < n && i < nfft; ++i) a[i] = frame[i];
  fft(a);
  for (int i = 0; i < nfft; ++i) {
    const int bin = i <= nfft / 2 ? i : nfft - i;
    a[i] = std::norm(a[i]) / std::max(psd[bin], 1e-12);
  }
  fft(a);  // real and even: the transform of the power is the autocorrelation times nfft
  std::vector<double> r(static_cast<size_t>(order + 1));
  for (int k = 0; k <= order; ++k) r[k] = a[k].real() / nfft;
  return r;
}

namespace {
// Bins 0..nfft/2 of the power spectrum of frame[0..n), with the harmonics of
// f0Hz replaced by the envelope through their peaks when f0Hz > 0.
std::vector<double> framePower(const double* frame, int n, int nfft, double f0Hz, double rate) {
  std::vector<std::complex<double>> a(static_cast<size_t>(nfft));
  for (int i = 0; i < n && i < nfft; ++i) a[i] = frame[i];
  fft(a);
  const int half = nfft / 2;
  std::vector<double> power(static_cast<size_t>(half + 1));
  for (int i = 0; i <= half; ++i) power[i] = std::norm(a[i]);
  if (f0Hz <= 0) return power;
  const double binsPerHarmonic = f0Hz * nfft / rate;
  // (bin, log power) of each harmonic's peak within half a harmonic spacing.
  std::vector<std::pair<int, double>> peaks;
  for (int k = 1; (k + 0.5) * binsPerHarmonic <= half; ++k) {
    const int lo = std::max(1, static_cast<int>(std::ceil((k - 0.5) * binsPerHarmonic)));
    const int hi = std::min(half, static_cast<int>(std::floor((k + 0.5) * binsPerHarmonic)));
    int best = lo;
    for (int b = lo; b <= hi; ++b)
      if (power[b] > power[best]) best = b;
    peaks.emplace_back(best, std::log(power[best] + 1e-30));
  }
  if (peaks.size() < 2) return power;
  size_t j = 0;
  for (int i = 0; i <= half; ++i) {
    while (j + 2 < peaks.size() && peaks[j + 1].first <= i) ++j;
    const auto [b0, l0] = peaks[j];
    const auto [b1, l1] = peaks[j + 1];
    const double t = std::clamp(static_cast<double>(i - b0) / std::max(b1 - b0, 1), 0.0, 1.0);
    power[i] = std::exp(l0 + t * (l1 - l0));
  }
  return power;
}

// Lags 0..order of the autocorrelation whose power spectrum is power[0..nfft/2].
std::vector<double> autocorrelationOf(const std::vector<double>& power, int order) {
  const int half = static_cast<int>(power.size()) - 1;
  const int nfft = 2 * half;
  std::vector<std::complex<double>> a(static_cast<size_t>(nfft));
  for (int i = 0; i < nfft; ++i) a[i] = power[i <= half ? i : nfft - i];
  fft(a);  // real and even: the transform of the power is the autocorrelation times nfft
  std::vector<double> r(static_cast<size_t>(order + 1));
  for (int k = 0; k <= order; ++k) r[k] = a[k].real() / nfft;
  return r;
}
}  // namespace

std::vector<double> harmonicEnvelopeAutocorrelation(const double* frame, int n, int nfft, double f0Hz, double rate,
                                                    int order) {
  return autocorrelationOf(framePower(frame, n, nfft, f0Hz, rate), order);
}

std::vector<double> dividedAutocorrelation(const double* frame, int n, int nfft, double f0Hz, double rate,
                                           const std::vector<double>& divisor, int order) {
  std::vector<double> power = framePower(frame, n, nfft, f0Hz, rate);
  for (size_t i = 0; i < power.size() && i < divisor.size(); ++i) power[i] /= std::max(divisor[i], 1e-12);
  return autocorrelationOf(power, order);
}

std::vector<double> postFilterPower(const std::vector<double>& a, int nfft) {
  const int order = static_cast<int>(a.size()) - 1;
  // k1 by stepping the predictor down to order 1.
  std::vector<double> step(a);
  for (int m = order; m > 1; --m) {
    const double k = -step[m];
    const double e = 1 - k * k;
    if (std::fabs(e) < 1e-12) break;
    std::vector<double> next(step);
    for (int i = 1; i < m; ++i) next[i] = (step[i] + k * step[m - i]) / e;
    step = next;
  }
  const double k1 = order >= 1 ? -step[1] : 0.0;
  const double tilt = k1 > 0 ? -k1 / 2 : 0.0;
  auto response = [&](const std::vector<double>& taps) {
    std::vector<std::complex<double>> x(static_cast<size_t>(nfft));
    for (size_t i = 0; i < taps.size() && i < x.size(); ++i) x[i] = taps[i];
    fft(x);
    return x;
  };
  std::vector<double> num(a.size()), den(a.size());
  for (int k = 0; k <= order; ++k) {
    num[k] = a[k] * std::pow(0.6, k);
    den[k] = a[k] * std::pow(0.8, k);
  }
  const auto n = response(num), d = response(den), t = response({1.0, tilt});
  std::vector<double> power(static_cast<size_t>(nfft / 2 + 1));
  for (int i = 0; i <= nfft / 2; ++i) power[i] = std::norm(n[i]) * std::norm(t[i]) / std::max(std::norm(d[i]), 1e-30);
  return power;
}

double logSpectralDistance(const std::vector<double>& a, const std::vector<double>& b, double floor,
                           double offsetDb) {
  const double toA = std::pow(10.0, -offsetDb / 10);
  double sum = 0;
  int count = 0;
  for (size_t i = 1; i < a.size() && i < b.size(); ++i) {
    const double d = 10 * std::log10((b[i] * toA + floor) / (a[i] + floor));
    sum += d * d;
    ++count;
  }
  return count ? std::sqrt(sum / count) : 0.0;
}

}  // namespace voxa::voicebuild
