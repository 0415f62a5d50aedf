#ifndef CHIRPWELL_ENGINE_EUCJPTABLE_H
#define CHIRPWELL_ENGINE_EUCJPTABLE_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// EUC-JP as the system codec has it (JIS X 0208, half-width katakana after 0x8E,
// JIS X 0212 after 0x8F, and the C1 bytes), built once on first use and then read
// without locks. Every character it holds comes back as the same bytes.
class CEucJpTable {
public:
    static const CEucJpTable& Instance();

    // The character that starts text, and its length in bytes; 0 when text does not
    // start with a character of EUC-JP (or is empty).
    char32_t Decode(std::string_view text, std::size_t& length) const;
    // The bytes of character, appended to out; false when EUC-JP lacks it.
    bool Encode(char32_t character, std::string& out) const;

private:
    CEucJpTable();

    std::vector<char32_t> m_single;  // per byte; 0 for none
    std::vector<char32_t> m_kana;    // per byte after 0x8E
    std::vector<char32_t> m_double;  // per pair of 0xA1..0xFE bytes, JIS X 0208
    std::vector<char32_t> m_triple;  // likewise after 0x8F, JIS X 0212
    std::unordered_map<char32_t, std::uint32_t> m_codes;  // the bytes, high byte first
};

#endif
