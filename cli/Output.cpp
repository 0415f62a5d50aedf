#include "cli/Output.h"

#include <cerrno>
#include <system_error>

#include "engine/FileWriter.h"
#include "engine/Translation.h"

COutput::COutput(std::FILE* standardOutput) : m_pStandardOutput(standardOutput) {}

COutput::~COutput() = default;

void COutput::Add(const std::string& path, std::string content)
{
    m_pending.push_back({path, std::move(content), nullptr});
}

bool COutput::Commit(std::string& error)
{
    auto fail = [this, &error](const std::string& what, const std::error_code& code) {
        error = what + ": " + code.message();
        // The writers take their temporary files with them.
        m_pending.clear();
        return false;
    };
    // errno first: the translation is looked up after it.
    auto failStandardOutput = [&fail]() {
        const std::error_code code(errno, std::generic_category());
        return fail(Tr("standard output"), code);
    };
    std::error_code code;
    for (CPending& pending : m_pending) {
        if (pending.m_strPath.empty())
            continue;
        pending.m_pWriter = std::make_unique<CFileWriter>(pending.m_strPath);
        if (!pending.m_pWriter->Check(code))
            return fail(pending.m_strPath, code);
    }
    for (CPending& pending : m_pending) {
        if (pending.m_pWriter && pending.m_pWriter->IsReplaced() &&
            !pending.m_pWriter->WriteTemporary(pending.m_strContent, code))
            return fail(pending.m_strPath, code);
    }
    for (CPending& pending : m_pending) {
        if (pending.m_pWriter && !pending.m_pWriter->IsReplaced() &&
            !pending.m_pWriter->WriteInPlace(pending.m_strContent, code))
            return fail(pending.m_strPath, code);
    }
    for (const CPending& pending : m_pending) {
        if (!pending.m_pWriter &&
            std::fwrite(pending.m_strContent.data(), 1, pending.m_strContent.size(),
                        m_pStandardOutput) != pending.m_strContent.size())
            return failStandardOutput();
    }
    if (std::fflush(m_pStandardOutput) != 0)
        return failStandardOutput();
    for (CPending& pending : m_pending) {
        if (pending.m_pWriter && !pending.m_pWriter->Commit(code))
            return fail(pending.m_strPath, code);
    }
    return true;
}
