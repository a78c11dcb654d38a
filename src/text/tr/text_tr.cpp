// The Turkish text-analysis table of engine_tr.
//
// PLACEHOLDER verbalisers: until the Turkish number grammar lands, every
// number, date, time, percentage and amount is read digit by digit with the
// Turkish digit words, so that any text is spoken without failing.
#include "text/text_language.h"

namespace tts {

namespace {

const char16_t* const kDigitWords[10] = {u"s\u0131f\u0131r", u"bir", u"iki", u"\u00FC\u00E7", u"d\u00F6rt", u"be\u015F", u"alt\u0131", u"yedi", u"sekiz", u"dokuz"};

// PLACEHOLDER: digit-by-digit reading of numbers.
int32_t sayCardinalPlaceholder(TextWriter* w, const char16_t* number, int32_t /*agreement*/) {
  const int32_t start = w->length;
  if (number != nullptr && number[0] == u'-') writerPuts(w, u"eksi ");
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
  writerPuts(w, u" y\u00FCzde");
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
  writerPuts(w, u"et ");
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

const TextLanguage kTextLanguageTr = {
    /*letters=*/u"\u00C7\u00D6\u00DC\u00E7\u00F6\u00FC\u011E\u011F\u0130\u0131\u015E\u015F",
    /*vowels=*/u"AEIOUaeiou\u00D6\u00F6\u00DC\u00FC\u0130\u0131",
    /*currencyWords=*/u"",
    /*unitWords=*/nullptr,
    /*decimalMark=*/u'.',
    /*thousandsMark=*/u',',
    /*apostropheInWords=*/false,
    /*fullChain=*/{{kStepDateSlash, kStepTimeColon, kStepEmailDomain, kStepWebAddress, kStepPercent, kStepCurrencyAmount,
                    kStepAmountUnit, kStepDigitString, kStepOtherNumber}, 9},
    /*timeChain=*/{{kStepTimeColon}, 1},
    /*dateChain=*/{{kStepDateSlash}, 1},
    /*say=*/{sayCardinalPlaceholder, sayDigitStringPlaceholder, sayNumberPlaceholder, sayDatePlaceholder,
             sayTimePlaceholder, sayPercentPlaceholder, sayMoneyPlaceholder, sayEmailDomainPlaceholder,
             sayWebAddressPlaceholder},
    /*addEndEntry=*/false,
    /*mergeBreaks=*/false,
    /*lowerOnCopy=*/false,
    /*silentUnderscore=*/true,
    /*stripTrailingMinor=*/true,
    /*chunkLimit=*/512,
    /*chunkFloor=*/256,
};

}  // namespace tts
