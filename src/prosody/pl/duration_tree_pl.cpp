// Polish "dur_cart" -- PROVISIONAL. A small hand-written tree from Polish
// phonetics, to be replaced by a tree trained on measured durations. Answers
// are z-scores in 1/256 units:
//   - vowels of stressed syllables (monosyllables and the penultimate syllable,
//     whose next syllable is word-final) are lengthened, others shortened;
//     vowels before a major break are lengthened most;
//   - voiceless fricatives are long, less so inside an onset cluster;
//   - consonants in clusters (onset of 2+, syllables of 4+ phones) are shortened.
#include "prosody/prosody_language.h"

namespace tts {

namespace {

constexpr Val kVowelVoicing = staticString("0");  // "cvox" of Polish vowels
constexpr Val kVoiceless = staticString("-");
constexpr Val kFricative = staticString("f");
constexpr Val kBreakWord = staticString("1");
constexpr Val kBreakComma = staticString("3");
constexpr Val kBreakSentence = staticString("4");
constexpr Val kSingle = staticString("single");
constexpr Val kFinal = staticString("final");
constexpr Val kOne = staticInt(1);
constexpr Val kThree = staticInt(3);

constexpr Val kPhraseFinalVowel = staticInt(307);
constexpr Val kPenultVowel = staticInt(205);
constexpr Val kMonosyllableVowel = staticInt(154);
constexpr Val kUnstressedVowel = staticInt(-51);
constexpr Val kVoicelessFricative = staticInt(154);
constexpr Val kClusterFricative = staticInt(51);
constexpr Val kVoicedFricative = staticInt(26);
constexpr Val kPlainConsonant = staticInt(0);
constexpr Val kCodaCluster = staticInt(-77);
constexpr Val kOnsetCluster = staticInt(-102);

}  // namespace

const char* const kDurationNamesPl[] = {
    "ph_cvox",                                        // 0
    "R:SylStructure.parent.syl_break",                // 1
    "R:SylStructure.parent.position_type",            // 2
    "R:SylStructure.parent.R:Syllable.n.syl_break",   // 3
    "ph_ctype",                                       // 4
    "R:SylStructure.parent.syl_onsetsize",            // 5
    "R:SylStructure.parent.syl_numphones",            // 6
    nullptr,
};

const CartNode kDurationNodesPl[] = {
    {0, kCartEqual, 14, &kVowelVoicing},     // 0: vowel?
    {1, kCartEqual, 3, &kBreakSentence},     // 1: before a sentence break
    {255, kCartLeaf, 0, &kPhraseFinalVowel},  // 2
    {2, kCartEqual, 5, &kSingle},            // 3: monosyllable
    {255, kCartLeaf, 0, &kMonosyllableVowel},  // 4
    {2, kCartEqual, 7, &kFinal},             // 5: word-final syllable of a longer word
    {255, kCartLeaf, 0, &kUnstressedVowel},  // 6
    {3, kCartEqual, 9, &kBreakWord},         // 7: next syllable ends the word: penultimate
    {255, kCartLeaf, 0, &kPenultVowel},      // 8
    {3, kCartEqual, 11, &kBreakSentence},    // 9
    {255, kCartLeaf, 0, &kPenultVowel},      // 10
    {3, kCartEqual, 13, &kBreakComma},       // 11
    {255, kCartLeaf, 0, &kPenultVowel},      // 12
    {255, kCartLeaf, 0, &kUnstressedVowel},  // 13
    {4, kCartEqual, 20, &kFricative},        // 14: fricative?
    {0, kCartEqual, 19, &kVoiceless},        // 15: voiceless
    {5, kCartLessEqual, 18, &kOne},          // 16: single-consonant onset
    {255, kCartLeaf, 0, &kVoicelessFricative},  // 17
    {255, kCartLeaf, 0, &kClusterFricative},    // 18
    {255, kCartLeaf, 0, &kVoicedFricative},     // 19
    {5, kCartLessEqual, 24, &kOne},          // 20: single-consonant onset
    {6, kCartLessEqual, 23, &kThree},        // 21: no coda cluster
    {255, kCartLeaf, 0, &kPlainConsonant},   // 22
    {255, kCartLeaf, 0, &kCodaCluster},      // 23
    {255, kCartLeaf, 0, &kOnsetCluster},     // 24
    {255, kCartLeaf, 0, nullptr},            // terminator
};

const Cart kDurationTreePl = {kDurationNodesPl, kDurationNamesPl};

}  // namespace tts
