#include "cli/Output.h"

#include <cerrno>

#include "engine/files/FileWriter.h"
#include "engine/files/WriteSignals.h"
#include "engine/text/TextFormat.h"
#include "programs/Translation.h"

COutput::COutput(std::FILE* standardOutput, IFileSystem& files)
    : m_pStandardOutput(standardOutput), m_files(files)
{
}

COutput::~COutput() = default;

void COutput::Add(const std::string& path, std::string content)
{
    m_pending.push_back({path, std::move(content), nullptr});
}

bool COutput::Commit(std::string& error)
{
    CWriteSession session;
    const bool done = WriteEach(error);
    // Every writer lets go of what it holds before the session ends.
    for (CPending& pending : m_pending)
        pending.m_pWriter.reset();
    return done;
}

bool COutput::WriteEach(std::string& error)
{
    std::error_code code;
    for (CPending& pending : m_pending) {
        if (pending.m_strPath.empty())
            continue;
        pending.m_pWriter = std::make_unique<CFileWriter>(pending.m_strPath, m_files);
        if (!pending.m_pWriter->Check(code)) {
            error = Failure(pending, code);
            return false;
        }
    }
    std::vector<CPending*> files;
    for (CPending& pending : m_pending) {
        if (!pending.m_pWriter || pending.m_pWriter->IsStream())
            continue;
        if (!pending.m_pWriter->Prepare(pending.m_strContent, code)) {
            error = Failure(pending, code);
            return false;
        }
        files.push_back(&pending);
    }
    for (CPending& pending : m_pending) {
        bool written = true;
        if (!pending.m_pWriter) {
            written = WriteStandardOutput(pending);
            code = std::error_code(errno, std::generic_category());
        } else if (pending.m_pWriter->IsStream()) {
            written = pending.m_pWriter->WriteStream(pending.m_strContent, code);
        }
        if (!written) {
            error = Failure(pending, code);
            return false;
        }
    }
    // Each file but the last keeps its old content at hand until all are done.
    for (std::size_t done = 0; done < files.size(); ++done) {
        if (files[done]->m_pWriter->Commit(done + 1 < files.size(), code))
            continue;
        error = Failure(*files[done], code);
        while (done-- > 0) {
            if (!files[done]->m_pWriter->Undo(code))
                error += "; " + FormatMessage(Tr("not put back: %1"), Failure(*files[done], code));
        }
        return false;
    }
    for (CPending* file : files)
        file->m_pWriter->Finish();
    return true;
}

bool COutput::WriteStandardOutput(const CPending& pending)
{
    CStreamWait wait;
    return std::fwrite(pending.m_strContent.data(), 1, pending.m_strContent.size(),
                       m_pStandardOutput) == pending.m_strContent.size() &&
           std::fflush(m_pStandardOutput) == 0;
}

std::string COutput::Failure(const CPending& pending, const std::error_code& code) const
{
    // Another run holds the file for longer than a write takes.
    const std::string reason =
        code.value() == EWOULDBLOCK ? Tr("another program is writing it") : code.message();
    if (!pending.m_pWriter)
        return std::string(Tr("standard output")) + ": " + reason;
    if (!pending.m_pWriter->KeptCopy().empty())
        return FormatMessage(Tr("%1: %2; its old content is kept in %3"), pending.m_strPath,
                             reason, pending.m_pWriter->KeptCopy());
    return pending.m_strPath + ": " + reason;
}
