#include "engine/smile/RuleTable.h"

#include <algorithm>
#include <utility>

void CRuleTable::Add(CSmileRule rule)
{
    const unsigned char first =
        rule.m_strKey.empty() ? 0 : static_cast<unsigned char>(rule.m_strKey[0]);
    m_lists[first].push_back(std::move(rule));
    ++m_nSize;
    m_bTrieCurrent = false;
}

void CRuleTable::Clear()
{
    for (std::vector<CSmileRule>& list : m_lists)
        std::vector<CSmileRule>().swap(list);
    m_nSize = 0;
    m_trie.Clear();
    m_bTrieCurrent = false;
}

const CRuleTrie& CRuleTable::Trie() const
{
    if (!m_bTrieCurrent) {
        m_trie.Build(m_lists);
        m_bTrieCurrent = true;
    }
    return m_trie;
}

std::size_t CRuleTable::LongestKey() const
{
    std::size_t longest = 0;
    for (const std::vector<CSmileRule>& list : m_lists) {
        for (const CSmileRule& rule : list)
            longest = std::max(longest, rule.m_strKey.size());
    }
    return longest;
}
