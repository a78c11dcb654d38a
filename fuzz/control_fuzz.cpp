// Fuzz target: random sequences of handle controls, voice controls, chunk
// sizing and synthesis steps on one handle. Input: up to 64 operations, each
// an opcode byte followed by its argument bytes.
#include <cstdint>
#include <cstdlib>

#include "api/tts_file.h"
#include "fuzz_input.h"
#include "fuzz_voice.h"
#include "tts_engine.h"

namespace {

const char16_t* const kTexts[] = {
    u"Hola, buenos días. El perro come pan.",
    u"El 3/12/2007 a las 10:30 pagué $25 y 1.500 €; ¿vale?",
    u"Zażółć gęślą jaźń, proszę: 12 zł.",
    u"İstanbul'da 5 Mayıs 2021 saat 14:45'te buluşalım!",
    u"a",
    u"   ",
    u"www.ejemplo.com correo@dominio.es 50% (ok)",
    u"sin puntuacion al final",
};
constexpr int32_t kTextCount = sizeof kTexts / sizeof kTexts[0];
const char kDatabaseName[] = "fuzz.voice";

struct Host {
  int32_t refuseAfter = -1;
  int32_t speech = 0;
  uint32_t checksum = 0;
};

int32_t onSamples(intptr_t user, const int16_t* samples, int32_t count) {
  Host* host = reinterpret_cast<Host*>(user);
  FUZZ_EXPECT(count == TTS_MARK_PAUSE || count == TTS_MARK_END || (count >= 0 && (count & 1) == 0));
  if (count <= 0) return 0;
  for (int32_t i = 0; i < count / 2; ++i) host->checksum += static_cast<uint16_t>(samples[i]);
  ++host->speech;
  return host->refuseAfter >= 0 && host->speech > host->refuseAfter ? -1 : 0;
}

// Mostly small values of either sign, sometimes any 32-bit value.
int32_t value(voxa_fuzz::ByteReader& in) {
  const uint8_t kind = in.byte();
  const int32_t v = in.int32();
  return (kind & 3) == 0 ? v : v % 1000;
}

int32_t text(voxa_fuzz::ByteReader& in) { return in.byte() % kTextCount; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  voxa_fuzz::ByteReader in(data, size);
  const std::vector<uint8_t>& voice = voxa_fuzz::fullPairVoice();
  TTSFile* handle = TTSFileOpenSized_I(voxa_fuzz::sharedLexicon(), voice.data(), voice.size(), 0, TTS_FORMAT_KEEP);
  FUZZ_EXPECT(handle != nullptr);
  Host host;
  const intptr_t user = reinterpret_cast<intptr_t>(&host);

  for (int op = 0; op < 64 && !in.empty(); ++op) {
    const uint8_t opcode = in.byte();
    switch (opcode % 8) {
      case 0: {  // handle control, codes -1 to 9, and 16 to 19 (the added controls and the next free code)
        const uint8_t c = in.byte();
        const int32_t code = c >= 0xF0 ? 16 + (c & 3) : static_cast<int32_t>(c % 11) - 1;
        int32_t v = value(in);
        const int32_t r = TTSFileCtrl_I(handle, code, &v);
        FUZZ_EXPECT(r == TTS_OK || r == TTS_ERR_FORMAT || r == TTS_ERR_ARGUMENT);
        break;
      }
      case 1: {  // voice control, codes 0 to 9 and one far out
        const uint8_t c = in.byte();
        const uint32_t code = c == 0xFF ? 0xFFFFFFFFu : c % 10;
        int32_t v = value(in);
        int32_t* arg = code == PTC_SET_DB_NAME ? reinterpret_cast<int32_t*>(const_cast<char*>(kDatabaseName)) : &v;
        PhraseTTSCtrl(handle->voice, code, arg);
        break;
      }
      case 2: {  // start a chunk
        const int32_t t = text(in);
        const int32_t mode = static_cast<int32_t>(in.byte() % 9) - 1;
        const int32_t r = TTSFileGetWave_I(handle, kTexts[t], mode, onSamples, user);
        FUZZ_EXPECT(r == TTS_OK || r == TTS_DONE || r == TTS_ERR_ARGUMENT);
        break;
      }
      case 3: {  // one continuation step
        const int32_t r = TTSFileGetWave_I(handle, nullptr, 0, onSamples, user);
        FUZZ_EXPECT(r == TTS_OK || r == TTS_DONE || r == TTS_ERR_ABANDONED);
        break;
      }
      case 4: {  // finish the chunk
        int32_t r = TTS_OK;
        for (int32_t n = 0; r == TTS_OK && n < 4096; ++n) r = TTSFileGetWave_I(handle, nullptr, 0, onSamples, user);
        FUZZ_EXPECT(r != TTS_OK);  // a chunk that never ends
        break;
      }
      case 5: {  // chunk sizing from some offset into a text
        const int32_t t = text(in);
        const size_t length = std::char_traits<char16_t>::length(kTexts[t]);
        const size_t at = in.byte() % (length + 1);
        const int32_t n = TTSFileGetLegalLen_I(handle, kTexts[t] + at);
        const int64_t step = n < 0 ? -static_cast<int64_t>(n) : n;
        FUZZ_EXPECT(step <= static_cast<int64_t>(length - at) && (n == 0) == (at == length));
        break;
      }
      case 6: {  // reset, and calls that must be refused harmlessly
        switch (in.byte() % 5) {
          case 0: TTSFileCtrl_I(handle, TTSC_RESET, nullptr); break;
          case 1: FUZZ_EXPECT(TTSFileCtrl_I(nullptr, TTSC_RESET, nullptr) == TTS_ERR_ARGUMENT); break;
          case 2: FUZZ_EXPECT(TTSFileGetWave_I(nullptr, kTexts[0], 0, onSamples, user) == TTS_ERR_ARGUMENT); break;
          case 3: FUZZ_EXPECT(TTSFileGetWave_I(handle, kTexts[0], 0, nullptr, user) == TTS_ERR_ARGUMENT); break;
          default: { int32_t v = 100; PhraseTTSCtrl(nullptr, PTC_SET_PITCH, &v); break; }
        }
        break;
      }
      default: {  // the host's willingness to take samples
        const uint8_t b = in.byte();
        host.refuseAfter = b < 128 ? (b & 7) : -1;
        host.speech = 0;
        break;
      }
    }
  }
  TTSFileClose_I(handle);
  return 0;
}
