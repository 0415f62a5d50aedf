#ifndef CHIRPWELL_CLI_OUTPUT_H
#define CHIRPWELL_CLI_OUTPUT_H

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "engine/files/IFileSystem.h"

class CFileWriter;

// The files one run writes, so that nothing is written unless everything can be:
// every target is checked; every file gets its temporary file, or its old content
// copied aside; then what cannot be taken back is written (devices, FIFOs, the
// descriptors that /dev/stdout and the like name, standard output); last the files
// are renamed or rewritten in place, all or none, a failure there taking back those
// done before it. Standard output and the file system must outlive this.
class COutput {
public:
    explicit COutput(std::FILE* standardOutput, IFileSystem& files = SystemFileSystem());
    ~COutput();
    COutput(const COutput&) = delete;
    COutput& operator=(const COutput&) = delete;

    // An empty path stands for standard output; its index.
    std::size_t Add(const std::string& path, std::string content = std::string());
    // False with a message naming the target and the reason when anything could not
    // be written, and where old content was kept when it could not be put back.
    bool Commit(std::string& error);

    // Content that comes in parts, too much to hold, in place of each Add's: Open
    // checks every target and opens it (a file's temporary file, a stream), refusing
    // a file that would be rewritten in place; Append adds a part, to standard
    // output and the streams at once; Commit puts the files in place. Inside a
    // CWriteSession from Open to Commit.
    bool Open(std::string& error);
    bool Append(std::size_t target, std::string_view part, std::string& error);

private:
    struct CPending {
        std::string m_strPath;
        std::string m_strContent;
        std::unique_ptr<CFileWriter> m_pWriter;  // none for standard output
    };
    bool CheckEach(std::string& error);
    bool WriteEach(std::string& error);
    bool CommitFiles(std::string& error);
    bool WriteStandardOutput(std::string_view content);
    std::string Failure(const CPending& pending, const std::error_code& code) const;

    std::FILE* m_pStandardOutput;
    IFileSystem& m_files;
    std::vector<CPending> m_pending;
    bool m_bOpened = false;
};

#endif
