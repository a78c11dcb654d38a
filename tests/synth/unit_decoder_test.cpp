// Unit lookup and decoding against small voices made with the voice database
// writer, with Speex-coded excitation made by libspeex's encoder.
#include <gtest/gtest.h>

#include <speex/speex.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "synth/codec_header.h"
#include "synth/excitation_decoder.h"
#include "synth/unit_decoder.h"
#include "synth_test_voice.h"

namespace {

using namespace synth_test;
using tts::CodecInfo;
using tts::UnitOutput;

// Decodes frames directly with libspeex, as the engine is meant to.
std::vector<int16_t> referenceDecode(const std::vector<std::vector<uint8_t>>& frames) {
  void* dec = speex_decoder_init(&speex_nb_mode);
  int off = 0, rate = 8000;
  speex_decoder_ctl(dec, SPEEX_SET_ENH, &off);
  speex_decoder_ctl(dec, SPEEX_SET_SAMPLING_RATE, &rate);
  SpeexBits bits;
  speex_bits_init(&bits);
  std::vector<int16_t> out;
  for (const auto& f : frames) {
    speex_bits_read_from(&bits, reinterpret_cast<const char*>(f.data()), static_cast<int>(f.size()));
    spx_int16_t pcm[160];
    EXPECT_EQ(speex_decode_int(dec, &bits, pcm), 0);
    for (int i = 0; i < 160; ++i) out.push_back(static_cast<int16_t>(std::max(-32000, std::min(32000, int(pcm[i])))));
  }
  speex_bits_destroy(&bits);
  speex_decoder_destroy(dec);
  return out;
}

struct Decoded {
  int32_t result = 0, n = 0, m = 0;
  std::vector<int32_t> lengths = std::vector<int32_t>(600, -7);
  std::vector<int16_t> gains = std::vector<int16_t>(600, -7);
  std::vector<int16_t> lsf = std::vector<int16_t>(600 * kOrder, -7);
  std::vector<int16_t> excitation = std::vector<int16_t>(16000, 1234);
};

Decoded decode(const PhraseVoice* voice, int32_t a, int32_t b, int32_t maxPeriods = 512, int32_t maxSamples = 16000) {
  CodecInfo codec;
  EXPECT_TRUE(tts::readCodecHeader(voice, &codec));
  Decoded d;
  UnitOutput out{d.lengths.data(), d.gains.data(), d.lsf.data(), d.excitation.data(), maxPeriods, maxSamples};
  d.result = tts::decodeUnit(voice, &codec, a, b, &out, &d.n, &d.m);
  return d;
}

TEST(UnitDecoding, ParametersAndSpeexExcitation) {
  // "s-t": two unvoiced phones, excitation from the first sample.
  voxa::voicedb::Unit unit = makeUnit("s-t", {100, 120, 90}, 2, 3, 5);
  const std::vector<uint8_t> block = buildBlock({unit});
  VoicePtr voice = bindTestVoice(block);
  ASSERT_TRUE(voice);
  const Decoded d = decode(voice.get(), kS, kT);
  EXPECT_EQ(d.result, 310);
  EXPECT_EQ(d.n, 3);
  EXPECT_EQ(d.m, 2);
  for (int p = 0; p < 3; ++p) {
    EXPECT_EQ(d.lengths[p], unit.periods[p].length);
    EXPECT_EQ(d.gains[p], tts::kGainTable[unit.periods[p].gainCode]);
    for (int i = 0; i < kOrder; ++i) EXPECT_EQ(d.lsf[p * kOrder + i], codebookLsf(i, unit.periods[p].codes[i]));
  }
  EXPECT_EQ(d.lengths[3], -7);
  // Stream sample 80 lands on unit sample 0: the first 80 decoded samples are dropped.
  const std::vector<int16_t> ref = referenceDecode(unit.frames);
  for (int i = 0; i < 3 * 160 - 80; ++i) ASSERT_EQ(d.excitation[i], ref[i + 80]) << i;
  EXPECT_EQ(d.excitation[3 * 160 - 80], 1234);
}

TEST(UnitDecoding, ExcitationStartsAtFirstUnvoicedPeriod) {
  // "a-s" with voicedNoResidual: the vowel's period needs no residual; the
  // first stored sample is at 30, so stream samples 0..49 fall before the unit
  // (positions -50..-1) and stream sample 50 lands on unit sample 0.
  voxa::voicedb::Unit unit = makeUnit("a-s", {30, 100}, 1, 2, 9);
  const std::vector<uint8_t> block = buildBlock({unit});
  VoicePtr voice = bindTestVoice(block);
  const Decoded d = decode(voice.get(), kA, kS);
  EXPECT_EQ(d.result, 130);
  const std::vector<int16_t> ref = referenceDecode(unit.frames);
  for (int i = 0; i < 2 * 160 - 50; ++i) ASSERT_EQ(d.excitation[i], ref[i + 50]) << i;
  EXPECT_EQ(d.excitation[2 * 160 - 50], 1234);
}

TEST(UnitDecoding, KeptBlocksGiveTheSamplesOfANewDecoder) {
  // The voice keeps decoded blocks: a unit used again, after another one and
  // at another position of the work area, must carry the same excitation.
  voxa::voicedb::Unit st = makeUnit("s-t", {100, 120, 90}, 2, 3, 5);
  voxa::voicedb::Unit as = makeUnit("a-s", {30, 100}, 1, 2, 9);
  const std::vector<uint8_t> block = buildBlock({st, as});
  VoicePtr voice = bindTestVoice(block);
  const std::vector<int16_t> refSt = referenceDecode(st.frames);
  const std::vector<int16_t> refAs = referenceDecode(as.frames);
  for (int round = 0; round < 2; ++round) {
    const Decoded a = decode(voice.get(), kS, kT);
    for (int i = 0; i < 3 * 160 - 80; ++i) ASSERT_EQ(a.excitation[i], refSt[i + 80]) << round << " " << i;
    EXPECT_EQ(a.excitation[3 * 160 - 80], 1234);
    const Decoded b = decode(voice.get(), kA, kS);
    for (int i = 0; i < 2 * 160 - 50; ++i) ASSERT_EQ(b.excitation[i], refAs[i + 50]) << round << " " << i;
    EXPECT_EQ(b.excitation[2 * 160 - 50], 1234);
  }
}

TEST(UnitDecoding, KeptBlocksAtEveryLoudness) {
  // Kept frames are packed at the width their samples need: silence, quiet,
  // speech-like and clipped (+-32000) residual must all come back exactly, at
  // any position and cut by the work area's end.
  const int32_t amplitudes[] = {0, 3, 40, 700, 2000, 12000, 32767};
  for (int32_t amplitude : amplitudes) {
    // One store per block: the store knows blocks by address, as a voice's stay put.
    std::unique_ptr<tts::ExcitationStore, void (*)(tts::ExcitationStore*)> store(tts::excitationStoreCreate(),
                                                                                tts::excitationStoreDestroy);
    ASSERT_TRUE(store);
    int8_t frameBytes = 0;
    const std::vector<std::vector<uint8_t>> frames = speexFrames(4, 11 + amplitude, &frameBytes, nullptr, amplitude);
    std::vector<uint8_t> block = {4, static_cast<uint8_t>(frameBytes)};
    for (const auto& f : frames) block.insert(block.end(), f.begin(), f.end());
    const std::vector<int16_t> ref = referenceDecode(frames);
    for (int32_t start : {0, 80, 333}) {
      for (int32_t capacity : {900, 500}) {
        for (int round = 0; round < 2; ++round) {
          std::vector<int16_t> out(900, 1234);
          const int32_t end = tts::decodeExcitation(block.data(), block.data() + block.size(), out.data(), start,
                                                    capacity, store.get());
          ASSERT_EQ(end, start - 80 + 640) << amplitude;
          for (int32_t i = 0; i < 900; ++i) {
            const int32_t k = i - (start - 80);
            const int16_t want = k >= 0 && k < 640 && i < capacity ? ref[k] : 1234;
            ASSERT_EQ(out[i], want) << "amplitude " << amplitude << " start " << start << " round " << round << " at " << i;
          }
        }
      }
    }
  }
}

TEST(UnitDecoding, VoicedUnitWithoutResidualSkipsTheDecoder) {
  voxa::voicedb::Unit unit = makeUnit("a-n", {80, 80, 80, 80}, 2, 0);
  const std::vector<uint8_t> block = buildBlock({unit});
  VoicePtr voice = bindTestVoice(block);
  const Decoded d = decode(voice.get(), kA, kN);
  EXPECT_EQ(d.result, 320);
  for (int i = 0; i < 400; ++i) ASSERT_EQ(d.excitation[i], 1234);
}

TEST(UnitDecoding, ColonRetryAbsentAndMissingUnits) {
  voxa::voicedb::Unit la = makeUnit("l-a", {90, 90}, 1, 0);
  voxa::voicedb::Unit absent = makeUnit("t-s", {90}, 1, 0);
  absent.absent = true;
  const std::vector<uint8_t> block = buildBlock({la, absent});
  VoicePtr voice = bindTestVoice(block);
  const Decoded colon = decode(voice.get(), kL, kA);  // "l:-a" found as "l-a"
  EXPECT_EQ(colon.result, 180);
  EXPECT_EQ(colon.n, 2);
  const Decoded gone = decode(voice.get(), kT, kS);
  EXPECT_EQ(gone.result, 0);
  EXPECT_EQ(gone.n, 0);
  EXPECT_EQ(gone.lengths[0], -7);
  EXPECT_EQ(decode(voice.get(), kA, kT).result, tts::kUnitMissing);
  EXPECT_EQ(decode(voice.get(), kA, 200).result, tts::kUnitMissing);  // no such phone
}

TEST(UnitDecoding, SilencePairIsSyntheticSilence) {
  voxa::voicedb::Unit silence = makeUnit("##-##", {90}, 1, 0);
  silence.absent = true;
  const std::vector<uint8_t> block = buildBlock({silence}, 16000);
  VoicePtr voice = bindTestVoice(block);
  const Decoded d = decode(voice.get(), kSil, kSil);
  EXPECT_EQ(d.result, 320);  // 20 ms of zeros in two periods
  EXPECT_EQ(d.n, 2);
  EXPECT_EQ(d.m, 1);
  EXPECT_EQ(d.lengths[0], 160);
  EXPECT_EQ(d.lengths[1], 160);
  EXPECT_EQ(d.gains[0], 0);
  EXPECT_EQ(d.gains[1], 0);
  for (int i = 0; i < kOrder; ++i) EXPECT_EQ(d.lsf[kOrder + i], (i + 1) * 3216 / (kOrder + 1));  // evenly spaced
  for (int i = 0; i < 320; ++i) ASSERT_EQ(d.excitation[i], 0);
  EXPECT_EQ(d.excitation[320], 1234);
}

TEST(UnitDecoding, CapacitiesCutTheUnitShort) {
  voxa::voicedb::Unit unit = makeUnit("s-t", {100, 100, 100, 100}, 2, 4);
  const std::vector<uint8_t> block = buildBlock({unit});
  VoicePtr voice = bindTestVoice(block);
  const Decoded fewPeriods = decode(voice.get(), kS, kT, 3);
  EXPECT_EQ(fewPeriods.n, 3);
  EXPECT_EQ(fewPeriods.result, 300);
  EXPECT_EQ(fewPeriods.lengths[3], -7);
  const Decoded fewSamples = decode(voice.get(), kS, kT, 512, 250);
  EXPECT_EQ(fewSamples.n, 2);
  EXPECT_EQ(fewSamples.m, 2);
  EXPECT_EQ(fewSamples.result, 200);
  EXPECT_EQ(fewSamples.excitation[250], 1234);  // nothing written past the room
}

TEST(UnitDecoding, DamagedUnitsStopInsideTheBlock) {
  voxa::voicedb::Unit unit = makeUnit("s-t", {100, 100, 100}, 2, 3);
  const std::vector<uint8_t> block = buildBlock({unit});
  VoicePtr whole = bindTestVoice(block);
  const Decoded full = decode(whole.get(), kS, kT);
  ASSERT_EQ(full.result, 300);
  const int32_t frameBytes = unit.frameBytes;
  // Cut the last frame in half: the first two frames decode, the rest keeps
  // its earlier contents and the unit's length stands.
  auto truncated = [&](size_t keep) {
    auto copy = std::make_unique<std::vector<uint8_t>>(block.begin(), block.begin() + keep);  // exact size for ASan
    VoicePtr voice = bindTestVoice(*copy, false);
    EXPECT_TRUE(voice);
    voice->databaseSize = copy->size();
    voice->dataEnd = copy->data() + copy->size();
    Decoded d = decode(voice.get(), kS, kT);
    return d;
  };
  {
    const Decoded d = truncated(block.size() - frameBytes / 2);
    EXPECT_EQ(d.result, 300);
    for (int i = 0; i < 2 * 160 - 80; ++i) ASSERT_EQ(d.excitation[i], full.excitation[i]);
    EXPECT_EQ(d.excitation[2 * 160 - 80], 1234);
  }
  // A parameter stream cut short: the unit is not decoded at all.
  {
    CodecInfo codec;
    ASSERT_TRUE(tts::readCodecHeader(whole.get(), &codec));
    const size_t record = static_cast<size_t>(codec.records - block.data());
    const Decoded d = truncated(record + 2 + 3 + 4);
    EXPECT_EQ(d.result, 0);
    EXPECT_EQ(d.n, 0);
    const Decoded lengthsCut = truncated(record + 3);
    EXPECT_EQ(lengthsCut.result, 0);
  }
  // An offset that points past the block.
  {
    auto copy = std::make_unique<std::vector<uint8_t>>(block);
    const size_t entry = static_cast<size_t>(whole->unitOffsets - block.data());
    (*copy)[entry + 2] = 0x7f;  // offset of about 8 MB
    VoicePtr voice = bindTestVoice(*copy, false);
    voice->databaseSize = copy->size();
    voice->dataEnd = copy->data() + copy->size();
    const Decoded d = decode(voice.get(), kS, kT);
    EXPECT_EQ(d.result, 0);
    EXPECT_EQ(d.n, 0);
  }
  // A frame whose bytes are garbage: the decoder reports an error or runs past
  // the frame; either way decoding stops without reading beyond it.
  {
    std::vector<uint8_t> bad = {1, 3, 0xFF, 0xFF, 0xFF};
    std::vector<int16_t> out(400, 1234);
    const int32_t r = tts::decodeExcitation(bad.data(), bad.data() + bad.size(), out.data(), 0, 400);
    EXPECT_LT(r, 0);
  }
  // A frame that claims more bytes than the block holds.
  {
    std::vector<uint8_t> shortBlock = {2, 38, 1, 2, 3};
    std::vector<int16_t> out(400, 1234);
    EXPECT_EQ(tts::decodeExcitation(shortBlock.data(), shortBlock.data() + shortBlock.size(), out.data(), 80, 400),
              tts::kExcitationFrameError);
    EXPECT_EQ(out[0], 1234);
  }
}

}  // namespace
