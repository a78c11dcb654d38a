#include "inspection_printer.h"

#include <string>

namespace voxa {

namespace {

std::string toUtf8(const TTSChar16* s) {
  std::string out;
  for (; s && *s; ++s) {
    uint32_t cp = *s;
    if (cp >= 0xD800 && cp < 0xDC00 && s[1] >= 0xDC00 && s[1] < 0xE000) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[1] - 0xDC00);
      ++s;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

InspectionPrinter* printer(intptr_t user) { return reinterpret_cast<InspectionPrinter*>(user); }

void onText(intptr_t user, const TTSChar16* text) {
  InspectionPrinter* p = printer(user);
  p->phrase = 0;
  std::fprintf(p->out, "; chunk %d\n; text: %s\n", ++p->chunk, toUtf8(text).c_str());
}

void onWords(intptr_t user, const TTSChar16* const* entries, const int32_t* levels, int32_t count) {
  InspectionPrinter* p = printer(user);
  std::fprintf(p->out, "; words:");
  for (int32_t i = 0; i < count; ++i) std::fprintf(p->out, " %s/%d", toUtf8(entries[i]).c_str(), levels[i]);
  std::fprintf(p->out, "\n");
}

void onPhrase(intptr_t user, const TTSSegment* segments, int32_t count, int32_t rate) {
  InspectionPrinter* p = printer(user);
  std::fprintf(p->out, "; phrase %d\n", ++p->phrase);
  for (int32_t i = 0; i < count; ++i) {
    const TTSSegment& s = segments[i];
    std::fprintf(p->out, "%s %d", s.phone, (s.duration * 1000 + 512) / 1024);
    for (int k = 0; k < 4; ++k)
      if (s.pitch[k] > 0) std::fprintf(p->out, " %d %d", 25 * k, (rate + s.pitch[k] / 2) / s.pitch[k]);
    std::fprintf(p->out, "\n");
  }
}

}  // namespace

TTSInspector InspectionPrinter::inspector() {
  TTSInspector inspector{};
  inspector.user = reinterpret_cast<intptr_t>(this);
  inspector.normalisedText = onText;
  inspector.wordList = onWords;
  inspector.phrase = onPhrase;
  return inspector;
}

}  // namespace voxa
