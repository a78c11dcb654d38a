// The voice builder: turns a recording set into a version-6 voice database.
// Pitch-synchronous periods (epochs in sonorant stretches, fixed 10 ms
// periods elsewhere), LPC analysis per period, LSF codebooks trained on the
// voice, 5-bit gain codes, Speex-coded residual for periods that need stored
// excitation, and diphone units cut at phone middles.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "voice_builder/pitch_marks.h"
#include "voice_builder/recording_set.h"

namespace voxa::voicebuild {

struct BuildSettings {
  int order = 18;                 // LPC order K (even, at most 18)
  int deemphasis_Q8 = 230;        // pre-emphasis used in analysis, undone by the engine
  int speexSubMode = 7;           // narrowband sub-mode of the residual frames
  int spectralBits = 80;          // bits per period over the K LSF codes
  int minBits = 3, maxBits = 7;   // range of one code's width
  int silencePeriods = 3;         // periods kept of a silence half
  double loudGain = 640.0;        // gain the loud (99th percentile) sonorant periods get
  double lagWindowHz = 30.0;      // LPC lag window bandwidth
  // Bandwidth added to every resonance of the fitted predictors (a_k times
  // g^k, g = exp(-pi B / rate)): a pulse-excited all-pole filter with the
  // recorded bandwidths lets single harmonics ring out above their
  // neighbours, and the engine's post-filter sharpens them further.
  double bandwidthExpansionHz = 0.0;
  // Narrowest resonance (Hz) of a sonorant period's predictor: narrower poles
  // are widened to it, the rest left alone. An LPC fit to a voiced period
  // locks poles onto single harmonics; pulse-excited, such a pole lets one
  // harmonic ring 10-20 dB above its neighbours. 0: off.
  double minBandwidthHz = 125.0;
  // Only resonances below this frequency get the floor: the ringing that
  // stands out sits in the first formants, and every floored pole above costs
  // resynthesis distance and dims the top of the band (a floor up to 4 kHz:
  // 0.35 dB more distance per bin, 1-2 dB less level above 4 kHz).
  double minBandwidthBelowHz = 1500.0;
  // In voiced periods only resonances within this fraction of F0 of a
  // harmonic get the floor (0: every narrow one).
  double minBandwidthHarmonicReach = 0.0;
  // Voiced sonorant periods are fitted to the envelope through their
  // harmonics rather than to their line spectrum (see
  // harmonicEnvelopeAutocorrelation).
  bool harmonicEnvelope = true;
  // Refits of sonorant periods against the engine's post-filter (0: none).
  // One pass: 0.1 dB less distance per bin, but 0.2 dB more over 500 Hz bands
  // and 3-4 dB less level above 4 kHz.
  int postFilterPasses = 0;
  // Glide phones (/j/, /w/) whose units are cut where their second formant
  // comes nearest the phone's usual F2 (usualGlideF2, glideCutSample) rather
  // than at the label middle. A glide has no steady middle: the middle of /j/ in "u-j" is
  // still near the F2 of /u/ where the middle in "j-o" is already on its way
  // to /o/, and a phone joined from two such halves jumps at the join.
  // Empty: every phone is cut at its middle.
  std::vector<std::string> glideCut;
  // Stored residual of non-sonorant periods is held within this many times
  // its local rms (limitBursts): a stop release coded as a single-sample
  // spike comes out of the unit's filter as a step several times steeper
  // than anything within 10 ms. 0: off.
  double burstLimit = 4.0;
  // Level (dB) added to the stored residual of non-sonorant periods before it
  // is coded: the engine plays that residual as decoded, without a gain, and
  // the code-excited coder gives back noise weaker than it was (the
  // analysis-resynthesis check measures non-sonorant frames about 2 dB below
  // sonorant ones, against the recording).
  double residualGainDb = 2.0;
  // Units are cut in a non-sonorant phone before its release when the release
  // comes before the phone's middle, rather than at the middle: cut through,
  // the release is played from both units (the engine spreads the first
  // half over the closure and may repeat its periods), a double burst.
  bool releaseCut = false;
  // Sonorant periods after sonorant ones get the gain codes that bring the
  // engine's smoothed level (mean of the coded gain and the level before) to
  // the recorded one, rather than the recorded level itself, which the
  // smoothing reaches a period or two late. After a quiet period (a tap's
  // closure) the code may overshoot into one pulse well above its
  // surroundings; the Turkish voice is built without it.
  bool levelSmoothingCompensation = true;
  // Correction (dB, positive: the engine comes out too strong) of the
  // spectrum of pulse-excited sonorant periods, per 500 Hz band from 0 Hz at
  // the voice rate: the pulses, the post-filter and the envelope fit colour
  // the engine's voiced output the same way in every period, so sonorant
  // periods are fitted to the recorded spectrum divided by this colouring
  // (linear in dB between band centres). Empty: none.
  std::vector<double> sonorantEqualiserDb;
  PitchSettings pitch;
  // Power spectrum per sample of the engine's voiced excitation (pulses plus
  // noise), 513 bins of a 1024-point transform; sonorant periods are analysed
  // against it so that pulse-excited filters reproduce the recorded spectrum.
  // Empty: plain LPC everywhere.
  std::vector<double> excitationPsd;
  // One pulse of the engine's voiced excitation at the output rate. When set,
  // voiced periods store the mean |x| that gives the recorded period's power
  // once the engine has brought the pulse-excited filter output to it;
  // empty: the recorded mean |x| itself.
  std::vector<double> pulse;
};

// How the builder asks the language's phone set about a phone name.
struct PhoneClasses {
  std::function<bool(const std::string&)> known;     // phone exists in the set
  std::function<bool(const std::string&)> sonorant;  // vowel, or ctype l, n, r
};

// Periods of one utterance and their analysis.
struct UtteranceAnalysis {
  std::vector<int> bounds;          // period boundaries, 0 .. length, ascending
  std::vector<int> phoneOf;         // label index of each period (by its midpoint)
  std::vector<bool> voiced;         // period ends at a detected epoch inside a sonorant stretch
  std::vector<double> preEmphasised;  // scaled by the voice scale once known
  std::vector<std::vector<double>> lsf;  // per period, radians
  std::vector<double> meanAbs;      // per period, mean |pre-emphasised| before scaling
};

UtteranceAnalysis analyseUtterance(const Utterance& u, const PhoneClasses& phones, const BuildSettings& s);

// Where a glide label l is cut: the frame of its middle half (F2 track f2,
// frame k centred at l.start + k * hop) whose F2 is nearest targetHz, each
// millisecond away from the label middle counting as 2 Hz (the middle wins
// a tie, and a move must buy a closer F2).
int glideCutSample(const std::vector<double>& f2, int hop, const PhoneLabel& l, double targetHz, int rate);

// Lowest and highest F2 of the frames of a track (as above) in the middle half of l.
std::pair<double, double> middleHalfRange(const std::vector<double>& f2, int hop, const PhoneLabel& l);

// The F2 a glide phone's units are cut at: the value with the least summed
// distance to the F2 ranges of the middle halves of all its labels, so that
// as many halves as can reach it meet there (the middle of such values
// when several tie).
double usualGlideF2(const std::vector<std::pair<double, double>>& ranges);

// The pitch period at sample t: the median length of the voiced periods
// centred within `reach` samples of t, or else the length of the voiced
// period nearest to t (one mark placed a little early or late must not set
// the pitch); 0 when the utterance has no voiced period.
int measuredPeriod(const UtteranceAnalysis& a, int t, int reach);

// Period boundaries from epochs and labels: epochs inside sonorant phones,
// `fixed`-sample periods in the other phones, gaps split to at most 255.
std::vector<int> periodBounds(const std::vector<PhoneLabel>& labels, const std::vector<int>& epochs,
                              const std::function<bool(const std::string&)>& sonorant, int length, int fixed);

// Ratio of rms to mean absolute value of a pulse train of `period` samples
// through 1/A(z), a[0..K], in steady state.
double pulseCrestFactor(const std::vector<double>& a, const std::vector<double>& pulse, int period);

// Power divisor, bins 0..nfft/2 at `rate`, of a band correction in dB per
// 500 Hz band from 0 Hz: linear in dB between band centres, held beyond the
// first and the last.
std::vector<double> equaliserPower(const std::vector<double>& bandDb, int nfft, double rate);

// Gain code: the entry of the engine's 5-bit gain table nearest in log amplitude.
int gainCode(double meanAbs);

// The first sample t in [from, to) where a closure releases: the mean power
// over the 2.5 ms from t is above 1000 and 20 dB above that over the 5 ms
// before t. -1 when there is none.
int releaseBefore(const std::vector<double>& x, int from, int to);

// Gain code for a sonorant period after a sonorant one: the engine plays the
// mean of the coded gain and the level it reached in the period before, so
// the code whose mean with `previousLevel` is nearest to `target` in log
// amplitude.
int gainCodeAfterSmoothing(double target, double previousLevel);
extern const int kGainTable[32];

struct BuildResult {
  std::vector<uint8_t> database;
  std::string report;
  int unitsPresent = 0;
  int periods = 0;
  std::vector<std::string> missing;
  double scale = 1.0;               // sample scale applied before analysis
  int f0Mean = 0;
};

// F0 spread (Hz) written into a voice header for a speaker of median F0
// `f0Mean` whose measured periods have interquartile range `iqr` (Hz): the
// measured spread, but never below the natural spread of a male speaker.
int f0StdDevFor(int f0Mean, double iqr);

BuildResult buildVoice(const RecordingSet& set, const PhoneClasses& phones, const BuildSettings& s,
                       const std::string& voiceName);

}  // namespace voxa::voicebuild
