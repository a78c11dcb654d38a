#include "voice_builder/engine_render.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "synth/synth.h"
#include "tts_engine.h"

namespace voxa::voicebuild {

PhoneClasses voicePhoneClasses(PhraseVoice* voice) {
  PhoneClasses classes;
  classes.known = [voice](const std::string& n) { return voice->phoneIndex(n.c_str()) != 0 || n == "##"; };
  classes.sonorant = [voice](const std::string& n) {
    const int32_t id = voice->phoneIndex(n.c_str());
    return id != 0 && voice->phoneIsSonorant(id) != 0;
  };
  return classes;
}

EngineRendering renderThroughEngine(PhraseVoice* voice, const Utterance& u, const UtteranceAnalysis& a,
                                    int postFilter, int levelControl) {
  const int segs = static_cast<int>(u.labels.size());
  std::vector<uint8_t> phones(segs + 2, 0), durations(segs + 2, 0);
  std::vector<int32_t> pitch(4 * (segs + 2), u.rate / std::max(voice->f0Mean, 1));
  int64_t prevEnd = 0;
  for (int s = 0; s < segs; ++s) {
    const PhoneLabel& l = u.labels[s];
    phones[s] = static_cast<uint8_t>(voice->phoneIndex(l.phone.c_str()));
    const int64_t end = (static_cast<int64_t>(l.end) * 1024 + u.rate / 2) / u.rate;
    durations[s] = static_cast<uint8_t>(std::clamp<int64_t>(end - prevEnd, 0, 250));
    prevEnd = end;
    for (int q = 0; q < 4; ++q) {
      const int t = l.start + (q * (l.end - l.start)) / 4;
      const int period = measuredPeriod(a, t, u.rate / 50);
      if (period > 0) pitch[4 * s + q] = period;
    }
  }
  try {
    return renderSegments(voice, std::move(phones), std::move(durations), std::move(pitch), postFilter, levelControl);
  } catch (const std::runtime_error& e) {
    throw std::runtime_error(u.id + ": " + e.what());
  }
}

EngineRendering renderSegments(PhraseVoice* voice, std::vector<uint8_t> phones, std::vector<uint8_t> durations,
                               std::vector<int32_t> pitch, int postFilter, int levelControl) {
  const int segs = static_cast<int>(phones.size()) - 2;
  std::vector<uint8_t> prominence(phones.size(), 0);
  int32_t bufferSamples = 0;
  tts::PhraseSynth* synth =
      tts::synthInit(voice, phones.data(), prominence.data(), durations.data(), pitch.data(), segs, &bufferSamples);
  if (!synth) throw std::runtime_error("synthInit failed");
  std::vector<int16_t> buffer(static_cast<size_t>(bufferSamples));
  const tts::SynthControl control{3, 0, postFilter, 1, 1, 0, levelControl};
  EngineRendering r;
  for (;;) {
    const int32_t got = tts::synthGenerate(synth, buffer.data(), &control);
    if (got < 0) break;
    r.phoneStart.push_back(static_cast<int>(r.samples.size()));
    r.phoneLength.push_back(got);
    r.samples.insert(r.samples.end(), buffer.begin(), buffer.begin() + got);
  }
  tts::synthRelease(synth);
  return r;
}

}  // namespace voxa::voicebuild
