// The static shared values: ints -2..512, number strings "-2".."512" and the
// default answer "0" of a path that finds nothing. All are constant data
// built at compile time; nothing here is initialised at run time.
#include "model/value.h"

namespace tts {

namespace {

constexpr int32_t kSharedCount = kSharedMax - kSharedMin + 1;
constexpr int32_t kNumberTextBytes = 4;  // "-2", "512" and their NUL

struct NumberTexts {
  char text[kSharedCount][kNumberTextBytes];
};

constexpr NumberTexts buildNumberTexts() {
  NumberTexts t{};
  for (int32_t k = 0; k < kSharedCount; ++k) {
    const int32_t n = k + kSharedMin;
    char* out = t.text[k];
    int32_t magnitude = n < 0 ? -n : n;
    char digits[kNumberTextBytes] = {};
    int32_t count = 0;
    do {
      digits[count++] = static_cast<char>('0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude > 0);
    int32_t at = 0;
    if (n < 0) out[at++] = '-';
    while (count > 0) out[at++] = digits[--count];
    out[at] = 0;
  }
  return t;
}

constexpr NumberTexts kNumberTexts = buildNumberTexts();

struct SharedTable {
  Val values[kSharedCount];
};

constexpr SharedTable buildInts() {
  SharedTable t{};
  for (int32_t k = 0; k < kSharedCount; ++k) t.values[k] = staticInt(k + kSharedMin);
  return t;
}

constexpr SharedTable buildNumbers() {
  SharedTable t{};
  for (int32_t k = 0; k < kSharedCount; ++k) t.values[k] = staticString(kNumberTexts.text[k]);
  return t;
}

constexpr SharedTable kSharedInts = buildInts();
constexpr SharedTable kSharedNumbers = buildNumbers();
constexpr Val kDefaultZero = staticString("0");

// Below the table the entry for -1 is used, above it the entry for 512.
constexpr int32_t sharedIndex(int32_t n) {
  if (n < kSharedMin) return -1 - kSharedMin;
  if (n > kSharedMax) return kSharedMax - kSharedMin;
  return n - kSharedMin;
}

}  // namespace

const Val* sharedInt(int32_t n) { return &kSharedInts.values[sharedIndex(n)]; }
const Val* sharedNumber(int32_t n) { return &kSharedNumbers.values[sharedIndex(n)]; }
const Val* defaultZero() { return &kDefaultZero; }

}  // namespace tts
