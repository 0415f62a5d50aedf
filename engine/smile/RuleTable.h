#ifndef CHIRPWELL_ENGINE_SMILE_RULETABLE_H
#define CHIRPWELL_ENGINE_SMILE_RULETABLE_H

#include <array>
#include <cstddef>
#include <vector>

#include "engine/smile/RuleTrie.h"
#include "engine/smile/SmileRule.h"

// The rules of the smile set in force, filed by the first byte of their key (an empty
// key under byte 0), each list in the order the rules were added, and a trie over
// their keys for the conversion, made again on first use after a change.
class CRuleTable {
public:
    CRuleTable() = default;
    // The trie refers to the lists by position; a copy would need its own.
    CRuleTable(const CRuleTable&) = delete;
    CRuleTable& operator=(const CRuleTable&) = delete;

    void Add(CSmileRule rule);
    void Clear();
    // The rules whose key starts with byte, oldest first.
    const std::vector<CSmileRule>& Lookup(unsigned char byte) const { return m_lists[byte]; }
    std::size_t Size() const { return m_nSize; }
    // The trie over the rules as they stand; its indices refer to Lookup's lists.
    const CRuleTrie& Trie() const;
    // The most bytes a key has.
    std::size_t LongestKey() const;

private:
    CRuleTrie::CLists m_lists;
    std::size_t m_nSize = 0;
    // Made on first use after a change.
    mutable CRuleTrie m_trie;
    mutable bool m_bTrieCurrent = false;
};

#endif
