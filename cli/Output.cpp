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

std::size_t COutput::Add(const std::string& path, std::string content)
{
    m_pending.push_back({path, std::move(content), nullptr});
    return m_pending.size() - 1;
}

bool COutput::Commit(std::string& error)
{
    CWriteSession session;
    const bool done = m_bOpened ? CommitFiles(error) : WriteEach(error);
    // Every writer lets go of what it holds before the session ends.
    for (CPending& pending : m_pending)
        pending.m_pWriter.reset();
    return done;
}

bool COutput::CheckEach(std::string& error)
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
    return true;
}

bool COutput::Open(std::string& error)
{
    m_bOpened = true;
    if (!CheckEach(error))
        return false;
    std::error_code code;
    for (CPending& pending : m_pending) {
        if (!pending.m_pWriter)
            continue;
        // Its old content would be gone before the new one is whole.
        if (pending.m_pWriter->RewritesInPlace()) {
            error = FormatMessage(
                Tr("%1: a file with other links, of another owner, in a folder you may not "
                   "write or mounted where it is must be rewritten in place, which --stream "
                   "cannot do; write to standard output instead"),
                pending.m_strPath);
            return false;
        }
        if (!pending.m_pWriter->Open(code)) {
            error = Failure(pending, code);
            return false;
        }
    }
    return true;
}

bool COutput::Append(std::size_t target, std::string_view part, std::string& error)
{
    const CPending& pending = m_pending[target];
    std::error_code code;
    bool written = true;
    if (!pending.m_pWriter) {
        written = WriteStandardOutput(part);
        code = std::error_code(errno, std::generic_category());
    } else {
        written = pending.m_pWriter->Append(part, code);
    }
    if (!written)
        error = Failure(pending, code);
    return written;
}

bool COutput::WriteEach(std::string& error)
{
    if (!CheckEach(error))
        return false;
    std::error_code code;
    for (CPending& pending : m_pending) {
        if (!pending.m_pWriter || pending.m_pWriter->IsStream())
            continue;
        if (!pending.m_pWriter->Prepare(pending.m_strContent, code)) {
            error = Failure(pending, code);
            return false;
        }
    }
    for (CPending& pending : m_pending) {
        bool written = true;
        if (!pending.m_pWriter) {
            written = WriteStandardOutput(pending.m_strContent);
            code = std::error_code(errno, std::generic_category());
        } else if (pending.m_pWriter->IsStream()) {
            written = pending.m_pWriter->WriteStream(pending.m_strContent, code);
        }
        if (!written) {
            error = Failure(pending, code);
            return false;
        }
    }
    return CommitFiles(error);
}

bool COutput::CommitFiles(std::string& error)
{
    std::error_code code;
    std::vector<CPending*> files;
    for (CPending& pending : m_pending) {
        if (!pending.m_pWriter)
            continue;
        if (!pending.m_pWriter->IsStream()) {
            files.push_back(&pending);
        } else if (!pending.m_pWriter->Commit(false, code)) {
            // A stream's commit only closes what Open opened.
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

bool COutput::WriteStandardOutput(std::string_view content)
{
    CStreamWait wait;
    return std::fwrite(content.data(), 1, content.size(), m_pStandardOutput) == content.size() &&
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
