#include "audio_sink.h"

#include <sndfile.h>
#include <speex/speex_resampler.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace voxa {

namespace {

std::string lowerExtension(const std::string& path) {
  size_t dot = path.rfind('.');
  size_t slash = path.rfind('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string ext = path.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  return ext;
}

constexpr int kResampleQuality = 8;  // 0..10; 8 is transparent for speech
// Samples gathered before one write to the file: the engine hands over a
// phone or two at a time, and a system call for each costs more than its copy.
constexpr size_t kFileBatchSamples = 32768;

}  // namespace

int AudioSink::formatForPath(const std::string& path) {
  const std::string ext = lowerExtension(path);
  if (ext == "wav") return SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  if (ext == "flac") return SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
  if (ext == "ogg" || ext == "oga") return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
  return 0;
}

AudioSink::~AudioSink() {
  if (file_) {
    std::string ignored;
    writePending(ignored);
    sf_close(file_);
  }
  if (resampler_) speex_resampler_destroy(resampler_);
}

bool AudioSink::open(const std::string& path, int inputRate, int outputRate, std::string& error) {
  inputRate_ = inputRate;
  outputRate_ = outputRate;
  if (inputRate != outputRate) {
    int err = 0;
    resampler_ = speex_resampler_init(1, static_cast<spx_uint32_t>(inputRate), static_cast<spx_uint32_t>(outputRate),
                                      kResampleQuality, &err);
    if (!resampler_) {
      error = std::string("cannot resample to ") + std::to_string(outputRate) + " Hz: " + speex_resampler_strerror(err);
      return false;
    }
    speex_resampler_skip_zeros(resampler_);
  }
  if (path == "-") {
    raw_ = true;
    return true;
  }
  const int format = formatForPath(path);
  if (format == 0) {
    error = "unsupported output file type: " + path + " (use .wav, .flac or .ogg, or - for raw PCM)";
    return false;
  }
  SF_INFO info{};
  info.samplerate = outputRate;
  info.channels = 1;
  info.format = format;
  file_ = sf_open(path.c_str(), SFM_WRITE, &info);
  if (!file_) {
    error = "cannot write " + path + ": " + sf_strerror(nullptr);
    return false;
  }
  return true;
}

bool AudioSink::emit(const int16_t* samples, size_t count, std::string& error) {
  if (count == 0) return true;
  if (raw_) {
    // Raw output is little-endian 16-bit PCM on every host.
    std::vector<uint8_t> bytes(count * 2);
    for (size_t i = 0; i < count; ++i) {
      bytes[2 * i] = static_cast<uint8_t>(samples[i] & 0xFF);
      bytes[2 * i + 1] = static_cast<uint8_t>((static_cast<uint16_t>(samples[i]) >> 8) & 0xFF);
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) {
      error = std::string("cannot write to standard output: ") + std::strerror(errno);
      return false;
    }
  } else {
    // The batch never outgrows its first reservation: what does not fit
    // goes after the samples already gathered, or straight to the file.
    if (pending_.size() + count > kFileBatchSamples && !writePending(error)) return false;
    if (count >= kFileBatchSamples) {
      if (sf_write_short(file_, samples, static_cast<sf_count_t>(count)) != static_cast<sf_count_t>(count)) {
        error = std::string("cannot write the output file: ") + sf_strerror(file_);
        return false;
      }
    } else {
      if (pending_.capacity() < kFileBatchSamples) pending_.reserve(kFileBatchSamples);
      pending_.insert(pending_.end(), samples, samples + count);
    }
  }
  written_ += count;
  return true;
}

bool AudioSink::writePending(std::string& error) {
  const sf_count_t count = static_cast<sf_count_t>(pending_.size());
  if (count == 0) return true;
  const bool ok = sf_write_short(file_, pending_.data(), count) == count;
  pending_.clear();
  if (!ok) error = std::string("cannot write the output file: ") + sf_strerror(file_);
  return ok;
}

bool AudioSink::write(const int16_t* samples, size_t count, std::string& error) {
  if (!resampler_) return emit(samples, count, error);
  while (count > 0) {
    spx_uint32_t in = static_cast<spx_uint32_t>(std::min<size_t>(count, 4096));
    buffer_.resize(static_cast<size_t>(in) * outputRate_ / inputRate_ + 64);
    spx_uint32_t out = static_cast<spx_uint32_t>(buffer_.size());
    speex_resampler_process_int(resampler_, 0, samples, &in, buffer_.data(), &out);
    if (!emit(buffer_.data(), out, error)) return false;
    samples += in;
    count -= in;
    if (in == 0) break;
  }
  return true;
}

bool AudioSink::finish(std::string& error) {
  if (resampler_) {
    // Push the resampler's delay line out with silence.
    std::vector<int16_t> zeros(static_cast<size_t>(speex_resampler_get_input_latency(resampler_)), 0);
    if (!write(zeros.data(), zeros.size(), error)) return false;
  }
  if (raw_) {
    if (std::fflush(stdout) != 0) {
      error = std::string("cannot write to standard output: ") + std::strerror(errno);
      return false;
    }
  }
  if (file_) {
    if (!writePending(error)) {
      sf_close(file_);
      file_ = nullptr;
      return false;
    }
    if (sf_close(file_) != 0) {
      file_ = nullptr;
      error = "cannot finish the output file";
      return false;
    }
    file_ = nullptr;
  }
  return true;
}

}  // namespace voxa
