#include "user_dictionary.h"

#include <cstdio>

namespace corvum {
namespace {

constexpr std::size_t kMaxFileBytes = std::size_t{64} << 20;

// A language's lexicon symbols: the one-character ones as a bitmap over
// ASCII, the longer ones as a short list.
struct SymbolSet {
  uint64_t singleLow;   // bit c for characters 0..63
  uint64_t singleHigh;  // bit c-64 for characters 64..127
  const std::string_view* longer;
  std::size_t longerCount;

  bool contains(std::string_view symbol) const {
    if (symbol.size() == 1) {
      const auto c = static_cast<uint8_t>(symbol[0]);
      if (c < 64) return (singleLow >> c) & 1;
      if (c < 128) return (singleHigh >> (c - 64)) & 1;
      return false;
    }
    for (std::size_t i = 0; i < longerCount; ++i) {
      if (longer[i] == symbol) return true;
    }
    return false;
  }
};

constexpr uint64_t bitsBelow64(std::string_view singles) {
  uint64_t bits = 0;
  for (char c : singles) {
    if (static_cast<uint8_t>(c) < 64) bits |= uint64_t{1} << static_cast<uint8_t>(c);
  }
  return bits;
}

constexpr uint64_t bitsFrom64(std::string_view singles) {
  uint64_t bits = 0;
  for (char c : singles) {
    if (static_cast<uint8_t>(c) >= 64 && static_cast<uint8_t>(c) < 128) bits |= uint64_t{1} << (c - 64);
  }
  return bits;
}

constexpr std::string_view kSpanishSingles = "aeiouwybkszTdfghlSmnNprRt";
constexpr std::string_view kSpanishLonger[] = {"pau", "ai", "ei", "oi", "au", "eu", "ou"};
constexpr std::string_view kPolishSingles = "INSZabdefgijklmnoprstuvwxz";
constexpr std::string_view kPolishLonger[] = {"pau", "dZ", "dz", "e~", "o~", "tS", "ts", "b+", "f+", "g+",
                                              "k+",  "m+", "p+", "v+", "x+", "dz+", "n+", "s+", "ts+", "z+"};
constexpr std::string_view kTurkishSingles = ":aAeIiWoOuUXbcCdfghjklmnprsStvyz";
constexpr std::string_view kTurkishLonger[] = {"SIL"};

constexpr SymbolSet kSymbolSets[3] = {
    {bitsBelow64(kSpanishSingles), bitsFrom64(kSpanishSingles), kSpanishLonger,
     sizeof kSpanishLonger / sizeof kSpanishLonger[0]},
    {bitsBelow64(kPolishSingles), bitsFrom64(kPolishSingles), kPolishLonger,
     sizeof kPolishLonger / sizeof kPolishLonger[0]},
    {bitsBelow64(kTurkishSingles), bitsFrom64(kTurkishSingles), kTurkishLonger,
     sizeof kTurkishLonger / sizeof kTurkishLonger[0]},
};

// Capitals of Latin Extended-A (U+0100..U+017F) whose small letter is the next code point.
bool isPairedCapitalExtA(char16_t c) {
  if (c == 0x0130 || c == 0x0131 || c == 0x0138 || c == 0x0149 || c == 0x017F || c == 0x0178) return false;
  if (c <= 0x0137) return (c & 1) == 0;
  if (c >= 0x0139 && c <= 0x0148) return (c & 1) == 1;
  if (c >= 0x014A && c <= 0x0177) return (c & 1) == 0;
  return (c & 1) == 1;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Strict UTF-8 to UTF-16 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool decodeUtf8(std::string_view in, std::u16string& out) {
  out.clear();
  std::size_t i = 0;
  while (i < in.size()) {
    const uint8_t b0 = static_cast<uint8_t>(in[i]);
    uint32_t cp;
    std::size_t extra;
    if (b0 < 0x80) {
      cp = b0;
      extra = 0;
    } else if (b0 >= 0xC2 && b0 <= 0xDF) {
      cp = b0 & 0x1F;
      extra = 1;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
      cp = b0 & 0x0F;
      extra = 2;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
      cp = b0 & 0x07;
      extra = 3;
    } else {
      return false;
    }
    if (extra > 0 && i + extra >= in.size()) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      const uint8_t b = static_cast<uint8_t>(in[i + k]);
      if ((b & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (b & 0x3F);
    }
    if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
      return false;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i += extra + 1;
  }
  return true;
}

void reportLine(CorvumReport report, void* user, int32_t line, const std::string& message) {
  if (report) report(user, line, message.c_str());
}

std::string quoted(std::string_view s) {
  constexpr std::size_t kMaxShown = 24;
  std::string q = "\"";
  q.append(s.substr(0, kMaxShown));
  if (s.size() > kMaxShown) q.append("...");
  q.push_back('"');
  return q;
}

// Checks one pronunciation and rewrites it with single spaces. Returns the
// problem, or an empty string when it is good.
std::string normalisePronunciation(uint16_t languageCode, std::string_view pron, std::string& normalised) {
  normalised.clear();
  std::size_t i = 0;
  while (i < pron.size()) {
    while (i < pron.size() && (isBlank(pron[i]) || pron[i] == '-')) ++i;
    std::size_t end = i;
    while (end < pron.size() && !isBlank(pron[end]) && pron[end] != '-') ++end;
    if (end == i) break;
    const std::string_view token = pron.substr(i, end - i);
    std::string_view symbol = token;
    const char last = symbol.back();
    if (last >= '0' && last <= '9') {
      if (last > '2') return "bad stress digit in " + quoted(token);
      symbol.remove_suffix(1);
    }
    if (symbol.empty() || !isLexiconSymbol(languageCode, symbol)) return "unknown symbol " + quoted(token);
    if (!normalised.empty()) normalised.push_back(' ');
    normalised.append(token);
    i = end;
  }
  if (normalised.empty()) return "empty pronunciation";
  if (normalised.size() > kMaxEntryPronBytes) return "pronunciation too long";
  return {};
}

std::u16string lowerWord(uint16_t languageCode, std::u16string_view word) {
  std::u16string key(word);
  for (char16_t& c : key) c = lowerForLanguage(languageCode, c);
  return key;
}

}  // namespace

int languageSlot(uint16_t languageCode) {
  switch (languageCode) {
    case CORVUM_LANG_SPANISH: return 0;
    case CORVUM_LANG_POLISH: return 1;
    case CORVUM_LANG_TURKISH: return 2;
    default: return -1;
  }
}

bool isLexiconSymbol(uint16_t languageCode, std::string_view symbol) {
  const int slot = languageSlot(languageCode);
  return slot >= 0 && !symbol.empty() && kSymbolSets[slot].contains(symbol);
}

char16_t lowerForLanguage(uint16_t languageCode, char16_t c) {
  if (c < 0x80) {
    if (c == u'I' && languageCode == CORVUM_LANG_TURKISH) return u'\u0131';
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 0x20) : c;
  }
  if (c >= 0x00C0 && c <= 0x00DE && c != 0x00D7) return static_cast<char16_t>(c + 0x20);
  if (c == 0x0130) return u'i';
  if (c == 0x0178) return 0x00FF;
  if (c >= 0x0100 && c <= 0x017F && isPairedCapitalExtA(c)) return static_cast<char16_t>(c + 1);
  return c;
}

int32_t UserDictionary::load(uint16_t languageCode, std::string_view text, CorvumReport report, void* user) {
  if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // byte-order mark
  int32_t accepted = 0;
  int32_t lineNumber = 0;
  std::u16string word;
  std::string pron;
  while (!text.empty()) {
    ++lineNumber;
    const std::size_t newline = text.find('\n');
    std::string_view line = text.substr(0, newline);
    text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string_view content = trim(line);
    if (content.empty() || content.front() == '#') continue;

    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) {
      reportLine(report, user, lineNumber, "missing tab between word and pronunciation");
      continue;
    }
    const std::string_view wordText = trim(line.substr(0, tab));
    if (wordText.empty()) {
      reportLine(report, user, lineNumber, "empty word");
      continue;
    }
    if (wordText.find(' ') != std::string_view::npos) {
      reportLine(report, user, lineNumber, "word contains a space");
      continue;
    }
    if (!decodeUtf8(wordText, word)) {
      reportLine(report, user, lineNumber, "word is not valid UTF-8");
      continue;
    }
    if (word.size() > kMaxEntryWordUnits) {
      reportLine(report, user, lineNumber, "word too long");
      continue;
    }
    const std::string problem = normalisePronunciation(languageCode, line.substr(tab + 1), pron);
    if (!problem.empty()) {
      reportLine(report, user, lineNumber, problem);
      continue;
    }
    entries_[lowerWord(languageCode, word)] = pron;
    ++accepted;
  }
  return accepted;
}

const std::string* UserDictionary::find(uint16_t languageCode, std::u16string_view word) const {
  if (entries_.empty() || word.size() > kMaxEntryWordUnits) return nullptr;
  const auto it = entries_.find(lowerWord(languageCode, word));
  return it == entries_.end() ? nullptr : &it->second;
}

bool readDictionaryFile(const char* path, std::string& bytes) {
  bytes.clear();
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return false;
  char buffer[8192];
  bool ok = true;
  for (;;) {
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, file);
    if (got > 0) {
      if (bytes.size() + got > kMaxFileBytes) {
        ok = false;
        break;
      }
      bytes.append(buffer, got);
    }
    if (got < sizeof buffer) {
      ok = !std::ferror(file);
      break;
    }
  }
  std::fclose(file);
  return ok;
}

}  // namespace corvum
