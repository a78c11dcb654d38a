// Pieces of the word classifier shared by the default and the Polish forms.
#pragma once

namespace tts {

// The classifier's answers (static strings; callers compare them by content).
extern const char kWordClassEmpty[];    // ""
extern const char kWordClassPunc[];     // "punc"
extern const char kWordClassIn[];       // "in"
extern const char kWordClassContent[];  // "content"

// True for a word of exactly one character among . : ? ! , ; " ' ( ) - & / % @
bool isSinglePunctuation(const char16_t* word);

}  // namespace tts
