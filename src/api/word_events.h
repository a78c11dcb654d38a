// Word events: for each word of a phrase, its source text in the chunk and
// the index of its first sample, reported to the host's word observer just
// before the block of samples in which the word begins.
#pragma once
#include "api/tts_file.h"

namespace tts {

// Stage 2, after phrase cutting and before the pronunciation buffers are
// taken: per-word bookkeeping for the phrase. False when the arena is full.
bool wordEventsStartPhrase(TTSFile* file);
// Stage 3, after one word item was pronounced; `lastBefore` is the segment
// relation's tail before it.
void wordEventsWordDone(TTSFile* file, Item* lastBefore);
// Stage 6, before the first phone: the words' first segments as indices.
void wordEventsStartSpeech(TTSFile* file);
// Reports every word not yet reported whose first segment is at most
// `segment` (the next phone to be delivered), at the current sample count.
void wordEventsUpTo(TTSFile* file, int32_t segment);

// Hands `count` samples at the voice rate to the host at the output rate and
// counts what the host received (at the output rate) for the chunk.
inline int32_t deliverSamples(TTSFile* file, SampleCallback callback, intptr_t user, const int16_t* samples,
                              int32_t count) {
  const int64_t before = file->output.delivered;
  const int32_t result = outputRateDeliver(&file->output, samples, count, callback, user);
  file->wordEvents.chunkSamples += file->output.delivered - before;
  return result;
}

// Ends a phrase at the output rate (outputRateFlush), counting what it delivers.
inline void flushSamples(TTSFile* file, SampleCallback callback, intptr_t user) {
  const int64_t before = file->output.delivered;
  outputRateFlush(&file->output, callback, user);
  file->wordEvents.chunkSamples += file->output.delivered - before;
}

}  // namespace tts
