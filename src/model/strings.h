// The engine's own string and byte utilities for NUL-terminated 8-bit strings
// (feature, relation and phone names; pronunciations) and NUL-terminated UTF-16
// strings (host text, tokens, words). Null pointers are accepted everywhere and
// answered with null, 0 or nothing. No operation checks a destination's size.
#pragma once
#include <cstdint>

namespace tts {

int32_t strLength(const char* s);
int32_t wstrLength(const char16_t* s);
void strCopy(char* dst, const char* src);
void wstrCopy(char16_t* dst, const char16_t* src);
void wstrCopyN(char16_t* dst, const char16_t* src, int32_t n);
void strAppend(char* dst, const char* src);
void wstrAppend(char16_t* dst, const char16_t* src);
// First unit equal to `c` before the NUL; searching for NUL yields null. The
// 8-bit form compares the low byte of `c` as a signed byte.
const char* strFindChar(const char* s, int32_t c);
const char16_t* wstrFindChar(const char16_t* s, char16_t c);
const char* strFind(const char* haystack, const char* needle);
const char16_t* wstrFind(const char16_t* haystack, const char16_t* needle);
char* strDuplicate(const char* s);          // heap copy (free with std::free); null on failure
char16_t* wstrDuplicate(const char16_t* s);
// Sign gives the order (|result| - 1 is the index of the first difference); 0 equal.
// 8-bit: bytes compared as signed values. UTF-16: units compared unsigned.
int32_t strCompare(const char* a, const char* b);
int32_t wstrCompare(const char16_t* a, const char16_t* b);
// Tokenises `buffer` in place from `*position`; see the unit tests for the exact walk.
char* strNextToken(char* buffer, int32_t* position, const char* delimiters);
char16_t* wstrNextToken(char16_t* buffer, int32_t* position, const char16_t* delimiters);
char16_t* wstrLowerAscii(char16_t* s);      // 'A'..'Z' only
int32_t strToInt(const char* s);           // optional '-', then digits only; anything else: 0
void memFill(void* buffer, uint8_t byte, int32_t length);
void memCopy(void* dst, const void* src, int32_t length);  // byte by byte, first to last

}  // namespace tts
