// SPDX-License-Identifier: GPL-3.0-or-later (see NOTICE and LICENSE in this folder)
// Carrier-word corpus and phone labels of the reference speaker: the carrier
// words that place every target diphone in a stable context, their eSpeak NG
// phoneme input, and the alignment of eSpeak NG's phoneme events to the
// intended phones.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "espeak_phones.h"

namespace refspeaker {

using Diphone = std::pair<std::string, std::string>;  // phone-set names

// Parses "a-b" (the second phone may itself hold no '-': names split at the
// first '-' that leaves two non-empty names, "##" counted as one name).
bool parseDiphone(const std::string& text, Diphone* out);

// One carrier word, spoken alone between silences.
struct Carrier {
  std::vector<std::string> phones;  // the word's phones, no silences
  std::vector<Diphone> covers;      // the target diphones it is meant to hold
  bool leftSilence = false;         // its first phone follows the silence on purpose
  bool rightSilence = false;        // its last phone precedes the silence on purpose
};

struct CorpusOptions {
  int maxPhones = 8;     // longest run of target phones in one carrier (pads excluded)
  int maxConsonants = 2; // longest consonant run inside a carrier
  int maxVowels = 2;     // longest vowel run inside a carrier
};

// Builds carriers covering every target except "##-##" (a silence unit:
// `silencePair` tells whether it was asked for). Unknown phone names are
// returned in `unknown` and left out.
std::vector<Carrier> buildCarriers(const LanguageMap& map, const std::vector<Diphone>& targets,
                                   const CorpusOptions& options, bool* silencePair,
                                   std::vector<std::string>* unknown);

// One carrier per target diphone, padded with neutral phones: used again for
// the targets of a carrier that eSpeak NG did not say as asked.
std::vector<Carrier> singleCarriers(const LanguageMap& map, const std::vector<Diphone>& targets);

// Whether phone i of a word is followed by a consonant or by the word's end.
bool beforeConsonant(const LanguageMap& map, const std::vector<std::string>& phones, size_t i);

// eSpeak NG phoneme input for a carrier: "[[" mnemonics "]]", separated by
// '|' so that neighbours never merge into another phoneme, primary stress on
// the vowel nearest the middle.
std::string espeakInput(const LanguageMap& map, const Carrier& carrier);

// A phoneme event: mnemonic and first sample at the synthesiser's rate.
struct PhonemeEvent {
  std::string mnemonic;
  int64_t sample;
};

// A labelled stretch [start, end) in samples.
struct Segment {
  std::string phone;
  int64_t start;
  int64_t end;
};

// Aligns the events of one utterance (`total` samples) to the carrier's
// phones: a leading "##", one segment per phone, a trailing "##", contiguous
// from 0 to total. Empty with `error` set when the events do not say the phones.
std::vector<Segment> alignEvents(const LanguageMap& map, const std::vector<std::string>& phones,
                                 const std::vector<PhonemeEvent>& events, int64_t total, std::string* error);

// Converts segments from `fromRate` to `toRate` samples and adds `pad` samples
// of silence at both ends (the first and last "##" grow): contiguous from 0 to
// `totalOut`. Empty when a segment would vanish.
std::vector<Segment> rescaleSegments(const std::vector<Segment>& segments, int fromRate, int toRate, int64_t pad,
                                     int64_t totalOut);

// Moves the start of each stop or affricate back over the quiet closure at
// the end of the segment before it (5 ms frames whose RMS is below a tenth of
// that segment's median frame RMS), leaving that segment at least 30 % of its
// length and 10 ms. Silence segments before a stop are left alone.
void moveStopsToClosure(const LanguageMap& map, const std::vector<short>& samples, int rate,
                        std::vector<Segment>& segments);

// The diphones of a labelled utterance, in order.
std::vector<Diphone> diphonesOf(const std::vector<Segment>& segments);

}  // namespace refspeaker
