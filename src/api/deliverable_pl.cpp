// The language table of this deliverable: everything language-specific that
// the common engine code reaches through kLanguage.
#include "model/language.h"
#include "prosody/intonation_trees.h"
#include "prosody/phonesets.h"
#include "prosody/phrase_cutting.h"
#include "prosody/pronunciation.h"
#include "prosody/prosody_language.h"
#include "prosody/unit_targets.h"
#include "prosody/word_classifier.h"
#include "text/text_language.h"
#include "text/word_list_builder.h"

namespace tts {

const Language kLanguage = {
    /*lexiconCode=*/15,
    /*identifier=*/19,
    /*baseDurationStretch=*/307,
    /*phoneset=*/&kPhoneSetPl,
    /*accentTree=*/&kAccentTree,
    /*toneTree=*/&kToneTree,
    /*durationTree=*/&kDurationTreePl,
    /*classifyWord=*/classifyWordPolish,
    /*text=*/&kTextLanguagePl,
    /*prosody=*/&kProsodyLanguagePl,
    /*stages=*/{buildWordList, analyseWordList, cutPhrase, pronounceWord, buildTargets},
};

}  // namespace tts
