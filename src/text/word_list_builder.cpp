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

namespace {

// Reads the entries of a normalised text one by one: word pieces of at most
// kEntryMaxLength units and the break mark that ends a word.
struct EntryCursor {
  const TextLanguage* lang;
  const char16_t* text;
  int32_t position;       // where the next word search starts
  bool markPending;       // the word just read is followed by a mark entry
  char16_t mark;          // that mark (0: the end entry)
  int32_t wordStart;      // the whole word the last piece came from: [wordStart, wordEnd)
  int32_t wordEnd;

  // Entry text [*start, *start + *length), or the mark in *mark with *length -1.
  bool next(int32_t* start, int32_t* length, char16_t* markOut) {
    if (markPending) {
      markPending = false;
      *markOut = mark;
      *length = -1;
      return true;
    }
    while (text[position] != 0 && isSeparator(text[position])) ++position;
    if (text[position] == 0) return false;
    int32_t end = position;
    while (text[end] != 0 && !isSeparator(text[end])) ++end;
    if (position == 0 || isSeparator(text[position - 1])) wordStart = position;
    wordEnd = end;
    *start = position;
    *length = end - position < kEntryMaxLength ? end - position : kEntryMaxLength;
    position += *length;
    if (position == end) {
      const char16_t c = text[end];
      markPending = (c != 0 && c != u' ') || (c == 0 && lang->addEndEntry);
      mark = c;
    }
    return true;
  }
};

int32_t unitsOf(int32_t length) { return length < 0 ? 2 : length + 1; }

struct PassPlan {
  int32_t entries;  // entries of the pass
  int32_t units;    // text storage they take
  int32_t end;      // position where the next pass starts
};

// The entries one pass takes from `position`: at most kMaxEntries words (a
// word's mark stays with it) and kPassTextUnits units of text. A pass that
// cannot take the rest ends after its last break mark if that lies in its
// second half.
PassPlan planPass(const TextLanguage* lang, const char16_t* normal, int32_t position) {
  EntryCursor cursor{lang, normal, position, false, 0, position, position};
  PassPlan plan{0, 0, position};
  PassPlan lastMark{0, 0, position};
  int32_t start = 0, length = 0;
  char16_t mark = 0;
  bool more = false;
  for (;;) {
    const int32_t at = cursor.position;
    const bool pending = cursor.markPending;
    if (!cursor.next(&start, &length, &mark)) break;
    // A word reserves room for the mark that may follow it.
    const int32_t need = length < 0 ? 2 : length + 1 + 2;
    if ((length >= 0 && plan.entries >= kMaxEntries) || plan.units + need > kPassTextUnits) {
      cursor.position = at;
      cursor.markPending = pending;
      more = true;
      break;
    }
    ++plan.entries;
    plan.units += unitsOf(length);
    plan.end = cursor.position;
    if (length < 0) lastMark = plan;
  }
  if (more && lastMark.entries >= kMaxEntries / 2) plan = lastMark;
  return plan;
}

// The upper bound of entries stated for a whole chunk: spaces count 1 and
// marks 2, up to kMaxEntries, plus 2.
int32_t markBound(const char16_t* normal) {
  int32_t sum = 0;
  for (const char16_t* p = normal; *p != 0 && sum < kMaxEntries; ++p) {
    if (*p == u' ') sum += 1;
    else if (isSeparator(*p)) sum += 2;
  }
  return sum + 2;
}

// Entries (and pointers) to reserve for a pass: enough for its entries and,
// at kEntryTextUnits per entry, for their text.
int32_t reserveFor(const PassPlan& plan) {
  const int32_t forText = (plan.units + kEntryTextUnits - 1) / kEntryTextUnits;
  return plan.entries > forText ? plan.entries : forText;
}

// The host text that units [from, to) of the normalised text came from (the
// union of their spans).
SourceSpan sourceOf(const SourceSpan* unitSpans, int32_t from, int32_t to) {
  int32_t start = -1, end = -1;
  for (int32_t i = from; i < to; ++i) {
    const SourceSpan& u = unitSpans[i];
    if (u.start < 0) continue;
    if (start < 0 || u.start < start) start = u.start;
    if (u.start + u.length > end) end = u.start + u.length;
  }
  return start < 0 ? SourceSpan{-1, 0} : SourceSpan{start, end - start};
}

// Fills the planned entries from `position`; storage is entries[0] with
// capacity * kEntryTextUnits units. With `unitSpans`, `spans` gets each
// entry's host text (every piece of a word the whole word's). Returns the
// entries filled.
int32_t fillPass(const TextLanguage* lang, const char16_t* normal, int32_t position, const PassPlan& plan,
                 char16_t** entries, int32_t capacity, const SourceSpan* unitSpans = nullptr,
                 SourceSpan* spans = nullptr) {
  EntryCursor cursor{lang, normal, position, false, 0, position, position};
  char16_t* storage = entries[0];
  char16_t* const storageEnd = entries[0] + int64_t(capacity) * kEntryTextUnits;
  int32_t k = 0, start = 0, length = 0;
  char16_t mark = 0;
  while (k < plan.entries && k < capacity && cursor.next(&start, &length, &mark)) {
    if (storage + unitsOf(length) > storageEnd) break;
    if (unitSpans != nullptr && spans != nullptr) {
      if (length >= 0) spans[k] = sourceOf(unitSpans, cursor.wordStart, cursor.wordEnd);
      else spans[k] = mark != 0 ? sourceOf(unitSpans, cursor.wordEnd, cursor.wordEnd + 1) : SourceSpan{-1, 0};
    }
    entries[k++] = storage;
    if (length < 0) {
      storage[0] = mark;
      storage[1] = 0;
      storage += 2;
    } else {
      for (int32_t i = 0; i < length; ++i) storage[i] = normal[start + i];
      storage[length] = 0;
      storage += length + 1;
    }
  }
  return k;
}

// Heap copy of the normalised text (length + 10 units), or null. With
// `unitSpans`, also a heap array of the host text of every unit (null when the
// heap refuses it: then no spans are kept).
char16_t* normalisedCopy(const TextLanguage* lang, const char16_t* text, int32_t textMode, int32_t reading,
                         SourceSpan** unitSpans = nullptr) {
  if (unitSpans != nullptr) *unitSpans = nullptr;
  const int32_t length = normaliseText(lang, text, textMode, nullptr, 0, reading);
  if (length <= 0) return nullptr;
  auto* normal = static_cast<char16_t*>(std::malloc(size_t(length + 10) * sizeof(char16_t)));
  if (normal == nullptr) return nullptr;
  SourceSpan* spans = nullptr;
  if (unitSpans != nullptr) {
    spans = static_cast<SourceSpan*>(std::malloc(size_t(length + 10) * sizeof(SourceSpan)));
    if (spans != nullptr)
      for (int32_t i = 0; i < length + 10; ++i) spans[i] = SourceSpan{-1, 0};
    *unitSpans = spans;
  }
  normaliseTextWithSpans(lang, text, textMode, normal, spans, length + 10, reading);
  return normal;
}

}  // namespace

int32_t buildWordListFor(const TextLanguage* lang, const char16_t* text, int32_t textMode, char16_t** entries,
                         int32_t capacity, int32_t reading, SourceSpan* spans) {
  if (lang == nullptr || text == nullptr) return 0;
  SourceSpan* unitSpans = nullptr;
  char16_t* normal =
      normalisedCopy(lang, text, textMode, reading, spans != nullptr && entries != nullptr ? &unitSpans : nullptr);
  if (normal == nullptr) return 0;
  const PassPlan plan = planPass(lang, normal, 0);
  int32_t result = 0;
  if (entries == nullptr) {
    const int32_t bound = markBound(normal);
    const int32_t reserve = reserveFor(plan);
    result = bound > reserve ? bound : reserve;
  } else if (capacity > 0 && entries[0] != nullptr) {
    result = fillPass(lang, normal, 0, plan, entries, capacity, unitSpans, spans);
  }
  std::free(unitSpans);
  std::free(normal);
  return result;
}

int32_t buildWordListPassFor(const TextLanguage* lang, WordList* words, const char16_t* text, int32_t textMode,
                             int32_t reading, bool withSpans, WorkArena* arena) {
  if (lang == nullptr || words == nullptr) return 0;
  if (text != nullptr) {
    std::free(words->passText);
    std::free(words->passSpans);
    words->passSpans = nullptr;
    words->passText = normalisedCopy(lang, text, textMode, reading, withSpans ? &words->passSpans : nullptr);
    words->passPosition = 0;
    words->textMode = textMode;
  }
  words->spans = nullptr;
  if (words->passText == nullptr) return 0;
  const PassPlan plan = planPass(lang, words->passText, words->passPosition);
  if (plan.entries == 0) return 0;
  const int32_t bound = reserveFor(plan);
  auto* storage = static_cast<char16_t*>(arenaAlloc(arena, sizeof(char16_t), bound * kEntryTextUnits));
  auto** entries = static_cast<char16_t**>(arenaAlloc(arena, sizeof(char16_t*), bound));
  if (storage == nullptr || entries == nullptr) return kStageNoMemory;
  SourceSpan* spans = nullptr;
  if (words->passSpans != nullptr) {
    spans = static_cast<SourceSpan*>(arenaAlloc(arena, sizeof(SourceSpan), bound));
    if (spans == nullptr) return kStageNoMemory;
  }
  for (int32_t i = 0; i < bound; ++i) entries[i] = nullptr;
  entries[0] = storage;
  const int32_t count =
      fillPass(lang, words->passText, words->passPosition, plan, entries, bound, words->passSpans, spans);
  words->spans = spans;
  words->passPosition = plan.end;
  words->textBuffer = storage;
  words->entries = entries;
  words->count = count;
  return count;
}

bool wordListHasMorePasses(const WordList* words) {
  if (words == nullptr || words->passText == nullptr) return false;
  for (const char16_t* p = words->passText + words->passPosition; *p != 0; ++p) {
    if (!isSeparator(*p)) return true;
  }
  return false;
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

int32_t buildWordList(WordList* words, const char16_t* text, int32_t textMode, int32_t reading, bool withSpans,
                      WorkArena* arena) {
  return buildWordListPassFor(kLanguage.text, words, text, textMode, reading, withSpans, arena);
}

int32_t analyseWordList(WordList* words, WorkArena* arena) {
  return analyseWordListFor(kLanguage.text, kLanguage.classifyWord, words, arena);
}

}  // namespace tts
