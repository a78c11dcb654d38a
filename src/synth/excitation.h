// Excitation of one target period: glottal pulses plus noise for sonorant
// phones (with the optional post-filter), the stretched stored residual otherwise.
#pragma once
#include <cstdint>
#include "synth/phrase_synth.h"

namespace tts {

// synth: in/out, pulse generator state. length: in, samples (clamped to 0..320).
// out: out, length samples of pulse plus noise.
void generatePulse(PhraseSynth* synth, int32_t length, int16_t* out);

// synth: in/out, post-filter memories. a_Q12: in, predictor a0..aK.
// samples: in/out, count excitation samples. Nothing happens when K > 18.
void postFilter(PhraseSynth* synth, const int32_t* a_Q12, int16_t* samples, int32_t count);
// postFilter, then the synthesis filter 1/A(z) (shift 12), in one pass where
// the orders allow. Returns the synthesis filter's sum of |y|.
int32_t postFilterAndSynthesise(PhraseSynth* synth, const int32_t* a_Q12, int16_t* samples, int32_t count);

// source: in, srcLength samples of stored residual. length: in, wanted samples.
// out: out, at most 2 * (3 * srcLength / 2) samples. scratch: 3 * srcLength / 2 samples.
// Returns the samples produced (the wanted length limited to half..twice the source).
int32_t stretchResidual(const int16_t* source, int32_t srcLength, int32_t length, int16_t* out, int16_t* scratch);

}  // namespace tts
