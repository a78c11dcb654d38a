// SPDX-License-Identifier: GPL-3.0-or-later (see NOTICE and LICENSE in this folder)
// eSpeak NG phoneme mnemonics of the Spanish, Polish and Turkish voices and
// the engine's phones they correspond to.
#include "espeak_phones.h"

namespace refspeaker {

namespace {

// ---- Spanish ------------------------------------------------------------
// b d g are rendered as stops; eSpeak NG turns them into the approximants
// B D Q after vowels itself. The trill is R2, the tap **.
const PhoneRender kSpanishPhones[] = {
    {"##", false, ""},   {"T", false, "T"},    {"a", true, "a"},    {"ai", true, "aI"}, {"au", true, "aU"},
    {"b", false, "b"},   {"d", false, "d"},    {"dZ", false, "dZ"}, {"e", true, "e"},   {"ei", true, "eI"},
    {"eu", true, "eU"},  {"f", false, "f"},    {"g", false, "g"},   {"i", true, "i"},   {"j", false, "j"},
    {"k", false, "k"},   {"l", false, "l"},    {"m", false, "m"},   {"n", false, "n"},  {"n~", false, "n^"},
    {"o", true, "o"},    {"oi", true, "oI"},   {"ou", true, "o U"}, {"p", false, "p"},  {"r", false, "R2"},
    {"r[", false, "**"}, {"s", false, "s"},    {"t", false, "t"},   {"tS", false, "tS"}, {"u", true, "u"},
    {"w", false, "w"},   {"x", false, "x"},
};

const EventPhone kSpanishEvents[] = {
    {"T", "T"},   {"a", "a"},   {"aI", "ai"}, {"aU", "au"}, {"b", "b"},   {"B", "b"},   {"d", "d"},
    {"D", "d"},   {"dZ", "dZ"}, {"e", "e"},   {"E", "e"},   {"eI", "ei"}, {"eU", "eu"}, {"f", "f"},
    {"g", "g"},   {"Q", "g"},   {"i", "i"},   {"I", "i"},   {"j", "j"},   {"J", "j"},   {"l^", "j"},
    {"k", "k"},   {"l", "l"},   {"m", "m"},   {"n", "n"},   {"N", "n"},   {"n^", "n~"}, {"o", "o"},
    {"O", "o"},   {"oI", "oi"}, {"U", "u"},   {"p", "p"},   {"R", "r"},   {"R2", "r"}, {"**", "r["},
    {"*", "r["},  {"r", "r["},  {"s", "s"},   {"z", "s"},   {"t", "t"},   {"tS", "tS"}, {"u", "u"},
    {"w", "w"},   {"x", "x"},   {";", ""},    {"_", "##"},  {"_:", "##"}, {"_!", "##"}, {"_^_", "##"},
};

// ---- Polish -------------------------------------------------------------
// Soft consonants are the ";" series; a palatalised stop p+ is the phone pair
// p j, which eSpeak NG says as "p" then "j".
const PhoneRender kPolishPhones[] = {
    {"##", false, ""},   {"I", true, "y"},     {"N", false, "N"},    {"S", false, "S"},   {"Z", false, "Z"},
    {"a", true, "a"},    {"b", false, "b"},    {"d", false, "d"},    {"dZ", false, "dZ"}, {"dz", false, "dz"},
    {"dz'", false, "dz;"}, {"e", true, "E"},   {"e~", true, "E~"},   {"f", false, "f"},   {"g", false, "g"},
    {"i", true, "i"},    {"j", false, "j"},    {"k", false, "k"},    {"l", false, "l"},   {"m", false, "m"},
    {"n", false, "n"},   {"n'", false, "n^"},  {"o", true, "O"},     {"o~", true, "O~"},  {"p", false, "p"},
    {"r", false, "R"},   {"s", false, "s"},    {"s'", false, "S;"},  {"t", false, "t"},   {"tS", false, "tS"},
    {"ts", false, "ts"}, {"ts'", false, "ts;"}, {"u", true, "u"},    {"v", false, "v"},   {"w", false, "w"},
    {"x", false, "x"},   {"z", false, "z"},    {"z'", false, "Z;"},
};

const EventPhone kPolishEvents[] = {
    {"y", "I"},    {"N", "N"},   {"S", "S"},   {"Z", "Z"},   {"a", "a"},     {"b", "b"},   {"d", "d"},
    {"dZ", "dZ"},  {"dz", "dz"}, {"dz;", "dz'"}, {"E", "e"}, {"e", "e"},     {"E~", "e~"}, {"f", "f"},
    {"g", "g"},    {"i", "i"},   {"j", "j"},   {"k", "k"},   {"l", "l"},     {"m", "m"},   {"n", "n"},
    {"n^", "n'"},  {"O", "o"},   {"o", "o"},   {"O~", "o~"}, {"p", "p"},     {"R", "r"},   {"r", "r"},
    {"s", "s"},    {"S;", "s'"}, {"t", "t"},   {"tS", "tS"}, {"ts", "ts"},   {"ts;", "ts'"}, {"u", "u"},
    {"v", "v"},    {"w", "w"},   {"x", "x"},   {"z", "z"},   {"Z;", "z'"},   {";", ""},    {"_", "##"},
    {"_:", "##"},  {"_!", "##"}, {"_^_", "##"},
};

// Voicing assimilation in obstruent clusters, both ways.
const EventPhone kPolishSubstitutes[] = {
    {"p", "b"},   {"b", "p"},   {"t", "d"},     {"d", "t"},     {"k", "g"},   {"g", "k"},   {"f", "v"},
    {"v", "f"},   {"s", "z"},   {"z", "s"},     {"S", "Z"},     {"Z", "S"},   {"S;", "z'"}, {"Z;", "s'"},
    {"ts", "dz"}, {"dz", "ts"}, {"tS", "dZ"},   {"dZ", "tS"},   {"ts;", "dz'"}, {"dz;", "ts'"}, {"Q", "x"},
};

// ---- Turkish ------------------------------------------------------------
// eSpeak NG's clear l (before front vowels) is the engine's "5", its dark L
// the engine's "l"; J and c are the palatal stops "gj" and "c"; G is the
// soft g. eSpeak NG's dark L before most consonants has no duration, so the
// engine's "l" is said with the clear l there.
const PhoneRender kTurkishPhones[] = {
    {"##", false, ""},   {"1", true, "@"},     {"2", true, "W"},     {"5", false, "l"},   {"?", false, "?"},
    {"G", false, "G"},   {"S", false, "S"},    {"Z", false, "Z"},    {"a", true, "a"},    {"b", false, "b"},
    {"c", false, "c"},   {"d", false, "d"},    {"dZ", false, "dZ"},  {"e", true, "e"},    {"f", false, "f"},
    {"g", false, "g"},   {"gj", false, "J"},   {"h", false, "h"},    {"i", true, "i"},    {"j", false, "j"},
    {"k", false, "k"},   {"l", false, "L", "l"},    {"m", false, "m"},    {"n", false, "n"},   {"o", true, "o"},
    {"p", false, "p"},   {"r", false, "r"},    {"s", false, "s"},    {"t", false, "t"},   {"tS", false, "tS"},
    {"u", true, "u"},    {"v", false, "v"},    {"y", true, "y"},     {"z", false, "z"},
};

const EventPhone kTurkishEvents[] = {
    {"@", "1"},   {"1", "1"},   {"W", "2"},   {"l", "5"},   {"?", "?"},   {"G", "G"},   {"Q", "G"},
    {"S", "S"},   {"Z", "Z"},   {"a", "a"},   {"a:", "a"},  {"b", "b"},   {"c", "c"},   {"d", "d"},
    {"dZ", "dZ"}, {"e", "e"},   {"E", "e"},   {"&", "e"},   {"f", "f"},   {"g", "g"},   {"J", "gj"},
    {"h", "h"},   {"i", "i"},   {"I", "i"},   {"j", "j"},   {"k", "k"},   {"L", "l"},   {"m", "m"},
    {"n", "n"},   {"o", "o"},   {"O", "o"},   {"p", "p"},   {"r", "r"},   {"R", "r"},   {"*", "r"},
    {"s", "s"},   {"t", "t"},   {"tS", "tS"}, {"u", "u"},   {"U", "u"},   {"v", "v"},   {"y", "y"},
    {"Y", "y"},   {"z", "z"},   {";", ""},    {"_", "##"},  {"_:", "##"}, {"_!", "##"}, {"_^_", "##"},
};

const char* const kSpanishStops[] = {"p", "t", "k", "b", "d", "g", "tS", "dZ", nullptr};
const char* const kPolishStops[] = {"p", "t", "k", "b", "d", "g", "ts", "dz", "tS", "dZ", "ts'", "dz'", nullptr};
const char* const kTurkishStops[] = {"p", "t", "k", "b", "d", "g", "c", "gj", "tS", "dZ", "?", nullptr};

template <typename T, int N>
constexpr int countOf(const T (&)[N]) {
  return N;
}

const LanguageMap kSpanish = {"es", "es", kSpanishPhones, countOf(kSpanishPhones), kSpanishEvents,
                              countOf(kSpanishEvents), nullptr, 0, kSpanishStops};
const LanguageMap kPolish = {"pl", "pl", kPolishPhones, countOf(kPolishPhones), kPolishEvents,
                             countOf(kPolishEvents), kPolishSubstitutes, countOf(kPolishSubstitutes), kPolishStops};
const LanguageMap kTurkish = {"tr", "tr", kTurkishPhones, countOf(kTurkishPhones), kTurkishEvents,
                              countOf(kTurkishEvents), nullptr, 0, kTurkishStops};
const LanguageMap* const kAll[] = {&kSpanish, &kPolish, &kTurkish, nullptr};

}  // namespace

const LanguageMap* findLanguageMap(const std::string& code) {
  for (int i = 0; kAll[i]; ++i)
    if (code == kAll[i]->code) return kAll[i];
  return nullptr;
}

const LanguageMap* const* allLanguageMaps() { return kAll; }

const PhoneRender* findPhone(const LanguageMap& map, const std::string& phone) {
  for (int i = 0; i < map.phoneCount; ++i)
    if (phone == map.phones[i].phone) return &map.phones[i];
  return nullptr;
}

const char* phoneOfMnemonic(const LanguageMap& map, const std::string& mnemonic) {
  for (int i = 0; i < map.eventCount; ++i)
    if (mnemonic == map.events[i].mnemonic) return map.events[i].phone;
  return nullptr;
}

bool isStop(const LanguageMap& map, const std::string& phone) {
  for (const char* const* p = map.stops; p && *p; ++p)
    if (phone == *p) return true;
  return false;
}

bool isSubstitute(const LanguageMap& map, const std::string& phone, const std::string& mnemonic) {
  for (int i = 0; i < map.substituteCount; ++i)
    if (phone == map.substitutes[i].phone && mnemonic == map.substitutes[i].mnemonic) return true;
  return false;
}

std::vector<std::string> renderParts(const PhoneRender& phone, bool beforeConsonant) {
  std::vector<std::string> parts;
  std::string current;
  const char* render = beforeConsonant && phone.renderBeforeConsonant ? phone.renderBeforeConsonant : phone.render;
  for (const char* p = render; *p; ++p) {
    if (*p == ' ') {
      if (!current.empty()) parts.push_back(current);
      current.clear();
    } else {
      current.push_back(*p);
    }
  }
  if (!current.empty()) parts.push_back(current);
  return parts;
}

}  // namespace refspeaker
