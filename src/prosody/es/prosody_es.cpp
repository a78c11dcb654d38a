// Spanish prosody data: sonority classes, per-phone durations, the contour F0
// model and the coda-glide phone ids.
#include "prosody/prosody_language.h"

namespace tts {

namespace {

const char* const kLiquids[] = {"j", "l", "r", "r[", "w", nullptr};
const char* const kNasals[] = {"m", "n", "n~", nullptr};

// (phone, base, scale); E = base + (factor_Q8 * scale >> 8), duration = stretch_Q8 * E >> 14.
const DurationRow kDurations[] = {
    {"pau", 0, 16384}, {"i", 0, 4587},  {"e", 0, 5242},  {"a", 0, 5242},  {"o", 0, 5242},  {"u", 0, 4587},
    {"ai", 0, 7864},   {"ei", 0, 7864}, {"oi", 0, 7864}, {"au", 0, 7864}, {"eu", 0, 7864}, {"ou", 0, 7864},
    {"m", 0, 4587},    {"n", 0, 5242},  {"n~", 0, 7208}, {"j", 0, 6881},  {"p", 0, 6553},  {"b", 0, 4259},
    {"t", 0, 5570},    {"d", 0, 3932},  {"k", 0, 6553},  {"g", 0, 5242},  {"f", 0, 6553},  {"s", 0, 7208},
    {"T", 0, 6553},    {"x", 0, 8519},  {"tS", 0, 8847}, {"dZ", 0, 3276}, {"l", 0, 5242},  {"r[", 0, 1966},
    {"r", 0, 5242},    {"w", 3447, 1613},
};

constexpr int32_t kPhoneI = 13;
constexpr int32_t kPhoneJ = 14;
constexpr int32_t kPhoneU = 29;
constexpr int32_t kPhoneW = 30;

}  // namespace

const ProsodyLanguage kProsodyLanguageEs = {
    /*silenceSymbol=*/"pau",
    /*liquids=*/kLiquids,
    /*nasals=*/kNasals,
    /*afterPhone=*/nullptr,
    /*durationModel=*/kDurationPerPhone,
    /*durationRows=*/kDurations,
    /*durationRowCount=*/static_cast<int32_t>(sizeof(kDurations) / sizeof(kDurations[0])),
    /*durationNames=*/nullptr,
    /*durationNameCount=*/0,
    /*stressedVowelFactor_Q8=*/307,
    /*minimumProduct=*/163839,
    /*silenceDuration=*/10,
    /*durationTree=*/&kDurationTreeEs,
    /*f0Model=*/kF0Contour,
    /*f0Rows=*/nullptr,
    /*f0RowCount=*/0,
    /*codaGlide=*/true,
    /*glideJ=*/kPhoneJ,
    /*vowelI=*/kPhoneI,
    /*glideW=*/kPhoneW,
    /*vowelU=*/kPhoneU,
    // The reference speaker at its default 175 words per minute against the
    // tree's 130: 14.8 against 11.6 phones per second, measured.
    /*trainedStretch_Q8=*/201,
    // The tree lengthens phrase-final vowels 1.10 times; 1.16 more gives 1.27.
    /*trainedFinalVowel_Q8=*/297,
    // Accented intonation: accents 2 semitones up, 2 semitones of declination
    // over a phrase. The contour already spans 5 to 9 semitones per sentence;
    // the accents move its flat middle.
    /*accentPeak_Q8=*/287,
    /*declination_Q12=*/446,
};

}  // namespace tts
