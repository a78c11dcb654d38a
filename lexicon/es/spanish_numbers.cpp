#include "es/spanish_numbers.h"

#include <cstdint>

namespace corvum {
namespace es {
namespace {

constexpr const char* kBelowThirty[30] = {
    "cero",       "uno",        "dos",        "tres",        "cuatro",      "cinco",
    "seis",       "siete",      "ocho",       "nueve",       "diez",        "once",
    "doce",       "trece",      "catorce",    "quince",      "diecisEis",   "diecisiete",
    "dieciocho",  "diecinueve", "veinte",     "veintiuno",   "veintidOs",   "veintitrEs",
    "veinticuatro", "veinticinco", "veintisEis", "veintisiete", "veintiocho", "veintinueve",
};
constexpr const char* kTens[10] = {
    "", "", "", "treinta", "cuarenta", "cincuenta", "sesenta", "setenta", "ochenta", "noventa",
};
constexpr const char* kHundreds[10] = {
    "",           "ciento",        "doscientos",  "trescientos", "cuatrocientos",
    "quinientos", "seiscientos",   "setecientos", "ochocientos", "novecientos",
};

void addWord(std::string& words, const char* word) {
  if (!words.empty()) words.push_back(' ');
  words.append(word);
}

// 1..999. `shortOne`: "un"/"veintiún" before mil and millón.
void belowThousand(int32_t v, bool shortOne, std::string& words) {
  const int32_t hundreds = v / 100;
  const int32_t rest = v % 100;
  if (hundreds > 0) addWord(words, hundreds == 1 && rest == 0 ? "cien" : kHundreds[hundreds]);
  if (rest == 0) return;
  if (rest < 30) {
    if (shortOne && rest == 1) {
      addWord(words, "un");
    } else if (shortOne && rest == 21) {
      addWord(words, "veintiUn");
    } else {
      addWord(words, kBelowThirty[rest]);
    }
    return;
  }
  addWord(words, kTens[rest / 10]);
  if (rest % 10 == 0) return;
  addWord(words, "y");
  addWord(words, shortOne && rest % 10 == 1 ? "un" : kBelowThirty[rest % 10]);
}

// 1..999999.
void belowMillion(int32_t v, bool shortOne, std::string& words) {
  const int32_t thousands = v / 1000;
  const int32_t rest = v % 1000;
  if (thousands > 0) {
    if (thousands > 1) belowThousand(thousands, true, words);
    addWord(words, "mil");
  }
  if (rest > 0) belowThousand(rest, shortOne, words);
}

}  // namespace

void spanishNumberWords(std::string_view digits, std::string& words) {
  if (digits.empty()) return;
  if (digits.size() > 12 || (digits.size() > 1 && digits[0] == '0')) {
    for (char d : digits) addWord(words, kBelowThirty[d - '0']);
    return;
  }
  int64_t value = 0;
  for (char d : digits) value = value * 10 + (d - '0');
  if (value == 0) {
    addWord(words, "cero");
    return;
  }
  const int32_t millions = static_cast<int32_t>(value / 1000000);
  const int32_t rest = static_cast<int32_t>(value % 1000000);
  if (millions > 0) {
    belowMillion(millions, true, words);
    addWord(words, millions == 1 ? "millOn" : "millones");
  }
  if (rest > 0) belowMillion(rest, false, words);
}

}  // namespace es
}  // namespace corvum
