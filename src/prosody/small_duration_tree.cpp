// The small "dur_cart" that engine_es and engine_tr publish but never consult
// (their durations come from per-phone tables): a tree over the segment's
// pause and stress context, answers in 1/256 z-score units.
#include "prosody/prosody_language.h"

namespace tts {

namespace {

constexpr Val kPau = staticString("pau");
constexpr Val kPlus = staticString("+");
constexpr Val kOne = staticString("1");
constexpr Val kShorter = staticInt(-128);
constexpr Val kLonger = staticInt(128);
constexpr Val kNormal = staticInt(0);

}  // namespace

const char* const kSmallDurationNames[] = {"name", "ph_vc", "R:SylStructure.parent.stress", nullptr};

const CartNode kSmallDurationNodes[] = {
    {0, kCartEqual, 2, &kPau},    // 0: name is "pau"
    {255, kCartLeaf, 0, &kShorter},  // 1
    {1, kCartEqual, 6, &kPlus},   // 2: ph_vc is "+"
    {2, kCartEqual, 5, &kOne},    // 3: R:SylStructure.parent.stress is "1"
    {255, kCartLeaf, 0, &kLonger},   // 4
    {255, kCartLeaf, 0, &kNormal},   // 5
    {255, kCartLeaf, 0, &kNormal},   // 6
    {255, kCartLeaf, 0, nullptr},    // terminator
};


}  // namespace tts
