#include "engine/Cp932Table.h"

#include <cerrno>

#include <iconv.h>

#include "engine/Cp932.h"

namespace {

// Lead bytes 0x81 to 0x9F, then 0xE0 to 0xFC, numbered from 0.
int LeadIndex(unsigned char lead)
{
    return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 0x1F;
}

constexpr int kLeadCount = 0x1F + 0x1D;

// One unit through the codec; the replacement when it is no character or needs more
// than one UTF-16 unit.
char16_t DecodeUnit(iconv_t cd, const char* unit, std::size_t length)
{
    char16_t out[4];
    char* in = const_cast<char*>(unit);
    std::size_t inLeft = length;
    char* outPointer = reinterpret_cast<char*>(out);
    std::size_t outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &in, &inLeft, &outPointer, &outLeft) == static_cast<std::size_t>(-1) ||
        inLeft != 0 || sizeof out - outLeft != sizeof(char16_t))
        return CCp932Table::kReplacement;
    return out[0];
}

}  // namespace

const CCp932Table& CCp932Table::Instance()
{
    static const CCp932Table table;
    return table;
}

CCp932Table::CCp932Table() : m_pairs(static_cast<std::size_t>(kLeadCount) * 256, kReplacement)
{
    m_single.fill(kReplacement);
    iconv_t cd = iconv_open("UTF-16LE", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return;
    for (int byte = 0; byte < 256; ++byte) {
        const char unit[1] = {static_cast<char>(byte)};
        if (!IsLeadByte(static_cast<unsigned char>(byte)))
            m_single[static_cast<std::size_t>(byte)] = DecodeUnit(cd, unit, 1);
    }
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(static_cast<unsigned char>(lead)))
            continue;
        for (int trail = 0; trail < 256; ++trail) {
            const char unit[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            m_pairs[static_cast<std::size_t>(LeadIndex(static_cast<unsigned char>(lead))) * 256 +
                    static_cast<std::size_t>(trail)] = DecodeUnit(cd, unit, 2);
        }
    }
    iconv_close(cd);
}

char16_t CCp932Table::Pair(unsigned char lead, unsigned char trail) const
{
    return m_pairs[static_cast<std::size_t>(LeadIndex(lead)) * 256 + trail];
}
