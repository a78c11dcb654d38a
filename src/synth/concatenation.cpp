// One phone: decode the unit that starts in it, smooth the join with the
// carried half-unit, re-time the pitch periods to the targets and
// re-synthesise every target period by pitch-synchronous LPC.
#include <cstring>

#include "synth/excitation.h"
#include "synth/kernels/fixed_point.h"
#include "synth/kernels/length_change.h"
#include "synth/kernels/lsf.h"
#include "synth/kernels/vector_clones.h"
#include "synth/phrase_synth.h"
#include "synth/unit_decoder.h"

namespace tts {

namespace {

constexpr int32_t kLsfGap_Q10 = 2;

bool isClass(const char* ctype, const char* name) { return ctype && std::strcmp(ctype, name) == 0; }

int32_t isSonorant(const PhraseSynth* synth, int32_t phone) {
  return synth->voice->phoneIsSonorant && synth->voice->phoneIsSonorant(phone) == 1 ? 1 : 0;
}

// Ramp length on one side of a join with k periods on that side.
int32_t rampLength(int32_t k) {
  if (k < 2) return 1;
  return k / 2 < 4 ? k / 2 : 4;
}

// Ramps a track (stride values apart) towards the mid value at the join.
// track: in/out, value of period p at track[p * stride]. valid: periods that exist.
void smoothTrack(int16_t* track, int32_t stride, int32_t join, int32_t after, int32_t valid) {
  const int32_t before = track[(join - 1) * stride];
  const int32_t at = track[join * stride];
  const int32_t mid = (before + at) >> 1;
  const int32_t nb = rampLength(join);
  const int32_t stepBefore = ((mid - before) * 256) / nb;
  for (int32_t k = 1; k <= nb; ++k) {
    const int32_t p = join - nb + k;
    track[p * stride] = static_cast<int16_t>(track[p * stride] + ((k * stepBefore + 128) >> 8));
  }
  const int32_t na = rampLength(after);
  const int32_t stepAfter = ((mid - at) * 256) / (na + 1);
  for (int32_t k = 1; k <= na + 1; ++k) {
    const int32_t p = join + na + 1 - k;
    if (p >= valid) continue;
    track[p * stride] = static_cast<int16_t>(track[p * stride] + ((k * stepAfter + 128) >> 8));
  }
}

// Excitation of the periods on both sides of the join: each is averaged with
// the other brought to its length.
void smoothExcitation(PhraseSynth* synth, int32_t join, bool hasFirstHalf) {
  int16_t x[256];
  int16_t other[256];
  int16_t* before = synth->excitation + synth->offsets[join - 1];
  int16_t* at = synth->excitation + synth->offsets[join];
  const int32_t len1 = synth->lengths[join - 1];
  const int32_t len2 = synth->lengths[join];
  if (len1 > 256 || len2 > 256) return;
  std::memcpy(x, at, sizeof(int16_t) * len2);
  if (hasFirstHalf) {
    changeLength(before, len1, len2, other);
    for (int32_t i = 0; i < len2; ++i) at[i] = static_cast<int16_t>((at[i] + other[i]) / 2);
  }
  changeLength(x, len2, len1, other);
  for (int32_t i = 0; i < len1; ++i) before[i] = static_cast<int16_t>((before[i] + other[i]) / 2);
}

// Writes one mapped target period; returns the samples produced, or -1 when
// the output has no room for them.
VOXA_VECTOR_CLONES int32_t renderPeriod(PhraseSynth* synth, int32_t sonorant, int32_t length, int32_t source, int32_t usePostFilter,
                     int16_t* out, int32_t room) {
  const int32_t order = synth->codec.order;
  int16_t lsf_Q10[kMaxOrder];
  const int16_t* stored = synth->lsf_Q10 + source * order;
  int32_t gain = synth->gains[source];
  if (synth->prevVoiced && sonorant) {
    for (int32_t i = 0; i < order; ++i) lsf_Q10[i] = static_cast<int16_t>((stored[i] + synth->prevLsf_Q10[i]) >> 1);
    gain = (gain + synth->prevLevel) / 2;
  } else {
    for (int32_t i = 0; i < order; ++i) lsf_Q10[i] = stored[i];
  }
  stabiliseLsf(lsf_Q10, order, kLsfGap_Q10);
  int32_t cos_Q16[kMaxOrder];
  for (int32_t i = 0; i < order; ++i) synth->prevLsf_Q10[i] = lsf_Q10[i];
  cosinesQ16(lsf_Q10, order, cos_Q16);
  int32_t a_Q12[kMaxOrder + 1];
  lsfToPredictor(cos_Q16, order, a_Q12);

  int16_t period[kMaxPeriodSamples];
  int32_t produced;
  int32_t sumAbs;
  if (sonorant) {
    produced = length;
    if (produced > room) return -1;
    generatePulse(synth, produced, period);
    if (usePostFilter) {
      sumAbs = postFilterAndSynthesise(synth, a_Q12, period, produced);
    } else {
      sumAbs = allPoleFilter(a_Q12, 12, &synth->synthesis, period, produced);
    }
  } else {
    int16_t scratch[2 * kMaxPeriodSamples];
    produced = stretchResidual(synth->excitation + synth->offsets[source], synth->lengths[source], length, period,
                               scratch);
    if (produced > room) return -1;
    if (source == 0 && synth->prevVoiced) filterClear(&synth->synthesis, order);
    sumAbs = allPoleFilter(a_Q12, 12, &synth->synthesis, period, produced);
  }

  int32_t scale_Q8 = 512;
  if (sumAbs > 0) scale_Q8 = (length * (gain > 1 ? gain : 1) * 256) / sumAbs;
  const int32_t cap = (synth->prevVoiced != 0) != (sonorant != 0) ? 256 : 512;
  if (scale_Q8 > cap) scale_Q8 = cap;
  synth->prevLevel = (mul32(sumAbs, scale_Q8) / length) >> 8;
  if (sonorant) {
    for (int32_t j = 0; j < produced; ++j) {
      const int32_t y = period[j];
      if (j < 16) {
        period[j] = sat16((((j + 1) * scale_Q8 + (15 - j) * synth->prevScale_Q8) * y) >> 12);
      } else {
        period[j] = sat16((scale_Q8 * y) >> 8);
      }
    }
  }
  synth->prevScale_Q8 = scale_Q8;
  std::memcpy(out, period, sizeof(int16_t) * produced);
  synth->prevVoiced = sonorant;
  return produced;
}

}  // namespace

void buildTargets(PhraseSynth* synth, int32_t segment, int32_t sonorant) {
  const PhraseVoice* voice = synth->voice;
  const int32_t duration = (synth->durations[segment] * voice->voiceRate) >> 10;
  int32_t count = 0;
  int32_t t = 0;
  if (sonorant) {
    int32_t pitch[4];
    for (int32_t i = 0; i < 4; ++i) pitch[i] = clamp32(synth->pitch[4 * segment + i], 1, kMaxPeriodSamples);
    while (t < duration && count < kMaxTargetPeriods) {
      const int32_t x = (4 * t * 256) / duration;
      const int32_t i = x >> 8;
      const int32_t f = x & 255;
      const int32_t p = i + 1 < 4 ? ((256 - f) * pitch[i] + f * pitch[i + 1]) >> 8 : pitch[3];
      const int32_t period = clamp32(p, 1, kMaxPeriodSamples);
      synth->targets[count++] = period;
      t += period;
    }
  } else {
    const int32_t period = clamp32(voice->voiceRate / 100, 1, kMaxPeriodSamples);
    while (t < duration && count < kMaxTargetPeriods) {
      synth->targets[count++] = period;
      t += period;
    }
  }
  synth->targetCount = count;
}

// The unit-length limits below follow the user's speed: n unit periods at
// normal speed, n * lengthScale_Q8 / 256 at another (exactly n at 256).
int32_t scaledPeriods(const PhraseSynth* synth, int32_t n) { return n * synth->lengthScale_Q8 >> 8; }

int32_t mapTargets(PhraseSynth* synth, const char* ctype, int32_t join, int32_t periods) {
  int32_t count = synth->targetCount;
  int32_t* map = synth->map;
  if (isClass(ctype, "r") || isClass(ctype, "a")) {
    count = scaledPeriods(synth, periods);
    if (count > kMaxTargetPeriods) count = kMaxTargetPeriods;
    if (count < 1) count = 1;
    for (int32_t k = 0; k < count; ++k) {
      map[k] = k * periods / count;
      synth->targets[k] = clamp32(synth->lengths[map[k]], 0, kMaxPeriodSamples);
    }
    return count;
  }
  if (isClass(ctype, "s")) {
    int32_t wanted = scaledPeriods(synth, periods - join + 5);
    if (wanted > kMaxTargetPeriods) wanted = kMaxTargetPeriods;
    if (count < wanted) {
      int32_t old[kMaxTargetPeriods];
      std::memcpy(old, synth->targets, sizeof(int32_t) * count);
      for (int32_t k = 0; k < wanted; ++k) synth->targets[k] = old[k * count / wanted];
      count = wanted;
    }
    if (periods >= count) {
      map[0] = 0;
      for (int32_t k = 1; k < count; ++k) map[k] = periods - count + k;
    } else {
      const int32_t spread = count + join - periods;
      for (int32_t k = 0; k < count; ++k) map[k] = k < spread ? k * join / spread : join + (k - spread);
    }
    return count;
  }
  if (isClass(ctype, "0")) {
    for (int32_t k = 0; k < count; ++k) map[k] = k * periods / count;
    return count;
  }
  int32_t limit = periods;
  if (isClass(ctype, "l") || isClass(ctype, "n")) limit = 3 * periods / 2;
  limit = scaledPeriods(synth, limit);
  if (count > limit) count = limit;
  for (int32_t k = 0; k < count; ++k) map[k] = k * periods / count;
  return count;
}

void synthReset(PhraseSynth* synth) {
  if (!synth) return;
  const PhraseVoice* voice = synth->voice;
  const int32_t order = synth->codec.order;
  if (order <= kMaxOrder) {
    filterClear(&synth->postFir, order);
    filterClear(&synth->postPole, order);
    filterClear(&synth->postTilt, 1);
  }
  filterClear(&synth->synthesis, order);
  synth->pulseIndex = voice->voiceRate >= 16000 && voice->f0Mean < 150 ? 0 : -1;
  synth->pulseFilter = synth->codec.pulseFilter;
  filterClear(&synth->pulseMem, 2);
  filterClear(&synth->noiseMem, 2);
  if (synth->noiseState == 0) synth->noiseState = 12345;
  synth->prevScale_Q8 = 0;
  synth->prevLevel = 0;
  synth->deemphasisMem = 0;
  synth->dcInput = 0;
  synth->dcOutput = 0;
  synth->levelControl.level = 0;
  for (int32_t i = 0; i < kLevelHistory; ++i) synth->levelControl.history[i] = 0;
  synth->levelControl.floor = synth->codec.levelFloor;
  synth->heldCount = 0;
  synth->carriedPeriods = 0;
  synth->carriedSamples = 0;
  synth->periods = 0;
  synth->phoneSamples = 0;
}

int32_t renderPhone(PhraseSynth* synth, int16_t* out, int32_t room, int32_t usePostFilter) {
  const int32_t segment = synth->segment;
  const int32_t phoneA = synth->phones[segment];
  const int32_t phoneB = synth->phones[segment + 1];
  const int32_t order = synth->codec.order;
  const PhraseVoice* voice = synth->voice;

  // Decode the unit (A, B) behind the carried half-unit.
  const int32_t join = synth->carriedPeriods;
  const int32_t joinSample = synth->carriedSamples;
  UnitOutput unit;
  unit.lengths = synth->lengths + join;
  unit.gains = synth->gains + join;
  unit.lsf_Q10 = synth->lsf_Q10 + join * order;
  unit.excitation = synth->excitation + joinSample;
  unit.maxPeriods = kMaxSourcePeriods - join;
  unit.maxSamples = synth->excitationCapacity - joinSample;
  int32_t newPeriods = 0;
  int32_t firstPeriods = 0;
  int32_t unitSamples = decodeUnit(voice, &synth->codec, phoneA, phoneB, &unit, &newPeriods, &firstPeriods);
  if (unitSamples < 1) {
    unitSamples = 0;
    newPeriods = 0;
    firstPeriods = 0;
  }
  int32_t firstSamples = 0;
  for (int32_t p = 0; p < firstPeriods; ++p) firstSamples += synth->lengths[join + p];
  const int32_t periods = join + firstPeriods;
  const int32_t valid = join + newPeriods;
  synth->periods = periods;
  synth->phoneSamples = joinSample + firstSamples;
  synth->offsets[0] = 0;
  for (int32_t p = 0; p < valid; ++p) synth->offsets[p + 1] = synth->offsets[p] + synth->lengths[p];

  const char* ctype = voice->phoneCtype ? voice->phoneCtype(phoneA) : nullptr;
  if (!isClass(ctype, "r") && join > 0 && newPeriods > 0) {
    smoothExcitation(synth, join, periods > join);
    for (int32_t i = 0; i < order; ++i) smoothTrack(synth->lsf_Q10 + i, order, join, periods - join, valid);
    smoothTrack(synth->gains, 1, join, periods - join, valid);
  }

  const int32_t sonorant = isSonorant(synth, phoneA);
  buildTargets(synth, segment, sonorant);

  int32_t written = 0;
  if (periods <= 1 || synth->targetCount == 0) {
    if (phoneA == 0) {
      for (int32_t k = 0; k < synth->targetCount && written + synth->targets[k] <= room; ++k)
        for (int32_t i = 0; i < synth->targets[k]; ++i) out[written++] = 0;
    }
  } else {
    const int32_t mapped = mapTargets(synth, ctype, join, periods);
    for (int32_t k = 0; k < mapped; ++k) {
      const int32_t length = synth->targets[k];
      if (length <= 0) continue;
      if (phoneA == 0) {
        if (written + length > room) break;
        for (int32_t i = 0; i < length; ++i) out[written++] = 0;
        continue;
      }
      const int32_t produced =
          renderPeriod(synth, sonorant, length, synth->map[k], usePostFilter, out + written, room - written);
      if (produced < 0) break;
      written += produced;
    }
  }

  // Carry the second half of the unit (the first half of phone B) over.
  const int32_t carried = newPeriods - firstPeriods;
  if (carried > 0) {
    std::memmove(synth->lengths, synth->lengths + periods, sizeof(int32_t) * carried);
    std::memmove(synth->gains, synth->gains + periods, sizeof(int16_t) * carried);
    std::memmove(synth->lsf_Q10, synth->lsf_Q10 + periods * order, sizeof(int16_t) * carried * order);
  }
  const int32_t carriedSamples = unitSamples - firstSamples;
  if (carriedSamples > 0)
    std::memmove(synth->excitation, synth->excitation + joinSample + firstSamples,
                 sizeof(int16_t) * carriedSamples);
  synth->carriedPeriods = carried;
  synth->carriedSamples = carriedSamples;
  return written;
}

}  // namespace tts
