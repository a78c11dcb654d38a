// Writes the seed voices of the voice fuzz target: small valid blocks over the
// Spanish phone set at several rates, period shapes and residual layouts.
//
//   fuzz_seed_voices <output directory>
#include <cstdio>
#include <string>
#include <vector>

#include "fuzz_voice.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
    return 2;
  }
  struct Shape {
    int32_t phones, rate, f0;
    uint8_t periodLength, periodsPerHalf;
    bool residualEverywhere;
  };
  const Shape shapes[] = {
      {2, 16000, 110, 100, 1, false}, {3, 16000, 110, 100, 2, false}, {4, 8000, 100, 60, 1, false},
      {4, 11000, 120, 80, 1, true},   {5, 16000, 200, 50, 2, false},  {3, 16000, 90, 160, 1, true},
      {6, 16000, 110, 100, 1, false}, {2, 8000, 60, 255, 1, true},    {3, 16000, 110, 20, 3, false},
      {8, 16000, 110, 100, 1, false}, {4, 16000, 300, 40, 2, true},   {2, 22050, 110, 100, 1, false},
  };
  int index = 0;
  for (const Shape& s : shapes) {
    const std::vector<uint8_t> block =
        voxa_fuzz::smallVoice(s.phones, s.rate, s.f0, s.periodLength, s.periodsPerHalf, s.residualEverywhere);
    const std::string path = std::string(argv[1]) + "/seed-voice-" + std::to_string(index++);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(block.data(), 1, block.size(), f) != block.size()) return 1;
    std::fclose(f);
    std::printf("%s: %zu bytes\n", path.c_str(), block.size());
  }
  return 0;
}
