#include "document/DisplayText.h"

#include <algorithm>

#include "engine/CodeTable.h"
#include "engine/Cp932.h"
#include "engine/Cp932Table.h"

CDisplayText::CDisplayText(std::string_view cp932, const CCodeTable* codes)
{
    const CCp932Table& table = CCp932Table::Instance();
    const std::size_t size = cp932.size();
    m_shown.reserve(size);
    m_unitStarts.reserve(size + 1);
    std::size_t i = 0;
    while (i < size) {
        m_unitStarts.push_back(static_cast<std::uint32_t>(i));
        const auto byte = static_cast<unsigned char>(cp932[i]);
        if (byte == '\r') {
            m_shown += u'\n';
            i += i + 1 < size && cp932[i + 1] == '\n' ? 2 : 1;
        } else if (byte == '\n') {
            m_shown += u'\n';
            ++i;
        } else if (IsLeadByte(byte)) {
            const auto trail = static_cast<unsigned char>(i + 1 < size ? cp932[i + 1] : 0);
            char32_t shown = i + 1 < size ? table.Pair(byte, trail) : CCp932Table::kReplacement;
            if (shown == CCp932Table::kReplacement && codes && i + 1 < size)
                shown = codes->CharacterOf(static_cast<std::uint16_t>(byte << 8 | trail));
            if (shown == 0) {
                shown = CCp932Table::kReplacement;
            } else if (shown > 0xFFFF) {
                m_shown += static_cast<char16_t>(0xD7C0 + (shown >> 10));
                m_unitStarts.push_back(static_cast<std::uint32_t>(i));
                shown = 0xDC00 | (shown & 0x3FF);
            }
            m_shown += static_cast<char16_t>(shown);
            i += 2;
        } else {
            m_shown += table.Single(byte);
            ++i;
        }
    }
    m_unitStarts.push_back(static_cast<std::uint32_t>(size));
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
