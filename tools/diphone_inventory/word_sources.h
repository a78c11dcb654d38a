// Word sources of the diphone inventory: word-list files, Turkish words made
// from dictionary headwords and syllable patterns, and the words that the
// language's verbalisers write for numbers, dates, times, money and addresses.
#pragma once
#include <string>
#include <vector>

namespace inventory {

struct InventoryLanguage;

// UTF-8 to UTF-16; invalid bytes are skipped.
std::u16string utf8ToUtf16(const std::string& text);
std::string utf16ToUtf8(const std::u16string& text);

// One word per line (UTF-8); blank lines skipped. `stride` keeps every
// stride-th line (1: all). Empty when the file cannot be read.
std::vector<std::u16string> readWordList(const std::string& path, int stride);

// Headwords of a dictd index file (first tab-separated field, split at
// spaces, the "00database" entries dropped).
std::vector<std::u16string> readDictdHeadwords(const std::string& path);

// Turkish words: each stem with common case, plural and derivational suffixes
// under vowel harmony, plus every C-V-C-V word with harmonic vowels and every
// C-V-C syllable.
std::vector<std::u16string> turkishWords(const std::vector<std::u16string>& stems);

// The entries the language's text normaliser writes for a set of numbers,
// dates, times, percentages, amounts, digit strings and addresses, plus every
// single letter and every pair of letters in capitals. Break marks are
// returned as they stand.
std::vector<std::u16string> verbaliserWords(const InventoryLanguage& language);

}  // namespace inventory
