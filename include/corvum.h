/*
 * corvum.h - the lexicon component: rule-based pronunciations for Spanish,
 * Polish and Turkish, with an optional user dictionary.
 *
 * A host opens a lexicon with LexMgr_Open, hands the handle to the engine
 * (TTSFileOpen_I) and closes it after the engine handle is closed. The engine
 * calls LexMgr_GetLexID and LexMgr_GetPronString.
 *
 * Language codes: 4 Spanish, 15 Polish, 17 Turkish.
 * Pronunciation strings: NUL-terminated 8-bit strings of phone symbols
 * separated by spaces or hyphens; a vowel symbol may end in a stress digit
 * ("1" primary, "2" secondary, "0" none).
 */
#ifndef CORVUM_H
#define CORVUM_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
typedef char16_t CorvumChar16; /* one UTF-16 code unit */
#else
typedef uint_least16_t CorvumChar16; /* one UTF-16 code unit */
#endif

#if defined(__GNUC__)
#define CORVUM_API __attribute__((visibility("default")))
#else
#define CORVUM_API
#endif

#define CORVUM_LANG_SPANISH 4  /**< language code of Spanish */
#define CORVUM_LANG_POLISH 15  /**< language code of Polish */
#define CORVUM_LANG_TURKISH 17 /**< language code of Turkish */
#define CORVUM_LANG_ALL 0      /**< LexMgr_Open: serve all three languages */

#define CORVUM_PRON_CAPACITY 256 /**< bytes of the caller's pronunciation buffer, NUL included */

typedef struct CorvumLexicon CorvumLexicon; /**< opaque lexicon handle */

/**
 * Reports one problem found while loading a user dictionary: 1-based line
 * number and a short English message. `user` is passed through.
 */
typedef void (*CorvumReport)(void *user, int32_t line, const char *message);

/** Opens a lexicon serving `languageCode` (or CORVUM_LANG_ALL). Null for an unknown code or no memory. */
CORVUM_API CorvumLexicon *LexMgr_Open(uint16_t languageCode);

/**
 * Loads a user dictionary (UTF-8 lines "word<TAB>pronunciation"; '#' starts a
 * comment line) for `languageCode`. Bad lines are reported and skipped.
 * Returns the number of entries loaded, or -1 when the file cannot be read.
 */
CORVUM_API int32_t LexMgr_LoadUserDictionary(CorvumLexicon *lexicon, uint16_t languageCode, const char *path,
                                             CorvumReport report, void *user);

/** Frees the lexicon; null is ignored. */
CORVUM_API void LexMgr_Close(CorvumLexicon *lexicon);

/** Lexicon id (>= 0) for `languageCode`, or -1 when the handle does not serve it. `reserved` is 0. */
CORVUM_API int32_t LexMgr_GetLexID(void *lexicon, uint16_t languageCode, uint16_t reserved);

/**
 * Writes the pronunciation of `word` (NUL-terminated UTF-16) into `out`,
 * which holds CORVUM_PRON_CAPACITY bytes; never writes more. `a`, `b`, `c`
 * are 0, 1, 0. Returns >= 1 on success (the number of symbols), < 1 on failure.
 */
CORVUM_API int32_t LexMgr_GetPronString(void *lexicon, uint16_t lexId, const CorvumChar16 *word, char *out,
                                        int32_t a, int32_t b, int32_t c);

#ifdef __cplusplus
}
#endif

#endif /* CORVUM_H */
