// reference_sentences: speaks plain-text sentences with eSpeak NG and writes
// the phone boundaries of its phoneme events, mapped to the engine's phone
// set, for the duration trainer. No audio is written.
//
// SPDX-License-Identifier: GPL-3.0-or-later (see NOTICE and LICENSE in this folder)
//
//   reference_sentences --lang es|pl|tr --sentences FILE --out FILE [--rate WPM]
//
// Output (text): "rate <Hz>", then per input line "S <line index>" followed by
// one line per phone: "<start sample> <end sample> <phone>[|<phone>...]",
// where the extra phones are those eSpeak NG may say the mnemonic for (its
// voicing assimilations). "##" is a pause; "?" a mnemonic without a phone.
#include <espeak-ng/speak_lib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "carrier_corpus.h"
#include "espeak_phones.h"

namespace {

struct Capture {
  std::vector<refspeaker::PhonemeEvent> events;
  int64_t samples = 0;
};

Capture* gCapture = nullptr;  // the synth callback has no user pointer in synchronous mode

int collect(short* /*wav*/, int count, espeak_EVENT* event) {
  if (gCapture == nullptr) return 1;
  for (; event != nullptr && event->type != espeakEVENT_LIST_TERMINATED; ++event) {
    if (event->type != espeakEVENT_PHONEME) continue;
    char name[9];
    std::memcpy(name, event->id.string, 8);
    name[8] = '\0';
    gCapture->events.push_back({name, event->sample});
  }
  if (count > 0) gCapture->samples += count;
  return 0;
}

struct Span {
  std::string label;  // phone, with "|"-separated alternatives
  int64_t start;
};

// The label of one mnemonic: its phone and the phones it may substitute.
std::string labelOf(const refspeaker::LanguageMap& map, const std::string& mnemonic, const char* phone) {
  std::string label = phone;
  for (int i = 0; i < map.substituteCount; ++i)
    if (mnemonic == map.substitutes[i].mnemonic) label += std::string("|") + map.substitutes[i].phone;
  return label;
}

int usage() {
  std::fprintf(stderr, "usage: reference_sentences --lang es|pl|tr --sentences FILE --out FILE [--rate WPM]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string code, sentencesPath, outPath;
  int rate = 130;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return usage();
    const std::string value = argv[++i];
    if (arg == "--lang") code = value;
    else if (arg == "--sentences") sentencesPath = value;
    else if (arg == "--out") outPath = value;
    else if (arg == "--rate") rate = std::atoi(value.c_str());
    else return usage();
  }
  const refspeaker::LanguageMap* map = refspeaker::findLanguageMap(code);
  if (map == nullptr || sentencesPath.empty() || outPath.empty()) return usage();
  std::ifstream in(sentencesPath);
  if (!in) {
    std::fprintf(stderr, "reference_sentences: cannot read %s\n", sentencesPath.c_str());
    return 1;
  }
  const int synthRate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_PHONEME_EVENTS);
  if (synthRate <= 0 || espeak_SetVoiceByName(map->voice) != EE_OK) {
    std::fprintf(stderr, "reference_sentences: eSpeak NG voice %s not available\n", map->voice);
    return 1;
  }
  espeak_SetSynthCallback(collect);
  espeak_SetParameter(espeakRATE, rate, 0);
  espeak_SetParameter(espeakWORDGAP, 0, 0);

  FILE* out = std::fopen(outPath.c_str(), "w");
  if (out == nullptr) {
    std::fprintf(stderr, "reference_sentences: cannot write %s\n", outPath.c_str());
    return 1;
  }
  std::fprintf(out, "rate %d\n", synthRate);
  std::string line;
  int index = 0;
  for (; std::getline(in, line); ++index) {
    std::fprintf(out, "S %d\n", index);
    if (line.empty()) continue;
    Capture capture;
    gCapture = &capture;
    espeak_Synth(line.c_str(), line.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
    espeak_Synchronize();
    gCapture = nullptr;
    std::vector<Span> spans;
    for (const auto& e : capture.events) {
      const char* phone = refspeaker::phoneOfMnemonic(*map, e.mnemonic);
      if (phone != nullptr && phone[0] == '\0') continue;  // part of the phone before it
      if (phone == nullptr) phone = "?";
      if (std::strcmp(phone, "##") == 0 && !spans.empty() && spans.back().label == "##") continue;
      spans.push_back({labelOf(*map, e.mnemonic, phone), e.sample});
    }
    for (size_t k = 0; k < spans.size(); ++k) {
      const int64_t end = k + 1 < spans.size() ? spans[k + 1].start : capture.samples;
      std::fprintf(out, "%lld %lld %s\n", static_cast<long long>(spans[k].start), static_cast<long long>(end),
                   spans[k].label.c_str());
    }
  }
  std::fclose(out);
  std::fprintf(stderr, "reference_sentences: %d sentences\n", index);
  return 0;
}
