// Epoch (glottal closure) detection for the voice builder: an autocorrelation
// F0 track guides peak picking on the LPC residual inside voiced stretches.
#pragma once
#include <utility>
#include <vector>

namespace voxa::voicebuild {

struct PitchSettings {
  int rate = 16000;        // Hz
  int minPeriod = 40;      // samples (400 Hz at 16 kHz)
  int maxPeriod = 250;     // samples; unit period lengths are one byte
  int hop = 80;            // F0 frame step, samples
  int window = 640;        // F0 analysis window, samples
  double voicing = 0.45;   // normalised autocorrelation needed to call a frame voiced
  double markSpread = 0.1; // width of the preference for the predicted epoch, fraction of the period
};

// Local period per F0 frame (frame f centred at f * hop), 0 when unvoiced.
std::vector<int> trackPeriods(const std::vector<double>& x, const PitchSettings& settings);

// LPC residual of the whole signal (order 16, 25 ms frames), for peak picking.
std::vector<double> lpcResidual(const std::vector<double>& x, int rate);

// Epochs (sample positions, ascending) inside the stretches [first, second).
std::vector<int> detectEpochs(const std::vector<double>& x, const std::vector<std::pair<int, int>>& stretches,
                              const PitchSettings& settings);

}  // namespace voxa::voicebuild
