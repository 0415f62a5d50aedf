#ifndef CHIRPWELL_ENGINE_TEXT_CHARACTERS_H
#define CHIRPWELL_ENGINE_TEXT_CHARACTERS_H

#include <cstddef>
#include <string>

#include "engine/text/Encoding.h"

// The encodings that are read through Unicode, a character at a time: UTF-8,
// UTF-16, EUC-JP and the JIS X 0213 forms. A character is a Unicode scalar value,
// or the key of a JIS X 0213 sequence (kFirstSequenceKey and up).

// The most bytes EncodeCharacter writes.
inline constexpr std::size_t kMaxCharacterBytes = 8;

// The character that starts bytes (size at least 1) in encoding, 0 when none starts
// there; length is set to its bytes, or to 1 when none starts there. A UTF-16 unit
// of 0 is U+0000, which the caller refuses. The JIS X 0213 forms give sequence keys
// for their codes of two characters; the others give single characters.
char32_t DecodeCharacter(const unsigned char* bytes, std::size_t size, EEncoding encoding,
                         std::size_t& length);

// Writes character in encoding at out, which has room for kMaxCharacterBytes; gives
// the end, or nullptr when the encoding lacks the character. A sequence key becomes
// its two characters in UTF-8 and UTF-16.
char* EncodeCharacter(char32_t character, EEncoding encoding, char* out);

// The key of a JIS X 0213 sequence of first and then second, 0 when they are none.
char32_t SequenceKey(char32_t first, char32_t second);
// The two characters of a sequence key; false for a character that is no key.
bool SequenceCharacters(char32_t key, char32_t& first, char32_t& second);

// Appends character as UTF-8, a sequence key as its two characters.
void AppendUtf8(char32_t character, std::string& utf8);

#endif
