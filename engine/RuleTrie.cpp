#include "engine/RuleTrie.h"

#include <algorithm>
#include <string>

#include "engine/Cp932.h"

namespace {

struct CKeyRef {
    const std::string* m_pKey;
    std::uint32_t m_nIndex;
};

// The keys of one node's subtree: entries [m_nBegin, m_nEnd) of the sorted keys,
// all sharing their first m_nDepth bytes.
struct CPending {
    std::uint32_t m_nBegin;
    std::uint32_t m_nEnd;
    std::uint32_t m_nDepth;
};

}  // namespace

void CRuleTrie::Clear()
{
    *this = CRuleTrie();
}

void CRuleTrie::Build(const CLists& lists)
{
    Clear();
    // Nodes are made breadth first and handled in the order they are made, so each
    // node's rules come after those of the nodes before it.
    std::vector<CKeyRef> keys;
    std::vector<CPending> pending;  // indexed by node
    for (unsigned first = 0; first < 256; ++first) {
        const std::vector<CSmileRule>& list = lists[first];
        const auto begin = static_cast<std::uint32_t>(keys.size());
        for (std::uint32_t index = 0; index < list.size(); ++index) {
            if (list[index].m_strKey.empty())
                m_emptyKeys.push_back(index);
            else
                keys.push_back({&list[index].m_strKey, index});
        }
        const auto end = static_cast<std::uint32_t>(keys.size());
        if (begin == end)
            continue;
        // Equal keys stay in the rules' order.
        std::sort(keys.begin() + begin, keys.begin() + end, [](const CKeyRef& a, const CKeyRef& b) {
            const int order = a.m_pKey->compare(*b.m_pKey);
            return order != 0 ? order < 0 : a.m_nIndex < b.m_nIndex;
        });
        m_roots[first] = static_cast<std::uint32_t>(m_nodes.size());
        CNode root;
        root.m_nByte = static_cast<std::uint8_t>(first);
        root.m_bWhole = !IsLeadByte(root.m_nByte);
        m_nodes.push_back(root);
        pending.push_back({begin, end, 1});
    }

    for (std::uint32_t id = 0; id < m_nodes.size(); ++id) {
        const CPending range = pending[id];
        m_nodes[id].m_nFirstRule = static_cast<std::uint32_t>(m_rules.size());
        // Keys that end here sort before the longer ones.
        std::uint32_t at = range.m_nBegin;
        while (at < range.m_nEnd && keys[at].m_pKey->size() == range.m_nDepth)
            m_rules.push_back(keys[at++].m_nIndex);
        m_nodes[id].m_nFirstChild = static_cast<std::uint32_t>(m_nodes.size());
        while (at < range.m_nEnd) {
            const char byte = (*keys[at].m_pKey)[range.m_nDepth];
            std::uint32_t end = at + 1;
            while (end < range.m_nEnd && (*keys[end].m_pKey)[range.m_nDepth] == byte)
                ++end;
            CNode child;
            child.m_nByte = static_cast<std::uint8_t>(byte);
            // A byte that ends a character walk starts the next character; after a
            // lead byte it is the second byte, and the character ends with it.
            child.m_bWhole = m_nodes[id].m_bWhole ? !IsLeadByte(child.m_nByte) : true;
            m_nodes.push_back(child);
            pending.push_back({at, end, range.m_nDepth + 1});
            ++m_nodes[id].m_nChildren;
            at = end;
        }
    }
    CNode last;
    last.m_nFirstRule = static_cast<std::uint32_t>(m_rules.size());
    m_nodes.push_back(last);
}

std::uint32_t CRuleTrie::FindChild(const CNode& node, unsigned char byte) const
{
    const CNode* begin = m_nodes.data() + node.m_nFirstChild;
    const CNode* end = begin + node.m_nChildren;
    const CNode* found = std::lower_bound(
        begin, end, byte, [](const CNode& child, unsigned char b) { return child.m_nByte < b; });
    if (found == end || found->m_nByte != byte)
        return kNone;
    return static_cast<std::uint32_t>(found - m_nodes.data());
}

void CRuleTrie::FindMatches(std::string_view rest, bool wholeOnly,
                            std::vector<std::uint32_t>& matches) const
{
    matches.clear();
    // An empty key is found where the byte is 0: past the end, or a zero byte.
    if (rest.empty() || rest[0] == '\0')
        matches = m_emptyKeys;
    if (rest.empty())
        return;
    std::size_t sources = matches.empty() ? 0 : 1;
    std::uint32_t id = m_roots[static_cast<unsigned char>(rest[0])];
    std::size_t depth = 1;
    while (id != kNone) {
        const CNode& node = m_nodes[id];
        const std::uint32_t end = m_nodes[id + 1].m_nFirstRule;
        if (node.m_nFirstRule != end && (!wholeOnly || node.m_bWhole)) {
            matches.insert(matches.end(), m_rules.begin() + node.m_nFirstRule, m_rules.begin() + end);
            ++sources;
        }
        if (depth == rest.size() || node.m_nChildren == 0)
            break;
        id = FindChild(node, static_cast<unsigned char>(rest[depth++]));
    }
    // Each node's rules are in order; keys of different lengths interleave.
    if (sources > 1)
        std::sort(matches.begin(), matches.end());
}
