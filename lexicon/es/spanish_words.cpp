#include "es/spanish_words.h"

#include <algorithm>
#include <cstddef>

namespace corvum {
namespace es {
namespace {

struct Respelling {
  std::string_view word;
  std::string_view respelled;
};

// Number words as the number reader writes them (without accents), x read as
// the jota, abbreviations, and a few loans. Accents are capitals: 'O' is ó.
constexpr Respelling kRespellings[] = {
    {"billon", "billOn"},
    {"cuatrillon", "cuatrillOn"},
    {"dieciseis", "diecisEis"},
    {"dolar", "dOlar"},
    {"dolares", "dOlares"},
    {"dollar", "dOlar"},
    {"dollars", "dOlars"},
    {"dr", "doctor"},
    {"dra", "doctora"},
    {"eeuu", "estados unidos"},
    {"etc", "etcEtera"},
    {"hockey", "jOquei"},
    {"jazz", "yas"},
    {"km", "kilOmetros"},
    {"millon", "millOn"},
    {"oaxaca", "oajaca"},
    {"pizza", "pitsa"},
    {"show", "chou"},
    {"sr", "seNor"},
    {"sra", "seNora"},
    {"srta", "seNorita"},
    {"texas", "tejas"},
    {"trillon", "trillOn"},
    {"ud", "usted"},
    {"uds", "ustedes"},
    {"veintidos", "veintidOs"},
    {"veintiseis", "veintisEis"},
    {"veintitres", "veintitrEs"},
    {"veintiun", "veintiUn"},
    {"whisky", "wiski"},
    {"xavier", "javier"},
    {"ximena", "jimena"},
};

constexpr Respelling kPrefixRespellings[] = {
    {"mExic", "mEjic"},
    {"mexic", "mejic"},
    {"texan", "tejan"},
};

constexpr std::string_view kClitics[] = {
    "a", "al", "con", "de", "del", "e", "el", "en", "la", "las", "le", "les", "lo", "los", "me", "mi",
    "mis", "ni", "nos", "o", "os", "por", "que", "se", "sin", "su", "sus", "te", "tu", "tus", "u", "un", "y",
};

constexpr std::string_view kCapitalsWords[] = {
    "El", "aNo", "aUn", "al", "ante", "aquI", "aqui", "asI", "asi", "aun", "bajo", "bien", "cOmo", "cada",
    "casa", "cien", "como", "con", "cuAl", "cual", "dE", "dIa", "da", "dar", "de", "del", "dia", "dice",
    "diez", "dijo", "dio", "dios", "doce", "dos", "el", "ella", "en", "era", "eres", "es", "esa", "ese",
    "eso", "estA", "esta", "este", "esto", "fin", "fue", "gran", "ha", "hace", "han", "has", "hay", "haz",
    "he", "hoy", "ir", "la", "las", "le", "les", "ley", "lo", "los", "luz", "mAs", "mI", "mal", "mar",
    "mas", "me", "mes", "mi", "mil", "mis", "muy", "nada", "ni", "no", "nos", "ocho", "once", "os", "otra",
    "otro", "pan", "para", "paz", "pero", "poco", "por", "pues", "quE", "que", "rey", "sE", "sI", "se",
    "sea", "seis", "ser", "si", "sin", "sino", "sol", "son", "soy", "su", "sur", "sus", "tE", "tU", "tal",
    "tan", "te", "ti", "toda", "todo", "tras", "tres", "tu", "tus", "un", "una", "uno", "unos", "va", "vas",
    "ve", "ver", "vez", "vida", "voz", "ya", "yo",
};

constexpr std::string_view kNonAdverbs[] = {
    "complemente", "implemente", "incremente", "suplemente", "vehemente",
};

// Letter names, indexed from 'a'; ñ, ü and ç are handled apart.
constexpr std::string_view kLetterNames[26] = {
    "A",   "bE",  "cE",   "dE",    "E",   "Efe",  "gE",  "Ache", "I",         "jOta", "kA",    "Ele",   "Eme",
    "Ene", "O",   "pE",   "cU",    "Erre", "Ese", "tE",  "U",    "Uve", "Uve dOble", "Equis", "i griEga", "zEta",
};

template <std::size_t N>
bool contains(const std::string_view (&table)[N], std::string_view word) {
  return std::binary_search(table, table + N, word);
}

template <typename T, std::size_t N, typename Key>
bool sortedUnique(const T (&table)[N], Key key) {
  for (std::size_t i = 1; i < N; ++i) {
    if (!(key(table[i - 1]) < key(table[i]))) return false;
  }
  return true;
}

}  // namespace

std::string_view spanishRespelling(std::string_view word) {
  const auto* end = kRespellings + sizeof kRespellings / sizeof kRespellings[0];
  const auto* it =
      std::lower_bound(kRespellings, end, word, [](const Respelling& r, std::string_view w) { return r.word < w; });
  if (it != end && it->word == word) return it->respelled;
  return {};
}

std::string_view spanishPrefixRespelling(std::string_view word, std::size_t* prefixLength) {
  for (const Respelling& r : kPrefixRespellings) {
    if (word.size() > r.word.size() && word.substr(0, r.word.size()) == r.word) {
      *prefixLength = r.word.size();
      return r.respelled;
    }
  }
  return {};
}

bool isSpanishClitic(std::string_view word) { return contains(kClitics, word); }

bool isSpanishCapitalsWord(std::string_view word) { return contains(kCapitalsWords, word); }

bool isSpanishNonAdverb(std::string_view word) { return contains(kNonAdverbs, word); }

std::string_view spanishLetterName(char code) {
  if (code >= 'a' && code <= 'z') return kLetterNames[code - 'a'];
  switch (code) {
    case 'A': return "A";
    case 'E': return "E";
    case 'I': return "I";
    case 'O': return "O";
    case 'U': case 'W': return "U";
    case 'N': return "ENe";
    case 'C': return "cE";
    default: return {};
  }
}

bool spanishWordTablesSorted() {
  auto word = [](const Respelling& r) { return r.word; };
  auto self = [](std::string_view s) { return s; };
  return sortedUnique(kRespellings, word) && sortedUnique(kPrefixRespellings, word) &&
         sortedUnique(kClitics, self) && sortedUnique(kCapitalsWords, self) && sortedUnique(kNonAdverbs, self);
}

}  // namespace es
}  // namespace corvum
