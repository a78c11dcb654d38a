// Codes a stretch of LPC residual as narrowband Speex frames of one fixed
// sub-mode, placed so that the engine's excitation decoder (which writes
// decoded stream sample 80 at the unit's excitation start S) puts every
// sample back where it came from.
#pragma once
#include <cstdint>
#include <vector>

namespace voxa::voicebuild {

constexpr int kSpeexFrame = 160;        // samples per frame at the voice rate
constexpr int kDecoderPlacement = 80;   // stream sample written at S by the engine

struct CodedResidual {
  int frameBytes = 0;                         // bytes of every frame
  std::vector<std::vector<uint8_t>> frames;
};

// residual: in, the unit's residual from its sample 0, `length` samples
// (samples before `start` are used as encoder lead-in only).
// start: in, S, the first sample that must be reproduced.
// subMode: in, Speex narrowband sub-mode 1..8.
CodedResidual encodeResidual(const std::vector<double>& residual, int start, int subMode);

// Decodes frames exactly as the engine does: stream sample 80 lands at `start`;
// samples clamped to +-32000. out: in/out, samples outside the stream keep their value.
void decodeResidual(const CodedResidual& coded, int start, std::vector<double>* out);

// Softens the impulses of stop releases in a stretch of residual: every
// sample of [from, to) is held within `limit` times the rms of the residual
// over the `span` samples before it or the `span` after it, whichever is
// larger (the `gap` samples next to it left out, so a spike of a few samples
// does not raise its own bound). A release drawn as one sample many times
// louder than its aspiration becomes, through the unit's filter, a step of
// the waveform that stands out of everything around it; noise and voicing in
// the residual stay within the bound. residual: in/out. Returns the number of
// samples held.
int limitBursts(std::vector<double>* residual, int from, int to, double limit, int span, int gap);

// Delay of the codec in samples: decoded stream sample n reproduces encoder
// input sample n - kCodecDelay.
extern const int kCodecDelay;

}  // namespace voxa::voicebuild
