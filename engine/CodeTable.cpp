#include "engine/CodeTable.h"

#include <cassert>

#include "engine/Cp932Table.h"

std::uint16_t CCodeTable::CodeOf(char32_t character) const
{
    const auto found = m_codes.find(character);
    return found == m_codes.end() ? 0 : found->second;
}

char32_t CCodeTable::CharacterOf(std::uint16_t code) const
{
    const int index = CCp932Table::Instance().FreeIndex(code);
    if (index < 0 || static_cast<std::size_t>(index) >= m_characters.size())
        return 0;
    return m_characters[static_cast<std::size_t>(index)];
}

std::size_t CCodeTable::Capacity()
{
    return CCp932Table::Instance().FreeCodes().size();
}

std::uint16_t CCodeTable::FreeCode(std::size_t index)
{
    return CCp932Table::Instance().FreeCodes()[index];
}

bool CCodeTable::Add(const std::vector<char32_t>& characters)
{
    if (characters.size() > Capacity() - Size())
        return false;
    for (const char32_t character : characters) {
        assert(CodeOf(character) == 0);
        m_codes.emplace(character, FreeCode(m_characters.size()));
        m_characters.push_back(character);
    }
    return true;
}
