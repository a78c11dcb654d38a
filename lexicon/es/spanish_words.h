// Spanish word lists that the letter-to-sound rules cannot derive, all in
// internal letter codes (spanish_letters.h) and sorted by byte value.
#pragma once
#include <string_view>

namespace corvum {
namespace es {

// Respelling of a word whose pronunciation the rules get wrong (missing
// accents of the number words, x read as the jota, abbreviations, loans);
// may hold several words separated by spaces. Empty when there is none.
std::string_view spanishRespelling(std::string_view word);

// Respelling of a word's beginning (méxico, texano): the replaced prefix
// length is written to `prefixLength`. Empty when no prefix applies.
std::string_view spanishPrefixRespelling(std::string_view word, std::size_t* prefixLength);

// Unstressed one-syllable function words (articles, clitic pronouns, common
// prepositions and conjunctions).
bool isSpanishClitic(std::string_view word);

// Short words that stay words when written in capitals (EL, LA, CON, HOY).
bool isSpanishCapitalsWord(std::string_view word);

// Words ending in -mente that are not adverbs (implemente, vehemente).
bool isSpanishNonAdverb(std::string_view word);

// Name of a letter as a respelling ('h' → "Ache"); empty for a non-letter.
std::string_view spanishLetterName(char code);

// Each table sorted and unique (checked by the tests).
bool spanishWordTablesSorted();

}  // namespace es
}  // namespace corvum
