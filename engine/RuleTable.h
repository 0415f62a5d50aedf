#ifndef CHIRPWELL_ENGINE_RULETABLE_H
#define CHIRPWELL_ENGINE_RULETABLE_H

#include <array>
#include <cstddef>
#include <vector>

#include "engine/SmileRule.h"

// The rules of the smile set in force, filed by the first byte of their key (an empty
// key under byte 0), each list in the order the rules were added. One slot per byte
// value makes the look-up at every tried text position a single index.
class CRuleTable {
public:
    void Add(CSmileRule rule);
    void Clear();
    // The rules whose key starts with byte, oldest first.
    const std::vector<CSmileRule>& Lookup(unsigned char byte) const { return m_lists[byte]; }
    std::size_t Size() const { return m_nSize; }

private:
    std::array<std::vector<CSmileRule>, 256> m_lists;
    std::size_t m_nSize = 0;
};

#endif
