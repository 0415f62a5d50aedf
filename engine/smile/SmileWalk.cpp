#include "engine/smile/SmileWalk.h"

#include <algorithm>
#include <array>
#include <span>

#include "engine/Limits.h"
#include "engine/smile/DrawScanner.h"
#include "engine/smile/Random.h"
#include "engine/smile/RuleTable.h"
#include "engine/text/Cp932.h"

namespace {

// Where a CP932 walk over bytes ends: their length, or one past it when the last
// byte is a lead byte whose second byte lies beyond.
std::size_t WalkEnd(std::string_view bytes)
{
    std::size_t at = 0;
    while (at < bytes.size())
        at += IsLeadByte(static_cast<unsigned char>(bytes[at])) ? 2 : 1;
    return at;
}

// Whether value, a draw's number (below 32768), is a multiple of divisor: for
// divisors up to 64 by one product with ceil(2^32 / divisor), whose low 32 bits
// then fall below that number exactly for the multiples; no branch on the value.
struct CDivisorTable {
    std::array<std::uint64_t, 65> m_reciprocals;
};

constexpr CDivisorTable MakeDivisorTable()
{
    CDivisorTable table{};
    for (std::uint64_t divisor = 1; divisor <= 64; ++divisor)
        table.m_reciprocals[divisor] = ((std::uint64_t{1} << 32) + divisor - 1) / divisor;
    return table;
}

constexpr CDivisorTable kDivisors = MakeDivisorTable();

inline bool IsMultiple(std::uint32_t value, std::uint32_t divisor)
{
    if (divisor > 64)
        return value % divisor == 0;
    const std::uint64_t reciprocal = kDivisors.m_reciprocals[divisor];
    return ((value * reciprocal) & 0xFFFFFFFFu) < reciprocal;
}

}  // namespace

CSmileWalk::CSmileWalk(const CRuleTable& rules, CRandom& random, int frequency,
                       bool wholeCharacters, CSmilePlaceList& places, IProgress& progress)
    : m_rules(rules),
      m_trie(rules.Trie()),
      m_random(random),
      m_places(places),
      m_meter(progress),
      m_nFrequency(frequency),
      m_bWholeCharacters(wholeCharacters)
{
}

bool CSmileWalk::Run(std::string_view source, std::string& result, std::size_t maxLength)
{
    bool done = true;
    Walk(source, result, maxLength, source.size() + 1, true, done);
    return done;
}

std::size_t CSmileWalk::RunPart(std::string_view source, std::string& result,
                                std::size_t lookahead, bool last)
{
    const std::size_t size = source.size();
    std::size_t visitEnd = size + 1;
    if (!last)
        visitEnd = size >= lookahead ? size - lookahead + 1 : 0;
    // A stream has no length to measure its progress against.
    bool done = true;
    const std::size_t taken = Walk(source, result, kNoLimit, visitEnd, false, done);
    if (m_bWholeCharacters) {
        // The next part starts at taken: the character start must lie in it.
        IsCharacterStart(source, taken);
        m_nCharacterStart -= taken;
    }
    return taken;
}

std::size_t CSmileWalk::Walk(std::string_view source, std::string& result, std::size_t maxLength,
                             std::size_t visitEnd, bool metered, bool& done)
{
    const std::size_t size = source.size();
    const std::size_t start = result.size();
    CDrawScanner draws(m_random.State(), m_nFrequency);
    std::size_t read = 0;    // source[read..] is the text behind the next position
    std::size_t copied = 0;  // source[copied..read) is kept but not yet in result
    while (read < visitEnd) {
        // Until the next replacement every position adds one byte and takes one.
        const std::size_t position = result.size() - start + (read - copied);
        const std::size_t length = position + (size - read);
        // Positions read up to visitEnd, the end included when it is size + 1, each
        // draw once; a pass where no key starts draws nothing more, so the walk goes
        // on past it.
        const std::size_t remaining = visitEnd - read;
        std::size_t count = remaining;
        std::uint64_t passes = draws.Ahead(count);
        std::size_t tried = count;
        while (passes != 0) {
            const auto k = static_cast<std::size_t>(__builtin_ctzll(passes));
            if (m_trie.MayMatch(source.substr(read + k))) {
                tried = k;
                break;
            }
            passes &= passes - 1;
        }
        if (tried == count) {
            draws.Use(count);
            if (metered)
                m_meter.Span(position, position + count, length);
            read += count;
            continue;
        }
        draws.Use(tried + 1);
        if (metered)
            m_meter.Span(position, position + tried + 1, length);
        read += tried;
        if (const CSmileRule* rule = Pick(source, read, draws)) {
            const std::size_t keyLength = rule->m_strKey.size();
            const std::size_t replacementLength = rule->m_strReplacement.size();
            if (length - keyLength + replacementLength > maxLength) {
                done = false;
                break;
            }
            result.append(source.substr(copied, read - copied));
            m_places.push_back({m_nSmiled + result.size() - start, replacementLength});
            result += rule->m_strReplacement;
            if (m_bWholeCharacters)
                Replaced(read, *rule);
            read += keyLength;
            copied = read;
            // An empty key put nothing in place of nothing: trying the same position
            // again would never end, so the walk moves on as if it had passed.
            if (keyLength != 0 || replacementLength != 0)
                continue;
        }
        ++read;
    }
    const std::size_t taken = done ? std::min(read, size) : size;
    result.append(source.substr(copied, taken - copied));
    m_nSmiled += result.size() - start;
    m_random.Seed(draws.State());
    return taken;
}

const CSmileRule* CSmileWalk::Pick(std::string_view source, std::size_t at, CDrawScanner& draws)
{
    const std::string_view rest = source.substr(at);
    const unsigned char first = rest.empty() ? 0 : static_cast<unsigned char>(rest[0]);
    if (m_bWholeCharacters && !IsCharacterStart(source, at))
        return nullptr;
    const std::span<const std::uint32_t> matches =
        m_trie.FindMatches(rest, m_bWholeCharacters, m_matches);
    if (matches.empty())
        return nullptr;
    // One draw per matching rule; the last rule whose draw is a multiple of its count
    // so far is the one.
    const std::vector<CSmileRule>& list = m_rules.Lookup(first);
    std::uint32_t state = draws.State();
    std::uint32_t chosen = matches[0];
    std::uint32_t count = 0;
    for (const std::uint32_t index : matches) {
        state = state * CRandom::kMultiplier + CRandom::kIncrement;
        const auto value = static_cast<std::uint32_t>(CRandom::ValueOf(state));
        chosen = IsMultiple(value, ++count) ? index : chosen;
    }
    const CSmileRule* choice = &list[chosen];
    draws.Restart(state);
    return choice;
}

bool CSmileWalk::IsCharacterStart(std::string_view source, std::size_t at)
{
    if (at < m_nCharacterStart)
        return false;
    // The byte after one that is no lead byte starts a character, whether that byte
    // was a character or a second byte; from there lead bytes pair up.
    std::size_t from = at;
    while (from > m_nCharacterStart && IsLeadByte(static_cast<unsigned char>(source[from - 1])))
        --from;
    const bool start = (at - from) % 2 == 0;
    m_nCharacterStart = start ? at : at + 1;
    return start;
}

void CSmileWalk::Replaced(std::size_t at, const CSmileRule& rule)
{
    // The replacement started a character; its walk may take the next byte.
    const std::size_t end = WalkEnd(rule.m_strReplacement);
    m_nCharacterStart = at + rule.m_strKey.size() + (end - rule.m_strReplacement.size());
}
