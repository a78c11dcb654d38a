// The Polish text-analysis table of engine_pl.
#include "text/pl/say_pl.h"
#include "text/everyday.h"
#include "text/text_language.h"

namespace tts {

const TextLanguage kTextLanguagePl = {
    /*letters=*/u"\u00D3\u00F3\u0104\u0105\u0106\u0107\u0118\u0119\u0141\u0142\u0143\u0144\u015A\u015B\u0179\u017A\u017B\u017C",
    /*vowels=*/u"AEIOUaeiou\u00D3\u00F3\u0104\u0105\u0118\u0119",
    /*currencyWords=*/u" z\u0142 z\u0142oty z\u0142ote z\u0142otych gr grosz grosze groszy ",
    // Time units: claimed after a number like currency words, read as typed.
    /*unitWords=*/u" sekunda sekund minuta minuty godzina godzin dzie\u0144 dni tydzie\u0144 tygodnie miesi\u0105c "
                  u"miesi\u0119cy rok lata ",
    /*decimalMark=*/u',',
    /*thousandsMark=*/u'.',
    /*apostropheInWords=*/false,
    /*fullChain=*/{{kStepDateSlash, kStepDateDot, kStepTimeColon, kStepTimeDot, kStepEmailDomain, kStepWebAddress,
                    kStepPercent, kStepCurrencyAmount, kStepAmountUnit, kStepDigitString, kStepOtherNumber}, 11},
    /*timeChain=*/{{kStepTimeColon, kStepTimeDot}, 2},
    /*dateChain=*/{{kStepDateSlash, kStepDateDot}, 2},
    /*say=*/{pl::sayCardinal, pl::sayDigitString, pl::sayNumber, pl::sayDate, pl::sayTime},
    /*percent=*/{u"", u"procent"},
    /*money=*/&pl::kMoneyWords,
    /*address=*/&pl::kAddressWords,
    /*addEndEntry=*/false,
    /*mergeBreaks=*/false,
    /*lowerOnCopy=*/true,
    /*silentUnderscore=*/true,
    /*stripTrailingMinor=*/true,
    /*chunkLimit=*/256,
    /*chunkFloor=*/128,
    /*everyday=*/&kEverydayPl,
};

}  // namespace tts
