// Power spectrum of the engine's voiced excitation, for the voice builder.
#pragma once
#include <vector>

namespace voxa::voicebuild {

// Per-sample power spectrum (nfft/2 + 1 bins) of the engine's pulse generator
// for periods of `period` samples: the 16 glottal pulse shapes upsampled by
// two and scaled by sqrt(period), averaged, plus the high-passed noise.
std::vector<double> excitationPsd(int period, int nfft);

// The engine's first pulse shape as the pulse generator plays it: upsampled
// by two with linear interpolation (253 samples, unscaled).
std::vector<double> enginePulse();

}  // namespace voxa::voicebuild
