// Command-line options of the host program.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace voxa {

struct Options {
  std::string language = "es";
  std::string voicePath;                // empty: the language's default voice
  std::string dictionaryPath;           // user dictionary, optional
  std::string inputPath;                // -f; "-" or empty with no text: standard input
  std::vector<std::string> text;        // words given on the command line
  std::string outputPath;               // -o; "-" raw PCM on standard output
  int32_t textMode = 0;
  std::optional<int32_t> pitch;         // Hz
  std::optional<int32_t> speed;         // percentage of the normal duration
  std::optional<int32_t> minorPause;    // 1/1024 s
  std::optional<int32_t> majorPause;    // 1/1024 s
  std::optional<int32_t> formatCode;    // engine output format code
  std::optional<int32_t> rate;          // output sample rate, Hz (resampled in the host)
  bool literal = false;                 // --literal: the engine's literal reading (default: everyday)
  bool verbose = false;
  bool inspect = false;                 // print normalised text, word list and .pho segments
  bool progress = true;                 // only shown when stderr is a terminal and the input is long
  bool help = false;
  bool version = false;
};

// Parses argv; false with a message for a bad option or value.
bool parseOptions(int argc, char** argv, Options& options, std::string& error);
const char* usageText();

}  // namespace voxa
