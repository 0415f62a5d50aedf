#include "tests/reference/StreamRuns.h"

#include <algorithm>

#include "engine/Limits.h"
#include "engine/smile/Converter.h"
#include "engine/smile/Pipeline.h"
#include "engine/smile/Random.h"
#include "engine/smile/StreamSmiler.h"
#include "engine/text/Codec.h"
#include "programs/FixedClock.h"
#include "programs/SilentProgress.h"
#include "tests/fakes/FakeNotifier.h"

namespace {

constexpr char kSmileFilePath[] = "stream.grn";

// What one run smiles with: the settings' generator, and a converter with their
// frequency and filters on a codec of its own.
struct CRig {
    explicit CRig(const CStreamSettings& settings)
        : m_clock(settings.m_nSeed), m_random(m_clock), m_converter(m_notifier, m_random, &m_codec)
    {
        m_converter.m_nFrequency = settings.m_nFrequency;
        m_converter.m_bHTMLCut = settings.m_bHtml;
        m_converter.m_bCPPCut = settings.m_bComments;
        m_converter.m_bReturnCode = settings.m_bNewlines;
    }

    CFakeNotifier m_notifier;
    CFixedClock m_clock;
    CRandom m_random;
    CCodec m_codec;
    CConverter m_converter;
};

bool LoadSmileSet(CConverter& converter, const CStreamSettings& settings)
{
    if (settings.m_strSmileFile.empty()) {
        converter.LoadBuiltInSet();
        return true;
    }
    return converter.LoadSmileText(kSmileFilePath, settings.m_strSmileFile);
}

std::string Describe(const CStreamOutcome& outcome)
{
    if (outcome.m_bDone)
        return "done, " + std::to_string(outcome.m_strOutput.size()) + " bytes";
    return "fault " + std::to_string(static_cast<int>(outcome.m_fault.m_eKind)) + " at " +
           std::to_string(outcome.m_fault.m_place.m_nLine) + ":" +
           std::to_string(outcome.m_fault.m_place.m_nColumn);
}

}  // namespace

CStreamOutcome SmileStream(const CStreamSettings& settings, std::string_view input,
                           const std::vector<std::size_t>& cuts)
{
    CRig rig(settings);
    CConverter& converter = rig.m_converter;
    CRandom& random = rig.m_random;
    CStreamOutcome outcome;
    if (!LoadSmileSet(converter, settings))
        return outcome;
    random.SeedFromClock();
    CStreamSmiler smiler(converter, random, settings.m_input, settings.m_output);
    std::size_t at = 0;
    bool going = true;
    for (const std::size_t cut : cuts) {
        if (cut <= at || cut >= input.size())
            continue;
        going = smiler.Feed(input.substr(at, cut - at), outcome.m_strOutput, &outcome.m_places);
        at = cut;
        if (!going)
            break;
    }
    if (going)
        going = smiler.Feed(input.substr(at), outcome.m_strOutput, &outcome.m_places) &&
                smiler.Finish(outcome.m_strOutput, &outcome.m_places);
    outcome.m_bDone = going;
    outcome.m_eInput = smiler.InputEncoding().value_or(EEncoding::ShiftJis);
    outcome.m_eOutput = smiler.OutputEncoding().value_or(outcome.m_eInput);
    outcome.m_fault = smiler.Fault();
    return outcome;
}

CStreamOutcome SmileWhole(const CStreamSettings& settings, std::string_view input,
                          EEncoding inputEncoding, EEncoding outputEncoding)
{
    CStreamOutcome outcome;
    outcome.m_eInput = inputEncoding;
    outcome.m_eOutput = outputEncoding;
    CRig rig(settings);
    CConverter& converter = rig.m_converter;
    CCodec& codec = rig.m_codec;
    std::string text(input);
    EEncoding read = inputEncoding;
    CTextFault fault;
    if (!codec.ReadText(text, inputEncoding, read, fault) || !LoadSmileSet(converter, settings))
        return outcome;
    rig.m_random.SeedFromClock();
    CSilentProgress progress;
    FilterAndSmile(converter, converter, text, progress, kNoLimit, IsTranscoded(read));
    if (!codec.Encode(text, outputEncoding, outcome.m_strOutput, fault)) {
        outcome.m_strOutput.clear();
        return outcome;
    }
    std::vector<std::size_t> bounds;
    for (const CSmilePlace& place : converter.SmilePlaces()) {
        bounds.push_back(place.m_nPosition);
        bounds.push_back(place.m_nPosition + place.m_nLength);
    }
    codec.MapOffsets(text, outputEncoding, bounds);
    for (std::size_t k = 0; k + 1 < bounds.size(); k += 2)
        outcome.m_places.push_back({bounds[k], bounds[k + 1] - bounds[k]});
    outcome.m_bDone = true;
    return outcome;
}

std::string CompareStreamWithWhole(const CStreamSettings& settings, std::string_view input,
                                   const std::vector<std::size_t>& cuts)
{
    const CStreamOutcome stream = SmileStream(settings, input, cuts);
    const CStreamOutcome whole = SmileWhole(settings, input, stream.m_eInput, stream.m_eOutput);
    if (!stream.m_bDone && stream.m_fault.m_eKind == CStreamFault::EKind::TakenPair)
        return std::string();
    if (stream.m_bDone != whole.m_bDone)
        return "stream " + Describe(stream) + ", whole " + Describe(whole);
    if (!stream.m_bDone)
        return std::string();
    if (stream.m_strOutput != whole.m_strOutput) {
        const auto differ = std::mismatch(stream.m_strOutput.begin(), stream.m_strOutput.end(),
                                          whole.m_strOutput.begin(), whole.m_strOutput.end());
        return "outputs differ from byte " +
               std::to_string(differ.first - stream.m_strOutput.begin()) + " (stream " +
               std::to_string(stream.m_strOutput.size()) + " bytes, whole " +
               std::to_string(whole.m_strOutput.size()) + ")";
    }
    if (stream.m_places != whole.m_places)
        return "places differ: stream " + std::to_string(stream.m_places.size()) + ", whole " +
               std::to_string(whole.m_places.size());
    return std::string();
}
