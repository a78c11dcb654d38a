#include "engine_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "corvum.h"

namespace voxa {

int lexiconLanguage(const std::string& language) {
  if (language == "es") return CORVUM_LANG_SPANISH;
  if (language == "pl") return CORVUM_LANG_POLISH;
  if (language == "tr") return CORVUM_LANG_TURKISH;
  return 0;
}

std::string programDirectory() {
  std::vector<char> buffer(4096);
  ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n <= 0) return ".";
  std::string path(buffer.data(), static_cast<size_t>(n));
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

template <typename Fn>
static bool resolve(void* library, const char* name, Fn& fn) {
  fn = reinterpret_cast<Fn>(dlsym(library, name));
  return fn != nullptr;
}

bool loadEngine(const std::string& language, EngineApi& api, std::string& error) {
  if (lexiconLanguage(language) == 0) {
    error = "unknown language '" + language + "' (use es, pl or tr)";
    return false;
  }
  const std::string file = "libengine_" + language + ".so";
  std::vector<std::string> candidates;
  if (const char* dir = std::getenv("VOXA_ENGINE_DIR")) candidates.push_back(std::string(dir) + "/" + file);
  const std::string here = programDirectory();
  candidates.push_back(here + "/../lib/" + file);
  candidates.push_back(here + "/../src/" + file);
  candidates.push_back(here + "/" + file);
  candidates.push_back(file);  // the system's search path
  std::string lastError;
  for (const std::string& candidate : candidates) {
    void* library = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
      const char* e = dlerror();
      lastError = e ? e : "not found";
      continue;
    }
    api.library = library;
    api.path = candidate;
    if (resolve(library, "TTSFileOpen_I", api.open) && resolve(library, "TTSFileOpenSized_I", api.openSized) &&
        resolve(library, "TTSFileClose_I", api.close) && resolve(library, "TTSFileGetWave_I", api.getWave) &&
        resolve(library, "TTSFileCtrl_I", api.ctrl) && resolve(library, "TTSFileGetLegalLen_I", api.legalLength)) {
      resolve(library, "TTSFileSetInspector_I", api.setInspector);
      resolve(library, "TTSFileSetWordEvents_I", api.setWordEvents);
      return true;
    }
    error = candidate + " is not a complete engine library";
    dlclose(library);
    api = EngineApi{};
    return false;
  }
  error = "cannot load the engine library " + file + ": " + lastError;
  return false;
}

void unloadEngine(EngineApi& api) {
  if (api.library) dlclose(api.library);
  api = EngineApi{};
}

}  // namespace voxa
