// Letter-to-sound rules of each language, behind one shape: the word (UTF-16,
// as the engine passes it) in, a pronunciation of space-separated symbols of
// the language's symbol set out.
#pragma once
#include <string>
#include <string_view>

namespace corvum {

// Each appends the pronunciation of `word` to `out` as symbols separated by
// single spaces, vowels carrying "1"/"2" stress digits where the language marks
// stress. Returns false when the word has nothing to pronounce.
bool pronounceSpanish(std::u16string_view word, std::string& out);
bool pronouncePolish(std::u16string_view word, std::string& out);
bool pronounceTurkish(std::u16string_view word, std::string& out);

}  // namespace corvum
