// The Polish everyday reading: ordinals before a word, units, abbreviations,
// and the chain and verbalisers it reads with.
#include "text/everyday.h"
#include "text/pl/say_pl.h"

namespace tts {

namespace {

// Nominative forms: abbreviations are not declined after prepositions.
const Abbreviation kAbbreviations[] = {
    {u"dr.", u"doktor", kAbbrevBeforeName},
    {u"dr", u"doktor", kAbbrevBeforeName},
    {u"Dr", u"doktor", kAbbrevBeforeName},
    {u"prof.", u"profesor", kAbbrevBeforeName},
    {u"Prof.", u"profesor", kAbbrevBeforeName},
    {u"in\u017C.", u"in\u017Cynier", kAbbrevBeforeName},
    {u"mgr", u"magister", kAbbrevBeforeName},
    {u"godz.", u"godzina", kAbbrevBeforeName},
    {u"ul.", u"ulica", kAbbrevBeforeName},
    {u"al.", u"aleja", kAbbrevBeforeName},
    {u"pl.", u"plac", kAbbrevBeforeName},
    {u"os.", u"osiedle", kAbbrevBeforeName},
    {u"nr", u"numer", kAbbrevBeforeName},
    {u"tel.", u"telefon", kAbbrevBeforeName},
    {u"str.", u"strona", kAbbrevBeforeName},
    {u"s.", u"strona", kAbbrevBeforeName},
    {u"np.", u"na przyk\u0142ad", kAbbrevBeforeName},
    {u"tj.", u"to jest", kAbbrevBeforeName},
    {u"m.in.", u"mi\u0119dzy innymi", kAbbrevBeforeName},
    {u"ok.", u"oko\u0142o", kAbbrevBeforeName},
    {u"wg", u"wed\u0142ug", kAbbrevBeforeName},
    {u"itd.", u"i tak dalej", kAbbrevPlain},
    {u"itp.", u"i tym podobne", kAbbrevPlain},
    {u"z\u0142", u"z\u0142otych", kAbbrevPlain},
    {u"r.", u"roku", kAbbrevPlain},
};

// Forms: one, few (2-4), many, fraction.
const QuantityWords kUnits[] = {
    {u"tys.", {u"tysi\u0105c", u"tysi\u0105ce", u"tysi\u0119cy", u"tysi\u0105ca"}, nullptr, 0},
    {u"mln", {u"milion", u"miliony", u"milion\u00F3w", u"miliona"}, nullptr, 0},
    {u"mld", {u"miliard", u"miliardy", u"miliard\u00F3w", u"miliarda"}, nullptr, 0},
    {u"km/h",
     {u"kilometr na godzin\u0119", u"kilometry na godzin\u0119", u"kilometr\u00F3w na godzin\u0119",
      u"kilometra na godzin\u0119"},
     nullptr, 0},
    {u"km", {u"kilometr", u"kilometry", u"kilometr\u00F3w", u"kilometra"}, nullptr, 0},
    {u"cm", {u"centymetr", u"centymetry", u"centymetr\u00F3w", u"centymetra"}, nullptr, 0},
    {u"mm", {u"milimetr", u"milimetry", u"milimetr\u00F3w", u"milimetra"}, nullptr, 0},
    {u"m", {u"metr", u"metry", u"metr\u00F3w", u"metra"}, nullptr, 0},
    {u"kg", {u"kilogram", u"kilogramy", u"kilogram\u00F3w", u"kilograma"}, nullptr, 0},
    {u"g", {u"gram", u"gramy", u"gram\u00F3w", u"grama"}, nullptr, 0},
    {u"ml", {u"mililitr", u"mililitry", u"mililitr\u00F3w", u"mililitra"}, nullptr, 0},
    {u"l", {u"litr", u"litry", u"litr\u00F3w", u"litra"}, nullptr, 0},
    {u"\u00B0C",
     {u"stopie\u0144 Celsjusza", u"stopnie Celsjusza", u"stopni Celsjusza", u"stopnia Celsjusza"},
     nullptr, 0},
};

}  // namespace

const EverydayReading kEverydayPl = {
    /*decimalMark=*/u',',
    /*thousandsMark=*/u'.',
    /*spaceGroups=*/true,
    /*ordinalBeforeWord=*/true,
    /*percentSignFirst=*/false,
    /*suffixAfterApostrophe=*/false,
    /*chain=*/{{kStepDateSlash, kStepDateDot, kStepTimeColon, kStepTimeDot, kStepEmailDomain, kStepWebAddress,
               kStepPercent, kStepCurrencyAmount, kStepAmountUnit, kStepDigitString, kStepOtherNumber},
              11},
    /*say=*/{pl::sayCardinalEveryday, pl::sayDigitString, pl::sayNumberEveryday, pl::sayDate, pl::sayTime},
    /*sayDigits=*/pl::sayDigitsEveryday,
    /*sayOrdinal=*/pl::sayOrdinalEveryday,
    /*countForm=*/pl::countForm,
    /*abbreviations=*/kAbbreviations,
    /*abbreviationCount=*/int32_t(sizeof(kAbbreviations) / sizeof(kAbbreviations[0])),
    /*units=*/kUnits,
    /*unitCount=*/int32_t(sizeof(kUnits) / sizeof(kUnits[0])),
};

}  // namespace tts
