#include "cli/StreamRun.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "cli/Encoding.h"
#include "cli/FixedTexts.h"
#include "cli/InputFiles.h"
#include "cli/Messages.h"
#include "cli/Output.h"
#include "cli/RunEngine.h"
#include "cli/SmileOptions.h"
#include "cli/SmileRun.h"
#include "engine/EngineTexts.h"
#include "engine/files/TextFile.h"
#include "engine/files/WriteSignals.h"
#include "engine/smile/StreamSmiler.h"
#include "engine/text/Codec.h"
#include "engine/text/TextFormat.h"
#include "programs/Translation.h"

namespace {

// Large enough that a read costs little against the smile of what it brings, small
// enough to stay clear of the large blocks kept for the result.
constexpr std::size_t kReadSize = 128 * 1024;

// Why the stream stopped, in the words of the command line; name is the input's.
std::string FaultMessage(const std::string& name, const CStreamFault& fault)
{
    using EKind = CStreamFault::EKind;
    const std::string place =
        std::to_string(fault.m_place.m_nLine) + ":" + std::to_string(fault.m_place.m_nColumn);
    switch (fault.m_eKind) {
    case EKind::Malformed:
        return FormatMessage(Tr("%1:%2: not valid %3"), name, place,
                             EncodingName(fault.m_eEncoding));
    case EKind::Zero:
        return FormatMessage(Tr("%1:%2: a zero byte; this is no text file"), name, place);
    case EKind::CodesRanOut:
        return FormatMessage(
            Tr("%1:%2: a character that Shift_JIS lacks, and no code is left for it"), name,
            place);
    case EKind::TakenPair:
        return FormatMessage(Tr("%1:%2: the bytes %3, which Shift_JIS leaves unassigned, are "
                                "the code a character of the smile file was given"),
                             name, place, HexBytes(fault.m_strBytes));
    case EKind::Unencodable:
        return UnencodableMessage(fault.m_character, fault.m_strBytes, place, fault.m_eEncoding);
    case EKind::OpenTag:
        return FormatMessage(
            Tr("%1:%2: an HTML tag has been open for 16 MiB, more than --stream holds"), name,
            place);
    case EKind::OpenComment:
        return FormatMessage(Tr("%1:%2: a comment has been open for 16 MiB, more than --stream "
                                "holds (a line comment ends only at CR LF)"),
                             name, place);
    case EKind::UnreadEncoding:
        return FormatMessage(
            Tr("%1: %2 by its byte-order mark, which chirpwell-smile does not read"), name,
            fault.m_pEncoding);
    case EKind::NoSmileSet:
        break;
    }
    // The converter has told why.
    return FixedText(kMsgSmileFileFailed);
}

std::string PlacesText(const CSmilePlaceList& places)
{
    std::string text;
    for (const CSmilePlace& place : places)
        text += std::to_string(place.m_nPosition) + " " + std::to_string(place.m_nLength) + "\n";
    return text;
}

// The input, open to read; closed with the object when it opened it.
class CInput {
public:
    explicit CInput(std::FILE* standardInput) : m_nFd(::fileno(standardInput)) {}
    ~CInput()
    {
        if (m_bOwn)
            ::close(m_nFd);
    }
    CInput(const CInput&) = delete;
    CInput& operator=(const CInput&) = delete;

    bool Open(const std::string& path, std::string& error)
    {
        if (ReadsStandardInput(path))
            return true;
        std::error_code code;
        if (!OpenFileToRead(path, m_nFd, code, EFileKinds::RegularOrPipe)) {
            error = path + ": " +
                    (code == EReadError::NotRegularFile ? Tr("not a regular file or a pipe")
                                                        : code.message());
            return false;
        }
        m_bOwn = true;
        return true;
    }
    // The next bytes, none at the end; false with errno. A read that may wait for
    // ever lets a signal end the program at once.
    bool Read(std::vector<char>& buffer, std::size_t& got)
    {
        for (;;) {
            ssize_t read = 0;
            {
                CStreamWait wait;
                read = ::read(m_nFd, buffer.data(), buffer.size());
            }
            if (read >= 0) {
                got = static_cast<std::size_t>(read);
                return true;
            }
            if (errno != EINTR)
                return false;
        }
    }

private:
    int m_nFd;
    bool m_bOwn = false;
};

}  // namespace

int RunSmileStream(const CSmileOptions& options, const CSmileStreams& streams,
                   CMessages& messages)
{
    const std::string name = InputName(options.m_strInput);
    CInput input(streams.m_pInput);
    std::string error;
    if (!input.Open(options.m_strInput, error)) {
        messages.Error(error);
        return kExitFailed;
    }
    CCodec codec;
    CRunEngine engine(options, messages, codec);
    if (!LoadSmileSet(engine.Converter(), messages, options.m_strSmileFile,
                      options.m_smileEncoding))
        return kExitFailed;
    engine.Random().SeedFromClock();
    CStreamSmiler smiler(engine.Converter(), engine.Random(), options.m_inputEncoding,
                         options.m_outputEncoding);

    // Temporary files are taken back when a signal comes, the session's end then
    // ending the program by it; the outputs go before the session does.
    CWriteSession session;
    COutput output(streams.m_pOutput);
    const std::size_t result = output.Add(options.m_strOutput);
    const bool withPlaces = !options.m_strPlaces.empty();
    const std::size_t placesFile = withPlaces ? output.Add(options.m_strPlaces) : 0;
    if (!output.Open(error)) {
        messages.Error(error);
        return kExitFailed;
    }
    std::vector<char> buffer(kReadSize);
    std::string smiled;
    CSmilePlaceList places;
    for (bool ended = false; !ended;) {
        std::size_t got = 0;
        if (!input.Read(buffer, got)) {
            messages.Error(name + ": " + std::strerror(errno));
            return kExitFailed;
        }
        ended = got == 0;
        smiled.clear();
        places.clear();
        CSmilePlaceList* placesWanted = withPlaces ? &places : nullptr;
        const bool going = ended ? smiler.Finish(smiled, placesWanted)
                                 : smiler.Feed(std::string_view(buffer.data(), got), smiled,
                                               placesWanted);
        // What came before a fault is written too: it is the result's start.
        if ((!smiled.empty() && !output.Append(result, smiled, error)) ||
            (!places.empty() && !output.Append(placesFile, PlacesText(places), error))) {
            // A signal stops the write on purpose; the session's end then ends the
            // program by it, which says enough.
            if (!SignalCame())
                messages.Error(error);
            return kExitFailed;
        }
        if (!going) {
            messages.Error(FaultMessage(name, smiler.Fault()));
            return kExitFailed;
        }
        if (SignalCame())
            return kExitFailed;
    }
    if (!output.Commit(error)) {
        if (!SignalCame())
            messages.Error(error);
        return kExitFailed;
    }
    return kExitDone;
}
