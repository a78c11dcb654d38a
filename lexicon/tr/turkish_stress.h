// Turkish word stress: final by default; listed words; pre-stressing negative
// "-me/-ma", progressive "-(i)yor", comitative "-(y)la/-(y)le" and "-rken";
// the name rule for stems before an apostrophe.
#pragma once
#include <string_view>

namespace corvum {
namespace tr {

// Ordinal (0-based, among the vowels of `lower`) of the stressed vowel of a
// lower-case Turkish word, or -1 when the word carries no stress (clitics,
// the question particle, words without vowels).
int stressedVowel(std::u16string_view lower);

// Stress of a proper name not in the list: the antepenultimate syllable when it
// is heavy and the penultimate light, else the penultimate (final for one syllable).
int nameStressedVowel(std::u16string_view lower);

// The stress the rules give without the word list (the suffix rules, else final).
int ruleStressedVowel(std::u16string_view lower);

}  // namespace tr
}  // namespace corvum
