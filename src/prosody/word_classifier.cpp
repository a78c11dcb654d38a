// Word classifier of the Spanish and Turkish deliverables: "" for an empty
// word, "punc" for one punctuation character, "content" for anything else.
#include "prosody/word_classifier.h"

#include "prosody/word_classifier_common.h"

namespace tts {

const char kWordClassEmpty[] = "";
const char kWordClassPunc[] = "punc";
const char kWordClassIn[] = "in";
const char kWordClassContent[] = "content";

bool isSinglePunctuation(const char16_t* word) {
  if (!word || word[0] == u'\0' || word[1] != u'\0') return false;
  switch (word[0]) {
    case u'.': case u':': case u'?': case u'!': case u',': case u';': case u'"': case u'\'':
    case u'(': case u')': case u'-': case u'&': case u'/': case u'%': case u'@':
      return true;
    default:
      return false;
  }
}

const char* classifyWordDefault(const char16_t* word) {
  if (!word || word[0] == u'\0') return kWordClassEmpty;
  if (isSinglePunctuation(word)) return kWordClassPunc;
  return kWordClassContent;
}

}  // namespace tts
