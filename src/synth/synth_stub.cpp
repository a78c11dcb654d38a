// Placeholder synthesiser until the real one lands: no phrase yields a synthesiser.
#include "synth/synth.h"

namespace tts {

PhraseSynth* synthInit(PhraseVoice*, const uint8_t*, const uint8_t*, const uint8_t*, const int32_t*, int32_t,
                       int32_t*) {
  return nullptr;
}
int32_t synthGenerate(PhraseSynth*, int16_t*, const SynthControl*) { return -1; }
void synthRelease(PhraseSynth*) {}

}  // namespace tts
