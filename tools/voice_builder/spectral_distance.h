// Log-spectral distance between two signals, for the analysis-resynthesis check.
#pragma once
#include <vector>

namespace voxa::voicebuild {

// Power spectrum (bins 0..n/2) of `n` samples from x[begin] (zero outside x),
// Hann-windowed; n a power of two.
std::vector<double> powerSpectrum(const std::vector<double>& x, int begin, int n);

// Power spectrum (bins 0..nfft/2) of `window` samples from x[begin] (zero
// outside x), Hann-windowed and zero-padded to nfft, a power of two >= window.
std::vector<double> paddedPowerSpectrum(const std::vector<double>& x, int begin, int window, int nfft);

// Root-mean-square dB difference over bins 1..n/2 of two power spectra, after
// removing `offsetDb` (b - a). b is brought to a's level before both are
// floored at `floor`, so that bins below the floor in both count as equal
// whatever the level offset.
double logSpectralDistance(const std::vector<double>& a, const std::vector<double>& b, double floor,
                           double offsetDb);

// Power summed over bands of `width` bins (bin 0 left out), for a distance
// between spectral envelopes that the harmonic fine structure does not drive.
std::vector<double> bandPowers(const std::vector<double>& power, int width);

// Cepstrally smoothed spectral envelope: the power spectrum (bins 0..n/2,
// floored at `floor`) with its real cepstrum kept up to quefrency `lifter`.
// Returned as power again, so that logSpectralDistance applies.
std::vector<double> smoothEnvelope(const std::vector<double>& power, double floor, int lifter);

// Autocorrelation lags 0..order of frame[0..n) after dividing its power
// spectrum (nfft points, a power of two >= n + order) by psd (nfft/2 + 1 bins):
// the spectrum a filter must have so that an excitation of that spectrum
// reproduces the frame's.
std::vector<double> compensatedAutocorrelation(const double* frame, int n, int nfft, const std::vector<double>& psd,
                                               int order);

// Power response (bins 0..nfft/2) of the engine's post-filter for the
// predictor a[0..K]: A(z/0.6) / A(z/0.8) times the tilt 1 - k1/2 z^-1 (k1,
// the first reflection coefficient, when positive).
std::vector<double> postFilterPower(const std::vector<double>& a, int nfft);

// Autocorrelation lags 0..order of frame[0..n) with its power spectrum
// (nfft points) divided by `divisor` (nfft/2 + 1 bins), after its harmonics
// of f0Hz are replaced by the envelope through them when f0Hz > 0 (see
// harmonicEnvelopeAutocorrelation).
std::vector<double> dividedAutocorrelation(const double* frame, int n, int nfft, double f0Hz, double rate,
                                           const std::vector<double>& divisor, int order);

// Autocorrelation lags 0..order of a voiced frame[0..n) whose harmonics of
// f0Hz (at `rate`) are replaced by the envelope through them: the peak power
// of every harmonic, joined in log power from one harmonic to the next (held
// below the first and above the last). nfft: a power of two >= n + order. A
// predictor fitted to this follows the envelope instead of locking its poles
// onto single harmonics.
std::vector<double> harmonicEnvelopeAutocorrelation(const double* frame, int n, int nfft, double f0Hz, double rate,
                                                    int order);

}  // namespace voxa::voicebuild
