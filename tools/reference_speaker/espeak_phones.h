// SPDX-License-Identifier: GPL-3.0-or-later (see NOTICE and LICENSE in this folder)
// Correspondence between eSpeak NG's phoneme mnemonics and the engine's phone
// sets, per language: which mnemonics render each phone, and which phone each
// mnemonic that eSpeak NG reports in its phoneme events stands for.
#pragma once
#include <string>
#include <vector>

namespace refspeaker {

// One phone of a phone set and how eSpeak NG says it.
struct PhoneRender {
  const char* phone;   // phone-set name
  bool vowel;          // the phone set's "vc" is "+"
  const char* render;  // eSpeak NG mnemonics, space-separated (one per event); "" for silence
  const char* renderBeforeConsonant = nullptr;  // used instead before a consonant or silence; null: render
};

// An eSpeak NG mnemonic as reported in phoneme events and the phone it labels.
// A null phone marks a mnemonic that belongs to the phone before it (an
// inserted glide or release); "##" marks a pause.
struct EventPhone {
  const char* mnemonic;
  const char* phone;
};

struct LanguageMap {
  const char* code;         // "es", "pl", "tr"
  const char* voice;        // eSpeak NG voice name
  const PhoneRender* phones;
  int phoneCount;
  const EventPhone* events;
  int eventCount;
  // eSpeak NG's own assimilations: `mnemonic` said where `phone` was asked
  // (voicing in Polish clusters); the label keeps the phone asked for.
  const EventPhone* substitutes;
  int substituteCount;
  // Stops and affricates: eSpeak NG's event comes at the release, after the
  // closure; the labels move their start back over the closure's silence.
  const char* const* stops;  // null-terminated
};

// Null for an unknown code.
const LanguageMap* findLanguageMap(const std::string& code);
const LanguageMap* const* allLanguageMaps();  // null-terminated

// The render entry of a phone, or null.
const PhoneRender* findPhone(const LanguageMap& map, const std::string& phone);

// What an event mnemonic labels: the phone name, "" for a mnemonic that joins
// the previous phone, or null when the mnemonic is not in the table.
const char* phoneOfMnemonic(const LanguageMap& map, const std::string& mnemonic);

bool isStop(const LanguageMap& map, const std::string& phone);

// True when eSpeak NG may say `mnemonic` where `phone` was asked.
bool isSubstitute(const LanguageMap& map, const std::string& phone, const std::string& mnemonic);

// The render mnemonics of a phone, split at spaces; `beforeConsonant` picks
// the variant said before a consonant or silence.
std::vector<std::string> renderParts(const PhoneRender& phone, bool beforeConsonant = false);

}  // namespace refspeaker
