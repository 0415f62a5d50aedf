#include "cli/Output.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

#include <unistd.h>

#include "engine/TextFile.h"

void COutput::Add(const std::string& path, std::string content)
{
    m_pending.push_back({path, std::move(content), std::string()});
}

bool COutput::Commit(std::string& error)
{
    auto fail = [this, &error](const std::string& what, const std::error_code& code) {
        error = what + ": " + code.message();
        for (const CPending& pending : m_pending) {
            if (!pending.m_strTemporary.empty())
                ::unlink(pending.m_strTemporary.c_str());
        }
        return false;
    };
    std::error_code code;
    for (CPending& pending : m_pending) {
        if (!pending.m_strPath.empty() &&
            !WriteTemporaryBeside(pending.m_strPath, pending.m_strContent,
                                  pending.m_strTemporary, code))
            return fail(pending.m_strPath, code);
    }
    for (const CPending& pending : m_pending) {
        if (pending.m_strPath.empty() &&
            std::fwrite(pending.m_strContent.data(), 1, pending.m_strContent.size(), stdout) !=
                pending.m_strContent.size())
            return fail("standard output", std::error_code(errno, std::generic_category()));
    }
    if (std::fflush(stdout) != 0)
        return fail("standard output", std::error_code(errno, std::generic_category()));
    for (const CPending& pending : m_pending) {
        if (!pending.m_strPath.empty() &&
            std::rename(pending.m_strTemporary.c_str(), pending.m_strPath.c_str()) != 0)
            return fail(pending.m_strPath, std::error_code(errno, std::generic_category()));
    }
    return true;
}
