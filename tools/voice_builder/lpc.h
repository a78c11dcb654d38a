// Linear prediction for the voice builder: autocorrelation LPC, conversion
// between predictor and line-spectral frequencies, and pre-emphasis.
// Floating point; A(z) = 1 + sum_{k=1..K} a[k] z^-k, a[0] = 1.
#pragma once
#include <complex>
#include <vector>

namespace voxa::voicebuild {

// r: out, lags 0..order of x (length n), windowed by the caller.
std::vector<double> autocorrelation(const double* x, int n, int order);

// Levinson-Durbin on r (lags 0..order) with a lag window of `bandwidthHz` at
// `rate` and white-noise correction `noiseFloor` (fraction of r[0]).
// Returns a[0..order]; all zeros but a[0] = 1 when r[0] is 0.
std::vector<double> lpcFromAutocorrelation(std::vector<double> r, double rate, double bandwidthHz,
                                           double noiseFloor);

// a[k] times g^k with g = exp(-pi * bandwidthHz / rate): every pole moves
// towards the origin, widening each resonance by about bandwidthHz.
std::vector<double> expandBandwidth(std::vector<double> a, double rate, double bandwidthHz);

// The K roots of z^K + a1 z^(K-1) + ... + aK (the poles of 1/A(z)), a[0..K].
std::vector<std::complex<double>> predictorRoots(const std::vector<double>& a);

// Widens only the resonances below belowHz that are narrower than
// bandwidthHz: each such root of A(z) with a radius above
// exp(-pi * bandwidthHz / rate) is pulled in to that radius; broader and
// higher resonances, and the spectral balance they set, stay as they are.
// With f0Hz > 0 only the roots within harmonicReach * f0Hz of a harmonic
// k * f0Hz are widened: a narrow resonance between two harmonics lifts both
// alike, one sitting on a harmonic lets that harmonic ring alone.
// Returns a[0..K] rebuilt from the roots.
std::vector<double> limitBandwidth(const std::vector<double>& a, double rate, double bandwidthHz, double belowHz,
                                   double f0Hz = 0, double harmonicReach = 0);

// LSFs in radians (0..pi, ascending) of a[0..K] (K even). Returns false when
// fewer than K roots are found (the caller keeps a neighbour's vector).
bool lpcToLsf(const std::vector<double>& a, std::vector<double>* lsf);

// a[0..K] from K ascending LSFs in radians.
std::vector<double> lsfToLpc(const std::vector<double>& lsf);

// e[n] = x[n] + sum a[k] x[n-k], with x before `begin` taken from the signal.
void inverseFilter(const std::vector<double>& a, const double* signal, int begin, int end, double* out);

// y[n] = x[n] - coeff * x[n-1] over the whole signal (x[-1] = 0).
std::vector<double> preEmphasise(const std::vector<double>& x, double coeff);

}  // namespace voxa::voicebuild
