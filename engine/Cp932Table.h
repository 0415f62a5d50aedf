#ifndef CHIRPWELL_ENGINE_CP932TABLE_H
#define CHIRPWELL_ENGINE_CP932TABLE_H

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

// CP932 as the system codec has it, built once and then read without locks. A code
// is one byte (0x00 to 0xFF) or a lead byte and the byte after it (lead * 256 +
// second).
class CCp932Table {
public:
    static constexpr char16_t kReplacement = 0xFFFD;

    static const CCp932Table& Instance();

    // What a unit shows as: one UTF-16 character, U+FFFD for a unit that is no
    // character.
    char16_t Single(unsigned char byte) const { return m_single[byte]; }
    // lead must be a lead byte.
    char16_t Pair(unsigned char lead, unsigned char trail) const;

    // The code of a character that CP932 holds and gives back as itself, or 0.
    std::uint16_t CodeOf(char32_t character) const
    {
        return character < m_codes.size() ? m_codes[character] : 0;
    }

    // Two-byte codes, in order, that no CP932 character uses though their second
    // byte is one a character may have; the program gives them characters of its own.
    const std::vector<std::uint16_t>& FreeCodes() const { return m_freeCodes; }
    // The place of code in FreeCodes(), or -1.
    int FreeIndex(std::uint16_t code) const;

private:
    CCp932Table();
    void BuildCodes();

    std::array<char16_t, 256> m_single{};
    std::vector<char16_t> m_pairs;           // 256 per lead byte, in lead byte order
    std::vector<std::uint16_t> m_codes;      // per BMP character
    std::vector<std::uint16_t> m_freeCodes;
    std::vector<std::int16_t> m_freeIndex;   // per pair, like m_pairs
};

#endif
