#include "engine/Cp932Table.h"

#include <cerrno>

#include <iconv.h>

#include "engine/Cp932.h"
#include "engine/SystemCodec.h"

namespace {

// Lead bytes 0x81 to 0x9F, then 0xE0 to 0xFC, numbered from 0.
int LeadIndex(unsigned char lead)
{
    return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 0x1F;
}

constexpr int kLeadCount = 0x1F + 0x1D;

bool IsTrailByte(int byte)
{
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

std::size_t PairIndex(unsigned char lead, unsigned char trail)
{
    return static_cast<std::size_t>(LeadIndex(lead)) * 256 + trail;
}

// What a unit shows as: the replacement when it is no character, or one beyond the
// UTF-16 unit a shown character takes.
char16_t Shown(CSystemDecoder& decoder, std::string_view unit)
{
    const char32_t character = decoder.Decode(unit);
    return character == 0 || character > 0xFFFF ? CCp932Table::kReplacement
                                                 : static_cast<char16_t>(character);
}

// The code the system codec writes for one BMP character, or 0.
std::uint16_t EncodeCharacter(iconv_t cd, char16_t character)
{
    unsigned char out[4];
    char* in = reinterpret_cast<char*>(&character);
    std::size_t inLeft = sizeof character;
    char* outPointer = reinterpret_cast<char*>(out);
    std::size_t outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &in, &inLeft, &outPointer, &outLeft) == static_cast<std::size_t>(-1))
        return 0;
    const std::size_t length = sizeof out - outLeft;
    return length == 1 ? out[0] : length == 2 ? static_cast<std::uint16_t>(out[0] << 8 | out[1]) : 0;
}

}  // namespace

const CCp932Table& CCp932Table::Instance()
{
    static const CCp932Table table;
    return table;
}

CCp932Table::CCp932Table()
    : m_pairs(static_cast<std::size_t>(kLeadCount) * 256, kReplacement),
      m_freeIndex(m_pairs.size(), -1)
{
    m_single.fill(kReplacement);
    CSystemDecoder decoder("CP932");
    for (int byte = 0; byte < 256; ++byte) {
        const char unit[1] = {static_cast<char>(byte)};
        if (!IsLeadByte(static_cast<unsigned char>(byte)))
            m_single[static_cast<std::size_t>(byte)] = Shown(decoder, std::string_view(unit, 1));
    }
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(static_cast<unsigned char>(lead)))
            continue;
        for (int trail = 0; trail < 256; ++trail) {
            const char unit[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const char16_t shown = Shown(decoder, std::string_view(unit, 2));
            const std::size_t index =
                PairIndex(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail));
            m_pairs[index] = shown;
            if (shown == kReplacement && IsTrailByte(trail)) {
                m_freeIndex[index] = static_cast<std::int16_t>(m_freeCodes.size());
                m_freeCodes.push_back(static_cast<std::uint16_t>(lead << 8 | trail));
            }
        }
    }
    BuildCodes();
}

void CCp932Table::BuildCodes()
{
    // Every code that shows as a character gives that character back; where several
    // codes show the same one, the system codec's own choice stands.
    m_codes.assign(0x10000, 0);
    std::vector<char16_t> shared;
    auto offer = [this, &shared](char16_t character, std::uint16_t code) {
        if (character == kReplacement || character == 0)
            return;
        if (m_codes[character] == 0)
            m_codes[character] = code;
        else
            shared.push_back(character);
    };
    for (int byte = 1; byte < 256; ++byte)
        offer(m_single[static_cast<std::size_t>(byte)], static_cast<std::uint16_t>(byte));
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(static_cast<unsigned char>(lead)))
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail)
            offer(Pair(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)),
                  static_cast<std::uint16_t>(lead << 8 | trail));
    }
    iconv_t cd = iconv_open("CP932", "UTF-16LE");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return;
    for (const char16_t character : shared) {
        const std::uint16_t code = EncodeCharacter(cd, character);
        const auto lead = static_cast<unsigned char>(code >> 8);
        if (code > 0xFF && IsLeadByte(lead) &&
            Pair(lead, static_cast<unsigned char>(code & 0xFF)) == character)
            m_codes[character] = code;
    }
    iconv_close(cd);
}

char16_t CCp932Table::Pair(unsigned char lead, unsigned char trail) const
{
    return m_pairs[PairIndex(lead, trail)];
}

int CCp932Table::FreeIndex(std::uint16_t code) const
{
    const auto lead = static_cast<unsigned char>(code >> 8);
    if (!IsLeadByte(lead))
        return -1;
    return m_freeIndex[PairIndex(lead, static_cast<unsigned char>(code & 0xFF))];
}
