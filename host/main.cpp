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
#include "marks_writer.h"
#include "options.h"
#include "ssml.h"
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

int32_t readVoiceWord(const VoiceFile& voice, size_t offset) {
  const auto* b = static_cast<const uint8_t*>(voice.data()) + offset;
  return static_cast<int32_t>(b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24);
}
int32_t readVoiceRate(const VoiceFile& voice) { return readVoiceWord(voice, 4); }
int32_t readVoicePitch(const VoiceFile& voice) {
  const int32_t f0 = readVoiceWord(voice, 8);
  return f0 >= 40 && f0 <= 600 ? f0 : 120;
}

// The engine delivers 8000, 11000 and 16000 Hz itself; other rates are the sink's to make.
int32_t formatForRate(const std::optional<int32_t>& rate) {
  if (rate == 8000) return TTS_FORMAT_8K;
  if (rate == 11000) return TTS_FORMAT_11K;
  if (rate == 16000) return TTS_FORMAT_16K;
  return TTS_FORMAT_KEEP;
}

// The rate of the samples the engine delivers: the format's, or the voice's
// own when the format code names none.
int32_t engineRate(EngineApi& api, TTSFile* handle, int32_t voiceRate) {
  int32_t format = 0;
  if (api.ctrl(handle, TTSC_GET_FORMAT, &format) != TTS_OK) return voiceRate;
  return (format >> 8) * 1000;
}

// Everything the sample callback needs.
struct Session {
  AudioSink* sink = nullptr;
  int32_t voiceRate = 16000;
  uint64_t enginesamples = 0;  // samples delivered by the engine so far
  bool verbose = false;
  std::string error;           // first output error; the callback then refuses samples
  MarksWriter* marks = nullptr;
  const SpeechPiece* piece = nullptr;  // being spoken
  size_t chunkStart = 0;       // units of the piece's text before the current chunk
  uint64_t chunkBase = 0;      // engine samples before the current chunk
};

void onWord(intptr_t user, const TTSWordEvent* event) {
  auto* session = reinterpret_cast<Session*>(user);
  if (!session->marks || !session->piece || event->offset < 0 || event->length < 0) return;
  session->marks->word(*session->piece, session->chunkStart + static_cast<size_t>(event->offset),
                       static_cast<size_t>(event->length), event->word ? std::u16string(event->word) : u"",
                       session->chunkBase + static_cast<uint64_t>(event->sample));
}

// Silence written by the host (SSML breaks), counted like the engine's samples.
bool writeSilence(Session& session, uint64_t samples) {
  static const int16_t kZeros[1024] = {};
  session.enginesamples += samples;
  while (samples > 0 && session.sink) {
    const size_t n = samples < 1024 ? static_cast<size_t>(samples) : 1024;
    if (!session.sink->write(kZeros, n, session.error)) return false;
    samples -= n;
  }
  return true;
}

// Writes a temporary user dictionary with the <phoneme> words and loads it.
bool loadPhonemes(CorvumLexicon* lexicon, int language, const std::vector<PhonemeEntry>& entries,
                  std::string& error) {
  if (entries.empty()) return true;
  char path[] = "/tmp/voxa-phonemes-XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) {
    error = std::string("cannot write a temporary dictionary: ") + std::strerror(errno);
    return false;
  }
  std::string lines;
  for (const PhonemeEntry& e : entries) lines += e.word + "\t" + e.pronunciation + "\n";
  const bool written = ::write(fd, lines.data(), lines.size()) == static_cast<ssize_t>(lines.size());
  ::close(fd);
  auto report = [](void* user, int32_t line, const char* message) {
    const auto* list = static_cast<const std::vector<PhonemeEntry>*>(user);
    const bool known = line >= 1 && static_cast<size_t>(line) <= list->size();
    const std::string ph = known ? (*list)[static_cast<size_t>(line) - 1].pronunciation : "";
    std::fprintf(stderr, "voxa: warning: <phoneme ph=\"%s\">: %s; the placeholder is read instead\n", ph.c_str(),
                 message);
  };
  const int32_t loaded = written ? LexMgr_LoadUserDictionary(lexicon, static_cast<uint16_t>(language), path, report,
                                                             const_cast<std::vector<PhonemeEntry>*>(&entries))
                                 : -1;
  std::remove(path);
  if (loaded < 0) error = "cannot load the pronunciations of <phoneme>";
  return loaded >= 0;
}

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

  const int32_t hostSpeed = options.speed.value_or(100);
  const int32_t hostPitch = options.pitch.value_or(readVoicePitch(voice));
  SpeechPlan plan;
  if (options.ssml || looksLikeSsml(utf8Text)) {
    if (!parseSsml(utf8Text, options.language, hostPitch, hostSpeed, plan, error)) return fail(source + ": " + error);
    for (const std::string& warning : plan.warnings)
      std::fprintf(stderr, "voxa: %s: warning: %s\n", source.c_str(), warning.c_str());
    if (!loadPhonemes(lexicon, language, plan.phonemes, error)) return fail(error);
  } else {
    plan = plainTextPlan(utf8Text, text, !options.marksPath.empty());
  }

    const int32_t format = options.formatCode.value_or(formatForRate(options.rate));
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
  set(TTSC_SET_DURATION_MODEL, options.literal ? TTS_DURATIONS_TABLES : TTS_DURATIONS_TRAINED);
  set(TTSC_SET_INTONATION, options.literal ? TTS_INTONATION_MODEL : TTS_INTONATION_ACCENTED);
  const int32_t reading = options.literal ? TTS_READING_LITERAL : TTS_READING_EVERYDAY;
  set(TTSC_SET_READING, reading);

  InspectionPrinter printer;
  if (options.inspect) {
    if (!api.setInspector) return fail(api.path + " does not offer inspection");
    printer.out = options.outputPath == "-" ? stderr : stdout;
    const TTSInspector inspector = printer.inspector();
    api.setInspector(handle, &inspector);
    std::fprintf(printer.out, "; reading: %s\n", options.literal ? "literal" : "everyday");
  }

  const int32_t deliveredRate = engineRate(api, handle, readVoiceRate(voice));
  std::FILE* marksFile = nullptr;
  if (!options.marksPath.empty()) {
    if (!api.setWordEvents) return fail(api.path + " does not offer word events");
    if (options.marksPath == "-" && options.outputPath == "-")
      return fail("--marks - and -o - both write to standard output");
    marksFile = options.marksPath == "-" ? stdout : std::fopen(options.marksPath.c_str(), "w");
    if (!marksFile) return fail("cannot write " + options.marksPath + ": " + std::strerror(errno));
  }
  struct MarksCloser {
    std::FILE* file;
    ~MarksCloser() {
      if (file && file != stdout) std::fclose(file);
    }
  } marksCloser{marksFile};
  MarksWriter marks(marksFile, marksFile ? utf8Text : std::string_view{}, deliveredRate);
  AudioSink sink;
  const bool audio = !options.outputPath.empty();
  if (audio && !sink.open(options.outputPath, deliveredRate, options.rate.value_or(deliveredRate), error))
    return fail(error);
  Session session;
  session.sink = audio ? &sink : nullptr;
  session.voiceRate = deliveredRate;
  session.verbose = options.verbose;
  const auto user = reinterpret_cast<intptr_t>(&session);
  if (marksFile) {
    session.marks = &marks;
    api.setWordEvents(handle, onWord, user);
  }
  size_t total = 0, done = 0;
  for (const SpeechPiece& piece : plan.pieces) total += piece.text.size();
  const bool progress = options.progress && isatty(STDERR_FILENO) && total > kProgressThreshold;

  size_t unspeakable = 0;  // characters skipped that are neither blanks nor punctuation
  bool spoke = false;      // some chunk gave words
  int32_t speed = hostSpeed, pitch = hostPitch;
  for (const SpeechPiece& piece : plan.pieces) {
    const uint64_t pause = static_cast<uint64_t>(deliveredRate) * static_cast<uint64_t>(piece.pauseBefore_ms) / 1000;
    if (!writeSilence(session, pause)) return fail(session.error);
    for (const SsmlMark& mark : piece.marks)
      if (marksFile) marks.mark(mark, session.enginesamples);
    // Settings apply from the next chunk on.
    if (piece.speed.value_or(hostSpeed) != speed) {
      speed = piece.speed.value_or(hostSpeed);
      set(TTSC_SET_SPEED, speed);
    }
    if (piece.pitch.value_or(hostPitch) != pitch) {
      pitch = piece.pitch.value_or(hostPitch);
      set(TTSC_SET_PITCH, pitch);
    }
    session.piece = &piece;
    const std::u16string& text = piece.text;
    size_t position = 0;
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
      session.chunkStart = position;
      session.chunkBase = session.enginesamples;
      position += static_cast<size_t>(length);
      int32_t r = api.getWave(handle, chunk.c_str(), options.textMode, onSamples, user);
      if (r != TTS_ERR_ARGUMENT) spoke = true;
      while (r == TTS_OK) r = api.getWave(handle, nullptr, options.textMode, onSamples, user);
      if (!session.error.empty()) return fail(session.error);
      if (r == TTS_ERR_ABANDONED) return fail("the engine ran out of memory and abandoned a chunk");
      if (progress) showProgress(done + position, total);
    }
    done += text.size();
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
  if (options.outputPath.empty() && !options.inspect && options.marksPath.empty())
    return voxa::fail("no output: give -o FILE (.wav, .flac, .ogg), -o - for raw PCM, --inspect or --marks FILE",
                      voxa::kExitUsage);
  try {
    return voxa::run(options);
  } catch (const std::exception& e) {
    return voxa::fail(e.what());
  }
}
