// Loads a language's engine library at run time and resolves its entry points.
#pragma once
#include <string>
#include "tts_engine.h"

namespace voxa {

struct EngineApi {
  void* library = nullptr;
  decltype(&TTSFileOpen_I) open = nullptr;
  decltype(&TTSFileOpenSized_I) openSized = nullptr;
  decltype(&TTSFileClose_I) close = nullptr;
  decltype(&TTSFileGetWave_I) getWave = nullptr;
  decltype(&TTSFileCtrl_I) ctrl = nullptr;
  decltype(&TTSFileGetLegalLen_I) legalLength = nullptr;
  decltype(&TTSFileSetInspector_I) setInspector = nullptr;  // optional
  decltype(&TTSFileSetWordEvents_I) setWordEvents = nullptr;  // optional
  std::string path;  // the file that was loaded
};

// Language code "es", "pl" or "tr" to the lexicon's language code; 0 if unknown.
int lexiconLanguage(const std::string& language);

// Loads engine_<language>: from $VOXA_ENGINE_DIR, then beside the program
// (../lib, ../src for a build tree, the program's own folder), then the
// system's search path. On failure returns false and a message in `error`.
bool loadEngine(const std::string& language, EngineApi& api, std::string& error);
void unloadEngine(EngineApi& api);

// Folder of the running program (for finding engines and default voices).
std::string programDirectory();

}  // namespace voxa
