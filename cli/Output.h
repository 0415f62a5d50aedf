#ifndef CHIRPWELL_CLI_OUTPUT_H
#define CHIRPWELL_CLI_OUTPUT_H

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class CFileWriter;

// The files one run writes, so that nothing is written unless everything can be,
// as far as the system allows: every target is checked; every regular file that is
// replaced gets its temporary file; then what cannot be taken back is written
// (files rewritten in place, devices, FIFOs, standard output); last the temporary
// files are renamed into place. A failure before the renames removes the temporary
// files. The standard output stream must outlive this.
class COutput {
public:
    explicit COutput(std::FILE* standardOutput);
    ~COutput();
    COutput(const COutput&) = delete;
    COutput& operator=(const COutput&) = delete;

    // An empty path stands for standard output.
    void Add(const std::string& path, std::string content);
    // False with a message naming the target when anything could not be written.
    bool Commit(std::string& error);

private:
    struct CPending {
        std::string m_strPath;
        std::string m_strContent;
        std::unique_ptr<CFileWriter> m_pWriter;  // none for standard output
    };
    std::FILE* m_pStandardOutput;
    std::vector<CPending> m_pending;
};

#endif
