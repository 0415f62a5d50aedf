#include "engine/smile/RuleTrie.h"

#include <algorithm>
#include <string>

#include "engine/text/Cp932.h"

namespace {

// A key with its first eight bytes as a number, most significant first and padded
// with zeros, so that most comparisons of a sort take one step.
struct CKeyRef {
    const std::string* m_pKey;
    std::uint64_t m_nHead;
    std::uint32_t m_nIndex;
};

CKeyRef MakeKeyRef(const std::string& key, std::uint32_t index)
{
    std::uint64_t head = 0;
    for (std::size_t k = 0; k < 8; ++k)
        head = head << 8 | (k < key.size() ? static_cast<unsigned char>(key[k]) : 0u);
    return {&key, head, index};
}

// Byte order of the keys, then the rules' order.
bool KeyBefore(const CKeyRef& a, const CKeyRef& b)
{
    if (a.m_nHead != b.m_nHead)
        return a.m_nHead < b.m_nHead;
    const std::size_t sizeA = a.m_pKey->size();
    const std::size_t sizeB = b.m_pKey->size();
    // The same eight bytes, zeros counted: the shorter key, if either is that short,
    // is the longer one's start.
    if (sizeA > 8 && sizeB > 8) {
        const int order = a.m_pKey->compare(8, std::string::npos, *b.m_pKey, 8, std::string::npos);
        if (order != 0)
            return order < 0;
    }
    if (sizeA != sizeB)
        return sizeA < sizeB;
    return a.m_nIndex < b.m_nIndex;
}

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
                keys.push_back(MakeKeyRef(list[index].m_strKey, index));
        }
        const auto end = static_cast<std::uint32_t>(keys.size());
        if (begin == end)
            continue;
        // Equal keys stay in the rules' order.
        std::sort(keys.begin() + begin, keys.begin() + end, KeyBefore);
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

    for (const CKeyRef& key : keys) {
        const unsigned first = static_cast<unsigned char>((*key.m_pKey)[0]);
        if (key.m_pKey->size() == 1) {
            for (unsigned second = 0; second < 256; second += 64)
                m_starts[(first << 8 | second) / 64] = ~std::uint64_t{0};
        } else {
            const unsigned pair = first << 8 | static_cast<unsigned char>((*key.m_pKey)[1]);
            m_starts[pair / 64] |= std::uint64_t{1} << (pair % 64);
        }
    }
}

std::uint32_t CRuleTrie::FindChild(const CNode& node, unsigned char byte) const
{
    const CNode* begin = m_nodes.data() + node.m_nFirstChild;
    const CNode* end = begin + node.m_nChildren;
    // Most nodes have a few children; a wide one is searched by halves.
    if (node.m_nChildren <= 8) {
        for (const CNode* child = begin; child != end; ++child) {
            if (child->m_nByte == byte)
                return static_cast<std::uint32_t>(child - m_nodes.data());
        }
        return kNone;
    }
    const CNode* found = std::lower_bound(
        begin, end, byte, [](const CNode& child, unsigned char b) { return child.m_nByte < b; });
    if (found == end || found->m_nByte != byte)
        return kNone;
    return static_cast<std::uint32_t>(found - m_nodes.data());
}

std::span<const std::uint32_t> CRuleTrie::FindMatches(std::string_view rest, bool wholeOnly,
                                                      std::vector<std::uint32_t>& scratch) const
{
    // Most often the keys of one node match, and their rules are already in order.
    std::span<const std::uint32_t> found;
    bool merged = false;
    auto add = [&](std::span<const std::uint32_t> rules) {
        if (rules.empty())
            return;
        if (found.empty()) {
            found = rules;
            return;
        }
        if (!merged) {
            scratch.assign(found.begin(), found.end());
            merged = true;
        }
        scratch.insert(scratch.end(), rules.begin(), rules.end());
    };
    // An empty key is found where the byte is 0: past the end, or a zero byte.
    if (rest.empty() || rest[0] == '\0')
        add(m_emptyKeys);
    std::uint32_t id = rest.empty() ? kNone : m_roots[static_cast<unsigned char>(rest[0])];
    std::size_t depth = 1;
    while (id != kNone) {
        const CNode& node = m_nodes[id];
        const std::uint32_t end = m_nodes[id + 1].m_nFirstRule;
        if (!wholeOnly || node.m_bWhole)
            add(std::span<const std::uint32_t>(m_rules.data() + node.m_nFirstRule, end - node.m_nFirstRule));
        if (depth == rest.size() || node.m_nChildren == 0)
            break;
        id = FindChild(node, static_cast<unsigned char>(rest[depth++]));
    }
    if (!merged)
        return found;
    // Each node's rules are in order; keys of different lengths interleave.
    std::sort(scratch.begin(), scratch.end());
    return scratch;
}
