// Bounded UTF-16 writer shared by the normaliser and the verbalisers. The same
// code runs in the length-only pass (no buffer) and in the writing pass; the
// length is counted identically in both, and the writing pass never stores a
// unit past the buffer it was given, whatever it is asked to write.
#pragma once
#include <cstdint>

namespace tts {

constexpr int32_t kWriterTail = 64;  // recent units kept for look-back, a power of two

struct TextWriter {
  char16_t* out;                 // destination, or null in the length-only pass
  int32_t capacity;              // units of `out`, NUL included
  int32_t length;                // units written so far (also counted past the capacity)
  char16_t tail[kWriterTail];    // the most recent units, indexed by position
};

inline void writerInit(TextWriter* w, char16_t* out, int32_t capacity) {
  w->out = capacity > 0 ? out : nullptr;
  w->capacity = capacity;
  w->length = 0;
  for (char16_t& c : w->tail) c = 0;
}

inline void writerPut(TextWriter* w, char16_t c) {
  w->tail[w->length & (kWriterTail - 1)] = c;
  if (w->out != nullptr && w->length < w->capacity - 1) w->out[w->length] = c;
  ++w->length;
}

inline int32_t writerPuts(TextWriter* w, const char16_t* s) {
  int32_t n = 0;
  if (s == nullptr) return 0;
  while (s[n] != 0) writerPut(w, s[n++]);
  return n;
}

// Last unit written (0 when nothing is written). Valid for up to kWriterTail
// consecutive removals, which is far more than any caller makes.
inline char16_t writerLast(const TextWriter* w) {
  return w->length > 0 ? w->tail[(w->length - 1) & (kWriterTail - 1)] : char16_t(0);
}

// True when the text written so far ends with `word` + " " and the word
// stands at the start or after a separator (word: at most kWriterTail - 2 units).
inline bool writerEndsWithWord(const TextWriter* w, const char16_t* word) {
  int32_t n = 0;
  while (word[n] != 0) ++n;
  if (n + 2 > kWriterTail || w->length < n + 1) return false;
  auto at = [w](int32_t i) { return w->tail[i & (kWriterTail - 1)]; };
  const int32_t end = w->length - 1;  // the space after the word
  if (at(end) != u' ') return false;
  for (int32_t i = 0; i < n; ++i) {
    if (at(end - n + i) != word[i]) return false;
  }
  if (w->length == n + 1) return true;
  const char16_t before = at(end - n - 1);
  return before == u' ' || before == u',' || before == u'.' || before == u'?' || before == u'|';
}

inline void writerPop(TextWriter* w) {
  if (w->length > 0) --w->length;
}

// NUL-terminates the written text inside the buffer.
inline void writerFinish(TextWriter* w) {
  if (w->out == nullptr) return;
  int32_t end = w->length < w->capacity - 1 ? w->length : w->capacity - 1;
  w->out[end] = 0;
}

}  // namespace tts
