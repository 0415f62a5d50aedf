#include "document/DocumentFile.h"

#include <cerrno>
#include <system_error>

#include "document/DocTexts.h"
#include "document/IPrompter.h"
#include "engine/EngineTexts.h"
#include "engine/files/FileWriter.h"
#include "engine/files/TextFile.h"
#include "engine/text/Codec.h"
#include "engine/text/Cp932.h"
#include "engine/text/EncodingDetector.h"
#include "engine/text/TextFormat.h"

namespace {

// The user's words for why a file could not be read or written, CP932. Paths are
// shown as the file system has them; a name that is no valid text shows as is.
std::string Reason(const std::error_code& error)
{
    if (error == EReadError::NotRegularFile)
        return Cp932Text(kReasonNotRegularFile);
    switch (error.value()) {
    case ENOENT:
    case ENOTDIR:
        return Cp932Text(kReasonNotFound);
    case EACCES:
    case EPERM:
    case EROFS:
        return Cp932Text(kReasonAccessDenied);
    case EISDIR:
        return Cp932Text(kReasonIsFolder);
    case EWOULDBLOCK:
        return Cp932Text(kReasonBusy);
    case ENOSPC:
    case EDQUOT:
        return Cp932Text(kReasonDiskFull);
    default: {
        std::string reason;
        return Utf8ToCp932(error.message(), reason) ? reason : std::string();
    }
    }
}

// The encoding the user named, none to detect.
std::optional<EEncoding> NamedEncoding(EReadEncoding how, bool detect)
{
    switch (how) {
    case EReadEncoding::AsSettingsSay:
        return detect ? std::nullopt : std::optional(EEncoding::ShiftJis);
    case EReadEncoding::Detect:
        return std::nullopt;
    case EReadEncoding::ShiftJis:
        return EEncoding::ShiftJis;
    case EReadEncoding::Utf8:
        return EEncoding::Utf8;
    case EReadEncoding::EucJp:
        return EEncoding::EucJp;
    case EReadEncoding::Iso2022Jp:
        return EEncoding::Iso2022Jp;
    case EReadEncoding::Utf16:
    case EReadEncoding::Utf16Le:
        return EEncoding::Utf16Le;
    case EReadEncoding::Utf16Be:
        return EEncoding::Utf16Be;
    case EReadEncoding::ShiftJis2004:
        return EEncoding::ShiftJis2004;
    case EReadEncoding::EucJis2004:
        return EEncoding::EucJis2004;
    }
    return EEncoding::ShiftJis;
}

}  // namespace

bool CDocumentFile::Read(const std::string& path, std::size_t limit, EReadEncoding how,
                         bool detect, CCodec& codec, std::string& text, EEncoding& encoding)
{
    std::error_code error;
    std::string bytes;
    if (!ReadFileBytes(path, bytes, error, limit)) {
        m_prompter.ShowMessage(
            error == EReadError::TooLarge
                ? Cp932Text(kMsgFileTooLarge)
                : FormatMessage(Cp932Text(kMsgCannotOpen), PathForMessage(path), Reason(error)));
        return false;
    }
    EEncoding read = EEncoding::ShiftJis;
    CTextFault fault;
    if (!codec.ReadText(bytes, NamedEncoding(how, detect), read, fault)) {
        m_prompter.ShowMessage(DecodingFaultMessage(path, read, fault));
        return false;
    }
    // EUC-JP's one-byte C1 characters take two bytes here.
    if (bytes.size() > limit) {
        m_prompter.ShowMessage(Cp932Text(kMsgFileTooLarge));
        return false;
    }
    text = std::move(bytes);
    encoding = read;
    return true;
}

bool CDocumentFile::Write(const std::string& path, const std::string& text, EEncoding encoding,
                          const CCodec& codec)
{
    std::string bytes;
    CTextFault fault;
    if (!codec.Encode(text, encoding, bytes, fault)) {
        // A character shows as its own unit, which the prompter shows with the
        // document's codes; bytes that are no character, in hex.
        const std::string unit = text.substr(fault.m_nOffset, fault.m_nLength);
        const CTextPlace place = PlaceInBytes(text, EEncoding::ShiftJis, fault.m_nOffset);
        m_prompter.ShowMessage(FormatMessage(
            Cp932Text(kMsgCannotEncode), fault.m_character != 0 ? unit : HexBytes(unit),
            std::to_string(place.m_nLine), std::to_string(place.m_nColumn),
            EncodingName(encoding)));
        return false;
    }
    std::error_code error;
    CFileWriter writer(path);
    if (writer.Write(bytes, error))
        return true;
    std::string message =
        FormatMessage(Cp932Text(kMsgCannotSave), PathForMessage(path), Reason(error));
    if (!writer.KeptCopy().empty())
        message += "\n" + FormatMessage(Cp932Text(kMsgOldContentKept),
                                        PathForMessage(writer.KeptCopy()));
    m_prompter.ShowMessage(message);
    return false;
}
