#ifndef CHIRPWELL_DOCUMENT_RECENTFILELIST_H
#define CHIRPWELL_DOCUMENT_RECENTFILELIST_H

#include <cstddef>
#include <string>
#include <vector>

class IProfile;

// The files opened last, most recent first, at most eight, kept in the profile's
// "Recent File List" section as "File1" to "File8". Paths are file-system bytes.
class CRecentFileList {
public:
    static constexpr std::size_t kSize = 8;

    // Puts path at the top, once.
    void Add(const std::string& path);
    void Remove(std::size_t index);
    const std::vector<std::string>& Entries() const { return m_entries; }

    void Load(IProfile& profile);
    void Save(IProfile& profile) const;

private:
    std::vector<std::string> m_entries;
};

// A path shortened to at most maxChars characters for a menu: the home folder as
// "~", then the first folder, "...", and as many trailing folders as fit before the
// file name; the file name alone when even that is too long.
std::string AbbreviatePath(const std::string& path, const std::string& home,
                           std::size_t maxChars = 30);

// The menu text of entry index (from 0): "&1 " and the abbreviated path, with any
// '&' of the path doubled so that it shows.
std::string RecentFileMenuText(std::size_t index, const std::string& path,
                               const std::string& home);

// The status-bar prompt of entry index (from 0), CP932.
std::string RecentFilePrompt(std::size_t index);

#endif
