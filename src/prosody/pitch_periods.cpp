// The F0 contour through the targets, sampled as pitch periods: four points
// per segment ("pc0".."pc3"), evenly spread from its start to its end.
#include "model/language.h"
#include "prosody/f0_targets.h"
#include "prosody/prosody_items.h"

namespace tts {

namespace {

constexpr int32_t kDefaultMean = 105;  // Hz, contour value at time 0
constexpr int32_t kPointsPerSegment = 4;
const char* const kPointNames[kPointsPerSegment] = {"pc0", "pc1", "pc2", "pc3"};

constexpr int64_t kMaxMagnitude = int64_t{1} << 24;  // bound of the rate and F0 values (Hz)

int64_t saturate(int64_t v) { return v < -kMaxMagnitude ? -kMaxMagnitude : (v > kMaxMagnitude ? kMaxMagnitude : v); }

// Period in samples at `point` of the line from (g, c Hz) to (h, l Hz).
// 64-bit, with the rate and both F0 values held within 2^24 (a trusted voice
// header may bring any int32 mean): identical to the 32-bit form wherever
// that does not overflow, and no product can exceed 2^58.
int32_t periodAt(int32_t rate, int32_t g, int32_t c, int32_t h, int32_t l, int32_t point) {
  const int64_t span = static_cast<int64_t>(h) - g;
  const int64_t from = saturate(c), to = saturate(l);
  const int64_t num = saturate(rate) * span;
  const int64_t den = from * span + (static_cast<int64_t>(point) - g) * (to - from);
  if (den <= 0) return 0;
  const int64_t period = num / den;
  return period > INT32_MAX ? INT32_MAX : static_cast<int32_t>(period);
}

}  // namespace

// A time in 1/1024 s as a sample position at `rate`; computed in 64 bits and
// saturated, so that a voice header with an absurd rate cannot overflow it.
static int32_t samplesAt(int32_t time_1024, int32_t rate) {
  const int64_t samples = static_cast<int64_t>(time_1024) * rate >> 10;
  return samples > INT32_MAX ? INT32_MAX : (samples < INT32_MIN ? INT32_MIN : static_cast<int32_t>(samples));
}

int32_t assignPitchPeriods(Relation* phrases, const F0Target* targets, int32_t count) {
  Item* first = phraseFirstSegment(phrases);
  if (!first || !targets || count <= 0) return 0;
  const Val* rateVal = featGet(phrases->params, "sample_rate");
  const int32_t rate = valInt(rateVal);
  const int32_t mean = currentF0Mean_Hz(phrases, kDefaultMean);

  Item* seg = first->relation->head;
  int32_t f = 0;                                  // segment start, samples
  int32_t d = samplesAt(featureInt(seg, "end"), rate);  // segment end, samples
  int32_t step = (d - f) / 3;
  int32_t k = 0;                                  // next point of the segment
  int32_t g = 0, c = mean;                        // interval start: samples, Hz
  for (int32_t t = 0; t < count && seg; ++t) {
    const int32_t h = samplesAt(targets[t].pos, rate);
    const int32_t l = targets[t].f0;
    if (h <= f + k * step) continue;  // not beyond the current point
    while (seg && f + k * step <= h) {
      const int32_t point = f + k * step;
      const Val* period = makeInt(itemPool(seg), periodAt(rate, g, c, h, l, point));
      if (!setFeature(seg, kPointNames[k], period)) return kStageNoMemory;
      ++k;
      if (k == kPointsPerSegment) {  // always leaves the segment, however short
        seg = seg->next;
        f = d;
        d = seg ? samplesAt(featureInt(seg, "end"), rate) : d;
        step = (d - f) / 3;
        k = 0;
      }
    }
    g = h;
    c = l;
  }
  return 0;
}

}  // namespace tts
