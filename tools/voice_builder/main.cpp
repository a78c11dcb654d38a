// voice_builder: builds a version-6 voice database from a recording set.
//   voice_builder --lang es --in <recording set folder> --out es.voice --report es.report.txt
//                 [--order K] [--bits B] [--compensate EXP] [--match-power 0|1] [--loud-gain G] [--lag-window HZ]
//                 [--bandwidth HZ] [--min-bandwidth HZ] [--min-bandwidth-below HZ] [--harmonic-envelope 0|1]
//                 [--harmonic-reach FRACTION] [--post-filter-passes N] [--deemphasis Q8] [--burst-limit TIMES]
//                 [--level-smoothing 0|1] [--equalise DB,DB,... (per 500 Hz band)]
//                 [--residual-gain DB] [--release-cut 0|1] [--glide-cut PHONE,PHONE,...]
// The defaults are the settings the default voices are built with, except
// --glide-cut, --equalise and the Turkish --release-cut and --level-smoothing,
// which scripts/build-voices gives per language; the other options are there
// to measure alternatives with the resynthesis check.
//   voice_builder --respread FILE
// rewrites only the F0 spread of a built voice in place, raised to the
// builder's floor for its F0 mean: for a speaker whose measured spread is
// below the floor (the flat reference speaker) this is the header a rebuild
// writes, without rebuilding the units.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <fstream>
#include <sstream>
#include <iterator>
#include <vector>
#include <stdexcept>
#include <string>

#include "voice_builder/excitation_model.h"
#include "voice_builder/phone_classes.h"
#include "voice_builder/voice_builder.h"
#include "voicedb/voicedb_writer.h"

namespace {

int respread(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> block((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  int32_t mean = 0, spread = 0;
  if (!in || !voxa::voicedb::readF0Statistics(block, &mean, &spread)) {
    std::fprintf(stderr, "voice_builder: cannot read a voice header from %s\n", path.c_str());
    return 1;
  }
  const int32_t raised = std::max(spread, static_cast<int32_t>(voxa::voicebuild::f0StdDevFor(mean, 0.0)));
  voxa::voicedb::writeF0Statistics(block, mean, raised);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(block.size()));
  if (!out) return 1;
  std::printf("%s: F0 mean %d Hz, std dev %d -> %d Hz\n", path.c_str(), mean, spread, raised);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--respread") return respread(argv[2]);
  std::string lang, in, out, report;
  int order = 0, bits = 0;          // 0: the builder's defaults
  double loudGain = 0, lagWindow = 0;  // 0: the builder's defaults
  double bandwidth = -1;               // Hz; negative: the builder's default
  double minBandwidth = -1;            // Hz; negative: the builder's default
  double minBandwidthBelow = -1;       // Hz; negative: the builder's default
  int harmonicEnvelope = -1;           // 0|1; negative: the builder's default
  double harmonicReach = -1;           // fraction of F0; negative: the builder's default
  int postFilterPasses = -1;           // negative: the builder's default
  int deemphasis = -1;               // Q8; -1: the builder's default
  std::string glideCut;              // comma-separated glide phones; empty: none
  double burstLimit = -1;              // negative: the builder's default
  int levelSmoothing = -1;             // 0|1; negative: the builder's default
  std::vector<double> equaliser;       // dB per 500 Hz band; empty: none
  double residualGain = -1000;         // dB; -1000: the builder's default
  int releaseCut = -1;                 // 0|1; negative: the builder's default
  // Voiced gains that give the recorded power through the engine's pulse
  // (1) or the recorded mean |x| (0).
  int matchPower = 1;
  // Exponent applied to the engine's excitation spectrum before sonorant
  // periods are analysed against it (0: plain LPC). The closure-spike pulses
  // are flat up to 4 kHz, and plain LPC measured best in the
  // analysis-resynthesis check.
  double compensate = 0;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string k = argv[i];
    if (k == "--lang") lang = argv[i + 1];
    else if (k == "--in") in = argv[i + 1];
    else if (k == "--out") out = argv[i + 1];
    else if (k == "--report") report = argv[i + 1];
    else if (k == "--compensate") compensate = std::atof(argv[i + 1]);
    else if (k == "--order") order = std::atoi(argv[i + 1]);
    else if (k == "--bits") bits = std::atoi(argv[i + 1]);
    else if (k == "--loud-gain") loudGain = std::atof(argv[i + 1]);
    else if (k == "--match-power") matchPower = std::atoi(argv[i + 1]);
    else if (k == "--lag-window") lagWindow = std::atof(argv[i + 1]);
    else if (k == "--bandwidth") bandwidth = std::atof(argv[i + 1]);
    else if (k == "--min-bandwidth") minBandwidth = std::atof(argv[i + 1]);
    else if (k == "--min-bandwidth-below") minBandwidthBelow = std::atof(argv[i + 1]);
    else if (k == "--harmonic-envelope") harmonicEnvelope = std::atoi(argv[i + 1]);
    else if (k == "--harmonic-reach") harmonicReach = std::atof(argv[i + 1]);
    else if (k == "--post-filter-passes") postFilterPasses = std::atoi(argv[i + 1]);
    else if (k == "--deemphasis") deemphasis = std::atoi(argv[i + 1]);
    else if (k == "--glide-cut") glideCut = argv[i + 1];
    else if (k == "--burst-limit") burstLimit = std::atof(argv[i + 1]);
    else if (k == "--level-smoothing") levelSmoothing = std::atoi(argv[i + 1]);
    else if (k == "--residual-gain") residualGain = std::atof(argv[i + 1]);
    else if (k == "--release-cut") releaseCut = std::atoi(argv[i + 1]);
    else if (k == "--equalise") {
      std::stringstream list(argv[i + 1]);
      for (std::string v; std::getline(list, v, ',');) equaliser.push_back(std::atof(v.c_str()));
    }
  }
  if (lang.empty() || in.empty() || out.empty()) {
    std::fprintf(stderr,
                 "usage: voice_builder --lang es|pl|tr --in FOLDER --out FILE [--report FILE] [--order K] [--bits B]\n"
                 "       [--compensate EXP] [--match-power 0|1] [--loud-gain G] [--lag-window HZ] [--bandwidth HZ]\n"
                 "       [--min-bandwidth HZ] [--min-bandwidth-below HZ] [--harmonic-envelope 0|1]\n"
                 "       [--harmonic-reach FRACTION] [--post-filter-passes N] [--deemphasis Q8]\n"
                 "       [--burst-limit TIMES] [--level-smoothing 0|1]\n"
                 "       [--equalise DB,DB,... (per 500 Hz band)] [--residual-gain DB] [--release-cut 0|1]\n"
                 "       [--glide-cut PHONE,PHONE,...]\n");
    return 2;
  }
  try {
    using namespace voxa::voicebuild;
    const RecordingSet set = readRecordingSet(in);
    BuildSettings settings;
    if (order) settings.order = order;
    if (bits) settings.spectralBits = bits;
    if (loudGain > 0) settings.loudGain = loudGain;
    if (matchPower) settings.pulse = enginePulse();
    if (lagWindow > 0) settings.lagWindowHz = lagWindow;
    if (bandwidth >= 0) settings.bandwidthExpansionHz = bandwidth;
    if (minBandwidth >= 0) settings.minBandwidthHz = minBandwidth;
    if (minBandwidthBelow >= 0) settings.minBandwidthBelowHz = minBandwidthBelow;
    if (harmonicEnvelope >= 0) settings.harmonicEnvelope = harmonicEnvelope != 0;
    if (harmonicReach >= 0) settings.minBandwidthHarmonicReach = harmonicReach;
    if (postFilterPasses >= 0) settings.postFilterPasses = postFilterPasses;
    if (deemphasis >= 0) settings.deemphasis_Q8 = deemphasis;
    for (size_t from = 0; from < glideCut.size();) {
      const size_t comma = std::min(glideCut.find(',', from), glideCut.size());
      if (comma > from) settings.glideCut.push_back(glideCut.substr(from, comma - from));
      from = comma + 1;
    }
    if (burstLimit >= 0) settings.burstLimit = burstLimit;
    if (levelSmoothing >= 0) settings.levelSmoothingCompensation = levelSmoothing != 0;
    settings.sonorantEqualiserDb = equaliser;
    if (residualGain > -1000) settings.residualGainDb = residualGain;
    if (releaseCut >= 0) settings.releaseCut = releaseCut != 0;
    // Sonorant periods are analysed against the engine's pulse spectrum
    // (periods of 200 samples stand for the reference speaker's flat pitch).
    if (compensate > 0) {
      settings.excitationPsd = excitationPsd(200, 1024);
      for (double& v : settings.excitationPsd) v = std::pow(v, compensate);
    }
    const BuildResult r = buildVoice(set, phoneClassesFor(lang), settings, lang);
    std::ofstream f(out, std::ios::binary);
    f.write(reinterpret_cast<const char*>(r.database.data()), static_cast<std::streamsize>(r.database.size()));
    if (!f) throw std::runtime_error("cannot write " + out);
    if (!report.empty()) {
      std::ofstream rf(report);
      rf << r.report;
    }
    std::fputs(r.report.c_str(), stdout);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "voice_builder: %s\n", e.what());
    return 1;
  }
  return 0;
}
