#include "engine/smile/SmileRule.h"

void CSmileRule::SetRule(const std::string& key, const std::string& replacement)
{
    m_strKey = ResolveEscapes(key);
    m_strReplacement = ResolveEscapes(replacement);
    m_nReplacementLength = static_cast<int>(m_strReplacement.size());
}

std::string ResolveEscapes(const std::string& written)
{
    std::string resolved;
    resolved.reserve(written.size());
    std::size_t from = 0;
    for (;;) {
        const std::size_t mark = written.find('#', from);
        if (mark == std::string::npos)
            break;
        resolved.append(written, from, mark - from);
        // The byte after "#" is taken alone, even when it starts a two-byte character.
        if (mark + 1 < written.size()) {
            const char escaped = written[mark + 1];
            if (escaped == '#')
                resolved += '#';
            else if (escaped == 'n')
                resolved += "\r\n";
        }
        from = mark + 2;
        if (from >= written.size())
            return resolved;
    }
    resolved.append(written, from, std::string::npos);
    return resolved;
}
