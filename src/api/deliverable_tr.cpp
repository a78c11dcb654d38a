// The language table of this deliverable: everything language-specific that
// the common engine code reaches through kLanguage.
#include "api/language.h"
#include "prosody/phonesets.h"
#include "prosody/word_classifier.h"

namespace tts {

const Language kLanguage = {
    /*lexiconCode=*/17,
    /*identifier=*/21,
    /*baseDurationStretch=*/192,
    /*phoneset=*/&kPhoneSetTr,
    /*accentTree=*/nullptr,
    /*toneTree=*/nullptr,
    /*durationTree=*/nullptr,
    /*classifyWord=*/classifyWordDefault,
    /*text=*/nullptr,
    /*prosody=*/nullptr,
    /*stages=*/{nullptr, nullptr, nullptr, nullptr, nullptr},
};

}  // namespace tts
