#ifndef CHIRPWELL_ENGINE_CP932TABLE_H
#define CHIRPWELL_ENGINE_CP932TABLE_H

#include <array>
#include <string_view>
#include <vector>

// What every CP932 unit shows as: one UTF-16 character for a byte or a lead byte with
// the byte after it, U+FFFD for a unit that is no character. Built once from the
// system codec, then read without locks.
class CCp932Table {
public:
    static constexpr char16_t kReplacement = 0xFFFD;

    static const CCp932Table& Instance();

    char16_t Single(unsigned char byte) const { return m_single[byte]; }
    // lead must be a lead byte.
    char16_t Pair(unsigned char lead, unsigned char trail) const;

private:
    CCp932Table();

    std::array<char16_t, 256> m_single{};
    std::vector<char16_t> m_pairs;  // 256 per lead byte, in lead byte order
};

#endif
