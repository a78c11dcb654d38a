// Speaks one utterance of a recording set again through the engine's own unit
// decoder and synthesiser, with the label durations and the measured pitch.
// Compiled into each per-language check program (it needs that engine).
#pragma once
#include <vector>

#include "synth/voice.h"
#include "voice_builder/recording_set.h"
#include "voice_builder/voice_builder.h"

namespace voxa::voicebuild {

struct EngineRendering {
  std::vector<double> samples;
  std::vector<int> phoneStart, phoneLength;  // per label, where the engine put it
};

// Phone classes answered by the bound voice's phone set.
PhoneClasses voicePhoneClasses(PhraseVoice* voice);

// postFilter and levelControl: the driver's switches (1 on). Throws std::runtime_error when the synthesiser cannot be set up.
EngineRendering renderThroughEngine(PhraseVoice* voice, const Utterance& u, const UtteranceAnalysis& a,
                                    int postFilter, int levelControl);

// One phrase of the front end's segments: phone ids, durations (1/1024 s) and
// four pitch periods (samples) per segment, through the synthesiser.
EngineRendering renderSegments(PhraseVoice* voice, std::vector<uint8_t> phones, std::vector<uint8_t> durations,
                               std::vector<int32_t> pitch, int postFilter, int levelControl);

}  // namespace voxa::voicebuild
