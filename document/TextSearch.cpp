#include "document/TextSearch.h"

#include "engine/text/Cp932.h"

namespace {

char Fold(char byte)
{
    return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : byte;
}

bool MatchesAt(std::string_view text, std::size_t at, std::string_view needle, bool matchCase)
{
    if (at + needle.size() > text.size())
        return false;
    std::size_t i = 0;
    while (i < needle.size()) {
        const bool pair = IsLeadByte(static_cast<unsigned char>(needle[i])) && i + 1 < needle.size();
        if (pair) {
            if (text[at + i] != needle[i] || text[at + i + 1] != needle[i + 1])
                return false;
            i += 2;
        } else {
            const char a = text[at + i];
            const char b = needle[i];
            // A text byte that starts a character cannot stand for a single one.
            if (IsLeadByte(static_cast<unsigned char>(a)) && at + i + 1 < text.size())
                return false;
            if (matchCase ? a != b : Fold(a) != Fold(b))
                return false;
            ++i;
        }
    }
    return true;
}

}  // namespace

std::optional<CSelection> FindText(std::string_view text, std::string_view needle,
                                   CSelection from, bool matchCase, bool up)
{
    if (needle.empty())
        return std::nullopt;
    std::optional<CSelection> found;
    std::size_t at = 0;
    while (at < text.size()) {
        if (up && at >= from.m_nStart)
            break;
        if ((up || at >= from.m_nEnd) && MatchesAt(text, at, needle, matchCase)) {
            found = CSelection{at, at + needle.size()};
            if (!up)
                break;
        }
        at += IsLeadByte(static_cast<unsigned char>(text[at])) ? 2 : 1;
    }
    return found;
}
