// Samples at the handle's output rate, through a libspeexdsp resampler.
#include "api/output_rate.h"

#include <speex/speex_resampler.h>

#include <cstdlib>

namespace tts {
namespace {

constexpr int32_t kBufferMargin = 64;  // samples beyond count * out / in: rounding and filter phase
constexpr int32_t kZeroBlock = 256;    // zeros pushed per call when flushing
constexpr int32_t kMaxFlushCalls = 64; // bound of the flush loop (the filter holds far less than 64 blocks)

const int16_t kZeros[kZeroBlock] = {};

bool rateIsDeliverable(int32_t rate) { return rate >= kMinOutputRate && rate <= kMaxOutputRate; }

// Output samples that `input` samples at `in` Hz make at `out` Hz, rounded up.
int64_t expectedOutput(int64_t input, int32_t in, int32_t out) { return (input * out + in - 1) / in; }

// A clean filter whose first output sample lines up with the first input sample.
void restart(OutputRate* o) {
  speex_resampler_reset_mem(o->resampler);
  speex_resampler_skip_zeros(o->resampler);
  o->consumed = 0;
  o->produced = 0;
}

bool ensureBuffer(OutputRate* o, int32_t blockSamples) {
  const int64_t wanted = expectedOutput(blockSamples > kZeroBlock ? blockSamples : kZeroBlock, o->inputRate,
                                        o->outputRate) + kBufferMargin;
  if (wanted <= o->capacity) return true;
  auto* grown = static_cast<int16_t*>(std::realloc(o->buffer, static_cast<size_t>(wanted) * sizeof(int16_t)));
  if (!grown) return false;
  o->buffer = grown;
  o->capacity = static_cast<int32_t>(wanted);
  return true;
}

}  // namespace

bool outputRatePrepare(OutputRate* o, int32_t voiceRate, int32_t outputRate, int32_t blockSamples) {
  o->active = false;
  if (outputRate == voiceRate || !rateIsDeliverable(outputRate) || !rateIsDeliverable(voiceRate)) return true;
  if (!o->resampler || o->inputRate != voiceRate || o->outputRate != outputRate) {
    if (o->resampler) speex_resampler_destroy(o->resampler);
    int err = RESAMPLER_ERR_SUCCESS;
    o->resampler = speex_resampler_init(1, static_cast<spx_uint32_t>(voiceRate), static_cast<spx_uint32_t>(outputRate),
                                        kResamplerQuality, &err);
    if (!o->resampler || err != RESAMPLER_ERR_SUCCESS) {
      if (o->resampler) speex_resampler_destroy(o->resampler);
      o->resampler = nullptr;
      return false;
    }
    o->inputRate = voiceRate;
    o->outputRate = outputRate;
    restart(o);
  }
  if (!ensureBuffer(o, blockSamples)) return false;
  o->active = true;
  return true;
}

int32_t outputRateDeliver(OutputRate* o, const int16_t* samples, int32_t count, SampleCallback callback,
                          intptr_t user) {
  if (!o->active) {
    o->delivered += count;
    return callback(user, samples, 2 * count);
  }
  int32_t result = 0;
  bool called = false;
  int32_t done = 0;
  // One callback per buffer-full; a block of up to the prepared size fits in one.
  while (!called || done < count) {
    spx_uint32_t in = static_cast<spx_uint32_t>(count - done);
    spx_uint32_t out = static_cast<spx_uint32_t>(o->capacity);
    speex_resampler_process_int(o->resampler, 0, samples ? samples + done : kZeros, &in, o->buffer, &out);
    done += static_cast<int32_t>(in);
    o->consumed += in;
    o->produced += out;
    o->delivered += out;
    const int32_t r = callback(user, o->buffer, static_cast<int32_t>(2 * out));
    if (r < 0 && result >= 0) result = r;
    called = true;
    if (in == 0 && out == 0) break;  // no progress: never spin
  }
  return result;
}

void outputRateFlush(OutputRate* o, SampleCallback callback, intptr_t user) {
  if (!o->active) return;
  const int64_t wanted = expectedOutput(o->consumed, o->inputRate, o->outputRate);
  for (int32_t calls = 0; o->produced < wanted && calls < kMaxFlushCalls; ++calls) {
    spx_uint32_t in = kZeroBlock;
    const int64_t missing = wanted - o->produced;
    spx_uint32_t out = static_cast<spx_uint32_t>(missing < o->capacity ? missing : o->capacity);
    speex_resampler_process_int(o->resampler, 0, kZeros, &in, o->buffer, &out);
    o->produced += out;
    o->delivered += out;
    if (out > 0) callback(user, o->buffer, static_cast<int32_t>(2 * out));
  }
  restart(o);
}

void outputRateDiscard(OutputRate* o) {
  if (o->resampler) restart(o);
  o->active = false;
}

void outputRateRelease(OutputRate* o) {
  if (o->resampler) speex_resampler_destroy(o->resampler);
  std::free(o->buffer);
  *o = OutputRate{};
}

}  // namespace tts
