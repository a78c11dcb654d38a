/*
 * tts_engine.h - public interface of the engine_es, engine_pl and engine_tr
 * text-to-speech libraries. Usable from C and C++.
 *
 * A host opens one handle per voice with a lexicon handle (see corvum.h) and a
 * voice database block that it keeps in memory for the life of the handle. It
 * walks its text with TTSFileGetLegalLen_I, passes each chunk to
 * TTSFileGetWave_I and then calls TTSFileGetWave_I again with no text until it
 * returns a negative value. 16-bit mono PCM at the handle's output rate (the
 * voice's sample rate unless a format code asks for 8, 11 or 16 kHz) reaches
 * the host through its SampleCallback, from inside those calls.
 *
 * Speed, pitch and output format may be changed at any time; a change reaches
 * the speech from the next phrase on, so a change made between two chunks
 * applies to the whole of the second.
 *
 * ABI note: the engine was designed for a 32-bit target. On 64-bit targets the
 * lexicon handle and the host's user value are pointer-sized (void * and
 * intptr_t); on a 32-bit target they are plain 32-bit words. Every other
 * integer keeps its 32-bit (or stated) width on every target.
 *
 * Return codes are never renumbered. A null handle is always a harmless no-op
 * that answers TTS_ERR_ARGUMENT.
 */
#ifndef TTS_ENGINE_H
#define TTS_ENGINE_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
typedef char16_t TTSChar16; /* one UTF-16 code unit */
#else
typedef uint_least16_t TTSChar16; /* one UTF-16 code unit */
#endif

#if defined(_WIN32)
#define TTS_API __declspec(dllimport)
#elif defined(__GNUC__)
#define TTS_API __attribute__((visibility("default")))
#else
#define TTS_API
#endif

/* ---- return codes ------------------------------------------------------ */
#define TTS_OK 0                 /**< success; for TTSFileGetWave_I: call again */
#define TTS_ERR_ABANDONED (-4)   /**< out of memory or callback refused samples; chunk abandoned */
#define TTS_DONE (-6)            /**< chunk finished, or handle idle */
#define TTS_ERR_FORMAT (-7)      /**< unsupported output format or rate */
#define TTS_ERR_ARGUMENT (-10)   /**< null argument, unknown control code, or text without words */

/* ---- sample callback markers (negative byte counts) -------------------- */
#define TTS_MARK_PAUSE (-2)      /**< after the pause of a phrase ending in , ; . ! ? : */
#define TTS_MARK_END (-1)        /**< after a phrase ending the chunk without punctuation, and at chunk end */

/* ---- output format codes: high byte kHz, low byte 0x10 ------------------ */
/* The engine resamples to 8000, 11000 or 16000 Hz itself; at the voice's own
 * rate the samples are the synthesiser's, untouched. */
#define TTS_FORMAT_8K 0x0810     /**< 8000 Hz output rate */
#define TTS_FORMAT_11K 0x0B10    /**< 11000 Hz output rate (not 11025) */
#define TTS_FORMAT_16K 0x1010    /**< 16000 Hz output rate */
#define TTS_FORMAT_KEEP 0xFF10   /**< keep the voice's current output rate */

/* ---- TTSFileCtrl_I codes ------------------------------------------------ */
#define TTSC_SET_PITCH 0         /**< in: mean F0 in Hz */
#define TTSC_SET_SPEED 1         /**< in: duration percentage (100 normal, 200 twice as long, 50 twice as fast); 50..300, clamped */
#define TTSC_SET_FORMAT 2        /**< in: output format code (TTS_FORMAT_*) */
#define TTSC_RESET 3             /**< abandon the current chunk; the value pointer is ignored */
#define TTSC_SET_MINOR_PAUSE 4   /**< in: pause after a predicted break, in 1/1024 s at normal speed */
#define TTSC_SET_MAJOR_PAUSE 5   /**< in: pause after , ; (and twice that after . ! ? :), in 1/1024 s */
#define TTSC_GET_LANGUAGE 6      /**< out: 7 Spanish, 19 Polish, 21 Turkish */
#define TTSC_GET_FORMAT 7        /**< out: current output format code */
/* Additions (codes 8..15 stay unknown and answer TTS_ERR_ARGUMENT). */
#define TTSC_SET_READING 16      /**< in: TTS_READING_*; how text is read from the next chunk on */
#define TTSC_SET_DURATION_MODEL 17 /**< in: TTS_DURATIONS_*; segment duration model from the next chunk on */
#define TTSC_SET_INTONATION 18   /**< in: TTS_INTONATION_*; how F0 moves within a phrase, from the next chunk on */

/* ---- values of TTSC_SET_READING ------------------------------------------ */
/* Other values are refused with TTS_ERR_ARGUMENT and leave the reading as it was. */
#define TTS_READING_LITERAL 0    /**< default: the engine's original reading of numbers and formats */
/** Integers up to 15 digits as numbers agreeing with the next word and without a
 *  pause after them (codes and phone numbers digit by digit), '.' thousands and
 *  ',' decimals in every language, "%25" in Turkish, abbreviations said in full
 *  without a sentence end, ordinals (Spanish indicators, Polish and Turkish "7."
 *  before a word), units after numbers (km, m, cm, mm, kg, g, l, ml, degrees C, km/h). */
#define TTS_READING_EVERYDAY 1

/* ---- values of TTSC_SET_DURATION_MODEL ------------------------------------ */
#define TTS_DURATIONS_TABLES 0   /**< default: the language's original duration model */
#define TTS_DURATIONS_TRAINED 1  /**< the duration tree trained on recorded speech */

/* ---- values of TTSC_SET_INTONATION ---------------------------------------- */
/* Other values are refused with TTS_ERR_ARGUMENT and leave the intonation as it was. */
#define TTS_INTONATION_MODEL 0   /**< default: the language's F0 contour or regression model as it stands */
/** The model's F0 with pitch-accent peaks and declination: every syllable the
 *  accent tree marks "H*" or "L+H*" peaks at its vowel (2 semitones in Spanish
 *  and Turkish, 4 in Polish) and falls over the next syllable; "!H*" and the
 *  stressed syllable of any other word of two or more syllables peak half as
 *  high; F0 then declines over each phrase not ending at "?" (2 semitones,
 *  Polish 3), its start raised and its end lowered. Each declarative spans at
 *  least 4 semitones (5th to 95th percentile); questions still rise at the
 *  end, declaratives still end low, and the mean pitch setting still moves
 *  the contour. */
#define TTS_INTONATION_ACCENTED 1

/* ---- PhraseTTSCtrl codes (voice state) ---------------------------------- */
#define PTC_RESET 0              /**< restore the voice's defaults */
#define PTC_SET_PITCH 1          /**< in: mean F0 in Hz; the F0 spread becomes value / 8 */
#define PTC_SET_SPEED 2          /**< in: duration percentage, 50..300 (clamped); 200 = half speed */
#define PTC_SET_DB_NAME 3        /**< in: pointer to a name string, kept but never read */
#define PTC_SET_VOICE_RATE 4     /**< in: rate of the stored units in Hz */
#define PTC_SET_OUTPUT_RATE 5    /**< in: output rate in Hz; samples are resampled to it (1000..96000 Hz; outside: the voice's rate) */
#define PTC_GET_OUTPUT_RATE 6    /**< out: output rate in Hz */
#define PTC_SET_RESERVED 7       /**< in: stored, read by nothing */

/* ---- text modes of TTSFileGetWave_I -------------------------------------- */
#define TTS_TEXT_NORMAL 0        /**< apply every normalisation rule */
#define TTS_TEXT_VERBATIM 1      /**< pass the text through */
#define TTS_TEXT_TIMES 2         /**< read only times */
#define TTS_TEXT_DATES 3         /**< read only dates */
#define TTS_TEXT_VERBATIM_ALT 6  /**< pass the text through (alternative code) */

typedef struct TTSFile TTSFile;         /**< opaque synthesis handle */
typedef struct PhraseVoice PhraseVoice; /**< opaque voice state of a handle */

/**
 * Host sample sink. `count` >= 0: number of bytes (2 per sample) of 16-bit
 * mono samples now in `samples` (the buffer is reused after the call);
 * TTS_MARK_PAUSE / TTS_MARK_END: a marker, no samples. A negative return while
 * speech is delivered abandons the chunk.
 */
typedef int32_t (*SampleCallback)(intptr_t user, const int16_t *samples, int32_t count);

/** Opens a handle; `lexicon` from LexMgr_Open, `database` a version-6 voice block (trusted), mode 0. Null on failure. */
TTS_API TTSFile *TTSFileOpen_I(void *lexicon, const void *database, int32_t databaseMode, int32_t format);

/**
 * As TTSFileOpen_I, but refuses a voice block whose tables or units lie
 * outside its `databaseSize` bytes, or whose header holds a value outside
 * these inclusive ranges: sample rate 1000..96000 Hz, F0 mean 50..500 Hz,
 * F0 standard deviation 0..250 Hz, unit count 0..65536, name slot 1..256
 * bytes (0 only without units), spectral order 2..18 and even, code widths
 * 0..16 bits. TTSFileOpen_I binds any version-6 header; the engine then
 * saturates what it computes from out-of-range values.
 */
TTS_API TTSFile *TTSFileOpenSized_I(void *lexicon, const void *database, size_t databaseSize,
                                    int32_t databaseMode, int32_t format);

/** Closes a handle and frees everything it owns. 0, or TTS_ERR_ARGUMENT for null. */
TTS_API int32_t TTSFileClose_I(TTSFile *handle);

/**
 * Runs one step. `text` (NUL-terminated UTF-16) starts a new chunk, null
 * continues. Returns TTS_OK (call again), TTS_DONE, TTS_ERR_ABANDONED or TTS_ERR_ARGUMENT.
 */
TTS_API int32_t TTSFileGetWave_I(TTSFile *handle, const TTSChar16 *text, int32_t textMode,
                                 SampleCallback callback, intptr_t user);

/** Reads or writes a setting (TTSC_*). 0, TTS_ERR_FORMAT or TTS_ERR_ARGUMENT. */
TTS_API int32_t TTSFileCtrl_I(TTSFile *handle, int32_t code, int32_t *value);

/** Next chunk length n > 0, -k to skip k units, 0 for empty text, TTS_ERR_ARGUMENT for null. */
TTS_API int32_t TTSFileGetLegalLen_I(TTSFile *handle, const TTSChar16 *text);

/** Voice-state control (PTC_*); codes above 7 and a null voice do nothing. */
TTS_API void PhraseTTSCtrl(PhraseVoice *voice, uint32_t code, int32_t *value);

/* ---- inspection (an addition for tools that tune text and pronunciations) ---- */

/** One segment of a phrase as handed to the synthesiser. */
typedef struct TTSSegment {
  const char *phone;  /**< phone name in the language's phone set ("##" is silence) */
  /**
   * 1/1024 s, at most 250: the target the prosody stages set. The synthesiser
   * renders whole pitch periods from recorded units and does not follow
   * every target: a stop lasts at least its recorded release plus five
   * periods (10 ms each when unvoiced), affricates and trills last as long as
   * recorded, vowels at most and l/n at most 1.5 times as long as recorded
   * (all scaled by the speed). Short stops and affricates therefore come out longer than
   * their targets: Polish speech, whose consonant targets are the shortest,
   * is about 9% longer than its segments add up to, Spanish about 1%,
   * Turkish about 4%.
   */
  int32_t duration;
  int32_t pitch[4];   /**< pitch periods in samples at the sample rate, at the starts of the segment's quarters; 0 none */
} TTSSegment;

/** Observer of a handle's intermediate results; any member may be null. Pointers are valid during the call only. */
typedef struct TTSInspector {
  intptr_t user; /**< passed to every member */
  /** The chunk's text after normalisation, as the text stage wrote it (NUL-terminated UTF-16). */
  void (*normalisedText)(intptr_t user, const TTSChar16 *text);
  /**
   * The chunk's entries with their break levels (0 none, 1 predicted, 2 minor, 3 comma, 4 sentence end).
   * A chunk of more than 128 entries is spoken in several passes: one call per pass, in order.
   */
  void (*wordList)(intptr_t user, const TTSChar16 *const *entries, const int32_t *breakLevels, int32_t count);
  /** The segments of one phrase, before its samples are delivered; `sampleRate` in Hz. */
  void (*phrase)(intptr_t user, const TTSSegment *segments, int32_t count, int32_t sampleRate);
} TTSInspector;

/** Sets (copies) or, with null, removes the handle's inspector. 0, or TTS_ERR_ARGUMENT for a null handle. */
TTS_API int32_t TTSFileSetInspector_I(TTSFile *handle, const TTSInspector *inspector);

/* ---- word events (an addition for hosts that follow the words as they are spoken) ---- */

/** One word about to be spoken. Valid during the call only; later versions may append members. */
typedef struct TTSWordEvent {
  int32_t offset;         /**< first UTF-16 unit of the word's source text in the chunk */
  int32_t length;         /**< UTF-16 units of that source text; every word read from one number,
                               date, amount or apostrophe word reports the same span */
  int32_t sample;         /**< index, among the samples (at the output rate, pauses included) that the chunk delivers, of
                               the first sample of the block in which the word's first phone begins
                               (at most 127 samples before the phone); the event precedes that block */
  const TTSChar16 *word;  /**< the word as spoken, after normalisation (NUL-terminated) */
} TTSWordEvent;

typedef void (*TTSWordCallback)(intptr_t user, const TTSWordEvent *event);

/**
 * Sets or, with a null callback, removes the handle's word observer; it is
 * called from inside TTSFileGetWave_I, once per spoken word in order, for
 * chunks started after the call. 0, or TTS_ERR_ARGUMENT for a null handle.
 */
TTS_API int32_t TTSFileSetWordEvents_I(TTSFile *handle, TTSWordCallback callback, intptr_t user);

#ifdef __cplusplus
}
#endif

#endif /* TTS_ENGINE_H */
