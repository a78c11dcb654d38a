// Feature paths ("R:SylStructure.parent.R:Word.p.gpos") and the registry of
// feature functions. A path walks items with the steps n, p, nn, pp, parent,
// daughter, daughter1, daughtern ("R" skips the relation name after it); its
// last token is a feature name answered from the item's map or the registry.
#pragma once
#include "model/relation.h"

namespace tts {

// Value at the end of the path; never null: the static "0" when nothing is found.
// A new value made by a feature function comes back with 0 holders.
const Val* itemPath(Item* x, const char* path);
// Item reached by treating every token as a step; null when a step leads nowhere.
Item* itemPathItem(Item* x, const char* path);
// Convenience: itemPath read as an integer, and as a string ("0" if not a string);
// both free an unheld answer before returning.
int32_t itemPathInt(Item* x, const char* path);
bool itemPathIs(Item* x, const char* path, const char* text);  // string answer equals text

void registerFeature(Features* registry, const char* name, FeatureFunction fn);

}  // namespace tts
