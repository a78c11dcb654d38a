// The whole chain of one deliverable over real text: word list, phrases,
// pronunciations, prosody and synthesis, with markers in the driver's order.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "api/tts_file.h"
#include "corvum.h"
#include "support/test_host.h"
#include "support/test_voice.h"
#include "tts_engine.h"

namespace {

using tts_test::RecordingHost;

struct Pipeline : ::testing::Test {
  void SetUp() override {
    lexicon = LexMgr_Open(CORVUM_LANG_ALL);
    voice = tts_test::emptyVoice();
    handle = TTSFileOpenSized_I(lexicon, voice.data(), voice.size(), 0, TTS_FORMAT_KEEP);
    ASSERT_NE(handle, nullptr);
  }
  void TearDown() override {
    TTSFileClose_I(handle);
    LexMgr_Close(lexicon);
  }
  CorvumLexicon* lexicon = nullptr;
  std::vector<uint8_t> voice;
  TTSFile* handle = nullptr;
};

TEST_F(Pipeline, SentencesEndWithPauseMarkersThenTheEndMarker) {
  RecordingHost host;
  int32_t calls = 0;
  EXPECT_EQ(tts_test::speakChunk(handle, u"Hola, mundo. ¿Qué tal?", 0, host, &calls), TTS_DONE);
  EXPECT_EQ(host.markers(TTS_MARK_PAUSE), 3);
  ASSERT_FALSE(host.events.empty());
  EXPECT_EQ(host.events.back(), TTS_MARK_END);
  EXPECT_EQ(host.markers(TTS_MARK_END), 1);
  // Only the chunk's word list stays in the arena, below the recorded mark.
  EXPECT_EQ(tts::arenaDepth(handle->arena), handle->arenaMark);
}

TEST_F(Pipeline, NumbersDatesAndOddTextNeverFail) {
  const char16_t* texts[] = {u"El 3/12/2007 a las 10:30 pagué $25 y 1.500 €.",
                             u"www.ejemplo.com, correo@dominio.es; 50% de 1.000.000",
                             u"((()))", u"a", u"-", u"ñandú pingüino ÁÉÍÓÚ"};
  for (const char16_t* text : texts) {
    RecordingHost host;
    int32_t r = tts_test::speakChunk(handle, text, 0, host);
    EXPECT_TRUE(r == TTS_DONE || r == TTS_ERR_ARGUMENT) << tts_test::utf8(text);
    for (int mode : {1, 2, 3, 6, 7}) {
      RecordingHost again;
      r = tts_test::speakChunk(handle, text, mode, again);
      EXPECT_TRUE(r == TTS_DONE || r == TTS_ERR_ARGUMENT) << tts_test::utf8(text) << " mode " << mode;
    }
  }
}

TEST_F(Pipeline, LongTextInLegalChunks) {
  std::u16string text;
  for (int i = 0; i < 60; ++i) text += u"Esta es la frase número " + tts_test::utf16(std::to_string(i)) + u", dicha despacio. ";
  size_t position = 0;
  int32_t chunks = 0;
  while (position < text.size()) {
    int32_t n = TTSFileGetLegalLen_I(handle, text.c_str() + position);
    ASSERT_NE(n, 0);
    if (n < 0) {
      position += static_cast<size_t>(-n);
      continue;
    }
    RecordingHost host;
    EXPECT_EQ(tts_test::speakChunk(handle, text.substr(position, static_cast<size_t>(n)), 0, host), TTS_DONE);
    position += static_cast<size_t>(n);
    ++chunks;
  }
  EXPECT_GT(chunks, 1);
}

}  // namespace

namespace {

struct Inspection {
  std::vector<std::u16string> normalised;
  std::vector<std::pair<std::u16string, int32_t>> entries;
  std::vector<std::vector<std::string>> phrases;
  int32_t sampleRate = 0;
  bool pitchPositive = true;
};

TEST_F(Pipeline, InspectorSeesTextWordListAndSegments) {
  Inspection seen;
  TTSInspector inspector{};
  inspector.user = reinterpret_cast<intptr_t>(&seen);
  inspector.normalisedText = [](intptr_t user, const TTSChar16* text) {
    reinterpret_cast<Inspection*>(user)->normalised.emplace_back(text);
  };
  inspector.wordList = [](intptr_t user, const TTSChar16* const* entries, const int32_t* levels, int32_t count) {
    for (int32_t i = 0; i < count; ++i) reinterpret_cast<Inspection*>(user)->entries.emplace_back(entries[i], levels[i]);
  };
  inspector.phrase = [](intptr_t user, const TTSSegment* segments, int32_t count, int32_t rate) {
    auto* s = reinterpret_cast<Inspection*>(user);
    s->sampleRate = rate;
    std::vector<std::string> phones;
    for (int32_t i = 0; i < count; ++i) {
      phones.emplace_back(segments[i].phone);
      if (segments[i].phone != std::string("##"))
        for (int32_t p : segments[i].pitch) s->pitchPositive = s->pitchPositive && p > 0;
    }
    s->phrases.push_back(phones);
  };
  ASSERT_EQ(TTSFileSetInspector_I(handle, &inspector), TTS_OK);
  RecordingHost host;
  EXPECT_EQ(tts_test::speakChunk(handle, u"Hola, mundo.", 0, host), TTS_DONE);
  ASSERT_EQ(seen.normalised.size(), 1u);
  EXPECT_EQ(seen.normalised[0], u"Hola,mundo.");
  ASSERT_EQ(seen.entries.size(), 4u);
  EXPECT_EQ(seen.entries[1], std::make_pair(std::u16string(u","), 3));
  EXPECT_EQ(seen.entries[3], std::make_pair(std::u16string(u"."), 4));
  ASSERT_EQ(seen.phrases.size(), 2u);
  EXPECT_EQ(seen.phrases[0], (std::vector<std::string>{"##", "o", "l", "a", "##"}));
  EXPECT_EQ(seen.sampleRate, 16000);
  EXPECT_TRUE(seen.pitchPositive);
  // Removing the inspector stops the reports.
  ASSERT_EQ(TTSFileSetInspector_I(handle, nullptr), TTS_OK);
  EXPECT_EQ(tts_test::speakChunk(handle, u"Otra vez.", 0, host), TTS_DONE);
  EXPECT_EQ(seen.normalised.size(), 1u);
  EXPECT_EQ(TTSFileSetInspector_I(nullptr, &inspector), TTS_ERR_ARGUMENT);
}

}  // namespace

namespace {

// Regression tests for faults the fuzzers found: header values taken as they
// stand must not overflow the prosody arithmetic, and an absurd voice rate
// must not turn a pause into minutes of zeros.
TEST(HostileVoice, HugeMeanAndRateNeitherOverflowNorHang) {
  CorvumLexicon* lexicon = LexMgr_Open(CORVUM_LANG_ALL);
  for (auto [rate, mean] : {std::pair<int32_t, int32_t>{16000, INT32_MAX}, {1 << 30, 100}, {INT32_MAX, INT32_MAX}}) {
    for (int32_t intonation : {TTS_INTONATION_MODEL, TTS_INTONATION_ACCENTED}) {
      std::vector<uint8_t> voice = tts_test::emptyVoice(rate, mean);
      TTSFile* handle = TTSFileOpen_I(lexicon, voice.data(), 0, TTS_FORMAT_KEEP);
      ASSERT_NE(handle, nullptr);
      TTSFileCtrl_I(handle, TTSC_SET_INTONATION, &intonation);
      RecordingHost host;
      EXPECT_EQ(tts_test::speakChunk(handle, u"Hola, mundo.", 0, host), TTS_DONE);
      int64_t samples = 0;
      for (int32_t e : host.events)
        if (e > 0) samples += e / 2;
      EXPECT_LE(samples, 96000 * 2);  // pauses bounded by the highest supported rate
      int32_t absurd = INT32_MAX;
      PhraseTTSCtrl(handle->voice, PTC_SET_VOICE_RATE, &absurd);
      RecordingHost again;
      EXPECT_EQ(tts_test::speakChunk(handle, u"Otra vez.", 0, again), TTS_DONE);
      TTSFileClose_I(handle);
    }
  }
  LexMgr_Close(lexicon);
}

}  // namespace
