#ifndef CHIRPWELL_ENGINE_FILEWRITER_H
#define CHIRPWELL_ENGINE_FILEWRITER_H

#include <string>
#include <system_error>

#include <sys/types.h>

// Writes one file as a careful editor does, through symbolic links to their final
// target. A regular file is replaced whole: a temporary file beside it takes the
// content and the old file's permissions (as root also its owner and group), is
// renamed over it, and the folder is synced. A file with other hard links, one in a
// folder the user may not write into, or one of another owner is rewritten in
// place instead, since a rename would split its links, is not allowed, or could not
// keep its owner. A device or FIFO is written directly, never replaced. What the
// user could not write in place is refused. Paths are file-system bytes.
//
// The steps are apart so that a caller with several targets can take each step for
// all of them before the next: Check; WriteTemporary or WriteInPlace; Commit. A
// temporary file that was not committed goes with the writer.
class CFileWriter {
public:
    explicit CFileWriter(std::string path);
    ~CFileWriter();
    CFileWriter(const CFileWriter&) = delete;
    CFileWriter& operator=(const CFileWriter&) = delete;

    // Finds the final target and how it is written. False with the system's reason
    // when the write would be refused.
    bool Check(std::error_code& error);
    // After Check: true when the target is replaced through a temporary file, so
    // that it stays as it is until Commit.
    bool IsReplaced() const { return m_eWay == EWay::Replace; }
    // For a replaced target: writes content to the temporary file and syncs it.
    bool WriteTemporary(const std::string& content, std::error_code& error);
    // For any other target: writes content into the target itself, which cannot be
    // taken back.
    bool WriteInPlace(const std::string& content, std::error_code& error);
    // Renames the temporary file over the target and syncs the folder; true at once
    // for a target written in place.
    bool Commit(std::error_code& error);
    // Every step, for a caller with this one target.
    bool Write(const std::string& content, std::error_code& error);

    // The final target, once checked.

private:
    enum class EWay { Unchecked, Replace, Rewrite, Stream };
    // Gives the temporary file the old file's owner, group and permissions, or a
    // new file's permissions.
    void KeepOwnerAndMode(int fd) const;
    void RemoveTemporary();

    std::string m_strPath;
    std::string m_strTarget;
    std::string m_strTemporary;  // until renamed into place
    EWay m_eWay = EWay::Unchecked;
    bool m_bExists = false;
    mode_t m_nMode = 0;  // of the old file, when it exists
    uid_t m_nOwner = 0;
    gid_t m_nGroup = 0;
};

#endif
