#include "inspection_printer.h"

#include <string>

#include "utf_convert.h"

namespace voxa {

namespace {

std::string toUtf8(const TTSChar16* s) { return voxa_utf::utf16ToUtf8(reinterpret_cast<const char16_t*>(s)); }

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
