// formant_track FILE [--hop-ms 5]: one line per frame, "ms hz", the second
// formant of the first channel of a sound file, from the voice builder's
// tracker (formant_track.h) at the file's own rate.
#include <sndfile.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "voice_builder/formant_track.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: formant_track FILE [--hop-ms MS]\n");
    return 2;
  }
  double hopMs = 5;
  for (int k = 2; k + 1 < argc; k += 2)
    if (std::string(argv[k]) == "--hop-ms") hopMs = std::atof(argv[k + 1]);
  SF_INFO info{};
  SNDFILE* file = sf_open(argv[1], SFM_READ, &info);
  const int hop = static_cast<int>(hopMs * info.samplerate / 1000);
  if (!file || hop < 1) {
    std::fprintf(stderr, "formant_track: cannot read %s\n", argv[1]);
    return 1;
  }
  std::vector<double> frames(static_cast<size_t>(info.frames) * info.channels);
  sf_readf_double(file, frames.data(), info.frames);
  sf_close(file);
  std::vector<double> x(static_cast<size_t>(info.frames));
  for (size_t i = 0; i < x.size(); ++i) x[i] = frames[i * info.channels] * 32768.0;
  const std::vector<double> f2 =
      voxa::voicebuild::secondFormantTrack(x, info.samplerate, 0, static_cast<int>(x.size()), hop);
  for (size_t f = 0; f < f2.size(); ++f) std::printf("%.0f %.0f\n", f * hopMs, f2[f]);
  return 0;
}
