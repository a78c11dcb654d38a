// The handle and its staged driver, run over a stand-in language so that
// every stage's hand-over, marker and failure path is visible.
#include <gtest/gtest.h>

#include "api/tts_file.h"
#include "corvum.h"
#include "fake_language.h"
#include "model/features.h"
#include "model/value.h"
#include "support/test_host.h"
#include "tts_engine.h"

namespace {

using tts_test::RecordingHost;
using tts_test::speakChunk;

class DriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake::synthLog = fake::SynthLog{};
    lexicon = LexMgr_Open(CORVUM_LANG_SPANISH);
    voice = fake::emptyVoice();
    handle = TTSFileOpen_I(lexicon, voice.data(), 0, TTS_FORMAT_16K);
    ASSERT_NE(handle, nullptr);
    fake::installFakeSynth(handle);
  }
  void TearDown() override {
    EXPECT_EQ(TTSFileClose_I(handle), TTS_OK);
    LexMgr_Close(lexicon);
  }
  int32_t ctrl(int32_t code, int32_t value) { return TTSFileCtrl_I(handle, code, &value); }

  CorvumLexicon* lexicon = nullptr;
  std::vector<uint8_t> voice;
  TTSFile* handle = nullptr;
};

TEST(HandleOpen, RefusesBadArgumentsAndAllocatesNothing) {
  CorvumLexicon* spanish = LexMgr_Open(CORVUM_LANG_SPANISH);
  CorvumLexicon* polish = LexMgr_Open(CORVUM_LANG_POLISH);
  auto voice = fake::emptyVoice();
  EXPECT_EQ(TTSFileOpen_I(nullptr, voice.data(), 0, TTS_FORMAT_16K), nullptr);
  EXPECT_EQ(TTSFileOpen_I(polish, voice.data(), 0, TTS_FORMAT_16K), nullptr);  // language not served
  EXPECT_EQ(TTSFileOpen_I(spanish, voice.data(), 0, 0x1011), nullptr);         // unknown format
  EXPECT_EQ(TTSFileOpen_I(spanish, nullptr, 0, TTS_FORMAT_16K), nullptr);      // no database
  EXPECT_EQ(TTSFileOpen_I(spanish, voice.data(), 1, TTS_FORMAT_16K), nullptr); // only mode 0 binds
  voice[0] = 5;
  EXPECT_EQ(TTSFileOpen_I(spanish, voice.data(), 0, TTS_FORMAT_16K), nullptr);  // version 5
  voice[0] = 6;
  EXPECT_EQ(TTSFileOpenSized_I(spanish, voice.data(), 0, 0, TTS_FORMAT_16K), nullptr);
  EXPECT_EQ(TTSFileOpenSized_I(spanish, voice.data(), 20, 0, TTS_FORMAT_16K), nullptr);  // truncated
  TTSFile* h = TTSFileOpenSized_I(spanish, voice.data(), voice.size(), 0, TTS_FORMAT_16K);
  EXPECT_NE(h, nullptr);
  TTSFileClose_I(h);
  LexMgr_Close(spanish);
  LexMgr_Close(polish);
}

TEST(HandleOpen, NullHandleIsHarmless) {
  int32_t v = 0;
  EXPECT_EQ(TTSFileClose_I(nullptr), TTS_ERR_ARGUMENT);
  EXPECT_EQ(TTSFileCtrl_I(nullptr, TTSC_RESET, &v), TTS_ERR_ARGUMENT);
  EXPECT_EQ(TTSFileGetWave_I(nullptr, u"hola", 0, RecordingHost::callback, 0), TTS_ERR_ARGUMENT);
  PhraseTTSCtrl(nullptr, PTC_SET_PITCH, &v);
}

TEST_F(DriverTest, OpenWithElevenKilohertzReportsItsFormat) {
  TTSFile* h = TTSFileOpen_I(lexicon, voice.data(), 0, TTS_FORMAT_11K);
  ASSERT_NE(h, nullptr);
  int32_t format = 0;
  EXPECT_EQ(TTSFileCtrl_I(h, TTSC_GET_FORMAT, &format), TTS_OK);
  EXPECT_EQ(format, 2832);
  TTSFileClose_I(h);
}

TEST_F(DriverTest, ControlCodesAndErrors) {
  int32_t value = 0;
  EXPECT_EQ(TTSFileCtrl_I(handle, TTSC_GET_LANGUAGE, &value), TTS_OK);
  EXPECT_EQ(value, 7);
  EXPECT_EQ(ctrl(8, 0), TTS_ERR_ARGUMENT);
  EXPECT_EQ(ctrl(-1, 0), TTS_ERR_ARGUMENT);
  EXPECT_EQ(TTSFileCtrl_I(handle, TTSC_SET_PITCH, nullptr), TTS_ERR_ARGUMENT);
  EXPECT_EQ(TTSFileCtrl_I(handle, TTSC_RESET, nullptr), TTS_OK);  // code 3 ignores the pointer

  // Format: keep leaves the rate alone; an unknown code changes nothing.
  EXPECT_EQ(ctrl(TTSC_SET_FORMAT, TTS_FORMAT_8K), TTS_OK);
  EXPECT_EQ(ctrl(TTSC_SET_FORMAT, TTS_FORMAT_KEEP), TTS_OK);
  EXPECT_EQ(TTSFileCtrl_I(handle, TTSC_GET_FORMAT, &value), TTS_OK);
  EXPECT_EQ(value, TTS_FORMAT_8K);
  EXPECT_EQ(ctrl(TTSC_SET_FORMAT, 22050), TTS_ERR_FORMAT);
  EXPECT_EQ(TTSFileCtrl_I(handle, TTSC_GET_FORMAT, &value), TTS_OK);
  EXPECT_EQ(value, TTS_FORMAT_8K);

  // A rate without a format code: code 7 writes 4112 and answers -7.
  int32_t odd = 22050;
  PhraseTTSCtrl(handle->voice, PTC_SET_OUTPUT_RATE, &odd);
  EXPECT_EQ(TTSFileCtrl_I(handle, TTSC_GET_FORMAT, &value), TTS_ERR_FORMAT);
  EXPECT_EQ(value, 4112);

  EXPECT_EQ(ctrl(TTSC_SET_MINOR_PAUSE, 77), TTS_OK);
  EXPECT_EQ(ctrl(TTSC_SET_MAJOR_PAUSE, 99), TTS_OK);
  EXPECT_EQ(handle->settings.minorPause, 77);
  EXPECT_EQ(handle->settings.majorPause, 99);
  EXPECT_EQ(ctrl(TTSC_SET_MAJOR_PAUSE, -5), TTS_OK);
  EXPECT_EQ(handle->settings.majorPause, 0);
}

// What the speech does with the settings is checked end to end per language
// (settings_test); here: the record takes them, the published copies stay.
TEST_F(DriverTest, SettingsGoToTheRecordWhilePublishedParametersKeepTheirOpenValues) {
  const int32_t meanAtOpen = tts::valInt(tts::featGet(handle->params, "int_f0_target_mean"));
  const int32_t stretchAtOpen = tts::valInt(tts::featGet(handle->params, "duration_stretch"));
  EXPECT_EQ(ctrl(TTSC_SET_PITCH, 150), TTS_OK);
  EXPECT_EQ(handle->settings.f0Mean_Hz, 150);
  EXPECT_EQ(ctrl(TTSC_SET_SPEED, 200), TTS_OK);
  EXPECT_EQ(handle->settings.durationStretch_Q8, 512);
  EXPECT_EQ(tts::valInt(tts::featGet(handle->params, "int_f0_target_mean")), meanAtOpen);
  EXPECT_EQ(tts::valInt(tts::featGet(handle->params, "duration_stretch")), stretchAtOpen);
  EXPECT_EQ(tts::valInt(tts::featGet(handle->params, "sample_rate")), 16000);
}

// The added controls take their documented values only; any other value
// answers -10 and leaves the setting as it was.
TEST_F(DriverTest, AddedControlsRefuseUnknownValues) {
  const struct {
    int32_t code;
    int32_t tts::Settings::*field;
    int32_t highest;
  } rows[] = {{TTSC_SET_READING, &tts::Settings::reading, TTS_READING_EVERYDAY},
              {TTSC_SET_DURATION_MODEL, &tts::Settings::durationModel, TTS_DURATIONS_TRAINED},
              {TTSC_SET_INTONATION, &tts::Settings::intonation, TTS_INTONATION_ACCENTED}};
  for (const auto& r : rows) {
    EXPECT_EQ(handle->settings.*r.field, 0) << r.code;
    EXPECT_EQ(ctrl(r.code, r.highest), TTS_OK) << r.code;
    EXPECT_EQ(ctrl(r.code, r.highest + 1), TTS_ERR_ARGUMENT) << r.code;
    EXPECT_EQ(ctrl(r.code, -1), TTS_ERR_ARGUMENT) << r.code;
    EXPECT_EQ(handle->settings.*r.field, r.highest) << r.code;
  }
  EXPECT_EQ(ctrl(TTSC_SET_INTONATION + 1, 0), TTS_ERR_ARGUMENT);
}

TEST_F(DriverTest, ReadingReachesTheTextStage) {
  RecordingHost host;
  EXPECT_EQ(ctrl(TTSC_SET_READING, 2), TTS_ERR_ARGUMENT);
  EXPECT_EQ(ctrl(TTSC_SET_READING, -1), TTS_ERR_ARGUMENT);
  EXPECT_EQ(TTSFileGetWave_I(handle, u"hola", 0, host.fn(), host.user()), TTS_OK);
  EXPECT_EQ(fake::lastReading, TTS_READING_LITERAL);
  ctrl(TTSC_RESET, 0);
  EXPECT_EQ(ctrl(TTSC_SET_READING, TTS_READING_EVERYDAY), TTS_OK);
  EXPECT_EQ(TTSFileGetWave_I(handle, u"hola", 0, host.fn(), host.user()), TTS_OK);
  EXPECT_EQ(fake::lastReading, TTS_READING_EVERYDAY);
}

TEST_F(DriverTest, FreshHandleIsIdle) {
  RecordingHost host;
  EXPECT_EQ(TTSFileGetWave_I(handle, nullptr, 0, host.fn(), host.user()), TTS_DONE);
  EXPECT_TRUE(host.events.empty());
  EXPECT_EQ(TTSFileGetWave_I(handle, u"hola", 0, nullptr, 0), TTS_ERR_ARGUMENT);
}

TEST_F(DriverTest, TextWithoutEntriesIsAnArgumentError) {
  RecordingHost host;
  EXPECT_EQ(TTSFileGetWave_I(handle, u"   ", 0, host.fn(), host.user()), TTS_ERR_ARGUMENT);
  EXPECT_EQ(handle->stage, tts::kStageIdle);
}

TEST_F(DriverTest, StagesOfATwoPhraseChunk) {
  RecordingHost host;
  // "uno" ends at a predicted break (minor pause, no marker); "dos." at a full stop.
  EXPECT_EQ(TTSFileGetWave_I(handle, u"uno dos.", 0, host.fn(), host.user()), TTS_OK);
  EXPECT_EQ(handle->stage, tts::kStageAnalyse);
  EXPECT_EQ(TTSFileGetWave_I(handle, nullptr, 0, host.fn(), host.user()), TTS_OK);
  EXPECT_EQ(handle->stage, tts::kStagePhrase);
  EXPECT_GT(handle->arenaMark, 0);
  int32_t calls = 2;
  int32_t r;
  while ((r = TTSFileGetWave_I(handle, nullptr, 0, host.fn(), host.user())) == TTS_OK) ++calls;
  EXPECT_EQ(r, TTS_DONE);
  // Per phrase: stages 2+3 (initial item), 3 (word), 3..6, 7; then the final 2.
  EXPECT_EQ(calls, 2 + 2 * 4);

  const int32_t speech = 2 * fake::kSamplesPerPhone;
  const int32_t minor = (120 * 256 >> 8) * 16000 >> 10;     // 1875 samples
  const int32_t sentence = (120 * 256 >> 7) * 16000 >> 10;  // 3750 samples
  std::vector<int32_t> expected = {speech, 2 * minor, speech, 2 * sentence, TTS_MARK_PAUSE, TTS_MARK_END};
  EXPECT_EQ(host.events, expected);
  EXPECT_EQ(fake::synthLog.inits, 2);
  EXPECT_EQ(fake::synthLog.releases, 2);
  EXPECT_EQ(fake::synthLog.pauseLengths, (std::vector<int32_t>{120, 240}));
  EXPECT_EQ(TTSFileGetWave_I(handle, nullptr, 0, host.fn(), host.user()), TTS_DONE);
}

TEST_F(DriverTest, ChunkWithoutPunctuationEndsWithMarkerTwice) {
  RecordingHost host;
  EXPECT_EQ(speakChunk(handle, u"hola", 0, host), TTS_DONE);
  ASSERT_GE(host.events.size(), 2u);
  EXPECT_EQ(host.events[host.events.size() - 2], TTS_MARK_END);
  EXPECT_EQ(host.events.back(), TTS_MARK_END);
  EXPECT_EQ(host.markers(TTS_MARK_PAUSE), 0);
}

TEST_F(DriverTest, ZeroPausesStillDeliverMarkers) {
  ctrl(TTSC_SET_MINOR_PAUSE, 0);
  ctrl(TTSC_SET_MAJOR_PAUSE, 0);
  RecordingHost host;
  EXPECT_EQ(speakChunk(handle, u"uno dos, tres.", 0, host), TTS_DONE);
  const int32_t speech = 2 * fake::kSamplesPerPhone;
  std::vector<int32_t> expected = {speech, speech, TTS_MARK_PAUSE, speech, TTS_MARK_PAUSE, TTS_MARK_END};
  EXPECT_EQ(host.events, expected);
  EXPECT_TRUE(fake::synthLog.pauseLengths.empty());
}

TEST_F(DriverTest, BufferRequestCoversTheLongestPause) {
  ctrl(TTSC_SET_MINOR_PAUSE, 100);
  ctrl(TTSC_SET_MAJOR_PAUSE, 120);
  RecordingHost host;
  EXPECT_EQ(speakChunk(handle, u"fin.", 0, host), TTS_DONE);
  EXPECT_EQ(fake::synthLog.lastRequest, 3750);  // 240 * 16000 >> 10
  EXPECT_EQ(fake::synthLog.pauseLengths, (std::vector<int32_t>{240}));
}

TEST_F(DriverTest, RefusedSamplesAbandonTheChunk) {
  RecordingHost host;
  host.refuseAfter = 0;
  EXPECT_EQ(TTSFileGetWave_I(handle, u"uno dos.", 0, host.fn(), host.user()), TTS_OK);
  EXPECT_EQ(TTSFileGetWave_I(handle, nullptr, 0, host.fn(), host.user()), TTS_OK);
  int32_t r;
  while ((r = TTSFileGetWave_I(handle, nullptr, 0, host.fn(), host.user())) == TTS_OK) {}
  EXPECT_EQ(r, TTS_ERR_ABANDONED);
  EXPECT_EQ(handle->stage, tts::kStageIdle);
  EXPECT_EQ(handle->synth, nullptr);
  EXPECT_EQ(handle->samples, nullptr);
  EXPECT_EQ(fake::synthLog.releases, 1);
  EXPECT_EQ(tts::arenaDepth(handle->arena), 0);
  // The host may start again.
  RecordingHost again;
  EXPECT_EQ(speakChunk(handle, u"tres.", 0, again), TTS_DONE);
  EXPECT_EQ(again.markers(TTS_MARK_PAUSE), 1);
}

TEST_F(DriverTest, NewTextMidPhraseStartsOver) {
  RecordingHost host;
  TTSFileGetWave_I(handle, u"uno dos tres.", 0, host.fn(), host.user());
  TTSFileGetWave_I(handle, nullptr, 0, host.fn(), host.user());
  TTSFileGetWave_I(handle, nullptr, 0, host.fn(), host.user());  // stage 2+3
  ASSERT_EQ(handle->stage, tts::kStageWords);
  EXPECT_EQ(TTSFileGetWave_I(handle, u"cuatro.", 0, host.fn(), host.user()), TTS_OK);
  EXPECT_EQ(handle->stage, tts::kStageAnalyse);
  EXPECT_EQ(handle->words.count, 1);
  EXPECT_EQ(handle->phraseRelation, nullptr);
}

TEST_F(DriverTest, ArenaExhaustionAbandonsWithMinusFour) {
  RecordingHost host;
  EXPECT_EQ(TTSFileGetWave_I(handle, u"uno FAIL dos", 0, host.fn(), host.user()), TTS_ERR_ABANDONED);
  EXPECT_EQ(handle->stage, tts::kStageIdle);
  EXPECT_EQ(tts::arenaDepth(handle->arena), 0);
  // Fill the arena so that stage 1 cannot get its arrays.
  EXPECT_EQ(TTSFileGetWave_I(handle, u"uno dos", 0, host.fn(), host.user()), TTS_OK);
  for (int32_t size : {4096, 1024, 256, 64, 16, 4, 1})
    while (tts::arenaAlloc(handle->arena, 1, size)) {}
  EXPECT_EQ(TTSFileGetWave_I(handle, nullptr, 0, host.fn(), host.user()), TTS_ERR_ABANDONED);
  EXPECT_EQ(tts::arenaDepth(handle->arena), 0);
  EXPECT_TRUE(host.events.empty());
}

TEST_F(DriverTest, CorruptStageIsRefused) {
  RecordingHost host;
  handle->stage = 9;
  EXPECT_EQ(TTSFileGetWave_I(handle, nullptr, 0, host.fn(), host.user()), TTS_ERR_ARGUMENT);
  handle->stage = -1;
  EXPECT_EQ(TTSFileGetWave_I(handle, nullptr, 0, host.fn(), host.user()), TTS_ERR_ARGUMENT);
  handle->stage = tts::kStageIdle;
}

TEST_F(DriverTest, PhraseWithoutSynthesiserDeliversItsPauseAsZeros) {
  handle->voice->synthInit = [](PhraseVoice*, const uint8_t*, const uint8_t*, const uint8_t*, const int32_t*,
                                int32_t, int32_t*) -> tts::PhraseSynth* { return nullptr; };
  RecordingHost host;
  EXPECT_EQ(speakChunk(handle, u"fin.", 0, host), TTS_DONE);
  int32_t zeros = 0;
  for (int32_t e : host.events)
    if (e > 0) zeros += e / 2;
  EXPECT_EQ(zeros, 3750);
  for (int16_t s : host.samples) EXPECT_EQ(s, 0);
  EXPECT_EQ(host.markers(TTS_MARK_PAUSE), 1);
}

}  // namespace
