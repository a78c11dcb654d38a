// duration_features_<lang>: runs the engine's front end over corpus sentences
// and writes, for each segment that aligns confidently with the reference
// speaker's phones, its measured duration, its per-phone (mean, scale) row and
// its 58 segment features computed on the utterance structure.
//
//   duration_features_<lang> --sentences corpus.txt --events events.txt --out features.tsv [--model 0|1]
//
// --model selects the handle's duration model (TTSC_SET_DURATION_MODEL) whose
// durations fill the "engine" column; the default 0 is the tables.
//
// Output: "# stretch <Q8>" (the deliverable's normal rate), then tab-separated
// sentence, phone, duration in 1/1024 s, mean, scale, the engine's own duration
// of the segment (1/1024 s, with the tree built into this program), then one
// "s:"/"i:" typed value per feature; a header row names the columns.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "model/language.h"
#include "api/tts_file.h"
#include "corvum.h"
#include "model/path.h"
#include "model/value.h"
#include "phone_alignment.h"
#include "prosody/durations.h"
#include "prosody/prosody_language.h"
#include "segment_features.h"
#include "tts_engine.h"

namespace {

struct EngineSegment {
  std::string phone;
  int32_t mean = 0, scale = 0;
  int32_t engineDuration = 0;  // 1/1024 s, as the engine's duration step gave it
  std::vector<std::string> features;
};

struct Collector {
  TTSFile* handle = nullptr;
  std::vector<EngineSegment> segments;  // non-silent segments of the sentence, all phrases
};

std::string typed(const tts::Val* v) {
  if (v && v->type == tts::kValInt) return "i:" + std::to_string(v->i);
  if (v && v->type == tts::kValString) return std::string("s:") + tts::valString(v);
  return "s:0";
}

// The inspector's phrase observer: the handle's relations are alive here.
void onPhrase(intptr_t user, const TTSSegment*, int32_t, int32_t) {
  auto* c = reinterpret_cast<Collector*>(user);
  tts::Relation* segs = c->handle->segmentRelation;
  if (!segs) return;
  const tts::ProsodyLanguage* lang = tts::kLanguage.prosody;
  int32_t previousEnd = 0;
  for (tts::Item* seg = segs->head; seg; seg = seg->next) {
    const int32_t pid = tts::itemPathInt(seg, "pid");
    const int32_t end = tts::itemPathInt(seg, "end");
    const int32_t duration = end - previousEnd;
    previousEnd = end;
    if (pid == 0) continue;
    EngineSegment e;
    e.engineDuration = duration;
    const tts::Val* name = tts::itemGet(seg, "name");
    e.phone = name && name->type == tts::kValString ? tts::valString(name) : "?";
    if (lang->durationModel == tts::kDurationZScore) {
      if (pid < lang->durationRowCount) {
        e.mean = lang->durationRows[pid].base;
        e.scale = lang->durationRows[pid].scale;
      }
    } else {
      const tts::DurationRow* row = tts::durationRowFor(lang, e.phone.c_str());
      e.mean = row->base;
      e.scale = row->scale;
    }
    for (const char* path : durtrain::kSegmentFeatures) {
      const tts::Val* v = tts::itemPath(seg, path);
      e.features.push_back(typed(v));
      tts::valDropIfUnheld(v);
    }
    c->segments.push_back(std::move(e));
  }
}

int32_t ignoreSamples(intptr_t, const int16_t*, int32_t) { return 0; }

std::u16string utf16(const std::string& s) {
  std::u16string out;
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    uint32_t cp = c;
    int extra = 0;
    if (c >= 0xF0) cp = c & 0x07, extra = 3;
    else if (c >= 0xE0) cp = c & 0x0F, extra = 2;
    else if (c >= 0xC0) cp = c & 0x1F, extra = 1;
    ++i;
    for (int k = 0; k < extra && i < s.size(); ++k, ++i) cp = (cp << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

// A voice block with no units: the front end runs, the synthesiser says nothing.
std::vector<uint8_t> silentVoice() {
  std::vector<uint8_t> block;
  auto put32 = [&](int32_t v) {
    for (int i = 0; i < 4; ++i) block.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
  };
  for (int32_t v : {6, 16000, 100, 14, 0, 16}) put32(v);  // version, rate, F0 mean, spread, units, slot size
  for (int32_t v : {2, 0, 0, 0, 0}) put32(v);            // K, two widths, two codebook entries
  for (int i = 0; i < 8; ++i) block.push_back(0);        // deemphasis, level floor, pulse filter, no residual
  return block;
}

struct ReferenceSentence {
  std::vector<durtrain::ReferencePhone> phones;  // pauses left out
  std::vector<double> durations;                 // 1/1024 s
};

std::vector<ReferenceSentence> readEvents(const std::string& path, bool* ok) {
  std::ifstream in(path);
  std::vector<ReferenceSentence> out;
  std::string line;
  double rate = 0;
  *ok = static_cast<bool>(in);
  while (std::getline(in, line)) {
    std::istringstream f(line);
    std::string a;
    f >> a;
    if (a == "rate") {
      f >> rate;
    } else if (a == "S") {
      out.emplace_back();
    } else if (!out.empty() && rate > 0) {
      long long end = 0;
      std::string label;
      f >> end >> label;
      if (label == "##") continue;
      durtrain::ReferencePhone names;
      std::string name;
      std::istringstream parts(label);
      while (std::getline(parts, name, '|')) names.push_back(name);
      out.back().phones.push_back(names);
      out.back().durations.push_back((end - std::atoll(a.c_str())) * 1024.0 / rate);
    }
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  std::string sentencesPath, eventsPath, outPath;
  int32_t model = TTS_DURATIONS_TABLES;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string arg = argv[i];
    if (arg == "--sentences") sentencesPath = argv[i + 1];
    else if (arg == "--events") eventsPath = argv[i + 1];
    else if (arg == "--out") outPath = argv[i + 1];
    else if (arg == "--model") model = std::atoi(argv[i + 1]);
  }
  bool ok = false;
  const std::vector<ReferenceSentence> reference = readEvents(eventsPath, &ok);
  std::ifstream sentences(sentencesPath);
  FILE* out = outPath.empty() ? nullptr : std::fopen(outPath.c_str(), "w");
  if (!ok || !sentences || !out) {
    std::fprintf(stderr, "usage: duration_features --sentences FILE --events FILE --out FILE\n");
    return 2;
  }
  CorvumLexicon* lexicon = LexMgr_Open(tts::kLanguage.lexiconCode);
  const std::vector<uint8_t> voice = silentVoice();
  TTSFile* handle = lexicon ? TTSFileOpenSized_I(lexicon, voice.data(), voice.size(), 0, TTS_FORMAT_KEEP) : nullptr;
  if (!handle) {
    std::fprintf(stderr, "duration_features: cannot open the engine\n");
    return 1;
  }
  TTSFileCtrl_I(handle, TTSC_SET_DURATION_MODEL, &model);
  Collector collector;
  collector.handle = handle;
  TTSInspector inspector{};
  inspector.user = reinterpret_cast<intptr_t>(&collector);
  inspector.phrase = onPhrase;
  TTSFileSetInspector_I(handle, &inspector);

  std::fprintf(out, "# stretch %d\n", tts::kLanguage.baseDurationStretch);
  std::fprintf(out, "sentence\tphone\tduration\tmean\tscale\tengine");
  for (const char* path : durtrain::kSegmentFeatures) std::fprintf(out, "\t%s", path);
  std::fprintf(out, "\n");
  std::string line;
  int32_t index = 0, keptSentences = 0, keptSegments = 0, allSegments = 0;
  for (; std::getline(sentences, line); ++index) {
    if (index >= static_cast<int32_t>(reference.size())) break;
    collector.segments.clear();
    const std::u16string text = utf16(line);
    size_t position = 0;
    while (position < text.size()) {
      const int32_t n = TTSFileGetLegalLen_I(handle, text.c_str() + position);
      if (n == 0) break;
      if (n < 0) {
        position += static_cast<size_t>(-n);
        continue;
      }
      const std::u16string chunk = text.substr(position, static_cast<size_t>(n));
      int32_t r = TTSFileGetWave_I(handle, chunk.c_str(), 0, ignoreSamples, 0);
      for (int guard = 0; r == TTS_OK && guard < 100000; ++guard)
        r = TTSFileGetWave_I(handle, nullptr, 0, ignoreSamples, 0);
      position += static_cast<size_t>(n);
    }
    std::vector<std::string> phones;
    for (const auto& s : collector.segments) phones.push_back(s.phone);
    const ReferenceSentence& ref = reference[index];
    allSegments += static_cast<int32_t>(phones.size());
    const durtrain::Alignment a = durtrain::alignPhones(phones, ref.phones);
    const size_t longer = std::max(phones.size(), ref.phones.size());
    // Sentences whose phones differ much (another reading of a word, a number or
    // an abbreviation) are left out whole.
    if (longer == 0 || a.matches * 100 < static_cast<int32_t>(longer) * 85) continue;
    ++keptSentences;
    for (size_t k = 0; k < phones.size(); ++k) {
      const int32_t r = a.referenceOf[k];
      if (r < 0) continue;
      const double d = ref.durations[r];
      if (d < 10 || d > 512) continue;  // a boundary eSpeak NG placed oddly
      const EngineSegment& s = collector.segments[k];
      std::fprintf(out, "%d\t%s\t%.2f\t%d\t%d\t%d", index, s.phone.c_str(), d, s.mean, s.scale, s.engineDuration);
      for (const auto& v : s.features) std::fprintf(out, "\t%s", v.c_str());
      std::fprintf(out, "\n");
      ++keptSegments;
    }
  }
  std::fclose(out);
  TTSFileClose_I(handle);
  LexMgr_Close(lexicon);
  std::fprintf(stderr, "duration_features: %d of %d sentences aligned, %d of %d segments kept\n", keptSentences, index,
               keptSegments, allSegments);
  return 0;
}
