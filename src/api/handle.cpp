// Opening, closing and controlling a synthesis handle.
#include "api/handle.h"

#include <cstdlib>

#include "model/language.h"
#include "corvum.h"
#include "model/features.h"
#include "model/value.h"
#include "prosody/feature_functions.h"
#include "prosody/phoneset.h"
#include "synth/voice.h"

namespace tts {
namespace {

// Pause settings are kept within 0..30000 (about 29 s) so that the pause
// arithmetic of the driver cannot overflow 32 bits; a negative request means
// no pause, as any value <= 0 already did.
constexpr int32_t kMaxPause = 30000;

int32_t clampPause(int32_t value) { return value < 0 ? 0 : (value > kMaxPause ? kMaxPause : value); }

static_assert(tts::kDurationModelTrained == TTS_DURATIONS_TRAINED, "stages and header disagree");
static_assert(tts::kIntonationAccented == TTS_INTONATION_ACCENTED, "stages and header disagree");

void destroyHandle(TTSFile* file) {
  handleReset(file);
  std::free(file->samples);
  voiceRelease(file->voice);
  outputRateRelease(&file->output);
  featDestroy(file->params);
  featDestroy(file->featureFunctions);
  poolDestroy(file->pool);
  arenaDestroy(file->arena);
  std::free(file);
}

// The global parameters of the front end: copies taken at open. A table the
// deliverable does not carry (yet) is not published; a value that cannot be
// made (heap exhausted) fails the open.
bool publishParameters(TTSFile* file) {
  const PhraseVoice* voice = file->voice;
  const PhoneSet* phones = kLanguage.phoneset;
  struct Parameter {
    const char* name;
    bool carried;
    const Val* value;
  };
  const Parameter parameters[] = {
      {"int_f0_target_mean", true, makeInt(voice->f0Mean)},
      {"int_f0_target_stddev", true, makeInt(voice->f0StdDev)},
      {"duration_stretch", true, makeInt(file->settings.durationStretch_Q8)},
      {"phoneset", phones != nullptr, phones ? makePhoneset(phones) : nullptr},
      {"silence", phones != nullptr, phones ? makeString(phones->silenceName) : nullptr},
      {"int_cart_accents", kLanguage.accentTree != nullptr,
       kLanguage.accentTree ? makeCart(kLanguage.accentTree) : nullptr},
      {"int_cart_tones", kLanguage.toneTree != nullptr, kLanguage.toneTree ? makeCart(kLanguage.toneTree) : nullptr},
      {"dur_cart", kLanguage.durationTree != nullptr,
       kLanguage.durationTree ? makeCart(kLanguage.durationTree) : nullptr},
      {"sample_rate", true, makeInt(voice->voiceRate)},
  };
  bool complete = true;
  for (const Parameter& p : parameters) {
    if (!p.carried) continue;
    if (!p.value) complete = false;
    featSet(file->params, p.name, p.value);  // a null value is ignored
    if (p.value && !featGet(file->params, p.name)) complete = false;
  }
  return complete;
}

TTSFile* openHandle(void* lexicon, const void* database, size_t size, int32_t mode, int32_t format) {
  if (!lexicon) return nullptr;
  if (LexMgr_GetLexID(lexicon, kLanguage.lexiconCode, 0) < 0) return nullptr;
  if (format != kFormatKeep && formatToRate(format) == 0) return nullptr;

  auto* file = static_cast<TTSFile*>(std::calloc(1, sizeof(TTSFile)));
  if (!file) return nullptr;
  file->lexicon = lexicon;
  file->stage = kStageIdle;
  file->voice = voiceBind(database, size, mode);
  file->arena = arenaCreate(kArenaCapacity);
  file->pool = poolCreate(kModelPoolLimit);
  if (!file->voice || !file->arena || !file->pool) {
    destroyHandle(file);
    return nullptr;
  }
  file->voice->settings = &file->settings;
  PhraseTTSCtrl(file->voice, PTC_RESET, nullptr);
  TTSFileCtrl_I(file, TTSC_RESET, nullptr);
  int32_t value = format;
  TTSFileCtrl_I(file, TTSC_SET_FORMAT, &value);
  value = kDefaultPause;
  TTSFileCtrl_I(file, TTSC_SET_MINOR_PAUSE, &value);
  value = kDefaultPause;
  TTSFileCtrl_I(file, TTSC_SET_MAJOR_PAUSE, &value);

  file->params = featCreate();
  file->featureFunctions = featCreate();
  if (!file->params || !file->featureFunctions || !publishParameters(file)) {
    destroyHandle(file);
    return nullptr;
  }
  registerFeatureFunctions(file->featureFunctions);
  return file;
}

}  // namespace

int32_t formatToRate(int32_t format) {
  switch (format) {
    case TTS_FORMAT_8K: return 8000;
    case TTS_FORMAT_11K: return 11000;
    case TTS_FORMAT_16K: return 16000;
    default: return 0;
  }
}

int32_t rateToFormat(int32_t rate) {
  switch (rate) {
    case 8000: return TTS_FORMAT_8K;
    case 11000: return TTS_FORMAT_11K;
    case 16000: return TTS_FORMAT_16K;
    default: return 0;
  }
}

void endPhraseCycle(TTSFile* file) {
  relDestroy(file->phraseRelation);
  file->phraseRelation = nullptr;
  relDestroy(file->wordRelation);
  file->wordRelation = nullptr;
  relDestroy(file->syllableRelation);
  file->syllableRelation = nullptr;
  relDestroy(file->segmentRelation);
  file->segmentRelation = nullptr;
  file->wordCursor = nullptr;
  for (auto& buffer : file->buffers) buffer = nullptr;
  file->targets = nullptr;
  file->segmentCount = 0;
  arenaReleaseTo(file->arena, file->arenaMark);
}

void handleReset(TTSFile* file) {
  std::free(file->words.passText);
  std::free(file->words.passSpans);
  file->words = WordList{};
  if (file->voice && file->voice->synthRelease) file->voice->synthRelease(file->synth);
  outputRateDiscard(&file->output);
  file->synth = nullptr;
  file->sampleCapacity = 0;  // the sample buffer itself stays for the next chunk
  file->arenaMark = 0;
  arenaReset(file->arena);
  endPhraseCycle(file);
  file->stage = kStageIdle;
}

}  // namespace tts

using namespace tts;

extern "C" {

TTS_API TTSFile* TTSFileOpen_I(void* lexicon, const void* database, int32_t databaseMode, int32_t format) {
  return openHandle(lexicon, database, 0, databaseMode, format);
}

TTS_API TTSFile* TTSFileOpenSized_I(void* lexicon, const void* database, size_t databaseSize,
                                    int32_t databaseMode, int32_t format) {
  if (databaseSize == 0) return nullptr;  // no block is empty; 0 would mean "trusted" to the binder
  return openHandle(lexicon, database, databaseSize, databaseMode, format);
}

TTS_API int32_t TTSFileClose_I(TTSFile* handle) {
  if (!handle) return TTS_ERR_ARGUMENT;
  destroyHandle(handle);
  return TTS_OK;
}

TTS_API int32_t TTSFileCtrl_I(TTSFile* handle, int32_t code, int32_t* value) {
  if (!handle || code < 0) return TTS_ERR_ARGUMENT;
  if (code > TTSC_GET_FORMAT && code != TTSC_SET_READING && code != TTSC_SET_DURATION_MODEL &&
      code != TTSC_SET_INTONATION)
    return TTS_ERR_ARGUMENT;
  if (code == TTSC_RESET) {
    handleReset(handle);
    return TTS_OK;
  }
  if (!value) return TTS_ERR_ARGUMENT;
  PhraseVoice* voice = handle->voice;
  switch (code) {
    case TTSC_SET_PITCH:
      PhraseTTSCtrl(voice, PTC_SET_PITCH, value);
      return TTS_OK;
    case TTSC_SET_SPEED:
      PhraseTTSCtrl(voice, PTC_SET_SPEED, value);
      return TTS_OK;
    case TTSC_SET_FORMAT: {
      if (*value == kFormatKeep) {
        int32_t rate = 0;
        PhraseTTSCtrl(voice, PTC_GET_OUTPUT_RATE, &rate);
        PhraseTTSCtrl(voice, PTC_SET_OUTPUT_RATE, &rate);
        return TTS_OK;
      }
      int32_t rate = formatToRate(*value);
      if (rate == 0) return TTS_ERR_FORMAT;
      PhraseTTSCtrl(voice, PTC_SET_OUTPUT_RATE, &rate);
      return TTS_OK;
    }
    case TTSC_SET_MINOR_PAUSE:
      handle->settings.minorPause = clampPause(*value);
      return TTS_OK;
    case TTSC_SET_MAJOR_PAUSE:
      handle->settings.majorPause = clampPause(*value);
      return TTS_OK;
    case TTSC_GET_LANGUAGE:
      *value = kLanguage.identifier;
      return TTS_OK;
    case TTSC_SET_READING:
      if (*value != TTS_READING_LITERAL && *value != TTS_READING_EVERYDAY) return TTS_ERR_ARGUMENT;
      handle->settings.reading = *value;
      return TTS_OK;
    case TTSC_SET_DURATION_MODEL:
      if (*value != TTS_DURATIONS_TABLES && *value != TTS_DURATIONS_TRAINED) return TTS_ERR_ARGUMENT;
      handle->settings.durationModel = *value;
      return TTS_OK;
    case TTSC_SET_INTONATION:
      if (*value != TTS_INTONATION_MODEL && *value != TTS_INTONATION_ACCENTED) return TTS_ERR_ARGUMENT;
      handle->settings.intonation = *value;
      return TTS_OK;
    case TTSC_GET_FORMAT: {
      *value = TTS_FORMAT_16K;
      int32_t rate = 0;
      PhraseTTSCtrl(voice, PTC_GET_OUTPUT_RATE, &rate);
      int32_t format = rateToFormat(rate);
      if (format == 0) return TTS_ERR_FORMAT;
      *value = format;
      return TTS_OK;
    }
    default:
      return TTS_ERR_ARGUMENT;
  }
}

}  // extern "C"
