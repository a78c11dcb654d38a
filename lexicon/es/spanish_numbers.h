// Digits inside a word read as Spanish number words.
#pragma once
#include <string>
#include <string_view>

namespace corvum {
namespace es {

// Appends the words for `digits` (ASCII '0'..'9') to `words`, space-separated,
// in internal letter codes with their accent marks. Up to 12 digits without a
// leading zero read as a cardinal ("3" tres, "21000" veintiún mil, "2000000"
// dos millones); longer strings and strings with a leading zero digit by digit.
void spanishNumberWords(std::string_view digits, std::string& words);

}  // namespace es
}  // namespace corvum
