#include "options.h"

#include <getopt.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace voxa {

namespace {

bool parseInt(const char* text, const char* what, int32_t low, int32_t high, int32_t& out, std::string& error) {
  errno = 0;
  char* end = nullptr;
  long value = std::strtol(text, &end, 0);
  if (errno != 0 || end == text || *end != '\0' || value < low || value > high) {
    error = std::string("invalid ") + what + " '" + text + "' (expected " + std::to_string(low) + ".." +
            std::to_string(high) + ")";
    return false;
  }
  out = static_cast<int32_t>(value);
  return true;
}

enum LongOnly { kMinorPause = 1000, kMajorPause, kFormat, kNoProgress, kInspect, kLiteral, kMarks, kSsml };

}  // namespace

const char* usageText() {
  return "Usage: voxa [options] [text...]\n"
         "Speaks text with the Voxa engines. Text comes from the arguments, from -f FILE, or from\n"
         "standard input.\n"
         "\n"
         "  -l, --language LANG      es (Spanish, default), pl (Polish) or tr (Turkish)\n"
         "  -v, --voice FILE         voice database (default: the language's default voice)\n"
         "  -d, --dictionary FILE    user dictionary: UTF-8 lines 'word<TAB>pronunciation'\n"
         "  -f, --file FILE          read the text from FILE ('-' for standard input)\n"
         "  -o, --output FILE        write audio to FILE: .wav, .flac or .ogg by extension;\n"
         "                           '-' writes raw 16-bit little-endian mono PCM to standard output\n"
         "  -r, --rate HZ            output sample rate (default: the voice's rate); 8000, 11000 and\n"
         "                           16000 come from the engine, other rates are resampled by voxa\n"
         "  -m, --text-mode N        0 all normalisation (default), 1 or 6 verbatim, 2 times only,\n"
         "                           3 dates only\n"
         "  -p, --pitch HZ           mean pitch in Hz (default: the voice's own)\n"
         "  -s, --speed PERCENT      duration as a percentage of normal: 200 is half speed, 50 double\n"
         "                           speed (50..300)\n"
         "      --minor-pause N      pause after a predicted phrase break, 1/1024 s (default 120)\n"
         "      --major-pause N      pause after , ; (twice that after . ! ? :), 1/1024 s (default 120)\n"
         "      --format CODE        engine output format code: 0x0810 (8000 Hz), 0x0B10 (11000 Hz),\n"
         "                           0x1010 (16000 Hz) or 0xFF10 (the voice's rate); the engine delivers\n"
         "                           its samples at that rate\n"
         "      --verbose            print each phrase marker with its time in the output\n"
         "      --inspect            print each chunk's normalised text and word list, and each phrase's\n"
         "                           segments in .pho format (phone, ms, then position-% and F0 pairs), on\n"
         "                           standard output (standard error when the audio goes there); -o optional\n"
         "      --literal            the engine's literal behaviour: numbers and formats read the original\n"
         "                           way (digit strings digit by digit, no abbreviations), per-phone\n"
         "                           duration tables instead of the trained duration model, and the F0\n"
         "                           model's own intonation without accent peaks and declination\n"
         "      --marks FILE         write one JSON line per spoken word (source text, UTF-8 and UTF-16\n"
         "                           offsets, first sample, time) and per SSML mark; '-' standard output\n"
         "      --ssml               read the input as SSML (also assumed when it starts with <speak)\n"
         "      --no-progress        never show the progress bar\n"
         "  -h, --help               show this help\n"
         "      --version            show the version\n";
}

bool parseOptions(int argc, char** argv, Options& options, std::string& error) {
  static const option longOptions[] = {
      {"language", required_argument, nullptr, 'l'},   {"voice", required_argument, nullptr, 'v'},
      {"dictionary", required_argument, nullptr, 'd'}, {"file", required_argument, nullptr, 'f'},
      {"output", required_argument, nullptr, 'o'},     {"rate", required_argument, nullptr, 'r'},
      {"text-mode", required_argument, nullptr, 'm'},  {"pitch", required_argument, nullptr, 'p'},
      {"speed", required_argument, nullptr, 's'},      {"minor-pause", required_argument, nullptr, kMinorPause},
      {"major-pause", required_argument, nullptr, kMajorPause}, {"format", required_argument, nullptr, kFormat},
      {"verbose", no_argument, nullptr, 'V'},          {"inspect", no_argument, nullptr, kInspect},
      {"literal", no_argument, nullptr, kLiteral},
      {"no-progress", no_argument, nullptr, kNoProgress},
      {"marks", required_argument, nullptr, kMarks},   {"ssml", no_argument, nullptr, kSsml},
      {"help", no_argument, nullptr, 'h'},             {"version", no_argument, nullptr, 'X'},
      {nullptr, 0, nullptr, 0}};
  optind = 1;
  opterr = 0;
  int c;
  int32_t value = 0;
  while ((c = getopt_long(argc, argv, ":l:v:d:f:o:r:m:p:s:h", longOptions, nullptr)) != -1) {
    switch (c) {
      case 'l': options.language = optarg; break;
      case 'v': options.voicePath = optarg; break;
      case 'd': options.dictionaryPath = optarg; break;
      case 'f': options.inputPath = optarg; break;
      case 'o': options.outputPath = optarg; break;
      case 'r':
        if (!parseInt(optarg, "rate", 4000, 192000, value, error)) return false;
        options.rate = value;
        break;
      case 'm':
        if (!parseInt(optarg, "text mode", 0, 255, value, error)) return false;
        options.textMode = value;
        break;
      case 'p':
        if (!parseInt(optarg, "pitch", 40, 600, value, error)) return false;
        options.pitch = value;
        break;
      case 's':
        if (!parseInt(optarg, "speed", 50, 300, value, error)) return false;
        options.speed = value;
        break;
      case kMinorPause:
        if (!parseInt(optarg, "minor pause", 0, 30000, value, error)) return false;
        options.minorPause = value;
        break;
      case kMajorPause:
        if (!parseInt(optarg, "major pause", 0, 30000, value, error)) return false;
        options.majorPause = value;
        break;
      case kFormat:
        if (!parseInt(optarg, "format code", 0, INT32_MAX, value, error)) return false;
        options.formatCode = value;
        break;
      case 'V': options.verbose = true; break;
      case kInspect: options.inspect = true; break;
      case kLiteral: options.literal = true; break;
      case kMarks: options.marksPath = optarg; break;
      case kSsml: options.ssml = true; break;
      case kNoProgress: options.progress = false; break;
      case 'h': options.help = true; break;
      case 'X': options.version = true; break;
      case ':':
        error = std::string("option ") + argv[optind - 1] + " needs a value";
        return false;
      default:
        error = std::string("unknown option ") + argv[optind - 1];
        return false;
    }
  }
  for (int i = optind; i < argc; ++i) options.text.emplace_back(argv[i]);
  return true;
}

}  // namespace voxa
