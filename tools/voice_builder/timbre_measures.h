// Timbre figures of a speech signal, for comparing the engine's output with
// the reference speaker's recordings: how sharply single harmonics stand out,
// how fast formants glide, sample-level jumps, the level above 4 kHz and the
// DC offset.
#pragma once
#include <vector>

namespace voxa::voicebuild {

// How far (dB) the strongest harmonic at or below maxHz stands above the mean
// dB level of its two neighbours (one neighbour for the first harmonic).
// `power`: bins 0..nfft/2 of binHz each; f0 in Hz. Each harmonic's level is
// the largest bin within 0.3 f0 of k f0. 0 when fewer than two harmonics fit.
double harmonicProminenceDb(const std::vector<double>& power, double binHz, double f0, double maxHz);

// Power from 4 kHz up relative to the power in (0, 500 Hz), in dB.
double highBandLevelDb(const std::vector<double>& power, double binHz);

// Duration, in track steps, over which a track moves from 10 % to 90 % of its
// net change (ends: medians of the first and last three values); -1 when the
// net change is smaller than minChange or the track is shorter than 6.
double glideSteps(const std::vector<double>& track, double minChange);

// Sample-level discontinuity at a join t: the largest |x[n] - x[n - 1]| for
// n within `reach` samples of t, over the largest one elsewhere within
// `context` samples of t. Periodic speech and noise stay near 1 (each period
// has its own steepest step); a spike, a thump or a step in the waveform at
// the join stands out. 0 where the surroundings are silent (largest
// difference below `quiet`).
double joinDiscontinuity(const std::vector<double>& x, int t, int reach, int context, double quiet);

// Mean sample value.
double dcOffset(const std::vector<double>& x);

}  // namespace voxa::voicebuild
