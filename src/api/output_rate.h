// Delivery of a handle's samples at its output rate. The synthesiser writes
// at the voice rate; when the handle's output rate differs, every block
// passes through the handle's own resampler before it reaches the host.
//
// The resampler is made when a phrase starts at a rate pair other than the
// last one, and flushed at the end of every phrase: its remaining input is
// pushed out with zeros, so a phrase of N input samples yields the
// ceil(N * out / in) samples that the rate ratio asks for, and the next phrase
// starts from a clean filter. Rates are latched per phrase: a change reaches
// the next phrase (so, at the latest, the next chunk). At the voice rate
// nothing passes through it and the samples are the synthesiser's own.
#pragma once
#include <cstdint>
#include "tts_engine.h"

struct SpeexResamplerState_;

namespace tts {

// libspeexdsp quality 0..10. Measured from 16000 Hz (instructions per second
// of input): to 8000 Hz q3 0.9M, q4 1.3M, q5 1.7M; to 11000 Hz q3 7.0M, q4
// 9.2M, q5 1.9M (below 5 the 11/16 ratio falls back to interpolated filters).
// 5 is the cheapest that is cheap at both rates.
constexpr int32_t kResamplerQuality = 5;
constexpr int32_t kMinOutputRate = 1000;       // Hz; rates outside these bounds are delivered at the voice rate
constexpr int32_t kMaxOutputRate = 96000;

struct OutputRate {
  SpeexResamplerState_* resampler;  // owned; null until a phrase needs one
  int32_t inputRate;                // Hz, the rate pair `resampler` was made for
  int32_t outputRate;
  bool active;                      // this phrase is resampled
  int64_t consumed;                 // input samples of this phrase so far
  int64_t produced;                 // output samples of this phrase so far
  int16_t* buffer;                  // owned scratch for resampled samples
  int32_t capacity;                 // samples in `buffer`
  int64_t delivered;                // samples handed to the host since open, at the output rate
};

// Latches the rates for the next phrase. `blockSamples` is the largest block
// that will be delivered. False when memory for the resampler or its buffer
// cannot be had (nothing is then resampled).
bool outputRatePrepare(OutputRate* o, int32_t voiceRate, int32_t outputRate, int32_t blockSamples);

// Hands `count` samples at the voice rate to the host at the output rate.
// Returns the callback's result (the first negative one when there are several).
int32_t outputRateDeliver(OutputRate* o, const int16_t* samples, int32_t count, SampleCallback callback,
                          intptr_t user);

// Ends the phrase: delivers what the resampler still holds (nothing when the
// phrase is not resampled) and clears its memory.
void outputRateFlush(OutputRate* o, SampleCallback callback, intptr_t user);

// Drops what the resampler holds (an abandoned chunk) without delivering it.
void outputRateDiscard(OutputRate* o);

void outputRateRelease(OutputRate* o);  // frees the resampler and its buffer

}  // namespace tts
