// Turkish stress placement.
#include "tr/turkish_stress.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "tr/turkish_letters.h"
#include "tr/turkish_lexicon.h"

namespace corvum {
namespace tr {
namespace {

// Number of vowels in lower[0, end).
int vowelsBefore(std::u16string_view lower, size_t end) { return countVowels(lower.substr(0, end)); }

// Every ending that begins with the negative "-ma/-me" and ends the word:
// past, progressive, future, aorist, evidential, conditional, necessitative,
// imperative/optative forms, the negative infinitive and converbs.
const std::vector<std::u16string>& negativeEndings() {
  static const std::vector<std::u16string> endings = [] {
    struct Family {
      const char16_t* base;
      std::initializer_list<const char16_t*> tails;
    };
    const Family families[] = {
        {u"madı", {u"", u"m", u"n", u"k", u"nız", u"lar", u"ysa"}},
        {u"medi", {u"", u"m", u"n", u"k", u"niz", u"ler", u"yse"}},
        {u"mıyor", {u"", u"um", u"sun", u"uz", u"sunuz", u"lar", u"du", u"dum", u"dun", u"duk", u"dunuz",
                    u"lardı", u"muş", u"sa", u"ken"}},
        {u"miyor", {u"", u"um", u"sun", u"uz", u"sunuz", u"lar", u"du", u"dum", u"dun", u"duk", u"dunuz",
                    u"lardı", u"muş", u"sa", u"ken"}},
        {u"muyor", {u"", u"um", u"sun", u"uz", u"sunuz", u"lar", u"du", u"dum", u"dun", u"duk", u"dunuz",
                    u"lardı", u"muş", u"sa", u"ken"}},
        {u"müyor", {u"", u"um", u"sun", u"uz", u"sunuz", u"lar", u"du", u"dum", u"dun", u"duk", u"dunuz",
                    u"lardı", u"muş", u"sa", u"ken"}},
        {u"mayacak", {u"", u"sın", u"sınız", u"lar", u"tı", u"tır", u"mış"}},
        {u"meyecek", {u"", u"sin", u"siniz", u"ler", u"ti", u"tir", u"miş"}},
        {u"mayacağ", {u"ım", u"ız"}},
        {u"meyeceğ", {u"im", u"iz"}},
        {u"maz", {u"", u"sın", u"sınız", u"lar", u"dı", u"sa", u"ken"}},
        {u"mez", {u"", u"sin", u"siniz", u"ler", u"di", u"se", u"ken"}},
        {u"mam", {u"", u"ış", u"ışım", u"ışsın", u"ışız", u"ışlar", u"ıştı", u"ak", u"alı", u"alıyım",
                  u"alısın", u"alıyız", u"alılar", u"alıdır"}},
        {u"mem", {u"", u"iş", u"işim", u"işsin", u"işiz", u"işler", u"işti", u"ek", u"eli", u"eliyim",
                  u"elisin", u"eliyiz", u"eliler", u"elidir"}},
        {u"may", {u"ız", u"ın", u"ınız", u"alım", u"ayım", u"ıp", u"an"}},
        {u"mey", {u"iz", u"in", u"iniz", u"elim", u"eyim", u"ip", u"en"}},
        {u"masa", {u"", u"m", u"n", u"k", u"nız", u"lar"}},
        {u"mese", {u"", u"m", u"n", u"k", u"niz", u"ler"}},
        {u"masın", {u"", u"lar"}},
        {u"mesin", {u"", u"ler"}},
        {u"madan", {u""}},
        {u"meden", {u""}},
    };
    std::vector<std::u16string> v;
    for (const Family& f : families)
      for (const char16_t* t : f.tails) v.push_back(std::u16string(f.base) + t);
    std::sort(v.begin(), v.end());
    return v;
  }();
  return endings;
}

bool isNegativeEnding(std::u16string_view rest) {
  const std::vector<std::u16string>& v = negativeEndings();
  return std::binary_search(v.begin(), v.end(), rest, [](std::u16string_view a, std::u16string_view b) {
    return a < b;
  });
}

// Endings after the progressive "-yor".
constexpr std::u16string_view kProgressiveTails[] = {
    u"",     u"um",  u"sun", u"uz",  u"sunuz", u"lar", u"du", u"dum", u"dun",
    u"duk",  u"dunuz", u"lardı", u"muş", u"sa", u"ken", u"dur", u"larmış",
};

// Position of the stressed vowel when the word ends in a pre-stressing
// negative ending: the last vowel of the stem before it; -1 when none.
int negativeStress(std::u16string_view w) {
  for (size_t p = 2; p + 2 <= w.size(); ++p) {
    if (w[p] != u'm' || !isVowel(w[p + 1])) continue;
    int before = vowelsBefore(w, p);
    if (before == 0) continue;
    if (isNegativeEnding(w.substr(p))) return before - 1;
  }
  return -1;
}

// Progressive "-(I)yor": stress on the vowel before "yor".
int progressiveStress(std::u16string_view w) {
  for (size_t p = 1; p + 3 <= w.size(); ++p) {
    if (w[p] != u'y' || w[p + 1] != u'o' || w[p + 2] != u'r') continue;
    char16_t v = w[p - 1];
    if (v != u'ı' && v != u'i' && v != u'u' && v != u'ü') continue;
    std::u16string_view tail = w.substr(p + 3);
    for (std::u16string_view t : kProgressiveTails)
      if (tail == t) return vowelsBefore(w, p) - 1;
  }
  return -1;
}

// Comitative "-(y)la/-(y)le" after a vowel and the converb "-ken" after the
// aorist "-r": stress on the vowel before the suffix.
int encliticStress(std::u16string_view w) {
  size_t n = w.size();
  if (n >= 5 && w[n - 3] == u'y' && w[n - 2] == u'l' && (w[n - 1] == u'a' || w[n - 1] == u'e') &&
      isVowel(w[n - 4]))
    return vowelsBefore(w, n - 3) - 1;
  if (n >= 6 && w.substr(n - 4) == u"rken" && isVowel(w[n - 5])) return vowelsBefore(w, n - 4) - 1;
  return -1;
}

// Converts an entry's 1-based syllable number into a vowel ordinal.
int entryStress(const Entry& e, std::u16string_view lower) {
  if (e.stress == kUnstressed) return -1;
  int n = countVowels(lower);
  if (e.stress == kFinalStress) return n - 1;
  int s = e.stress - 1;
  return s < n ? s : n - 1;
}

}  // namespace

int ruleStressedVowel(std::u16string_view lower) {
  int n = countVowels(lower);
  if (n == 0) return -1;
  if (n == 1) return 0;
  int s = negativeStress(lower);
  if (s >= 0) return s;
  s = progressiveStress(lower);
  if (s >= 0) return s;
  s = encliticStress(lower);
  if (s >= 0) return s;
  return n - 1;
}

int stressedVowel(std::u16string_view lower) {
  if (const Entry* e = findEntry(lower)) return entryStress(*e, lower);
  // A listed stem followed by inflections keeps the stem's stress.
  for (size_t len = lower.size() - (lower.empty() ? 0 : 1); len >= 2; --len) {
    const Entry* e = findEntry(lower.substr(0, len));
    if (!e || !(e->flags & kSuffixable) || !e->respell.empty()) continue;
    if (!isInflectionChain(lower.substr(len))) continue;
    if (e->stress == kFinalStress || e->stress == kUnstressed) break;
    return entryStress(*e, lower.substr(0, len));
  }
  return ruleStressedVowel(lower);
}

int nameStressedVowel(std::u16string_view lower) {
  int n = countVowels(lower);
  if (n == 0) return -1;
  if (n == 1) return 0;
  if (n == 2) return 0;
  // Positions of the vowels; a syllable is heavy when its vowel is followed by
  // two consonants before the next vowel (a closed syllable).
  size_t pos[3] = {0, 0, 0};  // antepenultimate, penultimate, final vowel
  int seen = 0;
  for (size_t i = 0; i < lower.size(); ++i) {
    if (!isVowel(lower[i])) continue;
    ++seen;
    if (seen >= n - 2) pos[seen - (n - 2)] = i;
  }
  auto heavy = [&](size_t v, size_t next) { return next - v - 1 >= 2; };
  bool antepenultHeavy = heavy(pos[0], pos[1]);
  bool penultHeavy = heavy(pos[1], pos[2]);
  return antepenultHeavy && !penultHeavy ? n - 3 : n - 2;
}

}  // namespace tr
}  // namespace corvum
