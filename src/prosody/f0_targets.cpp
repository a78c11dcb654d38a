// F0 target placement: the fixed contour and the regression models.
#include "prosody/f0_targets.h"

#include "model/language.h"
#include "model/path.h"
#include "model/strings.h"
#include "prosody/prosody_items.h"

namespace tts {

namespace {

constexpr int32_t kDefaultMean = 105;    // Hz
constexpr int32_t kDefaultShift_Q8 = 256;
constexpr int32_t kDefaultStdDev = 14;   // Hz
constexpr int32_t kModelMean = 170;      // Hz of the regression models' speaker
constexpr int32_t kModelStdDev = 34;
constexpr int32_t kContourNormal[5] = {0, 50, 0, 10, -30};  // Hz at P0..P4
constexpr int32_t kContourFlat[5] = {0, 0, 0, 0, 0};

int32_t paramInt(Relation* r, const char* name, int32_t absent) {
  const Val* v = r ? featGet(r->params, name) : nullptr;
  return v ? valInt(v) : absent;
}

int32_t saturate32(int64_t v) { return v > INT32_MAX ? INT32_MAX : (v < INT32_MIN ? INT32_MIN : static_cast<int32_t>(v)); }

int32_t clampF0(int32_t f0) { return f0 < kMinTargetF0 ? kMinTargetF0 : (f0 > kMaxTargetF0 ? kMaxTargetF0 : f0); }

int32_t endOf(Item* seg) { return seg ? featureInt(seg, "end") : 0; }

// "is_pau" is "1" exactly when "pid" is 0, so one test serves both languages'
// pause questions.
bool isPause(Item* seg) { return seg && featureInt(seg, "pid") == 0; }

struct Anchors {
  int32_t start, middle, end;
  bool pauseBefore, pauseAfter;
};

Anchors anchorsOf(Item* syl) {
  Anchors a;
  Item* first = syl->down;
  Item* last = itemLastDaughter(syl);
  if (!last) last = first;
  a.start = endOf(first->prev);
  Item* vowel = first;
  const int32_t onset = featureInt(syl, "syl_onsetsize");
  for (int32_t k = 0; k < onset && vowel != last && vowel->next; ++k) vowel = vowel->next;
  a.middle = (endOf(vowel) + endOf(vowel->prev)) >> 1;
  a.end = endOf(last);
  a.pauseBefore = !syl->prev || isPause(first->prev);
  a.pauseAfter = !syl->next || isPause(last->next);
  return a;
}

struct TargetList {
  F0Target* items;
  int32_t count;
  int32_t capacity;
  void add(int32_t pos, int32_t f0) {
    if (count < capacity) items[count++] = F0Target{pos, clampF0(f0)};
  }
};

// Anchor times of the contour: the phrase's first syllable's start, the ends
// of the two syllables after it, of the syllable two before the last, of the last.
void contourAnchors(Relation* phrases, int32_t* p) {
  Item* phrase = phraseItem(phrases);
  Item* firstSyl = phraseFirstSyllable(phrases);
  p[0] = endOf(firstSyl->down ? firstSyl->down->prev : nullptr);
  Item* n1 = firstSyl->next;
  Item* n2 = n1 ? n1->next : nullptr;
  p[1] = endOf(itemLastDaughter(n1));
  p[2] = endOf(itemLastDaughter(n2));
  Item* lastSyl = itemLastDaughter(itemLastDaughter(phrase));
  Item* pp = (lastSyl && lastSyl->prev) ? lastSyl->prev->prev : nullptr;
  p[3] = endOf(itemLastDaughter(pp));
  p[4] = endOf(itemLastDaughter(lastSyl));
}

void placeContour(Relation* phrases, int32_t base, TargetList* t) {
  int32_t p[5];
  contourAnchors(phrases, p);
  const int32_t* v = p[3] <= p[2] ? kContourFlat : kContourNormal;
  bool visited = false;
  int32_t last = 0;
  for (Item* syl = phraseFirstSyllable(phrases); syl; syl = syl->next) {
    if (!syl->down) continue;
    const Anchors a = anchorsOf(syl);
    if (!isPause(syl->down)) {
      t->add(a.start, saturate32(int64_t{base} + contourOffset(p, v, a.start)));
      t->add(a.middle, saturate32(int64_t{base} + contourOffset(p, v, a.middle)));
      last = a.middle;
      if (a.pauseAfter) {
        t->add(a.end, saturate32(int64_t{base} + contourOffset(p, v, a.end)));
        last = a.end;
      }
    } else if (visited && t->count >= 2) {
      const int32_t f0 = clampF0(saturate32(int64_t{base} + contourOffset(p, v, last)));
      t->items[t->count - 2].f0 = f0;
      t->items[t->count - 1].f0 = f0;
    }
    visited = true;
  }
}

struct Prediction {
  int32_t start, mid, end;  // Hz of the model speaker
};

// Rows of one feature follow each other (a value row per accent or tone), so
// a feature is walked once for its run of rows and its answer held over the run.
Prediction predict(const ProsodyLanguage* lang, Item* syl) {
  int32_t s_Q16 = 0, m_Q16 = 0, e_Q16 = 0;
  const char* heldPath = nullptr;
  const Val* held = nullptr;
  for (int32_t r = 0; r < lang->f0RowCount; ++r) {
    const F0Row& row = lang->f0Rows[r];
    if (r == 0) {
      s_Q16 = row.start_Q16;
      m_Q16 = row.mid_Q16;
      e_Q16 = row.end_Q16;
      continue;
    }
    if (row.path != heldPath) {  // a table's equal literals share one address
      valRelease(held);
      held = valRef(itemPath(syl, row.path));
      heldPath = row.path;
    }
    if (row.value) {
      const char* text = valString(held);
      if (strCompare(text != nullptr ? text : "0", row.value) == 0) {
        s_Q16 += row.start_Q16;
        m_Q16 += row.mid_Q16;
        e_Q16 += row.end_Q16;
      }
    } else {
      const int32_t x = valInt(held);
      s_Q16 += x * row.start_Q16;
      m_Q16 += x * row.mid_Q16;
      e_Q16 += x * row.end_Q16;
    }
  }
  valRelease(held);
  return Prediction{s_Q16 >> 16, m_Q16 >> 16, e_Q16 >> 16};
}

void placeRegression(const ProsodyLanguage* lang, Relation* phrases, int32_t base, int32_t stddev,
                     TargetList* t) {
  // 64-bit, saturated to the int32 range: base and spread come from the voice header as they stand.
  auto map = [base, stddev](int32_t hz) {
    return saturate32(base + static_cast<int64_t>(stddev) * (static_cast<int64_t>(hz) - kModelMean) / kModelStdDev);
  };
  int32_t carried = base;
  bool visited = false;
  for (Item* syl = phraseFirstSyllable(phrases); syl; syl = syl->next) {
    if (!syl->down) continue;
    const Prediction pr = predict(lang, syl);
    const Anchors a = anchorsOf(syl);
    if (a.pauseBefore) carried = map(pr.start);
    if (!isPause(syl->down)) {
      t->add(a.start, static_cast<int32_t>((int64_t{map(pr.start)} + carried) >> 1));
      t->add(a.middle, map(pr.mid));
      carried = map(pr.end);
      if (a.pauseAfter) t->add(a.end, carried);
    } else if (visited && t->count >= 2) {
      t->items[t->count - 2].f0 = clampF0(map(pr.mid));
      t->items[t->count - 1].f0 = clampF0(map(pr.end));
      carried = map(pr.end);
    }
    visited = true;
  }
}

// Yes/no question (the phrase ends at "?"): from the vowel of the phrase's
// last stressed syllable (its last syllable when none is stressed) F0 starts
// low, at most the base, and rises linearly to 5 semitones above that at the
// end of the phrase's last syllable; the pause after stays high. The contour
// and the regression models cannot rise there by themselves: no boundary tone
// reaches the contour, and the regression's tone rows are outweighed by the
// pause syllable's own predictions, which end every phrase.
constexpr int32_t kQuestionRise_Q8 = 342;  // 2^(5/12) = 1.335

void riseQuestionEnd(Relation* phrases, int32_t base, TargetList* t) {
  Item* phrase = phraseItem(phrases);
  if (featureInt(phrase, "question") != 1) return;
  Item* last = itemLastDaughter(itemLastDaughter(phrase));
  if (!last || !last->down) return;
  Item* first = phraseFirstSyllable(phrases);
  Item* nucleus = last;
  for (Item* syl = last; syl && syl->down; syl = syl->prev) {
    if (featureInt(syl, "stress") > 0) {
      nucleus = syl;
      break;
    }
    if (syl == first) break;
  }
  const int32_t from = anchorsOf(nucleus).middle;
  const int32_t to = anchorsOf(last).end;
  int32_t low = base;
  int32_t kept = 0;
  for (int32_t k = 0; k < t->count; ++k) {
    if (t->items[k].pos < from) {
      t->items[kept++] = t->items[k];
    } else if (t->items[k].pos == from && t->items[k].f0 < low) {
      low = t->items[k].f0;
    }
  }
  t->count = kept;
  low = clampF0(low);  // the base comes from the voice header as it stands
  t->add(from, low);
  if (to > from) t->add(to, low * kQuestionRise_Q8 >> 8);
}

// Accented intonation (the handle's intonation setting is 1). The contour and
// the regression models leave most of a phrase within two or three semitones,
// and the accents the tree marks hardly show in them.
// - Every syllable carrying "H*" or "L+H*" peaks at its vowel middle by the
//   language's accent factor, and F0 at the start of the next syllable is
//   raised half as far, so that the peak falls over the syllable after it.
// - A minor accent rises half as far at both places: "!H*" (downstepped), and
//   the primary-stressed syllable of a word of two or more syllables that the
//   tree left unaccented (the tree marks few words of a long phrase;
//   monosyllables, mostly function words, need its accent).
// - The phrase's last syllable keeps its end, a declarative's low end.
// Then F0 declines linearly over the phrase: from half the declination above
// the targets at its first syllable's start to half below at its last
// syllable's end (later targets as at that end). A phrase ending at "?" keeps
// its level, as yes/no questions do, and rises at its end as before.

void raiseAt(TargetList* t, int32_t pos, int32_t factor_Q8) {
  for (int32_t k = 0; k < t->count; ++k)
    if (t->items[k].pos == pos) t->items[k].f0 = clampF0(saturate32(int64_t{t->items[k].f0} * factor_Q8 >> 8));
}

void shapeAccents(const ProsodyLanguage* lang, Relation* phrases, TargetList* t) {
  Item* first = phraseFirstSyllable(phrases);
  Item* last = itemLastDaughter(itemLastDaughter(phraseItem(phrases)));
  if (!last || !last->down) return;
  const int32_t full_Q8 = lang->accentPeak_Q8;
  const int32_t half_Q8 = (256 + full_Q8) >> 1;
  const int32_t quarter_Q8 = (256 + half_Q8) >> 1;
  for (Item* syl = first; syl; syl = syl->next) {
    const bool full = itemGet(syl, "accent") && !featureIs(syl, "accent", "!H*");
    const bool minor = !full && (itemGet(syl, "accent") || (featureInt(syl, "stress") == 1 &&
                                                            itemPathInt(syl, "R:SylStructure.parent.word_numsyls") > 1));
    if (syl->down && (full || minor)) {
      const Anchors a = anchorsOf(syl);
      raiseAt(t, a.middle, full ? full_Q8 : half_Q8);
      if (syl != last) raiseAt(t, a.end, full ? half_Q8 : quarter_Q8);
    }
    if (syl == last) break;
  }
  const int32_t t0 = anchorsOf(first).start;
  const int32_t t1 = anchorsOf(last).end;
  if (t1 <= t0 || featureInt(phraseItem(phrases), "question") == 1) return;
  for (int32_t k = 0; k < t->count; ++k) {
    const int32_t pos = t->items[k].pos < t0 ? t0 : (t->items[k].pos > t1 ? t1 : t->items[k].pos);
    const int64_t factor_Q12 =
        4096 + int64_t{lang->declination_Q12} * (int64_t{t0} + t1 - 2 * int64_t{pos}) / (2 * (int64_t{t1} - t0));
    t->items[k].f0 = clampF0(saturate32(t->items[k].f0 * factor_Q12 >> 12));
  }
}

int32_t syllablesFrom(Item* syl) {
  int32_t n = 0;
  for (; syl; syl = syl->next) ++n;
  return n;
}

}  // namespace

int32_t contourOffset(const int32_t* p, const int32_t* v, int32_t t) {
  if (t < p[0] || t > p[4]) return 0;
  for (int32_t j = 0; j < 5; ++j)
    if (t == p[j]) return v[j];
  for (int32_t j = 1; j < 5; ++j) {
    if (p[j] > t) {
      const int32_t span = p[j] - p[j - 1];
      if (span == 0) return v[j - 1];
      return v[j - 1] + ((v[j] - v[j - 1]) * (t - p[j - 1])) / span;
    }
  }
  return 0;
}

int32_t placeF0Targets(const ProsodyLanguage* lang, Relation* phrases, F0Target* out, int32_t capacity) {
  if (!lang || !phraseFirstSegment(phrases) || capacity < 2) return 0;
  const int32_t mean = currentF0Mean_Hz(phrases, kDefaultMean);
  const int32_t shift_Q8 = paramInt(phrases, "f0_shift", kDefaultShift_Q8);
  const int32_t stddev = paramInt(phrases, "int_f0_target_stddev", kDefaultStdDev);
  // 64-bit product, saturated: the mean comes from the voice header as it stands.
  const int64_t base64 = static_cast<int64_t>(mean) * shift_Q8 >> 8;
  const int32_t base = saturate32(base64);
  TargetList t{out, 0, capacity - 1};  // one place kept for the closing target
  if (lang->f0Model == kF0Contour)
    placeContour(phrases, base, &t);
  else
    placeRegression(lang, phrases, base, stddev, &t);
  if (phrases->settings && phrases->settings->intonation == kIntonationAccented) shapeAccents(lang, phrases, &t);
  riseQuestionEnd(phrases, base, &t);

  t.capacity = capacity;
  if (t.count == 0) {
    t.add(0, base);
  } else if (t.items[0].pos > 0) {
    t.items[0].pos = 0;
  }
  Relation* segments = phraseFirstSegment(phrases)->relation;
  const int32_t e = endOf(segments->tail);
  if (t.items[t.count - 1].pos < e) t.add(e, t.items[t.count - 1].f0);
  return t.count;
}

int32_t assignF0(const ProsodyLanguage* lang, Relation* phrases) {
  Item* firstSyl = phraseFirstSyllable(phrases);
  if (!firstSyl) return 0;
  const int32_t capacity = 3 * syllablesFrom(firstSyl) + 2;
  auto* targets = static_cast<F0Target*>(poolAlloc(phrases->pool, sizeof(F0Target) * capacity));
  if (!targets) return kStageNoMemory;
  const int32_t count = placeF0Targets(lang, phrases, targets, capacity);
  const int32_t result = assignPitchPeriods(phrases, targets, count);
  poolFree(targets);
  return result;
}

}  // namespace tts
