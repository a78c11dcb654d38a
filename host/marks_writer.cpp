#include "marks_writer.h"

#include <algorithm>
#include <cstdint>

#include "utf_convert.h"

namespace voxa {

std::string jsonString(std::string_view s) {
  std::string out = "\"";
  for (char c : s) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04x", u);
      out += buffer;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

MarksWriter::MarksWriter(std::FILE* out, std::string_view input, int32_t sampleRate)
    : out_(out),
      input_(input),
      sampleRate_(sampleRate > 0 ? sampleRate : 16000),
      units16_(input.size() + 1, 0) {
  size_t units = 0;
  for (size_t i = 0; i < input.size(); ++i) {
    units16_[i] = units;
    const auto b = static_cast<unsigned char>(input[i]);
    if ((b & 0xC0) != 0x80)
      units += (b & 0xF8) == 0xF0 ? 2 : 1;  // a lead byte; four-byte forms need two units
  }
  units16_[input.size()] = units;
}

void MarksWriter::place(size_t begin, size_t end, uint64_t sample, bool withLength) {
  if (begin > input_.size()) begin = input_.size();
  if (end > input_.size() || end < begin) end = begin;
  std::fprintf(out_, ",\"offset\":%zu", begin);
  if (withLength) std::fprintf(out_, ",\"length\":%zu", end - begin);
  std::fprintf(out_, ",\"offset16\":%zu", units16_[begin]);
  if (withLength) std::fprintf(out_, ",\"length16\":%zu", units16_[end] - units16_[begin]);
  std::fprintf(out_, ",\"sample\":%llu,\"time\":%.3f}\n", static_cast<unsigned long long>(sample),
               static_cast<double>(sample) / sampleRate_);
}

void MarksWriter::word(const SpeechPiece& piece, size_t first, size_t count, const std::u16string& spoken,
                       uint64_t sample) {
  size_t begin = SIZE_MAX, end = 0;
  for (size_t u = first; u < first + count && u < piece.source.size(); ++u) {
    begin = std::min(begin, piece.source[u].begin);
    end = std::max(end, piece.source[u].end);
  }
  if (begin == SIZE_MAX) begin = end = 0;
  const std::string text(input_.substr(std::min(begin, input_.size()), end > begin ? end - begin : 0));
  std::fprintf(out_, "{\"text\":%s,\"word\":%s", jsonString(text).c_str(),
               jsonString(voxa_utf::utf16ToUtf8(spoken)).c_str());
  place(begin, end, sample, true);
}

void MarksWriter::mark(const SsmlMark& mark, uint64_t sample) {
  std::fprintf(out_, "{\"mark\":%s", jsonString(mark.name).c_str());
  place(mark.offset, mark.offset, sample, false);
}

}  // namespace voxa
