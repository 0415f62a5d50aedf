#include "document/DisplayText.h"

#include <algorithm>

#include "engine/Cp932.h"
#include "engine/Cp932Table.h"

CDisplayText::CDisplayText(std::string_view cp932)
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
            m_shown += i + 1 < size
                           ? table.Pair(byte, static_cast<unsigned char>(cp932[i + 1]))
                           : CCp932Table::kReplacement;
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
    const auto after = std::upper_bound(m_unitStarts.begin(), m_unitStarts.end(), byte);
    return static_cast<std::size_t>(after - m_unitStarts.begin()) - 1;
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
