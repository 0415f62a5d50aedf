#include "cli/SmileRun.h"

#include <cstdint>
#include <string>

#include "cli/Encoding.h"
#include "cli/FixedTexts.h"
#include "cli/InputFiles.h"
#include "cli/Messages.h"
#include "cli/Output.h"
#include "cli/SmileOptions.h"
#include "engine/CodeTable.h"
#include "engine/Converter.h"
#include "engine/EngineTexts.h"
#include "engine/FilePaths.h"
#include "engine/FixedClock.h"
#include "engine/Limits.h"
#include "engine/Pipeline.h"
#include "engine/Random.h"
#include "engine/SilentProgress.h"
#include "engine/SystemClock.h"
#include "engine/TextFormat.h"
#include "engine/Translation.h"

namespace {

// The places file must be none of the files the run reads or writes: it would
// overwrite the input or the smile file before the next run, or the output. Files
// are compared as what the paths name, so that a link or another spelling of the
// same path counts too.
bool CheckPlacesPath(const CSmileOptions& options, CMessages& messages)
{
    const std::string& places = options.m_strPlaces;
    const char* clash = nullptr;
    if (places.empty())
        return true;
    if (!ReadsStandardInput(options.m_strInput) && SameFile(places, options.m_strInput))
        clash = Tr("--places names the input FILE: '%1'");
    else if (!options.m_strSmileFile.empty() && SameFile(places, options.m_strSmileFile))
        clash = Tr("--places names the smile file: '%1'");
    else if (!options.m_strOutput.empty() && SameFile(places, options.m_strOutput))
        clash = Tr("--places names the output file: '%1'");
    if (!clash)
        return true;
    messages.BadUsage(FormatMessage(clash, places));
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
    if (!CheckPlacesPath(options, messages))
        return kExitFailed;
    std::string input;
    if (!ReadInput(options.m_strInput, streams.m_pInput, input, messages))
        return kExitFailed;
    CCodeTable codes;
    std::string text;
    EEncoding inputEncoding = EEncoding::ShiftJis;
    if (!DecodeInput(InputName(options.m_strInput), input, options.m_inputEncoding, codes, text,
                     inputEncoding, messages))
        return kExitFailed;

    CSystemClock systemClock;
    CFixedClock seedClock(options.m_nSeed);
    IClock& clock = options.m_bSeedGiven ? static_cast<IClock&>(seedClock) : systemClock;
    CRandom random(clock);
    CSilentProgress progress;
    CConverter converter(messages, random, &codes);
    converter.m_nFrequency = options.m_nFrequency;
    converter.m_bHTMLCut = options.m_bHtml;
    converter.m_bCPPCut = options.m_bComments;
    converter.m_bReturnCode = !options.m_bKeepNewlines;
    if (!CensorCharacter("--zenkaku", options.m_strZenkaku, converter.m_strZenkaku, messages) ||
        !CensorCharacter("--hankaku", options.m_strHankaku, converter.m_strHankaku, messages))
        return kExitFailed;

    if (options.m_eMode == ECliMode::Censor) {
        converter.Censor(text);
    } else if (options.m_eMode == ECliMode::Reverse) {
        converter.Reverse(text);
    } else {
        if (!LoadSmileSet(converter, messages, options.m_strSmileFile, options.m_smileEncoding))
            return kExitFailed;
        random.SeedFromClock();
        if (!FilterAndSmile(converter, converter, text, progress, kTextLimit,
                            IsTranscoded(inputEncoding))) {
            messages.Error(FixedText(kMsgTooLong));
            return kExitTooLong;
        }
    }

    const EEncoding outputEncoding = OutputEncoding(options, inputEncoding);
    std::string result;
    if (!EncodeResult(text, outputEncoding, codes, result, messages))
        return kExitFailed;

    COutput output(streams.m_pOutput);
    if (!options.m_strPlaces.empty())
        output.Add(options.m_strPlaces,
                   PlacesText(text, outputEncoding, codes, converter.SmilePlaces()));
    output.Add(options.m_strOutput, std::move(result));
    std::string error;
    if (!output.Commit(error)) {
        messages.Error(error);
        return kExitFailed;
    }
    return kExitDone;
}
