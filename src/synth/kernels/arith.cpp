#include "synth/kernels/arith.h"

#include "synth/kernels/fixed_point.h"
#include "synth/kernels/vector_clones.h"

#include <cstring>

namespace tts {

namespace {
struct ReciprocalTable {
  uint16_t v[512];
  constexpr ReciprocalTable() : v() {
    v[0] = 0;
    v[1] = 65535;
    for (int n = 2; n < 512; ++n) v[n] = static_cast<uint16_t>(65536 / n);
  }
};
constexpr ReciprocalTable kTable;
}  // namespace

const uint16_t kReciprocalTable[512] = {
#define R8(n) kTable.v[n], kTable.v[n + 1], kTable.v[n + 2], kTable.v[n + 3], kTable.v[n + 4], kTable.v[n + 5], \
              kTable.v[n + 6], kTable.v[n + 7]
#define R64(n) R8(n), R8(n + 8), R8(n + 16), R8(n + 24), R8(n + 32), R8(n + 40), R8(n + 48), R8(n + 56)
    R64(0), R64(64), R64(128), R64(192), R64(256), R64(320), R64(384), R64(448),
#undef R64
#undef R8
};

int32_t isqrt32(int32_t a) {
  if (a <= 0) return 0;
  uint32_t rem = static_cast<uint32_t>(a);
  uint32_t root = 0;
  uint32_t bit = 1u << 30;
  while (bit > rem) bit >>= 2;
  while (bit != 0) {
    if (rem >= root + bit) {
      rem -= root + bit;
      root = (root >> 1) + bit;
    } else {
      root >>= 1;
    }
    bit >>= 2;
  }
  if (rem > root) root += 1;
  return static_cast<int32_t>(root);
}

int32_t divApprox(int32_t a, int32_t b) {
  uint32_t m = b < 0 ? 0u - static_cast<uint32_t>(b) : static_cast<uint32_t>(b);
  if (a < 0) a = add32(a, static_cast<int32_t>(m - 1));
  int32_t q;
  if (m <= 1) {
    q = a;
  } else if (m == 2) {
    q = a >> 1;
  } else {
    int32_t shift = 0;
    while (m >= 512) {
      m >>= 4;
      shift += 4;
    }
    const uint32_t r = kReciprocalTable[m];
    const int32_t low = static_cast<int32_t>((r * (static_cast<uint32_t>(a) & 0xffffu)) >> 16);
    q = (low + static_cast<int32_t>(r) * (a >> 16)) >> shift;
  }
  return b < 0 ? sub32(0, q) : q;
}

static inline uint32_t noiseStep(uint32_t state) {
  const uint32_t s = state & 0x7fffffffu;
  uint32_t lo = 16807u * (s & 0xffffu);
  const uint32_t hi = 16807u * (s >> 16);
  lo += (hi & 0x7fffu) << 16;
  lo += hi >> 15;
  if (lo > 0x7fffffffu) lo -= 0x7fffffffu;  // end-around carry
  return lo;
}

int32_t noiseNext(int32_t* state) {
  if (!state) return 0;
  const uint32_t lo = noiseStep(static_cast<uint32_t>(*state));
  *state = static_cast<int32_t>(lo);
  return static_cast<int32_t>(lo >> 16);
}

// The generator is s -> 16807 s mod p (p = 2^31 - 1), so eight steps are one
// multiplication by 16807^8 mod p: eight interleaved lanes advance together,
// each exact modulo p, giving the very states of the one-step recurrence.
constexpr uint32_t kLehmerModulus = 0x7fffffffu;

constexpr uint32_t lehmerPower(int32_t steps) {
  uint64_t a = 1;
  for (int32_t i = 0; i < steps; ++i) a = a * 16807u % kLehmerModulus;
  return static_cast<uint32_t>(a);
}
constexpr uint32_t kLehmerStep8 = lehmerPower(8);

// Four lanes of states below 2^31, one per 64-bit element, so that the
// product below is a 32 x 32 -> 64-bit multiply the vector units have.
typedef uint64_t NoiseLanes __attribute__((vector_size(32)));
typedef int64_t NoiseValues __attribute__((vector_size(32)));
typedef int16_t NoiseSamples __attribute__((vector_size(8)));

// x = x * a mod p for each lane (x < p, a < p): the product is below 2^62,
// and folding 2^31 = 1 (mod p) twice brings it below 2p. (Lanes go by
// reference: the baseline copy has no 32-byte vector registers to pass them.)
static inline void mulModLehmer(NoiseLanes& x, uint32_t a) {
  const NoiseLanes product = x * static_cast<uint64_t>(a);
  NoiseLanes r = (product & kLehmerModulus) + (product >> 31);
  r = (r & kLehmerModulus) + (r >> 31);
  x = r - ((r >= kLehmerModulus) & kLehmerModulus);
}

static inline int16_t centredNoise(uint32_t s) {
  return static_cast<int16_t>((static_cast<int32_t>(s >> 16) - 16384) >> 7);
}

// centredNoise of four lanes, stored at out[0..3].
static inline void storeCentred(const NoiseLanes& s, int16_t* out) {
  const NoiseValues centred = ((reinterpret_cast<const NoiseValues&>(s) >> 16) - 16384) >> 7;
  const NoiseSamples samples = __builtin_convertvector(centred, NoiseSamples);
  std::memcpy(out, &samples, sizeof samples);
}

VOXA_VECTOR_CLONES
void noiseFill(int32_t* state, int16_t* out, int32_t count) {
  if (!state || !out) return;
  uint32_t s = static_cast<uint32_t>(*state);
  int32_t i = 0;
  if (count >= 16) {
    uint32_t first[8];
    for (; i < 8; ++i) {
      s = noiseStep(s);
      first[i] = s;
      out[i] = centredNoise(s);
    }
    NoiseLanes low = {first[0], first[1], first[2], first[3]};
    NoiseLanes high = {first[4], first[5], first[6], first[7]};
    for (; i + 8 <= count; i += 8) {
      mulModLehmer(low, kLehmerStep8);
      mulModLehmer(high, kLehmerStep8);
      storeCentred(low, out + i);
      storeCentred(high, out + i + 4);
    }
    s = static_cast<uint32_t>(high[3]);
  }
  for (; i < count; ++i) {
    s = noiseStep(s);
    out[i] = centredNoise(s);
  }
  *state = static_cast<int32_t>(s);
}

}  // namespace tts
