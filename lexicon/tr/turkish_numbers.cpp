// Turkish cardinals: units, tens, "yüz", and the scale words up to "trilyon".
#include "tr/turkish_numbers.h"

namespace corvum {
namespace tr {
namespace {

constexpr std::u16string_view kUnits[10] = {u"sıfır", u"bir", u"iki",  u"üç",    u"dört",
                                            u"beş",   u"altı", u"yedi", u"sekiz", u"dokuz"};
constexpr std::u16string_view kTens[10] = {u"",       u"on",     u"yirmi",  u"otuz",   u"kırk",
                                           u"elli",   u"altmış", u"yetmiş", u"seksen", u"doksan"};
// Scale word by the number of three-digit groups that follow.
constexpr std::u16string_view kScales[5] = {u"", u"bin", u"milyon", u"milyar", u"trilyon"};

void put(std::u16string& words, std::u16string_view w) {
  if (!words.empty() && words.back() != u' ') words.push_back(u' ');
  words.append(w);
}

// 1 <= v <= 999
void belowThousand(int v, std::u16string& words) {
  if (v >= 100) {
    if (v / 100 > 1) put(words, kUnits[v / 100]);
    put(words, u"yüz");
    v %= 100;
  }
  if (v >= 10) {
    put(words, kTens[v / 10]);
    v %= 10;
  }
  if (v > 0) put(words, kUnits[v]);
}

}  // namespace

void appendNumberWords(std::u16string_view digits, std::u16string& words) {
  if (digits.empty()) return;
  if (digits.size() > 15 || (digits.size() > 1 && digits[0] == u'0')) {
    for (char16_t d : digits) put(words, kUnits[d - u'0']);
    return;
  }
  if (digits.size() == 1 && digits[0] == u'0') {
    put(words, kUnits[0]);
    return;
  }
  size_t n = digits.size();
  size_t first = n % 3 == 0 ? 3 : n % 3;  // digits in the leftmost group
  size_t pos = 0;
  int groupsAfter = static_cast<int>((n - first) / 3);
  size_t len = first;
  while (pos < n) {
    int v = 0;
    for (size_t i = pos; i < pos + len; ++i) v = v * 10 + (digits[i] - u'0');
    if (v > 0) {
      // "bin" alone for one thousand, never "bir bin"
      if (!(v == 1 && groupsAfter == 1)) belowThousand(v, words);
      if (groupsAfter > 0) put(words, kScales[groupsAfter]);
    }
    pos += len;
    len = 3;
    --groupsAfter;
  }
}

}  // namespace tr
}  // namespace corvum
