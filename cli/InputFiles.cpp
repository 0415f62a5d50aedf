#include "cli/InputFiles.h"

#include <system_error>

#include "cli/FixedTexts.h"
#include "cli/Messages.h"
#include "engine/EngineTexts.h"
#include "engine/Limits.h"
#include "engine/files/TextFile.h"
#include "engine/smile/Converter.h"
#include "engine/text/TextFormat.h"
#include "programs/Translation.h"

namespace {

static_assert(kTextLimit == 1048575, "the messages name the text limit");

// Why a file could not be read, in the words of the command line.
std::string Reason(const std::error_code& error)
{
    if (error == EReadError::TooLarge)
        return Tr("larger than 1,048,575 bytes");
    if (error == EReadError::NotRegularFile)
        return Tr("not a regular file or a pipe");
    return error.message();
}

}  // namespace

bool ReadsStandardInput(const std::string& path)
{
    return path.empty() || path == "-";
}

std::string InputName(const std::string& path)
{
    return ReadsStandardInput(path) ? Tr("(standard input)") : path;
}

bool ReadInput(const std::string& path, std::FILE* standardInput, std::string& bytes,
               CMessages& messages)
{
    const std::string name = InputName(path);
    std::error_code error;
    const bool read = ReadsStandardInput(path)
                          ? ReadStreamBytes(standardInput, bytes, error, kTextLimit)
                          : ReadFileBytes(path, bytes, error, kTextLimit, EFileKinds::RegularOrPipe);
    if (!read) {
        if (error == EReadError::TooLarge)
            messages.Error(FormatMessage(Tr("%1: %2 (larger than 1,048,575 bytes)"), name,
                                         FixedText(kMsgFileTooLarge)));
        else
            messages.Error(name + ": " + Reason(error));
        return false;
    }
    return true;
}

bool ReadSmileFile(const std::string& path, std::string& bytes, CMessages& messages)
{
    std::error_code error;
    if (ReadFileBytes(path, bytes, error, kTextLimit, EFileKinds::RegularOrPipe))
        return true;
    messages.Error(path + ": " + Reason(error));
    return false;
}

bool LoadSmileSet(CConverter& converter, CMessages& messages, const std::string& path,
                  std::optional<EEncoding> encoding)
{
    if (path.empty()) {
        converter.LoadBuiltInSet();
        return true;
    }
    std::string content;
    bool loaded = ReadSmileFile(path, content, messages);
    if (loaded) {
        messages.SetContext(path + ": ");
        loaded = converter.LoadSmileText(path, content, encoding);
        messages.SetContext(std::string());
    }
    if (!loaded)
        messages.Error(FixedText(kMsgSmileFileFailed));
    return loaded;
}
