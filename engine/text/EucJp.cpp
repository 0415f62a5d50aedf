#include "engine/text/EucJp.h"

#include <cstdint>

#include "engine/text/CodecTables.h"

namespace {

constexpr int kFirst = 0xA1;
constexpr int kRowLength = 0xFE - kFirst + 1;

bool InRow(unsigned char byte)
{
    return byte >= kFirst && byte <= 0xFE;
}

std::size_t RowIndex(unsigned char high, unsigned char low)
{
    return static_cast<std::size_t>(high - kFirst) * kRowLength + (low - kFirst);
}

}  // namespace

char32_t DecodeEucJp(std::string_view text, std::size_t& length)
{
    if (text.empty())
        return 0;
    const auto first = static_cast<unsigned char>(text[0]);
    if (first == 0x8E && text.size() >= 2) {
        length = 2;
        return kEucJpKana[static_cast<unsigned char>(text[1])];
    }
    if (first == 0x8F && text.size() >= 3) {
        const auto high = static_cast<unsigned char>(text[1]);
        const auto low = static_cast<unsigned char>(text[2]);
        length = 3;
        return InRow(high) && InRow(low) ? kJisX0212[RowIndex(high, low)] : 0;
    }
    if (InRow(first)) {
        if (text.size() < 2)
            return 0;
        const auto low = static_cast<unsigned char>(text[1]);
        length = 2;
        return InRow(low) ? kJisX0208[RowIndex(first, low)] : 0;
    }
    length = 1;
    return kEucJpSingles[first];
}

std::uint32_t EucJpCodeOf(char32_t character)
{
    return FindInPages(kEucJpPages, kEucJpPageCount, kEucJpCodes, character);
}

bool EncodeEucJp(char32_t character, std::string& out)
{
    const std::uint32_t code = EucJpCodeOf(character);
    if (code == 0)
        return false;
    if (code > 0xFFFF)
        out += static_cast<char>(code >> 16);
    if (code > 0xFF)
        out += static_cast<char>(code >> 8 & 0xFF);
    out += static_cast<char>(code & 0xFF);
    return true;
}
