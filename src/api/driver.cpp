// The staged driver behind TTSFileGetWave_I: a resumable state machine that
// carries one chunk of text through word list, analysis, phrasing,
// pronunciation, prosody and synthesis, one bounded piece of work per call.
#include <cstdlib>

#include "api/handle.h"
#include "api/inspection.h"
#include "api/word_events.h"
#include "model/language.h"
#include "model/features.h"
#include "model/value.h"
#include "text/word_list_builder.h"

namespace tts {
namespace {

// A stage could not get memory (or the host refused samples): abandon the
// chunk, and give back the sample buffer that a new chunk would keep.
int32_t abandon(TTSFile* file) {
  handleReset(file);
  std::free(file->samples);
  file->samples = nullptr;
  file->sampleAllocated = 0;
  return TTS_ERR_ABANDONED;
}

// Highest voice rate (Hz) that the synthesiser accepts.
constexpr int64_t kMaxVoiceRate = 96000;

// Delay classes of a phrase's "delay" feature.
enum Delay : int32_t { kDelayPredicted = 0, kDelayComma = 1, kDelaySentence = 2 };

// Stage 0: one pass of the word list; `text` starts a chunk, null continues
// with the chunk's next pass.
int32_t stageWordList(TTSFile* file, const char16_t* text, int32_t textMode) {
  auto build = kLanguage.stages.buildWordList;
  const bool withSpans = file->wordEvents.callback != nullptr;
  const int32_t count =
      build ? build(&file->words, text, textMode, file->settings.reading, withSpans, file->arena) : 0;
  if (count < 0) return abandon(file);
  if (count == 0) {
    file->stage = kStageIdle;
    return TTS_ERR_ARGUMENT;
  }
  file->words.textMode = textMode;
  if (text) inspectNormalisedText(file, text, textMode);
  file->stage = kStageAnalyse;
  return TTS_OK;
}

int32_t stageAnalyse(TTSFile* file) {
  WordList& words = file->words;
  if (kLanguage.stages.analyseWordList) {
    if (kLanguage.stages.analyseWordList(&words, file->arena) < 0) return abandon(file);
  } else {
    words.syllables = static_cast<int32_t*>(arenaAlloc(file->arena, sizeof(int32_t), words.count));
    words.wordClass = static_cast<int32_t*>(arenaAlloc(file->arena, sizeof(int32_t), words.count));
    words.breakLevel = static_cast<int32_t*>(arenaAlloc(file->arena, sizeof(int32_t), words.count));
    if (!words.syllables || !words.wordClass || !words.breakLevel) return abandon(file);
    for (int32_t i = 0; i < words.count; ++i) words.syllables[i] = words.wordClass[i] = words.breakLevel[i] = 0;
  }
  file->arenaMark = arenaDepth(file->arena);
  inspectWordList(file);
  file->stage = kStagePhrase;
  return TTS_OK;
}

// Stage 2. Returns a result to hand back now, or 1 to fall through.
int32_t stagePhrase(TTSFile* file, SampleCallback callback, intptr_t user) {
  file->phraseRelation = relCreate("Phrase", file->params, file->featureFunctions, file->arena, file->pool);
  if (!file->phraseRelation) return abandon(file);
  Relation* phrases = file->phraseRelation;
  phrases->settings = &file->settings;
  file->wordRelation =
      relCreate("Word", phrases->params, phrases->featureFunctions, phrases->arena, phrases->pool);
  if (!file->wordRelation) return abandon(file);
  file->wordRelation->settings = phrases->settings;
  if (kLanguage.stages.cutPhrase && kLanguage.stages.cutPhrase(&file->words, phrases, file->wordRelation) < 0)
    return abandon(file);
  if (!phrases->head || !phrases->head->down) {
    if (wordListHasMorePasses(&file->words)) {  // the chunk goes on: its next pass
      endPhraseCycle(file);
      file->arenaMark = 0;
      arenaReset(file->arena);
      file->stage = kStageWordList;
      return TTS_OK;
    }
    callback(user, file->samples, TTS_MARK_END);
    endPhraseCycle(file);  // the chunk is done: its last relations go back to the pool
    file->stage = kStageIdle;
    return TTS_DONE;
  }
  file->syllableRelation =
      relCreate("Syllable", phrases->params, phrases->featureFunctions, phrases->arena, phrases->pool);
  file->segmentRelation =
      relCreate("Segment", phrases->params, phrases->featureFunctions, phrases->arena, phrases->pool);
  if (!file->syllableRelation || !file->segmentRelation) return abandon(file);
  file->syllableRelation->settings = phrases->settings;
  file->segmentRelation->settings = phrases->settings;
  file->wordCursor = file->wordRelation->head;
  if (!wordEventsStartPhrase(file)) return abandon(file);
  for (int i = 0; i < 3; ++i) {
    file->buffers[i] = static_cast<uint8_t*>(arenaAlloc(file->arena, 1, kPronBufferBytes));
    if (!file->buffers[i]) return abandon(file);
  }
  file->segmentCount = 0;
  file->stage = kStageWords;
  return 1;
}

// Stage 3: one word per call; falls through (1) when every word is done.
int32_t stageWords(TTSFile* file) {
  if (file->wordCursor) {
    Item* lastSegment = file->segmentRelation->tail;
    if (kLanguage.stages.pronounceWord) {
      int32_t made = kLanguage.stages.pronounceWord(file->lexicon, file->wordCursor, file->syllableRelation,
                                                    file->segmentRelation, reinterpret_cast<char*>(file->buffers[0]),
                                                    file->buffers[1], file->buffers[2]);
      if (made < 0) return abandon(file);
      file->segmentCount += made;
    }
    wordEventsWordDone(file, lastSegment);
    file->wordCursor = file->wordCursor->next;
    return TTS_OK;
  }
  for (int i = 0; i < 3; ++i) arenaPop(file->arena);
  for (int i = 0; i < 3; ++i) file->buffers[i] = nullptr;
  file->stage = kStageTargets;
  return 1;
}

int32_t stageTargets(TTSFile* file) {
  int32_t capacity = file->segmentCount + 2;
  for (int i = 1; i <= 4; ++i) {
    file->buffers[i] = static_cast<uint8_t*>(arenaAlloc(file->arena, 1, capacity));
    if (!file->buffers[i]) return abandon(file);
  }
  file->targets = static_cast<int32_t*>(arenaAlloc(file->arena, sizeof(int32_t), capacity * 4));
  if (!file->targets) return abandon(file);
  file->targetCapacity = capacity;
  // The handle's duration model reaches the duration step as a parameter
  // (the values 0 and 1 are shared and never allocate).
  featSet(file->params, "duration_model", makeInt(file->settings.durationModel));
  int32_t count = 0;
  if (kLanguage.stages.buildTargets) {
    count = kLanguage.stages.buildTargets(file->phraseRelation, file->buffers[1], file->buffers[2], file->buffers[3],
                                          file->buffers[4], file->targets, capacity);
    if (count < 0) return abandon(file);
  }
  file->segmentCount = count;
  inspectPhrase(file);
  file->stage = kStageSynthSetup;
  return 1;
}

int32_t stageSynthSetup(TTSFile* file) {
  PhraseVoice* voice = file->voice;
  const Settings& settings = file->settings;
  file->control = SynthControl{3, 0, 1, 1, 1, 0, 1};
  int32_t longest = settings.minorPause > settings.majorPause ? settings.minorPause : settings.majorPause;
  file->control.pauseLength = longest * settings.durationStretch_Q8 >> 7;
  // The synthesiser writes at the voice rate, pauses included; sized at no
  // more than the highest rate it accepts (an absurd rate would otherwise ask
  // for gigabytes).
  int64_t rate = voice->voiceRate;
  rate = rate < 0 ? 0 : (rate > kMaxVoiceRate ? kMaxVoiceRate : rate);
  int32_t request = static_cast<int32_t>(file->control.pauseLength * rate >> 10);
  if (voice->synthInit)
    file->synth = voice->synthInit(voice, file->buffers[1], file->buffers[2], file->buffers[3], file->targets,
                                   file->segmentCount, &request);
  if (request < 1) request = 1;
  // The buffer stays with the handle; it only grows.
  if (!file->samples || file->sampleAllocated < request) {
    std::free(file->samples);
    file->sampleAllocated = 0;
    file->samples = static_cast<int16_t*>(std::malloc(static_cast<size_t>(request) * sizeof(int16_t)));
    if (!file->samples) return abandon(file);
    file->sampleAllocated = request;
  }
  file->sampleCapacity = request;
  if (!outputRatePrepare(&file->output, voice->voiceRate, settings.outputRate_Hz, request)) return abandon(file);
  file->stage = kStageSpeech;
  return 1;
}

int32_t stageSpeech(TTSFile* file, SampleCallback callback, intptr_t user) {
  file->control.mode = 3;
  wordEventsStartSpeech(file);
  // synthGenerate renders one phone per call; the bound only guards against
  // a synthesiser that never reports the end. A word is reported before the
  // block of its first phone, at the samples delivered so far (the block may
  // begin with up to one level-control block of the phone before).
  for (int32_t calls = 0; calls <= file->segmentCount + 1; ++calls) {
    int32_t written = file->voice->synthGenerate ? file->voice->synthGenerate(file->synth, file->samples, &file->control)
                                                 : -1;
    if (written < 0) break;
    wordEventsUpTo(file, calls);
    if (deliverSamples(file, callback, user, file->samples, written) < 0) return abandon(file);
  }
  wordEventsUpTo(file, INT32_MAX);
  file->stage = kStagePause;
  return TTS_OK;
}

// A pause of `length` (1/1024 s): through the synthesiser when there is one,
// otherwise as zeros at the voice's rate.
void deliverPause(TTSFile* file, int32_t length, SampleCallback callback, intptr_t user) {
  file->control.mode = 0;
  file->control.pauseLength = length;
  if (file->synth && file->voice->synthGenerate) {
    int32_t written = file->voice->synthGenerate(file->synth, file->samples, &file->control);
    if (written >= 0) {
      deliverSamples(file, callback, user, file->samples, written);
      return;
    }
  }
  // At most the highest rate the synthesiser accepts, so that a voice rate
  // set absurdly high cannot turn one pause into minutes of work.
  int64_t rate = file->voice->voiceRate;
  rate = rate < 0 ? 0 : (rate > kMaxVoiceRate ? kMaxVoiceRate : rate);
  int64_t zeros = rate * length >> 10;
  const int32_t filled = zeros < file->sampleCapacity ? static_cast<int32_t>(zeros) : file->sampleCapacity;
  for (int32_t i = 0; i < filled; ++i) file->samples[i] = 0;
  while (zeros > 0) {
    int32_t block = zeros > file->sampleCapacity ? file->sampleCapacity : static_cast<int32_t>(zeros);
    deliverSamples(file, callback, user, file->samples, block);
    zeros -= block;
  }
}

int32_t stagePause(TTSFile* file, SampleCallback callback, intptr_t user) {
  Item* phrase = file->phraseRelation ? file->phraseRelation->head : nullptr;
  int32_t delay = phrase ? valInt(featGet(phrase->features, "delay")) : 0;
  const Settings& settings = file->settings;
  const int32_t stretch = settings.durationStretch_Q8;
  // Pauses, then what the resampler still holds, then the marker.
  switch (delay) {
    case kDelayPredicted:
      if (settings.minorPause > 0) deliverPause(file, settings.minorPause * stretch >> 8, callback, user);
      flushSamples(file, callback, user);
      break;
    case kDelayComma:
      if (settings.majorPause > 0) deliverPause(file, settings.majorPause * stretch >> 8, callback, user);
      flushSamples(file, callback, user);
      callback(user, file->samples, TTS_MARK_PAUSE);
      break;
    case kDelaySentence:
      if (settings.majorPause > 0) deliverPause(file, settings.majorPause * stretch >> 7, callback, user);
      flushSamples(file, callback, user);
      callback(user, file->samples, TTS_MARK_PAUSE);
      break;
    default:
      flushSamples(file, callback, user);
      callback(user, file->samples, TTS_MARK_END);
      break;
  }
  if (file->voice->synthRelease) file->voice->synthRelease(file->synth);
  file->synth = nullptr;
  file->sampleCapacity = 0;
  endPhraseCycle(file);
  file->stage = kStagePhrase;
  return TTS_OK;
}

int32_t step(TTSFile* file, const char16_t* text, SampleCallback callback, intptr_t user, int32_t textMode) {
  int32_t r;
  switch (file->stage) {
    case kStageWordList:
      return stageWordList(file, text, text ? textMode : file->words.textMode);
    case kStageAnalyse:
      return stageAnalyse(file);
    case kStagePhrase:
      if ((r = stagePhrase(file, callback, user)) != 1) return r;
      [[fallthrough]];
    case kStageWords:
      if ((r = stageWords(file)) != 1) return r;
      [[fallthrough]];
    case kStageTargets:
      if ((r = stageTargets(file)) != 1) return r;
      [[fallthrough]];
    case kStageSynthSetup:
      if ((r = stageSynthSetup(file)) != 1) return r;
      [[fallthrough]];
    case kStageSpeech:
      return stageSpeech(file, callback, user);
    case kStagePause:
      return stagePause(file, callback, user);
    case kStageIdle:
      return TTS_DONE;
    default:
      return TTS_ERR_ARGUMENT;
  }
}

}  // namespace
}  // namespace tts

extern "C" TTS_API int32_t TTSFileGetWave_I(TTSFile* handle, const TTSChar16* text, int32_t textMode,
                                            SampleCallback callback, intptr_t user) {
  if (!handle || !callback) return TTS_ERR_ARGUMENT;
  if (text) {
    tts::handleReset(handle);
    handle->stage = tts::kStageWordList;
    handle->wordEvents.chunkSamples = 0;
    handle->wordEvents.firstSegments = nullptr;
  }
  return tts::step(handle, text, callback, user, textMode);
}
