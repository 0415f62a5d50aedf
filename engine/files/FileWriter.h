#ifndef CHIRPWELL_ENGINE_FILES_FILEWRITER_H
#define CHIRPWELL_ENGINE_FILES_FILEWRITER_H

#include <string>
#include <string_view>
#include <system_error>

#include <sys/stat.h>

#include "engine/files/IFileSystem.h"

// Writes one file so that nothing is lost and no one gains access, through symbolic
// links to their final target:
// - A regular file is replaced: a temporary file beside it takes the content, then
//   the old file's owner, group, ACL, extended attributes and mode (set-id bits
//   included, set after the data), is synced and renamed over it; the folder is
//   synced. A new file is made as any program's: 0666 less the umask, or what the
//   folder's default ACL gives.
// - A regular file that a rename would harm is rewritten in place: one with other
//   hard links, in a folder the user may not write, of another owner, or mounted
//   where it is. Its old content is first copied aside (0600, beside it or in the
//   user's cache folder), room is reserved where the file system can, and the old
//   content is put back when the rewrite fails; the copy goes once all is done. Two
//   writers of such a file take turns (flock), waiting 5 seconds at most.
// - Pipes, FIFOs, devices and the descriptors named by /dev/stdout, /dev/fd/N and
//   the like are written directly, at their own place, and cannot be taken back.
// Paths are file-system bytes; the file system port must outlive the writer.
//
// The steps are apart so that a caller with several targets can take each for all
// of them before the next and change nothing unless everything can be done: Check;
// Prepare (the temporary file written, or the old content copied aside); WriteStream
// (streams only); Commit (the rename, or the rewrite); Undo, while the caller still
// may; Finish. Content that comes a part at a time, too much to hold, takes Open and
// Append in place of Prepare and WriteStream; a file rewritten in place cannot take
// it, as its old content must stay until the new is whole. Run the steps inside a
// CWriteSession (engine/WriteSignals.h), which must outlive the writer's last step.
class CFileWriter {
public:
    explicit CFileWriter(std::string path, IFileSystem& files = SystemFileSystem());
    ~CFileWriter();
    CFileWriter(const CFileWriter&) = delete;
    CFileWriter& operator=(const CFileWriter&) = delete;

    // Finds the final target and how it is written; false with the system's reason
    // when the write would be refused.
    bool Check(std::error_code& error);
    // After Check: true for a target written directly, and for one that would be
    // rewritten in place.
    bool IsStream() const { return m_eWay == EWay::Stream || m_eWay == EWay::Descriptor; }
    bool RewritesInPlace() const { return m_eWay == EWay::Rewrite; }
    // For a file: the temporary file written whole, or the old content copied aside
    // and the target locked. content must stay as it is until Commit.
    bool Prepare(const std::string& content, std::error_code& error);
    // For a stream: content written, at once.
    bool WriteStream(const std::string& content, std::error_code& error);
    // For content in parts, to a file replaced or a stream: the temporary file made,
    // or the stream opened; then each part added, to the stream at once.
    bool Open(std::error_code& error);
    bool Append(std::string_view part, std::error_code& error);
    // For a file: the content put in place. With undoable the old content stays at
    // hand for Undo until Finish.
    bool Commit(bool undoable, std::error_code& error);
    // After an undoable Commit: the old content back.
    bool Undo(std::error_code& error);
    // Lets go of the old content, the lock and what else the writer holds; takes
    // back what was begun and not committed.
    void Finish();
    // Every step, for a caller with this one target, in its own session.
    bool Write(const std::string& content, std::error_code& error);

    // Where the old content was kept when putting it back failed; else empty.
    const std::string& KeptCopy() const { return m_strKeptCopy; }

private:
    enum class EWay { Unchecked, Replace, Rewrite, Stream, Descriptor };

    bool PrepareTemporary(std::error_code& error);
    // The temporary file written so far given the old file's permissions and
    // synced, then closed; removed when that fails.
    bool SealTemporary(int fd, std::error_code& error);
    bool CarryOver(int fd);
    bool PrepareRewrite(std::error_code& error);
    bool TakeTurn();
    bool CopyAside();
    bool Rewrite(std::error_code& error);
    bool PutBack();
    bool KeepSetId(int fd);
    bool Replace(bool undoable, std::error_code& error);
    bool LinkAside();
    void SyncFolder(const std::string& folder);
    void Remove(std::string& path);
    void CloseFile(int& fd);

    IFileSystem& m_files;
    std::string m_strPath;
    std::string m_strTarget;
    EWay m_eWay = EWay::Unchecked;
    const std::string* m_pContent = nullptr;
    bool m_bExists = false;
    struct stat m_old {};           // the target as Check found it, or as locked
    int m_nDescriptor = -1;         // a descriptor the path names, not ours
    std::string m_strTemporary;     // the new content, until renamed into place
    std::string m_strAside;         // the old file under a second name, for Undo
    int m_nFile = -1;               // the target, locked, while rewritten in place
    int m_nAppend = -1;             // what Append writes to
    bool m_bOwnAppend = false;      // opened by Open, so closed by the writer
    std::string m_strCopy;          // the old content of a target rewritten in place
    int m_nCopy = -1;
    off_t m_nOldSize = 0;
    bool m_bCommitted = false;
    std::string m_strKeptCopy;
};

#endif
