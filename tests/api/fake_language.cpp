#include "fake_language.h"

#include "support/test_voice.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "model/language.h"
#include "model/relation.h"
#include "model/value.h"
#include "text/word_list.h"

namespace fake {

SynthLog synthLog;
int32_t lastReading = -1;

namespace {

int32_t entryLength(const char16_t* s) {
  int32_t n = 0;
  while (s[n]) ++n;
  return n;
}

// One pass per chunk: words split at spaces, each kept to 20 units; the word
// "FAIL" asks for more entries than the arena holds.
int32_t buildWordList(tts::WordList* list, const char16_t* text, int32_t mode, int32_t reading, bool,
                      tts::WorkArena* arena) {
  if (!text) return 0;
  lastReading = reading;
  std::vector<std::u16string> words;
  std::u16string current;
  for (const char16_t* p = text; *p; ++p) {
    if (*p == u' ') {
      if (!current.empty()) words.push_back(current);
      current.clear();
    } else {
      current.push_back(*p);
    }
  }
  if (!current.empty()) words.push_back(current);
  int32_t capacity = static_cast<int32_t>(words.size());
  for (const auto& w : words)
    if (w == u"FAIL") capacity = 5000;
  if (capacity == 0) return 0;
  auto* out = static_cast<char16_t*>(tts::arenaAlloc(arena, sizeof(char16_t), capacity * tts::kEntryTextUnits));
  auto** entries = static_cast<char16_t**>(tts::arenaAlloc(arena, sizeof(char16_t*), capacity));
  if (!out || !entries) return tts::kStageNoMemory;
  list->textBuffer = out;
  list->entries = entries;
  list->textMode = mode;
  int32_t k = 0;
  for (const auto& w : words) {
    if (k >= capacity) break;
    entries[k++] = out;
    size_t n = w.size() > 20 ? 20 : w.size();
    std::memcpy(out, w.data(), n * sizeof(char16_t));
    out[n] = 0;
    out += n + 1;
  }
  list->count = k;
  return k;
}

int32_t analyseWordList(tts::WordList* words, tts::WorkArena* arena) {
  words->syllables = static_cast<int32_t*>(tts::arenaAlloc(arena, 4, words->count));
  words->wordClass = static_cast<int32_t*>(tts::arenaAlloc(arena, 4, words->count));
  words->breakLevel = static_cast<int32_t*>(tts::arenaAlloc(arena, 4, words->count));
  if (!words->syllables || !words->wordClass || !words->breakLevel) return tts::kStageNoMemory;
  for (auto& c : words->cursors) c = 0;
  return 0;
}

int32_t cutPhrase(tts::WordList* words, tts::Relation* phrases, tts::Relation* wordItems) {
  int32_t& position = words->cursors[tts::kCursorPosition];
  if (position >= words->count) return 0;
  const char16_t* text = words->entries[position];
  int32_t n = entryLength(text);
  int32_t delay = 0;
  if (n > 0 && text[n - 1] == u'.') delay = 2;
  else if (n > 0 && text[n - 1] == u',') delay = 1;
  else if (position == words->count - 1) delay = 3;
  tts::Item* phrase = tts::relAppend(phrases);
  if (!phrase) return tts::kStageNoMemory;
  tts::itemSetInt(phrase, "delay", delay);
  tts::relAppend(wordItems);  // the phrase-initial item, not a daughter
  tts::Item* word = tts::relAppend(wordItems);
  if (!word) return tts::kStageNoMemory;
  tts::itemAddDaughter(phrase, word);
  ++position;
  return 0;
}

int32_t pronounceWord(void*, tts::Item* word, tts::Relation*, tts::Relation* segments, char*, uint8_t*, uint8_t*) {
  if (!word->relation->head || word == word->relation->head) return 0;  // phrase-initial item: nothing
  return tts::relAppend(segments) ? 1 : tts::kStageNoMemory;
}

int32_t buildTargets(tts::Relation* phrases, uint8_t* phones, uint8_t*, uint8_t* durations, uint8_t*,
                     int32_t* targets, int32_t capacity) {
  tts::Relation* segments = nullptr;
  tts::Item* phrase = phrases->head;
  if (phrase && phrase->down && phrase->down->down) segments = phrase->down->down->relation;
  (void)segments;
  // One phone for the word plus a closing silence.
  int32_t count = capacity < 2 ? capacity : 2;
  for (int32_t i = 0; i < count; ++i) {
    phones[i] = static_cast<uint8_t>(i == 0 ? 1 : 0);
    durations[i] = 50;
    for (int k = 0; k < 4; ++k) targets[4 * i + k] = 160;
  }
  return count;
}

struct FakeSynth {
  int32_t count;
  int32_t index;
  int32_t rate;
};

tts::PhraseSynth* synthInit(PhraseVoice* voice, const uint8_t*, const uint8_t*, const uint8_t*, const int32_t*,
                            int32_t count, int32_t* bufferSamples) {
  ++synthLog.inits;
  synthLog.lastRequest = *bufferSamples;
  if (count <= 0) return nullptr;
  auto* s = static_cast<FakeSynth*>(std::calloc(1, sizeof(FakeSynth)));
  s->count = count;
  s->rate = voice->voiceRate;
  if (*bufferSamples < kSamplesPerPhone) *bufferSamples = kSamplesPerPhone;
  return reinterpret_cast<tts::PhraseSynth*>(s);
}

int32_t synthGenerate(tts::PhraseSynth* synth, int16_t* samples, const tts::SynthControl* control) {
  auto* s = reinterpret_cast<FakeSynth*>(synth);
  if (!s) return -1;
  if (control->mode == 0) {
    synthLog.pauseLengths.push_back(control->pauseLength);
    int32_t z = s->rate * control->pauseLength;
    int32_t n = z >= 1024 ? z >> 10 : 0;
    for (int32_t i = 0; i < n; ++i) samples[i] = 0;
    return n;
  }
  if (s->index >= s->count - 1) return -1;
  for (int32_t i = 0; i < kSamplesPerPhone; ++i) samples[i] = static_cast<int16_t>(1000 + s->index);
  ++s->index;
  return kSamplesPerPhone;
}

void synthRelease(tts::PhraseSynth* synth) {
  if (synth) ++synthLog.releases;
  std::free(synth);
}

const char* classify(const char16_t* word) { return word && word[0] ? "content" : ""; }

}  // namespace

void installFakeSynth(TTSFile* handle) {
  handle->voice->synthInit = synthInit;
  handle->voice->synthGenerate = synthGenerate;
  handle->voice->synthRelease = synthRelease;
}

std::vector<uint8_t> emptyVoice(int32_t rate) { return tts_test::emptyVoice(rate); }

}  // namespace fake

// The deliverable table of the driver-test executable.
namespace tts {
const Language kLanguage = {
    /*lexiconCode=*/4,
    /*identifier=*/7,
    /*baseDurationStretch=*/256,
    /*phoneset=*/nullptr,
    /*accentTree=*/nullptr,
    /*toneTree=*/nullptr,
    /*durationTree=*/nullptr,
    /*classifyWord=*/fake::classify,
    /*text=*/nullptr,
    /*prosody=*/nullptr,
    /*stages=*/{fake::buildWordList, fake::analyseWordList, fake::cutPhrase, fake::pronounceWord, fake::buildTargets},
};
}  // namespace tts
