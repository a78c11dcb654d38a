// Scalar quantisers trained on the voice: one Lloyd-Max codebook per LSF,
// trained on the histogram of its Q10 values, with bit widths allotted by
// greedy distortion reduction.
#pragma once
#include <cstdint>
#include <vector>

namespace voxa::voicebuild {

struct ScalarCodebook {
  std::vector<int32_t> levels_Q10;  // ascending reconstruction values
  int bits = 0;
  // Index of the level nearest to v_Q10 (ties to the lower level).
  uint32_t encode(int32_t v_Q10) const;
};

// values_Q10: in, training values (0 .. 3216). Trains 2^bits levels with
// Lloyd iterations started from quantiles; fewer distinct values than levels
// give repeated levels. Returns the codebook and its mean squared error.
ScalarCodebook trainScalar(const std::vector<int32_t>& values_Q10, int bits, double* mse);

// Trains one codebook per parameter, widths minBits..maxBits summing to totalBits
// (each extra bit goes where it lowers the summed mean squared error most).
std::vector<ScalarCodebook> trainCodebooks(const std::vector<std::vector<int32_t>>& perParameter_Q10,
                                           int totalBits, int minBits, int maxBits);

}  // namespace voxa::voicebuild
