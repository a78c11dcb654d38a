#include "voice_builder/lpc.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace voxa::voicebuild {

std::vector<double> autocorrelation(const double* x, int n, int order) {
  std::vector<double> r(order + 1, 0.0);
  for (int k = 0; k <= order; ++k) {
    double s = 0;
    for (int i = k; i < n; ++i) s += x[i] * x[i - k];
    r[k] = s;
  }
  return r;
}

std::vector<double> lpcFromAutocorrelation(std::vector<double> r, double rate, double bandwidthHz,
                                           double noiseFloor) {
  const int order = static_cast<int>(r.size()) - 1;
  std::vector<double> a(order + 1, 0.0);
  a[0] = 1.0;
  if (r[0] <= 0) return a;
  r[0] *= 1.0 + noiseFloor;
  // Gaussian lag window: widens the formant bandwidths, keeps the filter tame.
  for (int k = 1; k <= order; ++k) {
    const double w = 2.0 * M_PI * bandwidthHz * k / rate;
    r[k] *= std::exp(-0.5 * w * w);
  }
  double err = r[0];
  std::vector<double> prev(order + 1);
  for (int i = 1; i <= order; ++i) {
    double acc = r[i];
    for (int j = 1; j < i; ++j) acc += a[j] * r[i - j];
    const double k = -acc / err;
    prev = a;
    for (int j = 1; j < i; ++j) a[j] = prev[j] + k * prev[i - j];
    a[i] = k;
    err *= 1.0 - k * k;
    if (err <= 0) break;
  }
  return a;
}

std::vector<double> expandBandwidth(std::vector<double> a, double rate, double bandwidthHz) {
  const double g = std::exp(-M_PI * bandwidthHz / rate);
  double gk = 1.0;
  for (size_t k = 1; k < a.size(); ++k) {
    gk *= g;
    a[k] *= gk;
  }
  return a;
}

std::vector<std::complex<double>> predictorRoots(const std::vector<double>& a) {
  using C = std::complex<double>;
  const int order = static_cast<int>(a.size()) - 1;
  // Roots of z^K + a1 z^(K-1) + ... + aK by simultaneous (Durand-Kerner) iteration.
  std::vector<C> roots(static_cast<size_t>(std::max(order, 0)));
  for (int i = 0; i < order; ++i) roots[i] = std::polar(0.9, 2 * M_PI * (i + 0.25) / order);
  auto value = [&](C z) {
    C v = 1.0;
    for (int k = 1; k <= order; ++k) v = v * z + a[k];
    return v;
  };
  for (int it = 0; it < 500; ++it) {
    double moved = 0;
    for (int i = 0; i < order; ++i) {
      C d = 1.0;
      for (int j = 0; j < order; ++j)
        if (j != i) d *= roots[i] - roots[j];
      if (std::abs(d) < 1e-300) continue;
      const C step = value(roots[i]) / d;
      roots[i] -= step;
      moved = std::max(moved, std::abs(step));
    }
    if (moved < 1e-13) break;
  }
  return roots;
}

std::vector<double> limitBandwidth(const std::vector<double>& a, double rate, double bandwidthHz, double belowHz,
                                   double f0Hz, double harmonicReach) {
  using C = std::complex<double>;
  const int order = static_cast<int>(a.size()) - 1;
  if (order < 1 || bandwidthHz <= 0) return a;
  std::vector<C> roots = predictorRoots(a);
  const double limit = std::exp(-M_PI * bandwidthHz / rate);
  bool changed = false;
  auto onHarmonic = [&](double hz) {
    if (f0Hz <= 0) return true;
    const double k = std::max(1.0, std::round(hz / f0Hz));
    return std::fabs(hz - k * f0Hz) <= harmonicReach * f0Hz;
  };
  for (C& r : roots)
    if (std::abs(r) > limit && std::fabs(std::arg(r)) * rate / (2 * M_PI) < belowHz &&
        onHarmonic(std::fabs(std::arg(r)) * rate / (2 * M_PI))) {
      r *= limit / std::abs(r);
      changed = true;
    }
  if (!changed) return a;
  std::vector<C> poly{1.0};
  for (const C& r : roots) {
    poly.push_back(0.0);
    for (size_t k = poly.size() - 1; k > 0; --k) poly[k] -= r * poly[k - 1];
  }
  std::vector<double> out(a.size());
  for (size_t k = 0; k < out.size(); ++k) out[k] = poly[k].real();
  return out;
}

namespace {
// Evaluates the symmetric (sign +1) or antisymmetric (sign -1) polynomial
// with the trivial root at z = -1 or z = +1 divided out, as a cosine series,
// at angle w. Returns a real value whose sign changes mark the roots.
double branchValue(const std::vector<double>& half, double w) {
  // half[j], j = 0..m: polynomial in z^-1 of degree 2m symmetric; value =
  // 2 * sum_{j<m} half[j] cos((m - j) w) + half[m].
  const int m = static_cast<int>(half.size()) - 1;
  double s = half[m];
  for (int j = 0; j < m; ++j) s += 2.0 * half[j] * std::cos((m - j) * w);
  return s;
}

// Coefficients of P(z)/(1 + z^-1) (sign +1) or Q(z)/(1 - z^-1) (sign -1), degree K.
std::vector<double> reducedBranch(const std::vector<double>& a, int sign) {
  const int order = static_cast<int>(a.size()) - 1;
  std::vector<double> p(order + 2, 0.0);
  for (int k = 0; k <= order; ++k) p[k] += a[k];
  for (int k = 0; k <= order; ++k) p[order + 1 - k] += sign * a[k];
  // Divide by (1 + sign z^-1)... P has root at z = -1 for sign +1: divide by (1 + z^-1).
  std::vector<double> q(order + 1, 0.0);
  const double d = sign > 0 ? 1.0 : -1.0;  // divisor 1 + d z^-1
  q[0] = p[0];
  for (int k = 1; k <= order; ++k) q[k] = p[k] - d * q[k - 1];
  return q;
}
}  // namespace

bool lpcToLsf(const std::vector<double>& a, std::vector<double>* lsf) {
  const int order = static_cast<int>(a.size()) - 1;
  lsf->clear();
  const std::vector<double> p = reducedBranch(a, +1);
  const std::vector<double> q = reducedBranch(a, -1);
  const int m = order / 2;
  std::vector<double> ph(p.begin(), p.begin() + m + 1), qh(q.begin(), q.begin() + m + 1);
  const int grid = 4096;
  std::vector<double> roots;
  for (int branch = 0; branch < 2; ++branch) {
    const std::vector<double>& h = branch == 0 ? ph : qh;
    double w0 = 0, v0 = branchValue(h, 0);
    for (int g = 1; g <= grid; ++g) {
      const double w1 = M_PI * g / grid;
      const double v1 = branchValue(h, w1);
      if ((v0 < 0) != (v1 < 0)) {
        double lo = w0, hi = w1, vlo = v0;
        for (int it = 0; it < 40; ++it) {
          const double mid = 0.5 * (lo + hi);
          const double vm = branchValue(h, mid);
          if ((vm < 0) == (vlo < 0)) { lo = mid; vlo = vm; } else { hi = mid; }
        }
        roots.push_back(0.5 * (lo + hi));
      }
      w0 = w1;
      v0 = v1;
    }
  }
  if (static_cast<int>(roots.size()) != order) return false;
  std::vector<double> sorted = roots;
  for (size_t i = 1; i < sorted.size(); ++i)
    for (size_t j = i; j > 0 && sorted[j] < sorted[j - 1]; --j) std::swap(sorted[j], sorted[j - 1]);
  *lsf = sorted;
  return true;
}

std::vector<double> lsfToLpc(const std::vector<double>& lsf) {
  const int order = static_cast<int>(lsf.size());
  auto branch = [&](int first, double sign) {
    std::vector<double> poly(order + 2, 0.0);
    poly[0] = 1.0;
    for (int i = first; i < order; i += 2) {
      const double c = 2.0 * std::cos(lsf[i]);
      for (int t = order + 1; t >= 0; --t) {
        double y = poly[t];
        if (t >= 1) y -= c * poly[t - 1];
        if (t >= 2) y += poly[t - 2];
        poly[t] = y;
      }
    }
    for (int t = order + 1; t >= 1; --t) poly[t] += sign * poly[t - 1];
    return poly;
  };
  const std::vector<double> p = branch(0, 1.0), q = branch(1, -1.0);
  std::vector<double> a(order + 1);
  for (int k = 0; k <= order; ++k) a[k] = 0.5 * (p[k] + q[k]);
  return a;
}

void inverseFilter(const std::vector<double>& a, const double* signal, int begin, int end, double* out) {
  const int order = static_cast<int>(a.size()) - 1;
  for (int n = begin; n < end; ++n) {
    double e = signal[n];
    for (int k = 1; k <= order && n - k >= 0; ++k) e += a[k] * signal[n - k];
    out[n - begin] = e;
  }
}

std::vector<double> preEmphasise(const std::vector<double>& x, double coeff) {
  std::vector<double> y(x.size());
  double prev = 0;
  for (size_t i = 0; i < x.size(); ++i) {
    y[i] = x[i] - coeff * prev;
    prev = x[i];
  }
  return y;
}

}  // namespace voxa::voicebuild
