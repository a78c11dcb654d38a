// String and byte utilities. Written as plain loops (no C library string
// calls) so that null handling and the signed-byte ordering used by every
// sorted name table of the engine are fixed here.
#include "model/strings.h"

#include <cstdlib>

namespace tts {

namespace {

// A byte read as a signed value (0x80..0xFF are negative), whatever the
// platform's `char` signedness.
inline int32_t signedByte(char c) {
  return static_cast<int32_t>(static_cast<int8_t>(static_cast<uint8_t>(c)));
}

template <typename Unit>
int32_t lengthOf(const Unit* s) {
  if (s == nullptr) return 0;
  int32_t n = 0;
  while (s[n] != 0) ++n;
  return n;
}

template <typename Unit>
void copyWithNul(Unit* dst, const Unit* src) {
  int32_t i = 0;
  for (;;) {
    dst[i] = src[i];
    if (src[i] == 0) return;
    ++i;
  }
}

template <typename Unit>
const Unit* findSub(const Unit* haystack, const Unit* needle) {
  if (haystack == nullptr || needle == nullptr) return nullptr;
  const int32_t hayLength = lengthOf(haystack);
  const int32_t needleLength = lengthOf(needle);
  for (int32_t p = 0; p <= hayLength - needleLength; ++p) {
    int32_t k = 0;
    while (k < needleLength && haystack[p + k] == needle[k]) ++k;
    if (k == needleLength) return haystack + p;
  }
  return nullptr;
}

template <typename Unit>
Unit* duplicate(const Unit* s) {
  if (s == nullptr) return nullptr;
  const int32_t n = lengthOf(s);
  Unit* copy = static_cast<Unit*>(std::malloc((static_cast<size_t>(n) + 1) * sizeof(Unit)));
  if (copy == nullptr) return nullptr;
  for (int32_t i = 0; i <= n; ++i) copy[i] = s[i];
  return copy;
}

// Units are compared as `Key` values (signed bytes or unsigned 16-bit units).
template <typename Unit, typename KeyOf>
int32_t compare(const Unit* a, const Unit* b, KeyOf key) {
  if (a == nullptr && b == nullptr) return 0;
  if (a == nullptr) return -1;
  if (b == nullptr) return 1;
  for (int32_t i = 0;; ++i) {
    const int32_t ka = key(a[i]);
    const int32_t kb = key(b[i]);
    if (ka > kb) return i + 1;
    if (ka < kb) return -(i + 1);
    if (a[i] == 0) return 0;  // both NUL
  }
}

template <typename Unit, typename IsDelimiter>
Unit* nextToken(Unit* buffer, int32_t* position, IsDelimiter isDelimiter) {
  if (*position < 0) return nullptr;
  Unit* s = buffer + *position;
  const int32_t remaining = lengthOf(s);
  int32_t skipped = 0;
  while (skipped < remaining && isDelimiter(s[skipped])) ++skipped;
  *position += skipped;
  s += skipped;
  if (skipped == remaining) return nullptr;
  int32_t length = 0;
  while (s[length] != 0 && !isDelimiter(s[length])) ++length;
  *position += length;
  const bool overDelimiter = s[length] != 0;
  s[length] = 0;
  if (overDelimiter) *position += 1;
  return s;
}

}  // namespace

int32_t strLength(const char* s) { return lengthOf(s); }
int32_t wstrLength(const char16_t* s) { return lengthOf(s); }

void strCopy(char* dst, const char* src) {
  if (dst == nullptr) return;
  dst[0] = 0;
  if (src != nullptr) copyWithNul(dst, src);
}

void wstrCopy(char16_t* dst, const char16_t* src) {
  if (dst == nullptr) return;
  dst[0] = 0;
  if (src != nullptr) copyWithNul(dst, src);
}

void wstrCopyN(char16_t* dst, const char16_t* src, int32_t n) {
  if (dst == nullptr) return;
  dst[0] = 0;
  if (src == nullptr) return;
  for (int32_t i = 0; i < n; ++i) {
    dst[i] = src[i];
    if (src[i] == 0) return;
  }
}

void strAppend(char* dst, const char* src) {
  if (dst == nullptr || src == nullptr) return;
  copyWithNul(dst + lengthOf(dst), src);
}

void wstrAppend(char16_t* dst, const char16_t* src) {
  if (dst == nullptr || src == nullptr) return;
  copyWithNul(dst + lengthOf(dst), src);
}

const char* strFindChar(const char* s, int32_t c) {
  if (s == nullptr) return nullptr;
  const int32_t key = static_cast<int32_t>(static_cast<int8_t>(static_cast<uint8_t>(c & 0xFF)));
  for (; *s != 0; ++s) {
    if (signedByte(*s) == key) return s;
  }
  return nullptr;
}

const char16_t* wstrFindChar(const char16_t* s, char16_t c) {
  if (s == nullptr) return nullptr;
  for (; *s != 0; ++s) {
    if (*s == c) return s;
  }
  return nullptr;
}

const char* strFind(const char* haystack, const char* needle) { return findSub(haystack, needle); }
const char16_t* wstrFind(const char16_t* haystack, const char16_t* needle) { return findSub(haystack, needle); }

char* strDuplicate(const char* s) { return duplicate(s); }
char16_t* wstrDuplicate(const char16_t* s) { return duplicate(s); }

int32_t strCompare(const char* a, const char* b) { return compare(a, b, signedByte); }

int32_t wstrCompare(const char16_t* a, const char16_t* b) {
  return compare(a, b, [](char16_t u) { return static_cast<int32_t>(u); });
}

char* strNextToken(char* buffer, int32_t* position, const char* delimiters) {
  if (buffer == nullptr || position == nullptr || delimiters == nullptr) return nullptr;
  return nextToken(buffer, position,
                   [delimiters](char c) { return strFindChar(delimiters, static_cast<uint8_t>(c)) != nullptr; });
}

char16_t* wstrNextToken(char16_t* buffer, int32_t* position, const char16_t* delimiters) {
  if (buffer == nullptr || position == nullptr || delimiters == nullptr) return nullptr;
  return nextToken(buffer, position, [delimiters](char16_t c) { return wstrFindChar(delimiters, c) != nullptr; });
}

char16_t* wstrLowerAscii(char16_t* s) {
  if (s == nullptr) return nullptr;
  for (char16_t* u = s; *u != 0; ++u) {
    if (*u >= u'A' && *u <= u'Z') *u = static_cast<char16_t>(*u + (u'a' - u'A'));
  }
  return s;
}

int32_t strToInt(const char* s) {
  if (s == nullptr) return 0;
  bool negative = false;
  if (*s == '-') {
    negative = true;
    ++s;
  }
  // 32-bit wrap-around on overflow, computed unsigned to stay defined.
  uint32_t value = 0;
  for (; *s != 0; ++s) {
    if (*s < '0' || *s > '9') return 0;
    value = value * 10u + static_cast<uint32_t>(*s - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

void memFill(void* buffer, uint8_t byte, int32_t length) {
  if (buffer == nullptr || length <= 0) return;
  uint8_t* b = static_cast<uint8_t*>(buffer);
  for (int32_t i = 0; i < length; ++i) b[i] = byte;
}

void memCopy(void* dst, const void* src, int32_t length) {
  if (dst == nullptr || src == nullptr || length <= 0) return;
  uint8_t* d = static_cast<uint8_t*>(dst);
  const uintptr_t from = reinterpret_cast<uintptr_t>(src);
  const uintptr_t to = reinterpret_cast<uintptr_t>(dst);
  if (to > from && to - from < static_cast<uintptr_t>(length)) {
    // Destination overlaps the source from above: a forward byte copy repeats
    // the leading bytes. Volatile reads keep the compiler from turning this
    // into memmove, which would give a different result.
    const volatile uint8_t* s = static_cast<const uint8_t*>(src);
    for (int32_t i = 0; i < length; ++i) d[i] = s[i];
    return;
  }
  const uint8_t* s = static_cast<const uint8_t*>(src);
  for (int32_t i = 0; i < length; ++i) d[i] = s[i];
}

}  // namespace tts
