// The committed default voice of this deliverable speaks a paragraph through
// TTSFileGetWave_I; every phone pair the synthesiser asks for has a unit.
// The test wraps the voice's synthInit entry to see the unit targets, and
// checks each pair's name against the database's own name and offset tables.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "api/tts_file.h"
#include "corvum.h"
#include "support/test_host.h"
#include "synth/voice.h"
#include "tts_engine.h"

#ifndef VOXA_LANG
#error "VOXA_LANG must name the deliverable's language"
#endif

namespace {

struct Seen {
  std::vector<std::vector<uint8_t>> phrases;  // phone ids of each synthInit call
  tts::SynthInitFn real = nullptr;
};
Seen* gSeen = nullptr;  // test-only hook state

tts::PhraseSynth* recordingInit(PhraseVoice* voice, const uint8_t* phones, const uint8_t* prominence,
                                const uint8_t* durations, const int32_t* targets, int32_t count,
                                int32_t* bufferSamples) {
  if (gSeen && phones && count > 0) gSeen->phrases.emplace_back(phones, phones + count);
  return gSeen->real(voice, phones, prominence, durations, targets, count, bufferSamples);
}

std::vector<uint8_t> readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

int32_t le32(const uint8_t* p) {
  return static_cast<int32_t>(p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24));
}

// Names of the units present (non-negative offset) in a version-6 block.
std::set<std::string> presentUnits(const std::vector<uint8_t>& db) {
  std::set<std::string> out;
  const int32_t count = le32(&db[16]), slot = le32(&db[20]);
  const uint8_t* names = &db[24];
  const uint8_t* offsets = names + static_cast<size_t>(count) * slot;
  for (int32_t i = 0; i < count; ++i) {
    const char* name = reinterpret_cast<const char*>(names + static_cast<size_t>(i) * slot);
    if (le32(offsets + 4 * i) >= 0) out.insert(std::string(name, strnlen(name, static_cast<size_t>(slot))));
  }
  return out;
}

const char* paragraph() {
  const std::string lang = VOXA_LANG;
  if (lang == "es")
    return "El lunes 3 de marzo de 2025, a las 9:30, la doctora Ruiz llegó a la estación de Zaragoza con "
           "veintiún euros y una maleta pequeña. ¿Quién había dejado el paraguas en el tren? Nadie lo sabía, "
           "pero el jefe pagó el 15% del billete y todos siguieron su camino hacia el hotel.";
  if (lang == "pl")
    return "W poniedziałek, 3 marca 2025 roku o 9:30, doktor Źródłowska przyjechała na dworzec w Szczecinie "
           "z dwudziestoma złotymi i małą walizką. Kto zostawił parasol w pociągu? Nikt nie wiedział, ale "
           "kierownik zapłacił 15% ceny biletu i wszyscy poszli dalej do hotelu.";
  return "3 Mart 2025 Pazartesi günü saat 9:30'da Doktor Yılmaz, yirmi bir lira ve küçük bir çantayla "
         "Ankara garına geldi. Şemsiyeyi trende kim unutmuştu? Kimse bilmiyordu, ama müdür biletin yüzde "
         "15'ini ödedi ve herkes otele doğru yoluna devam etti.";
}

// Speaks `text` with the default voice; fails on any phone pair without a
// unit. Returns the number of phrases synthesised and the samples delivered.
struct Spoken {
  size_t phrases = 0;
  int32_t pairs = 0;
  std::vector<int16_t> samples;
};

Spoken speakWithDefaultVoice(const std::string& utf8Text) {
  Spoken spoken;
  const std::string path = std::string(VOXA_VOICE_DIR) + "/" + VOXA_LANG + ".voice";
  const std::vector<uint8_t> db = readFile(path);
  EXPECT_GT(db.size(), 24u) << "no default voice at " << path;
  if (db.size() <= 24) return spoken;
  const std::set<std::string> units = presentUnits(db);

  CorvumLexicon* lexicon = LexMgr_Open(CORVUM_LANG_ALL);
  TTSFile* handle = TTSFileOpenSized_I(lexicon, db.data(), db.size(), 0, TTS_FORMAT_KEEP);
  EXPECT_NE(handle, nullptr);
  if (!handle) {
    LexMgr_Close(lexicon);
    return spoken;
  }
  Seen seen;
  seen.real = handle->voice->synthInit;
  gSeen = &seen;
  handle->voice->synthInit = &recordingInit;

  tts_test::RecordingHost host;
  const std::u16string text = tts_test::utf16(utf8Text);
  EXPECT_EQ(tts_test::speakChunk(handle, text, 0, host), TTS_DONE) << utf8Text;

  std::vector<std::string> missing;
  for (const auto& phones : seen.phrases) {
    // The synthesiser renders phones 0 .. n-2, each from the pair (s, s + 1).
    for (size_t s = 0; s + 1 < phones.size(); ++s) {
      const char* a = handle->voice->phoneName(phones[s]);
      const char* b = handle->voice->phoneName(phones[s + 1]);
      EXPECT_TRUE(a && b);
      if (!a || !b) continue;
      std::string name = std::string(a) + "-" + b;
      ++spoken.pairs;
      if (name == "##-##" || units.count(name)) continue;
      std::string plain;
      for (char c : name)
        if (c != ':') plain += c;
      if (!units.count(plain)) missing.push_back(name);
    }
  }
  gSeen = nullptr;
  handle->voice->synthInit = seen.real;
  TTSFileClose_I(handle);
  LexMgr_Close(lexicon);

  std::string list;
  for (const auto& m : missing) list += " " + m;
  EXPECT_EQ(missing.size(), 0u) << utf8Text << ": missing units:" << list;
  spoken.phrases = seen.phrases.size();
  spoken.samples = host.samples;
  return spoken;
}

TEST(DefaultVoice, SpeaksAParagraphWithoutMissingUnits) {
  const Spoken spoken = speakWithDefaultVoice(paragraph());
  EXPECT_GE(spoken.phrases, 3u);
  EXPECT_GT(spoken.pairs, 100);
  // Speech came out, and not just silence.
  int32_t loud = 0;
  for (int16_t v : spoken.samples) loud += (v > 2000 || v < -2000);
  EXPECT_GT(loud, 1000);
}

// The normalisation examples of each language: numbers, dates, times, money,
// percentages and addresses, spoken end to end.
std::vector<std::string> examples() {
  const std::string lang = VOXA_LANG;
  if (lang == "es")
    return {"3/12/2007", "1:05 PM", "10h30", "$25", "1999", "21.000 casas", "-3,25", "0:00", "24:60",
            "1.000.000.000", "2.001.000.000 €", "una libra: £1", "www.ejemplo.com", "correo@dominio.es", "50%",
            "100", "2101", "0"};
  if (lang == "pl")
    return {"7", "20", "21", "150", "1.500", "2.000.000", "1.000.001", "-3,5", "20.05.2007", "1.IV.2007",
            "0:15", "10:30", "21:05", "5 zł", "5 sekund", "1/5/2007", "2,5 zł", "5000", "5 złoty", "50%",
            "www.onet.pl", "jan@poczta.pl"};
  return {"1000", "1999", "2007", "1,001,000", "2,000,000", "3.5", "3.05", "3.00", "x -7", "12345", "3/12/2007",
          "10:05", "0:30", "50%", "$25", "5 tl", "www.ornek.com.tr", "ali@posta.com"};
}

TEST(DefaultVoice, SpeaksTheNormalisationExamples) {
  for (const std::string& text : examples()) {
    const Spoken spoken = speakWithDefaultVoice(text);
    EXPECT_GE(spoken.phrases, 1u) << text;
  }
}

}  // namespace
