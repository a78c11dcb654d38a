// Word events of this deliverable over text that the normaliser rewrites
// (numbers, dates, money, addresses, apostrophe suffixes), spoken with the
// default voice: each word's source span, in order, before its samples.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "corvum.h"
#include "support/test_host.h"
#include "tts_engine.h"

#ifndef VOXA_LANG
#error "VOXA_LANG must name the deliverable's language"
#endif

namespace {

struct Case {
  const char* text;
  std::vector<const char*> spans;  // source text of the words, repeats of one span shown once
  int32_t onlyReading = -1;        // TTS_READING_*: the case holds in that reading only; -1: in both
};

std::vector<Case> cases() {
  const std::string lang = VOXA_LANG;
  if (lang == "es")
    return {
        {"Pagué 1.250 € el 3/5/2020.", {"Pagué", "1.250 €", "el", "3/5/2020"}},
        {"Son 21 casas, calle Mayor 7, http://www.ejemplo.com",
         {"Son", "21", "casas", "calle", "Mayor", "7", "http://www.ejemplo.com"}},
        {"A las 10:30 el 15% de O'Neill", {"A", "las", "10:30", "el", "15%", "de", "O'Neill"}},
        // Quotes are no suffixes; '#' and '-' belong to their numbers; a long word keeps its whole span.
        {"'Hola' dijo #12 -5 electroencefalografistas",
         {"Hola", "dijo", "#12", "-5", "electroencefalografistas"}},
        // Groups the everyday reading joins keep the whole span.
        {"Son 12 400 km.", {"Son", "12 400 km"}, TTS_READING_EVERYDAY},
    };
  if (lang == "pl")
    return {
        {"Zapłacił 1.250 zł dnia 3.05.2020.", {"Zapłacił", "1.250 zł", "dnia", "3.05.2020"}, TTS_READING_LITERAL},
        {"Zapłacił 1.250 zł dnia 3.05.2020.", {"Zapłacił", "1.250", "zł", "dnia", "3.05.2020"}, TTS_READING_EVERYDAY},
        {"Ulica Długa 7, http://www.przyklad.pl i 21 domów",
         {"Ulica", "Długa", "7", "http://www.przyklad.pl", "i", "21", "domów"}},
        {"O 10:30 było 15% Kennedy'ego", {"O", "10:30", "było", "15%", "Kennedy'ego"}},
        {"Przejechał 12 400 km.", {"Przejechał", "12 400 km"}, TTS_READING_EVERYDAY},
    };
  return {
      {"1.250 lira 3/5/2020 tarihinde ödendi.", {"1.250 lira", "3/5/2020", "tarihinde", "ödendi"}},
      {"Ankara'ya 2023'te gitti, http://www.ornek.com.tr",
       {"Ankara'ya", "2023'te", "gitti", "http://www.ornek.com.tr"}},
      {"Saat 10:30'da yüzde 15 İstanbul’da", {"Saat", "10:30'da", "yüzde", "15", "İstanbul’da"}},
      {"48.200 kişi %25'i aldı.", {"48.200", "kişi", "%25'i", "aldı"}, TTS_READING_EVERYDAY},
  };
}

std::vector<uint8_t> defaultVoice() {
  std::ifstream in(std::string(VOXA_VOICE_DIR) + "/" + VOXA_LANG + ".voice", std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct Seen {
  tts_test::RecordingHost* host = nullptr;
  std::vector<TTSWordEvent> events;
  std::vector<std::u16string> words;
  std::vector<size_t> deliveredBefore;  // samples the host had when the event came
};

void onWord(intptr_t user, const TTSWordEvent* event) {
  auto* seen = reinterpret_cast<Seen*>(user);
  seen->events.push_back(*event);
  seen->words.emplace_back(event->word);
  seen->deliveredBefore.push_back(seen->host->samples.size());
}

TEST(WordEvents, SpansAreSourceWordsInOrderBeforeTheirSamples) {
  const std::vector<uint8_t> db = defaultVoice();
  ASSERT_GT(db.size(), 24u);
  CorvumLexicon* lexicon = LexMgr_Open(CORVUM_LANG_ALL);
  TTSFile* handle = TTSFileOpenSized_I(lexicon, db.data(), db.size(), 0, TTS_FORMAT_KEEP);
  ASSERT_NE(handle, nullptr);
  // Both readings; the everyday one at 8 kHz, where indices count output samples.
  for (int32_t reading : {TTS_READING_LITERAL, TTS_READING_EVERYDAY})
  for (const Case& c : cases()) {
    if (c.onlyReading >= 0 && c.onlyReading != reading) continue;
    int32_t value = reading;
    ASSERT_EQ(TTSFileCtrl_I(handle, TTSC_SET_READING, &value), TTS_OK);
    value = reading == TTS_READING_EVERYDAY ? TTS_FORMAT_8K : TTS_FORMAT_KEEP;
    ASSERT_EQ(TTSFileCtrl_I(handle, TTSC_SET_FORMAT, &value), TTS_OK);
    const std::u16string text = tts_test::utf16(c.text);
    tts_test::RecordingHost host;
    Seen seen;
    seen.host = &host;
    ASSERT_EQ(TTSFileSetWordEvents_I(handle, onWord, reinterpret_cast<intptr_t>(&seen)), TTS_OK);
    EXPECT_EQ(tts_test::speakChunk(handle, text, 0, host), TTS_DONE) << c.text;
    std::vector<std::string> spans;
    for (size_t i = 0; i < seen.events.size(); ++i) {
      const TTSWordEvent& e = seen.events[i];
      ASSERT_TRUE(e.offset >= 0 && e.length > 0 && e.offset + e.length <= static_cast<int32_t>(text.size()))
          << c.text;
      const std::string span =
          tts_test::utf8(text.substr(static_cast<size_t>(e.offset), static_cast<size_t>(e.length)));
      if (spans.empty() || spans.back() != span) spans.push_back(span);
      EXPECT_FALSE(seen.words[i].empty());
      EXPECT_GE(static_cast<size_t>(e.sample), seen.deliveredBefore[i])
          << "event after its samples: " << span;
      EXPECT_LT(static_cast<size_t>(e.sample), host.samples.size()) << span;
      if (i > 0) {
        EXPECT_GE(e.offset, seen.events[i - 1].offset) << c.text;
        EXPECT_GT(e.sample, seen.events[i - 1].sample) << c.text << ": " << span;
      }
    }
    EXPECT_EQ(spans, std::vector<std::string>(c.spans.begin(), c.spans.end())) << c.text << " reading " << reading;
  }
  // Removing the observer stops the events; a null handle is refused.
  tts_test::RecordingHost host;
  Seen none;
  none.host = &host;
  TTSFileSetWordEvents_I(handle, nullptr, 0);
  EXPECT_EQ(tts_test::speakChunk(handle, u"Hola", 0, host), TTS_DONE);
  EXPECT_TRUE(none.events.empty());
  EXPECT_EQ(TTSFileSetWordEvents_I(nullptr, onWord, 0), TTS_ERR_ARGUMENT);
  TTSFileClose_I(handle);
  LexMgr_Close(lexicon);
}

}  // namespace
