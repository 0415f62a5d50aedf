#ifndef CHIRPWELL_LIB_LIBRARYTEXTS_H
#define CHIRPWELL_LIB_LIBRARYTEXTS_H

#include <string>

#include "include/chirpwell/chirpwell.h"

// The library's messages: English in the sources, translated through the library's
// own gettext domain, "libchirpwell", in the language of the calling thread's
// locale. The library never sets the locale; the program does.

// The translation of a message of the library, UTF-8.
const char* LibTr(const char* english);

// Marks a message for the catalogue where it is not translated at once.
#define LibTrNoop(english) (english)

// Gives code, after handing text to the caller as a message it frees with
// chirpwell_free, when message is not null.
chirpwell_code Fail(chirpwell_code code, const std::string& text, char** message);

#endif
