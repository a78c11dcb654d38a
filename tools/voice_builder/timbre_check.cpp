// Timbre check: the utterances of a recording set spoken again through the
// engine (unit decoder, synthesiser and output level control, label durations
// and measured pitch) and measured side by side with the recordings:
//   - harmonic prominence in voiced frames: how far the strongest harmonic up
//     to 1.5 kHz stands above its neighbours (median, share over 12 dB);
//   - level from 4 kHz up relative to 0-0.5 kHz in voiced frames (median);
//   - formant glides: 10-90 % time of the largest single move of the second
//     formant over diphthongs and glides (formant_track.h), median per phone,
//     and the glides whose F2 steps by over 200 Hz within 5 ms in the middle
//     half of the glide phone, where its two units join;
//   - sample-level discontinuities at the joins (phone starts and middles):
//     the steepest step within 2.5 ms of the join over the steepest elsewhere
//     within 10 ms, or two pitch periods when longer; the worst with their phone;
//   - the DC offset.
//   voice_timbre_<lang> --in FOLDER --voice FILE [--limit N] [--glides PHONE,PHONE,...] [--show-glides 1]
// --show-glides 1 lists every glide measured, with both F2 tracks.
//   voice_timbre_<lang> --pho FILE --voice FILE
// The second form measures the joins, DC offset and glides of running text: the
// phrases of a .pho listing (voxa --inspect: phone, ms, then position-% and
// F0 pairs), with the front end's own durations and pitch.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tts_engine.h"
#include "voice_builder/engine_render.h"
#include "voice_builder/formant_track.h"
#include "voice_builder/spectral_distance.h"
#include "voice_builder/timbre_measures.h"

using namespace voxa::voicebuild;

namespace {

constexpr int kWindow = 640;    // 40 ms at 16 kHz
constexpr int kFft = 2048;
constexpr int kGlideHop = 80;   // 5 ms
constexpr double kGlideMinHz = 200;  // smallest F2 move of the reference timed as a glide
constexpr double kGlideStepHz = 200;  // F2 step within 5 ms counted as a jump
constexpr int kJoinReach = 40;     // 2.5 ms either side of a join
constexpr int kJoinContext = 160;  // 10 ms

double median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
  return v[v.size() / 2];
}

double shareOver(const std::vector<double>& v, double limit) {
  if (v.empty()) return 0;
  return 100.0 * static_cast<double>(std::count_if(v.begin(), v.end(), [&](double x) { return x > limit; })) /
         static_cast<double>(v.size());
}

// The worst join discontinuity of an utterance.
struct Jump {
  double ratio = 0;
  int at = 0;
};

// One side of the comparison (engine or reference).
struct Figures {
  std::vector<double> prominence, highBand;
  std::map<std::string, std::vector<double>> glideMs;
  double sum = 0;
  double count = 0;
  std::vector<std::pair<Jump, std::string>> jumps;  // worst join per utterance, "utterance time phone"
  int joins = 0, joinsOver = 0;
  int glides = 0, glideSteps = 0;  // glides timed; those with an F2 step at their middle
};

// The span a glide is timed over in a rendering with phones at starts and
// lengths: a diphthong over its own span, a glide from the middle of the
// sonorant before it to the middle of the sonorant after it. False when
// phone s is no glide or a glide without sonorant neighbours.
bool glideSpan(const std::vector<std::string>& glides, const std::vector<PhoneLabel>& labels,
               const std::function<bool(const std::string&)>& sonorant, const std::vector<int>& starts,
               const std::vector<int>& lengths, int s, int* from, int* to) {
  const int segs = static_cast<int>(std::min(starts.size(), labels.size()));
  if (s >= segs || std::find(glides.begin(), glides.end(), labels[s].phone) == glides.end()) return false;
  *from = starts[s];
  *to = starts[s] + lengths[s];
  if (labels[s].phone.size() > 1) return true;
  if (s == 0 || s + 1 >= segs || !sonorant(labels[s - 1].phone) || !sonorant(labels[s + 1].phone)) return false;
  *from = starts[s - 1] + lengths[s - 1] / 2;
  *to = starts[s + 1] + lengths[s + 1] / 2;
  return true;
}

// Largest F2 change (Hz) from one frame to the next in the middle half of a
// phone (start, length in samples), where its two units join; the track's
// frames are kGlideHop apart from sample `from`.
double middleStep(const std::vector<double>& track, int from, int start, int length) {
  double largest = 0;
  for (size_t k = 0; k + 1 < track.size(); ++k) {
    const int t = from + static_cast<int>(k) * kGlideHop;
    if (4 * (t - start) >= length && 4 * (start + length - t - kGlideHop) >= length)
      largest = std::max(largest, std::fabs(track[k + 1] - track[k]));
  }
  return largest;
}

void printTrack(const char* name, const std::vector<double>& track) {
  std::printf("  %s F2:", name);
  for (double v : track) std::printf(" %.0f", v);
  std::printf("\n");
}

// Discontinuities at the joins of one rendering: every phone start and
// phone middle (where the engine joins units), worst kept per utterance.
// periods: the pitch period (samples, 0 unvoiced) at each phone's start and
// middle, two entries per phone. The surroundings a join is held against
// span at least two pitch periods beyond the join's reach: at a low pitch a
// 10 ms context may hold no glottal pulse but the one at the join.
void addJoins(Figures& f, const std::vector<double>& x, const std::vector<int>& starts,
              const std::vector<int>& lengths, const std::vector<PhoneLabel>& labels, const std::string& id,
              int rate, const std::vector<int>& periods) {
  double loudest = 0;
  for (size_t i = 1; i < x.size(); ++i) loudest = std::max(loudest, std::fabs(x[i] - x[i - 1]));
  Jump worst;
  std::string where;
  for (size_t s = 0; s < starts.size() && s < labels.size(); ++s) {
    if (labels[s].phone == "##") continue;
    for (const int half : {0, 1}) {
      const int t = starts[s] + half * (lengths[s] / 2);
      const int period = 2 * s + half < periods.size() ? periods[2 * s + half] : 0;
      const double ratio =
          joinDiscontinuity(x, t, kJoinReach, std::max(kJoinContext, kJoinReach + 2 * period), loudest * 0.02);
      if (ratio > 3) ++f.joinsOver;
      ++f.joins;
      if (ratio <= worst.ratio) continue;
      worst = {ratio, t};
      char text[96];
      std::snprintf(text, sizeof text, "%s %.3f s %s%s%s", id.c_str(), static_cast<double>(t) / rate,
                    s > 0 && t == starts[s] ? labels[s - 1].phone.c_str() : "",
                    s > 0 && t == starts[s] ? "-" : "", labels[s].phone.c_str());
      where = text;
    }
  }
  f.jumps.emplace_back(worst, where);
}

// Joins and DC offset of the phrases of a .pho listing.
void checkPho(PhraseVoice* voice, const std::string& path, const std::vector<std::string>& glides, bool showGlides) {
  std::ifstream f(path);
  if (!f) throw std::runtime_error("cannot read " + path);
  const int rate = voice->voiceRate;
  Figures engine;
  std::map<std::string, std::vector<double>> glideSpanMs;
  std::map<std::string, int> glideSteps;  // glides with an F2 step where their units join
  double seconds = 0;
  int phrases = 0;
  std::vector<PhoneLabel> labels;
  std::vector<uint8_t> phones, durations;
  std::vector<int32_t> pitch;
  auto flush = [&]() {
    if (labels.empty()) return;
    phones.resize(labels.size() + 2, 0);
    durations.resize(labels.size() + 2, 0);
    pitch.resize(4 * (labels.size() + 2), rate / std::max(voice->f0Mean, 1));
    const EngineRendering r = renderSegments(voice, phones, durations, pitch, 1, 1);
    ++phrases;
    std::vector<int> periods;
    for (size_t i = 0; i < labels.size(); ++i) {
      const bool voiced = voice->phoneIsSonorant(phones[i]) != 0;
      periods.push_back(voiced ? pitch[4 * i] : 0);
      periods.push_back(voiced ? pitch[4 * i + 2] : 0);
    }
    addJoins(engine, r.samples, r.phoneStart, r.phoneLength, labels, "phrase " + std::to_string(phrases), rate,
             periods);
    const PhoneClasses classes = voicePhoneClasses(voice);
    for (int s = 0; s < static_cast<int>(labels.size()); ++s) {
      int from = 0, to = 0;
      if (!glideSpan(glides, labels, classes.sonorant, r.phoneStart, r.phoneLength, s, &from, &to)) continue;
      const std::vector<double> track = secondFormantTrack(r.samples, rate, from, to, kGlideHop);
      const Glide g = formantGlide(track, GlidePart::kLargest, kGlideMinHz);
      const double ms = std::max(g.steps, 0.0) * 1000.0 * kGlideHop / rate;
      engine.glideMs[labels[s].phone].push_back(ms);
      glideSpanMs[labels[s].phone].push_back(1000.0 * (to - from) / rate);
      glideSteps[labels[s].phone] +=
          middleStep(track, from, r.phoneStart[s], r.phoneLength[s]) > kGlideStepHz ? 1 : 0;
      if (showGlides) {
        std::printf("glide phrase %d %s at %.3f s: %.0f ms of %.0f ms (%+.0f Hz); phones", phrases,
                    labels[s].phone.c_str(), static_cast<double>(from) / rate, ms, 1000.0 * (to - from) / rate,
                    g.change);
        for (int k = std::max(0, s - 1); k <= s + 1 && k < static_cast<int>(r.phoneStart.size()); ++k)
          std::printf(" %s from %.3f s", labels[k].phone.c_str(), static_cast<double>(r.phoneStart[k]) / rate);
        std::printf("\n");
        printTrack("engine", track);
      }
    }
    for (double v : r.samples) engine.sum += v;
    engine.count += static_cast<double>(r.samples.size());
    seconds += static_cast<double>(r.samples.size()) / rate;
    labels.clear();
    phones.clear();
    durations.clear();
    pitch.clear();
  };
  for (std::string line; std::getline(f, line);) {
    if (line.rfind("; phrase", 0) == 0) flush();
    if (line.empty() || line[0] == ';') continue;
    std::istringstream ls(line);
    PhoneLabel l;
    int ms = 0;
    if (!(ls >> l.phone >> ms)) continue;
    labels.push_back(l);
    phones.push_back(static_cast<uint8_t>(voice->phoneIndex(l.phone.c_str())));
    durations.push_back(static_cast<uint8_t>(std::clamp((ms * 1024 + 500) / 1000, 0, 250)));
    int32_t periods[4] = {0, 0, 0, 0};
    for (int pct = 0, hz = 0; ls >> pct >> hz;)
      if (pct >= 0 && pct < 100 && hz > 0) periods[pct / 25] = (rate + hz / 2) / hz;
    for (int q = 0; q < 4; ++q) {
      if (periods[q] == 0) periods[q] = q > 0 ? periods[q - 1] : rate / std::max(voice->f0Mean, 1);
      pitch.push_back(periods[q]);
    }
  }
  flush();
  std::printf("%s: %d phrases, %.1f s, DC offset %.1f sample units\n", path.c_str(), phrases, seconds,
              engine.count ? engine.sum / engine.count : 0);
  std::sort(engine.jumps.begin(), engine.jumps.end(),
            [](const auto& a, const auto& b) { return a.first.ratio > b.first.ratio; });
  std::printf("joins whose steepest step is over 3x the steepest within 10 ms (two pitch periods when longer): %d of %d;"
              " worst:",
              engine.joinsOver, engine.joins);
  for (size_t i = 0; i < 5 && i < engine.jumps.size(); ++i)
    std::printf(" %.1f (%s)%s", engine.jumps[i].first.ratio, engine.jumps[i].second.c_str(), i < 4 ? "," : "");
  std::printf("\n");
  for (const auto& [phone, ms] : engine.glideMs)
    std::printf("F2 glide '%s' (%zu): 10-90 %% time median %.0f ms of a %.0f ms span (0 where F2 moves under %.0f Hz);"
                " %d step over %.0f Hz in 5 ms where the units join\n",
                phone.c_str(), ms.size(), median(ms), median(glideSpanMs[phone]), kGlideMinHz, glideSteps[phone],
                kGlideStepHz);
}

}  // namespace

int main(int argc, char** argv) {
  std::string in, voicePath, pho, glideList = "ai,au,ei,eu,oi,ou,j,w";
  int limit = 0;
  bool showGlides = false;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string k = argv[i];
    if (k == "--in") in = argv[i + 1];
    else if (k == "--voice") voicePath = argv[i + 1];
    else if (k == "--limit") limit = std::atoi(argv[i + 1]);
    else if (k == "--glides") glideList = argv[i + 1];
    else if (k == "--pho") pho = argv[i + 1];
    else if (k == "--show-glides") showGlides = std::atoi(argv[i + 1]) != 0;
  }
  if ((in.empty() && pho.empty()) || voicePath.empty()) {
    std::fprintf(stderr,
                 "usage: voice_timbre --in FOLDER --voice FILE [--limit N] [--glides PHONE,...] [--show-glides 1]\n"
                 "       voice_timbre --pho FILE --voice FILE\n");
    return 2;
  }
  std::vector<std::string> glides;
  {
    std::stringstream ss(glideList);
    for (std::string g; std::getline(ss, g, ',');)
      if (!g.empty()) glides.push_back(g);
  }
  try {
    std::ifstream vf(voicePath, std::ios::binary);
    std::vector<uint8_t> db((std::istreambuf_iterator<char>(vf)), std::istreambuf_iterator<char>());
    PhraseVoice* voice = tts::voiceBind(db.data(), db.size(), 0);
    if (!voice) throw std::runtime_error("the engine refuses " + voicePath);
    PhraseTTSCtrl(voice, PTC_RESET, nullptr);
    if (!pho.empty()) {
      checkPho(voice, pho, glides, showGlides);
      tts::voiceRelease(voice);
      return 0;
    }
    const PhoneClasses classes = voicePhoneClasses(voice);
    RecordingSet set = readRecordingSet(in);
    if (limit > 0 && static_cast<int>(set.utterances.size()) > limit) set.utterances.resize(limit);
    const BuildSettings settings;
    Figures engine, reference;
    for (const Utterance& u : set.utterances) {
      const UtteranceAnalysis a = analyseUtterance(u, classes, settings);
      const EngineRendering r = renderThroughEngine(voice, u, a, 1, 1);
      const double binHz = static_cast<double>(u.rate) / kFft;
      const int segs = std::min(static_cast<int>(r.phoneStart.size()), static_cast<int>(u.labels.size()));
      std::vector<int> labelStarts;
      std::vector<int> labelLengths;
      for (const PhoneLabel& l : u.labels) {
        labelStarts.push_back(l.start);
        labelLengths.push_back(l.end - l.start);
      }
      for (int s = 0; s < segs; ++s) {
        const PhoneLabel& l = u.labels[s];
        if (r.phoneLength[s] <= 0 || !classes.sonorant(l.phone)) continue;
        // Voiced frames every 10 ms at matching relative times.
        const int frames = std::max(1, (l.end - l.start) / 160);
        for (int j = 0; j < frames; ++j) {
          const double rel = (j + 0.5) / frames;
          const int cs = l.start + static_cast<int>(rel * (l.end - l.start));
          const int co = r.phoneStart[s] + static_cast<int>(rel * r.phoneLength[s]);
          size_t p = 0;
          while (p + 2 < a.bounds.size() && a.bounds[p + 1] <= cs) ++p;
          if (p >= a.voiced.size() || !a.voiced[p]) continue;
          const int period = measuredPeriod(a, cs, u.rate / 50);
          if (period <= 0) continue;
          const double f0 = static_cast<double>(u.rate) / period;
          const std::vector<double> ps = paddedPowerSpectrum(u.samples, cs - kWindow / 2, kWindow, kFft);
          const std::vector<double> po = paddedPowerSpectrum(r.samples, co - kWindow / 2, kWindow, kFft);
          reference.prominence.push_back(harmonicProminenceDb(ps, binHz, f0, 1500));
          engine.prominence.push_back(harmonicProminenceDb(po, binHz, f0, 1500));
          reference.highBand.push_back(highBandLevelDb(ps, binHz));
          engine.highBand.push_back(highBandLevelDb(po, binHz));
        }
        int fs = 0, ts = 0, fo = 0, to = 0;
        if (!glideSpan(glides, u.labels, classes.sonorant, labelStarts, labelLengths, s, &fs, &ts) ||
            !glideSpan(glides, u.labels, classes.sonorant, r.phoneStart, r.phoneLength, s, &fo, &to))
          continue;
        // The engine's F2 is timed over the same part of its track as the
        // reference's largest move; an engine that does not move there counts 0.
        const double stepMs = 1000.0 * kGlideHop / u.rate;
        const std::vector<double> ts2 = secondFormantTrack(u.samples, u.rate, fs, ts, kGlideHop);
        const Glide gs = formantGlide(ts2, GlidePart::kLargest, kGlideMinHz);
        if (gs.steps < 0) continue;  // the reference does not glide here
        const std::vector<double> to2 = secondFormantTrack(r.samples, u.rate, fo, to, kGlideHop);
        const Glide go = formantGlide(to2, gs.part, kGlideMinHz / 4);
        reference.glideMs[l.phone].push_back(gs.steps * stepMs);
        engine.glideMs[l.phone].push_back(std::max(go.steps, 0.0) * stepMs);
        ++engine.glides;
        if (middleStep(to2, fo, r.phoneStart[s], r.phoneLength[s]) > kGlideStepHz) ++engine.glideSteps;
        if (middleStep(ts2, fs, l.start, l.end - l.start) > kGlideStepHz) ++reference.glideSteps;
        if (showGlides) {
          std::printf("glide %s %s at %.3f s: engine %.0f ms, reference %.0f ms (%+.0f Hz)\n", u.id.c_str(),
                      l.phone.c_str(), static_cast<double>(fs) / u.rate, std::max(go.steps, 0.0) * stepMs,
                      gs.steps * stepMs, gs.change);
          printTrack("engine", to2);
          printTrack("reference", ts2);
        }
      }
      for (double v : r.samples) engine.sum += v;
      engine.count += static_cast<double>(r.samples.size());
      for (double v : u.samples) reference.sum += v;
      reference.count += static_cast<double>(u.samples.size());
      std::vector<int> periods;
      for (const PhoneLabel& l : u.labels)
        for (const int t : {l.start, (l.start + l.end) / 2})
          periods.push_back(classes.sonorant(l.phone) ? measuredPeriod(a, t, u.rate / 50) : 0);
      addJoins(engine, r.samples, r.phoneStart, r.phoneLength, u.labels, u.id, u.rate, periods);
      addJoins(reference, u.samples, labelStarts, labelLengths, u.labels, u.id, u.rate, periods);
    }
    std::printf("utterances %zu, voiced frames %zu\n", set.utterances.size(), engine.prominence.size());
    std::printf("%-58s %9s %9s\n", "", "engine", "reference");
    std::printf("%-58s %9.1f %9.1f\n", "harmonic prominence up to 1.5 kHz, median dB", median(engine.prominence),
                median(reference.prominence));
    std::printf("%-58s %9.1f %9.1f\n", "voiced frames with prominence over 12 dB, %", shareOver(engine.prominence, 12),
                shareOver(reference.prominence, 12));
    std::printf("%-58s %9.1f %9.1f\n", "level 4-8 kHz re 0-0.5 kHz in voiced frames, median dB",
                median(engine.highBand), median(reference.highBand));
    std::printf("%-58s %9.1f %9.1f\n", "DC offset, sample units", engine.count ? engine.sum / engine.count : 0,
                reference.count ? reference.sum / reference.count : 0);
    for (const auto& [phone, ms] : reference.glideMs)
      std::printf("F2 glide '%s' (%zu), 10-90 %% time, median ms %*s %9.0f %9.0f\n", phone.c_str(), ms.size(),
                  static_cast<int>(26 - phone.size()), "", median(engine.glideMs[phone]), median(ms));
    std::printf("%-58s %9d %9d\n", "glides with an F2 step over 200 Hz per 5 ms mid-glide", engine.glideSteps,
                reference.glideSteps);
    for (Figures* f : {&engine, &reference}) {
      std::sort(f->jumps.begin(), f->jumps.end(),
                [](const auto& a, const auto& b) { return a.first.ratio > b.first.ratio; });
      std::printf("%s: joins whose steepest step is over 3x the steepest within 10 ms (two pitch periods when longer): %d of %d; worst:",
                  f == &engine ? "engine" : "reference", f->joinsOver, f->joins);
      for (size_t i = 0; i < 5 && i < f->jumps.size(); ++i)
        std::printf(" %.1f (%s)%s", f->jumps[i].first.ratio, f->jumps[i].second.c_str(), i < 4 ? "," : "");
      std::printf("\n");
    }
    tts::voiceRelease(voice);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "voice_timbre: %s\n", e.what());
    return 1;
  }
  return 0;
}
