// The lexicon's C entry points: handles and ids, the pronunciation buffer
// contract (count, NUL, 256 bytes, cut at a symbol), the user dictionary, and
// random UTF-16 through all three languages.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "corvum.h"
#include "user_dictionary.h"

namespace {

constexpr uint16_t kLanguages[3] = {CORVUM_LANG_SPANISH, CORVUM_LANG_POLISH, CORVUM_LANG_TURKISH};

struct Reported {
  std::vector<std::pair<int32_t, std::string>> lines;
  static void callback(void* user, int32_t line, const char* message) {
    static_cast<Reported*>(user)->lines.emplace_back(line, message);
  }
};

struct LexiconHandle {
  CorvumLexicon* lex;
  explicit LexiconHandle(uint16_t code) : lex(LexMgr_Open(code)) {}
  ~LexiconHandle() { LexMgr_Close(lex); }
};

// A file under the test's temporary directory, removed afterwards.
struct TempFile {
  std::string path;
  explicit TempFile(const std::string& contents) {
    static int serial = 0;
    path = testing::TempDir() + "corvum_dict_" + std::to_string(getpid()) + "_" + std::to_string(++serial) + ".txt";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(contents.data(), 1, contents.size(), f);
    std::fclose(f);
  }
  ~TempFile() { std::remove(path.c_str()); }
};

std::vector<std::string> splitSymbols(const char* pron) {
  std::vector<std::string> symbols;
  std::string current;
  for (const char* p = pron; *p; ++p) {
    if (*p == ' ') {
      symbols.push_back(current);
      current.clear();
    } else {
      current.push_back(*p);
    }
  }
  if (!current.empty() || !symbols.empty()) symbols.push_back(current);
  return symbols;
}

// The contract every answer must keep: count = symbols written, single
// spaces, every symbol the language's own with an optional 0/1/2 digit, the
// NUL within 256 bytes and nothing written past them.
void expectWellFormed(uint16_t language, int32_t result, const char* buffer, std::size_t guardBytes) {
  const std::size_t length = strnlen(buffer, CORVUM_PRON_CAPACITY);
  ASSERT_LT(length, static_cast<std::size_t>(CORVUM_PRON_CAPACITY));
  for (std::size_t i = CORVUM_PRON_CAPACITY; i < CORVUM_PRON_CAPACITY + guardBytes; ++i)
    ASSERT_EQ(static_cast<unsigned char>(buffer[i]), 0xA5u) << "written past the buffer";
  if (result < 1) {
    EXPECT_EQ(length, 0u);
    return;
  }
  const std::vector<std::string> symbols = splitSymbols(buffer);
  ASSERT_EQ(static_cast<std::size_t>(result), symbols.size()) << buffer;
  for (std::string symbol : symbols) {
    ASSERT_FALSE(symbol.empty()) << buffer;
    const char last = symbol.back();
    if (last >= '0' && last <= '9') {
      EXPECT_LE(last, '2') << buffer;
      symbol.pop_back();
    }
    EXPECT_TRUE(corvum::isLexiconSymbol(language, symbol)) << "symbol '" << symbol << "' in " << buffer;
  }
}

std::string lookup(CorvumLexicon* lex, uint16_t language, const std::u16string& word, int32_t* result = nullptr) {
  char out[CORVUM_PRON_CAPACITY + 16];
  std::memset(out, 0xA5, sizeof out);
  const int32_t r = LexMgr_GetPronString(lex, static_cast<uint16_t>(LexMgr_GetLexID(lex, language, 0)),
                                         word.c_str(), out, 0, 1, 0);
  expectWellFormed(language, r, out, 16);
  if (result) *result = r;
  return out;
}

TEST(CorvumHandles, OpenServesOneOrAllLanguages) {
  EXPECT_EQ(LexMgr_Open(5), nullptr);
  EXPECT_EQ(LexMgr_Open(0xFFFF), nullptr);
  LexiconHandle all(CORVUM_LANG_ALL);
  ASSERT_NE(all.lex, nullptr);
  for (uint16_t code : kLanguages) EXPECT_GE(LexMgr_GetLexID(all.lex, code, 0), 0);
  EXPECT_EQ(LexMgr_GetLexID(all.lex, 0, 0), -1);
  EXPECT_EQ(LexMgr_GetLexID(all.lex, 9, 0), -1);

  LexiconHandle spanish(CORVUM_LANG_SPANISH);
  EXPECT_GE(LexMgr_GetLexID(spanish.lex, CORVUM_LANG_SPANISH, 0), 0);
  EXPECT_EQ(LexMgr_GetLexID(spanish.lex, CORVUM_LANG_POLISH, 0), -1);
  EXPECT_EQ(LexMgr_GetLexID(nullptr, CORVUM_LANG_SPANISH, 0), -1);
  LexMgr_Close(nullptr);
}

TEST(CorvumPronString, CountsSymbolsAndTerminates) {
  LexiconHandle lex(CORVUM_LANG_ALL);
  int32_t result = 0;
  EXPECT_EQ(lookup(lex.lex, CORVUM_LANG_SPANISH, u"canción", &result), "k a n z y o1 n");
  EXPECT_EQ(result, 7);
}

TEST(CorvumPronString, FailuresLeaveAnEmptyString) {
  LexiconHandle lex(CORVUM_LANG_SPANISH);
  char out[CORVUM_PRON_CAPACITY];
  std::memset(out, 'x', sizeof out);
  EXPECT_EQ(LexMgr_GetPronString(lex.lex, CORVUM_LANG_SPANISH, u"", out, 0, 1, 0), 0);
  EXPECT_EQ(out[0], '\0');
  out[0] = 'x';
  EXPECT_EQ(LexMgr_GetPronString(lex.lex, CORVUM_LANG_SPANISH, nullptr, out, 0, 1, 0), 0);
  EXPECT_EQ(out[0], '\0');
  out[0] = 'x';
  EXPECT_EQ(LexMgr_GetPronString(lex.lex, CORVUM_LANG_POLISH, u"dom", out, 0, 1, 0), 0);  // not served
  EXPECT_EQ(out[0], '\0');
  out[0] = 'x';
  EXPECT_EQ(LexMgr_GetPronString(nullptr, CORVUM_LANG_SPANISH, u"casa", out, 0, 1, 0), 0);
  EXPECT_EQ(out[0], '\0');
  out[0] = 'x';
  EXPECT_EQ(LexMgr_GetPronString(lex.lex, CORVUM_LANG_SPANISH, u"!?\u4E00", out, 0, 1, 0), 0);
  EXPECT_EQ(out[0], '\0');
  EXPECT_EQ(LexMgr_GetPronString(lex.lex, CORVUM_LANG_SPANISH, u"casa", nullptr, 0, 1, 0), 0);
}

TEST(CorvumPronString, LongPronunciationIsCutAtASymbol) {
  LexiconHandle lex(CORVUM_LANG_ALL);
  std::u16string word;
  for (int i = 0; i < 300; ++i) word += u"pa";
  int32_t result = 0;
  const std::string pron = lookup(lex.lex, CORVUM_LANG_SPANISH, word, &result);
  EXPECT_LE(pron.size(), 255u);
  EXPECT_GT(pron.size(), 250u);
  EXPECT_NE(pron.back(), ' ');
  // "p a p a ...": the cut falls between whole symbols
  EXPECT_EQ(pron.substr(0, 8), "p a p a ");
  EXPECT_EQ(result, static_cast<int32_t>(splitSymbols(pron.c_str()).size()));

  // acronym spelling grows fast: 200 capitals
  std::u16string capitals(200, u'W');
  lookup(lex.lex, CORVUM_LANG_SPANISH, capitals, &result);
  EXPECT_GT(result, 0);
}

TEST(CorvumUserDictionary, LoadsGoodLinesAndReportsBadOnes) {
  LexiconHandle lex(CORVUM_LANG_ALL);
  TempFile file(
      "\xEF\xBB\xBF# test dictionary\r\n"
      "Cádiz\tk a1 d i z\r\n"           // 2: good (CRLF, accented, capital)
      "\n"                              // 3: blank
      "   # indented comment\n"         // 4: comment
      "sinTab k a1 s a\n"               // 5: no tab
      "\tk a1 s a\n"                    // 6: empty word
      "casa\t\n"                        // 7: empty pronunciation
      "casa\tk a1 s a x\n"              // 8: unknown symbol
      "casa\tk a5 s a\n"                // 9: bad stress digit
      "dos palabras\td o1 s\n"          // 10: space in word
      "\xC3\x28\tk a1\n"                // 11: invalid UTF-8
      "ordenador\to-r-d-e-n-a-d-o1-r\n" // 12: good, hyphens
      "perro\tp e1 r o\n"               // 13: good, replaced below
      "perro\tp e1 R o\n"               // 14: good
      "luz\tl u1 z");                   // 15: good, no final newline
  Reported reported;
  EXPECT_EQ(LexMgr_LoadUserDictionary(lex.lex, CORVUM_LANG_SPANISH, file.path.c_str(), &Reported::callback, &reported),
            5);
  std::vector<int32_t> lines;
  for (const auto& r : reported.lines) lines.push_back(r.first);
  EXPECT_EQ(lines, (std::vector<int32_t>{5, 6, 7, 8, 9, 10, 11}));
  ASSERT_EQ(reported.lines.size(), 7u);
  EXPECT_EQ(reported.lines[3].second, "unknown symbol \"x\"");

  EXPECT_EQ(lookup(lex.lex, CORVUM_LANG_SPANISH, u"CÁDIZ"), "k a1 d i z");
  EXPECT_EQ(lookup(lex.lex, CORVUM_LANG_SPANISH, u"ordenador"), "o r d e n a d o1 r");
  EXPECT_EQ(lookup(lex.lex, CORVUM_LANG_SPANISH, u"Perro"), "p e1 R o");
  EXPECT_EQ(lookup(lex.lex, CORVUM_LANG_SPANISH, u"casa"), "k a1 s a");  // from the rules
}

TEST(CorvumUserDictionary, UserEntriesWinOverRulesPerLanguage) {
  LexiconHandle lex(CORVUM_LANG_ALL);
  TempFile spanish("sol\tz o1 l\n");
  EXPECT_EQ(LexMgr_LoadUserDictionary(lex.lex, CORVUM_LANG_SPANISH, spanish.path.c_str(), nullptr, nullptr), 1);
  EXPECT_EQ(lookup(lex.lex, CORVUM_LANG_SPANISH, u"sol"), "z o1 l");
  // the entry belongs to Spanish only
  int32_t result = 0;
  EXPECT_NE(lookup(lex.lex, CORVUM_LANG_POLISH, u"sol", &result), "z o1 l");

  // Spanish symbols are not Turkish ones: "z" is, "T" is not
  TempFile turkish("Istanbul\tI s t a1 n b u l\nIşık\tI S W1 k\nİzmir\ti1 z m i r\nçay\tT a1 y\n");
  Reported reported;
  EXPECT_EQ(
      LexMgr_LoadUserDictionary(lex.lex, CORVUM_LANG_TURKISH, turkish.path.c_str(), &Reported::callback, &reported),
      3);
  ASSERT_EQ(reported.lines.size(), 1u);
  EXPECT_EQ(reported.lines[0].first, 4);
  // Turkish lowering: I → ı, İ → i
  EXPECT_EQ(lookup(lex.lex, CORVUM_LANG_TURKISH, u"ıstanbul"), "I s t a1 n b u l");
  EXPECT_EQ(lookup(lex.lex, CORVUM_LANG_TURKISH, u"IŞIK"), "I S W1 k");
  EXPECT_EQ(lookup(lex.lex, CORVUM_LANG_TURKISH, u"izmir"), "i1 z m i r");
}

TEST(CorvumUserDictionary, UnreadableFileAndUnservedLanguage) {
  LexiconHandle spanishOnly(CORVUM_LANG_SPANISH);
  Reported reported;
  EXPECT_EQ(LexMgr_LoadUserDictionary(spanishOnly.lex, CORVUM_LANG_SPANISH, "/nonexistent/dir/dict.txt",
                                      &Reported::callback, &reported),
            -1);
  TempFile file("dom\td o1 m\n");
  EXPECT_EQ(LexMgr_LoadUserDictionary(spanishOnly.lex, CORVUM_LANG_POLISH, file.path.c_str(), &Reported::callback,
                                      &reported),
            -1);
  ASSERT_EQ(reported.lines.size(), 2u);
  EXPECT_EQ(reported.lines[0].first, 0);
  EXPECT_EQ(LexMgr_LoadUserDictionary(nullptr, CORVUM_LANG_SPANISH, file.path.c_str(), nullptr, nullptr), -1);
  EXPECT_EQ(LexMgr_LoadUserDictionary(spanishOnly.lex, CORVUM_LANG_SPANISH, nullptr, nullptr, nullptr), -1);
}

TEST(CorvumUserDictionary, OverlongEntriesAreRejected) {
  LexiconHandle lex(CORVUM_LANG_ALL);
  std::string longPron;
  for (int i = 0; i < 130; ++i) longPron += "p a ";
  TempFile file("largo\t" + longPron + "\n" + std::string(300, 'a') + "\ta1\n");
  Reported reported;
  EXPECT_EQ(LexMgr_LoadUserDictionary(lex.lex, CORVUM_LANG_SPANISH, file.path.c_str(), &Reported::callback, &reported),
            0);
  ASSERT_EQ(reported.lines.size(), 2u);
  EXPECT_EQ(reported.lines[0].second, "pronunciation too long");
  EXPECT_EQ(reported.lines[1].second, "word too long");
}

TEST(CorvumSymbols, EachLanguageAcceptsExactlyItsMapSymbols) {
  const std::vector<std::string> spanish = {"pau", "a", "e", "i", "o", "u", "ai", "ei", "oi", "au", "eu",
                                            "ou",  "w", "y", "b", "k", "s", "z",  "T",  "d",  "f",  "g",
                                            "h",   "l", "S", "m", "n", "N", "p",  "r",  "R",  "t"};
  const std::vector<std::string> polish = {
      "pau", "I", "N", "S", "Z", "a", "b", "d", "dZ", "dz", "e", "e~", "f", "g", "i", "j",
      "k",   "l", "m", "n", "o", "o~", "p", "r", "s", "t", "tS", "ts", "u", "v", "w", "x",
      "z",   "b+", "f+", "g+", "k+", "m+", "p+", "v+", "x+", "dz+", "n+", "s+", "ts+", "z+"};
  const std::vector<std::string> turkish = {"SIL", ":", "a", "A", "e", "I", "i", "W", "o", "O", "u",
                                            "U",   "X", "b", "c", "C", "d", "f", "g", "h", "j", "k",
                                            "l",   "m", "n", "p", "r", "s", "S", "t", "v", "y", "z"};
  EXPECT_EQ(spanish.size(), 32u);
  EXPECT_EQ(polish.size(), 46u);
  EXPECT_EQ(turkish.size(), 33u);
  const std::vector<std::string>* lists[3] = {&spanish, &polish, &turkish};
  // every printable ASCII symbol of up to three characters drawn from the
  // three lists' characters: accepted exactly when it is in the list
  std::vector<std::string> candidates = {"", "x1", "ai1", "pau0", "##", "SIL ", "dz++", "\x80", "~"};
  for (const auto* list : lists) candidates.insert(candidates.end(), list->begin(), list->end());
  for (char c = 33; c < 127; ++c) candidates.push_back(std::string(1, c));
  for (int k = 0; k < 3; ++k) {
    for (const std::string& candidate : candidates) {
      const bool listed = std::find(lists[k]->begin(), lists[k]->end(), candidate) != lists[k]->end();
      EXPECT_EQ(corvum::isLexiconSymbol(kLanguages[k], candidate), listed) << k << ": '" << candidate << "'";
    }
  }
  EXPECT_FALSE(corvum::isLexiconSymbol(0, "a"));
}

TEST(CorvumLowerCase, PerLanguageRules) {
  EXPECT_EQ(corvum::lowerForLanguage(CORVUM_LANG_SPANISH, u'I'), u'i');
  EXPECT_EQ(corvum::lowerForLanguage(CORVUM_LANG_TURKISH, u'I'), u'\u0131');
  EXPECT_EQ(corvum::lowerForLanguage(CORVUM_LANG_TURKISH, u'\u0130'), u'i');
  EXPECT_EQ(corvum::lowerForLanguage(CORVUM_LANG_POLISH, u'\u0141'), u'\u0142');  // Ł
  EXPECT_EQ(corvum::lowerForLanguage(CORVUM_LANG_POLISH, u'\u017B'), u'\u017C');  // Ż
  EXPECT_EQ(corvum::lowerForLanguage(CORVUM_LANG_TURKISH, u'\u015E'), u'\u015F');  // Ş
  EXPECT_EQ(corvum::lowerForLanguage(CORVUM_LANG_TURKISH, u'\u011E'), u'\u011F');  // Ğ
  EXPECT_EQ(corvum::lowerForLanguage(CORVUM_LANG_SPANISH, u'\u00D1'), u'\u00F1');  // Ñ
  EXPECT_EQ(corvum::lowerForLanguage(CORVUM_LANG_SPANISH, u'\u00D7'), u'\u00D7');  // ×
  EXPECT_EQ(corvum::lowerForLanguage(CORVUM_LANG_SPANISH, u'\u0142'), u'\u0142');
}

// Random UTF-16: letters of the three alphabets, ASCII, digits, punctuation,
// lone and paired surrogates, non-characters, and a few very long words.
TEST(CorvumFuzz, RandomUtf16NeverBreaksTheBufferContract) {
  LexiconHandle lex(CORVUM_LANG_ALL);
  std::mt19937 rng(12345);
  const std::u16string pool =
      u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789áéíóúüñÁÉÍÓÚÜÑąćęłńóśźżĄĆĘŁŃŚŹŻçğıİöşüÇĞÖŞÜâîû"
      u"'’-.,;:!?¿¡ \t";
  auto randomUnit = [&]() -> char16_t {
    switch (rng() % 8) {
      case 0: return static_cast<char16_t>(0xD800 + rng() % 0x800);          // surrogates
      case 1: return static_cast<char16_t>(rng() % 2 ? 0xFFFE : 0xFFFF);     // non-characters
      case 2: return static_cast<char16_t>(0xFDD0 + rng() % 32);             // non-characters
      case 3: return static_cast<char16_t>(1 + rng() % 0xFFFF);               // anything but NUL
      default: return pool[rng() % pool.size()];
    }
  };
  for (int i = 0; i < 6000; ++i) {
    std::size_t length = 1 + rng() % 24;
    if (i % 500 == 0) length = 2000 + rng() % 3000;
    std::u16string word;
    for (std::size_t k = 0; k < length; ++k) word.push_back(randomUnit());
    for (uint16_t language : kLanguages) {
      lookup(lex.lex, language, word);
      if (HasFatalFailure()) return;
    }
  }
}

}  // namespace
