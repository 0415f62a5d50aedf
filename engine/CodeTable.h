#ifndef CHIRPWELL_ENGINE_CODETABLE_H
#define CHIRPWELL_ENGINE_CODETABLE_H

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

// Two-byte codes of the program's own for characters that CP932 lacks or does not
// give back as themselves (the wave dash, emoji, JIS X 0212 characters...), taken
// from CP932 code space that no character uses, so that a UTF-8 or EUC-JP text
// passes through CP932 and comes back byte for byte. A code once given keeps its
// character for the table's life, so every text and smile set read through one
// table agrees. Codes are lead * 256 + second byte.
class CCodeTable {
public:
    CCodeTable() = default;
    CCodeTable(const CCodeTable&) = delete;
    CCodeTable& operator=(const CCodeTable&) = delete;

    // The code given to character, or 0.
    std::uint16_t CodeOf(char32_t character) const;
    // The character a code was given to, or 0.
    char32_t CharacterOf(std::uint16_t code) const;

    // How many codes are given and how many there are in all.
    std::size_t Size() const { return m_characters.size(); }
    static std::size_t Capacity();
    // The index-th code, from 0, in the order codes are given: the next character
    // added gets FreeCode(Size()). index must be below Capacity().
    static std::uint16_t FreeCode(std::size_t index);

    // Gives codes to characters, in order, each new to the table; false, with nothing
    // given, when there are not enough.
    bool Add(const std::vector<char32_t>& characters);

private:
    std::vector<char32_t> m_characters;  // in the order of the free codes
    std::unordered_map<char32_t, std::uint16_t> m_codes;
};

#endif
