// Analysis-resynthesis check: every utterance of a recording set is spoken
// again through the engine's own unit decoder and synthesiser with the label
// durations and the measured pitch, and compared with the recording by mean
// log-spectral distance (phone by phone, frames at matching relative times).
//   voice_resynth_<lang> --in FOLDER --voice FILE [--worst N] [--postfilter 0|1] [--dump ID]
//                        [--control-shift SAMPLES]
// Figures: per-bin distance, distances over 250 Hz and 500 Hz bands (the
// envelope, less the harmonic fine structure), a cepstrally smoothed envelope,
// and the frame level error; each utterance is first aligned in overall level.
// --control-shift puts the recording itself, delayed, in place of the
// resynthesis: the figures a perfect voice would get with frames that far off.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tts_engine.h"
#include "voice_builder/engine_render.h"
#include "voice_builder/recording_set.h"
#include "voice_builder/spectral_distance.h"
#include "voice_builder/voice_builder.h"

using namespace voxa::voicebuild;

namespace {

struct Frames {
  double sum = 0;
  int count = 0;
  double mean() const { return count ? sum / count : 0; }
};

// Mean and root mean square of a set of values.
struct Spread {
  double sum = 0, squares = 0;
  int count = 0;
  void add(double v) {
    sum += v;
    squares += v * v;
    ++count;
  }
  double mean() const { return count ? sum / count : 0; }
  double rms() const { return count ? std::sqrt(squares / count) : 0; }
};

// A power spectrum raised by `db` decibels.
std::vector<double> scaledDb(std::vector<double> power, double db) {
  const double g = std::pow(10.0, db / 10);
  for (double& v : power) v *= g;
  return power;
}

}  // namespace

int main(int argc, char** argv) {
  std::string in, voicePath;
  int worst = 10, postFilter = 1, controlShift = -1;
  std::string dump;  // utterance id whose frames are printed band by band
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string k = argv[i];
    if (k == "--in") in = argv[i + 1];
    else if (k == "--voice") voicePath = argv[i + 1];
    else if (k == "--worst") worst = std::atoi(argv[i + 1]);
    else if (k == "--postfilter") postFilter = std::atoi(argv[i + 1]);
    else if (k == "--dump") dump = argv[i + 1];
    else if (k == "--control-shift") controlShift = std::atoi(argv[i + 1]);
  }
  if (in.empty() || voicePath.empty()) {
    std::fprintf(stderr,
                 "usage: voice_resynth --in FOLDER --voice FILE [--worst N] [--postfilter 0|1] [--dump ID]\n"
                 "       [--control-shift SAMPLES]\n");
    return 2;
  }
  try {
    std::ifstream vf(voicePath, std::ios::binary);
    std::vector<uint8_t> db((std::istreambuf_iterator<char>(vf)), std::istreambuf_iterator<char>());
    PhraseVoice* voice = tts::voiceBind(db.data(), db.size(), 0);
    if (!voice) throw std::runtime_error("the engine refuses " + voicePath);
    PhraseTTSCtrl(voice, PTC_RESET, nullptr);
    const PhoneClasses classes = voicePhoneClasses(voice);
    const RecordingSet set = readRecordingSet(in);
    const BuildSettings settings;
    Frames all, sonorant, other, envelope, level, shape, bands, bandsSonorant, bandsOther, wide, wideSonorant,
      wideOther;
    std::vector<std::pair<double, std::string>> perUtterance;
    std::map<std::string, Frames> perPhone;
    Frames levelSonorant, levelOther;
    Spread binMatched;  // signed frame level error by class
    std::vector<Spread> bandSonorant(16), binSonorant(16), binOther(16);
    const int n = 512, hop = 160;
    for (const Utterance& u : set.utterances) {
      const UtteranceAnalysis a = analyseUtterance(u, classes, settings);
      const int segs = static_cast<int>(u.labels.size());
      EngineRendering r = renderThroughEngine(voice, u, a, postFilter, 0);
      std::vector<double>& out = r.samples;
      std::vector<int>& phoneStart = r.phoneStart;
      std::vector<int>& phoneLength = r.phoneLength;
      if (controlShift >= 0) {
        // Control: the recording itself, delayed by controlShift samples, in
        // place of the resynthesis (the distance's floor for a perfect voice).
        out.assign(static_cast<size_t>(controlShift), 0.0);
        out.insert(out.end(), u.samples.begin(), u.samples.end());
        for (size_t s = 0; s < phoneStart.size() && s < u.labels.size(); ++s) {
          phoneStart[s] = u.labels[s].start;
          phoneLength[s] = u.labels[s].end - u.labels[s].start;
        }
      }
      // Frame pairs of the non-silent phones.
      std::vector<std::pair<std::vector<double>, std::vector<double>>> pairs;
      std::vector<int> pairPhone;
      double maxEnergy = 0;
      for (int s = 0; s < static_cast<int>(phoneStart.size()) && s < segs; ++s) {
        const PhoneLabel& l = u.labels[s];
        if (l.phone == "##" || phoneLength[s] <= 0) continue;
        const int frames = std::max(1, (l.end - l.start) / hop);
        for (int j = 0; j < frames; ++j) {
          const double rel = (j + 0.5) / frames;
          const int cs = l.start + static_cast<int>(rel * (l.end - l.start));
          const int co = phoneStart[s] + static_cast<int>(rel * phoneLength[s]);
          pairs.emplace_back(powerSpectrum(u.samples, cs - n / 2, n), powerSpectrum(out, co - n / 2, n));
          pairPhone.push_back(s);
          double e = 0;
          for (double v : pairs.back().first) e += v;
          maxEnergy = std::max(maxEnergy, e);
        }
      }
      // Level offset of the utterance (the voice has its own scale), then distances.
      double offset = 0;
      int used = 0;
      std::vector<bool> keep(pairs.size());
      for (size_t i = 0; i < pairs.size(); ++i) {
        double ea = 0, eb = 0;
        for (double v : pairs[i].first) ea += v;
        for (double v : pairs[i].second) eb += v;
        keep[i] = ea > maxEnergy * 1e-4 && eb > 0;
        if (!keep[i]) continue;
        offset += 10 * std::log10(eb / ea);
        ++used;
      }
      if (used) offset /= used;
      Frames utt;
      for (size_t i = 0; i < pairs.size(); ++i) {
        if (!keep[i]) continue;
        double peak = 0;
        for (double v : pairs[i].first) peak = std::max(peak, v);
        const double d = logSpectralDistance(pairs[i].first, pairs[i].second, peak * 1e-5, offset);
        const std::string& ph = u.labels[pairPhone[i]].phone;
        if (u.id == dump) {
          // 16 bands of 500 Hz: source and resynthesis in dB (level offset removed).
          std::printf("%-3s", ph.c_str());
          for (int band = 0; band < 16; ++band) {
            double ea = 0, eb = 0;
            for (int k = band * 16; k < band * 16 + 16; ++k) {
              ea += pairs[i].first[k];
              eb += pairs[i].second[k];
            }
            std::printf(" %3.0f/%3.0f", 10 * std::log10(ea + 1e-9), 10 * std::log10(eb + 1e-9) - offset);
          }
          std::printf(" | %.1f %.1f\n", d,
                      logSpectralDistance(bandPowers(pairs[i].first, 8), bandPowers(pairs[i].second, 8),
                                          peak * 8e-5, offset));
        }
        const double floor = peak * 1e-5;
        {
          // Where the error lies: per-bin and 500 Hz band differences by band,
          // the resynthesis brought to the recording's level first.
          const std::vector<double> aligned = scaledDb(pairs[i].second, -offset);
          const bool son = classes.sonorant(ph);
          for (int band = 0; band < 16; ++band) {
            double ea = 0, eb = 0;
            for (int k = band * 16 + 1; k < band * 16 + 17; ++k) {
              const double dk = 10 * std::log10((aligned[k] + floor) / (pairs[i].first[k] + floor));
              (son ? binSonorant : binOther)[band].add(dk);
              ea += pairs[i].first[k];
              eb += aligned[k];
            }
            if (son) bandSonorant[band].add(10 * std::log10((eb + floor * 16) / (ea + floor * 16)));
          }
        }
        envelope.sum += logSpectralDistance(smoothEnvelope(pairs[i].first, floor, 30),
                                            smoothEnvelope(scaledDb(pairs[i].second, -offset), floor, 30), 0.0, 0.0);
        ++envelope.count;
        {
          // 250 Hz bands (8 bins of 31.25 Hz).
          const double db = logSpectralDistance(bandPowers(pairs[i].first, 8), bandPowers(pairs[i].second, 8),
                                                floor * 8, offset);
          bands.sum += db;
          ++bands.count;
          Frames& bc = classes.sonorant(u.labels[pairPhone[i]].phone) ? bandsSonorant : bandsOther;
          bc.sum += db;
          ++bc.count;
          // 500 Hz bands (16 bins).
          const double dw = logSpectralDistance(bandPowers(pairs[i].first, 16), bandPowers(pairs[i].second, 16),
                                                floor * 16, offset);
          wide.sum += dw;
          ++wide.count;
          Frames& wc = classes.sonorant(u.labels[pairPhone[i]].phone) ? wideSonorant : wideOther;
          wc.sum += dw;
          ++wc.count;
        }
        {
          double ea = 0, eb = 0;
          for (double v : pairs[i].first) ea += v;
          for (double v : pairs[i].second) eb += v;
          const double frameOffset = 10 * std::log10(eb / ea);
          level.sum += std::fabs(frameOffset - offset);
          Frames& lc = classes.sonorant(ph) ? levelSonorant : levelOther;
          lc.sum += frameOffset - offset;
          ++lc.count;
          ++level.count;
          shape.sum += logSpectralDistance(smoothEnvelope(pairs[i].first, floor, 30),
                                           smoothEnvelope(scaledDb(pairs[i].second, -frameOffset), floor, 30), 0.0,
                                           0.0);
          ++shape.count;
          binMatched.add(logSpectralDistance(pairs[i].first, pairs[i].second, floor, frameOffset));
        }
        utt.sum += d;
        ++utt.count;
        all.sum += d;
        ++all.count;
        Frames& cls = classes.sonorant(ph) ? sonorant : other;
        cls.sum += d;
        ++cls.count;
        perPhone[ph].sum += d;
        ++perPhone[ph].count;
      }
      perUtterance.emplace_back(utt.mean(), u.id);
    }
    std::sort(perUtterance.rbegin(), perUtterance.rend());
    std::printf("utterances %zu, frames %d\n", set.utterances.size(), all.count);
    std::printf("mean log-spectral distance %.2f dB (sonorant phones %.2f dB, other phones %.2f dB)\n", all.mean(),
                sonorant.mean(), other.mean());
    std::printf("mean log-spectral distance over 250 Hz bands %.2f dB (sonorant phones %.2f dB, other phones %.2f dB)\n",
                bands.mean(), bandsSonorant.mean(), bandsOther.mean());
    std::printf("mean log-spectral distance over 500 Hz bands %.2f dB (sonorant phones %.2f dB, other phones %.2f dB)\n",
                wide.mean(), wideSonorant.mean(), wideOther.mean());
    std::printf("mean envelope distance (cepstrum to quefrency 30) %.2f dB\n", envelope.mean());
    std::printf("mean frame level error %.2f dB; envelope distance at matched frame level %.2f dB\n", level.mean(),
                shape.mean());
    std::printf("mean log-spectral distance at matched frame level %.2f dB\n", binMatched.mean());
    std::printf("mean frame level bias: sonorant phones %+.2f dB, other phones %+.2f dB\n", levelSonorant.mean(),
                levelOther.mean());
    std::printf("sonorant phones, 500 Hz bands from 0 Hz, mean/rms dB:");
    for (const Spread& b : bandSonorant) std::printf(" %+.1f/%.1f", b.mean(), b.rms());
    std::printf("\nper-bin rms dB by 500 Hz band, sonorant phones:");
    for (const Spread& b : binSonorant) std::printf(" %.1f", b.rms());
    std::printf("\nper-bin rms dB by 500 Hz band, other phones:");
    for (const Spread& b : binOther) std::printf(" %.1f", b.rms());
    std::printf("\n");
    std::printf("per phone:");
    for (const auto& [ph, f] : perPhone) std::printf(" %s %.1f", ph.c_str(), f.mean());
    std::printf("\nworst utterances:");
    for (int i = 0; i < worst && i < static_cast<int>(perUtterance.size()); ++i)
      std::printf(" %s %.1f", perUtterance[i].second.c_str(), perUtterance[i].first);
    std::printf("\n");
    tts::voiceRelease(voice);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "voice_resynth: %s\n", e.what());
    return 1;
  }
  return 0;
}
