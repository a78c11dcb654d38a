// A voice database file mapped read-only into memory.
#pragma once
#include <cstddef>
#include <string>

namespace voxa {

class VoiceFile {
 public:
  VoiceFile() = default;
  VoiceFile(const VoiceFile&) = delete;
  VoiceFile& operator=(const VoiceFile&) = delete;
  ~VoiceFile();

  // Maps `path`; false and a message when it cannot be opened, is empty or is
  // not a version-6 voice database.
  bool open(const std::string& path, std::string& error);
  const void* data() const { return data_; }
  size_t size() const { return size_; }

 private:
  void* data_ = nullptr;
  size_t size_ = 0;
};

}  // namespace voxa
