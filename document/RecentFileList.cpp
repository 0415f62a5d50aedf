#include "document/RecentFileList.h"

#include <algorithm>

#include "document/DocTexts.h"
#include "document/WindowKeys.h"
#include "engine/IProfile.h"
#include "engine/text/Cp932.h"

namespace {

constexpr char kEllipsis[] = "/...";

std::string KeyFor(std::size_t index)
{
    return kRecentFileKeyPrefix + std::to_string(index + 1);
}

// Characters of UTF-8 text; bytes that are no UTF-8 count one each.
std::size_t CharacterCount(std::string_view text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

}  // namespace

void CRecentFileList::Add(const std::string& path)
{
    const auto found = std::find(m_entries.begin(), m_entries.end(), path);
    if (found != m_entries.end())
        m_entries.erase(found);
    m_entries.insert(m_entries.begin(), path);
    if (m_entries.size() > kSize)
        m_entries.resize(kSize);
}

void CRecentFileList::Remove(std::size_t index)
{
    if (index < m_entries.size())
        m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
}

void CRecentFileList::Load(IProfile& profile)
{
    m_entries.clear();
    for (std::size_t i = 0; i < kSize; ++i) {
        const std::string path = profile.GetProfileString(kRecentFileSection, KeyFor(i), std::string());
        if (!path.empty() && std::find(m_entries.begin(), m_entries.end(), path) == m_entries.end())
            m_entries.push_back(path);
    }
}

void CRecentFileList::Save(IProfile& profile) const
{
    // Every slot is written, so an entry that left the list leaves the profile too.
    for (std::size_t i = 0; i < kSize; ++i)
        profile.WriteProfileString(kRecentFileSection, KeyFor(i),
                                   i < m_entries.size() ? m_entries[i] : std::string());
}

std::string AbbreviatePath(const std::string& path, const std::string& home,
                           std::size_t maxChars)
{
    std::string shown = path;
    if (!home.empty() && home != "/" && shown.size() > home.size() &&
        shown.compare(0, home.size(), home) == 0 && shown[home.size()] == '/')
        shown = "~" + shown.substr(home.size());
    if (CharacterCount(shown) <= maxChars)
        return shown;

    const std::size_t lastSlash = shown.rfind('/');
    if (lastSlash == std::string::npos)
        return shown;
    const std::string name = shown.substr(lastSlash + 1);
    // The head is the first folder, with the root or "~" before it.
    const std::size_t headEnd = shown.find('/', shown[0] == '/' ? 1 : 0);
    if (headEnd == std::string::npos || headEnd >= lastSlash)
        return name;
    const std::string head = shown.substr(0, headEnd);
    const std::size_t fixed = CharacterCount(head) + CharacterCount(kEllipsis);
    if (fixed + 1 + CharacterCount(name) > maxChars)
        return name;
    // Drop leading folders of the tail until it fits.
    std::size_t tail = headEnd;
    while (fixed + CharacterCount(std::string_view(shown).substr(tail)) > maxChars)
        tail = shown.find('/', tail + 1);
    return head + kEllipsis + shown.substr(tail);
}

std::string RecentFileMenuText(std::size_t index, const std::string& path,
                               const std::string& home)
{
    std::string text = "&" + std::to_string(index + 1) + " ";
    for (const char c : AbbreviatePath(path, home)) {
        if (c == '&')
            text += '&';
        text += c;
    }
    return text;
}

std::string RecentFilePrompt(std::size_t index)
{
    return Cp932Text(kRecentFilePrompts[index % CRecentFileList::kSize]);
}
