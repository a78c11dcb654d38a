// The language table of this deliverable: everything language-specific that
// the common engine code reaches through kLanguage.
#include "api/language.h"
#include "prosody/phonesets.h"
#include "prosody/word_classifier.h"

namespace tts {

const Language kLanguage = {
    /*lexiconCode=*/15,
    /*identifier=*/19,
    /*baseDurationStretch=*/307,
    /*phoneset=*/&kPhoneSetPl,
    /*accentTree=*/nullptr,
    /*toneTree=*/nullptr,
    /*durationTree=*/nullptr,
    /*classifyWord=*/classifyWordPolish,
    /*text=*/nullptr,
    /*prosody=*/nullptr,
    /*stages=*/{nullptr, nullptr, nullptr, nullptr, nullptr},
};

}  // namespace tts
