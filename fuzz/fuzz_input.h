// Reading structured values out of a fuzzer's byte string. Every reader is
// total: past the end it yields zeros and empty strings, so any input is a
// valid program for the targets.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// Stops the run with the failed expectation when `cond` is false.
#define FUZZ_EXPECT(cond)                                                              \
  do {                                                                                 \
    if (!(cond)) {                                                                     \
      std::fprintf(stderr, "%s:%d: expectation failed: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                                    \
    }                                                                                  \
  } while (0)

namespace voxa_fuzz {

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool empty() const { return pos_ >= size_; }
  size_t remaining() const { return pos_ < size_ ? size_ - pos_ : 0; }

  uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  int32_t int32() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(byte()) << (8 * i);
    return static_cast<int32_t>(v);
  }
  // The rest of the input as raw bytes.
  std::string rest() {
    std::string out;
    if (pos_ < size_) out.assign(reinterpret_cast<const char*>(data_ + pos_), size_ - pos_);
    pos_ = size_;
    return out;
  }
  // Up to `maxBytes` bytes, stopping after a NUL byte (not included).
  std::string bytesUntilNul(size_t maxBytes) {
    std::string out;
    while (pos_ < size_ && out.size() < maxBytes) {
      const char c = static_cast<char>(data_[pos_++]);
      if (c == '\0') break;
      out.push_back(c);
    }
    return out;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

// Lenient UTF-8 to UTF-16: well-formed sequences decode normally (also to
// lone surrogates, which the engine must tolerate); a stray byte becomes the
// code unit of the same value. Embedded NULs are kept.
std::u16string lenientUtf16(const std::string& bytes);

// Raw little-endian UTF-16 code units (an odd trailing byte is dropped).
std::u16string rawUtf16(const std::string& bytes);

}  // namespace voxa_fuzz
