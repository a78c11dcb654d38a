// Stand-alone driver for the fuzz targets when libFuzzer is not available:
// runs every file given (directories are read in name order), then a bounded
// number of inputs derived from a fixed seed, mostly mutations of the files.
//
//   <target> [--runs N (default 0)] [--seed S] [--max-len L] [file-or-directory ...]
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

using Bytes = std::vector<uint8_t>;

struct Rng {
  uint64_t state;
  uint32_t next() {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<uint32_t>(state >> 33);
  }
  size_t below(size_t n) { return n == 0 ? 0 : next() % n; }
};

Bytes readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The target sees an exactly sized heap copy, so reads past the end are caught.
void runOne(const Bytes& input) {
  uint8_t* copy = static_cast<uint8_t*>(std::malloc(input.empty() ? 1 : input.size()));
  if (!input.empty()) std::memcpy(copy, input.data(), input.size());
  LLVMFuzzerTestOneInput(copy, input.size());
  std::free(copy);
}

Bytes mutate(const std::vector<Bytes>& corpus, Rng& rng, size_t maxLen) {
  Bytes out = corpus[rng.below(corpus.size())];
  const int steps = 1 + static_cast<int>(rng.below(8));
  for (int s = 0; s < steps; ++s) {
    switch (rng.below(7)) {
      case 0:  // flip one bit
        if (!out.empty()) out[rng.below(out.size())] ^= static_cast<uint8_t>(1u << rng.below(8));
        break;
      case 1:  // overwrite a byte, often with an extreme value
        if (!out.empty()) {
          static const uint8_t kSpecial[] = {0x00, 0x01, 0x7F, 0x80, 0xFF, 0xFE, 0x20, 0x2E};
          out[rng.below(out.size())] =
              rng.below(2) ? kSpecial[rng.below(sizeof kSpecial)] : static_cast<uint8_t>(rng.next());
        }
        break;
      case 2: {  // insert random bytes
        const size_t at = rng.below(out.size() + 1);
        const size_t n = 1 + rng.below(8);
        for (size_t i = 0; i < n; ++i) out.insert(out.begin() + static_cast<long>(at), static_cast<uint8_t>(rng.next()));
        break;
      }
      case 3:  // erase a range
        if (!out.empty()) {
          const size_t at = rng.below(out.size());
          const size_t n = 1 + rng.below(std::min<size_t>(16, out.size() - at));
          out.erase(out.begin() + static_cast<long>(at), out.begin() + static_cast<long>(at + n));
        }
        break;
      case 4:  // duplicate a range
        if (!out.empty()) {
          const size_t at = rng.below(out.size());
          const size_t n = 1 + rng.below(std::min<size_t>(32, out.size() - at));
          const Bytes piece(out.begin() + static_cast<long>(at), out.begin() + static_cast<long>(at + n));
          out.insert(out.begin() + static_cast<long>(rng.below(out.size() + 1)), piece.begin(), piece.end());
        }
        break;
      case 5:  // truncate
        out.resize(rng.below(out.size() + 1));
        break;
      default: {  // splice with another entry
        const Bytes& other = corpus[rng.below(corpus.size())];
        const size_t keep = rng.below(out.size() + 1);
        const size_t from = rng.below(other.size() + 1);
        out.resize(keep);
        out.insert(out.end(), other.begin() + static_cast<long>(from), other.end());
        break;
      }
    }
  }
  if (out.size() > maxLen) out.resize(maxLen);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  long runs = 0;  // only the given files unless asked for more
  uint64_t seed = 1;
  size_t maxLen = 4096;
  std::vector<std::filesystem::path> files;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--runs" && i + 1 < argc) runs = std::strtol(argv[++i], nullptr, 10);
    else if (arg == "--seed" && i + 1 < argc) seed = std::strtoull(argv[++i], nullptr, 10);
    else if (arg == "--max-len" && i + 1 < argc) maxLen = std::strtoul(argv[++i], nullptr, 10);
    else if (std::filesystem::is_directory(arg)) {
      std::vector<std::filesystem::path> inDir;
      for (const auto& entry : std::filesystem::directory_iterator(arg))
        if (entry.is_regular_file()) inDir.push_back(entry.path());
      std::sort(inDir.begin(), inDir.end());
      files.insert(files.end(), inDir.begin(), inDir.end());
    } else if (std::filesystem::is_regular_file(arg)) {
      files.push_back(arg);
    } else {
      std::fprintf(stderr, "no such file or directory: %s\n", arg.c_str());
      return 2;
    }
  }

  std::vector<Bytes> corpus;
  for (const auto& path : files) {
    corpus.push_back(readFile(path));
    std::fprintf(stderr, "%s\n", path.c_str());
    runOne(corpus.back());
  }
  Rng rng{seed * 0x9E3779B97F4A7C15ull + 1};
  for (long r = 0; r < runs; ++r) {
    Bytes input;
    if (!corpus.empty() && rng.below(4) != 0) {
      input = mutate(corpus, rng, maxLen);
    } else {
      input.resize(rng.below(std::min<size_t>(maxLen, 512) + 1));
      for (uint8_t& b : input) b = static_cast<uint8_t>(rng.next());
    }
    runOne(input);
  }
  std::fprintf(stderr, "%zu files and %ld generated inputs ran\n", corpus.size(), runs);
  return 0;
}
