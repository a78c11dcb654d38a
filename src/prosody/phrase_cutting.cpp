#include "prosody/phrase_cutting.h"

#include "model/language.h"
#include "model/strings.h"
#include "prosody/prosody_items.h"

namespace tts {

namespace {

int32_t levelAt(const WordList* w, int32_t i) { return w->breakLevel ? w->breakLevel[i] : 0; }
int32_t syllablesAt(const WordList* w, int32_t i) { return w->syllables ? w->syllables[i] : 0; }

const char16_t* entryText(const WordList* w, int32_t i) {
  static const char16_t kEmpty[1] = {0};
  if (!w->entries || i < 0 || i >= w->count || !w->entries[i]) return kEmpty;
  return w->entries[i];
}

bool setWordName(Item* word, const char16_t* text) {
  const Val* v = makeWString(itemPool(word), text);
  if (v && !valWString(v)) {
    valRelease(v);
    return false;
  }
  return setFeature(word, "name", v);
}

// Moves the cursors to the first entry of the next phrase.
void advanceCursors(WordList* w) {
  int32_t* c = w->cursors;
  const int32_t count = w->count;
  for (int32_t i = 0; i < c[kCursorPhraseLength]; ++i) {
    int32_t k = c[kCursorPosition] + i;
    if (k < count) c[kCursorSyllablesUsed] += syllablesAt(w, k);
  }
  c[kCursorPosition] += c[kCursorPhraseLength];
  c[kCursorPhraseLength] = 0;

  if (c[kCursorPosition] < c[kCursorSentenceEnd]) {
    while (c[kCursorPosition] < c[kCursorSentenceEnd] && levelAt(w, c[kCursorPosition]) > kBreakPredicted)
      ++c[kCursorPosition];
    ++c[kCursorSubPhrase];
    // Only punctuation was left of the sentence: go on with the next sentence
    // rather than ending the chunk there.
    if (c[kCursorPosition] < c[kCursorSentenceEnd]) return;
  }

  int32_t start = c[kCursorSentenceEnd];
  while (start < count && levelAt(w, start) > kBreakPredicted) ++start;
  int32_t end = start;
  int32_t syllables = 0;
  while (end < count && levelAt(w, end) != kBreakSentence) {
    syllables += syllablesAt(w, end);
    ++end;
  }
  c[kCursorSentenceStart] = start;
  c[kCursorSentenceEnd] = end;
  c[kCursorSentenceSyllables] = syllables;
  ++c[kCursorSentenceNumber];
  c[kCursorSubPhrase] = 0;
  c[kCursorSyllablesUsed] = 0;
  c[kCursorPosition] = start;
}

}  // namespace

int32_t cutPhrase(WordList* words, Relation* phrases, Relation* wordItems) {
  if (!words || !phrases || !wordItems) return 0;
  WordList* w = words;
  int32_t* c = w->cursors;
  if (w->count < 0) w->count = 0;

  advanceCursors(w);
  const int32_t position = c[kCursorPosition];
  const int32_t end = c[kCursorSentenceEnd];
  if (position >= end || position >= w->count) return 0;

  int32_t length = 1;
  int32_t delay = kDelayChunkEnd;
  int32_t i = position + 1;
  for (; i < end; ++i) {
    const int32_t level = levelAt(w, i);
    if (level <= kBreakNone) {
      ++length;
      continue;
    }
    if (level == kBreakPredicted) {
      ++length;
      delay = kDelayBreak;
    } else if (level == kBreakMinor) {
      delay = kDelayBreak;
    } else {
      delay = kDelayComma;
    }
    break;
  }
  if (i >= end && end < w->count) delay = kDelaySentence;
  c[kCursorPhraseLength] = length;

  Item* phrase = relAppend(phrases);
  if (!phrase) return kStageNoMemory;
  const bool big = delay == kDelaySentence || delay == kDelayChunkEnd;
  ModelPool* pool = itemPool(phrase);
  if (!setFeature(phrase, "name", makeString(pool, big ? "BB" : "B")) ||
      !setFeature(phrase, "type", makeInt(pool, w->textMode)) ||
      !setFeature(phrase, "delay", makeInt(pool, delay)) ||
      !setFeature(phrase, "sub_phrases", sharedNumber(c[kCursorSubPhrase])))
    return kStageNoMemory;
  // "question" 1: the phrase ends its sentence at a question mark.
  if (delay == kDelaySentence && wstrCompare(entryText(w, end), u"?") == 0 &&
      !setFeature(phrase, "question", makeInt(1)))
    return kStageNoMemory;

  // Phrase-initial item: the punctuation that opened this phrase, if any.
  Item* first = relAppend(wordItems);
  if (!first) return kStageNoMemory;
  const bool opened = position > 0 && levelAt(w, position - 1) >= kBreakComma;
  if (!setWordName(first, opened ? entryText(w, position - 1) : entryText(w, -1))) return kStageNoMemory;

  for (int32_t k = position; k < position + length; ++k) {
    Item* word = relAppend(wordItems);
    if (!word) return kStageNoMemory;
    if (!setWordName(word, entryText(w, k))) return kStageNoMemory;
    if (!itemAddDaughter(phrase, word)) return kStageNoMemory;
  }
  return 0;
}

}  // namespace tts
