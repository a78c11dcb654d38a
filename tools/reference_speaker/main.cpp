// reference_speaker: renders a carrier-word corpus with eSpeak NG's formant
// voices and writes a labelled recording set for the voice builder.
//
// SPDX-License-Identifier: GPL-3.0-or-later (see NOTICE and LICENSE in this folder)
//
//   reference_speaker --lang es|pl|tr --targets targets.txt --out DIR
//                     [--rate WPM] [--pitch 0..100] [--max-phones N] [--pad-ms MS]
//
// Writes DIR/manifest.txt, DIR/<id>.wav (16 kHz mono 16-bit), DIR/<id>.lab
// ("<start> <end> <phone>" per line), DIR/<id>.txt, DIR/targets.txt and
// DIR/labels_summary.txt, and exits non-zero when a target diphone is in no
// utterance.
#include <espeak-ng/speak_lib.h>
#include <sndfile.h>
#include <speex/speex_resampler.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "carrier_corpus.h"
#include "espeak_phones.h"

namespace {

constexpr int kOutputRate = 16000;

struct Capture {
  std::vector<short> samples;
  std::vector<refspeaker::PhonemeEvent> events;
};

Capture* gCapture = nullptr;  // the synth callback has no user pointer in synchronous mode

int collect(short* wav, int count, espeak_EVENT* event) {
  if (gCapture == nullptr) return 1;
  for (; event != nullptr && event->type != espeakEVENT_LIST_TERMINATED; ++event) {
    if (event->type != espeakEVENT_PHONEME) continue;
    char name[9];
    std::memcpy(name, event->id.string, 8);
    name[8] = '\0';
    gCapture->events.push_back({name, event->sample});
  }
  if (wav != nullptr && count > 0) gCapture->samples.insert(gCapture->samples.end(), wav, wav + count);
  return 0;
}

// Resamples to 16 kHz with the speexdsp resampler (quality 10), latency removed.
std::vector<short> resample(const std::vector<short>& in, int fromRate) {
  const int64_t outLength = (static_cast<int64_t>(in.size()) * kOutputRate + fromRate / 2) / fromRate;
  std::vector<short> out;
  int err = 0;
  SpeexResamplerState* st = speex_resampler_init(1, fromRate, kOutputRate, 10, &err);
  if (st == nullptr) return out;
  speex_resampler_skip_zeros(st);
  std::vector<short> input = in;
  input.resize(in.size() + speex_resampler_get_input_latency(st) + 64, 0);  // flushes the filter
  out.resize(static_cast<size_t>(outLength) + 256);
  spx_uint32_t inLen = static_cast<spx_uint32_t>(input.size());
  spx_uint32_t outLen = static_cast<spx_uint32_t>(out.size());
  speex_resampler_process_int(st, 0, input.data(), &inLen, out.data(), &outLen);
  speex_resampler_destroy(st);
  out.resize(outLen);
  out.resize(static_cast<size_t>(outLength), 0);
  return out;
}

bool writeWav(const std::string& path, const std::vector<short>& samples) {
  SF_INFO info{};
  info.samplerate = kOutputRate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
  if (f == nullptr) return false;
  const sf_count_t written = sf_write_short(f, samples.data(), static_cast<sf_count_t>(samples.size()));
  sf_close(f);
  return written == static_cast<sf_count_t>(samples.size());
}

bool writeLabels(const std::string& path, const std::vector<refspeaker::Segment>& segments) {
  FILE* f = std::fopen(path.c_str(), "w");
  if (f == nullptr) return false;
  for (const auto& s : segments)
    std::fprintf(f, "%lld %lld %s\n", static_cast<long long>(s.start), static_cast<long long>(s.end),
                 s.phone.c_str());
  return std::fclose(f) == 0;
}

bool writeText(const std::string& path, const std::string& text) {
  FILE* f = std::fopen(path.c_str(), "w");
  if (f == nullptr) return false;
  std::fputs(text.c_str(), f);
  return std::fclose(f) == 0;
}

int usage() {
  std::fprintf(stderr,
               "usage: reference_speaker --lang es|pl|tr --targets FILE --out DIR [--rate WPM] [--pitch 0..100] "
               "[--max-phones N] [--pad-ms MS]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string code, targetsPath, outDir;
  int rate = 130, pitch = 70, padMs = 60;  // 130 wpm; pitch 70 gives a flat F0 of about 111 Hz
  refspeaker::CorpusOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return usage();
    const std::string value = argv[++i];
    if (arg == "--lang") code = value;
    else if (arg == "--targets") targetsPath = value;
    else if (arg == "--out") outDir = value;
    else if (arg == "--rate") rate = std::atoi(value.c_str());
    else if (arg == "--pitch") pitch = std::atoi(value.c_str());
    else if (arg == "--max-phones") options.maxPhones = std::atoi(value.c_str());
    else if (arg == "--pad-ms") padMs = std::atoi(value.c_str());
    else return usage();
  }
  const refspeaker::LanguageMap* map = refspeaker::findLanguageMap(code);
  if (map == nullptr || targetsPath.empty() || outDir.empty()) return usage();

  std::vector<refspeaker::Diphone> targets;
  std::vector<std::string> targetLines;
  {
    std::ifstream in(targetsPath);
    if (!in) {
      std::fprintf(stderr, "reference_speaker: cannot read %s\n", targetsPath.c_str());
      return 1;
    }
    std::string line;
    while (std::getline(in, line)) {
      if (line.empty()) continue;
      refspeaker::Diphone d;
      if (!refspeaker::parseDiphone(line, &d)) {
        std::fprintf(stderr, "reference_speaker: bad target line '%s'\n", line.c_str());
        return 1;
      }
      targets.push_back(d);
      targetLines.push_back(line);
    }
  }

  bool silencePair = false;
  std::vector<std::string> unknown;
  std::vector<refspeaker::Carrier> carriers =
      refspeaker::buildCarriers(*map, targets, options, &silencePair, &unknown);
  for (const auto& u : unknown) std::fprintf(stderr, "reference_speaker: no eSpeak NG phoneme for phone %s\n", u.c_str());

  const int synthRate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_PHONEME_EVENTS);
  if (synthRate <= 0 || espeak_SetVoiceByName(map->voice) != EE_OK) {
    std::fprintf(stderr, "reference_speaker: eSpeak NG voice %s not available\n", map->voice);
    return 1;
  }
  espeak_SetSynthCallback(collect);
  espeak_SetParameter(espeakRATE, rate, 0);
  espeak_SetParameter(espeakPITCH, pitch, 0);
  espeak_SetParameter(espeakRANGE, 0, 0);
  espeak_SetParameter(espeakWORDGAP, 0, 0);

  const int64_t pad = static_cast<int64_t>(padMs) * kOutputRate / 1000;
  std::vector<std::string> manifest;
  std::set<refspeaker::Diphone> covered;
  std::map<std::string, std::vector<int64_t>> durations;  // per phone, samples
  int failures = 0, retried = 0;
  auto emit = [&](const std::string& id, const std::vector<short>& audio, const std::vector<refspeaker::Segment>& segs,
                  const std::string& text) {
    if (!writeWav(outDir + "/" + id + ".wav", audio) || !writeLabels(outDir + "/" + id + ".lab", segs) ||
        !writeText(outDir + "/" + id + ".txt", text)) {
      std::fprintf(stderr, "reference_speaker: cannot write %s in %s\n", id.c_str(), outDir.c_str());
      std::exit(1);
    }
    manifest.push_back(id);
    for (const auto& d : refspeaker::diphonesOf(segs)) covered.insert(d);
    for (const auto& s : segs) durations[s.phone].push_back(s.end - s.start);
  };

  for (size_t k = 0; k < carriers.size(); ++k) {
    const refspeaker::Carrier& carrier = carriers[k];
    const std::string input = refspeaker::espeakInput(*map, carrier);
    Capture capture;
    gCapture = &capture;
    espeak_Synth(input.c_str(), input.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8 | espeakPHONEMES, nullptr,
                 nullptr);
    espeak_Synchronize();
    gCapture = nullptr;
    std::string error;
    const auto segs = refspeaker::alignEvents(*map, carrier.phones, capture.events,
                                              static_cast<int64_t>(capture.samples.size()), &error);
    std::vector<short> audio = resample(capture.samples, synthRate);
    std::vector<short> padded(static_cast<size_t>(pad), 0);
    padded.insert(padded.end(), audio.begin(), audio.end());
    padded.resize(padded.size() + static_cast<size_t>(pad), 0);
    auto labels = segs.empty() ? std::vector<refspeaker::Segment>()
                               : refspeaker::rescaleSegments(segs, synthRate, kOutputRate, pad,
                                                             static_cast<int64_t>(padded.size()));
    refspeaker::moveStopsToClosure(*map, padded, kOutputRate, labels);
    if (labels.empty()) {
      std::string said;
      for (const auto& e : capture.events) said += e.mnemonic + " ";
      std::fprintf(stderr, "reference_speaker: %s %s: %s (said: %s)\n", code.c_str(), input.c_str(),
                   error.empty() ? "labels collapse" : error.c_str(), said.c_str());
      ++failures;
      if (carrier.covers.size() > 1 || !carrier.leftSilence || !carrier.rightSilence) {
        // Say its diphones again one per carrier.
        const auto singles = refspeaker::singleCarriers(*map, carrier.covers);
        if (carrier.covers.size() > 1) {
          carriers.insert(carriers.end(), singles.begin(), singles.end());
          ++retried;
        }
      }
      continue;
    }
    char id[32];
    std::snprintf(id, sizeof id, "%s_%04zu", code.c_str(), manifest.size() + 1);
    std::string text = input + "\n";
    for (const auto& p : carrier.phones) text += p + " ";
    text += "\n";
    emit(id, padded, labels, text);
  }
  if (silencePair) {
    // A stretch of silence labelled as two silences: the silence-silence unit.
    const std::vector<short> quiet(static_cast<size_t>(4 * pad), 0);
    const std::vector<refspeaker::Segment> segs = {{"##", 0, 2 * pad}, {"##", 2 * pad, 4 * pad}};
    char id[32];
    std::snprintf(id, sizeof id, "%s_%04zu", code.c_str(), manifest.size() + 1);
    emit(id, quiet, segs, "(silence)\n## ##\n");
  }
  espeak_Terminate();

  std::string list;
  for (const auto& id : manifest) list += id + "\n";
  std::string targetsText;
  for (const auto& line : targetLines) targetsText += line + "\n";
  if (!writeText(outDir + "/manifest.txt", list) || !writeText(outDir + "/targets.txt", targetsText)) {
    std::fprintf(stderr, "reference_speaker: cannot write the manifest in %s\n", outDir.c_str());
    return 1;
  }
  // Label summary: per phone, segments and their shortest, median and longest length in ms.
  std::string summary = "# phone segments min_ms median_ms max_ms\n";
  for (auto& entry : durations) {
    auto& d = entry.second;
    std::sort(d.begin(), d.end());
    char row[96];
    std::snprintf(row, sizeof row, "%s %zu %lld %lld %lld\n", entry.first.c_str(), d.size(),
                  static_cast<long long>(d.front() * 1000 / kOutputRate),
                  static_cast<long long>(d[d.size() / 2] * 1000 / kOutputRate),
                  static_cast<long long>(d.back() * 1000 / kOutputRate));
    summary += row;
  }
  if (!writeText(outDir + "/labels_summary.txt", summary)) return 1;
  int missing = 0;
  for (const auto& t : targets)
    if (!covered.count(t)) {
      std::fprintf(stderr, "reference_speaker: missing diphone %s-%s\n", t.first.c_str(), t.second.c_str());
      ++missing;
    }
  std::printf("%s: %zu targets, %zu utterances, %d carriers not said as asked (%d split), %d diphones missing\n",
              code.c_str(), targets.size(), manifest.size(), failures, retried, missing);
  return missing == 0 ? 0 : 1;
}
