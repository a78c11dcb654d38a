// Small voices for synthesiser tests and benchmarks: a tiny phone set, an
// order-10 codec, units built with the voice database writer and residual
// frames made with libspeex's narrowband encoder.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "synth/voice.h"
#include "voicedb/voicedb_writer.h"

namespace synth_test {

// Phone ids of the test phone set (sorted names).
enum TestPhone : uint8_t { kSil = 0, kA, kL, kN, kR, kS, kT, kTS, kPhoneCount };

constexpr int32_t kOrder = 10;
constexpr int32_t kWidth = 4;

// The LSF (Q10) that code `code` of parameter i decodes to.
int32_t codebookLsf(int32_t i, uint32_t code);
voxa::voicedb::CodecHeader testCodec(int16_t voicedNoResidual = 1);

// Residual-like noise of +-amplitude coded as `frames` Speex narrowband
// frames (quality 8). frameBytes receives the constant frame size.
std::vector<std::vector<uint8_t>> speexFrames(int32_t frames, uint32_t seed, int8_t* frameBytes,
                                              std::vector<int16_t>* input = nullptr, int32_t amplitude = 2000);

// A unit "a-b" of the given period lengths; M = firstPeriods; gain codes and
// spectral codes vary with the period index; frames: Speex excitation frames
// covering the unit (0 for none).
voxa::voicedb::Unit makeUnit(const std::string& name, const std::vector<uint8_t>& lengths, uint8_t firstPeriods,
                             int32_t frames, uint32_t seed = 1);

// Units for every ordered pair of the test phones (except the silence pair),
// sonorant pairs without excitation.
std::vector<voxa::voicedb::Unit> allPairUnits(uint8_t periodLength = 100, uint8_t periodsPerHalf = 4);

std::vector<uint8_t> buildBlock(const std::vector<voxa::voicedb::Unit>& units, int32_t voiceRate = 16000,
                                int32_t f0Mean = 100, int16_t voicedNoResidual = 1);

struct VoiceDeleter {
  void operator()(PhraseVoice* v) const { tts::voiceRelease(v); }
};
using VoicePtr = std::unique_ptr<PhraseVoice, VoiceDeleter>;

// Binds a block (sizeAware: with its size) and installs the test phone set.
VoicePtr bindTestVoice(const std::vector<uint8_t>& block, bool sizeAware = true);

uint64_t fnv1a(const std::vector<int16_t>& samples);

}  // namespace synth_test
