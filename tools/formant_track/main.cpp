// formant_track FILE [--hop-ms 5] [--from-ms MS --to-ms MS]: one line per
// frame, "ms hz", the second formant of the first channel of a sound file,
// from the voice builder's tracker (formant_track.h) at the file's own rate.
// With a span, only the frames in it, and a last line "glide MS HZ": the
// 10-90 % time and net move of the span's largest single F2 move (-1 when
// it moves less than 200 Hz), as the timbre check times glides.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "voice_builder/formant_track.h"
#include "voice_builder/recording_set.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: formant_track FILE [--hop-ms MS] [--from-ms MS --to-ms MS]\n");
    return 2;
  }
  double hopMs = 5, fromMs = -1, toMs = -1;
  for (int k = 2; k + 1 < argc; k += 2) {
    const std::string arg = argv[k];
    if (arg == "--hop-ms") hopMs = std::atof(argv[k + 1]);
    else if (arg == "--from-ms") fromMs = std::atof(argv[k + 1]);
    else if (arg == "--to-ms") toMs = std::atof(argv[k + 1]);
  }
  int rate = 0;
  const std::vector<double> x = voxa::voicebuild::readFirstChannel(argv[1], &rate);
  const int hop = static_cast<int>(hopMs * rate / 1000);
  if (rate == 0 || hop < 1) {
    std::fprintf(stderr, "formant_track: cannot read %s\n", argv[1]);
    return 1;
  }
  const bool span = fromMs >= 0 && toMs > fromMs;
  const int from = span ? static_cast<int>(fromMs * rate / 1000) : 0;
  const int to = span ? std::min(static_cast<int>(toMs * rate / 1000), static_cast<int>(x.size()))
                      : static_cast<int>(x.size());
  const std::vector<double> f2 = voxa::voicebuild::secondFormantTrack(x, rate, from, to, hop);
  for (size_t f = 0; f < f2.size(); ++f)
    std::printf("%.0f %.0f\n", 1000.0 * from / rate + f * hopMs, f2[f]);
  if (span) {
    const voxa::voicebuild::Glide g = formantGlide(f2, voxa::voicebuild::GlidePart::kLargest, 200);
    std::printf("glide %.0f %.0f\n", g.steps < 0 ? -1 : g.steps * hopMs, g.change);
  }
  return 0;
}
