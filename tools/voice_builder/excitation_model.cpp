#include "voice_builder/excitation_model.h"

#include <cmath>
#include <complex>

#include "synth/pulse_shapes.h"
#include "voice_builder/spectral_distance.h"

namespace voxa::voicebuild {

namespace {
// Pulse shape `shape` as the pulse generator plays it: upsampled by two with
// linear interpolation, 253 samples, unscaled.
std::vector<double> upsampledPulse(int shape) {
  const int16_t* p = tts::kPulseShapes[shape];
  std::vector<double> x(253);
  for (int i = 0; i <= 252; ++i) {
    const int j = i / 2;
    x[static_cast<size_t>(i)] = p[j] * (2 - (i & 1)) + (j + 1 < tts::kPulseShapeLength ? p[j + 1] : 0) * (i & 1);
  }
  return x;
}
}  // namespace

std::vector<double> enginePulse() { return upsampledPulse(0); }

std::vector<double> excitationPsd(int period, int nfft) {
  const int bins = nfft / 2 + 1;
  std::vector<double> psd(static_cast<size_t>(bins), 0.0);
  const double b = std::floor(std::sqrt(period * 16384.0));
  for (int shape = 0; shape < tts::kPulseShapeCount; ++shape) {
    const std::vector<double> pulse = upsampledPulse(shape);
    std::vector<std::complex<double>> x(static_cast<size_t>(nfft));
    for (int i = 0; i < period && i <= 252; ++i) x[i] = pulse[static_cast<size_t>(i)] * b / 2048.0;
    for (int k = 0; k < bins; ++k) {
      std::complex<double> s = 0;
      for (int i = 0; i < period; ++i) s += x[i] * std::polar(1.0, -2 * M_PI * k * i / nfft);
      psd[k] += std::norm(s) / period / tts::kPulseShapeCount;
    }
  }
  // Noise: uniform values of variance 256^2 / 12 through -0.125 (1 - z^-1)^2.
  const double variance = 256.0 * 256.0 / 12.0;
  for (int k = 0; k < bins; ++k) {
    const double w = 2 * M_PI * k / nfft;
    const double h = 0.125 * (2 - 2 * std::cos(w));
    psd[k] += variance * h * h;
  }
  return psd;
}

}  // namespace voxa::voicebuild
