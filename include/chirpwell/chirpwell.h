/* libchirpwell: Chirpwell's smile engine for other programs, in C.

   A text is smiled as chirpwell-smile smiles a file: the text's encoding is
   detected (or named), the filters run (HTML tags, C and C++ comments, line ends),
   and at random places, at a frequency in percent, sentence endings and
   punctuation become one of their replacements, picked at random from a smile set.

   Conventions:
   - Handles are opaque. Each is made by a function and freed by its own; freeing
     NULL does nothing.
   - Texts are bytes with an explicit length; they need no terminating zero byte
     and may be in any encoding the library reads. Names and messages are
     zero-terminated UTF-8.
   - A function that can fail returns a chirpwell_code: CHIRPWELL_OK, or what went
     wrong. When it fails and message is not NULL, *message receives a description
     in the language of the calling thread's locale (the library translates through
     its own gettext domain, "libchirpwell", and never calls setlocale), which the
     caller frees with chirpwell_free. A failure leaves every output argument as it
     was and every handle as it was.
   - The library keeps no global state: calls on separate handles may run at once
     on separate threads. A handle given as const is only read, and may be shared
     by threads that only read it.
   - The window's limits (a text of at most 1,048,575 bytes, a smiled text of at
     most 524,287) apply unless the options turn them off. */

#ifndef CHIRPWELL_CHIRPWELL_H
#define CHIRPWELL_CHIRPWELL_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(CHIRPWELL_BUILDING) && defined(__GNUC__)
#define CHIRPWELL_EXPORT __attribute__((visibility("default")))
#else
#define CHIRPWELL_EXPORT
#endif

/* What a call gives back. */
typedef enum chirpwell_code {
    CHIRPWELL_OK = 0,
    /* The smiled text would pass the window's maximum of 524,287 bytes; the result
       then holds the text unsmiled. Only with the limits on. */
    CHIRPWELL_TOO_LONG = 1,
    /* An argument the call cannot take: a null pointer, an unknown encoding's name,
       a censor character that is no CP932 character. */
    CHIRPWELL_ERROR_ARGUMENT = 2,
    /* A smile file that cannot be read, or that is not a regular file. */
    CHIRPWELL_ERROR_READ = 3,
    /* A smile file with a bad line, or that is no text in its encoding. */
    CHIRPWELL_ERROR_SMILE_FILE = 4,
    /* A text that cannot be read: no text in its encoding, a zero byte, more than
       1,048,575 bytes with the limits on, or more kinds of characters that CP932
       lacks than there are codes for. */
    CHIRPWELL_ERROR_TEXT = 5,
    /* A result holding a character that the output encoding lacks. */
    CHIRPWELL_ERROR_UNENCODABLE = 6,
    /* Memory ran out. */
    CHIRPWELL_ERROR_MEMORY = 7
} chirpwell_code;

/* The version of the library, "4.02". The string is static. */
CHIRPWELL_EXPORT const char* chirpwell_version(void);

/* Frees a message or text the library gave the caller. */
CHIRPWELL_EXPORT void chirpwell_free(void* pointer);

/* Smile sets ---------------------------------------------------------------- */

/* A set of smile rules and its name. */
typedef struct chirpwell_set chirpwell_set;

/* The built-in set, "変わらぬ笑顔". Gives NULL only when memory runs out. */
CHIRPWELL_EXPORT chirpwell_set* chirpwell_set_builtin(void);

/* The set of the smile file at path (file-system bytes, zero-terminated), read in
   encoding (a name as chirpwell_options_set_encoding takes, or NULL to detect it).
   On success *set receives a new set. */
CHIRPWELL_EXPORT chirpwell_code chirpwell_set_load_file(const char* path, const char* encoding,
                                                        chirpwell_set** set, char** message);

/* The same for the bytes of a smile file in memory, which the set copies; name is
   what messages call the file (may be NULL). */
CHIRPWELL_EXPORT chirpwell_code chirpwell_set_load_bytes(const char* bytes, size_t length,
                                                         const char* encoding, const char* name,
                                                         chirpwell_set** set, char** message);

/* The set's name, as its file's "n" line gives it, in UTF-8. The string belongs to
   the set. */
CHIRPWELL_EXPORT const char* chirpwell_set_name(const chirpwell_set* set);

CHIRPWELL_EXPORT void chirpwell_set_destroy(chirpwell_set* set);

/* Options ------------------------------------------------------------------- */

/* How a text is smiled, censored or reversed. A new one has what chirpwell-smile
   has without options: frequency 2, no HTML or comment filter, the newline filter
   on, the censor characters "●" and "*", the seed taken from the clock at each
   call, the input's encoding detected and the output written in it, the limits
   on. */
typedef struct chirpwell_options chirpwell_options;

/* Gives NULL only when memory runs out. */
CHIRPWELL_EXPORT chirpwell_options* chirpwell_options_create(void);
CHIRPWELL_EXPORT void chirpwell_options_destroy(chirpwell_options* options);

/* The smile frequency in percent, used as given: 0 or less smiles nothing, 100 or
   more tries every place. */
CHIRPWELL_EXPORT void chirpwell_options_set_frequency(chirpwell_options* options, int percent);

/* The filters, each on when on is not 0: removing HTML tags (and decoding &lt;
   &gt; &quot; &amp;), removing C and C++ comments, and making every lone CR or LF
   a CR LF. They run in that order, before the smile. */
CHIRPWELL_EXPORT void chirpwell_options_set_html(chirpwell_options* options, int on);
CHIRPWELL_EXPORT void chirpwell_options_set_comments(chirpwell_options* options, int on);
CHIRPWELL_EXPORT void chirpwell_options_set_newlines(chirpwell_options* options, int on);

/* The random generator's seed; the same seed, settings and text give the same
   result as chirpwell-smile --seed and the window. */
CHIRPWELL_EXPORT void chirpwell_options_set_seed(chirpwell_options* options, uint32_t seed);
/* Seeds the generator from the clock, in whole seconds, at each call, as the
   window does: two calls in the same second make the same choices. */
CHIRPWELL_EXPORT void chirpwell_options_set_seed_from_clock(chirpwell_options* options);

/* The censor characters, UTF-8: one full-width and one half-width character of
   CP932 (a character CP932 lacks, one of the other width or more than one is an
   argument error). Either may be NULL to keep what is set. */
CHIRPWELL_EXPORT chirpwell_code chirpwell_options_set_censor_characters(
    chirpwell_options* options, const char* zenkaku, const char* hankaku, char** message);

/* The input's encoding, NULL or "auto" to detect it, and the output's, NULL for the
   input's. Names as chirpwell-smile takes them, in any case: "shift_jis" ("sjis",
   "cp932"), "utf-8" ("utf8"), "euc-jp" ("eucjp"), "iso-2022-jp" ("jis"), "utf-16"
   (by its byte-order mark; written with one), "utf-16le", "utf-16be",
   "shift_jis-2004", "euc-jis-2004". */
CHIRPWELL_EXPORT chirpwell_code chirpwell_options_set_encoding(chirpwell_options* options,
                                                               const char* name, char** message);
CHIRPWELL_EXPORT chirpwell_code chirpwell_options_set_output_encoding(chirpwell_options* options,
                                                                      const char* name,
                                                                      char** message);

/* Whether the window's limits apply (on when on is not 0, as at first): a text of
   at most 1,048,575 bytes, room of as much for the filters, a smiled text of at
   most 524,287 bytes. Without them nothing is limited but memory. */
CHIRPWELL_EXPORT void chirpwell_options_set_limits(chirpwell_options* options, int on);

/* Results ------------------------------------------------------------------- */

/* What smiling, censoring or reversing a text made: the text in the output
   encoding and the places the smile changed. */
typedef struct chirpwell_result chirpwell_result;

/* CHIRPWELL_OK, or CHIRPWELL_TOO_LONG when the smile stopped at the maximum
   length; the text is then the input's, unsmiled, and there are no places. */
CHIRPWELL_EXPORT chirpwell_code chirpwell_result_status(const chirpwell_result* result);

/* The text's bytes, in the output encoding (a byte-order mark included where it
   has one), and their number in *length. The bytes belong to the result and are
   followed by a zero byte not counted. */
CHIRPWELL_EXPORT const char* chirpwell_result_text(const chirpwell_result* result, size_t* length);

/* The name of the encoding the text was read in and of the one it is written in,
   as the status bar shows them ("UTF-8", "Shift_JIS", "UTF-16LE (BOM)"...). The
   strings are static. */
CHIRPWELL_EXPORT const char* chirpwell_result_input_encoding(const chirpwell_result* result);
CHIRPWELL_EXPORT const char* chirpwell_result_output_encoding(const chirpwell_result* result);

/* The smiled places, in order: each one's first byte and length, counted in bytes
   of the text as written, as chirpwell-smile --places counts them. index must be
   below the count. */
CHIRPWELL_EXPORT size_t chirpwell_result_place_count(const chirpwell_result* result);
CHIRPWELL_EXPORT void chirpwell_result_place(const chirpwell_result* result, size_t index,
                                             size_t* position, size_t* length);

CHIRPWELL_EXPORT void chirpwell_result_destroy(chirpwell_result* result);

/* Working on texts ---------------------------------------------------------- */

/* Smiles length bytes of text with set as the options say. On CHIRPWELL_OK and
   CHIRPWELL_TOO_LONG *result receives a new result; on any other code nothing is
   made. */
CHIRPWELL_EXPORT chirpwell_code chirpwell_smile(const chirpwell_set* set,
                                                const chirpwell_options* options,
                                                const char* text, size_t length,
                                                chirpwell_result** result, char** message);

/* Censors the whole text: each character but blanks and the full-width space
   becomes a censor character at the options' frequency (no filters). */
CHIRPWELL_EXPORT chirpwell_code chirpwell_censor(const chirpwell_options* options,
                                                 const char* text, size_t length,
                                                 chirpwell_result** result, char** message);

/* Reverses the whole text, a character at a time, keeping CR LF pairs (no
   filters). */
CHIRPWELL_EXPORT chirpwell_code chirpwell_reverse(const chirpwell_options* options,
                                                  const char* text, size_t length,
                                                  chirpwell_result** result, char** message);

/* Streams ------------------------------------------------------------------- */

/* A text of any length smiled as it comes, in parts of any size: the output,
   random draws and places are exactly those of chirpwell_smile on the whole text
   with the limits off, the same set, options and seed, however the text is cut,
   even inside a character, a key, a tag, a comment or a CR LF pair. There is no
   limit; memory stays bounded, but for an HTML tag or comment held open, which
   stops the stream once it passes 16 MiB. */
typedef struct chirpwell_smiler chirpwell_smiler;

/* Starts a stream smiled with set as the options say; the limits and censor
   characters are not used. The input's encoding is the one named, or the one its
   first 64 KiB are detected in (held back until then, or until the end). The
   smiler copies what it needs: set and options may be destroyed at once. On
   success *smiler receives a new smiler. */
CHIRPWELL_EXPORT chirpwell_code chirpwell_smiler_create(const chirpwell_set* set,
                                                        const chirpwell_options* options,
                                                        chirpwell_smiler** smiler,
                                                        char** message);

/* Feeds the next length bytes of the input. On CHIRPWELL_OK *result receives a new
   result holding the output that became final with them (often none yet), and its
   places, counted in bytes of the whole output written so far. A stream that
   fails (bytes that are no text, a character the output lacks, codes running out,
   a tag or comment open too long: *message gives LINE:COLUMN and why) has ended:
   every later call gives the same code, and what earlier results held stays the
   start of the output. A null smiler, result or bytes with a length is an argument
   error that leaves the stream as it was. */
CHIRPWELL_EXPORT chirpwell_code chirpwell_smiler_feed(chirpwell_smiler* smiler,
                                                      const char* bytes, size_t length,
                                                      chirpwell_result** result,
                                                      char** message);

/* Ends the input: *result receives the rest of the output. Once only; later feeds
   and finishes are argument errors. */
CHIRPWELL_EXPORT chirpwell_code chirpwell_smiler_finish(chirpwell_smiler* smiler,
                                                        chirpwell_result** result,
                                                        char** message);

CHIRPWELL_EXPORT void chirpwell_smiler_destroy(chirpwell_smiler* smiler);

#ifdef __cplusplus
}
#endif

#endif
