// The Turkish everyday reading: '.' groups thousands and ',' marks decimals,
// "%25", ordinals before a word, units, abbreviations.
#include "text/everyday.h"
#include "text/tr/say_tr.h"

namespace tts {

namespace {

const Abbreviation kAbbreviations[] = {
    {u"Dr.", u"doktor", kAbbrevBeforeName},
    {u"Prof.", u"profes\u00F6r", kAbbrevBeforeName},
    {u"Do\u00E7.", u"do\u00E7ent", kAbbrevBeforeName},
    {u"Av.", u"avukat", kAbbrevBeforeName},
    {u"Sok.", u"soka\u011F\u0131", kAbbrevBeforeName},
    {u"Cad.", u"caddesi", kAbbrevBeforeName},
    {u"Mah.", u"mahallesi", kAbbrevBeforeName},
    {u"Bul.", u"bulvar\u0131", kAbbrevBeforeName},
    {u"No.", u"numara", kAbbrevBeforeName},
    {u"Tel.", u"telefon", kAbbrevBeforeName},
    {u"tel.", u"telefon", kAbbrevBeforeName},
    {u"s.", u"sayfa", kAbbrevBeforeName},
    {u"vb.", u"ve benzeri", kAbbrevPlain},
    {u"vs.", u"vesaire", kAbbrevPlain},
    {u"vd.", u"ve di\u011Ferleri", kAbbrevPlain},
    {u"\u00F6rn.", u"\u00F6rne\u011Fin", kAbbrevBeforeName},
};

// Turkish nouns stay singular after a number.
const QuantityWords kUnits[] = {
    {u"km/h", {u"kilometre", u"kilometre", u"kilometre", u"kilometre"}, u"saatte", 0},
    {u"km", {u"kilometre", u"kilometre", u"kilometre", u"kilometre"}, nullptr, 0},
    {u"cm", {u"santimetre", u"santimetre", u"santimetre", u"santimetre"}, nullptr, 0},
    {u"mm", {u"milimetre", u"milimetre", u"milimetre", u"milimetre"}, nullptr, 0},
    {u"m", {u"metre", u"metre", u"metre", u"metre"}, nullptr, 0},
    {u"kg", {u"kilogram", u"kilogram", u"kilogram", u"kilogram"}, nullptr, 0},
    {u"g", {u"gram", u"gram", u"gram", u"gram"}, nullptr, 0},
    {u"ml", {u"mililitre", u"mililitre", u"mililitre", u"mililitre"}, nullptr, 0},
    {u"l", {u"litre", u"litre", u"litre", u"litre"}, nullptr, 0},
    {u"\u00B0C", {u"derece", u"derece", u"derece", u"derece"}, nullptr, 0},
};


}  // namespace

const EverydayReading kEverydayTr = {
    /*decimalMark=*/u',',
    /*thousandsMark=*/u'.',
    /*spaceGroups=*/false,
    /*ordinalBeforeWord=*/true,
    /*percentSignFirst=*/true,
    /*suffixAfterApostrophe=*/true,
    /*chain=*/{{kStepDateSlash, kStepDateDot, kStepTimeColon, kStepTimeDot, kStepEmailDomain, kStepWebAddress,
               kStepPercent, kStepCurrencyAmount, kStepAmountUnit, kStepDigitString, kStepOtherNumber},
              11},
    /*say=*/{tr::sayCardinal, tr::sayDigitString, tr::sayNumber, tr::sayDate, tr::sayTime},
    /*sayDigits=*/tr::sayDigitsEveryday,
    /*sayOrdinal=*/tr::sayOrdinalEveryday,
    /*countForm=*/tr::countForm,
    /*abbreviations=*/kAbbreviations,
    /*abbreviationCount=*/int32_t(sizeof(kAbbreviations) / sizeof(kAbbreviations[0])),
    /*units=*/kUnits,
    /*unitCount=*/int32_t(sizeof(kUnits) / sizeof(kUnits[0])),
};

}  // namespace tts
