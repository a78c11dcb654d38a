#include "voice_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace voxa {

VoiceFile::~VoiceFile() {
  if (data_) munmap(data_, size_);
}

bool VoiceFile::open(const std::string& path, std::string& error) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = "cannot open voice file " + path + ": " + std::strerror(errno);
    return false;
  }
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 24) {
    ::close(fd);
    error = "voice file " + path + " is not a voice database (too small or not a file)";
    return false;
  }
  void* mapped = mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
  ::close(fd);
  if (mapped == MAP_FAILED) {
    error = "cannot map voice file " + path + ": " + std::strerror(errno);
    return false;
  }
  const auto* bytes = static_cast<const uint8_t*>(mapped);
  const uint32_t version = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
  if (version != 6) {
    munmap(mapped, static_cast<size_t>(st.st_size));
    error = "voice file " + path + " is not a version-6 voice database";
    return false;
  }
  data_ = mapped;
  size_ = static_cast<size_t>(st.st_size);
  return true;
}

}  // namespace voxa
