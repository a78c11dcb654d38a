// Word classifier of the Polish deliverable: as the default one, plus "in"
// for the short function words of its list (matched case-insensitively).
#include "model/strings.h"
#include "prosody/word_classifier.h"
#include "prosody/word_classifier_common.h"

namespace tts {

namespace {

constexpr int32_t kMaxFunctionWordLength = 10;  // longer words are never looked up
const char16_t kFunctionWords[] = u" per in con di ai tra del da sul dietro ";

}  // namespace

const char* classifyWordPolish(const char16_t* word) {
  if (!word || word[0] == u'\0') return kWordClassEmpty;
  if (isSinglePunctuation(word)) return kWordClassPunc;
  const int32_t length = wstrLength(word);
  if (length <= kMaxFunctionWordLength) {
    // " word " lower-cased, in a fixed buffer: space, up to 10 units, space, NUL.
    char16_t probe[kMaxFunctionWordLength + 3];
    probe[0] = u' ';
    for (int32_t i = 0; i < length; ++i) probe[i + 1] = word[i];
    probe[length + 1] = u' ';
    probe[length + 2] = u'\0';
    wstrLowerAscii(probe);
    if (wstrFind(kFunctionWords, probe)) return kWordClassIn;
  }
  return kWordClassContent;
}

}  // namespace tts
