#ifndef CHIRPWELL_DOCUMENT_IDOCFRAME_H
#define CHIRPWELL_DOCUMENT_IDOCFRAME_H

#include <string>

#include "engine/text/Encoding.h"

// What the document tells the window and the application around it. Paths are
// file-system bytes.
class IDocFrame {
public:
    virtual ~IDocFrame() = default;
    // The document now has this path (empty: untitled); the title follows it.
    virtual void OnPathNameChanged(const std::string& path) = 0;
    // A file was opened or saved under path and belongs at the top of the list.
    virtual void AddToRecentFileList(const std::string& path) = 0;
    // The text now comes from, or was saved in, this encoding; the status bar says so.
    virtual void OnEncodingChanged(EEncoding encoding) = 0;
    // A lasting notice for the status bar, CP932; empty when there is none.
    virtual void ShowSmileSetNotice(const std::string& notice) = 0;
};

#endif
