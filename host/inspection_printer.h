// Prints what the engine's inspector reports: each chunk's normalised text and
// word list, and each phrase's segments in .pho format (phone, duration in ms,
// then position-percent and F0 pairs), with ';' comment lines between.
#pragma once
#include <cstdio>
#include "tts_engine.h"

namespace voxa {

struct InspectionPrinter {
  std::FILE* out = stdout;
  int chunk = 0;
  int phrase = 0;

  TTSInspector inspector();  // an inspector whose user value is this printer
};

}  // namespace voxa
