// The Spanish everyday reading: ordinals with their indicators, units,
// abbreviations, and the chain and verbalisers it reads with.
#include "text/es/say_es.h"
#include "text/everyday.h"

namespace tts {
namespace es {

namespace {

const char16_t* const kOrdinalUnits[10] = {u"",       u"primero", u"segundo", u"tercero",   u"cuarto",
                                           u"quinto", u"sexto",   u"s\u00E9ptimo", u"octavo", u"noveno"};
const char16_t* const kOrdinalTeens[10] = {u"d\u00E9cimo",        u"und\u00E9cimo",      u"duod\u00E9cimo",
                                           u"decimotercero",      u"decimocuarto",       u"decimoquinto",
                                           u"decimosexto",        u"decimos\u00E9ptimo", u"decimoctavo",
                                           u"decimonoveno"};
const char16_t* const kOrdinalTens[10] = {u"",
                                          u"",
                                          u"vig\u00E9simo",
                                          u"trig\u00E9simo",
                                          u"cuadrag\u00E9simo",
                                          u"quincuag\u00E9simo",
                                          u"sexag\u00E9simo",
                                          u"septuag\u00E9simo",
                                          u"octog\u00E9simo",
                                          u"nonag\u00E9simo"};

// An ordinal word ending in 'o', in the indicator's form: 'ª' turns the final
// 'o' into 'a'; 'r' drops it from "primero" and "tercero" (and their compounds).
void writeOrdinalWord(TextWriter* w, const char16_t* word, char16_t marker, bool last) {
  const int32_t n = wstrLength(word);
  for (int32_t i = 0; i + 1 < n; ++i) writerPut(w, word[i]);
  if (marker == 0xAA) {
    writerPut(w, u'a');
  } else if (marker == u'r' && last && n >= 3 && word[n - 2] == u'r' && word[n - 3] == u'e') {
    // "primer", "tercer"
  } else {
    writerPut(w, word[n - 1]);
  }
}

}  // namespace

int32_t sayOrdinalEveryday(TextWriter* w, const char16_t* number, char16_t marker, const char16_t* /*nextWord*/) {
  const int32_t start = w->length;
  const int32_t v = digitValue(number);
  if (v < 1 || v > 99 || wstrLength(number) > 2) {
    sayCardinalEveryday(w, number, marker == 0xAA ? 2 : 1);
    return w->length - start;
  }
  if (v < 10) {
    writeOrdinalWord(w, kOrdinalUnits[v], marker, true);
  } else if (v < 20) {
    writeOrdinalWord(w, kOrdinalTeens[v - 10], marker, true);
  } else {
    writeOrdinalWord(w, kOrdinalTens[v / 10], marker, v % 10 == 0);
    if (v % 10 > 0) {
      writerPut(w, u' ');
      writeOrdinalWord(w, kOrdinalUnits[v % 10], marker, true);
    }
  }
  return w->length - start;
}

int32_t countForm(const char16_t* number) {
  const char16_t* p = number != nullptr && number[0] == u'-' ? number + 1 : number;
  return p != nullptr && p[0] == u'1' && p[1] == 0 ? 0 : 1;
}

}  // namespace es

namespace {

// Titles, time, places and references. Kinds: a name or number follows
// (never a sentence end), or plain (a sentence end before a capital letter).
const Abbreviation kAbbreviations[] = {
    {u"Sr.", u"se\u00F1or", kAbbrevBeforeName},
    {u"Sra.", u"se\u00F1ora", kAbbrevBeforeName},
    {u"Srta.", u"se\u00F1orita", kAbbrevBeforeName},
    {u"Sres.", u"se\u00F1ores", kAbbrevBeforeName},
    {u"Dr.", u"doctor", kAbbrevBeforeName},
    {u"Dra.", u"doctora", kAbbrevBeforeName},
    {u"Prof.", u"profesor", kAbbrevBeforeName},
    {u"prof.", u"profesor", kAbbrevBeforeName},
    {u"Profa.", u"profesora", kAbbrevBeforeName},
    {u"Ud.", u"usted", kAbbrevPlain},
    {u"Uds.", u"ustedes", kAbbrevPlain},
    {u"a. m.", u"de la ma\u00F1ana", kAbbrevPlain},
    {u"p. m.", u"de la tarde", kAbbrevPlain},
    {u"Avda.", u"avenida", kAbbrevBeforeName},
    {u"Av.", u"avenida", kAbbrevBeforeName},
    {u"C/", u"calle", kAbbrevBeforeName},
    {u"Pza.", u"plaza", kAbbrevBeforeName},
    {u"n\u00FAm.", u"n\u00FAmero", kAbbrevBeforeName},
    {u"N\u00FAm.", u"n\u00FAmero", kAbbrevBeforeName},
    {u"tel.", u"tel\u00E9fono", kAbbrevBeforeName},
    {u"Tel.", u"tel\u00E9fono", kAbbrevBeforeName},
    {u"p\u00E1g.", u"p\u00E1gina", kAbbrevBeforeName},
    {u"p\u00E1gs.", u"p\u00E1ginas", kAbbrevBeforeName},
    {u"p. ej.", u"por ejemplo", kAbbrevBeforeName},
    {u"aprox.", u"aproximadamente", kAbbrevPlain},
    {u"etc.", u"etc\u00E9tera", kAbbrevPlain},
    {u"vs.", u"contra", kAbbrevBeforeName},
    {u"EE. UU.", u"Estados Unidos", kAbbrevPlain},
};

const QuantityWords kUnits[] = {
    {u"km/h", {u"kil\u00F3metro por hora", u"kil\u00F3metros por hora"}, nullptr, 1},
    {u"km", {u"kil\u00F3metro", u"kil\u00F3metros"}, nullptr, 1},
    {u"cm", {u"cent\u00EDmetro", u"cent\u00EDmetros"}, nullptr, 1},
    {u"mm", {u"mil\u00EDmetro", u"mil\u00EDmetros"}, nullptr, 1},
    {u"m", {u"metro", u"metros"}, nullptr, 1},
    {u"kg", {u"kilo", u"kilos"}, nullptr, 1},
    {u"g", {u"gramo", u"gramos"}, nullptr, 1},
    {u"ml", {u"mililitro", u"mililitros"}, nullptr, 1},
    {u"l", {u"litro", u"litros"}, nullptr, 1},
    {u"\u00B0C", {u"grado", u"grados"}, nullptr, 1},
};

}  // namespace

const EverydayReading kEverydayEs = {
    /*decimalMark=*/u',',
    /*thousandsMark=*/u'.',
    /*spaceGroups=*/true,
    /*ordinalBeforeWord=*/false,
    /*percentSignFirst=*/false,
    /*suffixAfterApostrophe=*/false,
    /*chain=*/{{kStepDateSlash, kStepDateDash, kStepDateDot, kStepTimeH, kStepTimeColon, kStepTimeDot, kStepEmailDomain, kStepWebAddress,
               kStepPercent, kStepCurrencyAmount, kStepAmountUnit, kStepDigitString, kStepOtherNumber},
              13},
    /*say=*/{es::sayCardinalEveryday, es::sayDigitString, es::sayNumberEveryday, es::sayDateEveryday, es::sayTimeEveryday},
    /*sayDigits=*/es::sayDigitsEveryday,
    /*sayOrdinal=*/es::sayOrdinalEveryday,
    /*countForm=*/es::countForm,
    /*abbreviations=*/kAbbreviations,
    /*abbreviationCount=*/int32_t(sizeof(kAbbreviations) / sizeof(kAbbreviations[0])),
    /*units=*/kUnits,
    /*unitCount=*/int32_t(sizeof(kUnits) / sizeof(kUnits[0])),
};

}  // namespace tts
