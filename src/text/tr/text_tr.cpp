// The Turkish text-analysis table of engine_tr.
#include "text/everyday.h"
#include "text/text_language.h"
#include "text/tr/say_tr.h"

namespace tts {

const TextLanguage kTextLanguageTr = {
    // Circumflex vowels (â î û and capitals) are letters of everyday words ("dükkân").
    /*letters=*/u"\u00C7\u00D6\u00DC\u00E7\u00F6\u00FC\u011E\u011F\u0130\u0131\u015E\u015F"
                u"\u00C2\u00CE\u00DB\u00E2\u00EE\u00FB",
    /*vowels=*/u"AEIOUaeiou\u00D6\u00F6\u00DC\u00FC\u0130\u0131\u00C2\u00CE\u00DB\u00E2\u00EE\u00FB",
    /*currencyWords=*/u" tl lira kuru\u015F dolar avro euro sterlin yen ",
    /*unitWords=*/nullptr,
    /*decimalMark=*/u'.',
    /*thousandsMark=*/u',',
    // "Bursa'ya": a suffix after an apostrophe belongs to the name.
    /*apostropheInWords=*/true,
    /*fullChain=*/{{kStepDateSlash, kStepTimeColon, kStepEmailDomain, kStepWebAddress, kStepPercent, kStepCurrencyAmount,
                    kStepAmountUnit, kStepDigitString, kStepOtherNumber}, 9},
    /*timeChain=*/{{kStepTimeColon}, 1},
    /*dateChain=*/{{kStepDateSlash}, 1},
    /*say=*/{tr::sayCardinal, tr::sayDigitString, tr::sayNumber, tr::sayDate, tr::sayTime},
    /*percent=*/{u"y\u00FCzde", u""},
    /*money=*/&tr::kMoneyWords,
    /*address=*/&tr::kAddressWords,
    /*addEndEntry=*/false,
    /*mergeBreaks=*/false,
    /*lowerOnCopy=*/false,
    /*silentUnderscore=*/true,
    /*stripTrailingMinor=*/true,
    /*chunkLimit=*/512,
    /*chunkFloor=*/256,
    /*everyday=*/&kEverydayTr,
};

}  // namespace tts
