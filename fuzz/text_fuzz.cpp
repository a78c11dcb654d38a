// Fuzz target: host text through the engine of one deliverable.
// Input: byte 0 = text mode (bits 0-2), unchunked (bit 3), output format
// (bits 4-5), synthesis (bits 6 and 7 both set); byte 1 = callback refusal
// (below 64: refuse after (b & 7) speech or pause deliveries); the rest =
// text, decoded leniently from UTF-8. Without synthesis the voice has no
// synthesiser entry, so every stage before it runs (and pauses are
// delivered) at hundreds of inputs a second; with it, the first
// kMaxSpokenUnits units are synthesised.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "api/tts_file.h"
#include "fuzz_input.h"
#include "fuzz_voice.h"
#include "tts_engine.h"

namespace {

struct Host {
  int32_t refuseAfter;  // -1: never
  int32_t speech = 0;
  uint32_t checksum = 0;
};

int32_t onSamples(intptr_t user, const int16_t* samples, int32_t count) {
  Host* host = reinterpret_cast<Host*>(user);
  FUZZ_EXPECT(count == TTS_MARK_PAUSE || count == TTS_MARK_END || (count >= 0 && (count & 1) == 0));
  if (count <= 0) return 0;
  for (int32_t i = 0; i < count / 2; ++i) host->checksum += static_cast<uint16_t>(samples[i]);  // every sample readable
  ++host->speech;
  return host->refuseAfter >= 0 && host->speech > host->refuseAfter ? -1 : 0;
}

constexpr int32_t kModes[8] = {TTS_TEXT_NORMAL, TTS_TEXT_VERBATIM, TTS_TEXT_TIMES, TTS_TEXT_DATES,
                               TTS_TEXT_VERBATIM_ALT, 7, 4, -1};
constexpr int32_t kFormats[4] = {TTS_FORMAT_KEEP, TTS_FORMAT_8K, TTS_FORMAT_11K, TTS_FORMAT_16K};
constexpr size_t kMaxUnits = 4096;
constexpr size_t kMaxSpokenUnits = 32;  // text synthesised in full (bits 6 and 7)

void checkResult(int32_t r) {
  FUZZ_EXPECT(r == TTS_DONE || r == TTS_ERR_ABANDONED || r == TTS_ERR_ARGUMENT);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  voxa_fuzz::ByteReader in(data, size);
  const uint8_t flags = in.byte();
  const uint8_t refusal = in.byte();
  std::u16string text = voxa_fuzz::lenientUtf16(in.rest());
  const bool synthesise = (flags & 0xC0) == 0xC0;
  if (text.size() > (synthesise ? kMaxSpokenUnits : kMaxUnits)) text.resize(synthesise ? kMaxSpokenUnits : kMaxUnits);
  const int32_t mode = kModes[flags & 7];

  const std::vector<uint8_t>& voice = voxa_fuzz::fullPairVoice();
  TTSFile* handle = TTSFileOpenSized_I(voxa_fuzz::sharedLexicon(), voice.data(), voice.size(), 0,
                                       kFormats[(flags >> 4) & 3]);
  FUZZ_EXPECT(handle != nullptr);  // a valid voice and lexicon always open
  if (!synthesise) handle->voice->synthInit = nullptr;  // the driver then delivers only the pauses
  Host host{refusal < 64 ? (refusal & 7) : -1};
  const intptr_t user = reinterpret_cast<intptr_t>(&host);

  if (flags & 8) {
    // A host that skips chunking: the whole text (NULs end it early).
    checkResult(voxa_fuzz::speakChunk(handle, text.c_str(), mode, onSamples, user));
  } else {
    size_t pos = 0;
    std::u16string chunk;
    while (pos < text.size()) {
      const size_t left = std::char_traits<char16_t>::length(text.c_str() + pos);
      const int32_t n = TTSFileGetLegalLen_I(handle, text.c_str() + pos);
      if (left == 0) {
        FUZZ_EXPECT(n == 0);
        ++pos;  // step over an embedded NUL
        continue;
      }
      FUZZ_EXPECT(n != 0);
      const size_t step = static_cast<size_t>(n < 0 ? -static_cast<int64_t>(n) : n);
      FUZZ_EXPECT(step <= left);  // a chunk or skip past the end of the text
      if (n > 0) {
        chunk.assign(text, pos, step);
        checkResult(voxa_fuzz::speakChunk(handle, chunk.c_str(), mode, onSamples, user));
      }
      pos += step;
    }
  }
  // A finished or abandoned chunk leaves the handle idle.
  FUZZ_EXPECT(TTSFileGetWave_I(handle, nullptr, mode, onSamples, user) == TTS_DONE);
  TTSFileClose_I(handle);
  return 0;
}
