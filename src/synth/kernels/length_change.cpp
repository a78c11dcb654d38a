#include "synth/kernels/length_change.h"

namespace tts {

void changeLength(const int16_t* x, int32_t len, int32_t n, int16_t* y) {
  if (!x || !y || n <= 0) return;
  if (len < 0) len = 0;
  if (n < len) {
    // Cross-fade from the start of the period to its end.
    for (int32_t i = 0; i < n; ++i) y[i] = static_cast<int16_t>(((n - i) * x[i] + i * x[len - n + i]) / n);
    return;
  }
  const int32_t overlap = 2 * len - n;
  if (overlap >= 3) {
    const int32_t e = n - len;
    for (int32_t i = 0; i < e; ++i) y[i] = x[i];
    for (int32_t j = 0; j < overlap; ++j)
      y[e + j] = static_cast<int16_t>(((overlap - j) * x[e + j] + j * x[j]) / overlap);
    for (int32_t j = 0; j < e; ++j) y[len + j] = x[overlap + j];
    return;
  }
  // Too little overlap: the period, a gap of zeros, the period again.
  int32_t k = 0;
  for (int32_t i = 0; i < len && k < n; ++i) y[k++] = x[i];
  for (int32_t i = 0; i < n - 2 * len && k < n; ++i) y[k++] = 0;
  for (int32_t i = 0; i < len && k < n; ++i) y[k++] = x[i];
}

}  // namespace tts
