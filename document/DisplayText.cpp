#include "document/DisplayText.h"

#include <algorithm>
#include <array>

#include "engine/text/Characters.h"
#include "engine/text/Codec.h"
#include "engine/text/CodecTables.h"

namespace {

enum EByteKind : unsigned char { kSingle, kLead, kCr, kLf };

// What a byte starts, by the same test as IsLeadByte; here every byte of a long
// text passes it, so it is a table.
constexpr std::array<unsigned char, 256> MakeByteKinds()
{
    std::array<unsigned char, 256> kinds{};
    for (int byte = 0; byte < 256; ++byte) {
        const bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        kinds[byte] = lead ? kLead : byte == '\r' ? kCr : byte == '\n' ? kLf : kSingle;
    }
    return kinds;
}

constexpr std::array<unsigned char, 256> kByteKinds = MakeByteKinds();

}  // namespace

CDisplayText::CDisplayText(std::string_view cp932, const CCodec* codec)
{
    const std::size_t size = cp932.size();
    const auto* bytes = reinterpret_cast<const unsigned char*>(cp932.data());
    // No unit shows as more UTF-16 units than it has bytes, so both fit; written
    // through pointers, then cut to length, as this runs over every byte shown.
    m_shown.resize(size);
    m_unitStarts.resize(size + 1);
    char16_t* shown = m_shown.data();
    std::uint32_t* starts = m_unitStarts.data();
    std::size_t n = 0;
    std::size_t i = 0;
    while (i < size) {
        const unsigned char byte = bytes[i];
        starts[n] = static_cast<std::uint32_t>(i);
        switch (kByteKinds[byte]) {
        case kSingle:
            shown[n++] = kCp932Singles[byte];
            ++i;
            break;
        case kCr:
            shown[n++] = u'\n';
            i += i + 1 < size && bytes[i + 1] == '\n' ? 2 : 1;
            break;
        case kLf:
            shown[n++] = u'\n';
            ++i;
            break;
        default: {
            if (i + 1 == size) {
                shown[n++] = kNoCharacter;
                ++i;
                break;
            }
            const unsigned char trail = bytes[i + 1];
            char32_t character = kCp932Pairs[LeadIndex(byte) * 256 + trail];
            if (character == kNoCharacter && codec)
                character = codec->CharacterOf(static_cast<std::uint16_t>(byte << 8 | trail));
            if (character == 0)
                character = kNoCharacter;
            // A character that takes two UTF-16 units, beyond the BMP or a JIS X 0213
            // sequence of two, maps both to the unit's bytes.
            char32_t first = 0;
            if (SequenceCharacters(character, first, character)) {
                shown[n++] = static_cast<char16_t>(first);
                starts[n] = static_cast<std::uint32_t>(i);
            } else if (character > 0xFFFF) {
                shown[n++] = static_cast<char16_t>(0xD7C0 + (character >> 10));
                starts[n] = static_cast<std::uint32_t>(i);
                character = 0xDC00 | (character & 0x3FF);
            }
            shown[n++] = static_cast<char16_t>(character);
            i += 2;
        }
        }
    }
    starts[n] = static_cast<std::uint32_t>(size);
    m_shown.resize(n);
    m_unitStarts.resize(n + 1);
}

std::size_t CDisplayText::ShownAtOrBefore(std::size_t byte) const
{
    if (byte >= ByteLength())
        return m_shown.size();
    // The first shown unit of the character that holds byte.
    const auto after = std::upper_bound(m_unitStarts.begin(), m_unitStarts.end(), byte);
    const auto first = std::lower_bound(m_unitStarts.begin(), after, *(after - 1));
    return static_cast<std::size_t>(first - m_unitStarts.begin());
}

std::size_t CDisplayText::ShownAtOrAfter(std::size_t byte) const
{
    const auto atOrAfter = std::lower_bound(m_unitStarts.begin(), m_unitStarts.end(), byte);
    return std::min(static_cast<std::size_t>(atOrAfter - m_unitStarts.begin()), m_shown.size());
}

std::size_t CDisplayText::ByteAt(std::size_t shown) const
{
    return m_unitStarts[std::min(shown, m_shown.size())];
}
