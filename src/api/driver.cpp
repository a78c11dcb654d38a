// The staged driver behind TTSFileGetWave_I: a resumable state machine that
// carries one chunk of text through word list, analysis, phrasing,
// pronunciation, prosody and synthesis, one bounded piece of work per call.
#include <cstdlib>

#include "api/handle.h"
#include "api/inspection.h"
#include "model/language.h"
#include "model/features.h"
#include "model/value.h"

namespace tts {
namespace {

// A stage could not get memory: abandon the chunk.
int32_t abandon(TTSFile* file) {
  handleReset(file);
  return TTS_ERR_ABANDONED;
}

// Highest voice rate (Hz) that the synthesiser accepts.
constexpr int64_t kMaxVoiceRate = 96000;

// Delay classes of a phrase's "delay" feature.
enum Delay : int32_t { kDelayPredicted = 0, kDelayComma = 1, kDelaySentence = 2 };

int32_t stageWordList(TTSFile* file, const char16_t* text, int32_t textMode) {
  auto build = kLanguage.stages.buildWordList;
  int32_t bound = build ? build(text, textMode, nullptr, 0, file->arena) : 0;
  if (bound <= 0) {
    file->stage = kStageIdle;
    return TTS_ERR_ARGUMENT;
  }
  auto* storage = static_cast<char16_t*>(arenaAlloc(file->arena, sizeof(char16_t), bound * kEntryTextUnits));
  auto** entries = static_cast<char16_t**>(arenaAlloc(file->arena, sizeof(char16_t*), bound));
  if (!storage || !entries) return abandon(file);
  for (int32_t i = 0; i < bound; ++i) entries[i] = nullptr;
  entries[0] = storage;
  int32_t count = build(text, textMode, entries, bound, file->arena);
  if (count < 0) return abandon(file);
  file->words.textMode = textMode;
  file->words.textBuffer = storage;
  file->words.entries = entries;
  file->words.count = count;
  inspectNormalisedText(file, text, textMode);
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
  file->phraseRelation = relCreate("Phrase", file->params, file->featureFunctions, file->arena);
  if (!file->phraseRelation) return abandon(file);
  Relation* phrases = file->phraseRelation;
  file->wordRelation = relCreate("Word", phrases->params, phrases->featureFunctions, phrases->arena);
  if (!file->wordRelation) return abandon(file);
  if (kLanguage.stages.cutPhrase && kLanguage.stages.cutPhrase(&file->words, phrases, file->wordRelation) < 0)
    return abandon(file);
  if (!phrases->head || !phrases->head->down) {
    callback(user, file->samples, TTS_MARK_END);
    file->stage = kStageIdle;
    return TTS_DONE;
  }
  file->syllableRelation = relCreate("Syllable", phrases->params, phrases->featureFunctions, phrases->arena);
  file->segmentRelation = relCreate("Segment", phrases->params, phrases->featureFunctions, phrases->arena);
  if (!file->syllableRelation || !file->segmentRelation) return abandon(file);
  file->wordCursor = file->wordRelation->head;
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
    if (kLanguage.stages.pronounceWord) {
      int32_t made = kLanguage.stages.pronounceWord(file->lexicon, file->wordCursor, file->syllableRelation,
                                                    file->segmentRelation, reinterpret_cast<char*>(file->buffers[0]),
                                                    file->buffers[1], file->buffers[2]);
      if (made < 0) return abandon(file);
      file->segmentCount += made;
    }
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
  file->control = SynthControl{3, 0, 1, 1, 1, 0, 1};
  int32_t longest = file->minorPause > file->majorPause ? file->minorPause : file->majorPause;
  file->control.pauseLength = longest * voice->durationStretch >> 7;
  // Sized at no more than the highest rate the synthesiser accepts (an
  // absurd output rate would otherwise ask for gigabytes).
  int64_t outputRate = voice->outputRate;
  outputRate = outputRate < 0 ? 0 : (outputRate > kMaxVoiceRate ? kMaxVoiceRate : outputRate);
  int32_t request = static_cast<int32_t>(file->control.pauseLength * outputRate >> 10);
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
  file->stage = kStageSpeech;
  return 1;
}

int32_t stageSpeech(TTSFile* file, SampleCallback callback, intptr_t user) {
  file->control.mode = 3;
  // synthGenerate renders one phone per call; the bound only guards against
  // a synthesiser that never reports the end.
  for (int32_t calls = 0; calls <= file->segmentCount + 1; ++calls) {
    int32_t written = file->voice->synthGenerate ? file->voice->synthGenerate(file->synth, file->samples, &file->control)
                                                 : -1;
    if (written < 0) break;
    if (callback(user, file->samples, 2 * written) < 0) return abandon(file);
  }
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
      callback(user, file->samples, 2 * written);
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
    callback(user, file->samples, 2 * block);
    zeros -= block;
  }
}

int32_t stagePause(TTSFile* file, SampleCallback callback, intptr_t user) {
  Item* phrase = file->phraseRelation ? file->phraseRelation->head : nullptr;
  int32_t delay = phrase ? valInt(featGet(phrase->features, "delay")) : 0;
  int32_t stretch = file->voice->durationStretch;
  switch (delay) {
    case kDelayPredicted:
      if (file->minorPause > 0) deliverPause(file, file->minorPause * stretch >> 8, callback, user);
      break;
    case kDelayComma:
      if (file->majorPause > 0) deliverPause(file, file->majorPause * stretch >> 8, callback, user);
      callback(user, file->samples, TTS_MARK_PAUSE);
      break;
    case kDelaySentence:
      if (file->majorPause > 0) deliverPause(file, file->majorPause * stretch >> 7, callback, user);
      callback(user, file->samples, TTS_MARK_PAUSE);
      break;
    default:
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
      return stageWordList(file, text, textMode);
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
  }
  return tts::step(handle, text, callback, user, textMode);
}
