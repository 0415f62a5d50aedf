#ifndef CHIRPWELL_ENGINE_SMILE_RULETRIE_H
#define CHIRPWELL_ENGINE_SMILE_RULETRIE_H

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "engine/smile/SmileRule.h"

// A trie over the keys of a rule table's lists, so that the rules matching at a text
// position are found in the length of the match instead of by comparing every rule.
// It holds indices into the lists (a rule's place in the list of its key's first
// byte, the empty key under byte 0), not the rules, and must be built again after
// the lists change. Keys are CP932 bytes.
class CRuleTrie {
public:
    using CLists = std::array<std::vector<CSmileRule>, 256>;

    CRuleTrie() { m_roots.fill(kNone); }

    void Build(const CLists& lists);
    void Clear();

    // The rules of the list of rest's first byte (byte 0 when rest is empty, that is
    // past the end) whose key starts rest, as indices into that list in increasing
    // order: the rules' own order, duplicates each apart. With wholeOnly, keys whose
    // own CP932 walk ends inside a two-byte character are left out. Keys of several
    // lengths are merged in scratch; the result lasts until the next call.
    std::span<const std::uint32_t> FindMatches(std::string_view rest, bool wholeOnly,
                                               std::vector<std::uint32_t>& scratch) const;
    // False when no key can start rest, judged by its first two bytes.
    bool MayMatch(std::string_view rest) const
    {
        if (rest.size() < 2)
            return rest.empty() ? !m_emptyKeys.empty()
                                : m_roots[static_cast<unsigned char>(rest[0])] != kNone ||
                                      (rest[0] == '\0' && !m_emptyKeys.empty());
        const unsigned pair = static_cast<unsigned char>(rest[0]) << 8 | static_cast<unsigned char>(rest[1]);
        return (m_starts[pair / 64] >> (pair % 64) & 1) != 0 || (rest[0] == '\0' && !m_emptyKeys.empty());
    }

private:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

    // A prefix of some keys. Its children, one per next byte, are contiguous and in
    // increasing order of that byte; its rules are m_rules[m_nFirstRule] up to the
    // next node's m_nFirstRule.
    struct CNode {
        std::uint32_t m_nFirstChild = 0;
        std::uint32_t m_nFirstRule = 0;
        std::uint16_t m_nChildren = 0;
        std::uint8_t m_nByte = 0;  // the prefix's last byte
        bool m_bWhole = true;      // the prefix ends at the end of a character
    };

    std::uint32_t FindChild(const CNode& node, unsigned char byte) const;

    std::vector<CNode> m_nodes;          // then one node that only ends the last one's rules
    std::vector<std::uint32_t> m_rules;  // indices into the lists
    std::vector<std::uint32_t> m_emptyKeys;  // indices into list 0, in order
    std::array<std::uint32_t, 256> m_roots;  // the node of each first byte, or kNone
    // Bit 256 * a + b: a key starts with bytes a, b, or is the one byte a.
    std::array<std::uint64_t, 65536 / 64> m_starts{};
};

#endif
