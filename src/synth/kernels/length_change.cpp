#include "synth/kernels/length_change.h"

#include "synth/kernels/vector_clones.h"

namespace tts {

namespace {

// Division truncating toward zero by one divisor d, 1 <= d < 2^16, of
// numerators with |num| <= d * 2^15 (a weighted sum of 16-bit samples whose
// weights add up to d): |num| * m >> s with m = ceil(2^s / d) and
// 2^s >= d^2 * 2^15 gives exactly |num| / d, since |num| * (m*d - 2^s) < 2^s.
// A multiply instead of a hardware divide per sample.
struct FadeDivisor {
  uint64_t multiplier;  // m
  int32_t shift;        // s
};

FadeDivisor fadeDivisor(int32_t d) {
  int32_t bits = 0;  // smallest b with 2^b >= d
  while ((int64_t{1} << bits) < d) ++bits;
  const int32_t shift = 15 + 2 * bits;
  return FadeDivisor{((uint64_t{1} << shift) + static_cast<uint64_t>(d) - 1) / static_cast<uint64_t>(d), shift};
}

inline int32_t fadeQuotient(int32_t num, const FadeDivisor& d) {
  const uint64_t magnitude = num < 0 ? 0 - static_cast<uint64_t>(static_cast<int64_t>(num)) : static_cast<uint64_t>(num);
  const int32_t q = static_cast<int32_t>((magnitude * d.multiplier) >> d.shift);
  return num < 0 ? -q : q;
}

constexpr int32_t kFadeDivisorLimit = 1 << 16;

}  // namespace

VOXA_VECTOR_CLONES
void changeLength(const int16_t* x, int32_t len, int32_t n, int16_t* y) {
  if (!x || !y || n <= 0) return;
  if (len < 0) len = 0;
  if (n < len) {
    // Cross-fade from the start of the period to its end.
    if (n >= kFadeDivisorLimit) {
      for (int32_t i = 0; i < n; ++i) y[i] = static_cast<int16_t>(((n - i) * x[i] + i * x[len - n + i]) / n);
      return;
    }
    const FadeDivisor d = fadeDivisor(n);
    for (int32_t i = 0; i < n; ++i) y[i] = static_cast<int16_t>(fadeQuotient((n - i) * x[i] + i * x[len - n + i], d));
    return;
  }
  const int32_t overlap = 2 * len - n;
  if (overlap >= 3) {
    const int32_t e = n - len;
    for (int32_t i = 0; i < e; ++i) y[i] = x[i];
    if (overlap >= kFadeDivisorLimit) {
      for (int32_t j = 0; j < overlap; ++j)
        y[e + j] = static_cast<int16_t>(((overlap - j) * x[e + j] + j * x[j]) / overlap);
    } else {
      const FadeDivisor d = fadeDivisor(overlap);
      for (int32_t j = 0; j < overlap; ++j)
        y[e + j] = static_cast<int16_t>(fadeQuotient((overlap - j) * x[e + j] + j * x[j], d));
    }
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
