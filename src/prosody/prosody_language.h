// Per-language data of the prosody stages (pronunciation, durations, F0).
// Each deliverable defines one instance in src/prosody/<lang>/prosody_<lang>.cpp;
// common code reaches it through kLanguage.prosody.
#pragma once
#include <cstdint>
#include "model/cart.h"

namespace tts {

struct PhoneSet;

enum DurationModel : int32_t {
  kDurationPerPhone = 0,  // base + (factor_Q8 * scale >> 8), per syllable position and stress
  kDurationZScore = 1,    // mean + (scale * z_Q8 >> 8), z from the duration tree
};

enum F0Model : int32_t {
  kF0Contour = 0,     // fixed five-point contour over the phrase
  kF0Regression = 1,  // linear model over syllable features
};

// Per-phone duration row. Per-phone model: (name, base, scale); z-score model:
// (name, mean, scale), rows indexed by phone id. Units: 1/1024 s scaled by 2^14.
struct DurationRow {
  const char* name;
  int32_t base;
  int32_t scale;
};

// Phone-set name -> duration-table name (Turkish).
struct DurationName {
  const char* phone;
  const char* durationName;
};

// One row of the F0 regression: the feature path, its three Q16 coefficients
// (Hz of the model speaker per unit), and an optional value string. With a value,
// the coefficients are added when the feature's string equals it; without one,
// they are multiplied by the feature's integer value.
struct F0Row {
  const char* path;
  int32_t start_Q16;
  int32_t mid_Q16;
  int32_t end_Q16;
  const char* value;
};

// Called after each phone stored from a pronunciation: may add a phone or
// change earlier ones of the same word.
//   set: phone set; symbol: lexicon symbol just parsed (stress digit removed);
//   phones/stress: in/out, the word's phone ids and stress marks so far;
//   count: in/out number of stored phones (>= 1); capacity: array length.
using AfterPhoneHook = void (*)(const PhoneSet* set, const char* symbol, uint8_t* phones, uint8_t* stress,
                                int32_t* count, int32_t capacity);

struct ProsodyLanguage {
  const char* silenceSymbol;        // lexicon symbol of silence: "pau" or "SIL"
  const char* const* liquids;       // sonority 4 phone names, null-terminated
  const char* const* nasals;        // sonority 3 phone names, null-terminated
  AfterPhoneHook afterPhone;        // null: none

  DurationModel durationModel;
  const DurationRow* durationRows;  // per-phone table; row 0 is the default
  int32_t durationRowCount;
  const DurationName* durationNames;  // phone -> table name, or null (look up the phone name itself)
  int32_t durationNameCount;
  int32_t stressedVowelFactor_Q8;   // per-phone model: stressed vowel inside the phrase
  int32_t minimumProduct;           // per-phone model: stretch * E must exceed this
  int32_t silenceDuration;          // 1/1024 s: floor duration and a silence's length
  const Cart* durationTree;         // "dur_cart" of the deliverable

  F0Model f0Model;
  const F0Row* f0Rows;              // regression rows, the "Intercept" first
  int32_t f0RowCount;

  bool codaGlide;                   // coda-glide rule of the unit targets
  int32_t glideJ, vowelI, glideW, vowelU;  // phone ids the coda-glide rule rewrites

  // Trained duration model (selected per handle): Q8 factor on the duration
  // stretch taking the tree's rate (the reference speaker at 130 words per
  // minute) to the reference speaker's everyday rate.
  int32_t trainedStretch_Q8;
  // Trained model: Q8 factor on a vowel before a phrase break, where the
  // tree's own lengthening falls short of what listeners expect (1.2 or more).
  int32_t trainedFinalVowel_Q8;

  // Accented intonation (selected per handle): Q8 factor on F0 at the vowel
  // middle of a syllable carrying "H*" or "L+H*" (minor accents rise half as
  // far), and the fall of F0 over one phrase as a Q12 fraction of F0.
  int32_t accentPeak_Q8;
  int32_t declination_Q12;
};

extern const ProsodyLanguage kProsodyLanguageEs;
extern const ProsodyLanguage kProsodyLanguagePl;
extern const ProsodyLanguage kProsodyLanguageTr;

extern const Cart kDurationTreeEs;
extern const Cart kDurationTreePl;
extern const Cart kDurationTreeTr;

}  // namespace tts
