// Polish word stress: the penultimate syllable, with the antepenultimate in
// Greek/Latin "-yka"/"-ika" words and in past-tense "-liśmy"/"-łyśmy"/
// "-liście"/"-łyście" and conditional "-łaby"/"-liby" forms, the fourth from the
// end in "-libyśmy", and a short list of words that keep their own stress.
#include <string_view>
#include "pl/polish_internal.h"

namespace corvum {
namespace pl {

namespace {

struct StressException {
  std::u16string_view word;
  int fromEnd;  // 1 = last syllable, 2 = penultimate, ...
};

// Words whose stress breaks the rules below.
constexpr StressException kStressExceptions[] = {
    {u"czterysta", 3},  {u"dziewięćset", 3}, {u"koszyka", 2}, {u"koszyki", 2},
    {u"opera", 3},      {u"osiemset", 3},    {u"okej", 1},    {u"siedemset", 3},
    {u"uniwersytet", 3}, {u"języka", 2},     {u"języki", 2},
};

std::u16string_view view(const char16_t* letters, int n) {
  return std::u16string_view(letters, static_cast<size_t>(n));
}

const StressException* findStressException(std::u16string_view word) {
  for (const StressException& entry : kStressExceptions)  // a dozen entries: a scan is enough
    if (word == entry.word) return &entry;
  return nullptr;
}

bool endsWith(std::u16string_view w, std::u16string_view tail) {
  return w.size() >= tail.size() && w.compare(w.size() - tail.size(), tail.size(), tail) == 0;
}

bool isConsonantLetter(char16_t c) {
  return c != 0 && std::u16string_view(u"aeiouyąęó").find(c) == std::u16string_view::npos;
}

// Syllable, counted from the end, that the endings of the word select.
int ruleFromEnd(std::u16string_view w) {
  static constexpr std::u16string_view kFourth[] = {u"libyśmy", u"łybyśmy", u"libyście", u"łybyście"};
  static constexpr std::u16string_view kThird[] = {u"liśmy", u"łyśmy", u"liście", u"łyście", u"łabym",
                                                   u"łabyś", u"łaby",  u"łoby",   u"liby",   u"łyby"};
  static constexpr std::u16string_view kGreek[] = {u"yka", u"yki", u"yce", u"ykę", u"yką",
                                                   u"ika", u"iki", u"ikę", u"iką"};
  for (std::u16string_view e : kFourth)
    if (endsWith(w, e)) return 4;
  for (std::u16string_view e : kThird)
    if (endsWith(w, e)) return 3;
  for (std::u16string_view e : kGreek) {
    if (!endsWith(w, e)) continue;
    // "-nika" after a consonant is the genitive of a "-nik" noun
    // ("czytelnika", "pomnika"): regular, except after "ch" ("technika").
    const size_t stem = w.size() - e.size();
    if (e[0] == u'i' && stem >= 2 && w[stem - 1] == u'n' && isConsonantLetter(w[stem - 2]) &&
        w[stem - 2] != u'h')
      return 2;
    return 3;
  }
  return 2;
}

}  // namespace

int stressedVowel(const char16_t* letters, int n, const Phone* phones, int count) {
  int vowels = 0;
  for (int k = 0; k < count; ++k) vowels += isVowel(phones[k]) ? 1 : 0;
  if (vowels == 0) return -1;
  const std::u16string_view w = view(letters, n);
  const StressException* e = findStressException(w);
  int fromEnd = e ? e->fromEnd : ruleFromEnd(w);
  while (fromEnd > vowels) --fromEnd;  // short words: as far back as they go
  int seen = 0;
  for (int k = count - 1; k >= 0; --k) {
    if (isVowel(phones[k]) && ++seen == fromEnd) return k;
  }
  return -1;
}

}  // namespace pl
}  // namespace corvum
