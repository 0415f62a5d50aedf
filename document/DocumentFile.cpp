#include "document/DocumentFile.h"

#include <cerrno>
#include <system_error>

#include "document/DocTexts.h"
#include "document/IPrompter.h"
#include "engine/Cp932.h"
#include "engine/EncodingDetector.h"
#include "engine/EngineTexts.h"
#include "engine/FileWriter.h"
#include "engine/TextFile.h"
#include "engine/TextFormat.h"
#include "engine/Transcoder.h"

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
    case ENOSPC:
    case EDQUOT:
        return Cp932Text(kReasonDiskFull);
    default: {
        std::string reason;
        return Utf8ToCp932(error.message(), reason) ? reason : std::string();
    }
    }
}

// A character for a message: its own CP932 unit, which the prompter shows with the
// document's codes, or the bytes in hex when they are no character.
std::string CharacterForMessage(std::string_view unit, char32_t character)
{
    if (character != 0)
        return std::string(unit);
    std::string hex;
    for (const char byte : unit) {
        static constexpr char kDigits[] = "0123456789ABCDEF";
        const auto value = static_cast<unsigned char>(byte);
        hex += std::string("<") + kDigits[value >> 4] + kDigits[value & 0xF] + ">";
    }
    return hex;
}

EEncoding EncodingToRead(std::string_view bytes, EReadEncoding how, bool detect)
{
    switch (how) {
    case EReadEncoding::AsSettingsSay:
        return detect ? DetectEncoding(bytes) : EEncoding::ShiftJis;
    case EReadEncoding::Detect:
        return DetectEncoding(bytes);
    case EReadEncoding::ShiftJis:
        return EEncoding::ShiftJis;
    case EReadEncoding::Utf8:
        return Utf8Of(bytes);
    case EReadEncoding::EucJp:
        return EEncoding::EucJp;
    }
    return EEncoding::ShiftJis;
}

}  // namespace

std::string PathForMessage(const std::string& path)
{
    std::string shown;
    return Utf8ToCp932(path, shown) ? shown : path;
}

bool CDocumentFile::Read(const std::string& path, std::size_t limit, EReadEncoding how,
                         bool detect, std::string& text, EEncoding& encoding)
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
    // A zero byte would cut the view's text short, so the file is refused.
    if (bytes.find('\0') != std::string::npos) {
        m_prompter.ShowMessage(FormatMessage(Cp932Text(kMsgZeroByte), PathForMessage(path)));
        return false;
    }
    const EEncoding read = EncodingToRead(bytes, how, detect);
    std::string decoded;
    CTextFault fault;
    if (!DecodeText(bytes, read, m_codes, decoded, fault)) {
        if (fault.m_eKind == CTextFault::EKind::TooManyCharacters)
            m_prompter.ShowMessage(FormatMessage(Cp932Text(kMsgTooManyCharacters),
                                                 PathForMessage(path),
                                                 std::to_string(fault.m_nCount)));
        else
            m_prompter.ShowMessage(FormatMessage(Cp932Text(kMsgCannotDecode),
                                                 PathForMessage(path), EncodingName(read)));
        return false;
    }
    // EUC-JP's one-byte C1 characters take two bytes here.
    if (decoded.size() > limit) {
        m_prompter.ShowMessage(Cp932Text(kMsgFileTooLarge));
        return false;
    }
    text = std::move(decoded);
    encoding = read;
    return true;
}

bool CDocumentFile::Write(const std::string& path, const std::string& text, EEncoding encoding)
{
    std::string bytes;
    CTextFault fault;
    if (!EncodeText(text, encoding, m_codes, bytes, fault)) {
        std::size_t length = 0;
        UnitCharacter(std::string_view(text).substr(fault.m_nOffset), m_codes, length);
        m_prompter.ShowMessage(FormatMessage(
            Cp932Text(kMsgCannotEncode),
            CharacterForMessage(text.substr(fault.m_nOffset, length), fault.m_character),
            std::to_string(PlaceInText(text, fault.m_nOffset).m_nLine), EncodingName(encoding)));
        return false;
    }
    std::error_code error;
    CFileWriter writer(path);
    if (writer.Write(bytes, error))
        return true;
    m_prompter.ShowMessage(
        FormatMessage(Cp932Text(kMsgCannotSave), PathForMessage(path), Reason(error)));
    return false;
}
