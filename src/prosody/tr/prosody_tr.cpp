// Turkish prosody data: sonority classes, palatalisation before front vowels,
// the per-phone duration table (through duration names) and the F0 regression.
#include "model/strings.h"
#include "prosody/phoneset.h"
#include "prosody/prosody_language.h"

namespace tts {

namespace {

const char* const kLiquids[] = {"5", "j", "l", "r", nullptr};
const char* const kNasals[] = {"m", "n", nullptr};

const char* const kFrontVowels[] = {"2", "e", "i", "y", nullptr};
const SymbolPair kPalatalised[] = {{"g", "gj"}, {"k", "c"}, {"l", "5"}, {"G", "j"}};

bool inList(const char* const* list, const char* name) {
  for (; *list; ++list)
    if (strCompare(*list, name) == 0) return true;
  return false;
}

// A front vowel palatalises the phone before it within the word.
void palatalise(const PhoneSet* set, const char*, uint8_t* phones, uint8_t*, int32_t* count, int32_t) {
  if (*count < 2) return;
  const char* current = phoneName(set, phones[*count - 1]);
  if (!current || !inList(kFrontVowels, current)) return;
  const char* before = phoneName(set, phones[*count - 2]);
  for (const SymbolPair& p : kPalatalised) {
    if (strCompare(before, p.symbol) == 0) {
      phones[*count - 2] = static_cast<uint8_t>(phoneIndex(set, p.phone));
      return;
    }
  }
}

// Phone name -> duration-table name.
const DurationName kDurationNames[] = {
    {"##", "pau"},
    {"1", "ax"},
    {"2", "eh"},
    {"5", "l"},
    {"?", "hh"},
    {"G", "hh"},
    {"S", "sh"},
    {"Z", "zh"},
    {"a", "ah"},
    {"b", "b"},
    {"c", "k"},
    {"d", "d"},
    {"dZ", "jh"},
    {"e", "eh"},
    {"f", "f"},
    {"g", "g"},
    {"gj", "g"},
    {"h", "hh"},
    {"i", "iy"},
    {"j", "y"},
    {"k", "k"},
    {"l", "l"},
    {"m", "m"},
    {"n", "n"},
    {"o", "ao"},
    {"p", "p"},
    {"r", "iy"},
    {"s", "s"},
    {"t", "t"},
    {"tS", "sh"},
    {"u", "uw"},
    {"v", "v"},
    {"y", "uw"},
    {"z", "z"},
};

// (name, mean, scale); row 0 is the default.
const DurationRow kDurations[] = {
    {"pau", 13107, 6554},
    {"iy", 8265, 4134},
    {"ih", 4126, 2006},
    {"eh", 7159, 3075},
    {"ae", 7580, 3141},
    {"ey", 10871, 4961},
    {"aa", 7158, 3014},
    {"er", 6565, 2937},
    {"ax", 3529, 2177},
    {"ah", 4080, 1960},
    {"ao", 6019, 3276},
    {"ay", 9902, 3008},
    {"aw", 10452, 4239},
    {"uw", 6686, 3106},
    {"uh", 4037, 1550},
    {"ow", 9574, 3448},
    {"oy", 10510, 5087},
    {"w", 3447, 1613},
    {"l", 4279, 2170},
    {"r", 3413, 1540},
    {"y", 3730, 1818},
    {"m", 4879, 2922},
    {"n", 3863, 1948},
    {"ng", 4303, 1450},
    {"b", 4159, 1771},
    {"d", 3337, 2075},
    {"g", 5099, 1782},
    {"p", 6494, 2216},
    {"t", 4854, 2480},
    {"k", 5836, 2672},
    {"v", 2993, 1177},
    {"dh", 2339, 1409},
    {"z", 5783, 2541},
    {"zh", 10000, 6050},
    {"f", 6327, 1869},
    {"th", 7604, 3597},
    {"s", 7115, 2751},
    {"sh", 8259, 1525},
    {"hh", 4442, 1418},
    {"jh", 5489, 1933},
    {"ch", 8902, 2856},
};

// F0 regression rows (Q16 Hz): the Intercept, value rows, numeric features.
const F0Row kF0Rows[] = {
    {"Intercept", 10524096, 11087602, 11112964, nullptr},
    {"p.p.accent", 660718, 322649, 235586, "H*"},
    {"p.p.accent", 220110, 62617, 28345, "!H*"},
    {"p.p.accent", 271603, 78223, 15444, "L+H*"},
    {"p.accent", 2102462, 1088117, 734934, "H*"},
    {"p.accent", 1185548, 764530, 630413, "!H*"},
    {"p.accent", 1524058, 856116, 595374, "L+H*"},
    {"accent", 342168, 2262163, 1652659, "H*"},
    {"accent", 665792, 1464707, 901765, "!H*"},
    {"accent", 238912, 1543474, 1155740, "L+H*"},
    {"n.accent", -373026, -125497, 324065, "H*"},
    {"n.accent", 541694, 344027, 484860, "!H*"},
    {"n.accent", 56454, -126481, 110297, "L+H*"},
    {"n.n.accent", -248099, -402866, -284150, "H*"},
    {"n.n.accent", 459633, 551088, 370701, "!H*"},
    {"n.n.accent", 172850, 209289, 17254, "L+H*"},
    {"p.p.endtone", -231417, 278873, 673379, "L-L%"},
    {"p.p.endtone", 541245, 458068, 684650, "L-H%"},
    {"p.p.endtone", 382500, 170318, 400056, "H-"},
    {"p.p.endtone", 734884, 798117, 929476, "H-H%"},
    {"R:Syllable.p.endtone", -1840340, -288225, 115831, "L-L%"},
    {"R:Syllable.p.endtone", -431609, 454694, 573441, "L-H%"},
    {"R:Syllable.p.endtone", 559483, 403882, 327702, "H-"},
    {"R:Syllable.p.endtone", 278091, 526629, 715223, "H-H%"},
    {"endtone", -611708, -1268639, -828239, "L-L%"},
    {"endtone", -61438, -480305, 573275, "L-H%"},
    {"endtone", 620774, 831926, 993908, "H-"},
    {"endtone", 934340, 2026595, 3289273, "H-H%"},
    {"n.endtone", -857489, -1161808, -1111869, "L-L%"},
    {"n.endtone", -358586, -570273, -513354, "L-H%"},
    {"n.endtone", -6269, -65957, 308090, "H-"},
    {"n.endtone", 323335, 447905, 678291, "H-H%"},
    {"n.n.endtone", -982612, -1009747, -1007254, "L-L%"},
    {"n.n.endtone", -743990, -499478, -462184, "L-H%"},
    {"n.n.endtone", -363831, -30070, 144693, "H-"},
    {"n.n.endtone", -43357, 207790, 345476, "H-H%"},
    {"p.p.old_syl_break", -220704, -275051, -311024, nullptr},
    {"p.old_syl_break", 42058, -339275, -372583, nullptr},
    {"old_syl_break", -43188, 3140, -172575, nullptr},
    {"n.old_syl_break", 79780, 141162, 109991, nullptr},
    {"n.n.old_syl_break", 194936, 168891, 149076, nullptr},
    {"p.p.stress", 104077, -155201, -180040, nullptr},
    {"p.stress", 242052, 70811, 20101, nullptr},
    {"stress", 131717, 74419, -37068, nullptr},
    {"n.stress", 107843, 160380, 186012, nullptr},
    {"n.n.stress", 126279, 86384, 84229, nullptr},
    {"syl_in", 68705, 19114, 11138, nullptr},
    {"syl_out", 20680, -26988, -68528, nullptr},
    {"ssyl_in", -137368, -107705, -97502, nullptr},
    {"ssyl_out", 19892, 38049, 49309, nullptr},
    {"asyl_in", -279046, -370228, -333032, nullptr},
    {"asyl_out", -158755, 32101, 197670, nullptr},
    {"last_accent", -26060, 14197, 20506, nullptr},
    {"next_accent", -27434, 15999, 54918, nullptr},
    {"sub_phrases", -358616, -377366, -353750, nullptr},
};

}  // namespace

const ProsodyLanguage kProsodyLanguageTr = {
    /*silenceSymbol=*/"SIL",
    /*liquids=*/kLiquids,
    /*nasals=*/kNasals,
    /*afterPhone=*/palatalise,
    /*durationModel=*/kDurationPerPhone,
    /*durationRows=*/kDurations,
    /*durationRowCount=*/static_cast<int32_t>(sizeof(kDurations) / sizeof(kDurations[0])),
    /*durationNames=*/kDurationNames,
    /*durationNameCount=*/static_cast<int32_t>(sizeof(kDurationNames) / sizeof(kDurationNames[0])),
    /*stressedVowelFactor_Q8=*/300,
    /*minimumProduct=*/327679,
    /*silenceDuration=*/20,
    /*durationTree=*/&kDurationTreeTr,
    /*f0Model=*/kF0Regression,
    /*f0Rows=*/kF0Rows,
    /*f0RowCount=*/static_cast<int32_t>(sizeof(kF0Rows) / sizeof(kF0Rows[0])),
    /*codaGlide=*/false,
    /*glideJ=*/-1,
    /*vowelI=*/-1,
    /*glideW=*/-1,
    /*vowelU=*/-1,
    // The reference speaker at its default 175 words per minute against the
    // tree's 130: 12.7 against 9.6 phones per second, measured.
    /*trainedStretch_Q8=*/192,
    // The tree already lengthens phrase-final vowels 1.75 times.
    /*trainedFinalVowel_Q8=*/256,
    // Accented intonation: accents 2 semitones up (the model's accent rows
    // already raise an "H*" vowel by about 28 Hz), 2 semitones of
    // declination over a phrase.
    /*accentPeak_Q8=*/287,
    /*declination_Q12=*/446,
};

}  // namespace tts
