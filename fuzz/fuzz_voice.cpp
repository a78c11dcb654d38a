#include "fuzz_voice.h"

#include <algorithm>
#include <string>

#include "model/language.h"
#include "corvum.h"
#include "prosody/phoneset.h"
#include "synth_test_voice.h"

namespace voxa_fuzz {

namespace {

std::vector<uint8_t> pairVoice(int32_t phones, int32_t voiceRate, int32_t f0Mean, uint8_t periodLength,
                               uint8_t periodsPerHalf, bool residualEverywhere) {
  const tts::PhoneSet* set = tts::kLanguage.phoneset;
  if (phones > set->phoneCount) phones = set->phoneCount;
  if (phones < 2) phones = 2;
  int8_t frameBytes = 0;
  const int32_t frameCount = (2 * periodsPerHalf * periodLength + 80) / 160 + 1;
  const std::vector<std::vector<uint8_t>> frames = synth_test::speexFrames(frameCount, 77, &frameBytes);
  const std::vector<uint8_t> lengths(2u * periodsPerHalf, periodLength);
  // Phones of a short test sentence first ("Hola, el perro come pan."), then the rest in set order.
  static const char* const kPreferred[] = {"##", "o", "l", "a", "e", "p", "r", "k", "m", "n"};
  std::vector<int32_t> order;
  for (const char* name : kPreferred) {
    const int32_t id = tts::phoneIndex(set, name);
    if ((id > 0 || name[0] == '#') && std::find(order.begin(), order.end(), id) == order.end()) order.push_back(id);
  }
  for (int32_t id = 0; id < set->phoneCount; ++id)
    if (std::find(order.begin(), order.end(), id) == order.end()) order.push_back(id);
  std::vector<voxa::voicedb::Unit> units;
  for (int32_t i = 0; i < phones; ++i) {
    for (int32_t j = 0; j < phones; ++j) {
      const int32_t a = order[static_cast<size_t>(i)];
      const int32_t b = order[static_cast<size_t>(j)];
      if (a == 0 && b == 0) continue;  // synthetic silence
      const std::string name = std::string(set->phoneNames[a]) + "-" + set->phoneNames[b];
      voxa::voicedb::Unit unit = synth_test::makeUnit(name, lengths, periodsPerHalf, 0, static_cast<uint32_t>(a * 31 + b));
      if (residualEverywhere || !tts::phoneIsSonorant(set, a) || !tts::phoneIsSonorant(set, b)) {
        unit.frameBytes = frameBytes;
        unit.frames = frames;
      }
      units.push_back(unit);
    }
  }
  return synth_test::buildBlock(units, voiceRate, f0Mean);
}

}  // namespace

const std::vector<uint8_t>& fullPairVoice() {
  static const std::vector<uint8_t> voice = pairVoice(1000, 16000, 110, 100, 2, false);
  return voice;
}

std::vector<uint8_t> smallVoice(int32_t phones, int32_t voiceRate, int32_t f0Mean, uint8_t periodLength,
                                uint8_t periodsPerHalf, bool residualEverywhere) {
  return pairVoice(phones, voiceRate, f0Mean, periodLength, periodsPerHalf, residualEverywhere);
}

void* sharedLexicon() {
  static CorvumLexicon* lexicon = LexMgr_Open(tts::kLanguage.lexiconCode);
  return lexicon;
}

int32_t speakChunk(TTSFile* handle, const char16_t* text, int32_t mode, SampleCallback callback, intptr_t user,
                   int32_t maxCalls) {
  int32_t r = TTSFileGetWave_I(handle, text, mode, callback, user);
  for (int32_t n = 1; r >= 0 && n < maxCalls; ++n) r = TTSFileGetWave_I(handle, nullptr, mode, callback, user);
  return r;
}

}  // namespace voxa_fuzz
