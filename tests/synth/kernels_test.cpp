// Fixed-point kernels: the reference numbers and properties that catch
// arithmetic faults (overflow, ring-buffer indexing, sign conventions).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "synth/bit_reader.h"
#include "synth/kernels/arith.h"
#include "synth/kernels/filter.h"
#include "synth/kernels/length_change.h"
#include "synth/kernels/lsf.h"
#include "synth/pulse_shapes.h"

namespace {

using namespace tts;

TEST(Division, TableQuotients) {
  EXPECT_EQ(divApprox(300, 3), 99);  // 300 * 21845 >> 16
  EXPECT_EQ(divApprox(-300, 3), -100);
  EXPECT_EQ(divApprox(300, -3), -99);
  EXPECT_EQ(divApprox(7, 0), 7);
  EXPECT_EQ(divApprox(7, 1), 7);
  EXPECT_EQ(divApprox(7, -1), -7);
  EXPECT_EQ(divApprox(-7, 2), -3);  // (-7 + 1) >> 1
  EXPECT_EQ(divApprox(6400000, 25000), 257);  // 25000 >> 8 = 97: R[97] = 675
  EXPECT_EQ(divApprox(1000000, 1000), 1008);
  // Shifting the denominator below 512 costs at most 1/32 of precision.
  for (int32_t a : {1000, 65535, 65536, 1000000, 6400000, 2000000000}) {
    for (int32_t b : {3, 7, 254, 511, 512, 1000, 30000, 70000}) {
      const double exact = static_cast<double>(a) / b;
      EXPECT_NEAR(divApprox(a, b), exact, exact * 0.07 + 1.0) << a << "/" << b;
      EXPECT_NEAR(divApprox(-a, b), -exact, exact * 0.07 + 1.0) << a << "/" << b;
    }
  }
}

TEST(Division, ReciprocalTable) {
  EXPECT_EQ(kReciprocalTable[0], 0);
  EXPECT_EQ(kReciprocalTable[1], 65535);
  EXPECT_EQ(kReciprocalTable[2], 32768);
  EXPECT_EQ(kReciprocalTable[3], 21845);
  EXPECT_EQ(kReciprocalTable[511], 128);
}

TEST(SquareRoot, RoundsToNearest) {
  EXPECT_EQ(isqrt32(10), 3);
  EXPECT_EQ(isqrt32(13), 4);  // remainder 4 exceeds 3
  EXPECT_EQ(isqrt32(0), 0);
  EXPECT_EQ(isqrt32(-5), 0);
  EXPECT_EQ(isqrt32(2147483647), 46341);
  for (int64_t x = 0; x < 200000; x += 7) EXPECT_EQ(isqrt32(static_cast<int32_t>(x)), std::llround(std::sqrt(x))) << x;
}

TEST(Noise, MatchesLehmerGenerator) {
  int32_t state = 12345;
  int64_t reference = 12345;
  for (int i = 0; i < 20000; ++i) {
    reference = (reference * 16807) % 2147483647;
    const int32_t v = noiseNext(&state);
    ASSERT_EQ(state, reference);
    ASSERT_EQ(v, static_cast<int32_t>(reference >> 16));
    ASSERT_GE(v, 0);
    ASSERT_LE(v, 32767);
  }
  // The block form: the same states, centred and scaled to -128..127.
  int32_t blockState = 12345;
  int16_t block[300];
  noiseFill(&blockState, block, 300);
  reference = 12345;
  for (int i = 0; i < 300; ++i) {
    reference = (reference * 16807) % 2147483647;
    ASSERT_EQ(block[i], ((reference >> 16) - 16384) >> 7) << i;
  }
  EXPECT_EQ(blockState, reference);
}

TEST(Lsf, StabilisationExamples) {
  int16_t a[3] = {100, 101, 300};
  stabiliseLsf(a, 3, 2);
  EXPECT_EQ(a[0], 100);
  EXPECT_EQ(a[1], 102);
  EXPECT_EQ(a[2], 300);
  int16_t b[3] = {0, 0, 0};
  stabiliseLsf(b, 3, 2);
  EXPECT_EQ(b[0], 2);
  EXPECT_EQ(b[1], 1);
  EXPECT_EQ(b[2], 0);
  int16_t c[2] = {3300, 3300};
  stabiliseLsf(c, 2, 2);
  EXPECT_EQ(c[1], 3214);
}

TEST(Lsf, CosineTableAndTaylorStep) {
  EXPECT_EQ(kCosineTable_Q16[1][0], 65408);
  EXPECT_EQ(kCosineTable_Q16[1][1], 4093);
  EXPECT_EQ(kCosineTable_Q16[2][0], 65025);
  EXPECT_EQ(kCosineTable_Q16[2][1], 8171);
  EXPECT_EQ(kCosineTable_Q16[50][0], -65526);
  EXPECT_EQ(kCosineTable_Q16[50][1], 1087);
  EXPECT_EQ(cosineQ16(0), 65536);
  EXPECT_LE(std::abs(cosineQ16(1608)), 40);
  for (int32_t x = 0; x <= 3216; ++x)
    ASSERT_NEAR(cosineQ16(x), 65536.0 * std::cos(x / 1024.0), 3.0) << x;
  EXPECT_EQ(cosineQ16(-100), 65536);  // out-of-range angles are clamped
  EXPECT_EQ(cosineQ16(5000), cosineQ16(3216));
  // The block form, in every vector position and with clamped angles.
  for (int32_t start = -40; start <= 3260; start += 17) {
    int16_t lsf_Q10[18];
    int32_t cos_Q16[18];
    for (int32_t i = 0; i < 18; ++i) lsf_Q10[i] = static_cast<int16_t>(start + i);
    cosinesQ16(lsf_Q10, 18, cos_Q16);
    for (int32_t i = 0; i < 18; ++i) ASSERT_EQ(cos_Q16[i], cosineQ16(lsf_Q10[i])) << lsf_Q10[i];
  }
}

// Double-precision reference of the LSF to predictor conversion.
std::vector<double> referencePredictor(const std::vector<int16_t>& lsf) {
  const size_t k = lsf.size();
  auto build = [&](size_t first, double sign) {
    std::vector<double> poly(k + 2, 0.0);
    poly[0] = 1.0;
    for (size_t i = first; i < k; i += 2) {
      const double c = 2.0 * std::cos(lsf[i] / 1024.0);
      for (size_t t = k + 1; t >= 1; --t) poly[t] += -c * poly[t - 1] + (t >= 2 ? poly[t - 2] : 0.0);
    }
    for (size_t t = k + 1; t >= 1; --t) poly[t] += sign * poly[t - 1];
    return poly;
  };
  const std::vector<double> p = build(0, 1.0);
  const std::vector<double> q = build(1, -1.0);
  std::vector<double> a(k + 1);
  for (size_t i = 0; i <= k; ++i) a[i] = (p[i] + q[i]) / 2.0;
  return a;
}

std::vector<int32_t> predictorOf(std::vector<int16_t> lsf) {
  const int32_t k = static_cast<int32_t>(lsf.size());
  std::vector<int32_t> cos(k);
  for (int32_t i = 0; i < k; ++i) cos[i] = cosineQ16(lsf[i]);
  std::vector<int32_t> a(k + 1);
  lsfToPredictor(cos.data(), k, a.data());
  return a;
}

const std::vector<std::vector<int16_t>> kSpeechLikeLsfs = {
    {300, 500, 900, 1200, 1500, 1800, 2100, 2400, 2700, 3000},
    {200, 330, 600, 760, 1300, 1450, 2000, 2200, 2700, 2900},
    {150, 300, 480, 640, 820, 980, 1150, 1320, 1490, 1650, 1820, 1990, 2160, 2330, 2500, 2680, 2850, 3020},
    {800, 1600},
};

TEST(Lsf, PredictorMatchesDoubleReference) {
  for (const auto& lsf : kSpeechLikeLsfs) {
    const std::vector<int32_t> a = predictorOf(lsf);
    const std::vector<double> ref = referencePredictor(lsf);
    EXPECT_EQ(a[0], 4096);
    for (size_t i = 1; i < a.size(); ++i)
      EXPECT_NEAR(a[i], ref[i] * 4096.0, 4.0 + std::fabs(ref[i]) * 4096.0 * 0.002) << "order " << lsf.size() << " k=" << i;
  }
}

TEST(Lsf, PredictorGivesStableFilter) {
  for (const auto& lsf : kSpeechLikeLsfs) {
    const std::vector<int32_t> a = predictorOf(lsf);
    const int32_t order = static_cast<int32_t>(lsf.size());
    FilterMemory mem;
    filterClear(&mem, order);
    std::vector<int16_t> x(4000, 0);
    x[0] = 1000;
    allPoleFilter(a.data(), 12, &mem, x.data(), static_cast<int32_t>(x.size()));
    int32_t early = 0, late = 0;
    for (int i = 0; i < 200; ++i) early = std::max(early, std::abs(static_cast<int32_t>(x[i])));
    for (int i = 3500; i < 4000; ++i) late = std::max(late, std::abs(static_cast<int32_t>(x[i])));
    EXPECT_GT(early, 500);
    EXPECT_LE(late, early / 100) << "impulse response of order " << order << " does not decay";
  }
}

TEST(Lsf, ReflectionCoefficients) {
  // First order: A(z) = 1 - 0.5 z^-1 gives k1 = +0.5.
  const int32_t first[2] = {4096, -2048};
  int32_t k[18];
  reflectionCoefficients(first, 1, k);
  EXPECT_EQ(k[0], 2048);
  // Second order from k1 = 0.5, k2 = -0.25 (step-up: a1 = -k1 (1 - k2)... in this sign convention).
  const double k1 = 0.5, k2 = -0.25;
  const double a1 = -k1 + (-k2) * (-k1), a2 = -k2;
  const int32_t second[3] = {4096, static_cast<int32_t>(std::lround(a1 * 4096)), static_cast<int32_t>(std::lround(a2 * 4096))};
  reflectionCoefficients(second, 2, k);
  EXPECT_NEAR(k[1], k2 * 4096, 1);
  EXPECT_NEAR(k[0], k1 * 4096, 2);
  // |k| = 1 ends the recursion with zeros.
  const int32_t edge[3] = {4096, 1000, -4096};
  k[0] = k[1] = 99;
  reflectionCoefficients(edge, 2, k);
  EXPECT_EQ(k[0], 0);
  EXPECT_EQ(k[1], 0);
  // Stable predictors from LSFs have |k| < 1 throughout.
  for (const auto& lsf : kSpeechLikeLsfs) {
    const std::vector<int32_t> a = predictorOf(lsf);
    reflectionCoefficients(a.data(), static_cast<int32_t>(lsf.size()), k);
    for (size_t i = 0; i < lsf.size(); ++i) EXPECT_LT(std::abs(k[i]), 4096);
  }
}

TEST(Filters, AllPoleInvertsFir) {
  const std::vector<int32_t> a = predictorOf(kSpeechLikeLsfs[0]);
  const int32_t order = 10;
  FilterMemory fir, pole;
  filterClear(&fir, order);
  filterClear(&pole, order);
  std::vector<int16_t> x(3000);
  uint32_t s = 7;
  for (auto& v : x) {
    s = s * 1103515245u + 12345u;
    v = static_cast<int16_t>(static_cast<int32_t>((s >> 16) % 601) - 300);
  }
  std::vector<int16_t> y = x;
  // Several calls of different sizes: the ring memories carry across calls.
  for (int32_t at = 0, step = 1; at < 3000; at += step, step = step % 97 + 13) {
    const int32_t n = std::min(step, 3000 - at);
    firFilter(a.data(), 12, &fir, y.data() + at, n);
    allPoleFilter(a.data(), 12, &pole, y.data() + at, n);
  }
  EXPECT_EQ(x, y);
}

TEST(Filters, FirDelayLineAndSumOfMagnitudes) {
  // Taps that pick x[t-3]: the ring buffer returns the right history across wraps.
  const int32_t taps[4] = {0, 0, 0, 1 << 10};
  FilterMemory mem;
  filterClear(&mem, 3);
  std::vector<int16_t> x(50);
  for (int i = 0; i < 50; ++i) x[i] = static_cast<int16_t>(i + 1);
  std::vector<int16_t> y = x;
  firFilter(taps, 10, &mem, y.data(), 50);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(y[i], i >= 3 ? x[i - 3] : 0);

  // One pole at 0.5: y = x + y/2 (floor), sum of |y| is returned.
  const int32_t pole[2] = {4096, -2048};
  filterClear(&mem, 1);
  int16_t z[4] = {1000, 0, 0, -1000};
  const int32_t sum = allPoleFilter(pole, 12, &mem, z, 4);
  EXPECT_EQ(z[0], 1000);
  EXPECT_EQ(z[1], 500);
  EXPECT_EQ(z[2], 250);
  EXPECT_EQ(z[3], -875);
  EXPECT_EQ(sum, 1000 + 500 + 250 + 875);
  EXPECT_EQ(peakAbs(z, 4), 1000);
  const int16_t extreme[2] = {5, -32768};
  EXPECT_EQ(peakAbs(extreme, 2), 32768);
}

TEST(Filters, AllPoleKeepsFullPrecisionHistory) {
  // Outputs beyond 16 bits are stored wrapped but fed back at full precision.
  const int32_t pole[2] = {4096, -4096};  // integrator
  FilterMemory mem;
  filterClear(&mem, 1);
  std::vector<int16_t> x(3, 30000);
  const int32_t sum = allPoleFilter(pole, 12, &mem, x.data(), 3);
  EXPECT_EQ(x[0], 30000);
  EXPECT_EQ(x[1], static_cast<int16_t>(60000));
  EXPECT_EQ(x[2], static_cast<int16_t>(90000));
  EXPECT_EQ(sum, 30000 + 60000 + 90000);
}

TEST(Filters, Weighting) {
  const int32_t a[3] = {4096, -8192, 40000};
  const int32_t w[3] = {39321, 23592, 52428};
  int32_t out[3];
  weightCoefficients(a, w, out, 3);
  EXPECT_EQ(out[0], (4096 * 39321) >> 16);
  EXPECT_EQ(out[1], (-8192 * 23592) >> 16);
  EXPECT_EQ(out[2], static_cast<int32_t>(static_cast<uint32_t>(40000) * 52428u) >> 16);  // 32-bit product
}

TEST(LengthChange, LengthenOverlapsThePeriodWithItself) {
  std::vector<int16_t> x(100);
  for (int i = 0; i < 100; ++i) x[i] = static_cast<int16_t>(10 * i + 5);
  std::vector<int16_t> y(150);
  changeLength(x.data(), 100, 150, y.data());
  for (int i = 0; i < 50; ++i) EXPECT_EQ(y[i], x[i]);                                   // copied
  for (int j = 0; j < 50; ++j) EXPECT_EQ(y[50 + j], ((50 - j) * x[50 + j] + j * x[j]) / 50);  // cross-faded
  for (int j = 0; j < 50; ++j) EXPECT_EQ(y[100 + j], x[50 + j]);                        // last 50 repeated
}

TEST(LengthChange, ShortenCrossFadesAndLongGapsPadWithZeros) {
  const int16_t x[6] = {60, 60, 60, 0, 0, 0};
  int16_t y[4];
  changeLength(x, 6, 4, y);
  EXPECT_EQ(y[0], 60);               // (4*60 + 0*x[2]) / 4
  EXPECT_EQ(y[1], (3 * 60 + 0) / 4);  // x[3] = 0
  EXPECT_EQ(y[3], (1 * 0 + 3 * 0) / 4);
  const int16_t z[3] = {-40, 7, 9};
  int16_t w[8];
  changeLength(z, 3, 8, w);  // overlap 2*3-8 < 3: x, 2 zeros, x
  const int16_t expected[8] = {-40, 7, 9, 0, 0, -40, 7, 9};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(w[i], expected[i]);
  int16_t v[4];
  changeLength(z, 3, 4, v);  // overlap 2 < 3 without a gap: x then x cut at 4
  EXPECT_EQ(v[3], -40);
}

TEST(BitReader, MostSignificantFirstAcrossBytes) {
  const uint8_t bytes[3] = {0xA5, 0x3C, 0xFF};  // 1010 0101 0011 1100 1111 1111
  BitReader r;
  bitReaderInit(&r, bytes, -1);
  EXPECT_EQ(bitReaderRead(&r, 5), 0x14u);  // 10100
  EXPECT_EQ(bitReaderConsumed(&r), 1);
  EXPECT_EQ(bitReaderRead(&r, 7), 0x53u);  // 101 0011
  EXPECT_EQ(bitReaderRead(&r, 4), 0xCu);   // 1100, ends on a byte boundary
  EXPECT_EQ(bitReaderConsumed(&r), 2);
  EXPECT_EQ(bitReaderRead(&r, 8), 0xFFu);

  bitReaderInit(&r, bytes, 2);  // bounded: stops at the end
  EXPECT_EQ(bitReaderRead(&r, 12), 0xA53u);
  EXPECT_EQ(bitReaderRead(&r, 8), 0xCu);  // only 4 bits remain
  EXPECT_EQ(bitReaderRead(&r, 8), 0u);
  BitReader empty;
  bitReaderInit(&empty, nullptr, -1);
  EXPECT_EQ(bitReaderRead(&empty, 5), 0u);
}

// The pulses are single closure spikes: flat excitation up to the table's band
// edge (voice builders fit their predictors to that), with ripple far below
// the peak and not the same in every shape.
TEST(PulseShapes, ClosureSpikeWithLowRippleThatVaries) {
  int distinct = 0;
  for (int32_t s = 0; s < kPulseShapeCount; ++s) {
    const int16_t* p = kPulseShapes[s];
    EXPECT_EQ(p[16], 1000) << s;
    int64_t ripple = 0;
    for (int32_t i = 0; i < kPulseShapeLength; ++i) {
      if (i == 16) continue;
      EXPECT_LE(std::abs(p[i]), 60) << s << " " << i;
      ripple += p[i] * p[i];
    }
    EXPECT_LT(ripple, 1000 * 1000 / 100) << s;  // ripple energy under 1 % of the spike's
    if (s > 0 && !std::equal(p, p + kPulseShapeLength, kPulseShapes[0])) ++distinct;
  }
  EXPECT_GE(distinct, 8);
}

}  // namespace
