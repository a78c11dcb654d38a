// Finishing a phone's samples: de-emphasis, DC removal, output level control, fades.
#pragma once
#include <cstdint>
#include "synth/phrase_synth.h"

namespace tts {

// samples: in/out, count new samples; y = sat16(x + (deemphasis_Q8 * y[-1] >> 8)).
void deemphasise(PhraseSynth* synth, int16_t* samples, int32_t count);
// samples: in/out, count new samples; one-pole DC blocker with pole 243/256.
void removeDc(PhraseSynth* synth, int16_t* samples, int32_t count);
// deemphasise then removeDc, in one pass over the samples.
void deemphasiseAndRemoveDc(PhraseSynth* synth, int16_t* samples, int32_t count);
// control: in/out, level state. samples: in/out, one block of count (<= 128) samples.
void levelControlBlock(LevelControl* control, int16_t* samples, int32_t count);
// samples: in/out, count samples. Fades over the first / last power of two of
// min(count, 256) samples.
void fadeIn(int16_t* samples, int32_t count);
void fadeOut(int16_t* samples, int32_t count);

}  // namespace tts
