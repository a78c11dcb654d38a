// Word-list files (one UTF-8 word a line, '#' starts a comment line) read by
// the tools, tests and benchmarks.
#pragma once
#include <cstddef>
#include <fstream>
#include <string>
#include <vector>

#include "utf_convert.h"

namespace voxa_utf {

// The non-blank, non-comment lines of `path`, at most `limit` of them;
// empty when the file cannot be read.
inline std::vector<std::string> readWordLines(const char* path, std::size_t limit = static_cast<std::size_t>(-1)) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  std::string line;
  while (lines.size() < limit && std::getline(in, line)) {
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  }
  return lines;
}

// As readWordLines, converted to UTF-16.
inline std::vector<std::u16string> readWordFile(const char* path, std::size_t limit = static_cast<std::size_t>(-1)) {
  std::vector<std::u16string> words;
  for (const std::string& line : readWordLines(path, limit)) words.push_back(utf8ToUtf16(line));
  return words;
}

}  // namespace voxa_utf
