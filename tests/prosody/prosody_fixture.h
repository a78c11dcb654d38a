// Test scaffolding for the prosody stages: one phrase's relations over a
// real registry and parameter map, a fake lexicon, and word lists built from
// plain text.
#pragma once
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "model/arena.h"
#include "model/features.h"
#include "model/relation.h"
#include "prosody/feature_functions.h"
#include "prosody/phonesets.h"
#include "prosody/phrase_cutting.h"
#include "prosody/pronunciation.h"
#include "prosody/prosody_context.h"
#include "prosody/unit_targets.h"
#include "prosody/word_classifier.h"
#include "text/word_list.h"

namespace prosody_test {

// A lexicon that answers from a table; unknown words fail, unless a
// letter-to-symbol rule is set.
struct FakeLexicon {
  bool available = true;
  std::map<std::u16string, std::string> words;
  std::string (*rule)(const std::u16string& word) = nullptr;

  static int32_t lexId(void* lexicon, uint16_t, uint16_t) {
    return static_cast<FakeLexicon*>(lexicon)->available ? 0 : -1;
  }
  static int32_t pron(void* lexicon, uint16_t, const char16_t* word, char* out, int32_t, int32_t, int32_t) {
    auto* lex = static_cast<FakeLexicon*>(lexicon);
    std::string p;
    auto it = lex->words.find(word);
    if (it != lex->words.end())
      p = it->second;
    else if (lex->rule)
      p = lex->rule(word);
    else
      return 0;
    std::strncpy(out, p.c_str(), 255);
    out[255] = '\0';
    return 1;
  }
};

enum class Lang { Es, Pl, Tr };

inline tts::ProsodyContext contextFor(Lang lang) {
  tts::ProsodyContext ctx{};
  switch (lang) {
    case Lang::Es:
      ctx = {&tts::kPhoneSetEs, &tts::kProsodyLanguageEs, tts::classifyWordDefault, 4, nullptr, nullptr};
      break;
    case Lang::Pl:
      ctx = {&tts::kPhoneSetPl, &tts::kProsodyLanguagePl, tts::classifyWordPolish, 15, nullptr, nullptr};
      break;
    case Lang::Tr:
      ctx = {&tts::kPhoneSetTr, &tts::kProsodyLanguageTr, tts::classifyWordDefault, 17, nullptr, nullptr};
      break;
  }
  ctx.getLexId = &FakeLexicon::lexId;
  ctx.getPronString = &FakeLexicon::pron;
  return ctx;
}

// The handle-level state one phrase cycle needs.
struct Session {
  tts::WorkArena* arena = nullptr;
  tts::Features* params = nullptr;
  tts::Features* registry = nullptr;
  tts::ProsodyContext ctx{};
  FakeLexicon lexicon;

  explicit Session(Lang lang, int32_t stretch = 256, int32_t mean = 105, int32_t rate = 16000) {
    ctx = contextFor(lang);
    arena = tts::arenaCreate(30720);
    params = tts::featCreate();
    registry = tts::featCreate();
    tts::registerFeatureFunctions(registry);
    setParam("int_f0_target_mean", mean);
    setParam("int_f0_target_stddev", 14);
    setParam("duration_stretch", stretch);
    setParam("sample_rate", rate);
    tts::featSet(params, "phoneset", tts::makePhoneset(ctx.phoneset));
  }
  ~Session() {
    tts::featDestroy(params);
    tts::featDestroy(registry);
    tts::arenaDestroy(arena);
  }
  void setParam(const char* name, int32_t value) { tts::featSet(params, name, tts::makeInt(value)); }
};

// One phrase cycle: the four relations, destroyed top-down.
struct Phrase {
  Session& s;
  tts::Relation* phrases;
  tts::Relation* words;
  tts::Relation* syllables = nullptr;
  tts::Relation* segments = nullptr;
  uint8_t pron[4][256];

  explicit Phrase(Session& session) : s(session) {
    phrases = tts::relCreate("Phrase", s.params, s.registry, s.arena);
    words = tts::relCreate("Word", s.params, s.registry, s.arena);
  }
  ~Phrase() {
    tts::relDestroy(phrases);
    tts::relDestroy(words);
    tts::relDestroy(syllables);
    tts::relDestroy(segments);
  }
  void makeLower() {
    syllables = tts::relCreate("Syllable", s.params, s.registry, s.arena);
    segments = tts::relCreate("Segment", s.params, s.registry, s.arena);
  }
  // Stage 3 over every word item; returns the phone total.
  int32_t pronounceAll() {
    if (!syllables) makeLower();
    int32_t total = 0;
    for (tts::Item* w = words->head; w; w = w->next)
      total += tts::pronounceWordWith(s.ctx, &s.lexicon, w, syllables, segments, reinterpret_cast<char*>(pron[0]),
                                      pron[1], pron[2]);
    return total;
  }
};

// Builds a phrase by hand: one "Phrase" item (name, type, sub_phrases) and its
// words (the phrase-initial item first, named `opener`).
inline void buildPhrase(Phrase& p, const std::vector<std::u16string>& words, const char* name = "BB",
                        int32_t type = 0, int32_t sub = 0, const std::u16string& opener = u"") {
  tts::Item* phrase = tts::relAppend(p.phrases);
  tts::itemSetString(phrase, "name", name);
  tts::itemSet(phrase, "type", tts::makeInt(type));
  tts::itemSet(phrase, "delay", tts::makeInt(2));
  tts::itemSet(phrase, "sub_phrases", tts::sharedNumber(sub));
  tts::Item* first = tts::relAppend(p.words);
  tts::itemSet(first, "name", tts::makeWString(opener.c_str()));
  for (const auto& w : words) {
    tts::Item* word = tts::relAppend(p.words);
    tts::itemSet(word, "name", tts::makeWString(w.c_str()));
    tts::itemAddDaughter(phrase, word);
  }
}

// A word list over owned storage, with break levels and syllable estimates.
struct OwnedWordList {
  std::vector<std::u16string> text;
  std::vector<char16_t*> entries;
  std::vector<int32_t> levels, syllables, classes;
  tts::WordList list{};

  // Tokens separated by spaces; ',' ';' give level 3, '.' '?' '!' ':' level 4,
  // '|' level 2; a word followed by a mark of level 1 ("/") gets level 1.
  explicit OwnedWordList(const std::u16string& s, int32_t mode = 0) {
    size_t i = 0;
    while (i < s.size()) {
      while (i < s.size() && s[i] == u' ') ++i;
      size_t j = i;
      while (j < s.size() && s[j] != u' ') ++j;
      if (j > i) {
        std::u16string tok = s.substr(i, j - i);
        if (tok == u"/") {
          if (!levels.empty()) levels.back() = 1;
        } else {
          int32_t level = 0;
          if (tok == u"," || tok == u";") level = 3;
          if (tok == u"." || tok == u"?" || tok == u"!" || tok == u":") level = 4;
          if (tok == u"|") level = 2;
          text.push_back(tok);
          levels.push_back(level);
          syllables.push_back(level ? 0 : 2);
          classes.push_back(level ? 3 : 2);
        }
      }
      i = j;
    }
    for (auto& t : text) entries.push_back(&t[0]);
    list.textMode = mode;
    list.entries = entries.data();
    list.count = static_cast<int32_t>(entries.size());
    list.breakLevel = levels.data();
    list.syllables = syllables.data();
    list.wordClass = classes.data();
    int32_t finals = 0;
    for (int32_t l : levels) finals += l == 4;
    list.cursors[tts::kCursorSentenceFinalCount] = finals;
  }
};

// Names and ids of a relation's items.
inline std::vector<std::string> names(tts::Relation* r) {
  std::vector<std::string> out;
  for (tts::Item* x = r ? r->head : nullptr; x; x = x->next) {
    const char* s = tts::valString(tts::itemGet(x, "name"));
    out.push_back(s ? s : "?");
  }
  return out;
}

inline std::string str(tts::Item* x, const char* name) {
  const tts::Val* v = tts::itemGet(x, name);
  if (const char* s = tts::valString(v)) return s;
  if (const char16_t* w = tts::valWString(v)) {
    std::string out;
    for (; *w; ++w) out.push_back(static_cast<char>(*w));
    return out;
  }
  return v ? std::to_string(tts::valInt(v)) : "<none>";
}

inline int32_t num(tts::Item* x, const char* name) { return tts::valInt(tts::itemGet(x, name)); }

inline tts::Item* nth(tts::Relation* r, int32_t k) {
  tts::Item* x = r->head;
  while (x && k-- > 0) x = x->next;
  return x;
}

}  // namespace prosody_test
