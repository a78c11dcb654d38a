// Writes --marks: one JSON object per line for every spoken word and every
// SSML mark, with its place in the UTF-8 input (bytes) and in the input as
// UTF-16 (units), its first sample in the engine's output and its time.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "ssml.h"

namespace voxa {

class MarksWriter {
 public:
  MarksWriter(std::FILE* out, std::string_view input, int32_t sampleRate);
  // A word whose source is units [first, first + count) of `piece`'s text.
  void word(const SpeechPiece& piece, size_t first, size_t count, const std::u16string& spoken,
            uint64_t sample);
  void mark(const SsmlMark& mark, uint64_t sample);

 private:
  void place(size_t begin, size_t end, uint64_t sample, bool withLength);
  std::FILE* out_;
  std::string_view input_;
  int32_t sampleRate_;
  std::vector<size_t> units16_;  // UTF-16 units of the input before each byte
};

// `s` as a JSON string literal.
std::string jsonString(std::string_view s);

}  // namespace voxa
