// Sonority-based syllabification of one word's phones.
#include "model/strings.h"
#include "prosody/phoneset.h"
#include "prosody/pronunciation.h"

namespace tts {

namespace {

bool inList(const char* const* list, const char* name) {
  if (!list || !name) return false;
  for (; *list; ++list)
    if (strCompare(*list, name) == 0) return true;
  return false;
}

bool isVowel(const ProsodyContext& ctx, int32_t id) { return phoneIsVowel(ctx.phoneset, id) != 0; }

}  // namespace

int32_t phoneSonority(const ProsodyContext& ctx, int32_t id) {
  if (id == 0 || isVowel(ctx, id)) return 5;
  const char* name = phoneName(ctx.phoneset, id);
  if (ctx.language && inList(ctx.language->liquids, name)) return 4;
  if (ctx.language && inList(ctx.language->nasals, name)) return 3;
  const char* voicing = phoneVoicing(ctx.phoneset, id);
  if (voicing && strCompare(voicing, "+") == 0) return 2;
  return 1;
}

int32_t syllabify(const ProsodyContext& ctx, const uint8_t* phones, int32_t n, SyllableSpan* spans) {
  if (!phones || !spans || n <= 0) return 0;
  int32_t count = 0;
  int32_t s = 0;
  while (s < n) {
    int32_t start = s;
    while (start < n && phones[start] == 0) ++start;
    if (start == n) {  // only silences remain: one last syllable of them all
      spans[count++] = SyllableSpan{s, n - s, 0, false};  // silences only: no word-final mark
      break;
    }
    int32_t v = start;
    while (v < n && phones[v] != 0 && !isVowel(ctx, phones[v])) ++v;
    if (v == n || phones[v] == 0) {  // no vowel before a silence or the word's end
      spans[count++] = SyllableSpan{start, v - start, 0, true};
      s = v;
      continue;
    }
    int32_t j = v + 1;
    while (j < n && phones[j] != 0 && !isVowel(ctx, phones[j])) ++j;
    if (j < n && phones[j] != 0) {  // another vowel follows: split the consonants between
      int32_t k = v;
      for (; k < j - 1; ++k) {
        if (isVowel(ctx, phones[k + 1]) || isVowel(ctx, phones[k + 2])) break;
        const int32_t s0 = phoneSonority(ctx, phones[k]);
        const int32_t s1 = phoneSonority(ctx, phones[k + 1]);
        const int32_t s2 = phoneSonority(ctx, phones[k + 2]);
        if (s1 >= s0 && s2 >= s1) break;
      }
      spans[count++] = SyllableSpan{start, k + 1 - start, v - start, false};
      s = k + 1;
    } else {
      spans[count++] = SyllableSpan{start, j - start, v - start, true};
      s = j;
    }
  }
  return count;
}

}  // namespace tts
