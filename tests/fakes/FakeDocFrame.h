#ifndef CHIRPWELL_TESTS_FAKES_FAKEDOCFRAME_H
#define CHIRPWELL_TESTS_FAKES_FAKEDOCFRAME_H

#include <string>
#include <vector>

#include "document/IDocFrame.h"

// Records what the document tells the window around it.
class CFakeDocFrame : public IDocFrame {
public:
    void OnPathNameChanged(const std::string& path) override { m_pathNames.push_back(path); }
    void AddToRecentFileList(const std::string& path) override { m_recentFiles.push_back(path); }
    void OnEncodingChanged(EEncoding encoding) override { m_encodings.push_back(encoding); }
    void ShowSmileSetNotice(const std::string& notice) override { m_strNotice = notice; }

    std::vector<std::string> m_pathNames;
    std::vector<std::string> m_recentFiles;
    std::vector<EEncoding> m_encodings;
    std::string m_strNotice;
};

#endif
