#ifndef CHIRPWELL_PROGRAMS_TRANSLATION_H
#define CHIRPWELL_PROGRAMS_TRANSLATION_H

// The command-line messages in the user's language, from gettext's catalogue
// "chirpwell". Messages are written in English in the source and come back in UTF-8;
// the program's fixed Japanese messages do not pass through here.

// Takes the character set and the language of messages from the environment and
// opens the catalogues, found from the program's own place: installed, or in the
// build tree. Under a locale that is not UTF-8 the messages stay English, the
// system's error texts too. Called once, first thing in main.
void InitTranslation();

// The translation of an English message, or the message itself: before
// InitTranslation, under a locale that is not UTF-8, or when none is known.
const char* Tr(const char* english);

// Marks an English message for the catalogue where it is kept to be given to Tr later.
constexpr const char* TrNoop(const char* english)
{
    return english;
}

#endif
