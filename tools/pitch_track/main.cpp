// pitch_track FILE [--min-hz 50] [--max-hz 400]: one line per 10 ms frame,
// "ms hz" (0 where unvoiced), of the first channel of a sound file, with the
// voice builder's autocorrelation tracker at the file's own rate. A voiced
// frame more than 7 semitones from the median of the voiced frames within
// 150 ms of it is taken as an octave error and left out (0).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "voice_builder/pitch_marks.h"
#include "voice_builder/recording_set.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: pitch_track FILE [--min-hz HZ] [--max-hz HZ]\n");
    return 2;
  }
  double minHz = 50, maxHz = 400;
  for (int k = 2; k + 1 < argc; k += 2) {
    const std::string arg = argv[k];
    if (arg == "--min-hz") minHz = std::atof(argv[k + 1]);
    if (arg == "--max-hz") maxHz = std::atof(argv[k + 1]);
  }
  int rate = 0;
  const std::vector<double> x = voxa::voicebuild::readFirstChannel(argv[1], &rate);
  if (rate == 0 || minHz <= 0 || maxHz <= minHz) {
    std::fprintf(stderr, "pitch_track: cannot read %s\n", argv[1]);
    return 1;
  }

  voxa::voicebuild::PitchSettings s;
  s.rate = rate;
  s.minPeriod = static_cast<int>(rate / maxHz);
  s.maxPeriod = static_cast<int>(rate / minHz);
  s.hop = rate / 100;
  s.window = s.maxPeriod + rate / 40;  // 25 ms compared beyond the longest lag
  const std::vector<int> periods = voxa::voicebuild::trackPeriods(x, s);
  std::vector<double> hz(periods.size());
  for (size_t f = 0; f < periods.size(); ++f) hz[f] = periods[f] ? static_cast<double>(s.rate) / periods[f] : 0;
  const int n = static_cast<int>(hz.size());
  for (int f = 0; f < n; ++f) {
    std::vector<double> near;
    for (int g = std::max(0, f - 15); g <= std::min(n - 1, f + 15); ++g)
      if (hz[g] > 0) near.push_back(hz[g]);
    double out = hz[f];
    if (out > 0) {
      std::nth_element(near.begin(), near.begin() + near.size() / 2, near.end());
      if (std::fabs(std::log2(out / near[near.size() / 2])) > 7.0 / 12) out = 0;
    }
    std::printf("%d %.1f\n", f * 10, out);
  }
  return 0;
}
