#include <gtest/gtest.h>

#include <string>

#include "model/strings.h"
#include "utterance_fixture.h"

namespace tts {
namespace {

using Paths = tts_test::Utterance;

int gCalls = 0;
const Val* freshNumber(Item*) {
  ++gCalls;
  return makeInt(1000);
}
const Val* sharedSeven(Item*) { return sharedNumber(7); }
const Val* nothing(Item*) { return nullptr; }
// Nested evaluation from inside a feature function.
const Val* nextName(Item* x) { return itemPath(x, "n.name"); }

TEST_F(Paths, StepsReachTheRightItems) {
  Item* syl = syllable[1];
  EXPECT_EQ(itemPathItem(syl, "n"), syllable[2]);
  EXPECT_EQ(itemPathItem(syl, "p"), syllable[0]);
  EXPECT_EQ(itemPathItem(syllable[0], "nn"), syllable[2]);
  EXPECT_EQ(itemPathItem(syllable[0], "n.n"), syllable[2]);
  EXPECT_EQ(itemPathItem(syllable[3], "pp"), syllable[1]);
  EXPECT_EQ(itemPathItem(syllable[3], "nn"), nullptr);
  EXPECT_EQ(itemPathItem(syllable[0], "pp"), nullptr);
  EXPECT_EQ(itemPathItem(syl, "parent"), word[0]);
  EXPECT_EQ(itemPathItem(segment[4], "R:SylStructure.parent.parent"), word[0]);
  EXPECT_EQ(itemPathItem(syllable[1], "R:SylStructure.parent.R:Phrase.parent"), phrase);
  EXPECT_EQ(itemPathItem(syl, "R:SylStructure.daughter.R:Segment"), segment[3]);
  EXPECT_EQ(itemPathItem(syl, "daughter1"), segment[3]);
  EXPECT_EQ(itemPathItem(syl, "daughtern"), segment[5]);
  EXPECT_EQ(itemPathItem(phrase, "daughtern.daughtern.daughtern"), segment[11]);
  EXPECT_EQ(itemPathItem(segment[0], "daughter"), nullptr);
  EXPECT_EQ(itemPathItem(syl, "gpos"), syl);  // unknown tokens do not move
  EXPECT_EQ(itemPathItem(syl, ""), syl);
  EXPECT_EQ(itemPathItem(nullptr, "n"), nullptr);
}

TEST_F(Paths, ValuesFromMapsRegistryAndDefault) {
  itemSetString(word[0], "gpos", "content");
  itemSetString(syllable[2], "syl_break", "1");
  EXPECT_STREQ(valString(itemPath(word[0], "name")), "0");
  EXPECT_EQ(itemPath(word[0], "name"), defaultZero());
  itemSetString(word[0], "name", "casa");
  EXPECT_STREQ(valString(itemPath(word[0], "name")), "casa");
  EXPECT_EQ(itemPath(word[0], "p.name"), defaultZero());
  EXPECT_EQ(itemPath(nullptr, "name"), defaultZero());
  EXPECT_STREQ(valString(itemPath(segment[4], "R:SylStructure.parent.parent.gpos")), "content");
  EXPECT_STREQ(valString(itemPath(syllable[0], "n.n.syl_break")), "1");
  EXPECT_STREQ(valString(itemPath(syllable[0], "nn.syl_break")), "1");
  // The last token is always a name, even a step word or after a trailing separator.
  itemSetString(syllable[0], "n", "name-n");
  itemSetString(syllable[0], "p", "name-p");
  EXPECT_STREQ(valString(itemPath(syllable[1], "p.n")), "name-n");
  EXPECT_STREQ(valString(itemPath(syllable[0], "p.")), "name-p");
  EXPECT_EQ(itemPath(syllable[0], ""), defaultZero());
  EXPECT_EQ(itemPath(syllable[0], nullptr), defaultZero());

  registerFeature(registry, "syl_break", sharedSeven);
  registerFeature(registry, "syl_break", nothing);  // first registration stays
  registerFeature(registry, "none", nothing);
  EXPECT_EQ(itemPath(syllable[0], "syl_break"), sharedNumber(7));
  EXPECT_STREQ(valString(itemPath(syllable[2], "syl_break")), "1");  // stored hides the function
  EXPECT_EQ(itemPath(syllable[0], "none"), defaultZero());

  EXPECT_EQ(itemPathInt(syllable[0], "syl_break"), 7);
  EXPECT_TRUE(itemPathIs(word[0], "name", "casa"));
  EXPECT_FALSE(itemPathIs(word[0], "name", "cas"));
  EXPECT_TRUE(itemPathIs(word[1], "name", "0"));
  EXPECT_FALSE(itemPathIs(word[0], "name", nullptr));
  registerFeature(registry, "fresh", freshNumber);
  gCalls = 0;
  EXPECT_EQ(itemPathInt(syllable[0], "fresh"), 1000);  // freed by the convenience (ASan: no leak)
  EXPECT_FALSE(itemPathIs(syllable[0], "fresh", "1000"));  // an int reads as "0"
  EXPECT_EQ(gCalls, 2);
  const Val* v = itemPath(syllable[0], "fresh");
  EXPECT_EQ(v->holders, 0);
  valDropIfUnheld(v);
}

TEST_F(Paths, ArenaDepthIsRestoredAndAFullArenaFallsBack) {
  registerFeature(registry, "next_name", nextName);
  itemSetString(syllable[1], "name", "ra");
  arenaAlloc(arena, 8, 1);
  const int32_t depth = arenaDepth(arena);
  uint8_t* top = arenaTop(arena);
  const char* paths[] = {"name", "n.next_name", "p.p.p.name", "R:SylStructure.parent.gpos", "daughtern", ""};
  for (const char* path : paths) {
    itemPath(syllable[0], path);
    itemPathItem(syllable[0], path);
    EXPECT_EQ(arenaDepth(arena), depth) << path;
    EXPECT_EQ(arenaTop(arena), top) << path;
  }
  EXPECT_STREQ(valString(itemPath(syllable[0], "next_name")), "ra");

  // Full arena: the path is copied to a local buffer instead.
  while (arenaAlloc(arena, 1, 1) != nullptr) {
  }
  const int32_t fullDepth = arenaDepth(arena);
  EXPECT_STREQ(valString(itemPath(syllable[2], "R:SylStructure.p.name")), "ra");
  EXPECT_EQ(itemPathItem(syllable[0], "parent.n"), word[1]);
  EXPECT_EQ(arenaDepth(arena), fullDepth);
  const std::string tooLong = std::string(300, 'n') + ".name";
  EXPECT_EQ(itemPath(syllable[0], tooLong.c_str()), defaultZero());
  EXPECT_EQ(itemPathItem(syllable[0], tooLong.c_str()), nullptr);

  // Without any arena the local buffer serves as well.
  Relation* bare = relCreate("Bare", nullptr, nullptr, nullptr);
  Item* x = relAppend(bare);
  itemSetInt(x, "end", 700);
  EXPECT_EQ(itemPathInt(x, "end"), 700);
  EXPECT_EQ(itemPath(x, "unknown"), defaultZero());
  relDestroy(bare);
}

}  // namespace
}  // namespace tts
