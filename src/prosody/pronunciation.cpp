// Stage 3: lexicon lookup, phones, syllables and segments of one word.
#include "prosody/pronunciation.h"

#include <cstdlib>

#include "model/language.h"
#include "corvum.h"
#include "model/strings.h"
#include "prosody/phoneset.h"
#include "prosody/prosody_items.h"

namespace tts {

namespace {

const char16_t kNoText[1] = {0};

// A lone silence segment, belonging to no syllable, for a word the lexicon
// cannot pronounce (none for the phrase-initial item).
int32_t lexiconFailure(Item* word, Relation* segments) {
  if (itemParent(word)) {
    Item* seg = relAppend(segments);
    if (!seg || !setFeature(seg, "name", makeString(itemPool(seg), "##")) ||
        !setFeature(seg, "pid", makeInt(0)))
      return kStageNoMemory;
  }
  return 1;
}

Item* appendSyllable(Item* word, Relation* syllables, int32_t stress, int32_t sylBreak, int32_t onset,
                     int32_t coda) {
  Item* syl = relAppend(syllables);
  if (!syl) return nullptr;
  if (!setFeature(syl, "stress", sharedNumber(stress)) || !setFeature(syl, "syl_break", sharedNumber(sylBreak)) ||
      !setFeature(syl, "syl_onsetsize", makeInt(itemPool(syl), onset)) ||
      !setFeature(syl, "syl_codasize", makeInt(itemPool(syl), coda)))
    return nullptr;
  if (word && !itemAddDaughter(word, syl)) return nullptr;
  return syl;
}

Item* appendSegment(const ProsodyContext& ctx, Item* syl, Relation* segments, int32_t id) {
  Item* seg = relAppend(segments);
  if (!seg) return nullptr;
  const char* name = phoneName(ctx.phoneset, id);
  if (!setStringFeature(seg, "name", name ? name : "##") || !setFeature(seg, "pid", makeInt(itemPool(seg), id)))
    return nullptr;
  if (!itemAddDaughter(syl, seg)) return nullptr;
  return seg;
}

}  // namespace

int32_t pronounceWordWith(const ProsodyContext& ctx, void* lexicon, Item* word, Relation* syllables,
                          Relation* segments, char* pron, uint8_t* phones, uint8_t* stress) {
  if (!word || !syllables || !segments || !pron || !phones || !stress) return 0;
  const int32_t lexId = ctx.getLexId ? ctx.getLexId(lexicon, ctx.lexiconCode, 0) : -1;
  if (lexId < 0) return lexiconFailure(word, segments);

  const char16_t* name = valWString(itemGet(word, "name"));
  if (!name) name = kNoText;
  const char* gpos = ctx.classifyWord ? ctx.classifyWord(name) : (name[0] ? "content" : "");
  if (!gpos) gpos = "";
  if (!setStringFeature(word, "gpos", gpos)) return kStageNoMemory;

  const char* source = pron;
  if (name[0] == 0 || strCompare(gpos, "punc") == 0) {
    source = ctx.language ? ctx.language->silenceSymbol : "pau";
  } else {
    pron[0] = '\0';
    const int32_t got = ctx.getPronString
                            ? ctx.getPronString(lexicon, static_cast<uint16_t>(lexId & 0xFFFF), name, pron, 0, 1, 0)
                            : 0;
    if (got < 1) return lexiconFailure(word, segments);
  }

  const int32_t n = parsePronunciation(ctx, source, phones, stress);
  SyllableSpan spans[kMaxWordPhones + 1];
  const int32_t count = syllabify(ctx, phones, n, spans);

  Item* lastSyl = nullptr;
  Item* lastSeg = nullptr;
  for (int32_t k = 0; k < count; ++k) {
    const SyllableSpan& sp = spans[k];
    int32_t mark = 0;
    for (int32_t i = sp.start; i < sp.start + sp.length && mark == 0; ++i) mark = stress[i];
    lastSyl = appendSyllable(word, syllables, mark, sp.wordFinal ? 1 : 0, sp.onset, sp.length - sp.onset - 1);
    if (!lastSyl) return kStageNoMemory;
    for (int32_t i = sp.start; i < sp.start + sp.length; ++i) {
      lastSeg = appendSegment(ctx, lastSyl, segments, phones[i]);
      if (!lastSeg) return kStageNoMemory;
    }
  }

  Relation* wordRel = word->relation;
  Item* phrase = nullptr;
  if (wordRel && wordRel->head) {
    Item* firstWord = wordRel->head->next;
    phrase = firstWord ? itemParent(firstWord) : nullptr;
  }
  if (wordRel && word == wordRel->head && lastSyl) {
    const int32_t sub = phrase ? valInt(itemGet(phrase, "sub_phrases")) : 0;
    if (!setFeature(lastSyl, "syl_break", sharedNumber(sub == 0 ? 4 : 3))) return kStageNoMemory;
  }
  if (wordRel && word == wordRel->tail && word != wordRel->head && lastSyl) {
    const int32_t brk = (phrase && featureIs(phrase, "name", "BB")) ? 4 : 3;
    if (!setFeature(lastSyl, "syl_break", sharedNumber(brk))) return kStageNoMemory;
    if (lastSeg && featureInt(lastSeg, "pid") != 0) {
      Item* pause = appendSyllable(nullptr, syllables, 0, brk, 0, 0);
      if (!pause) return kStageNoMemory;
      if (!appendSegment(ctx, pause, segments, 0)) return kStageNoMemory;
    }
  }
  return n;
}

ProsodyContext deliverableProsodyContext() {
  ProsodyContext ctx;
  ctx.phoneset = kLanguage.phoneset;
  ctx.language = kLanguage.prosody;
  ctx.classifyWord = kLanguage.classifyWord;
  ctx.lexiconCode = kLanguage.lexiconCode;
  ctx.getLexId = &LexMgr_GetLexID;
  ctx.getPronString = &LexMgr_GetPronString;
  return ctx;
}

int32_t pronounceWord(void* lexicon, Item* word, Relation* syllables, Relation* segments, char* pron,
                      uint8_t* phones, uint8_t* stress) {
  return pronounceWordWith(deliverableProsodyContext(), lexicon, word, syllables, segments, pron, phones, stress);
}

}  // namespace tts
