// Concatenation, prosody modification and sample output: set-up, target
// periods and class mappings, level control, fades, pauses, capacities, and a
// pinned output hash for a fixed voice and fixed unit targets.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "synth/output_stage.h"
#include "synth/phrase_synth.h"
#include "synth/synth.h"
#include "synth_test_voice.h"

namespace {

using namespace synth_test;
using tts::PhraseSynth;
using tts::SynthControl;

constexpr SynthControl kSpeech = {3, 0, 1, 1, 1, 0, 1};

struct Phrase {
  std::vector<uint8_t> phones, prominence, durations;
  std::vector<int32_t> pitch;
  void add(uint8_t phone, uint8_t duration, std::vector<int32_t> p = {100, 100, 100, 100}) {
    phones.push_back(phone);
    prominence.push_back(0);
    durations.push_back(duration);
    pitch.insert(pitch.end(), p.begin(), p.end());
  }
};

struct SynthDeleter {
  void operator()(PhraseSynth* s) const { tts::synthRelease(s); }
};
using SynthPtr = std::unique_ptr<PhraseSynth, SynthDeleter>;

SynthPtr init(PhraseVoice* voice, const Phrase& p, int32_t* size) {
  return SynthPtr(tts::synthInit(voice, p.phones.data(), p.prominence.data(), p.durations.data(), p.pitch.data(),
                                 static_cast<int32_t>(p.phones.size()), size));
}

// Runs the whole phrase; returns the per-call counts, appends the samples.
std::vector<int32_t> run(PhraseSynth* synth, int32_t size, std::vector<int16_t>* all,
                         SynthControl control = kSpeech) {
  std::vector<int16_t> buffer(static_cast<size_t>(size));
  std::vector<int32_t> counts;
  for (int guard = 0; guard < 1000; ++guard) {
    const int32_t k = tts::synthGenerate(synth, buffer.data(), &control);
    if (k < 0) break;
    EXPECT_LE(k, size);
    counts.push_back(k);
    if (all) all->insert(all->end(), buffer.begin(), buffer.begin() + k);
  }
  return counts;
}

class SynthTest : public ::testing::Test {
 protected:
  void SetUp() override {
    block = buildBlock(allPairUnits());
    voice = bindTestVoice(block);
    ASSERT_TRUE(voice);
  }
  std::vector<uint8_t> block;
  VoicePtr voice;
};

TEST_F(SynthTest, InitChecksInputsAndRaisesTheBufferSize) {
  Phrase p;
  p.add(kSil, 50);
  p.add(kA, 80);
  p.add(kSil, 50);
  int32_t size = 3750;
  SynthPtr s = init(voice.get(), p, &size);
  ASSERT_TRUE(s);
  EXPECT_EQ(size, ((1050 * 16000) >> 10) + 128);
  int32_t big = 20000;
  SynthPtr s2 = init(voice.get(), p, &big);
  EXPECT_EQ(big, 20000 + 128);

  EXPECT_EQ(tts::synthInit(nullptr, p.phones.data(), nullptr, p.durations.data(), p.pitch.data(), 3, &size), nullptr);
  EXPECT_EQ(tts::synthInit(voice.get(), nullptr, nullptr, p.durations.data(), p.pitch.data(), 3, &size), nullptr);
  EXPECT_EQ(tts::synthInit(voice.get(), p.phones.data(), nullptr, p.durations.data(), p.pitch.data(), 0, &size), nullptr);
  EXPECT_EQ(tts::synthInit(voice.get(), p.phones.data(), nullptr, p.durations.data(), p.pitch.data(), 3, nullptr), nullptr);
  int16_t buf[8];
  EXPECT_EQ(tts::synthGenerate(nullptr, buf, &kSpeech), -1);
  EXPECT_EQ(tts::synthGenerate(s.get(), nullptr, &kSpeech), -1);
  EXPECT_EQ(tts::synthGenerate(s.get(), buf, nullptr), -1);
  tts::synthRelease(nullptr);
}

TEST_F(SynthTest, TargetPeriods) {
  Phrase p;
  p.add(kS, 10);
  p.add(kA, 26, {80, 80, 100, 100});  // D = 26 * 16000 >> 10 = 406
  p.add(kSil, 10);
  int32_t size = 0;
  SynthPtr s = init(voice.get(), p, &size);
  tts::buildTargets(s.get(), 0, 0);  // duration 10 at 16 kHz: 156 samples, one 10 ms period
  ASSERT_EQ(s->targetCount, 1);
  EXPECT_EQ(s->targets[0], 160);
  tts::buildTargets(s.get(), 1, 1);
  std::vector<int32_t> t(s->targets, s->targets + s->targetCount);
  EXPECT_EQ(t, (std::vector<int32_t>{80, 80, 91, 100, 100}));  // t = 160: (109 * 80 + 147 * 100) >> 8
  EXPECT_TRUE(std::is_sorted(t.begin(), t.end()));
}

TEST_F(SynthTest, BadPitchTargetsNeverHangOrOverflow) {
  Phrase p;
  p.add(kA, 250, {0, -5, 0, 0});
  p.add(kA, 250, {100000, 100000, 100000, 100000});
  p.add(kSil, 10);
  int32_t size = 0;
  SynthPtr s = init(voice.get(), p, &size);
  tts::buildTargets(s.get(), 0, 1);
  EXPECT_EQ(s->targetCount, tts::kMaxTargetPeriods);
  tts::buildTargets(s.get(), 1, 1);
  for (int32_t k = 0; k < s->targetCount; ++k) EXPECT_EQ(s->targets[k], tts::kMaxPeriodSamples);
  std::vector<int16_t> out;
  run(s.get(), size, &out);
  EXPECT_GT(out.size(), 0u);
}

TEST_F(SynthTest, ClassMappings) {
  Phrase p;
  p.add(kA, 50);
  p.add(kSil, 50);
  int32_t size = 0;
  SynthPtr s = init(voice.get(), p, &size);
  PhraseSynth* st = s.get();
  for (int i = 0; i < 40; ++i) st->lengths[i] = 70 + i;
  auto targets = [&](int32_t n) {
    st->targetCount = n;
    for (int32_t k = 0; k < n; ++k) st->targets[k] = 100;
  };
  auto mapOf = [&](int32_t count) { return std::vector<int32_t>(st->map, st->map + count); };

  targets(6);  // vowels spread the targets evenly
  EXPECT_EQ(mapOf(tts::mapTargets(st, "0", 2, 4)), (std::vector<int32_t>{0, 0, 1, 2, 2, 3}));
  targets(30);  // nasal with 10 source periods: never more than 15 targets
  EXPECT_EQ(tts::mapTargets(st, "n", 5, 10), 15);
  EXPECT_EQ(st->map[14], 14 * 10 / 15);
  targets(3);  // other consonants: at most one target per source period
  EXPECT_EQ(tts::mapTargets(st, "f", 1, 2), 2);
  targets(5);  // trill and affricate keep their recorded periods
  EXPECT_EQ(tts::mapTargets(st, "r", 3, 7), 7);
  EXPECT_EQ(st->targets[6], 76);
  EXPECT_EQ(st->map[6], 6);
  // Stop with more source periods than (stretched) targets: the first period and the last T - 1.
  targets(2);
  const int32_t count = tts::mapTargets(st, "s", 10, 12);  // stretched to 12 - 10 + 5 = 7
  EXPECT_EQ(count, 7);
  EXPECT_EQ(mapOf(count), (std::vector<int32_t>{0, 6, 7, 8, 9, 10, 11}));
  // Stop with fewer periods than targets: spread over the periods before the join, then J, J+1, ...
  targets(8);
  EXPECT_EQ(mapOf(tts::mapTargets(st, "s", 2, 5)), (std::vector<int32_t>{0, 0, 0, 1, 1, 2, 3, 4}));
}

TEST_F(SynthTest, TrillKeepsItsRecordedPeriods) {
  Phrase p;
  p.add(kA, 60);
  p.add(kR, 200);  // the duration target is ignored
  p.add(kA, 60);
  p.add(kSil, 20);
  int32_t size = 0;
  SynthPtr s = init(voice.get(), p, &size);
  SynthControl plain = kSpeech;
  plain.useLevelControl = 0;
  std::vector<int16_t> buffer(static_cast<size_t>(size));
  EXPECT_GE(tts::synthGenerate(s.get(), buffer.data(), &plain), 0);
  // The trill holds the second half of "a-r" and the first half of "r-a": 8 periods of 100.
  EXPECT_EQ(tts::synthGenerate(s.get(), buffer.data(), &plain), 800);
}

TEST_F(SynthTest, SilenceYieldsTheSumOfItsTargetPeriods) {
  Phrase p;
  p.add(kSil, 10);
  p.add(kSil, 30);  // D = 468: three periods of 160
  p.add(kSil, 10);
  int32_t size = 0;
  SynthPtr s = init(voice.get(), p, &size);
  std::vector<int16_t> out;
  const std::vector<int32_t> counts = run(s.get(), size, &out);
  EXPECT_EQ(counts, (std::vector<int32_t>{160, 480}));
  for (int16_t v : out) ASSERT_EQ(v, 0);
}

TEST_F(SynthTest, LevelControlHoldsBackPartialBlocks) {
  Phrase p;
  p.add(kA, 9, {148, 148, 148, 148});   // D = 140: one period of 148
  p.add(kA, 19, {100, 100, 100, 100});  // D = 296: three periods of 100
  p.add(kA, 20);
  p.add(kSil, 20);
  int32_t size = 0;
  SynthPtr s = init(voice.get(), p, &size);
  std::vector<int16_t> buffer(static_cast<size_t>(size));
  EXPECT_EQ(tts::synthGenerate(s.get(), buffer.data(), &kSpeech), 128);
  EXPECT_EQ(s->heldCount, 20);
  EXPECT_EQ(tts::synthGenerate(s.get(), buffer.data(), &kSpeech), 256);  // 20 held + 300 new
  EXPECT_EQ(s->heldCount, 64);
  // Before the silence the held-back samples are flushed, then faded out.
  const int32_t last = tts::synthGenerate(s.get(), buffer.data(), &kSpeech);
  EXPECT_EQ(last, 64 + 400);  // D = 312: four periods of 100
  EXPECT_EQ(s->heldCount, 0);
  EXPECT_EQ(buffer[last - 1], 0);
  EXPECT_EQ(tts::synthGenerate(s.get(), buffer.data(), &kSpeech), -1);
  EXPECT_EQ(tts::synthGenerate(s.get(), buffer.data(), &kSpeech), -1);
}

TEST_F(SynthTest, SpeechWithoutTrailingSilenceLosesNoSamples) {
  Phrase p;
  p.add(kA, 23);
  p.add(kN, 31);
  p.add(kA, 17);
  int32_t size = 0;
  SynthPtr withLevel = init(voice.get(), p, &size);
  SynthPtr without = init(voice.get(), p, &size);
  SynthControl plain = kSpeech;
  plain.useLevelControl = 0;
  std::vector<int32_t> a = run(withLevel.get(), size, nullptr);
  std::vector<int32_t> b = run(without.get(), size, nullptr, plain);
  ASSERT_EQ(a.size(), 2u);
  EXPECT_EQ(a[0] % 128, 0);  // a partial block is held back between phones
  EXPECT_EQ(a[0] + a[1], b[0] + b[1]);  // and flushed by the last phone
  EXPECT_EQ(withLevel->heldCount, 0);
}

TEST(OutputStage, FadesOverAPowerOfTwo) {
  std::vector<int16_t> x(100, 1000);
  tts::fadeIn(x.data(), 100);  // J = 100: ramps over the first 64 samples only
  for (int j = 0; j < 64; ++j) EXPECT_EQ(x[j], (j * 1000) >> 6);
  for (int j = 64; j < 100; ++j) EXPECT_EQ(x[j], 1000);
  std::vector<int16_t> y(300, -1000);
  tts::fadeOut(y.data(), 300);  // J = 256: the last 256 samples
  EXPECT_EQ(y[43], -1000);
  EXPECT_EQ(y[44], (255 * -1000) >> 8);
  EXPECT_EQ(y[299], 0);
  std::vector<int16_t> one(1, 500);
  tts::fadeOut(one.data(), 1);
  EXPECT_EQ(one[0], 500);
}

TEST(OutputStage, LevelControlBringsLevelsTowardsTarget) {
  tts::LevelControl lc{};
  lc.floor = 1000;
  std::vector<int16_t> block(128);
  int32_t peak = 0;
  for (int b = 0; b < 40; ++b) {
    for (int i = 0; i < 128; ++i) block[i] = static_cast<int16_t>((i % 16 < 8 ? 1 : -1) * 4000);
    tts::levelControlBlock(&lc, block.data(), 128);
    peak = tts::peakAbs(block.data(), 128);
  }
  EXPECT_GT(peak, 23000);  // a steady 4000 peak is brought up to about 25000
  EXPECT_LE(peak, 30000);
  for (int i = 0; i < 128; ++i) block[i] = 32767;
  tts::levelControlBlock(&lc, block.data(), 128);
  EXPECT_LE(tts::peakAbs(block.data(), 128), 30000);  // clamped
}

TEST_F(SynthTest, PauseIsIndependentOfSpeechState) {
  Phrase p;
  p.add(kSil, 10);
  p.add(kA, 40);
  p.add(kSil, 10);
  int32_t size = (512 * 16000) >> 10;
  SynthPtr s = init(voice.get(), p, &size);
  std::vector<int16_t> speech;
  run(s.get(), size, &speech);
  std::vector<int16_t> buffer(static_cast<size_t>(size), 77);
  const SynthControl pause = {0, 512, 1, 1, 1, 0, 1};
  EXPECT_EQ(tts::synthGenerate(s.get(), buffer.data(), &pause), 8000);  // 512 units at 16 kHz
  for (int i = 0; i < 8000; ++i) ASSERT_EQ(buffer[i], 0);
  const SynthControl tiny = {0, 0, 1, 1, 1, 0, 1};
  EXPECT_EQ(tts::synthGenerate(s.get(), buffer.data(), &tiny), 0);
  const SynthControl huge = {0, 1 << 30, 1, 1, 1, 0, 1};  // cut to the buffer
  EXPECT_EQ(tts::synthGenerate(s.get(), buffer.data(), &huge), size);
}

TEST_F(SynthTest, PauseFollowsHeldBackSamples) {
  Phrase p;
  p.add(kA, 9, {148, 148, 148, 148});
  p.add(kA, 40);
  p.add(kSil, 10);
  int32_t size = 0;
  SynthPtr s = init(voice.get(), p, &size);
  std::vector<int16_t> buffer(static_cast<size_t>(size));
  EXPECT_EQ(tts::synthGenerate(s.get(), buffer.data(), &kSpeech), 128);
  const SynthControl pause = {0, 64, 0, 0, 0, 0, 0};
  EXPECT_EQ(tts::synthGenerate(s.get(), buffer.data(), &pause), 20 + 1000);
  EXPECT_EQ(s->heldCount, 0);
}

TEST_F(SynthTest, OddVoicesAndTargetsAreCutShort) {
  // Units of 255 periods of 255 samples: more than a second of excitation per phone.
  std::vector<voxa::voicedb::Unit> units;
  const std::vector<uint8_t> longest(255, 255);
  units.push_back(makeUnit("##-a", longest, 200, 0));
  units.push_back(makeUnit("a-a", longest, 128, 0));
  units.push_back(makeUnit("a-s", longest, 100, 127));
  units.push_back(makeUnit("s-##", longest, 250, 127));
  const std::vector<uint8_t> odd = buildBlock(units);
  VoicePtr v = bindTestVoice(odd);
  ASSERT_TRUE(v);
  Phrase p;
  p.add(kSil, 250);
  p.add(kA, 250, {1, 1, 1, 1});
  p.add(kA, 250);
  p.add(kS, 250);
  p.add(kSil, 250);
  int32_t size = 0;
  SynthPtr s = init(v.get(), p, &size);
  ASSERT_TRUE(s);
  std::vector<int16_t> out;
  const std::vector<int32_t> counts = run(s.get(), size, &out);
  EXPECT_EQ(counts.size(), 4u);
  for (int16_t x : out) ASSERT_LE(std::abs(static_cast<int32_t>(x)), 30000);
}

TEST_F(SynthTest, MissingUnitsAndUnknownPhones) {
  std::vector<voxa::voicedb::Unit> units = {makeUnit("a-s", {100, 100, 100, 100}, 2, 0)};
  const std::vector<uint8_t> sparse = buildBlock(units);
  VoicePtr v = bindTestVoice(sparse);
  Phrase p;
  p.add(kSil, 20);
  p.add(kA, 40);
  p.add(200, 40);  // outside the phone set
  p.add(kS, 40);
  p.add(kSil, 20);
  int32_t size = 0;
  SynthPtr s = init(v.get(), p, &size);
  std::vector<int16_t> out;
  const std::vector<int32_t> counts = run(s.get(), size, &out);
  EXPECT_EQ(counts.size(), 4u);
}

// A fixed phrase over the fixed test voice: any change of the output is deliberate.
TEST_F(SynthTest, PinnedOutputHash) {
  Phrase p;
  p.add(kSil, 30);
  p.add(kA, 70, {120, 118, 112, 110});
  p.add(kN, 50, {110, 108, 106, 105});
  p.add(kA, 80, {105, 110, 115, 120});
  p.add(kS, 60);
  p.add(kT, 40);
  p.add(kL, 45, {120, 122, 124, 126});
  p.add(kA, 90, {126, 124, 130, 140});
  p.add(kR, 40);
  p.add(kTS, 60);
  p.add(kA, 100, {140, 130, 125, 120});
  p.add(kSil, 30);
  int32_t size = (240 * 16000) >> 10;
  SynthPtr s = init(voice.get(), p, &size);
  ASSERT_TRUE(s);
  std::vector<int16_t> out;
  const std::vector<int32_t> counts = run(s.get(), size, &out);
  EXPECT_EQ(counts.size(), p.phones.size() - 1);
  std::vector<int16_t> buffer(static_cast<size_t>(size));
  const SynthControl pause = {0, 240, 1, 1, 1, 0, 1};
  const int32_t k = tts::synthGenerate(s.get(), buffer.data(), &pause);
  out.insert(out.end(), buffer.begin(), buffer.begin() + k);
  int32_t peak = 0;
  int64_t energy = 0;
  for (int16_t x : out) {
    peak = std::max(peak, std::abs(static_cast<int32_t>(x)));
    energy += static_cast<int64_t>(x) * x;
  }
  EXPECT_LE(peak, 30000);
  EXPECT_GT(energy / static_cast<int64_t>(out.size()), 100000);  // real signal, not silence
  if (const char* path = std::getenv("SYNTH_TEST_DUMP")) {
    if (FILE* f = std::fopen(path, "wb")) {
      std::fwrite(out.data(), sizeof(int16_t), out.size(), f);
      std::fclose(f);
    }
  }
  EXPECT_EQ(out.size(), 15396u);
  EXPECT_EQ(fnv1a(out), 0xa92ccef0cf898f85ull) << "hash " << std::hex << fnv1a(out);
}

}  // namespace
