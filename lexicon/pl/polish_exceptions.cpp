// Polish words the letter rules cannot read, and abbreviations in capitals
// that are said as words rather than spelled.
#include <string_view>
#include "pl/polish_internal.h"

namespace corvum {
namespace pl {

namespace {

struct WordException {
  std::u16string_view word;
  const char* pronunciation;
};

// Words the letter rules cannot read. "pięćdziesiat" is how the number
// verbaliser spells fifty; it is read as "pięćdziesiąt".
constexpr WordException kWordExceptions[] = {
    {u"chopin", "S o1 p e n"},
    {u"jazz", "dZ e1 s"},
    {u"pięćdziesiat", "p+ e n+ dz+ dz+ e1 s+ o n t"},
    {u"pizza", "p i1 ts a"},
    {u"rzeczpospolita", "Z e2 tS p o s p o l i1 t a"},
    {u"show", "S o1 w"},
    {u"weekend", "w i1 k e n t"},
    {u"yen", "j e1 n"},
};

// Capitalised abbreviations pronounced as words ("NATO", "ZUS").
constexpr std::u16string_view kSaidAsWords[] = {
    u"gus", u"lot", u"nato", u"nik", u"pan", u"pap", u"pis", u"pit", u"vat", u"zus",
};

}  // namespace

const char* exceptionPronunciation(const char16_t* letters, int n) {
  const std::u16string_view word(letters, static_cast<size_t>(n));
  for (const WordException& e : kWordExceptions)
    if (word == e.word) return e.pronunciation;
  return nullptr;
}

bool capitalsSaidAsWord(const char16_t* letters, int n) {
  const std::u16string_view word(letters, static_cast<size_t>(n));
  for (std::u16string_view w : kSaidAsWords)
    if (word == w) return true;
  return false;
}

}  // namespace pl
}  // namespace corvum
