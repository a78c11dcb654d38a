// Voice binding and PhraseTTSCtrl. Built once per deliverable: the speed
// arithmetic depends on the deliverable's base duration stretch.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "model/language.h"
#include "prosody/phoneset.h"
#include "synth/synth.h"
#include "synth/voice.h"
#include "voicedb/voicedb_writer.h"

#if defined(VOICE_TEST_ES)
constexpr int32_t kBase = 256, kStretch200 = 512, kStretch50 = 128, kStretch300 = 768, kStretch150 = 384;
#elif defined(VOICE_TEST_PL)
constexpr int32_t kBase = 307, kStretch200 = 614, kStretch50 = 153, kStretch300 = 921, kStretch150 = 460;
#elif defined(VOICE_TEST_TR)
constexpr int32_t kBase = 192, kStretch200 = 384, kStretch50 = 96, kStretch300 = 576, kStretch150 = 288;
#else
#error "define VOICE_TEST_ES, VOICE_TEST_PL or VOICE_TEST_TR"
#endif

namespace {

using voxa::voicedb::CodecHeader;
using voxa::voicedb::Unit;
using voxa::voicedb::VoiceHeader;

// A valid block: two units, order 2.
std::vector<uint8_t> smallVoice(int32_t rate = 22050, int32_t f0Mean = 120, int32_t f0StdDev = 15) {
  VoiceHeader header;
  header.voiceRate = rate;
  header.f0Mean = f0Mean;
  header.f0StdDev = f0StdDev;
  header.nameSize = 8;
  CodecHeader codec;
  codec.order = 2;
  codec.widths = {2, 1};
  codec.codebooks = {{100, 200, 300, 400}, {500, 600}};
  Unit ab;
  ab.name = "a-b";
  ab.firstPhonePeriods = 1;
  ab.periods.resize(2);
  for (auto& p : ab.periods) p.codes = {3, 1};
  Unit ba = ab;
  ba.name = "b-a";
  return voxa::voicedb::writeVoiceDatabase(header, codec, {ab, ba});
}

std::vector<uint8_t> rawHeader(int32_t version, int32_t rate, int32_t f0Mean, int32_t f0StdDev, int32_t n,
                               int32_t s) {
  std::vector<uint8_t> block;
  for (int32_t v : {version, rate, f0Mean, f0StdDev, n, s})
    for (int k = 0; k < 4; ++k) block.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * k)));
  return block;
}

struct VoiceDeleter {
  void operator()(PhraseVoice* v) const { tts::voiceRelease(v); }
};
using VoicePtr = std::unique_ptr<PhraseVoice, VoiceDeleter>;

void set(PhraseVoice* v, uint32_t code, int32_t value) { PhraseTTSCtrl(v, code, &value); }

int32_t outputRate(PhraseVoice* v) {
  int32_t rate = -12345;
  PhraseTTSCtrl(v, PTC_GET_OUTPUT_RATE, &rate);
  return rate;
}

TEST(VoiceBind, RefusesNullOtherModesAndOtherVersions) {
  const std::vector<uint8_t> good = smallVoice();
  EXPECT_EQ(tts::voiceBind(nullptr, 0, 0), nullptr);
  EXPECT_EQ(tts::voiceBind(nullptr, 100, 0), nullptr);
  EXPECT_EQ(tts::voiceBind(good.data(), 0, 1), nullptr);
  EXPECT_EQ(tts::voiceBind(good.data(), good.size(), -1), nullptr);
  for (int32_t version : {5, 7, 0, -6, 0x06000000}) {
    std::vector<uint8_t> block = good;
    block[0] = static_cast<uint8_t>(version);
    block[1] = static_cast<uint8_t>(version >> 8);
    block[2] = static_cast<uint8_t>(version >> 16);
    block[3] = static_cast<uint8_t>(static_cast<uint32_t>(version) >> 24);
    EXPECT_EQ(tts::voiceBind(block.data(), 0, 0), nullptr) << version;
    EXPECT_EQ(tts::voiceBind(block.data(), block.size(), 0), nullptr) << version;
  }
}

TEST(VoiceBind, TrustedVersionSixBindsWhateverTheHeaderSays) {
  // Nothing but the version is looked at when no size is given.
  const std::vector<uint8_t> block = rawHeader(6, -1, 0, 999, 1000000, 77);
  VoicePtr v(tts::voiceBind(block.data(), 0, 0));
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->formatVersion, 6);
  EXPECT_EQ(v->voiceRate, -1);
  EXPECT_EQ(v->f0StdDev, 999);
  EXPECT_EQ(v->unitCount, 1000000);
  EXPECT_EQ(v->nameSize, 77);
  EXPECT_EQ(v->databaseSize, 0u);
  EXPECT_EQ(v->dataEnd, nullptr);
  EXPECT_EQ(v->ownership, 0);
  // The same block with its size is refused: its tables lie outside it.
  EXPECT_EQ(tts::voiceBind(block.data(), block.size(), 0), nullptr);
}

TEST(VoiceBind, RecordPointsIntoTheHostBlock) {
  const std::vector<uint8_t> block = smallVoice(16000, 130, 17);
  VoicePtr v(tts::voiceBind(block.data(), block.size(), 0));
  ASSERT_NE(v, nullptr);
  tts::Settings settings{};  // the owning handle's record
  v->settings = &settings;
  EXPECT_EQ(v->database, block.data());
  EXPECT_EQ(v->databaseSize, block.size());
  EXPECT_EQ(v->dataEnd, block.data() + block.size());
  EXPECT_EQ(v->voiceRate, 16000);
  EXPECT_EQ(v->f0Mean, 130);
  EXPECT_EQ(v->f0StdDev, 17);
  EXPECT_EQ(v->unitCount, 2);
  EXPECT_EQ(v->nameSize, 8);
  EXPECT_EQ(reinterpret_cast<const uint8_t*>(v->unitNames), block.data() + 24);
  EXPECT_STREQ(v->unitNames, "a-b");
  EXPECT_STREQ(v->unitNames + 8, "b-a");
  EXPECT_EQ(v->unitOffsets, block.data() + 24 + 16);
  EXPECT_EQ(v->unitData, block.data() + 24 + 16 + 8);
  EXPECT_EQ(v->databaseName, nullptr);
  EXPECT_EQ(v->synthInit, &tts::synthInit);
  EXPECT_EQ(v->synthGenerate, &tts::synthGenerate);
  EXPECT_EQ(v->synthRelease, &tts::synthRelease);
  // The phone lookups arrive with the reset.
  EXPECT_EQ(v->phoneIndex, nullptr);
}

TEST(VoiceBind, UnalignedBlockBinds) {
  const std::vector<uint8_t> block = smallVoice();
  std::vector<uint8_t> shifted(block.size() + 1);
  std::memcpy(shifted.data() + 1, block.data(), block.size());
  VoicePtr v(tts::voiceBind(shifted.data() + 1, block.size(), 0));
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->voiceRate, 22050);
}

TEST(VoiceRelease, NullAndBound) {
  EXPECT_EQ(tts::voiceRelease(nullptr), -10);
  const std::vector<uint8_t> block = smallVoice();
  PhraseVoice* v = tts::voiceBind(block.data(), block.size(), 0);
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(tts::voiceRelease(v), 0);
  EXPECT_EQ(block[0], 6) << "the host's block is left alone";
}

TEST(PhraseTTSCtrl, ResetKeepsBoundDatabaseValues) {
  const std::vector<uint8_t> block = smallVoice(22050, 120, 15);
  VoicePtr v(tts::voiceBind(block.data(), block.size(), 0));
  ASSERT_NE(v, nullptr);
  tts::Settings settings{};  // the owning handle's record
  v->settings = &settings;
  const char* names = v->unitNames;
  const uint8_t* data = v->unitData;
  set(v.get(), PTC_SET_OUTPUT_RATE, 8000);
  set(v.get(), PTC_SET_PITCH, 200);
  set(v.get(), PTC_SET_SPEED, 200);
  set(v.get(), PTC_SET_RESERVED, 42);
  PhraseTTSCtrl(v.get(), PTC_RESET, nullptr);
  EXPECT_EQ(v->voiceRate, 22050);
  EXPECT_EQ(v->f0Mean, 200) << "pitch is a voice setting that a reset keeps";
  EXPECT_EQ(v->f0StdDev, 25);
  EXPECT_EQ(v->formatVersion, 6);
  EXPECT_EQ(v->unitCount, 2);
  EXPECT_EQ(v->unitNames, names);
  EXPECT_EQ(v->unitData, data);
  EXPECT_EQ(v->databaseName, nullptr);
  EXPECT_EQ(outputRate(v.get()), 22050);
  EXPECT_EQ(settings.durationStretch_Q8, kBase);
  EXPECT_EQ(v->reserved, 0);
}

TEST(PhraseTTSCtrl, ResetWithoutDatabaseLoadsDefaults) {
  PhraseVoice* v = static_cast<PhraseVoice*>(std::calloc(1, sizeof(PhraseVoice)));
  ASSERT_NE(v, nullptr);
  tts::Settings settings{};
  v->settings = &settings;
  v->unitNames = "stale";
  PhraseTTSCtrl(v, PTC_RESET, nullptr);
  EXPECT_EQ(v->formatVersion, 1);
  EXPECT_EQ(v->unitCount, 0);
  EXPECT_EQ(v->voiceRate, 16000);
  EXPECT_EQ(v->f0Mean, 205);
  EXPECT_EQ(v->f0StdDev, 20);
  EXPECT_EQ(v->nameSize, 0);
  EXPECT_EQ(v->unitNames, nullptr);
  EXPECT_EQ(v->unitOffsets, nullptr);
  EXPECT_EQ(v->unitData, nullptr);
  ASSERT_NE(v->databaseName, nullptr);
  const std::string name = v->databaseName;
  const std::string tail = "Diphone16k.pcm";
  ASSERT_GT(name.size(), tail.size());
  EXPECT_EQ(name.substr(name.size() - tail.size()), tail);
  EXPECT_EQ(name[name.size() - tail.size() - 1], '/');
  EXPECT_EQ(settings.outputRate_Hz, 16000);
  EXPECT_EQ(settings.durationStretch_Q8, kBase);
  EXPECT_EQ(tts::voiceRelease(v), 0);
}

TEST(PhraseTTSCtrl, ResetInstallsTheDeliverablesPhoneLookups) {
  const std::vector<uint8_t> block = smallVoice();
  VoicePtr v(tts::voiceBind(block.data(), block.size(), 0));
  ASSERT_NE(v, nullptr);
  tts::Settings settings{};  // the owning handle's record
  v->settings = &settings;
  PhraseTTSCtrl(v.get(), PTC_RESET, nullptr);
  ASSERT_NE(v->phoneIndex, nullptr);
  ASSERT_NE(v->phoneName, nullptr);
  ASSERT_NE(v->phoneIsVowel, nullptr);
  ASSERT_NE(v->phoneIsSonorant, nullptr);
  ASSERT_NE(v->phoneCtype, nullptr);
  const tts::PhoneSet* set = tts::kLanguage.phoneset;
  if (!set) GTEST_SKIP() << "the deliverable carries no phone set yet";
  EXPECT_EQ(v->phoneIndex("##"), 0);
  EXPECT_EQ(v->phoneIndex("not a phone"), 0);
  EXPECT_STREQ(v->phoneName(0), "##");
  EXPECT_EQ(v->phoneName(set->phoneCount), nullptr);
  EXPECT_EQ(v->phoneName(-1), nullptr);
  for (int32_t id = 0; id < set->phoneCount; ++id) {
    EXPECT_EQ(v->phoneIndex(v->phoneName(id)), id);
    EXPECT_EQ(v->phoneIsVowel(id), tts::phoneIsVowel(set, id));
    EXPECT_EQ(v->phoneIsSonorant(id), tts::phoneIsSonorant(set, id));
    EXPECT_STREQ(v->phoneCtype(id), tts::phoneCtype(set, id));
  }
  const int32_t a = v->phoneIndex("a");
  EXPECT_EQ(v->phoneIsVowel(a), 1);
  EXPECT_EQ(v->phoneIsSonorant(a), 1);
  EXPECT_STREQ(v->phoneCtype(v->phoneIndex("m")), "n");
  EXPECT_EQ(v->phoneIsSonorant(v->phoneIndex("m")), 1);
  EXPECT_EQ(v->phoneIsSonorant(v->phoneIndex("p")), 0);
}

TEST(PhraseTTSCtrl, PitchSetsMeanAndAnEighthTruncatingTowardZero) {
  const std::vector<uint8_t> block = smallVoice();
  VoicePtr v(tts::voiceBind(block.data(), block.size(), 0));
  ASSERT_NE(v, nullptr);
  tts::Settings settings{};  // the owning handle's record
  v->settings = &settings;
  const struct {
    int32_t value, stddev;
  } cases[] = {{200, 25}, {-9, -1}, {15, 1}, {-8, -1}, {-7, 0}, {7, 0}, {0, 0}, {INT32_MIN, INT32_MIN / 8}};
  for (const auto& c : cases) {
    set(v.get(), PTC_SET_PITCH, c.value);
    EXPECT_EQ(v->f0Mean, c.value);
    EXPECT_EQ(v->f0StdDev, c.stddev) << c.value;
  }
}

TEST(PhraseTTSCtrl, SpeedIsADurationPercentageOfTheBase) {
  const std::vector<uint8_t> block = smallVoice();
  VoicePtr v(tts::voiceBind(block.data(), block.size(), 0));
  ASSERT_NE(v, nullptr);
  tts::Settings settings{};  // the owning handle's record
  v->settings = &settings;
  PhraseTTSCtrl(v.get(), PTC_RESET, nullptr);
  const struct {
    int32_t percent, stretch;
  } cases[] = {
      {200, kStretch200}, {100, kBase},        {150, kStretch150}, {50, kStretch50},   {300, kStretch300},
      {49, kStretch50},   {0, kStretch50},     {-100, kStretch50}, {INT32_MIN, kStretch50},
      {301, kStretch300}, {100000, kStretch300}, {INT32_MAX, kStretch300},
  };
  for (const auto& c : cases) {
    set(v.get(), PTC_SET_SPEED, c.percent);
    EXPECT_EQ(settings.durationStretch_Q8, c.stretch) << c.percent;
  }
  // Every honoured request is p * base / 100, truncated.
  for (int32_t p = 50; p <= 300; ++p) {
    set(v.get(), PTC_SET_SPEED, p);
    EXPECT_EQ(settings.durationStretch_Q8, p * kBase / 100) << p;
  }
}

TEST(PhraseTTSCtrl, RatesNameAndReservedWord) {
  const std::vector<uint8_t> block = smallVoice(16000);
  VoicePtr v(tts::voiceBind(block.data(), block.size(), 0));
  ASSERT_NE(v, nullptr);
  tts::Settings settings{};  // the owning handle's record
  v->settings = &settings;
  PhraseTTSCtrl(v.get(), PTC_RESET, nullptr);
  EXPECT_EQ(outputRate(v.get()), 16000);
  set(v.get(), PTC_SET_OUTPUT_RATE, 11000);
  EXPECT_EQ(outputRate(v.get()), 11000);
  EXPECT_EQ(v->voiceRate, 16000);
  set(v.get(), PTC_SET_VOICE_RATE, 8000);
  EXPECT_EQ(v->voiceRate, 8000);
  EXPECT_EQ(outputRate(v.get()), 11000);
  static char name[] = "/elsewhere/voice.pcm";
  PhraseTTSCtrl(v.get(), PTC_SET_DB_NAME, reinterpret_cast<int32_t*>(name));
  EXPECT_EQ(v->databaseName, name) << "the pointer itself is kept";
  set(v.get(), PTC_SET_RESERVED, 77);
  EXPECT_EQ(v->reserved, 77);
}

TEST(PhraseTTSCtrl, AVoiceWithoutAHandleKeepsOnlyItsOwnValues) {
  const std::vector<uint8_t> block = smallVoice(22050, 120, 15);
  VoicePtr v(tts::voiceBind(block.data(), block.size(), 0));
  ASSERT_NE(v, nullptr);
  PhraseTTSCtrl(v.get(), PTC_RESET, nullptr);
  set(v.get(), PTC_SET_SPEED, 200);
  set(v.get(), PTC_SET_OUTPUT_RATE, 8000);
  set(v.get(), PTC_SET_PITCH, 160);
  EXPECT_EQ(outputRate(v.get()), 22050) << "without a handle the voice delivers at its own rate";
  EXPECT_EQ(v->f0Mean, 160);
  EXPECT_EQ(v->f0StdDev, 20);
}

TEST(PhraseTTSCtrl, UnknownCodesNullVoiceAndNullValueDoNothing) {
  const std::vector<uint8_t> block = smallVoice();
  VoicePtr v(tts::voiceBind(block.data(), block.size(), 0));
  ASSERT_NE(v, nullptr);
  tts::Settings settings{};  // the owning handle's record
  v->settings = &settings;
  PhraseTTSCtrl(v.get(), PTC_RESET, nullptr);
  PhraseVoice before;
  std::memcpy(&before, v.get(), sizeof before);
  const tts::Settings settingsBefore = settings;
  int32_t value = 12345;
  for (uint32_t code : {8u, 9u, 100u, 0x80000000u, 0xFFFFFFFFu}) {
    PhraseTTSCtrl(v.get(), code, &value);
    EXPECT_EQ(std::memcmp(&before, v.get(), sizeof before), 0) << code;
    EXPECT_EQ(std::memcmp(&settingsBefore, &settings, sizeof settings), 0) << code;
    EXPECT_EQ(value, 12345);
  }
  for (uint32_t code : {1u, 2u, 4u, 5u, 6u, 7u}) {
    PhraseTTSCtrl(v.get(), code, nullptr);
    EXPECT_EQ(std::memcmp(&before, v.get(), sizeof before), 0) << code;
    EXPECT_EQ(std::memcmp(&settingsBefore, &settings, sizeof settings), 0) << code;
  }
  for (uint32_t code = 0; code < 10; ++code) PhraseTTSCtrl(nullptr, code, &value);
  EXPECT_EQ(value, 12345);
}

}  // namespace
