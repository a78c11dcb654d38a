// Alignment of the engine's phone sequence with a reference speaker's by
// edit distance over phone names.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace durtrain {

// A reference phone: the names it may stand for (the first is what was said;
// the others are phones it is an assimilated form of).
using ReferencePhone = std::vector<std::string>;

struct Alignment {
  std::vector<int32_t> referenceOf;  // per engine phone: the matching reference phone, or -1
  int32_t matches = 0;
  int32_t edits = 0;  // substitutions, insertions and deletions
};

// Edit-distance alignment (unit costs; equal names cost 0). A phone counts as
// confidently aligned when it matches and the alignment steps on both sides
// of it are matches too (or the sequence ends there); others get -1.
Alignment alignPhones(const std::vector<std::string>& engine, const std::vector<ReferencePhone>& reference);

}  // namespace durtrain
