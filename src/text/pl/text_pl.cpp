// The Polish text-analysis table of engine_pl.
//
// PLACEHOLDER verbalisers: until the Polish number grammar lands, every
// number, date, time, percentage and amount is read digit by digit with the
// Polish digit words, so that any text is spoken without failing.
#include "text/text_language.h"

namespace tts {

namespace {

const char16_t* const kDigitWords[10] = {u"zero", u"jeden", u"dwa", u"trzy", u"cztery", u"pi\u0119\u0107", u"sze\u015B\u0107", u"siedem", u"osiem", u"dziewi\u0119\u0107"};

// PLACEHOLDER: digit-by-digit reading of numbers.
int32_t sayCardinalPlaceholder(TextWriter* w, const char16_t* number, int32_t /*agreement*/) {
  const int32_t start = w->length;
  if (number != nullptr && number[0] == u'-') writerPuts(w, u"minus ");
  writeDigitsMarked(w, number, kDigitWords);
  return w->length - start;
}
int32_t sayDigitStringPlaceholder(TextWriter* w, const char16_t* token) {
  return writeDigitsMarked(w, token, kDigitWords);
}
int32_t sayNumberPlaceholder(TextWriter* w, const char16_t* token, const char16_t* /*nextToken*/) {
  return sayCardinalPlaceholder(w, token, 0);
}
int32_t sayDatePlaceholder(TextWriter* w, const char16_t* day, const char16_t* month, const char16_t* year) {
  const int32_t start = w->length;
  writeDigitsMarked(w, day, kDigitWords);
  writeDigitsMarked(w, month, kDigitWords);
  writeDigitsMarked(w, year, kDigitWords);
  writerPut(w, u',');
  return w->length - start;
}
int32_t sayTimePlaceholder(TextWriter* w, const char16_t* hour, const char16_t* minutes,
                           const char16_t* /*meridiem*/) {
  const int32_t start = w->length;
  writeDigitsMarked(w, hour, kDigitWords);
  writeDigitsMarked(w, minutes, kDigitWords);
  writerPut(w, u',');
  return w->length - start;
}
int32_t sayPercentPlaceholder(TextWriter* w, const char16_t* number) {
  const int32_t start = w->length;
  sayCardinalPlaceholder(w, number, 0);
  writerPuts(w, u" procent");
  return w->length - start;
}
int32_t sayMoneyPlaceholder(TextWriter* w, const char16_t* number, const char16_t* currency) {
  const int32_t start = w->length;
  sayCardinalPlaceholder(w, number, 0);
  writerPut(w, u' ');
  writerPuts(w, currency);
  writerPut(w, u',');
  return w->length - start;
}
// PLACEHOLDER: the joined domain is written as it stands.
int32_t sayEmailDomainPlaceholder(TextWriter* w, const char16_t* domain) {
  const int32_t start = w->length;
  writerPuts(w, u"at ");
  writerPuts(w, domain);
  writerPut(w, u',');
  return w->length - start;
}
int32_t sayWebAddressPlaceholder(TextWriter* w, const char16_t* address) {
  const int32_t start = w->length;
  writerPuts(w, u"http ");
  writerPuts(w, address);
  writerPut(w, u',');
  return w->length - start;
}

}  // namespace

const TextLanguage kTextLanguagePl = {
    /*letters=*/u"\u00D3\u00F3\u0104\u0105\u0106\u0107\u0118\u0119\u0141\u0142\u0143\u0144\u015A\u015B\u0179\u017A\u017B\u017C",
    /*vowels=*/u"AEIOUaeiou\u00D3\u00F3\u0104\u0105\u0118\u0119",
    /*currencyWords=*/u" z\u0142 z\u0142oty z\u0142ote z\u0142otych gr grosz grosze groszy ",
    /*unitWords=*/u" sekunda sekund minuta munuty godzina godzin dzie\u0144 dni tydzie\u0144 tygodnie miesi\u0105c miesi\u0119cy rok lata ",
    /*decimalMark=*/u',',
    /*thousandsMark=*/u'.',
    /*apostropheInWords=*/false,
    /*fullChain=*/{{kStepDateSlash, kStepDateDot, kStepTimeColon, kStepTimeDot, kStepEmailDomain, kStepWebAddress,
                    kStepPercent, kStepCurrencyAmount, kStepAmountUnit, kStepDigitString, kStepOtherNumber}, 11},
    /*timeChain=*/{{kStepTimeColon, kStepTimeDot}, 2},
    /*dateChain=*/{{kStepDateSlash, kStepDateDot}, 2},
    /*say=*/{sayCardinalPlaceholder, sayDigitStringPlaceholder, sayNumberPlaceholder, sayDatePlaceholder,
             sayTimePlaceholder, sayPercentPlaceholder, sayMoneyPlaceholder, sayEmailDomainPlaceholder,
             sayWebAddressPlaceholder},
    /*addEndEntry=*/false,
    /*mergeBreaks=*/false,
    /*lowerOnCopy=*/true,
    /*silentUnderscore=*/true,
    /*stripTrailingMinor=*/true,
    /*chunkLimit=*/256,
    /*chunkFloor=*/128,
};

}  // namespace tts
