#include "api/word_events.h"

#include <climits>

#include "model/arena.h"

namespace tts {

bool wordEventsStartPhrase(TTSFile* file) {
  WordEvents& e = file->wordEvents;
  e.firstSegments = nullptr;
  e.segmentIndex = nullptr;
  e.wordCount = e.pronounced = e.reported = 0;
  if (!e.callback || !file->words.spans) return true;
  int32_t count = 0;
  for (Item* w = file->wordRelation->head; w; w = w->next) ++count;
  e.firstSegments = static_cast<Item**>(arenaAlloc(file->arena, sizeof(Item*), count));
  e.segmentIndex = static_cast<int32_t*>(arenaAlloc(file->arena, sizeof(int32_t), count));
  if (!e.firstSegments || !e.segmentIndex) return false;
  for (int32_t i = 0; i < count; ++i) e.firstSegments[i] = nullptr;
  e.wordCount = count;
  return true;
}

void wordEventsWordDone(TTSFile* file, Item* lastBefore) {
  WordEvents& e = file->wordEvents;
  if (!e.firstSegments || e.pronounced >= e.wordCount) return;
  e.firstSegments[e.pronounced++] = lastBefore ? lastBefore->next : file->segmentRelation->head;
}

void wordEventsStartSpeech(TTSFile* file) {
  WordEvents& e = file->wordEvents;
  if (!e.firstSegments) return;
  // Segments are appended word by word, so one walk finds every first segment.
  int32_t index = 0, w = 0;
  for (Item* s = file->segmentRelation ? file->segmentRelation->head : nullptr; s && w < e.wordCount;
       s = s->next, ++index) {
    while (w < e.wordCount && (!e.firstSegments[w] || e.firstSegments[w] == s)) {
      e.segmentIndex[w] = e.firstSegments[w] ? index : -1;
      ++w;
    }
  }
  for (; w < e.wordCount; ++w) e.segmentIndex[w] = -1;
  // A word without segments is reported with the word after it (or at the end).
  int32_t next = INT_MAX;
  for (int32_t i = e.wordCount - 1; i >= 0; --i) {
    if (e.segmentIndex[i] < 0) e.segmentIndex[i] = next;
    next = e.segmentIndex[i];
  }
  e.reported = 1;  // the phrase-initial item is no word of the text
}

void wordEventsUpTo(TTSFile* file, int32_t segment) {
  WordEvents& e = file->wordEvents;
  if (!e.firstSegments || !e.callback) return;
  const WordList& words = file->words;
  const int32_t first = words.cursors[kCursorPosition];
  for (; e.reported < e.wordCount && e.segmentIndex[e.reported] <= segment; ++e.reported) {
    const int32_t entry = first + e.reported - 1;
    if (entry < 0 || entry >= words.count || !words.spans || words.spans[entry].start < 0) continue;
    TTSWordEvent event;
    event.offset = words.spans[entry].start;
    event.length = words.spans[entry].length;
    event.sample = e.chunkSamples > INT32_MAX ? INT32_MAX : static_cast<int32_t>(e.chunkSamples);
    event.word = words.entries[entry];
    e.callback(e.user, &event);
  }
}

}  // namespace tts

extern "C" TTS_API int32_t TTSFileSetWordEvents_I(TTSFile* handle, TTSWordCallback callback, intptr_t user) {
  if (!handle) return TTS_ERR_ARGUMENT;
  handle->wordEvents.callback = callback;
  handle->wordEvents.user = user;
  return TTS_OK;
}
