#include "voice_builder/recording_set.h"

#include <sndfile.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace voxa::voicebuild {

namespace {
std::string readText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
    if (!line.empty()) out.push_back(line);
  }
  return out;
}

std::vector<double> readWav(const std::string& path, int* rate) {
  SF_INFO info{};
  SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
  if (!f) throw std::runtime_error("cannot read " + path);
  if (info.channels != 1) {
    sf_close(f);
    throw std::runtime_error(path + ": not mono");
  }
  std::vector<short> pcm(static_cast<size_t>(info.frames));
  const sf_count_t got = sf_read_short(f, pcm.data(), info.frames);
  sf_close(f);
  *rate = info.samplerate;
  return std::vector<double>(pcm.begin(), pcm.begin() + got);
}
}  // namespace

std::vector<double> readFirstChannel(const std::string& path, int* rate) {
  *rate = 0;
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) return {};
  std::vector<double> frames(static_cast<size_t>(info.frames) * info.channels);
  const sf_count_t got = sf_readf_double(file, frames.data(), info.frames);
  sf_close(file);
  std::vector<double> x(static_cast<size_t>(got));
  for (size_t i = 0; i < x.size(); ++i) x[i] = frames[i * info.channels] * 32768.0;
  *rate = info.samplerate;
  return x;
}

std::vector<PhoneLabel> parseLabels(const std::string& text, const std::string& where) {
  std::vector<PhoneLabel> out;
  for (const std::string& line : lines(text)) {
    std::istringstream in(line);
    PhoneLabel l;
    if (!(in >> l.start >> l.end >> l.phone) || l.end < l.start || l.start < 0)
      throw std::runtime_error(where + ": bad label line '" + line + "'");
    if (!out.empty() && out.back().end != l.start) throw std::runtime_error(where + ": labels not contiguous");
    out.push_back(l);
  }
  return out;
}

RecordingSet readRecordingSet(const std::string& folder) {
  RecordingSet set;
  for (const std::string& id : lines(readText(folder + "/manifest.txt"))) {
    Utterance u;
    u.id = id;
    u.samples = readWav(folder + "/" + id + ".wav", &u.rate);
    u.labels = parseLabels(readText(folder + "/" + id + ".lab"), id + ".lab");
    if (u.labels.empty()) continue;
    if (u.labels.front().start != 0) throw std::runtime_error(id + ".lab: does not start at 0");
    // Trust the samples over a last label that runs a little past them.
    const int length = static_cast<int>(u.samples.size());
    while (!u.labels.empty() && u.labels.back().start >= length) u.labels.pop_back();
    if (u.labels.empty()) continue;
    u.labels.back().end = length;
    set.utterances.push_back(std::move(u));
  }
  std::ifstream t(folder + "/targets.txt");
  if (t) {
    std::ostringstream s;
    s << t.rdbuf();
    set.targets = lines(s.str());
  }
  return set;
}

}  // namespace voxa::voicebuild
