#include "voice_builder/residual_coder.h"

#include <speex/speex.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace voxa::voicebuild {

// Narrowband Speex: decoded output lags the input by its 80-sample look-ahead
// less nothing else (frame-synchronous analysis and synthesis), measured by
// the voice builder's residual coder test.
const int kCodecDelay = 80;

CodedResidual encodeResidual(const std::vector<double>& residual, int start, int subMode) {
  CodedResidual out;
  const int length = static_cast<int>(residual.size());
  // Encoder input sample i is wanted back at stream sample i + kCodecDelay,
  // which the decoder writes at unit sample start - 80 + i + kCodecDelay.
  const int first = start - kDecoderPlacement + kCodecDelay;  // unit sample of input 0
  const int needed = length - start;                           // samples from S to the end
  if (needed <= 0) return out;
  // Stream samples 0 .. 80 + needed - 1 must be produced.
  const int frames = (kDecoderPlacement + needed + kSpeexFrame - 1) / kSpeexFrame;

  void* enc = speex_encoder_init(&speex_nb_mode);
  if (!enc) throw std::runtime_error("speex encoder");
  spx_int32_t mode = subMode, rate = 8000, complexity = 4, vbr = 0;
  speex_encoder_ctl(enc, SPEEX_SET_MODE, &mode);
  speex_encoder_ctl(enc, SPEEX_SET_SAMPLING_RATE, &rate);
  speex_encoder_ctl(enc, SPEEX_SET_COMPLEXITY, &complexity);
  speex_encoder_ctl(enc, SPEEX_SET_VBR, &vbr);
  SpeexBits bits;
  speex_bits_init(&bits);
  spx_int16_t pcm[kSpeexFrame];
  for (int f = 0; f < frames; ++f) {
    for (int i = 0; i < kSpeexFrame; ++i) {
      const int n = first + f * kSpeexFrame + i;
      double v = (n >= 0 && n < length) ? residual[n] : 0.0;
      v = std::nearbyint(v);
      if (v > 32000) v = 32000;
      if (v < -32000) v = -32000;
      pcm[i] = static_cast<spx_int16_t>(v);
    }
    speex_bits_reset(&bits);
    speex_encode_int(enc, pcm, &bits);
    std::vector<uint8_t> frame(static_cast<size_t>(speex_bits_nbytes(&bits)));
    speex_bits_write(&bits, reinterpret_cast<char*>(frame.data()), static_cast<int>(frame.size()));
    if (out.frameBytes == 0) out.frameBytes = static_cast<int>(frame.size());
    if (static_cast<int>(frame.size()) != out.frameBytes) throw std::runtime_error("speex frame size varies");
    out.frames.push_back(std::move(frame));
  }
  speex_bits_destroy(&bits);
  speex_encoder_destroy(enc);
  return out;
}

int limitBursts(std::vector<double>* residual, int from, int to, double limit, int span, int gap) {
  std::vector<double>& r = *residual;
  from = std::max(from, 0);
  to = std::min(to, static_cast<int>(r.size()));
  if (to - from < 2 || limit <= 0 || span <= 0) return 0;
  // energy[i]: sum of squares of r[from .. from + i), from the unlimited residual.
  std::vector<double> energy(static_cast<size_t>(to - from) + 1, 0.0);
  for (int i = from; i < to; ++i) energy[i - from + 1] = energy[i - from] + r[i] * r[i];
  auto rms = [&](int a, int b) {
    a = std::max(a, from);
    b = std::min(b, to);
    return b > a ? std::sqrt((energy[b - from] - energy[a - from]) / (b - a)) : 0.0;
  };
  int held = 0;
  for (int n = from; n < to; ++n) {
    const double bound = limit * std::max(rms(n - gap - span, n - gap), rms(n + gap + 1, n + gap + 1 + span));
    if (bound <= 0 || std::fabs(r[n]) <= bound) continue;
    r[n] = std::copysign(bound, r[n]);
    ++held;
  }
  return held;
}

void decodeResidual(const CodedResidual& coded, int start, std::vector<double>* out) {
  void* dec = speex_decoder_init(&speex_nb_mode);
  if (!dec) throw std::runtime_error("speex decoder");
  spx_int32_t off = 0, rate = 8000, frameSize = kSpeexFrame;
  speex_decoder_ctl(dec, SPEEX_SET_ENH, &off);
  speex_decoder_ctl(dec, SPEEX_GET_FRAME_SIZE, &frameSize);
  speex_decoder_ctl(dec, SPEEX_SET_SAMPLING_RATE, &rate);
  SpeexBits bits;
  speex_bits_init(&bits);
  std::vector<spx_int16_t> pcm(static_cast<size_t>(frameSize));
  int pos = start - frameSize / 2;
  for (const auto& frame : coded.frames) {
    speex_bits_read_from(&bits, reinterpret_cast<const char*>(frame.data()), static_cast<int>(frame.size()));
    if (speex_decode_int(dec, &bits, pcm.data()) != 0) break;
    for (int i = 0; i < frameSize; ++i, ++pos) {
      int v = pcm[i];
      if (v > 32000) v = 32000;
      if (v < -32000) v = -32000;
      if (pos >= 0 && pos < static_cast<int>(out->size())) (*out)[pos] = v;
    }
  }
  speex_bits_destroy(&bits);
  speex_decoder_destroy(dec);
}

}  // namespace voxa::voicebuild
