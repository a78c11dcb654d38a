// voxa: speaks text with the engine of a language into an audio file or raw
// PCM. It drives the engine exactly as any host would: it loads the
// language's engine library at run time, opens the lexicon, maps the voice
// file, walks the text with TTSFileGetLegalLen_I and speaks every chunk with
// TTSFileGetWave_I.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "audio_sink.h"
#include "corvum.h"
#include "engine_loader.h"
#include "inspection_printer.h"
#include "options.h"
#include "utf8.h"
#include "voice_file.h"

#ifndef VOXA_VERSION
#define VOXA_VERSION "0.0.0"
#endif
#ifndef VOXA_INSTALL_VOICE_DIR
#define VOXA_INSTALL_VOICE_DIR ""
#endif
#ifndef VOXA_SOURCE_VOICE_DIR
#define VOXA_SOURCE_VOICE_DIR ""
#endif

namespace voxa {
namespace {

constexpr int kExitUsage = 1;
constexpr int kExitFailure = 2;
constexpr size_t kProgressThreshold = 4000;  // UTF-16 units of input before a progress bar is worth it

int fail(const std::string& message, int code = kExitFailure) {
  std::fprintf(stderr, "voxa: %s\n", message.c_str());
  return code;
}

bool fileExists(const std::string& path) { return access(path.c_str(), R_OK) == 0; }

std::string defaultVoicePath(const std::string& language) {
  const std::string name = language + ".voice";
  std::vector<std::string> dirs;
  if (const char* dir = std::getenv("VOXA_VOICE_DIR")) dirs.emplace_back(dir);
  dirs.push_back(programDirectory() + "/../share/voxa/voices");
  if (*VOXA_INSTALL_VOICE_DIR) dirs.emplace_back(VOXA_INSTALL_VOICE_DIR);
  if (*VOXA_SOURCE_VOICE_DIR) dirs.emplace_back(VOXA_SOURCE_VOICE_DIR);
  for (const std::string& dir : dirs)
    if (fileExists(dir + "/" + name)) return dir + "/" + name;
  return "";
}

bool readInput(const Options& options, std::string& text, std::string& source, std::string& error) {
  if (!options.text.empty() && options.inputPath.empty()) {
    for (size_t i = 0; i < options.text.size(); ++i) text += (i ? " " : "") + options.text[i];
    source = "the command line";
    return true;
  }
  if (options.inputPath.empty() || options.inputPath == "-") {
    source = "standard input";
    std::ostringstream all;
    all << std::cin.rdbuf();
    if (std::cin.bad()) {
      error = "cannot read standard input";
      return false;
    }
    text = all.str();
    return true;
  }
  source = options.inputPath;
  std::ifstream in(options.inputPath, std::ios::binary);
  if (!in) {
    error = "cannot read " + options.inputPath + ": " + std::strerror(errno);
    return false;
  }
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    error = "cannot read " + options.inputPath;
    return false;
  }
  return true;
}

int32_t readVoiceRate(const VoiceFile& voice) {
  const auto* b = static_cast<const uint8_t*>(voice.data());
  return static_cast<int32_t>(b[4] | b[5] << 8 | b[6] << 16 | static_cast<uint32_t>(b[7]) << 24);
}

// Everything the sample callback needs.
struct Session {
  AudioSink* sink = nullptr;
  int32_t voiceRate = 16000;
  uint64_t enginesamples = 0;  // samples delivered by the engine so far
  bool verbose = false;
  std::string error;           // first output error; the callback then refuses samples
};

int32_t onSamples(intptr_t user, const int16_t* samples, int32_t count) {
  auto* session = reinterpret_cast<Session*>(user);
  if (count < 0) {
    if (session->verbose)
      std::fprintf(stderr, "marker %d at %.3f s\n", count,
                   static_cast<double>(session->enginesamples) / session->voiceRate);
    return 0;
  }
  if (!session->error.empty()) return -1;
  const size_t n = static_cast<size_t>(count) / 2;
  session->enginesamples += n;
  if (session->sink && !session->sink->write(samples, n, session->error)) return -1;
  return 0;
}

void showProgress(size_t done, size_t total) {
  const int width = 40;
  const int filled = total ? static_cast<int>(width * done / total) : width;
  std::fprintf(stderr, "\r[%.*s%*s] %3d%%", filled, "########################################", width - filled, "",
               total ? static_cast<int>(100 * done / total) : 100);
  if (done >= total) std::fprintf(stderr, "\n");
  std::fflush(stderr);
}

// A unit skipped by the chunking that is more than a blank or a mark: a
// letter of another script, an emoji (counted once per surrogate pair), a symbol.
bool cannotBeSpoken(char16_t c) {
  if (c < 0x80) return false;                       // ASCII: blanks, controls, punctuation
  if (c >= 0xA0 && c <= 0xBF) return false;         // Latin-1 punctuation and signs
  if (c >= 0x2000 && c <= 0x206F) return false;     // general punctuation and spaces
  if (c >= 0x3000 && c <= 0x303F) return false;     // CJK punctuation
  if (c >= 0xDC00 && c <= 0xDFFF) return false;     // second half of a surrogate pair
  if (c == 0xFEFF || (c >= 0xFF01 && c <= 0xFF0F)) return false;  // byte-order mark, full-width marks
  return true;
}

int run(const Options& options) {
  EngineApi api;
  std::string error;
  if (!loadEngine(options.language, api, error)) return fail(error);
  const int language = lexiconLanguage(options.language);

  CorvumLexicon* lexicon = LexMgr_Open(static_cast<uint16_t>(language));
  if (!lexicon) return fail("cannot open the lexicon");
  struct Closer {
    CorvumLexicon* lexicon;
    EngineApi* api;
    ~Closer() {
      LexMgr_Close(lexicon);
      unloadEngine(*api);
    }
  } closer{lexicon, &api};

  if (!options.dictionaryPath.empty()) {
    auto report = [](void* user, int32_t line, const char* message) {
      std::fprintf(stderr, "voxa: %s:%d: %s (line skipped)\n", static_cast<const char*>(user), line, message);
    };
    if (LexMgr_LoadUserDictionary(lexicon, static_cast<uint16_t>(language), options.dictionaryPath.c_str(), report,
                                  const_cast<char*>(options.dictionaryPath.c_str())) < 0)
      return fail("cannot read the dictionary " + options.dictionaryPath);
  }

  std::string voicePath = options.voicePath.empty() ? defaultVoicePath(options.language) : options.voicePath;
  if (voicePath.empty()) return fail("no default voice for '" + options.language + "' found; give one with --voice");
  VoiceFile voice;
  if (!voice.open(voicePath, error)) return fail(error);

  std::string utf8Text, source;
  if (!readInput(options, utf8Text, source, error)) return fail(error);
  std::u16string text;
  Utf8Error bad;
  if (!utf8ToUtf16(utf8Text, text, bad))
    return fail("invalid UTF-8 in " + source + " at line " + std::to_string(bad.line) + ", column " +
                std::to_string(bad.column) + " (byte " + std::to_string(bad.byteOffset) + ")");
  for (char16_t& c : text)
    if (c == 0) c = u' ';  // the engine reads NUL-terminated text

  const int32_t format = options.formatCode.value_or(TTS_FORMAT_KEEP);
  TTSFile* handle = api.openSized(lexicon, voice.data(), voice.size(), 0, format);
  if (!handle) {
    if (options.formatCode) return fail("the engine refused the voice " + voicePath + " or the format code");
    return fail("the voice file " + voicePath + " is damaged or does not suit the " + options.language + " engine");
  }
  struct HandleCloser {
    EngineApi* api;
    TTSFile* handle;
    ~HandleCloser() { api->close(handle); }
  } handleCloser{&api, handle};

  auto set = [&](int32_t code, const std::optional<int32_t>& value) {
    if (!value) return;
    int32_t v = *value;
    api.ctrl(handle, code, &v);
  };
  set(TTSC_SET_PITCH, options.pitch);
  set(TTSC_SET_SPEED, options.speed);
  set(TTSC_SET_MINOR_PAUSE, options.minorPause);
  set(TTSC_SET_MAJOR_PAUSE, options.majorPause);

  InspectionPrinter printer;
  if (options.inspect) {
    if (!api.setInspector) return fail(api.path + " does not offer inspection");
    printer.out = options.outputPath == "-" ? stderr : stdout;
    const TTSInspector inspector = printer.inspector();
    api.setInspector(handle, &inspector);
  }

  const int32_t voiceRate = readVoiceRate(voice);
  AudioSink sink;
  const bool audio = !options.outputPath.empty();
  if (audio && !sink.open(options.outputPath, voiceRate, options.rate.value_or(voiceRate), error)) return fail(error);
  Session session;
  session.sink = audio ? &sink : nullptr;
  session.voiceRate = voiceRate;
  session.verbose = options.verbose;
  const bool progress = options.progress && isatty(STDERR_FILENO) && text.size() > kProgressThreshold;

  size_t position = 0;
  size_t unspeakable = 0;  // characters skipped that are neither blanks nor punctuation
  bool spoke = false;      // some chunk gave words
  while (position < text.size()) {
    const int32_t length = api.legalLength(handle, text.c_str() + position);
    if (length == 0) break;
    if (length < 0) {
      for (int32_t i = 0; i < -length && position + i < text.size(); ++i)
        if (cannotBeSpoken(text[position + i])) ++unspeakable;
      position += static_cast<size_t>(-length);
      continue;
    }
    const std::u16string chunk = text.substr(position, static_cast<size_t>(length));
    position += static_cast<size_t>(length);
    const auto user = reinterpret_cast<intptr_t>(&session);
    int32_t r = api.getWave(handle, chunk.c_str(), options.textMode, onSamples, user);
    if (r != TTS_ERR_ARGUMENT) spoke = true;
    while (r == TTS_OK) r = api.getWave(handle, nullptr, options.textMode, onSamples, user);
    if (!session.error.empty()) return fail(session.error);
    if (r == TTS_ERR_ABANDONED) return fail("the engine ran out of memory and abandoned a chunk");
    if (progress) showProgress(position, text.size());
  }
  if (audio && !sink.finish(error)) return fail(error);
  if (unspeakable > 0)
    std::fprintf(stderr, "voxa: warning: skipped %zu character%s the language cannot speak (emoji, other scripts)\n",
                 unspeakable, unspeakable == 1 ? "" : "s");
  if (!spoke) std::fprintf(stderr, "voxa: warning: nothing speakable in the input\n");
  return 0;
}

}  // namespace
}  // namespace voxa

int main(int argc, char** argv) {
  voxa::Options options;
  std::string error;
  if (!voxa::parseOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "voxa: %s\n%s", error.c_str(), "Try 'voxa --help'.\n");
    return voxa::kExitUsage;
  }
  if (options.help) {
    std::fputs(voxa::usageText(), stdout);
    return 0;
  }
  if (options.version) {
    std::printf("voxa %s\n", VOXA_VERSION);
    return 0;
  }
  if (voxa::lexiconLanguage(options.language) == 0)
    return voxa::fail("unknown language '" + options.language + "' (use es, pl or tr)", voxa::kExitUsage);
  if (options.outputPath.empty() && !options.inspect)
    return voxa::fail("no output: give -o FILE (.wav, .flac, .ogg), -o - for raw PCM, or --inspect",
                      voxa::kExitUsage);
  try {
    return voxa::run(options);
  } catch (const std::exception& e) {
    return voxa::fail(e.what());
  }
}
