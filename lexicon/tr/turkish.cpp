// Turkish pronunciations: letters to the lexicon's Turkish symbols, stress,
// letter names for acronyms and vowel-less words, number words for digits.
#include <string>
#include <string_view>
#include <vector>

#include "language_rules.h"
#include "tr/turkish_letters.h"
#include "tr/turkish_lexicon.h"
#include "tr/turkish_numbers.h"
#include "tr/turkish_stress.h"

namespace corvum {
namespace {

using tr::Run;

// Longest part of a word that is read; anything past it could not fit the
// 256-byte pronunciation buffer anyway.
constexpr size_t kMaxWordUnits = 512;
// Bytes appended at most for one word (the caller cuts to its buffer).
constexpr size_t kMaxAppend = 1024;

// Lexicon symbols of one lower-case letter (x is two phones); null for none.
const char* symbolsOf(char16_t c) {
  switch (c) {
    case u'a': return "a";
    case u'b': return "b";
    case u'c': return "c";  // dʒ
    case u'ç': return "C";
    case u'd': return "d";
    case u'e': return "e";
    case u'f': return "f";
    case u'g': return "g";
    case u'ğ': return ":";  // lengthening / glide
    case u'h': return "h";
    case u'ı': return "I";
    case u'i': return "i";
    case u'j': return "j";  // ʒ
    case u'k': return "k";
    case u'l': return "l";
    case u'm': return "m";
    case u'n': return "n";
    case u'o': return "o";
    case u'ö': return "O";
    case u'p': return "p";
    case u'r': return "r";
    case u's': return "s";
    case u'ş': return "S";
    case u't': return "t";
    case u'u': return "u";
    case u'ü': return "U";
    case u'v': return "v";
    case u'y': return "y";
    case u'z': return "z";
    case u'q': return "k";
    case u'w': return "v";
    case u'x': return "k s";
    default: return nullptr;
  }
}

// Name of a letter as it is spelled out.
std::u16string_view letterName(char16_t c) {
  switch (c) {
    case u'a': return u"a";
    case u'b': return u"be";
    case u'c': return u"ce";
    case u'ç': return u"çe";
    case u'd': return u"de";
    case u'e': return u"e";
    case u'f': return u"fe";
    case u'g': return u"ge";
    case u'ğ': return u"yumuşak ge";
    case u'h': return u"he";
    case u'ı': return u"ı";
    case u'i': return u"i";
    case u'j': return u"je";
    case u'k': return u"ke";
    case u'l': return u"le";
    case u'm': return u"me";
    case u'n': return u"ne";
    case u'o': return u"o";
    case u'ö': return u"ö";
    case u'p': return u"pe";
    case u'r': return u"re";
    case u's': return u"se";
    case u'ş': return u"şe";
    case u't': return u"te";
    case u'u': return u"u";
    case u'ü': return u"ü";
    case u'v': return u"ve";
    case u'y': return u"ye";
    case u'z': return u"ze";
    case u'q': return u"kü";
    case u'w': return u"çift ve";
    case u'x': return u"iks";
    default: return u"";
  }
}

class Writer {
 public:
  explicit Writer(std::string& out) : out_(out), start_(out.size()) {}

  // Appends the symbols of a lower-case word; the vowel with ordinal `stress` gets "1".
  void word(std::u16string_view lower, int stress) {
    int vowel = 0;
    for (char16_t c : lower) {
      const char* sym = symbolsOf(c);
      if (!sym) continue;
      if (out_.size() - start_ > kMaxAppend) return;
      if (!out_.empty() && out_.back() != ' ') out_.push_back(' ');
      out_.append(sym);
      if (tr::isVowel(c)) {
        if (vowel == stress) out_.push_back('1');
        ++vowel;
      }
      ++symbols_;
    }
  }

  // Space-separated words, each with its own stress.
  void text(std::u16string_view words) {
    while (!words.empty()) {
      size_t sp = words.find(u' ');
      std::u16string_view w = words.substr(0, sp);
      if (!w.empty()) word(w, tr::stressedVowel(w));
      if (sp == std::u16string_view::npos) break;
      words.remove_prefix(sp + 1);
    }
  }

  int symbols() const { return symbols_; }

 private:
  std::string& out_;
  size_t start_;
  int symbols_ = 0;
};

// Letter names one after another, stressed on the last one.
void spell(std::u16string_view letters, Writer& w) {
  for (size_t i = 0; i < letters.size(); ++i) {
    std::u16string_view name = letterName(letters[i]);
    bool last = i + 1 == letters.size();
    size_t sp = name.find(u' ');
    if (sp != std::u16string_view::npos) {  // "yumuşak ge", "çift ve"
      w.word(name.substr(0, sp), -1);
      name.remove_prefix(sp + 1);
    }
    w.word(name, last ? tr::countVowels(name) - 1 : -1);
  }
}

void speakEntry(const tr::Entry& e, std::u16string_view lower, Writer& w) {
  if (e.respell.empty()) {
    w.word(lower, tr::stressedVowel(lower));
    return;
  }
  if (e.respell.find(u' ') == std::u16string_view::npos && e.stress != tr::kFinalStress) {
    int n = tr::countVowels(e.respell);
    int s = e.stress == tr::kUnstressed ? -1 : (e.stress - 1 < n ? e.stress - 1 : n - 1);
    w.word(e.respell, s);
    return;
  }
  w.text(e.respell);
}

void speakLetters(const Run& run, Writer& w) {
  std::u16string_view text = run.text;
  if (run.role == Run::kApostropheSuffix) {
    w.word(text, -1);
    return;
  }
  int vowels = tr::countVowels(text);
  bool acronymShaped = text.size() == 1 || vowels == 0 || (run.allCaps && text.size() <= 4);
  if (const tr::Entry* e = tr::findEntry(text)) {
    if (!acronymShaped || (e->flags & tr::kCapsWord) || !e->respell.empty()) {
      speakEntry(*e, text, w);
      return;
    }
  }
  if (acronymShaped) {
    spell(text, w);
    return;
  }
  if (run.role == Run::kApostropheStem && !tr::findEntry(text)) {
    w.word(text, tr::nameStressedVowel(text));
    return;
  }
  w.word(text, tr::stressedVowel(text));
}

// A word that is a single sign, as the verbalisers leave currency signs
// ("yirmi beş $"): its Turkish name, or empty.
std::u16string_view signName(std::u16string_view word) {
  if (word.size() != 1) return u"";
  switch (word[0]) {
    case u'$': return u"dolar";
    case u'\u20AC': return u"avro";
    case u'\u00A3': return u"sterlin";
    case u'\u00A5': return u"yen";
    case u'%': return u"yüzde";
    case u'&': return u"ve";
    case u'@': return u"et";
    case u'+': return u"artı";
    case u'=': return u"eşittir";
    default: return u"";
  }
}

}  // namespace

bool pronounceTurkish(std::u16string_view word, std::string& out) {
  if (word.size() > kMaxWordUnits) word = word.substr(0, kMaxWordUnits);
  // Kept from word to word (one per thread): a word no longer than one met
  // before is split without allocating.
  thread_local std::vector<Run> runs;
  const size_t runCount = tr::splitWord(word, runs);
  Writer w(out);
  std::u16string_view sign = signName(word);
  if (!sign.empty()) {
    w.text(sign);
    return w.symbols() > 0;
  }
  std::u16string numberWords;
  for (size_t k = 0; k < runCount; ++k) {
    const Run& run = runs[k];
    if (run.text.empty()) continue;
    if (run.kind == Run::kDigits) {
      numberWords.clear();
      tr::appendNumberWords(run.text, numberWords);
      w.text(numberWords);
    } else {
      speakLetters(run, w);
    }
  }
  return w.symbols() > 0;
}

}  // namespace corvum
