// Second-formant track of a speech signal, for timing formant glides: the
// signal is brought to about 8 kHz, each 25 ms frame gets a 10th-order LPC
// fit, the fit's roots are the formant candidates, and a dynamic programme
// picks the (F1, F2) pair per frame that is narrow, plausible and moves
// least from frame to frame.
#pragma once
#include <vector>

namespace voxa::voicebuild {

// F2 in Hz at frame centres from, from + hop, ... (< to) of x at `rate` Hz.
// Samples outside x count as zero. Frames without a plausible pair take the
// value of the nearest frame that has one; all 0 when none has.
std::vector<double> secondFormantTrack(const std::vector<double>& x, int rate, int from, int to, int hop);

// Which stretch of a track a glide is timed over: from its start to its
// highest or lowest point, or from there to its end; kLargest picks the one
// of the four with the largest net move, so that a glide through a turning
// point (vowel - /j/ - vowel, a diphthong that overshoots) is timed over its
// largest single move.
enum class GlidePart { kLargest, kToHigh, kFromHigh, kToLow, kFromLow };

struct Glide {
  GlidePart part = GlidePart::kLargest;
  double steps = -1;   // 10-90 % time of the move, in track steps; -1: no move
  double change = 0;   // net move over the part
};

// The glide over `part` of the track (glideSteps gives the 10-90 % time, and
// -1 below minChange or on fewer than 6 steps). The extreme is taken on the
// track smoothed by a median of three.
Glide formantGlide(const std::vector<double>& track, GlidePart part, double minChange);

}  // namespace voxa::voicebuild
