#include "synth_test_voice.h"

#include <speex/speex.h>

#include <cstring>
#include <stdexcept>

namespace synth_test {

namespace {

const char* const kNames[kPhoneCount] = {"##", "a", "l:", "n", "r", "s", "t", "tS"};
const char* const kCtypes[kPhoneCount] = {"0", "0", "l", "n", "r", "f", "s", "a"};
const int32_t kSonorant[kPhoneCount] = {0, 1, 1, 1, 1, 0, 0, 0};

int32_t testPhoneIndex(const char* name) {
  for (int32_t i = 0; i < kPhoneCount; ++i)
    if (std::strcmp(kNames[i], name) == 0) return i;
  return 0;
}
const char* testPhoneName(int32_t id) { return id >= 0 && id < kPhoneCount ? kNames[id] : nullptr; }
int32_t testIsVowel(int32_t id) { return id == kA ? 1 : 0; }
int32_t testIsSonorant(int32_t id) { return id >= 0 && id < kPhoneCount ? kSonorant[id] : 0; }
const char* testCtype(int32_t id) { return id >= 0 && id < kPhoneCount ? kCtypes[id] : nullptr; }

uint32_t nextRandom(uint32_t& state) {
  state = state * 1664525u + 1013904223u;
  return state >> 8;
}

}  // namespace

int32_t codebookLsf(int32_t i, uint32_t code) {
  return (i + 1) * 3216 / (kOrder + 1) + (static_cast<int32_t>(code) - 8) * 12;
}

voxa::voicedb::CodecHeader testCodec(int16_t voicedNoResidual) {
  voxa::voicedb::CodecHeader codec;
  codec.order = kOrder;
  codec.widths.assign(kOrder, kWidth);
  for (int32_t i = 0; i < kOrder; ++i) {
    std::vector<int32_t> book;
    for (uint32_t c = 0; c < (1u << kWidth); ++c) book.push_back(codebookLsf(i, c) << 4);
    codec.codebooks.push_back(book);
  }
  codec.deemphasis = 200;
  codec.levelFloor = 1000;
  codec.pulseFilter = 1;
  codec.voicedNoResidual = voicedNoResidual;
  return codec;
}

std::vector<std::vector<uint8_t>> speexFrames(int32_t frames, uint32_t seed, int8_t* frameBytes,
                                              std::vector<int16_t>* input, int32_t amplitude) {
  void* enc = speex_encoder_init(&speex_nb_mode);
  int quality = 8;
  speex_encoder_ctl(enc, SPEEX_SET_QUALITY, &quality);
  int rate = 8000;
  speex_encoder_ctl(enc, SPEEX_SET_SAMPLING_RATE, &rate);
  SpeexBits bits;
  speex_bits_init(&bits);
  std::vector<std::vector<uint8_t>> out;
  uint32_t state = seed;
  for (int32_t f = 0; f < frames; ++f) {
    spx_int16_t pcm[160];
    for (int i = 0; i < 160; ++i) {
      pcm[i] = static_cast<spx_int16_t>(static_cast<int32_t>(nextRandom(state) % (2 * amplitude + 1)) - amplitude);
      if (input) input->push_back(pcm[i]);
    }
    speex_bits_reset(&bits);
    speex_encode_int(enc, pcm, &bits);
    std::vector<uint8_t> frame(static_cast<size_t>(speex_bits_nbytes(&bits)));
    speex_bits_write(&bits, reinterpret_cast<char*>(frame.data()), static_cast<int>(frame.size()));
    out.push_back(frame);
  }
  speex_bits_destroy(&bits);
  speex_encoder_destroy(enc);
  *frameBytes = static_cast<int8_t>(out.empty() ? 0 : out[0].size());
  for (const auto& f : out)
    if (f.size() != out[0].size()) throw std::runtime_error("speex frames of varying size");
  return out;
}

voxa::voicedb::Unit makeUnit(const std::string& name, const std::vector<uint8_t>& lengths, uint8_t firstPeriods,
                             int32_t frames, uint32_t seed) {
  voxa::voicedb::Unit unit;
  unit.name = name;
  unit.firstPhonePeriods = firstPeriods;
  for (size_t p = 0; p < lengths.size(); ++p) {
    voxa::voicedb::Period period;
    period.length = lengths[p];
    period.gainCode = static_cast<uint8_t>(20 + (p + seed) % 8);
    for (int32_t i = 0; i < kOrder; ++i) period.codes.push_back(static_cast<uint32_t>((p * 3 + i + seed) % 16));
    unit.periods.push_back(period);
  }
  if (frames > 0) unit.frames = speexFrames(frames, seed, &unit.frameBytes);
  return unit;
}

std::vector<voxa::voicedb::Unit> allPairUnits(uint8_t periodLength, uint8_t periodsPerHalf) {
  std::vector<voxa::voicedb::Unit> units;
  uint32_t seed = 1;
  for (int32_t a = 0; a < kPhoneCount; ++a) {
    for (int32_t b = 0; b < kPhoneCount; ++b) {
      if (a == 0 && b == 0) continue;
      std::string nameA = kNames[a];
      if (nameA == "l:") nameA = "l";  // stored without ':' (found by the retry)
      std::string nameB = kNames[b];
      if (nameB == "l:") nameB = "l";
      const std::vector<uint8_t> lengths(2u * periodsPerHalf, periodLength);
      const int32_t samples = 2 * periodsPerHalf * periodLength;
      const bool voiced = kSonorant[a] && kSonorant[b];
      const int32_t frames = voiced ? 0 : (samples + 80) / 160 + 1;
      units.push_back(makeUnit(nameA + "-" + nameB, lengths, periodsPerHalf, frames, seed++));
    }
  }
  return units;
}

std::vector<uint8_t> buildBlock(const std::vector<voxa::voicedb::Unit>& units, int32_t voiceRate, int32_t f0Mean,
                                int16_t voicedNoResidual) {
  voxa::voicedb::VoiceHeader header;
  header.voiceRate = voiceRate;
  header.f0Mean = f0Mean;
  header.nameSize = 8;
  return voxa::voicedb::writeVoiceDatabase(header, testCodec(voicedNoResidual), units);
}

VoicePtr bindTestVoice(const std::vector<uint8_t>& block, bool sizeAware) {
  PhraseVoice* voice = tts::voiceBind(block.data(), sizeAware ? block.size() : 0, 0);
  if (!voice) return VoicePtr();
  voice->phoneIndex = testPhoneIndex;
  voice->phoneName = testPhoneName;
  voice->phoneIsVowel = testIsVowel;
  voice->phoneIsSonorant = testIsSonorant;
  voice->phoneCtype = testCtype;
  return VoicePtr(voice);
}

uint64_t fnv1a(const std::vector<int16_t>& samples) {
  uint64_t h = 1469598103934665603ull;
  for (int16_t s : samples) {
    const uint16_t u = static_cast<uint16_t>(s);
    for (int k = 0; k < 2; ++k) {
      h ^= static_cast<uint8_t>(u >> (8 * k));
      h *= 1099511628211ull;
    }
  }
  return h;
}

}  // namespace synth_test
