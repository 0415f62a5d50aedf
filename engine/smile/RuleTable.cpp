#include "engine/smile/RuleTable.h"

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

const CRuleTrie& CRuleTable::Trie()
{
    if (!m_bTrieCurrent) {
        m_trie.Build(m_lists);
        m_bTrieCurrent = true;
    }
    return m_trie;
}
