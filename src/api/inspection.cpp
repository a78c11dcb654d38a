// The inspection addition: what the text stage wrote, the word list, and the
// segments of each phrase, handed to an observer that the host sets.
#include "api/inspection.h"

#include <cstdlib>

#include "model/language.h"
#include "model/pool.h"
#include "prosody/phoneset.h"
#include "text/normaliser.h"

namespace tts {

void inspectNormalisedText(const TTSFile* file, const char16_t* text, int32_t textMode) {
  if (!file->inspector.normalisedText || !kLanguage.text) return;
  const int32_t length = normaliseText(kLanguage.text, text, textMode, nullptr, 0, file->settings.reading);
  auto* out = static_cast<char16_t*>(std::malloc((static_cast<size_t>(length) + 1) * sizeof(char16_t)));
  if (!out) return;
  normaliseText(kLanguage.text, text, textMode, out, length + 1, file->settings.reading);
  out[length] = 0;
  file->inspector.normalisedText(file->inspector.user, out);
  std::free(out);
}

void inspectWordList(const TTSFile* file) {
  if (!file->inspector.wordList) return;
  const WordList& words = file->words;
  file->inspector.wordList(file->inspector.user, words.entries, words.breakLevel, words.count);
}

void inspectPhrase(const TTSFile* file) {
  if (!file->inspector.phrase) return;
  const int32_t count = file->segmentCount;
  // From the handle's pool, so that inspecting a phrase allocates nothing
  // once the pool has held as large a phrase (the heap when it cannot).
  const int64_t bytes =
      static_cast<int64_t>(count > 0 ? count : 1) * static_cast<int64_t>(sizeof(TTSSegment));
  if (bytes > INT32_MAX) return;
  auto* segments = static_cast<TTSSegment*>(poolAllocZeroed(file->pool, static_cast<int32_t>(bytes)));
  if (!segments) segments = static_cast<TTSSegment*>(poolAllocZeroed(nullptr, static_cast<int32_t>(bytes)));
  if (!segments) return;
  for (int32_t i = 0; i < count; ++i) {
    const char* name = phoneName(kLanguage.phoneset, file->buffers[1][i]);
    segments[i].phone = name ? name : "##";
    segments[i].duration = file->buffers[3][i];
    for (int k = 0; k < 4; ++k) segments[i].pitch[k] = file->targets[4 * i + k];
  }
  file->inspector.phrase(file->inspector.user, segments, count, file->voice->voiceRate);
  poolFree(segments);
}

}  // namespace tts

extern "C" TTS_API int32_t TTSFileSetInspector_I(TTSFile* handle, const TTSInspector* inspector) {
  if (!handle) return TTS_ERR_ARGUMENT;
  handle->inspector = inspector ? *inspector : TTSInspector{};
  return TTS_OK;
}
