// Chunking examples shared by the per-deliverable tests.
#pragma once
#include <string>

namespace text_test {

// 600 units: letters with spaces at the given indexes.
inline std::u16string lettersWithSpaces(std::initializer_list<int> spaces, size_t length = 600) {
  std::u16string s(length, u'a');
  for (int i : spaces) s[size_t(i)] = u' ';
  return s;
}

}  // namespace text_test
