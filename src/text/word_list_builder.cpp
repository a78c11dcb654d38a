#include "text/word_list_builder.h"

#include <cstdlib>

#include "model/language.h"
#include "text/normaliser.h"

namespace tts {

namespace {

bool isSeparator(char16_t c) { return c == u' ' || c == u',' || c == u'.' || c == u'?' || c == u'|'; }

// Break value of a word followed by another, by their classes (1..3).
constexpr int32_t kPairBreak[4][4] = {
    {1, 1, 1, 0},
    {0, 0, 0, 0},
    {1, 1, 0, 0},
    {2, 2, 2, 2},
};

int32_t classOf(const char* answer) {
  if (answer == nullptr) return 1;
  auto is = [answer](const char* s) {
    int32_t i = 0;
    while (s[i] != 0 && answer[i] == s[i]) ++i;
    return s[i] == 0 && answer[i] == 0;
  };
  if (is("punc")) return 3;
  if (is("content")) return 2;
  return 1;
}

// Short phrases between soft breaks are merged into their neighbours.
void mergeShortPhrases(const int32_t* syllables, int32_t n, int32_t* value) {
  int32_t last = -1, pending = 0, pendingSyllables = 0;
  int32_t position = 0;
  while (position < n) {
    int32_t d = 0, i = position;
    while (i < n) {
      d += syllables[i];
      if (value[i] != 0) break;
      ++i;
    }
    if (i >= n) break;
    if (value[i] == 1) {
      if (pending - last >= 4 && pendingSyllables >= 5 && d + pendingSyllables >= 10) {
        last = pending;
        pending = i;
        pendingSyllables = d;
      } else {
        if (pending >= 0 && pending < n) value[pending] = 0;
        pendingSyllables += d;
        pending = i;
      }
    } else {
      if ((i - pending < 4 || d < 5 || d + pendingSyllables < 10) && pending >= 0 && pending < n) {
        value[pending] = 0;
      }
      last = i;
      pending = i + 1;
      pendingSyllables = 0;
    }
    position = i + 1;
  }
}

}  // namespace

int32_t countVowelGroups(const TextLanguage* lang, const char16_t* text) {
  int32_t groups = 0;
  bool inGroup = false;
  for (const char16_t* p = text; p != nullptr && *p != 0; ++p) {
    bool vowel = false;
    for (const char16_t* v = lang->vowels; *v != 0 && !vowel; ++v) vowel = *v == *p;
    if (vowel && !inGroup) ++groups;
    inGroup = vowel;
  }
  return groups;
}

void predictBreaks(const TextLanguage* lang, const int32_t* wordClass, const int32_t* syllables, int32_t n,
                   int32_t* breakLevel) {
  if (n <= 0) return;
  if (lang->mergeBreaks && n < 10) {
    for (int32_t i = 0; i < n - 1; ++i) breakLevel[i] = 0;
    breakLevel[n - 1] = wordClass[n - 1] == 3 ? 2 : 1;
    return;
  }
  for (int32_t i = 0; i < n - 1; ++i) {
    const int32_t a = wordClass[i] & 3, b = wordClass[i + 1] & 3;
    breakLevel[i] = kPairBreak[a][b];
  }
  breakLevel[n - 1] = 2;
  if (lang->mergeBreaks) mergeShortPhrases(syllables, n, breakLevel);
  breakLevel[n - 1] = wordClass[n - 1] == 3 ? 2 : 1;
}

int32_t buildWordListFor(const TextLanguage* lang, const char16_t* text, int32_t textMode, char16_t** entries,
                         int32_t capacity, int32_t reading, SourceSpan* spans) {
  if (lang == nullptr || text == nullptr) return 0;
  const int32_t length = normaliseText(lang, text, textMode, nullptr, 0, reading);
  if (length <= 0) return 0;
  auto* normal = static_cast<char16_t*>(std::malloc(size_t(length + 10) * sizeof(char16_t)));
  if (normal == nullptr) return 0;
  // Source of every normalised unit, only when the caller wants entry spans.
  SourceSpan* unitSpans = nullptr;
  if (spans != nullptr && entries != nullptr) {
    unitSpans = static_cast<SourceSpan*>(std::malloc(size_t(length + 10) * sizeof(SourceSpan)));
    if (unitSpans == nullptr) {
      std::free(normal);
      return 0;
    }
    for (int32_t i = 0; i < length + 10; ++i) unitSpans[i] = SourceSpan{-1, 0};
  }
  normaliseTextWithSpans(lang, text, textMode, normal, unitSpans, length + 10, reading);
  // The host text that units [from, to) came from (the union of their spans).
  auto sourceOf = [unitSpans](int32_t from, int32_t to) {
    int32_t start = -1, end = -1;
    for (int32_t i = from; i < to; ++i) {
      const SourceSpan& u = unitSpans[i];
      if (u.start < 0) continue;
      if (start < 0 || u.start < start) start = u.start;
      if (u.start + u.length > end) end = u.start + u.length;
    }
    return start < 0 ? SourceSpan{-1, 0} : SourceSpan{start, end - start};
  };

  int32_t k = 0;
  if (entries == nullptr) {
    int32_t sum = 0;
    for (const char16_t* p = normal; *p != 0 && sum < kMaxEntries; ++p) {
      if (*p == u' ') sum += 1;
      else if (isSeparator(*p)) sum += 2;
    }
    std::free(normal);
    return sum + 2;
  }
  if (capacity <= 0 || entries[0] == nullptr) {
    std::free(normal);
    std::free(unitSpans);
    return 0;
  }
  char16_t* storage = entries[0];
  char16_t* const storageEnd = entries[0] + int64_t(capacity) * kEntryTextUnits;
  int32_t j = 0;
  while (k < kMaxEntries && k < capacity) {
    while (normal[j] != 0 && isSeparator(normal[j])) ++j;
    if (normal[j] == 0) break;
    int32_t end = j;
    while (normal[end] != 0 && !isSeparator(normal[end])) ++end;
    // A word keeps at most kEntryMaxLength units, so each entry fits its 21 units.
    int32_t n = end - j < kEntryMaxLength ? end - j : kEntryMaxLength;
    if (storage + n + 1 > storageEnd) break;
    if (unitSpans != nullptr) spans[k] = sourceOf(j, end);
    entries[k++] = storage;
    for (int32_t i = 0; i < n; ++i) storage[i] = normal[j + i];
    storage[n] = 0;
    storage += n + 1;
    const char16_t c = normal[end];
    const bool mark = c != 0 && c != u' ';
    if ((mark || (c == 0 && lang->addEndEntry)) && k < capacity && storage + 2 <= storageEnd) {
      if (unitSpans != nullptr) spans[k] = c != 0 ? sourceOf(end, end + 1) : SourceSpan{-1, 0};
      entries[k++] = storage;
      storage[0] = c;
      storage[1] = 0;
      storage += 2;
    }
    j = end;
  }
  std::free(normal);
  std::free(unitSpans);
  return k;
}

int32_t analyseWordListFor(const TextLanguage* lang, WordClassifier classify, WordList* words,
                           WorkArena* arena) {
  if (lang == nullptr || words == nullptr) return kStageNoMemory;
  const int32_t count = words->count > 0 ? words->count : 0;
  words->syllables = static_cast<int32_t*>(arenaAlloc(arena, 4, count));
  if (words->syllables == nullptr) return kStageNoMemory;
  words->wordClass = static_cast<int32_t*>(arenaAlloc(arena, 4, count));
  if (words->wordClass == nullptr) return kStageNoMemory;
  words->breakLevel = static_cast<int32_t*>(arenaAlloc(arena, 4, count));
  if (words->breakLevel == nullptr) return kStageNoMemory;

  for (int32_t i = 0; i < count; ++i) {
    const int32_t v = countVowelGroups(lang, words->entries[i]);
    words->syllables[i] = v > 0 ? v : 1;
    words->breakLevel[i] = 0;
  }
  for (int32_t a = 0; a < count;) {
    int32_t end = count;  // one past the window
    if (count - a >= 48) {
      end = a + 17;
      for (int32_t i = a + 47; i >= a + 17; --i) {
        const char16_t c = words->entries[i][0];
        if (c == u'.' || c == u':' || c == u'?' || c == u'!' || c == u',' || c == u';') {
          end = i + 1;
          break;
        }
      }
    }
    for (int32_t i = a; i < end; ++i) {
      words->wordClass[i] = classOf(classify != nullptr ? classify(words->entries[i]) : nullptr);
    }
    predictBreaks(lang, words->wordClass + a, words->syllables + a, end - a, words->breakLevel + a);
    a = end;
  }
  int32_t sentenceEnds = 0;
  for (int32_t i = 0; i < count; ++i) {
    const char16_t c = words->entries[i][0];
    int32_t& level = words->breakLevel[i];
    if (c == 0 || c == u'|') level = kBreakMinor;
    else if (c == u'!' || c == u'.' || c == u':' || c == u'?') level = kBreakSentence;
    else if (c == u',' || c == u';') level = kBreakComma;
    else if (level > 1) level = 1;
    if (level == kBreakSentence) ++sentenceEnds;
  }
  for (int32_t& cursor : words->cursors) cursor = 0;
  words->cursors[kCursorSentenceFinalCount] = sentenceEnds;
  return 0;
}

int32_t buildWordList(const char16_t* text, int32_t textMode, int32_t reading, char16_t** entries,
                      int32_t capacity, WorkArena* /*arena*/, SourceSpan* spans) {
  return buildWordListFor(kLanguage.text, text, textMode, entries, capacity, reading, spans);
}

int32_t analyseWordList(WordList* words, WorkArena* arena) {
  return analyseWordListFor(kLanguage.text, kLanguage.classifyWord, words, arena);
}

}  // namespace tts
