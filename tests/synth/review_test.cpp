// Bit-exact cross-checks of the synthesiser: each kernel and output step is
// compared with a plain, independently written reference of its formula
// (64-bit where the engine's 32-bit arithmetic cannot overflow), over many
// pseudo-random inputs and across calls where memories carry state.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "synth/bit_reader.h"
#include "synth/excitation.h"
#include "synth/kernels/arith.h"
#include "synth/kernels/filter.h"
#include "synth/kernels/length_change.h"
#include "synth/kernels/lsf.h"
#include "synth/output_stage.h"
#include "synth/phrase_synth.h"
#include "synth/pulse_shapes.h"
#include "synth/synth.h"
#include "synth/unit_decoder.h"
#include "synth_test_voice.h"

namespace {

using namespace tts;

struct Rng {
  uint32_t s;
  uint32_t next() {
    s = s * 1664525u + 1013904223u;
    return s >> 8;
  }
  int32_t range(int32_t lo, int32_t hi) { return lo + static_cast<int32_t>(next() % static_cast<uint32_t>(hi - lo + 1)); }
};

// ---------------------------------------------------------------- references

int64_t floorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

int32_t refIsqrt(int32_t a) {
  if (a <= 0) return 0;
  int64_t d = static_cast<int64_t>(std::sqrt(static_cast<double>(a)));
  while (d * d > a) --d;
  while ((d + 1) * (d + 1) <= a) ++d;
  return static_cast<int32_t>(a - d * d > d ? d + 1 : d);
}

uint32_t refReciprocal(uint32_t m) { return m == 0 ? 0 : (m == 1 ? 65535 : 65536 / m); }

int32_t refDivide(int32_t a, int32_t b) {
  int64_t m = b < 0 ? -static_cast<int64_t>(b) : b;
  int64_t x = a;
  if (x < 0) x += m - 1;
  int64_t q;
  if (m <= 1) {
    q = x;
  } else if (m == 2) {
    q = floorDiv(x, 2);
  } else {
    int32_t s = 0;
    while (m >= 512) {
      m >>= 4;
      s += 4;
    }
    const int64_t r = refReciprocal(static_cast<uint32_t>(m));
    q = floorDiv(floorDiv(r * (x & 0xffff), 65536) + r * floorDiv(x, 65536), int64_t{1} << s);
  }
  return static_cast<int32_t>(b < 0 ? -q : q);
}

// Cosine in Q16 by the third-order Taylor step around the nearest 1/16 rad.
int32_t refCosine(int32_t x) {
  const int64_t k = (x + 32) / 64;
  const int64_t d = x - 64 * k;
  const int64_t c = kCosineTable_Q16[k][0];
  const int64_t s = kCosineTable_Q16[k][1];
  const int64_t third = floorDiv(floorDiv(d * s, 1024) * 21845, 65536);
  const int64_t inner = floorDiv(d * (c - third), 1024);
  return static_cast<int32_t>(c - floorDiv(d * (s + floorDiv(inner, 2)), 1024));
}

// Unit impulse (2^20) through the sections 1 - 2cos z^-1 + z^-2 of every
// second LSF, then 1 + sign z^-1; a_k = (P_k + Q_k) >> 9.
std::vector<int32_t> refPredictor(const std::vector<int32_t>& cos_Q16) {
  const size_t k = cos_Q16.size();
  auto branch = [&](size_t first, int64_t sign) {
    std::vector<int64_t> y(k + 2, 0);
    y[0] = 1 << 20;
    for (size_t i = first; i < k; i += 2) {
      std::vector<int64_t> x = y;
      for (size_t t = 0; t < y.size(); ++t)
        y[t] = x[t] - (t >= 1 ? floorDiv(x[t - 1] * cos_Q16[i], 32768) : 0) + (t >= 2 ? x[t - 2] : 0);
    }
    std::vector<int64_t> x = y;
    for (size_t t = 1; t < y.size(); ++t) y[t] = x[t] + sign * x[t - 1];
    return y;
  };
  const std::vector<int64_t> p = branch(0, 1);
  const std::vector<int64_t> q = branch(1, -1);
  std::vector<int32_t> a(k + 1);
  for (size_t i = 0; i <= k; ++i) a[i] = static_cast<int32_t>(floorDiv(p[i] + q[i], 512));
  return a;
}

std::vector<int32_t> refReflection(const std::vector<int32_t>& a_Q12) {
  const int32_t order = static_cast<int32_t>(a_Q12.size()) - 1;
  std::vector<int64_t> a(a_Q12.begin(), a_Q12.end());
  a[0] = 4096;
  std::vector<int32_t> k(order, 0);
  for (int32_t m = order; m >= 1; --m) {
    const int64_t km = -a[m];
    k[m - 1] = static_cast<int32_t>(km);
    const int64_t e = 4096 - floorDiv(km * km, 4096);
    if (e == 0) return std::vector<int32_t>(order, 0);
    std::vector<int64_t> next = a;
    for (int32_t i = 1; i < m; ++i) next[i] = (a[i] * 4096 + km * a[m - i]) / e;
    a = next;
  }
  return k;
}

void refStabilise(std::vector<int32_t>& v, int32_t g) {
  const size_t n = v.size();
  v[0] = std::max(v[0], g);
  v[n - 1] = std::min(v[n - 1], 3216 - g);
  for (size_t i = 1; i + 1 < n; ++i) {
    v[i] = std::max(v[i], v[i - 1] + g);
    if (v[i] > v[i + 1] - g) v[i] = floorDiv(v[i + 1] + v[i] - g, 2);
  }
}

std::vector<int16_t> refChangeLength(const std::vector<int16_t>& x, int32_t n) {
  const int32_t len = static_cast<int32_t>(x.size());
  std::vector<int16_t> y(n, 0);
  if (n < len) {
    for (int32_t i = 0; i < n; ++i) y[i] = static_cast<int16_t>(((n - i) * x[i] + i * x[len - n + i]) / n);
    return y;
  }
  const int32_t o = 2 * len - n;
  if (o >= 3) {
    const int32_t e = n - len;
    for (int32_t i = 0; i < e; ++i) y[i] = x[i];
    for (int32_t j = 0; j < o; ++j) y[e + j] = static_cast<int16_t>(((o - j) * x[e + j] + j * x[j]) / o);
    for (int32_t j = 0; j < e; ++j) y[len + j] = x[o + j];
    return y;
  }
  std::vector<int16_t> all(x);
  for (int32_t i = 0; i < n - 2 * len; ++i) all.push_back(0);
  all.insert(all.end(), x.begin(), x.end());
  for (int32_t i = 0; i < n; ++i) y[i] = all[i];
  return y;
}

// Direct-form filters with explicit histories (newest first).
struct RefFir {
  std::vector<int32_t> past;  // x[t-1], x[t-2], ...
  explicit RefFir(int32_t order) : past(order, 0) {}
  void run(const std::vector<int32_t>& b, int32_t shift, int16_t* x, int32_t count) {
    for (int32_t t = 0; t < count; ++t) {
      int64_t acc = static_cast<int64_t>(b[0]) * x[t];
      for (size_t i = 1; i < b.size(); ++i) acc += static_cast<int64_t>(b[i]) * past[i - 1];
      if (!past.empty()) {
        past.insert(past.begin(), x[t]);
        past.pop_back();
      }
      x[t] = static_cast<int16_t>(floorDiv(acc, int64_t{1} << shift));
    }
  }
};

int32_t wrap32(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v))); }

// The feedback sum and the outputs are 32-bit registers (two's complement).
struct RefPole {
  std::vector<int32_t> past;  // y[t-1], y[t-2], ... as 32-bit values
  explicit RefPole(int32_t order) : past(order, 0) {}
  int32_t run(const std::vector<int32_t>& a, int32_t shift, int16_t* x, int32_t count) {
    int32_t sum = 0;
    for (int32_t t = 0; t < count; ++t) {
      uint64_t acc = 0;
      for (size_t i = 1; i < a.size(); ++i) acc += static_cast<uint64_t>(static_cast<int64_t>(a[i]) * past[i - 1]);
      const int32_t y = wrap32(static_cast<int64_t>(x[t]) - (wrap32(static_cast<int64_t>(acc)) >> shift));
      past.insert(past.begin(), y);
      past.pop_back();
      sum = wrap32(static_cast<int64_t>(sum) + (y < 0 ? -static_cast<int64_t>(y) : y));
      x[t] = static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(y) & 0xffffu));
    }
    return sum;
  }
};

// Random speech-like LSF vector of an even order: increasing, spread over 0..pi.
std::vector<int32_t> randomLsf(Rng& rng, int32_t order) {
  std::vector<int32_t> v(order);
  int32_t at = rng.range(60, 250);
  for (int32_t i = 0; i < order; ++i) {
    v[i] = at;
    at += rng.range(40, 2 * 3000 / order);
  }
  const int32_t top = v[order - 1];
  if (top > 3100)
    for (auto& x : v) x = x * 3100 / top;
  return v;
}

std::vector<int32_t> predictorFromLsf(const std::vector<int32_t>& lsf) {
  std::vector<int32_t> cos(lsf.size());
  for (size_t i = 0; i < lsf.size(); ++i) cos[i] = cosineQ16(lsf[i]);
  std::vector<int32_t> a(lsf.size() + 1);
  lsfToPredictor(cos.data(), static_cast<int32_t>(lsf.size()), a.data());
  return a;
}

struct SynthDeleter {
  void operator()(PhraseSynth* s) const { std::free(s); }
};
using SynthBlock = std::unique_ptr<PhraseSynth, SynthDeleter>;

// A zeroed record with the given order and cleared memories; no voice.
SynthBlock blankSynth(int32_t order) {
  SynthBlock s(static_cast<PhraseSynth*>(std::calloc(1, sizeof(PhraseSynth))));
  s->codec.order = order;
  s->lengthScale_Q8 = 256;  // normal speed
  filterClear(&s->synthesis, order);
  filterClear(&s->postFir, order);
  filterClear(&s->postPole, order);
  filterClear(&s->postTilt, 1);
  filterClear(&s->pulseMem, 2);
  filterClear(&s->noiseMem, 2);
  s->noiseState = 12345;
  return s;
}

// ---------------------------------------------------------------- scalar kernels

TEST(ReviewScalar, DivisionSquareRootAndReciprocals) {
  for (uint32_t m = 0; m < 512; ++m) ASSERT_EQ(kReciprocalTable[m], refReciprocal(m)) << m;
  Rng rng{11};
  const int32_t specials[] = {0, 1, -1, 2, -2, 3, -3, 254, 255, 511, 512, -512, 4095, 65535, 65536, -65536, 1 << 24};
  for (int32_t b : specials)
    for (int32_t a : specials) ASSERT_EQ(divApprox(a, b), refDivide(a, b)) << a << "/" << b;
  for (int i = 0; i < 200000; ++i) {
    const int32_t a = static_cast<int32_t>(rng.next() << 8 ^ rng.next()) >> rng.range(0, 24);
    const int32_t b = static_cast<int32_t>(rng.next() << 8 ^ rng.next()) >> rng.range(8, 31);
    ASSERT_EQ(divApprox(a, b), refDivide(a, b)) << a << "/" << b;
  }
  for (int i = 0; i < 200000; ++i) {
    const int32_t a = static_cast<int32_t>((rng.next() << 8 ^ rng.next()) & 0x7fffffffu) >> rng.range(0, 30);
    ASSERT_EQ(isqrt32(a), refIsqrt(a)) << a;
  }
  EXPECT_EQ(isqrt32(0x7fffffff), refIsqrt(0x7fffffff));
}

TEST(ReviewScalar, CosineEveryAngle) {
  for (int32_t x = 0; x <= kLsfPi_Q10; ++x) ASSERT_EQ(cosineQ16(x), refCosine(x)) << x;
}

// ---------------------------------------------------------------- LSF handling

TEST(ReviewLsf, StabilisationOfRandomVectors) {
  Rng rng{5};
  for (int i = 0; i < 20000; ++i) {
    const int32_t n = rng.range(1, 18);
    std::vector<int32_t> ref(n);
    std::vector<int16_t> got(n);
    for (int32_t k = 0; k < n; ++k) got[k] = static_cast<int16_t>(ref[k] = rng.range(-100, 3400));
    if (rng.next() & 1) std::sort(ref.begin(), ref.end());
    for (int32_t k = 0; k < n; ++k) got[k] = static_cast<int16_t>(ref[k]);
    stabiliseLsf(got.data(), n, 2);
    refStabilise(ref, 2);
    for (int32_t k = 0; k < n; ++k) ASSERT_EQ(got[k], ref[k]) << "n=" << n << " k=" << k;
  }
}

TEST(ReviewLsf, PredictorIsTheExactImpulseResponse) {
  Rng rng{9};
  for (int i = 0; i < 3000; ++i) {
    const int32_t order = 2 * rng.range(1, 9);
    const std::vector<int32_t> lsf = randomLsf(rng, order);
    std::vector<int32_t> cos(order);
    for (int32_t k = 0; k < order; ++k) cos[k] = cosineQ16(lsf[k]);
    std::vector<int32_t> got(order + 1);
    lsfToPredictor(cos.data(), order, got.data());
    ASSERT_EQ(got, refPredictor(cos)) << "order " << order;
  }
}

TEST(ReviewLsf, StepDownRecursion) {
  Rng rng{13};
  for (int i = 0; i < 3000; ++i) {
    const int32_t order = 2 * rng.range(1, 9);
    const std::vector<int32_t> a = predictorFromLsf(randomLsf(rng, order));
    std::vector<int32_t> got(order);
    reflectionCoefficients(a.data(), order, got.data());
    ASSERT_EQ(got, refReflection(a)) << "order " << order;
  }
}

// ---------------------------------------------------------------- filters and length change

// Predictors with sharp resonances have coefficients beyond +-10 (Q12 40960):
// the weighted tap is still the exact floor(a * w / 2^16), without a wrapped product.
TEST(ReviewFilters, WeightingOfLargeCoefficients) {
  const int32_t a[4] = {100000, -312184, 2224240, -40961};
  const int32_t w[4] = {52428, 41943, 39321, 65535};
  int32_t out[4];
  weightCoefficients(a, w, out, 4);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(out[i], floorDiv(static_cast<int64_t>(a[i]) * w[i], 65536)) << a[i] << " * " << w[i];
}

TEST(ReviewFilters, FirAndAllPoleAcrossCalls) {
  Rng rng{17};
  for (int trial = 0; trial < 200; ++trial) {
    const int32_t order = rng.range(0, 18);
    std::vector<int32_t> b(order + 1), a(order + 1);
    for (auto& v : b) v = rng.range(-300, 300);
    a = order >= 2 ? predictorFromLsf(randomLsf(rng, order & ~1)) : std::vector<int32_t>{4096, -2000};
    if (static_cast<int32_t>(a.size()) != order + 1) a.resize(order + 1, 0);
    FilterMemory fir, pole;
    filterClear(&fir, order);
    filterClear(&pole, order);
    RefFir refFir(order);
    RefPole refPole(order);
    for (int call = 0; call < 12; ++call) {
      const int32_t n = rng.range(0, 70);
      std::vector<int16_t> x(n);
      for (auto& v : x) v = static_cast<int16_t>(rng.range(-2000, 2000));
      std::vector<int16_t> y = x, ry = x;
      firFilter(b.data(), 10, &fir, y.data(), n);
      refFir.run(b, 10, ry.data(), n);
      ASSERT_EQ(y, ry) << "fir order " << order;
      const int32_t sum = allPoleFilter(a.data(), 12, &pole, y.data(), n);
      const int32_t refSum = refPole.run(a, 12, ry.data(), n);
      ASSERT_EQ(y, ry) << "all-pole order " << order;
      ASSERT_EQ(sum, refSum);
    }
  }
}

TEST(ReviewFilters, LengthChangeEveryShape) {
  Rng rng{23};
  for (int32_t len = 1; len <= 255; len += rng.range(1, 7)) {
    std::vector<int16_t> x(len);
    for (auto& v : x) v = static_cast<int16_t>(rng.range(-20000, 20000));
    // Every third period at full scale: the cross-fade quotients at their largest.
    if (len % 3 == 0)
      for (auto& v : x) v = rng.range(0, 1) ? int16_t{-32768} : int16_t{32767};
    for (int32_t n = 1; n <= 640; n += rng.range(1, 5)) {
      std::vector<int16_t> y(n);
      changeLength(x.data(), len, n, y.data());
      ASSERT_EQ(y, refChangeLength(x, n)) << len << " -> " << n;
    }
  }
}

TEST(ReviewFilters, ResidualStretcherLimits) {
  Rng rng{29};
  for (int i = 0; i < 5000; ++i) {
    const int32_t len = rng.range(1, 255);
    const int32_t d = rng.range(1, 320);
    std::vector<int16_t> x(len);
    for (auto& v : x) v = static_cast<int16_t>(rng.range(-9000, 9000));
    // Reference: a first change to 3L/2 or 170L/256, then d within L'/2 .. 2L'.
    std::vector<int16_t> first = x;
    if (d > 3 * len / 2) first = refChangeLength(x, 3 * len / 2);
    else if (d < 170 * len / 256) first = refChangeLength(x, 170 * len / 256);
    const int32_t l2 = static_cast<int32_t>(first.size());
    int32_t n = d;
    if (n >= 2 * l2) n = 2 * l2;
    else if (n < l2 / 2) n = l2 / 2;
    const std::vector<int16_t> ref = n > 0 ? refChangeLength(first, n) : std::vector<int16_t>{};
    std::vector<int16_t> out(2 * kMaxPeriodSamples + 8), scratch(2 * kMaxPeriodSamples);
    const int32_t produced = stretchResidual(x.data(), len, d, out.data(), scratch.data());
    ASSERT_EQ(produced, n) << len << " -> " << d;
    out.resize(static_cast<size_t>(produced));
    ASSERT_EQ(out, ref) << len << " -> " << d;
  }
}

// ---------------------------------------------------------------- bit reader

TEST(ReviewBitReader, RandomWidthsBoundedAndUnbounded) {
  Rng rng{31};
  for (int trial = 0; trial < 300; ++trial) {
    std::vector<uint8_t> data(static_cast<size_t>(rng.range(1, 40)));
    for (auto& b : data) b = static_cast<uint8_t>(rng.next());
    const bool bounded = trial & 1;
    BitReader r;
    bitReaderInit(&r, data.data(), bounded ? static_cast<int32_t>(data.size()) : -1);
    const int64_t totalBits = 8 * static_cast<int64_t>(data.size());
    int64_t at = 0;  // bits consumed by the reference
    while (at + 16 < totalBits) {
      const int32_t w = rng.range(0, 16);
      uint32_t expect = 0;
      for (int32_t i = 0; i < w; ++i) expect = expect << 1 | ((data[(at + i) / 8] >> (7 - (at + i) % 8)) & 1u);
      at += w;
      ASSERT_EQ(bitReaderRead(&r, w), expect) << "bit " << at;
      ASSERT_EQ(bitReaderConsumed(&r), (at + 7) / 8);
    }
    if (bounded) {
      // Past the end: whatever is left, then zeros; never a read outside the block.
      const int64_t left = totalBits - at;
      uint32_t expect = 0;
      for (int64_t i = 0; i < left; ++i) expect = expect << 1 | ((data[(at + i) / 8] >> (7 - (at + i) % 8)) & 1u);
      EXPECT_EQ(bitReaderRead(&r, 24), expect);
      EXPECT_EQ(bitReaderRead(&r, 8), 0u);
      EXPECT_EQ(bitReaderConsumed(&r), static_cast<int32_t>(data.size()));
    }
  }
}

// ---------------------------------------------------------------- excitation

struct RefPulseGenerator {
  int32_t index;
  bool filter;
  int64_t noise = 12345;
  RefFir pulseFir{2}, noiseFir{2};
  void run(int32_t d, int16_t* out) {
    if (index < 0) {
      const int32_t a = (refIsqrt(d * 4096) * 9460) >> 6;
      for (int32_t i = 0; i < d; ++i) out[i] = static_cast<int16_t>(i < 25 ? (kImpulseShape[i] * a) >> 16 : 0);
    } else {
      const int16_t* p = kPulseShapes[index];
      const int32_t b = refIsqrt(d * 16384);
      for (int32_t i = 0; i < d; ++i)
        out[i] = static_cast<int16_t>(i <= 252 ? ((p[i / 2] * (2 - (i & 1)) + p[i / 2 + 1] * (i & 1)) * b) >> 11 : 0);
      index = (index + 1) % 16;
    }
    if (filter) pulseFir.run({235, 574, 235}, 10, out, d);
    std::vector<int16_t> n(d);
    for (int32_t i = 0; i < d; ++i) {
      noise = noise * 16807 % 2147483647;
      n[i] = static_cast<int16_t>((static_cast<int32_t>(noise >> 16) - 16384) >> 7);
    }
    noiseFir.run({-128, 256, -128}, 10, n.data(), d);
    for (int32_t i = 0; i < d; ++i) out[i] = static_cast<int16_t>(out[i] + n[i]);
  }
};

TEST(ReviewExcitation, PulseGeneratorEveryShapeWithAndWithoutFilter) {
  Rng rng{37};
  for (int32_t start : {-1, 0, 7}) {
    for (int32_t filter = 0; filter < 2; ++filter) {
      SynthBlock s = blankSynth(10);
      s->pulseIndex = start;
      s->pulseFilter = filter;
      RefPulseGenerator ref{start, filter != 0};
      for (int call = 0; call < 40; ++call) {
        const int32_t d = call == 0 ? 320 : rng.range(1, 320);
        std::vector<int16_t> got(d), want(d);
        generatePulse(s.get(), d, got.data());
        ref.run(d, want.data());
        ASSERT_EQ(got, want) << "start " << start << " filter " << filter << " call " << call;
      }
      EXPECT_EQ(s->pulseIndex, ref.index);
    }
  }
}

TEST(ReviewExcitation, PostFilterChain) {
  Rng rng{41};
  for (int32_t order : {2, 10, 16, 18}) {
    SynthBlock s = blankSynth(order);
    RefFir fir(order), tilt(1);
    RefPole pole(order);
    for (int call = 0; call < 30; ++call) {
      const std::vector<int32_t> a = predictorFromLsf(randomLsf(rng, order));
      std::vector<int32_t> firTaps(order + 1), poleTaps(order + 1);
      firTaps[0] = poleTaps[0] = 4096;
      for (int32_t i = 1; i <= order; ++i) {
        firTaps[i] = static_cast<int32_t>(floorDiv(a[i] * static_cast<int64_t>(std::pow(0.6, i) * 65536.0), 65536));
        poleTaps[i] = static_cast<int32_t>(floorDiv(a[i] * static_cast<int64_t>(std::pow(0.8, i) * 65536.0), 65536));
      }
      const int32_t k1 = refReflection(a)[0];
      const std::vector<int32_t> tiltTaps = {4096, k1 > 0 ? -(k1 >> 1) : 0};
      const int32_t d = rng.range(20, 320);
      std::vector<int16_t> x(d);
      for (auto& v : x) v = static_cast<int16_t>(rng.range(-3000, 3000));
      std::vector<int16_t> want = x;
      fir.run(firTaps, 12, want.data(), d);
      pole.run(poleTaps, 12, want.data(), d);
      tilt.run(tiltTaps, 12, want.data(), d);
      postFilter(s.get(), a.data(), x.data(), d);
      ASSERT_EQ(x, want) << "order " << order << " call " << call;
    }
  }
}

// ---------------------------------------------------------------- target periods and class mapping

struct VoiceDeleter {
  void operator()(PhraseVoice* v) const { std::free(v); }
};

// Fits the targets to the class and maps them to source periods.
std::vector<int32_t> refMap(const char* c, int32_t join, int32_t periods, const int32_t* lengths,
                            std::vector<int32_t>* targetList) {
  std::vector<int32_t>& targets = *targetList;
  int32_t count = static_cast<int32_t>(targets.size());
  std::vector<int32_t> map;
  const std::string cls(c);
  if (cls == "r" || cls == "a") {
    targets.assign(lengths, lengths + periods);
    for (int32_t k = 0; k < periods; ++k) map.push_back(k);
  } else if (cls == "s") {
    const int32_t wanted = periods - join + 5;
    if (count < wanted) {
      std::vector<int32_t> old = targets;
      targets.resize(wanted);
      for (int32_t k = 0; k < wanted; ++k) targets[k] = old[k * count / wanted];
      count = wanted;
    }
    for (int32_t k = 0; k < count; ++k) {
      if (periods >= count) {
        map.push_back(k == 0 ? 0 : periods - count + k);
      } else {
        const int32_t spread = count + join - periods;
        map.push_back(k < spread ? k * join / spread : join + k - spread);
      }
    }
  } else {
    int32_t used = count;
    if (cls == "l" || cls == "n") used = std::min(count, 3 * periods / 2);
    else if (cls != "0") used = std::min(count, periods);
    for (int32_t k = 0; k < used; ++k) map.push_back(k * periods / used);
  }
  return map;
}

TEST(ReviewTargets, PeriodsFollowThePitchTargets) {
  Rng rng{53};
  std::unique_ptr<PhraseVoice, VoiceDeleter> voice(static_cast<PhraseVoice*>(std::calloc(1, sizeof(PhraseVoice))));
  SynthBlock s = blankSynth(10);
  s->voice = voice.get();
  uint8_t durations[1];
  int32_t pitch[4];
  s->durations = durations;
  s->pitch = pitch;
  for (int i = 0; i < 5000; ++i) {
    voice->voiceRate = i % 3 == 0 ? 8000 : (i % 3 == 1 ? 16000 : 11025);
    durations[0] = static_cast<uint8_t>(rng.range(0, 250));
    for (auto& p : pitch) p = rng.range(30, 320);
    const int32_t sonorant = i & 1;
    buildTargets(s.get(), 0, sonorant);
    const int32_t d = (durations[0] * voice->voiceRate) >> 10;
    std::vector<int32_t> want;
    for (int32_t t = 0; t < d;) {
      int32_t p = voice->voiceRate / 100;
      if (sonorant) {
        const int32_t x = (4 * t * 256) / d;
        const int32_t k = x >> 8;
        const int32_t f = x & 255;
        p = k + 1 < 4 ? ((256 - f) * pitch[k] + f * pitch[k + 1]) >> 8 : pitch[3];
      }
      want.push_back(p);
      t += p;
    }
    ASSERT_EQ(std::vector<int32_t>(s->targets, s->targets + s->targetCount), want) << "case " << i;
  }
}

TEST(ReviewTargets, MappingForEveryClass) {
  Rng rng{59};
  SynthBlock s = blankSynth(10);
  const char* classes[] = {"0", "s", "l", "n", "r", "a", "f", "x"};
  for (int i = 0; i < 20000; ++i) {
    const char* c = classes[i % 8];
    const int32_t periods = rng.range(2, 60);
    const int32_t join = rng.range(0, periods);
    int32_t count = rng.range(1, 120);
    std::vector<int32_t> targets(count);
    for (auto& t : targets) t = rng.range(20, 320);
    for (int32_t p = 0; p < periods; ++p) s->lengths[p] = rng.range(1, 255);
    s->targetCount = count;
    std::copy(targets.begin(), targets.end(), s->targets);

    const std::vector<int32_t> map = refMap(c, join, periods, s->lengths, &targets);
    const int32_t mapped = mapTargets(s.get(), c, join, periods);
    ASSERT_EQ(std::vector<int32_t>(s->map, s->map + mapped), map) << c << " P=" << periods << " J=" << join;
    for (int32_t k = 0; k < mapped; ++k) ASSERT_EQ(s->targets[k], targets[k]) << c << " k=" << k;
  }
}

struct RefLevel {
  int32_t level = 0;
  int32_t history[12] = {};
  int32_t floor;
  void block(int16_t* x, int32_t n) {
    int32_t p = 0;
    for (int32_t i = 0; i < n; ++i) p = std::max(p, std::abs(static_cast<int32_t>(x[i])));
    for (int i = 0; i < 11; ++i) history[i] = history[i + 1];
    const int32_t e = refDivide(256 * p - 2 * level, 254);
    history[11] = e >= p ? e : p;
    int32_t f = 0;
    for (int32_t h : history) f = std::max(f, std::abs(h));
    const int32_t r = level < f ? 200 : 20;
    level = ((256 - r) * level + r * f) >> 8;
    const int32_t m = refDivide(6400000, std::max(level, floor));
    for (int32_t i = 0; i < n; ++i)
      x[i] = static_cast<int16_t>(std::min<int64_t>(30000, std::max<int64_t>(-30000, (static_cast<int64_t>(m) * x[i]) >> 8)));
  }
};

// ---------------------------------------------------------------- one phone, step by step

// The per-phone work written out plainly over the engine's checked kernels and
// unit decoder: join smoothing, targets, class mapping, spectrum averaging,
// excitation, 1/A(z), gain and scale ramp, carry-over.
class RefPhoneRenderer {
 public:
  RefPhoneRenderer(PhraseVoice* voice, const uint8_t* phones, const uint8_t* durations, const int32_t* pitch)
      : voice_(voice), phones_(phones), durations_(durations), pitch_(pitch) {
    readCodecHeader(voice, &codec_);
    k_ = codec_.order;
    lengths_.assign(kMaxSourcePeriods, 0);
    gains_.assign(kMaxSourcePeriods, 0);
    lsf_.assign(static_cast<size_t>(kMaxSourcePeriods) * k_, 0);
    excitation_.assign(static_cast<size_t>(voice->voiceRate), 0);
    reset();
  }

  void reset() {
    filterClear(&synthesis_, k_);
    postFir_ = RefFir(k_);
    postPole_ = RefPole(k_);
    postTilt_ = RefFir(1);
    pulse_.index = voice_->voiceRate >= 16000 && voice_->f0Mean < 150 ? 0 : -1;
    pulse_.filter = codec_.pulseFilter != 0;
    pulse_.pulseFir = RefFir(2);
    pulse_.noiseFir = RefFir(2);
    prevScale_ = prevLevel_ = 0;
    join_ = joinSample_ = 0;
  }

  std::vector<int16_t> phone(int32_t s, bool usePostFilter) {
    const int32_t a = phones_[s], b = phones_[s + 1];
    UnitOutput out{lengths_.data() + join_, gains_.data() + join_, lsf_.data() + join_ * k_,
                   excitation_.data() + joinSample_, kMaxSourcePeriods - join_,
                   static_cast<int32_t>(excitation_.size()) - joinSample_};
    int32_t n = 0, m = 0;
    int32_t samples = decodeUnit(voice_, &codec_, a, b, &out, &n, &m);
    if (samples < 1) samples = n = m = 0;
    int32_t firstSamples = 0;
    for (int32_t p = 0; p < m; ++p) firstSamples += lengths_[join_ + p];
    const int32_t periods = join_ + m;
    const int32_t valid = join_ + n;
    std::vector<int32_t> offsets(valid + 1, 0);
    for (int32_t p = 0; p < valid; ++p) offsets[p + 1] = offsets[p] + lengths_[p];
    const std::string ctype = voice_->phoneCtype(a);

    if (ctype != "r" && join_ > 0 && n > 0) {
      const int32_t j = join_;
      int16_t* before = excitation_.data() + offsets[j - 1];
      int16_t* at = excitation_.data() + offsets[j];
      const std::vector<int16_t> x(at, at + lengths_[j]);
      const std::vector<int16_t> prior(before, before + lengths_[j - 1]);
      if (periods > j) {
        const std::vector<int16_t> other = refChangeLength(prior, lengths_[j]);
        for (int32_t i = 0; i < lengths_[j]; ++i) at[i] = static_cast<int16_t>((at[i] + other[i]) / 2);
      }
      const std::vector<int16_t> other = refChangeLength(x, lengths_[j - 1]);
      for (int32_t i = 0; i < lengths_[j - 1]; ++i) before[i] = static_cast<int16_t>((before[i] + other[i]) / 2);
      auto g = [](int32_t q) { return q < 2 ? 1 : std::min(q / 2, 4); };
      auto ramp = [&](int16_t* v, int32_t stride) {
        const int32_t left = v[(j - 1) * stride], right = v[j * stride];
        const int32_t mid = (left + right) >> 1;
        const int32_t nb = g(j), na = g(periods - j);
        const int32_t stepBefore = ((mid - left) * 256) / nb;
        for (int32_t q = 1; q <= nb; ++q) {
          int16_t& e = v[(j - nb + q) * stride];
          e = static_cast<int16_t>(e + ((q * stepBefore + 128) >> 8));
        }
        const int32_t stepAfter = ((mid - right) * 256) / (na + 1);
        for (int32_t q = 1; q <= na + 1; ++q) {
          const int32_t p = j + na + 1 - q;
          if (p >= valid) continue;
          int16_t& e = v[p * stride];
          e = static_cast<int16_t>(e + ((q * stepAfter + 128) >> 8));
        }
      };
      for (int32_t i = 0; i < k_; ++i) ramp(lsf_.data() + i, k_);
      ramp(gains_.data(), 1);
    }

    const int32_t sonorant = voice_->phoneIsSonorant(a);
    const int32_t d = (durations_[s] * voice_->voiceRate) >> 10;
    std::vector<int32_t> targets;
    for (int32_t t = 0; t < d;) {
      int32_t p = voice_->voiceRate / 100;
      if (sonorant) {
        const int32_t x = (4 * t * 256) / d;
        const int32_t i = x >> 8, f = x & 255;
        p = i + 1 < 4 ? ((256 - f) * pitch_[4 * s + i] + f * pitch_[4 * s + i + 1]) >> 8 : pitch_[4 * s + 3];
      }
      targets.push_back(p);
      t += p;
    }

    std::vector<int16_t> result;
    if (periods <= 1 || targets.empty()) {
      if (a == 0)
        for (int32_t t : targets) result.insert(result.end(), static_cast<size_t>(t), 0);
    } else {
      const std::vector<int32_t> map = refMap(ctype.c_str(), join_, periods, lengths_.data(), &targets);
      for (size_t k = 0; k < map.size(); ++k) {
        const int32_t length = targets[k], q = map[k];
        if (a == 0) {
          result.insert(result.end(), static_cast<size_t>(length), 0);
          continue;
        }
        std::vector<int16_t> lsf(lsf_.begin() + q * k_, lsf_.begin() + (q + 1) * k_);
        int32_t gain = gains_[q];
        if (prevVoiced_ && sonorant) {
          for (int32_t i = 0; i < k_; ++i) lsf[i] = static_cast<int16_t>((lsf[i] + prevLsf_[i]) >> 1);
          gain = (gain + prevLevel_) / 2;
        }
        stabiliseLsf(lsf.data(), k_, 2);
        std::vector<int32_t> cos(k_);
        for (int32_t i = 0; i < k_; ++i) {
          prevLsf_[i] = lsf[i];
          cos[i] = cosineQ16(lsf[i]);
        }
        std::vector<int32_t> pred(k_ + 1);
        lsfToPredictor(cos.data(), k_, pred.data());
        std::vector<int16_t> period;
        if (sonorant) {
          period.assign(static_cast<size_t>(length), 0);
          pulse_.run(length, period.data());
          if (usePostFilter) postFilterRef(pred, period.data(), length);
        } else {
          std::vector<int16_t> buf(2 * kMaxPeriodSamples + 8), scratch(2 * kMaxPeriodSamples);
          const int32_t produced =
              stretchResidual(excitation_.data() + offsets[q], lengths_[q], length, buf.data(), scratch.data());
          period.assign(buf.begin(), buf.begin() + produced);
          if (q == 0 && prevVoiced_) filterClear(&synthesis_, k_);
        }
        const int32_t sum = allPoleFilter(pred.data(), 12, &synthesis_, period.data(), static_cast<int32_t>(period.size()));
        int32_t c = sum <= 0 ? 512 : (length * std::max(gain, 1) * 256) / sum;
        c = std::min(c, prevVoiced_ != sonorant ? 256 : 512);
        prevLevel_ = static_cast<int32_t>(static_cast<int64_t>(sum) * c / length) >> 8;
        if (sonorant) {
          for (int32_t j = 0; j < length; ++j) {
            const int64_t y = period[j];
            const int64_t v = j < 16 ? (((j + 1) * c + (15 - j) * prevScale_) * y) >> 12 : (c * y) >> 8;
            period[j] = static_cast<int16_t>(std::min<int64_t>(32767, std::max<int64_t>(-32768, v)));
          }
        }
        prevScale_ = c;
        prevVoiced_ = sonorant;
        result.insert(result.end(), period.begin(), period.end());
      }
    }

    const int32_t carried = n - m;
    for (int32_t p = 0; p < carried; ++p) {
      lengths_[p] = lengths_[periods + p];
      gains_[p] = gains_[periods + p];
      for (int32_t i = 0; i < k_; ++i) lsf_[p * k_ + i] = lsf_[(periods + p) * k_ + i];
    }
    const int32_t carriedSamples = samples - firstSamples;
    for (int32_t i = 0; i < carriedSamples; ++i) excitation_[i] = excitation_[joinSample_ + firstSamples + i];
    join_ = carried;
    joinSample_ = std::max(carriedSamples, 0);
    return result;
  }

 private:
  void postFilterRef(const std::vector<int32_t>& pred, int16_t* x, int32_t count) {
    std::vector<int32_t> fir(k_ + 1), pole(k_ + 1);
    fir[0] = pole[0] = 4096;
    for (int32_t i = 1; i <= k_; ++i) {
      fir[i] = static_cast<int32_t>(floorDiv(pred[i] * static_cast<int64_t>(std::pow(0.6, i) * 65536.0), 65536));
      pole[i] = static_cast<int32_t>(floorDiv(pred[i] * static_cast<int64_t>(std::pow(0.8, i) * 65536.0), 65536));
    }
    const int32_t k1 = refReflection(pred)[0];
    postFir_.run(fir, 12, x, count);
    postPole_.run(pole, 12, x, count);
    postTilt_.run({4096, k1 > 0 ? -(k1 >> 1) : 0}, 12, x, count);
  }

  PhraseVoice* voice_;
  const uint8_t* phones_;
  const uint8_t* durations_;
  const int32_t* pitch_;
  CodecInfo codec_{};
  int32_t k_ = 0;
  std::vector<int32_t> lengths_;
  std::vector<int16_t> gains_, lsf_, excitation_;
  int32_t join_ = 0, joinSample_ = 0;
  int32_t prevLsf_[kMaxOrder] = {};
  int32_t prevVoiced_ = 0, prevScale_ = 0, prevLevel_ = 0;
  FilterMemory synthesis_{};
  RefFir postFir_{0}, postTilt_{1};
  RefPole postPole_{0};
  RefPulseGenerator pulse_{-1, false};
};

struct PhraseSpec {
  std::vector<uint8_t> phones, durations;
  std::vector<int32_t> pitch;
  void add(uint8_t phone, uint8_t duration, std::vector<int32_t> p) {
    phones.push_back(phone);
    durations.push_back(duration);
    pitch.insert(pitch.end(), p.begin(), p.end());
  }
};

void comparePhrase(const std::vector<uint8_t>& block, const PhraseSpec& phrase, bool usePostFilter) {
  synth_test::VoicePtr voice = synth_test::bindTestVoice(block);
  ASSERT_TRUE(voice);
  int32_t size = 0;
  const int32_t count = static_cast<int32_t>(phrase.phones.size());
  PhraseSynth* synth = synthInit(voice.get(), phrase.phones.data(), phrase.phones.data(), phrase.durations.data(),
                                 phrase.pitch.data(), count, &size);
  ASSERT_TRUE(synth);
  RefPhoneRenderer ref(voice.get(), phrase.phones.data(), phrase.durations.data(), phrase.pitch.data());
  std::vector<int16_t> out(static_cast<size_t>(size));
  for (int32_t s = 0; s + 1 < count; ++s) {
    synth->segment = s;
    const int32_t n = renderPhone(synth, out.data(), size, usePostFilter ? 1 : 0);
    const std::vector<int16_t> want = ref.phone(s, usePostFilter);
    EXPECT_EQ(std::vector<int16_t>(out.begin(), out.begin() + n), want) << "segment " << s << " phone "
                                                                         << int(phrase.phones[s]);
    if (phrase.phones[s + 1] == 0) {
      synthReset(synth);
      ref.reset();
    }
  }
  synthRelease(synth);
}

TEST(ReviewPhone, EveryClassAgainstTheStepByStepReference) {
  using namespace synth_test;
  PhraseSpec phrase;
  phrase.add(kSil, 40, {100, 100, 100, 100});
  phrase.add(kA, 90, {90, 100, 120, 110});
  phrase.add(kL, 60, {110, 105, 100, 95});
  phrase.add(kA, 70, {95, 95, 130, 140});
  phrase.add(kN, 130, {140, 120, 110, 100});
  phrase.add(kA, 50, {100, 100, 100, 100});
  phrase.add(kR, 40, {100, 100, 100, 100});
  phrase.add(kA, 80, {120, 100, 80, 75});
  phrase.add(kT, 30, {80, 80, 80, 80});
  phrase.add(kA, 60, {80, 85, 90, 95});
  phrase.add(kS, 120, {90, 90, 90, 90});
  phrase.add(kA, 100, {90, 100, 110, 120});
  phrase.add(kTS, 50, {120, 120, 120, 120});
  phrase.add(kA, 60, {120, 110, 100, 90});
  phrase.add(kSil, 30, {100, 100, 100, 100});
  phrase.add(kT, 20, {100, 100, 100, 100});
  phrase.add(kA, 70, {100, 100, 100, 100});
  phrase.add(kSil, 40, {100, 100, 100, 100});
  // Pulse shapes (16 kHz, low F0), with and without the post-filter.
  comparePhrase(buildBlock(allPairUnits()), phrase, true);
  comparePhrase(buildBlock(allPairUnits(90, 3)), phrase, false);
  // The impulse shape (higher F0), uneven unit halves and residual in every period.
  comparePhrase(buildBlock(allPairUnits(120, 5), 16000, 200, 0), phrase, true);
}

// Whole calls of synthGenerate: held-back samples, de-emphasis and DC removal
// over the phone's new samples, 128-sample level blocks (the partial block
// flushed at the end of the speech or before a silence), fades and resets.
TEST(ReviewPhone, GenerateCallsAgainstTheReference) {
  using namespace synth_test;
  PhraseSpec phrase;
  phrase.add(kSil, 30, {100, 100, 100, 100});
  phrase.add(kA, 77, {90, 100, 120, 110});
  phrase.add(kS, 61, {110, 105, 100, 95});
  phrase.add(kA, 45, {95, 95, 130, 140});
  phrase.add(kSil, 25, {100, 100, 100, 100});
  phrase.add(kN, 33, {140, 120, 110, 100});
  phrase.add(kA, 52, {100, 100, 100, 100});
  phrase.add(kT, 40, {100, 100, 100, 100});
  phrase.add(kA, 39, {120, 100, 80, 75});
  const std::vector<uint8_t> block = buildBlock(allPairUnits(97, 4));
  VoicePtr voice = bindTestVoice(block);
  ASSERT_TRUE(voice);
  const int32_t count = static_cast<int32_t>(phrase.phones.size());
  int32_t size = 0;
  PhraseSynth* synth = synthInit(voice.get(), phrase.phones.data(), phrase.phones.data(), phrase.durations.data(),
                                 phrase.pitch.data(), count, &size);
  ASSERT_TRUE(synth);
  RefPhoneRenderer render(voice.get(), phrase.phones.data(), phrase.durations.data(), phrase.pitch.data());
  const int32_t deemphasis = synth->codec.deemphasis_Q8;
  RefLevel level;
  level.floor = synth->codec.levelFloor;
  std::vector<int16_t> held;
  int64_t y = 0, v = 0, x1 = 0;
  const SynthControl control = {3, 0, 1, 1, 1, 0, 1};
  std::vector<int16_t> out(static_cast<size_t>(size));
  for (int32_t s = 0; s + 1 < count; ++s) {
    std::vector<int16_t> want = held;
    held.clear();
    std::vector<int16_t> fresh = render.phone(s, true);
    if (phrase.phones[s] != 0) {
      for (auto& x : fresh) {
        y = std::min<int64_t>(32767, std::max<int64_t>(-32768, x + floorDiv(deemphasis * y, 256)));
        v = (243 * v + 256 * y - 256 * x1) / 256;  // truncating: no DC of its own
        x1 = y;
        x = static_cast<int16_t>(std::min<int64_t>(32767, std::max<int64_t>(-32768, v)));
      }
    }
    want.insert(want.end(), fresh.begin(), fresh.end());
    const bool beforeSilence = phrase.phones[s + 1] == 0;
    const int32_t total = static_cast<int32_t>(want.size());
    int32_t done = 0;
    for (; done + 128 <= total; done += 128) level.block(want.data() + done, 128);
    if (done < total && (beforeSilence || s + 2 >= count)) {
      level.block(want.data() + done, total - done);
    } else if (done < total) {
      held.assign(want.begin() + done, want.end());
      want.resize(static_cast<size_t>(done));
    }
    const int32_t result = static_cast<int32_t>(want.size());
    const int32_t j = std::min(result, 256);
    int32_t k = 1;
    while ((j >> k) > 1) ++k;
    const int32_t n = 1 << k;
    if (s > 0 && phrase.phones[s - 1] == 0 && j >= 2)
      for (int32_t i = 0; i < n; ++i) want[i] = static_cast<int16_t>((i * want[i]) >> k);
    if (beforeSilence && j >= 2)
      for (int32_t i = 0; i < n; ++i)
        want[result - n + i] = static_cast<int16_t>(((n - 1 - i) * want[result - n + i]) >> k);
    if (beforeSilence) {
      render.reset();
      level = RefLevel();
      level.floor = synth->codec.levelFloor;
      y = v = x1 = 0;
    }
    const int32_t got = synthGenerate(synth, out.data(), &control);
    ASSERT_EQ(got, result) << "segment " << s;
    ASSERT_EQ(std::vector<int16_t>(out.begin(), out.begin() + got), want) << "segment " << s;
  }
  EXPECT_EQ(synthGenerate(synth, out.data(), &control), -1);
  synthRelease(synth);
}

// ---------------------------------------------------------------- sample output

TEST(ReviewOutput, DeemphasisAndDcBlockerCarryAcrossCalls) {
  Rng rng{43};
  SynthBlock s = blankSynth(10);
  SynthBlock fused = blankSynth(10);  // the one-pass form, same numbers
  s->codec.deemphasis_Q8 = 230;
  fused->codec.deemphasis_Q8 = 230;
  int64_t y = 0, v = 0, x1 = 0;
  for (int call = 0; call < 30; ++call) {
    const int32_t n = rng.range(0, 400);
    std::vector<int16_t> x(n);
    for (auto& e : x) e = static_cast<int16_t>(rng.range(-6000, 6000));
    std::vector<int16_t> want(n);
    for (int32_t i = 0; i < n; ++i) {
      y = std::min<int64_t>(32767, std::max<int64_t>(-32768, x[i] + floorDiv(230 * y, 256)));
      v = (243 * v + 256 * y - 256 * x1) / 256;  // truncating: no DC of its own
      x1 = y;
      want[i] = static_cast<int16_t>(std::min<int64_t>(32767, std::max<int64_t>(-32768, v)));
    }
    std::vector<int16_t> once = x;
    deemphasise(s.get(), x.data(), n);
    removeDc(s.get(), x.data(), n);
    ASSERT_EQ(x, want) << "call " << call;
    deemphasiseAndRemoveDc(fused.get(), once.data(), n);
    ASSERT_EQ(once, want) << "call " << call;
  }
}

TEST(ReviewOutput, DcBlockerSettlesToZeroAfterAStep) {
  // A shifted division kept the output at -19 after a step up and back down.
  SynthBlock s = blankSynth(10);
  std::vector<int16_t> x(4000, 0);
  std::fill(x.begin() + 100, x.begin() + 600, 20000);
  removeDc(s.get(), x.data(), static_cast<int32_t>(x.size()));
  EXPECT_EQ(x.back(), 0);
  int64_t sum = 0;
  for (size_t i = 3000; i < x.size(); ++i) sum += x[i];
  EXPECT_EQ(sum, 0);
}

TEST(ReviewOutput, LevelControlBlocks) {
  Rng rng{47};
  for (int16_t floor : {0, 500, 4000}) {
    LevelControl lc{};
    lc.floor = floor;
    RefLevel ref;
    ref.floor = floor;
    for (int b = 0; b < 300; ++b) {
      const int32_t amp = (b / 20) % 3 == 0 ? rng.range(0, 300) : rng.range(1000, 32000);
      const int32_t n = b % 7 == 6 ? rng.range(1, 127) : 128;
      std::vector<int16_t> x(n);
      for (auto& v : x) v = static_cast<int16_t>(rng.range(-amp, amp));
      std::vector<int16_t> want = x;
      levelControlBlock(&lc, x.data(), n);
      ref.block(want.data(), n);
      ASSERT_EQ(x, want) << "floor " << floor << " block " << b;
      ASSERT_EQ(lc.level, ref.level);
    }
  }
}

TEST(ReviewOutput, FadesForEveryLength) {
  for (int32_t count = 0; count <= 600; ++count) {
    const int32_t j = std::min(count, 256);
    int32_t k = 1;
    while ((j >> k) > 1) ++k;
    const int32_t n = 1 << k;
    std::vector<int16_t> x(count);
    for (int32_t i = 0; i < count; ++i) x[i] = static_cast<int16_t>((i * 7919) % 20001 - 10000);
    std::vector<int16_t> in = x, out = x, wantIn = x, wantOut = x;
    if (j >= 2) {
      for (int32_t i = 0; i < n; ++i) wantIn[i] = static_cast<int16_t>((i * x[i]) >> k);
      for (int32_t i = 0; i < n; ++i) wantOut[count - n + i] = static_cast<int16_t>(((n - 1 - i) * x[count - n + i]) >> k);
    }
    fadeIn(in.data(), count);
    fadeOut(out.data(), count);
    ASSERT_EQ(in, wantIn) << count;
    ASSERT_EQ(out, wantOut) << count;
  }
}

}  // namespace

namespace {

// Regression (fuzzing): a predictor coefficient of INT32_MIN, or a step that
// clamps to it, must not be negated.
TEST(StepDownRegression, ExtremeCoefficientsAreNeverNegatedPastRange) {
  int32_t a_Q12[17] = {4096};
  for (int32_t i = 1; i <= 16; ++i) a_Q12[i] = (i % 2) ? INT32_MIN : INT32_MAX;
  int32_t refl_Q12[16] = {};
  tts::reflectionCoefficients(a_Q12, 16, refl_Q12);
  for (int32_t k : refl_Q12) EXPECT_NE(k, INT32_MIN);
}

}  // namespace
