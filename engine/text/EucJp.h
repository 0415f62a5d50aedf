#ifndef CHIRPWELL_ENGINE_TEXT_EUCJP_H
#define CHIRPWELL_ENGINE_TEXT_EUCJP_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// EUC-JP as the system codec has it: JIS X 0208, half-width katakana after 0x8E, JIS
// X 0212 after 0x8F, and the C1 bytes. Every character it holds comes back as the
// same bytes.

// The character that starts text, and its length in bytes; 0 when text does not
// start with a character of EUC-JP (or is empty).
char32_t DecodeEucJp(std::string_view text, std::size_t& length);
// The bytes of character, high byte first, as one number; 0 when EUC-JP lacks it.
std::uint32_t EucJpCodeOf(char32_t character);
// Appends the bytes of character to out; false when EUC-JP lacks it.
bool EncodeEucJp(char32_t character, std::string& out);

#endif
