// TTSFile: the record behind every handle, and the stage numbers of its
// resumable driver. One chunk of text is carried through the stages one
// bounded step per TTSFileGetWave_I call.
#pragma once
#include <cstdint>
#include "api/output_rate.h"
#include "model/arena.h"
#include "model/features.h"
#include "model/pool.h"
#include "model/relation.h"
#include "model/settings.h"
#include "synth/voice.h"
#include "text/word_list.h"
#include "tts_engine.h"

namespace tts {

constexpr int32_t kArenaCapacity = 30720;   // bytes of each handle's work arena
// Bytes a handle's model pool may take from the heap: a phrase whose items,
// values and texts need more is abandoned like one the heap cannot hold.
constexpr int64_t kModelPoolLimit = 8 << 20;
constexpr int32_t kPronBufferBytes = 256;   // each of the three pronunciation buffers
constexpr int32_t kDefaultPause = 120;      // both pause settings after open, 1/1024 s

enum Stage : int32_t {
  kStageWordList = 0,
  kStageAnalyse = 1,
  kStagePhrase = 2,
  kStageWords = 3,
  kStageTargets = 4,
  kStageSynthSetup = 5,
  kStageSpeech = 6,
  kStagePause = 7,
  kStageIdle = 8,
};

// The word observer of a handle and its bookkeeping.
struct WordEvents {
  TTSWordCallback callback;      // null: no events, and no source spans are kept
  intptr_t user;
  int64_t chunkSamples;          // samples delivered to the host since the chunk began
  Item** firstSegments;          // arena, per word item of the phrase: its first segment, or null
  int32_t* segmentIndex;         // arena, the same as indices in the phrase's segment order
  int32_t wordCount;             // word items of the phrase, the phrase-initial one included
  int32_t pronounced;            // word items done by stage 3
  int32_t reported;              // word items whose event has been sent (or skipped)
};

}  // namespace tts

struct TTSFile {
  int32_t stage;
  void* lexicon;                 // the host's lexicon handle
  PhraseVoice* voice;            // owned
  tts::PhraseSynth* synth;       // current phrase's synthesiser, or null
  tts::SynthControl control;
  tts::WordList words;
  tts::Features* params;         // global parameters published at open; owned
  tts::Features* featureFunctions;  // registry; owned
  tts::Relation* phraseRelation;
  tts::Relation* wordRelation;
  tts::Relation* syllableRelation;
  tts::Relation* segmentRelation;
  tts::Item* wordCursor;
  int32_t arenaMark;
  uint8_t* buffers[5];           // stage 3: [0..2] pronunciation buffers; stage 4+: [1..4] per-segment arrays
  int32_t* targets;              // four pitch periods per segment
  int32_t segmentCount;
  int16_t* samples;              // heap buffer handed to the callback
  tts::Settings settings;        // the user's settings, read by the stages for each chunk
  tts::WorkArena* arena;         // owned
  tts::ModelPool* pool;          // owned; the phrase relations and all they hold, reused phrase to phrase
  int32_t targetCapacity;        // entries in each per-segment array (segment total + 2)
  int32_t sampleCapacity;        // samples of `samples` the current phrase uses
  int32_t sampleAllocated;       // samples allocated in `samples` (kept until close)
  TTSInspector inspector;        // observer of intermediate results (all members null: none)
  tts::OutputRate output;        // samples at the output rate (resampler owned)
  tts::WordEvents wordEvents;    // word observer and what it needs per chunk and phrase
};
