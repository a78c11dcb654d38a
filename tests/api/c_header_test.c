/* The public headers compile as C. */
#include "corvum.h"
#include "tts_engine.h"

static int32_t sink(intptr_t user, const int16_t *samples, int32_t count) {
  (void)user;
  (void)samples;
  return count < 0 ? 0 : 0;
}

int main(void) {
  SampleCallback cb = sink;
  TTSChar16 text[2] = {'a', 0};
  int32_t value = 0;
  (void)text;
  TTSWordEvent event = {0, 0, 0, 0};
  (void)cb;
  (void)event;
  if (TTSFileSetWordEvents_I(0, 0, 0) != TTS_ERR_ARGUMENT) return 1;
  return TTSFileCtrl_I(0, TTSC_GET_LANGUAGE, &value) == TTS_ERR_ARGUMENT ? 0 : 1;
}
