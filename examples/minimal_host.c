/* A minimal host: speaks one Spanish sentence into raw 16-bit PCM.
 * Usage: minimal_host VOICE_FILE OUTPUT.raw */
#include <corvum.h>
#include <stdio.h>
#include <stdlib.h>
#include <tts_engine.h>

static int32_t write_samples(intptr_t user, const int16_t *samples, int32_t count) {
  if (count > 0 && fwrite(samples, 1, (size_t)count, (FILE *)user) != (size_t)count) return -1;
  return 0; /* negative counts are markers: nothing to write */
}

static void *read_file(const char *path, size_t *size) {
  FILE *f = fopen(path, "rb");
  void *data = NULL;
  long n;
  if (!f) return NULL;
  if (fseek(f, 0, SEEK_END) == 0 && (n = ftell(f)) > 0 && fseek(f, 0, SEEK_SET) == 0) {
    data = malloc((size_t)n);
    if (data && fread(data, 1, (size_t)n, f) != (size_t)n) {
      free(data);
      data = NULL;
    }
    *size = (size_t)n;
  }
  fclose(f);
  return data;
}

int main(int argc, char **argv) {
  static const TTSChar16 text[] = {'H', 'o', 'l', 'a', ',', ' ', 'm', 'u', 'n', 'd', 'o', '.', 0};
  const TTSChar16 *p = text;
  size_t size = 0;
  void *voice;
  CorvumLexicon *lexicon;
  TTSFile *tts;
  FILE *out;
  if (argc != 3) {
    fprintf(stderr, "usage: %s VOICE_FILE OUTPUT.raw\n", argv[0]);
    return 1;
  }
  voice = read_file(argv[1], &size);
  lexicon = LexMgr_Open(CORVUM_LANG_SPANISH);
  tts = voice && lexicon ? TTSFileOpenSized_I(lexicon, voice, size, 0, TTS_FORMAT_KEEP) : NULL;
  out = fopen(argv[2], "wb");
  if (!tts || !out) {
    fprintf(stderr, "cannot open the engine, the voice or the output\n");
    return 1;
  }
  while (*p) {
    int32_t n = TTSFileGetLegalLen_I(tts, p), r;
    TTSChar16 chunk[600];
    if (n < 0) { p -= n; continue; } /* skip what cannot be spoken */
    for (int32_t i = 0; i < n; ++i) chunk[i] = p[i];
    chunk[n] = 0;
    p += n;
    r = TTSFileGetWave_I(tts, chunk, TTS_TEXT_NORMAL, write_samples, (intptr_t)out);
    while (r == TTS_OK) r = TTSFileGetWave_I(tts, NULL, 0, write_samples, (intptr_t)out);
  }
  TTSFileClose_I(tts);
  LexMgr_Close(lexicon);
  fclose(out);
  free(voice);
  return 0;
}
