// The Spanish text-analysis table of engine_es.
#include "text/es/say_es.h"
#include "text/everyday.h"
#include "text/text_language.h"

namespace tts {

const TextLanguage kTextLanguageEs = {
    /*letters=*/u"\u00C1\u00C9\u00CD\u00D1\u00D3\u00DA\u00DC\u00E1\u00E9\u00ED\u00F1\u00F3\u00FA\u00FC",
    /*vowels=*/u"AEIOUaeiou\u00C1\u00C9\u00CD\u00D3\u00DA\u00DC\u00E1\u00E9\u00ED\u00F3\u00FA\u00FC",
    /*currencyWords=*/u" eur euro dollar dollars ",
    /*unitWords=*/nullptr,
    /*decimalMark=*/u',',
    /*thousandsMark=*/u'.',
    /*apostropheInWords=*/true,
    /*fullChain=*/{{kStepDateSlash, kStepDateDash, kStepTimeH, kStepTimeColon, kStepEmailDomain, kStepWebAddress,
                    kStepPercent, kStepCurrencyAmount, kStepAmountUnit, kStepDigitString, kStepOtherNumber},
                   11},
    /*timeChain=*/{{kStepTimeH, kStepTimeColon}, 2},
    /*dateChain=*/{{kStepDateSlash, kStepDateDash}, 2},
    /*say=*/{es::sayCardinal, es::sayDigitString, es::sayNumber, es::sayDate, es::sayTime},
    /*percent=*/{u"", u"por ciento"},
    /*money=*/&es::kMoneyWords,
    /*address=*/&es::kAddressWords,
    /*addEndEntry=*/true,
    /*mergeBreaks=*/true,
    /*lowerOnCopy=*/false,
    /*silentUnderscore=*/false,
    /*stripTrailingMinor=*/false,
    /*chunkLimit=*/512,
    /*chunkFloor=*/256,
    /*everyday=*/&kEverydayEs,
};

}  // namespace tts
