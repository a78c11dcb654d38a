// Digits inside a word, written out as Turkish number words.
#pragma once
#include <string>
#include <string_view>

namespace corvum {
namespace tr {

// Appends the words for the ASCII digit string `digits` to `words`, separated
// by single spaces (no leading or trailing space). Up to 15 digits without a
// leading zero are read as a cardinal ("1923" → "bin dokuz yüz yirmi üç");
// longer strings and strings with a leading zero are read digit by digit.
void appendNumberWords(std::u16string_view digits, std::u16string& words);

}  // namespace tr
}  // namespace corvum
