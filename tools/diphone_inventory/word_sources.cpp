// Word sources of the diphone inventory.
#include "word_sources.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>

#include "diphone_inventory.h"
#include "utf_convert.h"
#include "text/text_language.h"
#include "text/word_list.h"
#include "text/word_list_builder.h"

namespace inventory {

std::u16string utf8ToUtf16(const std::string& text) { return voxa_utf::utf8ToUtf16(text); }

std::string utf16ToUtf8(const std::u16string& text) { return voxa_utf::utf16ToUtf8(text); }

std::vector<std::u16string> readWordList(const std::string& path, int stride) {
  std::vector<std::u16string> words;
  std::ifstream in(path);
  if (!in) return words;
  if (stride < 1) stride = 1;
  std::string line;
  int64_t index = 0;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    if (index++ % stride != 0) continue;
    words.push_back(utf8ToUtf16(line));
  }
  return words;
}

std::vector<std::u16string> readDictdHeadwords(const std::string& path) {
  std::vector<std::u16string> words;
  std::ifstream in(path);
  if (!in) return words;
  std::string line;
  std::set<std::string> seen;
  while (std::getline(in, line)) {
    const std::string head = line.substr(0, line.find('\t'));
    if (head.rfind("00database", 0) == 0 || head.rfind("00-database", 0) == 0) continue;
    size_t start = 0;
    while (start < head.size()) {
      size_t end = head.find(' ', start);
      if (end == std::string::npos) end = head.size();
      const std::string word = head.substr(start, end - start);
      if (!word.empty() && seen.insert(word).second) words.push_back(utf8ToUtf16(word));
      start = end + 1;
    }
  }
  return words;
}

namespace {

const std::u16string kTurkishBackVowels = u"a\u0131ou";   // a ı o u
const std::u16string kTurkishFrontVowels = u"ei\u00F6\u00FC";  // e i ö ü
const std::u16string kTurkishConsonants = u"bc\u00E7dfg\u011Fhjklmnprs\u015Ftvyz";

bool isTurkishVowel(char16_t c) {
  return kTurkishBackVowels.find(c) != std::u16string::npos || kTurkishFrontVowels.find(c) != std::u16string::npos;
}

// Index into the 4-way harmony (ı i u ü) from the word's last vowel; -1 when none.
int harmony4(const std::u16string& word) {
  for (size_t i = word.size(); i-- > 0;) {
    switch (word[i]) {
      case u'a': case u'\u0131': return 0;
      case u'e': case u'i': return 1;
      case u'o': case u'u': return 2;
      case u'\u00F6': case u'\u00FC': return 3;
      default: break;
    }
  }
  return -1;
}

}  // namespace

std::vector<std::u16string> turkishWords(const std::vector<std::u16string>& stems) {
  std::vector<std::u16string> words;
  std::set<std::u16string> seen;
  auto add = [&](const std::u16string& w) {
    if (!w.empty() && seen.insert(w).second) words.push_back(w);
  };
  // Suffixes written with A (a/e) and I (ı/i/u/ü); a leading y or n is the
  // buffer consonant after a vowel-final stem.
  const char16_t* const suffixes[] = {u"lAr", u"dA", u"dAn", u"yA", u"ylA", u"yI", u"nIn", u"lIk", u"cI",
                                      u"sIz", u"lI", u"sI", u"lArI", u"lArdA", u"mIz", u"nIz", u"ydI", u"mAk",
                                      u"yor", u"tA", u"tAn", u"Im", u"In", u"dIr"};
  const char16_t four[4] = {u'\u0131', u'i', u'u', u'\u00FC'};
  for (const auto& stem : stems) {
    add(stem);
    const int h = harmony4(stem);
    if (h < 0) continue;
    const bool endsInVowel = isTurkishVowel(stem.back());
    for (const char16_t* suffix : suffixes) {
      std::u16string w = stem;
      int hh = h;
      for (const char16_t* p = suffix; *p; ++p) {
        char16_t c = *p;
        if (p == suffix && (c == u'y' || c == u'n') && p[1] != 0 && !endsInVowel && (p[1] == u'A' || p[1] == u'I'))
          continue;  // buffer consonant only after a vowel
        if (c == u'A') c = (hh == 0 || hh == 2) ? u'a' : u'e';
        if (c == u'I') c = four[hh];
        w.push_back(c);
        const int again = harmony4(std::u16string(1, c));
        if (again >= 0) hh = again;
      }
      add(w);
    }
  }
  // Syllable patterns: C V C V with harmonic vowels, and C V C.
  const std::u16string allVowels = kTurkishBackVowels + kTurkishFrontVowels;
  for (char16_t c1 : kTurkishConsonants)
    for (char16_t v1 : allVowels)
      for (char16_t c2 : kTurkishConsonants) {
        add(std::u16string{c1, v1, c2});
        const std::u16string& group =
            kTurkishBackVowels.find(v1) != std::u16string::npos ? kTurkishBackVowels : kTurkishFrontVowels;
        for (char16_t v2 : group) add(std::u16string{c1, v1, c2, v2});
      }
  // Vowel-initial words: V C V and V C C V.
  for (char16_t v1 : allVowels)
    for (char16_t c1 : kTurkishConsonants) {
      add(std::u16string{v1, c1, v1});
      for (char16_t c2 : kTurkishConsonants) add(std::u16string{v1, c1, c2, v1});
    }
  return words;
}

namespace {

void normaliseInto(const tts::TextLanguage* lang, const std::u16string& text, int32_t mode,
                   std::set<std::u16string>& seen, std::vector<std::u16string>& out) {
  const int32_t capacity = tts::buildWordListFor(lang, text.c_str(), mode, nullptr, 0);
  if (capacity <= 0) return;
  std::vector<char16_t> storage(size_t(capacity) * tts::kEntryTextUnits + 1, 0);
  std::vector<char16_t*> entries(size_t(capacity), nullptr);
  entries[0] = storage.data();
  const int32_t n = tts::buildWordListFor(lang, text.c_str(), mode, entries.data(), capacity);
  for (int32_t i = 0; i < n; ++i) {
    if (entries[i] == nullptr) continue;
    std::u16string w(entries[i]);
    if (!w.empty() && seen.insert(w).second) out.push_back(w);
  }
}

std::u16string ascii(const std::string& s) { return std::u16string(s.begin(), s.end()); }

}  // namespace

std::vector<std::u16string> verbaliserWords(const InventoryLanguage& language) {
  const tts::TextLanguage* lang = language.text;
  std::vector<std::u16string> out;
  std::set<std::u16string> seen;
  if (lang == nullptr) return out;
  const std::string dec(1, static_cast<char>(lang->decimalMark));
  const std::string thou(1, static_cast<char>(lang->thousandsMark));
  std::vector<std::u16string> texts;
  for (int n = 0; n <= 2100; ++n) texts.push_back(ascii(std::to_string(n)));
  for (int n = 2100; n < 1000000; n += 997) texts.push_back(ascii(std::to_string(n)));
  for (long long n : {1000000LL, 2000000LL, 21000000LL, 100000000LL, 999999999LL, 1000000000LL, 2000000000LL})
    texts.push_back(ascii(std::to_string(n)));
  for (int n = 1; n < 200; n += 7) {
    texts.push_back(ascii("-" + std::to_string(n)));
    texts.push_back(ascii(std::to_string(n) + dec + std::to_string(n % 100)));
    texts.push_back(ascii(std::to_string(n) + thou + "250"));
    texts.push_back(ascii("0" + std::to_string(n) + "7"));
    texts.push_back(ascii(std::to_string(n) + "%"));
    texts.push_back(ascii(std::to_string(n) + dec + "5%"));
  }
  // Amounts with every currency and unit word the tokeniser knows, and symbols.
  for (const char16_t* list : {lang->currencyWords, lang->unitWords}) {
    if (list == nullptr) continue;
    std::u16string words(list);
    size_t start = 0;
    while (start < words.size()) {
      size_t end = words.find(u' ', start);
      if (end == std::u16string::npos) end = words.size();
      if (end > start) {
        const std::u16string w = words.substr(start, end - start);
        for (const char* amount : {"1", "2", "5", "21", "100", "1000"}) texts.push_back(ascii(amount) + u" " + w);
        texts.push_back(ascii("3" + dec + "50 ") + w);
      }
      start = end + 1;
    }
  }
  for (const char16_t* sym : {u"\u20AC", u"$", u"\u00A3", u"z\u0142", u"TL", u"\u20BA"})
    for (const char* amount : {"1", "2", "5", "12", "100"}) {
      texts.push_back(ascii(amount) + u" " + sym);
      texts.push_back(std::u16string(sym) + ascii(amount));
    }
  for (int d = 1; d <= 31; ++d)
    for (int m = 1; m <= 12; ++m) {
      const std::string day = std::to_string(d), month = std::to_string(m);
      const std::string year = std::to_string(1990 + (d * 12 + m) % 45);
      texts.push_back(ascii(day + "/" + month + "/" + year));
      texts.push_back(ascii(day + "-" + month + "-" + year));
      texts.push_back(ascii(day + "." + month + "." + year));
    }
  for (int h = 0; h < 24; ++h)
    for (int m = 0; m < 60; ++m) {
      char buf[16];
      std::snprintf(buf, sizeof buf, "%d:%02d", h, m);
      texts.push_back(ascii(buf));
      if (m % 15 == 0) {
        std::snprintf(buf, sizeof buf, "%d.%02d", h, m);
        texts.push_back(ascii(buf));
        std::snprintf(buf, sizeof buf, "%dh%02d", h, m);
        texts.push_back(ascii(buf));
      }
    }
  for (const char* t : {"10:30 am", "7:15 pm", "11:00 a.m.", "4:45 p.m."}) texts.push_back(ascii(t));
  for (const char* t : {"ana@correo.com", "info@firma.pl", "destek@site.com.tr", "x@y.org", "user@mail.net",
                        "www.ejemplo.es", "www.strona.pl", "http://www.site.com.tr/index.html",
                        "https://abc.org/x_y-z", "ftp.server.edu", "www.a1b2.info"})
    texts.push_back(ascii(t));
  // Single letters are spelt by the lexicon.
  for (char c = 'a'; c <= 'z'; ++c) {
    texts.push_back(ascii(std::string(1, c)));
    texts.push_back(ascii(std::string(1, static_cast<char>(c - 'a' + 'A'))));
  }
  std::u16string letters;
  for (char16_t c = u'A'; c <= u'Z'; ++c) letters.push_back(c);
  if (lang->letters != nullptr)
    for (const char16_t* p = lang->letters; *p; ++p) {
      texts.push_back(std::u16string(1, *p));
      letters.push_back(*p);
    }
  // Letter pairs in capitals: abbreviations the lexicon spells, with every
  // junction between two letter names inside one word.
  for (char16_t a : letters)
    for (char16_t b : letters) texts.push_back(std::u16string{a, b});
  for (const auto& text : texts) {
    normaliseInto(lang, text, 0, seen, out);
  }
  // The time and date text modes read their tokens with their own chains.
  for (int h = 0; h < 24; ++h)
    for (int m = 0; m < 60; m += 5) {
      char buf[16];
      std::snprintf(buf, sizeof buf, "%d:%02d", h, m);
      normaliseInto(lang, ascii(buf), 2, seen, out);
    }
  for (int d = 1; d <= 31; ++d)
    for (int m = 1; m <= 12; ++m)
      normaliseInto(lang, ascii(std::to_string(d) + "/" + std::to_string(m) + "/2024"), 3, seen, out);
  return out;
}

}  // namespace inventory
