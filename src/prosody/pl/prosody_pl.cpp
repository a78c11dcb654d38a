// Polish prosody data: sonority classes, the "j" after palatalised labials and
// velars, the z-score duration table and the F0 regression model.
#include "model/strings.h"
#include "prosody/phoneset.h"
#include "prosody/prosody_language.h"

namespace tts {

namespace {

const char* const kLiquids[] = {"j", "l", "r", "w", nullptr};
const char* const kNasals[] = {"N", "m", "n", "n'", nullptr};

// Palatalised symbols ("p+") that are spoken with a following "j".
const char* const kJotSymbols[] = {"b+", "f+", "g+", "k+", "m+", "p+", "v+", "x+", nullptr};

void addJot(const PhoneSet* set, const char* symbol, uint8_t* phones, uint8_t* stress, int32_t* count,
            int32_t capacity) {
  if (strLength(symbol) != 2 || *count >= capacity) return;
  for (const char* const* s = kJotSymbols; *s; ++s) {
    if (strCompare(*s, symbol) == 0) {
      phones[*count] = static_cast<uint8_t>(phoneIndex(set, "j"));
      stress[*count] = 0;
      ++*count;
      return;
    }
  }
}

// (phone, mean, scale) by phone id; duration = stretch_Q8 * (mean + (scale * z_Q8 >> 8)) >> 14.
const DurationRow kDurations[] = {
    {"##", 13107, 6815},
    {"I", 4056, 2384},
    {"N", 3334, 1237},
    {"S", 4431, 2222},
    {"Z", 4416, 1925},
    {"a", 4502, 2024},
    {"b", 3854, 1608},
    {"d", 3617, 1670},
    {"dZ", 4450, 1917},
    {"dz", 4018, 1350},
    {"dz'", 4238, 1756},
    {"e", 4306, 2334},
    {"e~", 6280, 2071},
    {"f", 5558, 4121},
    {"g", 3508, 1378},
    {"i", 4319, 2416},
    {"j", 3918, 2141},
    {"k", 4188, 2182},
    {"l", 3696, 1497},
    {"m", 4355, 2297},
    {"n", 3880, 1711},
    {"n'", 4398, 1883},
    {"o", 4031, 1910},
    {"o~", 6752, 2857},
    {"p", 4229, 2217},
    {"r", 3756, 2366},
    {"s", 4831, 2794},
    {"s'", 5070, 1834},
    {"t", 4090, 2078},
    {"tS", 4552, 1997},
    {"ts", 5423, 2645},
    {"ts'", 5498, 3185},
    {"u", 4010, 2021},
    {"v", 3647, 2246},
    {"w", 3624, 1828},
    {"x", 5869, 3448},
    {"z", 4059, 1897},
    {"z'", 4818, 1624},
};

// F0 regression rows (Q16 Hz): the Intercept, then numeric features.
const F0Row kF0Rows[] = {
    {"Intercept", 10524096, 11087602, 11112964, nullptr},
    {"p.p.old_syl_break", -220703, -275050, -311024, nullptr},
    {"p.old_syl_break", 42058, -339274, -372583, nullptr},
    {"old_syl_break", -43187, 3141, -172574, nullptr},
    {"n.old_syl_break", 79781, 141162, 109992, nullptr},
    {"n.n.old_syl_break", 194937, 168891, 149077, nullptr},
    {"p.p.stress", 104078, -155201, -180039, nullptr},
    {"p.stress", 242053, 70811, 20101, nullptr},
    {"stress", 131717, 74420, -37067, nullptr},
    {"n.stress", 107843, 160381, 186013, nullptr},
    {"n.n.stress", 126279, 86384, 84230, nullptr},
    {"syl_in", 68705, 19114, 11138, nullptr},
    {"syl_out", 20680, -26988, -68527, nullptr},
    {"ssyl_in", -137368, -107705, -97502, nullptr},
    {"ssyl_out", 19892, 38049, 49310, nullptr},
    {"asyl_in", -279046, -370228, -333032, nullptr},
    {"asyl_out", -158755, 32101, 197671, nullptr},
    {"last_accent", -26059, 14197, 20506, nullptr},
    {"next_accent", -27433, 16000, 54919, nullptr},
    {"sub_phrases", -358616, -377366, -353750, nullptr},
};

}  // namespace

const ProsodyLanguage kProsodyLanguagePl = {
    /*silenceSymbol=*/"pau",
    /*liquids=*/kLiquids,
    /*nasals=*/kNasals,
    /*afterPhone=*/addJot,
    /*durationModel=*/kDurationZScore,
    /*durationRows=*/kDurations,
    /*durationRowCount=*/static_cast<int32_t>(sizeof(kDurations) / sizeof(kDurations[0])),
    /*durationNames=*/nullptr,
    /*durationNameCount=*/0,
    /*stressedVowelFactor_Q8=*/256,
    /*minimumProduct=*/0,
    /*silenceDuration=*/10,
    /*durationTree=*/&kDurationTreePl,
    /*f0Model=*/kF0Regression,
    /*f0Rows=*/kF0Rows,
    /*f0RowCount=*/static_cast<int32_t>(sizeof(kF0Rows) / sizeof(kF0Rows[0])),
    /*codaGlide=*/false,
    /*glideJ=*/-1,
    /*vowelI=*/-1,
    /*glideW=*/-1,
    /*vowelU=*/-1,
    // The reference speaker at its default 175 words per minute against the
    // tree's 130: 13.2 against 9.9 phones per second, measured.
    /*trainedStretch_Q8=*/193,
    // The break override (z = 1.2) leaves phrase-final vowels 0.99 times as
    // long as others; 1.3 more gives 1.28.
    /*trainedFinalVowel_Q8=*/333,
    // Accented intonation: accents 4 semitones up, 3 semitones of
    // declination over a phrase. The model keeps a Polish sentence within
    // 95 to 113 Hz until its final fall (as little as 1.7 semitones).
    /*accentPeak_Q8=*/322,
    /*declination_Q12=*/651,
};

}  // namespace tts
