#include "cli/SmileRun.h"

#include <cstdint>
#include <string>

#include <stdio.h>

#include "cli/Encoding.h"
#include "cli/FixedTexts.h"
#include "cli/InputFiles.h"
#include "cli/Messages.h"
#include "cli/Output.h"
#include "cli/RunEngine.h"
#include "cli/SmileOptions.h"
#include "cli/StreamRun.h"
#include "engine/EngineTexts.h"
#include "engine/Limits.h"
#include "engine/files/FilePaths.h"
#include "engine/smile/Converter.h"
#include "engine/smile/Pipeline.h"
#include "engine/text/Codec.h"
#include "engine/text/TextFormat.h"
#include "programs/SilentProgress.h"
#include "programs/Translation.h"

namespace {

// The places file must be none of the files the run reads or writes: it would
// overwrite the input or the smile file before the next run, or the output. Files
// are compared as what the paths name, by device and inode, or by folder and name
// before they exist, so that a link, another spelling or /dev/stdout counts too. A
// pipe, a terminal or a device takes one write after the other, so two names of
// one of those are no clash.
bool CheckPlacesPath(const CSmileOptions& options, const CSmileStreams& streams,
                     CMessages& messages)
{
    const std::string& places = options.m_strPlaces;
    CFileIdentity target;
    if (places.empty() || !IdentifyPath(places, target) || (target.m_bExists && !target.m_bRegular))
        return true;
    // An absent path stands for the stream.
    auto isTarget = [&target](const std::string& path, std::FILE* stream) {
        CFileIdentity other;
        const bool known = path.empty() ? IdentifyDescriptor(::fileno(stream), other)
                                        : IdentifyPath(path, other);
        return known && other == target;
    };
    const char* clash = nullptr;
    if (isTarget(ReadsStandardInput(options.m_strInput) ? std::string() : options.m_strInput,
                 streams.m_pInput))
        clash = Tr("--places names the input FILE: '%1'");
    else if (!options.m_strSmileFile.empty() && isTarget(options.m_strSmileFile, nullptr))
        clash = Tr("--places names the smile file: '%1'");
    else if (isTarget(options.m_strOutput, streams.m_pOutput))
        clash = Tr("--places names the output file: '%1'");
    if (!clash)
        return true;
    messages.BadUsage(FormatMessage(clash, places));
    return false;
}

// The result's encoding: the one named, or the input's. UTF-8 keeps the input's
// byte-order mark.
EEncoding OutputEncoding(const CSmileOptions& options, EEncoding input)
{
    return KeepingByteOrderMark(options.m_outputEncoding.value_or(input), input);
}

}  // namespace

int RunSmile(const CSmileOptions& options, const CSmileStreams& streams)
{
    CMessages messages(streams.m_pError);
    if (!CheckPlacesPath(options, streams, messages))
        return kExitFailed;
    if (options.m_bStream)
        return RunSmileStream(options, streams, messages);
    // The input's bytes become its text in place.
    std::string text;
    if (!ReadInput(options.m_strInput, streams.m_pInput, text, messages))
        return kExitFailed;
    CCodec codec;
    EEncoding inputEncoding = EEncoding::ShiftJis;
    if (!DecodeInput(InputName(options.m_strInput), text, options.m_inputEncoding, codec,
                     inputEncoding, messages))
        return kExitFailed;

    CRunEngine engine(options, messages, codec);
    CConverter& converter = engine.Converter();
    CSilentProgress progress;
    if (!CensorCharacter("--zenkaku", true, options.m_strZenkaku, codec, converter.m_strZenkaku,
                         messages) ||
        !CensorCharacter("--hankaku", false, options.m_strHankaku, codec, converter.m_strHankaku,
                         messages))
        return kExitFailed;

    if (options.m_eMode == ECliMode::Censor) {
        converter.Censor(text);
    } else if (options.m_eMode == ECliMode::Reverse) {
        converter.Reverse(text);
    } else {
        if (!LoadSmileSet(converter, messages, options.m_strSmileFile, options.m_smileEncoding))
            return kExitFailed;
        engine.Random().SeedFromClock();
        if (!FilterAndSmile(converter, converter, text, progress, kTextLimit,
                            IsTranscoded(inputEncoding))) {
            messages.Error(FixedText(kMsgTooLong));
            return kExitTooLong;
        }
    }

    const EEncoding outputEncoding = OutputEncoding(options, inputEncoding);
    const std::string places = options.m_strPlaces.empty()
                                   ? std::string()
                                   : PlacesText(text, outputEncoding, codec, converter.SmilePlaces());
    std::string result;
    if (!EncodeResult(std::move(text), outputEncoding, codec, result, messages))
        return kExitFailed;

    COutput output(streams.m_pOutput);
    if (!options.m_strPlaces.empty())
        output.Add(options.m_strPlaces, places);
    output.Add(options.m_strOutput, std::move(result));
    std::string error;
    if (!output.Commit(error)) {
        messages.Error(error);
        return kExitFailed;
    }
    return kExitDone;
}
