#include <gtest/gtest.h>

#include "model/relation.h"

namespace tts {
namespace {

struct Level {
  Relation* r;
  explicit Level(const char* name) : r(relCreate(name, nullptr, nullptr, nullptr)) {}
  ~Level() { relDestroy(r); }
};

TEST(Relations, AppendLinksHeadAndTail) {
  Level words("Word");
  EXPECT_STREQ(words.r->name, "Word");
  Item* a = relAppend(words.r);
  Item* b = relAppend(words.r);
  Item* c = relAppend(words.r);
  EXPECT_EQ(words.r->head, a);
  EXPECT_EQ(words.r->tail, c);
  EXPECT_EQ(a->prev, nullptr);
  EXPECT_EQ(a->next, b);
  EXPECT_EQ(b->prev, a);
  EXPECT_EQ(b->next, c);
  EXPECT_EQ(c->prev, b);
  EXPECT_EQ(c->next, nullptr);
  EXPECT_EQ(b->relation, words.r);
  ASSERT_NE(b->features, nullptr);
  EXPECT_EQ(relAppend(nullptr), nullptr);
}

TEST(Relations, DaughtersFormAContiguousRun) {
  Level syls("Syllable"), segs("Segment");
  Item* syl = relAppend(syls.r);
  Item* s[4];
  for (Item*& x : s) x = relAppend(segs.r);
  EXPECT_EQ(itemLastDaughter(syl), nullptr);
  EXPECT_EQ(itemAddDaughter(syl, s[0]), s[0]);
  EXPECT_EQ(itemAddDaughter(syl, s[1]), s[1]);
  EXPECT_EQ(itemAddDaughter(syl, s[2]), s[2]);
  EXPECT_EQ(syl->daughters, 3);
  EXPECT_EQ(syl->down, s[0]);
  EXPECT_EQ(itemLastDaughter(syl), s[2]);
  EXPECT_EQ(s[0]->up, syl);
  EXPECT_EQ(s[1]->up, nullptr);
  EXPECT_EQ(itemParent(s[1]), syl);
  EXPECT_EQ(itemParent(s[2]), syl);
  EXPECT_EQ(itemParent(syl), nullptr);

  // Refused: not right after the last daughter, or a null side.
  Item* other = relAppend(syls.r);
  EXPECT_EQ(itemAddDaughter(syl, other), nullptr);
  EXPECT_EQ(itemAddDaughter(syl, s[0]), nullptr);
  EXPECT_EQ(itemAddDaughter(nullptr, s[3]), nullptr);
  EXPECT_EQ(itemAddDaughter(syl, nullptr), nullptr);
  EXPECT_EQ(syl->daughters, 3);
  EXPECT_EQ(itemLastDaughter(syl), s[2]);
  EXPECT_EQ(itemParent(nullptr), nullptr);
}

TEST(Relations, DeleteKeepsParentsHeadsAndTails) {
  Level words("Word"), syls("Syllable"), segs("Segment");
  Item* w = relAppend(words.r);
  Item* a = relAppend(syls.r);
  Item* b = relAppend(syls.r);
  itemAddDaughter(w, a);
  itemAddDaughter(w, b);
  Item* seg = relAppend(segs.r);
  itemAddDaughter(b, seg);
  itemSetString(a, "name", "a");

  itemDelete(a);  // first of two daughters
  EXPECT_EQ(w->down, b);
  EXPECT_EQ(b->up, w);
  EXPECT_EQ(w->daughters, 1);
  EXPECT_EQ(syls.r->head, b);
  EXPECT_EQ(b->prev, nullptr);

  itemDelete(b);  // last daughter, with a daughter of its own
  EXPECT_EQ(w->down, nullptr);
  EXPECT_EQ(w->daughters, 0);
  EXPECT_EQ(syls.r->head, nullptr);
  EXPECT_EQ(syls.r->tail, nullptr);
  EXPECT_EQ(segs.r->head, nullptr);
  EXPECT_EQ(segs.r->tail, nullptr);
}

TEST(Relations, DeletingALaterDaughterShortensTheRun) {
  Level syls("Syllable"), segs("Segment");
  Item* p = relAppend(syls.r);
  Item* q = relAppend(syls.r);
  Item* s[5];
  for (Item*& x : s) x = relAppend(segs.r);
  itemAddDaughter(p, s[0]);
  itemAddDaughter(p, s[1]);
  itemAddDaughter(p, s[2]);
  itemAddDaughter(q, s[3]);
  itemAddDaughter(q, s[4]);
  itemDelete(s[1]);
  EXPECT_EQ(p->daughters, 2);
  EXPECT_EQ(itemLastDaughter(p), s[2]);
  itemDelete(s[2]);  // now the run's last item
  EXPECT_EQ(p->daughters, 1);
  itemDelete(p);  // must not reach into q's daughters
  EXPECT_EQ(q->down, s[3]);
  EXPECT_EQ(q->daughters, 2);
  EXPECT_EQ(s[3]->up, q);
  EXPECT_EQ(segs.r->head, s[3]);
  EXPECT_EQ(syls.r->head, q);
}

TEST(Relations, TopDownDestructionEmptiesLowerRelations) {
  Relation* phrases = relCreate("Phrase", nullptr, nullptr, nullptr);
  Relation* words = relCreate("Word", nullptr, nullptr, nullptr);
  Relation* syls = relCreate("Syllable", nullptr, nullptr, nullptr);
  Relation* segs = relCreate("Segment", nullptr, nullptr, nullptr);
  Item* orphan = relAppend(words);  // a word without a phrase, with its own syllable
  itemAddDaughter(orphan, relAppend(syls));
  Item* ph = relAppend(phrases);
  for (int w = 0; w < 2; ++w) {
    Item* word = itemAddDaughter(ph, relAppend(words));
    ASSERT_NE(word, nullptr);
    for (int k = 0; k < 2; ++k) {
      Item* syl = itemAddDaughter(word, relAppend(syls));
      ASSERT_NE(syl, nullptr);
      for (int g = 0; g < 3; ++g) ASSERT_NE(itemAddDaughter(syl, relAppend(segs)), nullptr);
      itemSetInt(syl, "stress", k);
    }
  }
  relDestroy(phrases);
  EXPECT_EQ(words->head, orphan);
  EXPECT_EQ(words->tail, orphan);
  EXPECT_EQ(syls->head, orphan->down);
  EXPECT_EQ(segs->head, nullptr);
  EXPECT_EQ(segs->tail, nullptr);
  relDestroy(words);
  EXPECT_EQ(syls->head, nullptr);
  EXPECT_EQ(syls->tail, nullptr);
  relDestroy(syls);
  relDestroy(segs);
  relDestroy(nullptr);
}

TEST(Relations, DaughtersInTheSameRelationAreDeletedOnce) {
  Relation* r = relCreate("Token", nullptr, nullptr, nullptr);
  Item* a = relAppend(r);
  Item* b = relAppend(r);
  relAppend(r);
  ASSERT_EQ(itemAddDaughter(a, b), b);
  relDestroy(r);  // ASan: no use after free
}

}  // namespace
}  // namespace tts
