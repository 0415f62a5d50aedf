#ifndef CHIRPWELL_CLI_OUTPUT_H
#define CHIRPWELL_CLI_OUTPUT_H

#include <string>
#include <vector>

// The files one run writes, written whole or not at all: each goes to a temporary
// file beside its target first, and the targets are replaced only once every
// content is on disk. An empty path stands for standard output, written after the
// temporary files and before the targets are replaced.
class COutput {
public:
    void Add(const std::string& path, std::string content);
    // False with a message when anything could not be written; then no target
    // has changed.
    bool Commit(std::string& error);

private:
    struct CPending {
        std::string m_strPath;
        std::string m_strContent;
        std::string m_strTemporary;
    };
    std::vector<CPending> m_pending;
};

#endif
