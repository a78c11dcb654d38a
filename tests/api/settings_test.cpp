// Speed, pitch and output format set through the public controls reach the
// speech of this deliverable's default voice, from the next chunk on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "api/tts_file.h"
#include "corvum.h"
#include "support/test_host.h"
#include "tts_engine.h"

#ifndef VOXA_LANG
#error "VOXA_LANG must name the deliverable's language"
#endif

namespace {

struct Texts {
  const char* first;
  const char* second;
};

// Half speed doubles every segment, except that a segment is handed to the
// synthesiser with at most 250/1024 s: Polish, whose segments are the
// longest, keeps a little less than twice its length.
double slowestRatio() { return std::string(VOXA_LANG) == "pl" ? 1.8 : 1.9; }

Texts texts() {
  const std::string lang = VOXA_LANG;
  if (lang == "es")
    return {"La doctora Ruiz llegó a la estación de Zaragoza con una maleta pequeña.",
            "Nadie lo sabía, pero todos siguieron su camino hacia el hotel."};
  if (lang == "pl")
    return {"Doktor Nowak przyjechała na dworzec w Szczecinie z małą walizką.",
            "Nikt nie wiedział, ale wszyscy poszli dalej do hotelu."};
  return {"Doktor Yılmaz küçük bir çantayla Ankara garına geldi.",
          "Kimse bilmiyordu, ama herkes otele doğru yoluna devam etti."};
}

struct Speech {
  std::vector<int16_t> samples;
  std::vector<double> f0;  // Hz at every pitch point of every segment
};

void onPhrase(intptr_t user, const TTSSegment* segments, int32_t count, int32_t rate) {
  auto* speech = reinterpret_cast<Speech*>(user);
  for (int32_t i = 0; i < count; ++i)
    for (int32_t p : segments[i].pitch)
      if (p > 0) speech->f0.push_back(static_cast<double>(rate) / p);
}

// One handle on the default voice with both pauses 0, so that the samples
// are speech alone.
class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ifstream in(std::string(VOXA_VOICE_DIR) + "/" + VOXA_LANG + ".voice", std::ios::binary);
    voice.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    ASSERT_GT(voice.size(), 24u);
    lexicon = LexMgr_Open(CORVUM_LANG_ALL);
    handle = open();
    ASSERT_NE(handle, nullptr);
  }
  void TearDown() override {
    TTSFileClose_I(handle);
    LexMgr_Close(lexicon);
  }
  TTSFile* open() {
    TTSFile* h = TTSFileOpenSized_I(lexicon, voice.data(), voice.size(), 0, TTS_FORMAT_KEEP);
    int32_t zero = 0;
    TTSFileCtrl_I(h, TTSC_SET_MINOR_PAUSE, &zero);
    TTSFileCtrl_I(h, TTSC_SET_MAJOR_PAUSE, &zero);
    return h;
  }
  void set(int32_t code, int32_t value) { ASSERT_EQ(TTSFileCtrl_I(handle, code, &value), TTS_OK) << code; }
  Speech speak(const char* utf8, TTSFile* h = nullptr) {
    Speech speech;
    if (!h) h = handle;
    TTSInspector inspector{};
    inspector.user = reinterpret_cast<intptr_t>(&speech);
    inspector.phrase = onPhrase;
    TTSFileSetInspector_I(h, &inspector);
    tts_test::RecordingHost host;
    EXPECT_EQ(tts_test::speakChunk(h, tts_test::utf16(utf8), 0, host), TTS_DONE);
    TTSFileSetInspector_I(h, nullptr);
    speech.samples = host.samples;
    return speech;
  }
  std::vector<uint8_t> voice;
  CorvumLexicon* lexicon = nullptr;
  TTSFile* handle = nullptr;
};

double ratio(size_t a, size_t b) { return static_cast<double>(a) / static_cast<double>(b); }

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// Share of the energy below 3500 Hz in each 500 Hz band: an averaged power
// spectrum over frames of 32 ms (31.25 Hz bins at any rate).
std::vector<double> bandShares(const std::vector<int16_t>& x, int32_t rate) {
  const int32_t n = rate / 32;
  const double pi = std::acos(-1.0);
  std::vector<double> bands(7, 0.0);
  for (size_t start = 0; start + n <= x.size(); start += n) {
    for (int32_t bin = 1; bin < 112; ++bin) {  // 31.25 .. 3469 Hz
      double re = 0, im = 0;
      for (int32_t i = 0; i < n; ++i) {
        const double w = 0.5 - 0.5 * std::cos(2 * pi * i / n);
        re += w * x[start + i] * std::cos(2 * pi * bin * i / n);
        im -= w * x[start + i] * std::sin(2 * pi * bin * i / n);
      }
      bands[bin / 16] += re * re + im * im;
    }
  }
  double total = 0;
  for (double b : bands) total += b;
  for (double& b : bands) b /= total;
  return bands;
}

TEST_F(SettingsTest, SpeedScalesTheSpeechFromTheNextChunk) {
  const size_t normal = speak(texts().first).samples.size();
  const struct {
    int32_t percent;
    double low, high;
  } cases[] = {{50, 0.45, 0.55}, {200, slowestRatio(), 2.1}, {100, 1.0, 1.0}};
  for (const auto& c : cases) {
    set(TTSC_SET_SPEED, c.percent);
    const double r = ratio(speak(texts().first).samples.size(), normal);
    EXPECT_GE(r, c.low) << c.percent;
    EXPECT_LE(r, c.high) << c.percent;
  }
}

TEST_F(SettingsTest, PitchMovesTheF0Targets) {
  set(TTSC_SET_PITCH, 100);
  const double low = median(speak(texts().first).f0);
  set(TTSC_SET_PITCH, 150);
  const double high = median(speak(texts().first).f0);
  EXPECT_GE(high, 1.3 * low) << low << " Hz against " << high << " Hz";
}

TEST_F(SettingsTest, EightKilohertzMatchesTheVoiceRateBelowItsBand) {
  const Speech wide = speak(texts().first);
  set(TTSC_SET_FORMAT, TTS_FORMAT_8K);
  int32_t format = 0;
  ASSERT_EQ(TTSFileCtrl_I(handle, TTSC_GET_FORMAT, &format), TTS_OK);
  EXPECT_EQ(format, TTS_FORMAT_8K);
  const Speech narrow = speak(texts().first);
  EXPECT_NEAR(ratio(narrow.samples.size() * 2, wide.samples.size()), 1.0, 0.02);
  const std::vector<double> a = bandShares(wide.samples, 16000), b = bandShares(narrow.samples, 8000);
  for (size_t i = 0; i < a.size(); ++i) EXPECT_NEAR(b[i], a[i], 0.01 + 0.1 * a[i]) << "band " << i;
}

// A change between the chunks of one text leaves the first chunk as it was
// and reaches the whole of the second.
TEST_F(SettingsTest, ChangesBetweenChunksApplyFromTheNextChunk) {
  const Speech first = speak(texts().first);
  const size_t second = speak(texts().second).samples.size();
  const struct {
    int32_t code, value;
    double low, high;
  } cases[] = {{TTSC_SET_FORMAT, TTS_FORMAT_8K, 0.49, 0.51},
               {TTSC_SET_FORMAT, TTS_FORMAT_11K, 0.68, 0.70},
               {TTSC_SET_SPEED, 200, slowestRatio(), 2.1}};
  for (const auto& c : cases) {
    TTSFile* h = open();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(speak(texts().first, h).samples, first.samples) << c.code;
    int32_t value = c.value;
    EXPECT_EQ(TTSFileCtrl_I(h, c.code, &value), TTS_OK);
    const double r = ratio(speak(texts().second, h).samples.size(), second);
    EXPECT_GE(r, c.low) << c.code << " " << c.value;
    EXPECT_LE(r, c.high) << c.code << " " << c.value;
    TTSFileClose_I(h);
  }
}

// Setting what is already in force changes nothing: no resampling at the
// voice's own rate, the base stretch at 100, the voice's mean F0.
TEST_F(SettingsTest, DefaultsSetExplicitlyGiveTheSameSamples) {
  const Speech before = speak(texts().first);
  const int32_t voiceMean = voice[8] | voice[9] << 8;
  set(TTSC_SET_SPEED, 100);
  set(TTSC_SET_PITCH, voiceMean);
  set(TTSC_SET_FORMAT, TTS_FORMAT_16K);
  set(TTSC_SET_FORMAT, TTS_FORMAT_KEEP);
  EXPECT_EQ(speak(texts().first).samples, before.samples);
  // Back at the voice rate after 8 kHz: the resampler is out of the way again.
  set(TTSC_SET_FORMAT, TTS_FORMAT_8K);
  speak(texts().first);
  set(TTSC_SET_FORMAT, TTS_FORMAT_16K);
  EXPECT_EQ(speak(texts().first).samples, before.samples);
  // Voice-state rates: any rate the resampler takes, the voice's own beyond its bounds.
  const struct {
    int32_t rate;
    double ratio;
  } rates[] = {{22050, 22050.0 / 16000}, {500, 1.0}, {1000000, 1.0}};
  for (const auto& r : rates) {
    int32_t rate = r.rate;
    PhraseTTSCtrl(handle->voice, PTC_SET_OUTPUT_RATE, &rate);
    EXPECT_NEAR(ratio(speak(texts().first).samples.size(), before.samples.size()), r.ratio, 0.01) << r.rate;
  }
}

TEST_F(SettingsTest, RefusedSamplesAtAnotherRateAbandonTheChunk) {
  set(TTSC_SET_FORMAT, TTS_FORMAT_11K);
  tts_test::RecordingHost host;
  host.refuseAfter = 0;
  EXPECT_EQ(tts_test::speakChunk(handle, tts_test::utf16(texts().first), 0, host), TTS_ERR_ABANDONED);
  // The handle speaks the next chunk whole.
  const size_t again = speak(texts().first).samples.size();
  set(TTSC_SET_FORMAT, TTS_FORMAT_16K);
  EXPECT_NEAR(ratio(again * 16000, speak(texts().first).samples.size() * 11000), 1.0, 0.02);
}

}  // namespace
