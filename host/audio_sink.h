// Where the host's samples go: an audio file whose format follows its
// extension (.wav, .flac, .ogg) through libsndfile, or raw 16-bit
// little-endian PCM on standard output. Resamples with libspeexdsp when the
// wanted rate differs from the engine's.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct sf_private_tag;
struct SpeexResamplerState_;

namespace voxa {

class AudioSink {
 public:
  AudioSink() = default;
  AudioSink(const AudioSink&) = delete;
  AudioSink& operator=(const AudioSink&) = delete;
  ~AudioSink();

  // path "-" means raw PCM on standard output. False and a message on failure.
  bool open(const std::string& path, int inputRate, int outputRate, std::string& error);
  bool write(const int16_t* samples, size_t count, std::string& error);
  bool finish(std::string& error);
  uint64_t samplesWritten() const { return written_; }

  // The container format for an extension, or 0 if unsupported.
  static int formatForPath(const std::string& path);

 private:
  bool emit(const int16_t* samples, size_t count, std::string& error);
  bool writePending(std::string& error);  // the gathered samples to the file

  sf_private_tag* file_ = nullptr;
  SpeexResamplerState_* resampler_ = nullptr;
  bool raw_ = false;
  int inputRate_ = 0;
  int outputRate_ = 0;
  uint64_t written_ = 0;
  std::vector<int16_t> buffer_;
  std::vector<int16_t> pending_;  // samples for the file not yet written
};

}  // namespace voxa
