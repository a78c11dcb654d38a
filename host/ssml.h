// The host's reading of its input as a list of pieces to speak: plain text is
// one piece; an SSML document (a subset: speak, p, s, break, prosody, say-as,
// sub, lang, mark, phoneme) becomes pieces with their own settings, pauses
// and marks. Every unit of a piece's text knows the bytes of the input it
// came from, so that word events can be reported against the input.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace voxa {

// Bytes [begin, end) of the UTF-8 input.
struct SourceRange {
  size_t begin = 0;
  size_t end = 0;
};

struct SsmlMark {
  std::string name;
  size_t offset = 0;  // byte of the <mark> element in the input
};

struct SpeechPiece {
  std::u16string text;              // to speak; may be empty (a pause or marks only)
  std::vector<SourceRange> source;  // one per unit of `text`
  int32_t pauseBefore_ms = 0;       // silence before the text
  std::vector<SsmlMark> marks;      // reached before the text (after the pause)
  std::optional<int32_t> speed;     // TTSC_SET_SPEED duration percentage; none: the host's setting
  std::optional<int32_t> pitch;     // TTSC_SET_PITCH mean F0 in Hz; none: the host's setting
};

// A word and its pronunciation in the lexicon's own symbols, for <phoneme>:
// the piece text holds `word`, which the user dictionary maps to `pronunciation`.
struct PhonemeEntry {
  std::string word;
  std::string pronunciation;
};

struct SpeechPlan {
  std::vector<SpeechPiece> pieces;
  std::vector<PhonemeEntry> phonemes;
  std::vector<std::string> warnings;  // "line L, column C: ..." for what was spoken another way
};

// True when the input (after blanks and a byte-order mark) starts with "<speak"
// or with an XML declaration.
bool looksLikeSsml(std::string_view input);

// The input as plain text: one piece (the input must be valid UTF-8); with
// `withSource` the piece also maps every unit to its bytes in `input`.
SpeechPlan plainTextPlan(std::string_view input, const std::u16string& text, bool withSource = true);

// Reads an SSML document for the engine of `language` ("es", "pl", "tr").
// `basePitch` (Hz) and `baseSpeed` (duration percentage) are what relative
// prosody values are taken from. False with "line L, column C: message" in
// `error` for a malformed document or one whose root is not <speak>.
bool parseSsml(std::string_view input, const std::string& language, int32_t basePitch, int32_t baseSpeed,
               SpeechPlan& plan, std::string& error);

}  // namespace voxa
