// Polish letter names (acronyms, single letters, vowel-less words) and number
// words for digits inside a word.
#include <cstring>
#include <string_view>
#include "pl/polish_internal.h"

namespace corvum {
namespace pl {

namespace {

struct LetterName {
  char16_t letter;
  const char* symbols;  // the name in lexicon symbols; stress goes on its first vowel
};

constexpr LetterName kLetterNames[] = {
    {u'a', "a"},      {u'ą', "o~"},      {u'b', "b e"},       {u'c', "ts e"},  {u'ć', "ts+ i"},
    {u'd', "d e"},    {u'e', "e"},       {u'ę', "e~"},        {u'f', "e f"},   {u'g', "g+ e"},
    {u'h', "x a"},    {u'i', "i"},       {u'j', "j o t"},     {u'k', "k a"},   {u'l', "e l"},
    {u'ł', "e w"},    {u'm', "e m"},     {u'n', "e n"},       {u'ń', "e n+"},  {u'o', "o"},
    {u'ó', "u"},      {u'p', "p e"},     {u'q', "k u"},       {u'r', "e r"},   {u's', "e s"},
    {u'ś', "e s+"},   {u't', "t e"},     {u'u', "u"},         {u'v', "f a w"}, {u'w', "v u"},
    {u'x', "i k s"},  {u'y', "I g r e k"}, {u'z', "z e t"},   {u'ź', "z+ e t"}, {u'ż', "Z e t"},
};

bool isVowelSymbol(std::string_view s) {
  return s == "a" || s == "e" || s == "i" || s == "o" || s == "u" || s == "I" || s == "e~" || s == "o~";
}

void appendLetterName(const char* symbols, bool stressed, std::string& out) {
  bool stressDone = !stressed;
  const char* p = symbols;
  while (*p) {
    const char* end = std::strchr(p, ' ');
    const size_t len = end ? static_cast<size_t>(end - p) : std::strlen(p);
    if (!out.empty() && out.back() != ' ') out.push_back(' ');
    out.append(p, len);
    if (!stressDone && isVowelSymbol(std::string_view(p, len))) {
      out.push_back('1');
      stressDone = true;
    }
    p += len;
    if (*p == ' ') ++p;
  }
}

const char16_t* const kUnits[20] = {
    u"zero",       u"jeden",       u"dwa",          u"trzy",           u"cztery",
    u"pięć",       u"sześć",       u"siedem",       u"osiem",          u"dziewięć",
    u"dziesięć",   u"jedenaście",  u"dwanaście",    u"trzynaście",     u"czternaście",
    u"piętnaście", u"szesnaście",  u"siedemnaście", u"osiemnaście",    u"dziewiętnaście",
};
const char16_t* const kTens[10] = {
    nullptr,           nullptr,          u"dwadzieścia",    u"trzydzieści",    u"czterdzieści",
    u"pięćdziesiąt",   u"sześćdziesiąt", u"siedemdziesiąt", u"osiemdziesiąt", u"dziewięćdziesiąt",
};
const char16_t* const kHundreds[10] = {
    nullptr,    u"sto",      u"dwieście", u"trzysta",    u"czterysta",
    u"pięćset", u"sześćset", u"siedemset", u"osiemset",  u"dziewięćset",
};
// Scale words in the three number forms: 1, 2-4 (not 12-14), other.
const char16_t* const kThousand[3] = {u"tysiąc", u"tysiące", u"tysięcy"};
const char16_t* const kMillion[3] = {u"milion", u"miliony", u"milionów"};

void sayWord(const char16_t* word, std::string& out) {
  appendWord(word, static_cast<int>(std::char_traits<char16_t>::length(word)), out);
}

void sayBelowThousand(int v, std::string& out) {
  if (v >= 100) sayWord(kHundreds[v / 100], out);
  v %= 100;
  if (v >= 20) {
    sayWord(kTens[v / 10], out);
    v %= 10;
    if (v > 0) sayWord(kUnits[v], out);
  } else if (v > 0) {
    sayWord(kUnits[v], out);
  }
}

int scaleForm(int v) {
  if (v == 1) return 0;
  const int last = v % 10;
  const int lastTwo = v % 100;
  return last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14) ? 1 : 2;
}

void sayGroup(int v, const char16_t* const* scale, std::string& out) {
  if (v == 0) return;
  if (v != 1) sayBelowThousand(v, out);
  sayWord(scale[scaleForm(v)], out);
}

}  // namespace

void appendSpelled(const char16_t* letters, int n, std::string& out) {
  for (int k = 0; k < n; ++k) {
    for (const LetterName& name : kLetterNames) {
      if (name.letter == letters[k]) {
        appendLetterName(name.symbols, k + 1 == n, out);
        break;
      }
    }
  }
}

void appendDigits(const char16_t* digits, int n, std::string& out) {
  // Up to nine digits without a leading zero read as one number; anything else
  // digit by digit ("007", long serial numbers).
  if (n <= 9 && (digits[0] != u'0' || n == 1)) {
    int value = 0;
    for (int k = 0; k < n; ++k) value = value * 10 + (digits[k] - u'0');
    if (value == 0) {
      sayWord(kUnits[0], out);
      return;
    }
    sayGroup(value / 1000000, kMillion, out);
    sayGroup(value / 1000 % 1000, kThousand, out);
    sayBelowThousand(value % 1000, out);
    return;
  }
  for (int k = 0; k < n; ++k) sayWord(kUnits[digits[k] - u'0'], out);
}

}  // namespace pl
}  // namespace corvum
