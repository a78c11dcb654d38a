// Fuzz target: a voice database block, bound with its size, then a short
// sentence spoken with it. Input: the block itself.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "fuzz_input.h"
#include "fuzz_voice.h"
#include "tts_engine.h"

namespace {

int32_t onSamples(intptr_t user, const int16_t* samples, int32_t count) {
  uint32_t* checksum = reinterpret_cast<uint32_t*>(user);
  FUZZ_EXPECT(count == TTS_MARK_PAUSE || count == TTS_MARK_END || (count >= 0 && (count & 1) == 0));
  for (int32_t i = 0; i < count / 2; ++i) *checksum += static_cast<uint16_t>(samples[i]);
  return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // An exactly sized heap copy: any read past the block's end is caught.
  uint8_t* block = static_cast<uint8_t*>(std::malloc(size ? size : 1));
  if (size) std::memcpy(block, data, size);
  TTSFile* handle = TTSFileOpenSized_I(voxa_fuzz::sharedLexicon(), block, size, 0, TTS_FORMAT_KEEP);
  if (handle) {
    uint32_t checksum = 0;
    const int32_t r = voxa_fuzz::speakChunk(handle, u"Hola, el perro come pan.", TTS_TEXT_NORMAL, onSamples,
                                            reinterpret_cast<intptr_t>(&checksum));
    FUZZ_EXPECT(r == TTS_DONE || r == TTS_ERR_ABANDONED);
    TTSFileClose_I(handle);
  }
  std::free(block);
  return 0;
}
