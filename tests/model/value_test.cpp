#include <gtest/gtest.h>

#include "model/features.h"
#include "model/relation.h"
#include "model/strings.h"
#include "model/value.h"

namespace tts {
namespace {

TEST(Values, SharedTablesAndClamping) {
  EXPECT_EQ(makeInt(511), sharedInt(511));
  EXPECT_EQ(makeInt(-2), sharedInt(-2));
  EXPECT_EQ(sharedInt(511)->holders, -1);
  for (int32_t n : {512, -3, 100000}) {
    const Val* v = makeInt(n);
    ASSERT_NE(v, nullptr);
    EXPECT_NE(v, sharedInt(n));
    EXPECT_EQ(v->holders, 0);
    EXPECT_EQ(valInt(v), n);
    valRelease(v);  // 0 holders: freed at once
  }
  EXPECT_EQ(valInt(sharedInt(1000)), 512);
  EXPECT_EQ(valInt(sharedInt(-7)), -1);
  EXPECT_STREQ(valString(sharedNumber(-7)), "-1");
  EXPECT_STREQ(valString(sharedNumber(-2)), "-2");
  EXPECT_STREQ(valString(sharedNumber(0)), "0");
  EXPECT_STREQ(valString(sharedNumber(47)), "47");
  EXPECT_STREQ(valString(sharedNumber(512)), "512");
  EXPECT_STREQ(valString(sharedNumber(9999)), "512");
  EXPECT_EQ(sharedNumber(3)->type, kValString);
  // The path default is its own value, not the table's "0".
  EXPECT_NE(defaultZero(), sharedNumber(0));
  EXPECT_STREQ(valString(defaultZero()), "0");
}

TEST(Values, ReadersAndStrictEquality) {
  static const Val twelve = staticString("12");
  static const Val decimal = staticString("1.5");
  static const Val minus3 = staticString("-3");
  static const Val three = staticString("3");
  static const int kTree = 0;
  const Val* cart = makeCart(&kTree);
  EXPECT_EQ(valInt(&twelve), 12);
  EXPECT_EQ(valInt(&decimal), 0);
  EXPECT_EQ(valInt(&minus3), -3);
  EXPECT_EQ(valInt(cart), 0);
  EXPECT_EQ(valInt(nullptr), 0);
  EXPECT_EQ(valPointer(cart), &kTree);
  EXPECT_EQ(valString(cart), nullptr);
  EXPECT_EQ(valPhoneset(cart), nullptr);

  EXPECT_FALSE(valEqual(sharedInt(3), &three));
  EXPECT_TRUE(valLess(&three, sharedInt(4)));
  EXPECT_TRUE(valLessEqual(&three, sharedInt(3)));
  EXPECT_FALSE(valGreater(&three, sharedInt(3)));
  EXPECT_TRUE(valEqual(&three, sharedNumber(3)));
  EXPECT_TRUE(valEqual(nullptr, nullptr));
  EXPECT_FALSE(valEqual(&three, nullptr));
  const Val* big1 = makeInt(9000);
  const Val* big2 = makeInt(9000);
  EXPECT_TRUE(valEqual(big1, big2));
  const Val* cart2 = makeCart(&kTree);
  EXPECT_TRUE(valEqual(cart, cart2));  // same payload
  valRelease(big1);
  valRelease(big2);
  valRelease(cart);
  valRelease(cart2);

  const char16_t* word = u"ni\u00F1o";
  const Val* w = makeWString(word);
  EXPECT_EQ(std::u16string(valWString(w)), word);
  EXPECT_NE(valWString(w), word);  // a copy
  valRelease(w);
}

TEST(Values, ListsAreConstantAndTestedByMembership) {
  static const Val pau = staticString("pau");
  static const Val h = staticString("h#");
  static const Val tail = staticCell(&h, nullptr);
  static const Val list = staticCell(&pau, &tail);
  static const Val other = staticCell(&pau, nullptr);
  EXPECT_TRUE(valIsList(&list));
  EXPECT_FALSE(valIsList(&pau));
  EXPECT_FALSE(valIsList(nullptr));
  EXPECT_EQ(valFirst(&list), &pau);
  EXPECT_EQ(valRest(&list), &tail);
  EXPECT_EQ(valFirst(&pau), nullptr);
  const Val* name = makeString("h#");
  EXPECT_TRUE(valMember(name, &list));
  EXPECT_FALSE(valMember(sharedInt(0), &list));
  EXPECT_FALSE(valMember(name, nullptr));
  EXPECT_FALSE(valEqual(&list, &pau));
  EXPECT_FALSE(valEqual(&list, &other));
  EXPECT_TRUE(valEqual(&tail, &tail));
  valRelease(name);
  valRef(&list);
  valRelease(&list);  // constant cells are never freed
  EXPECT_EQ(valFirst(&list), &pau);
  EXPECT_EQ(makeValue(kValList, &pau), nullptr);
}

TEST(Values, HolderCounting) {
  const Val* s = makeString("pau");
  EXPECT_EQ(s->holders, 0);
  valRef(s);
  valRef(s);
  EXPECT_EQ(s->holders, 2);
  valRelease(s);
  EXPECT_EQ(s->holders, 1);
  valDropIfUnheld(s);  // held: untouched
  EXPECT_STREQ(valString(s), "pau");
  valRelease(s);  // last holder: freed (ASan reports a double free or a leak otherwise)

  const Val* stat = sharedNumber(5);
  for (int k = 0; k < 3; ++k) {
    valRef(stat);
    valRelease(stat);
    valRelease(stat);
    valDropIfUnheld(stat);
  }
  EXPECT_EQ(stat->holders, -1);
  EXPECT_STREQ(valString(stat), "5");
  valDropIfUnheld(makeInt(70000));  // fresh: freed
  valDropIfUnheld(nullptr);
  valRelease(nullptr);
  EXPECT_EQ(valRef(nullptr), nullptr);

  // Owned payloads are released with the value.
  Features* inner = featCreate();
  featSet(inner, "x", makeString("payload"));
  valRelease(makeValue(kValFeatures, inner));
  Relation* r = relCreate("Word", nullptr, nullptr, nullptr);
  relAppend(r);
  valRelease(makeValue(kValRelation, r));
}

TEST(Features, SetReplaceOrderAndDestroy) {
  Features* map = featCreate();
  const Val* first = makeString("1");
  featSet(map, "stress", first);
  EXPECT_EQ(first->holders, 1);
  featSet(map, "stress", makeString("0"));  // first is freed with its text
  ASSERT_NE(map->head, nullptr);
  EXPECT_EQ(map->head->next, nullptr);
  EXPECT_STREQ(valString(featGet(map, "stress")), "0");
  featSet(map, "stress", featGet(map, "stress"));  // same value again: kept
  EXPECT_STREQ(valString(featGet(map, "stress")), "0");

  Features* order = featCreate();
  featSet(order, "a", sharedInt(1));
  featSet(order, "b", sharedInt(2));
  featSet(order, "c", sharedInt(3));
  featSet(order, "b", sharedInt(4));  // replaced in place
  const char* expected[] = {"c", "b", "a"};
  const FeatEntry* e = order->head;
  for (const char* name : expected) {
    ASSERT_NE(e, nullptr);
    EXPECT_STREQ(e->name, name);
    e = e->next;
  }
  EXPECT_EQ(e, nullptr);
  EXPECT_EQ(valInt(featGet(order, "b")), 4);
  EXPECT_EQ(featGet(order, "d"), nullptr);
  EXPECT_EQ(featGet(nullptr, "a"), nullptr);
  EXPECT_EQ(featFind(nullptr, "a"), nullptr);
  // Promoting lookups answer as featGet does, whatever order they leave.
  for (const char* name : {"a", "a", "c", "b", "d", "a", "c"}) {
    const Val* promoted = featGetPromote(order, name);
    EXPECT_EQ(promoted, featGet(order, name)) << name;
    if (promoted != nullptr) {
      EXPECT_STREQ(order->head->name, name);
    }
  }
  EXPECT_EQ(valInt(featGet(order, "a")) + valInt(featGet(order, "b")) + valInt(featGet(order, "c")), 8);

  // One value held by two maps survives the first map's destruction.
  const Val* shared = makeString("shared");
  featSet(map, "s", shared);
  featSet(order, "s", shared);
  EXPECT_EQ(shared->holders, 2);
  featDestroy(order);
  EXPECT_EQ(shared->holders, 1);
  EXPECT_STREQ(valString(featGet(map, "s")), "shared");

  // A static value in several maps stays intact.
  static const Val pau = staticString("pau");
  Features* maps[3] = {featCreate(), featCreate(), featCreate()};
  for (Features* m : maps) featSet(m, "name", &pau);
  for (Features* m : maps) featDestroy(m);
  EXPECT_EQ(pau.holders, -1);
  EXPECT_STREQ(valString(&pau), "pau");

  featSet(map, "n", nullptr);
  EXPECT_EQ(featGet(map, "n"), nullptr);
  featSet(nullptr, "n", makeString("dropped"));  // not stored: freed, not leaked
  featSetIfAbsent(map, "s", makeString("second"));  // present: offered value freed
  EXPECT_STREQ(valString(featGet(map, "s")), "shared");
  featSetIfAbsent(map, "t", makeInt(600));
  EXPECT_EQ(valInt(featGet(map, "t")), 600);
  featDestroy(map);
  featDestroy(nullptr);
}

}  // namespace
}  // namespace tts
