#include "engine/smile/StreamSmiler.h"

#include <algorithm>

#include "engine/IProgress.h"
#include "engine/filters/FilterStream.h"
#include "engine/smile/Converter.h"
#include "engine/smile/RuleTable.h"
#include "engine/smile/SmileWalk.h"
#include "engine/text/Codec.h"
#include "engine/text/EncodingDetector.h"
#include "engine/text/StreamDecoder.h"
#include "engine/text/Cp932.h"
#include "engine/text/StreamEncoder.h"

namespace {

// A stream has no end to measure progress against.
class CNoProgress : public IProgress {
public:
    void SetCaption(const std::string&) override {}
    void SetPosition(int) override {}
};

// The slice of input the stages take at a time: their buffers stay this small
// whatever the caller feeds at once.
constexpr std::size_t kSlice = 64 * 1024;

// Enough to see any byte-order mark.
constexpr std::size_t kMarkBytes = 4;

// The bytes the detector looks at: the start up to and with its last byte below
// 0x40, which in every encoding detected is a character of its own, so that no
// character is cut in two; all of it when it has no such byte.
std::string_view DetectionBytes(std::string_view start)
{
    for (std::size_t at = start.size(); at > 0; --at) {
        if (static_cast<unsigned char>(start[at - 1]) < 0x40)
            return start.substr(0, at);
    }
    return start;
}

// Whether every replacement of the rules is whole CP932 pairs, each lead byte
// followed by a second byte of 0x40 or above: then so is a transcoded text smiled.
bool HasWholePairs(const CRuleTable& rules)
{
    for (unsigned first = 0; first < 256; ++first) {
        for (const CSmileRule& rule : rules.Lookup(static_cast<unsigned char>(first))) {
            const std::string& bytes = rule.m_strReplacement;
            for (std::size_t at = 0; at < bytes.size(); ++at) {
                if (!IsLeadByte(static_cast<unsigned char>(bytes[at])))
                    continue;
                if (at + 1 == bytes.size() || static_cast<unsigned char>(bytes[at + 1]) < 0x40)
                    return false;
                ++at;
            }
        }
    }
    return true;
}

}  // namespace

CStreamSmiler::CStreamSmiler(CConverter& converter, CRandom& random,
                             std::optional<EEncoding> input, std::optional<EEncoding> output)
    : m_converter(converter),
      m_random(random),
      m_namedInput(input),
      m_namedOutput(output),
      m_pProgress(std::make_unique<CNoProgress>())
{
}

CStreamSmiler::~CStreamSmiler() = default;

std::size_t CStreamSmiler::StartBytes() const
{
    return m_namedInput ? kMarkBytes : kDetectBytes;
}

bool CStreamSmiler::Feed(std::string_view bytes, std::string& out, CSmilePlaceList* places)
{
    if (m_bFailed || m_bFinished)
        return false;
    if (!m_pDecoder) {
        const std::size_t wanted = std::min(bytes.size(), StartBytes() - m_strStart.size());
        m_strStart.append(bytes.substr(0, wanted));
        bytes.remove_prefix(wanted);
        if (m_strStart.size() < StartBytes())
            return true;
        if (!Start(false) || !RunSlices(m_strStart, false, out, places))
            return false;
        std::string().swap(m_strStart);
    }
    return RunSlices(bytes, false, out, places);
}

bool CStreamSmiler::Finish(std::string& out, CSmilePlaceList* places)
{
    if (m_bFailed || m_bFinished)
        return false;
    m_bFinished = true;
    if (!m_pDecoder && !Start(true))
        return false;
    const bool done = RunSlices(m_strStart, true, out, places);
    std::string().swap(m_strStart);
    return done;
}

bool CStreamSmiler::Start(bool last)
{
    const std::string_view bytes = m_strStart;
    EEncoding encoding = EEncoding::ShiftJis;
    if (m_namedInput) {
        encoding = WithMarkOf(*m_namedInput, bytes);
    } else {
        if (const char* unread = UnreadEncodingOf(bytes)) {
            m_fault.m_pEncoding = unread;
            return Fail(CStreamFault::EKind::UnreadEncoding);
        }
        // A stream that ends within the bytes looked at is detected as a whole file
        // is.
        if (last && bytes.size() <= kDetectBytes)
            encoding = DetectEncoding(bytes, EUtf8Test::Start);
        else
            encoding = DetectEncoding(DetectionBytes(bytes.substr(0, kDetectBytes)));
    }
    m_input = encoding;
    CCodec& codec = m_converter.Codec();
    const CCodec previous = codec;
    // The pairs of a Shift_JIS text's own that come later are not known yet.
    codec.StartText(encoding == EEncoding::ShiftJis ? bytes : std::string_view(), encoding);
    if (!m_converter.EncodeAgain(previous))
        return Fail(CStreamFault::EKind::NoSmileSet);
    m_output = KeepingByteOrderMark(m_namedOutput.value_or(encoding), encoding);
    m_pDecoder = std::make_unique<CStreamDecoder>(codec, encoding);
    m_pFilters = std::make_unique<CFilterStream>(m_converter.m_bHTMLCut, m_converter.m_bCPPCut,
                                                 m_converter.m_bReturnCode, *m_pProgress);
    const CRuleTable& rules = m_converter.RuleTable();
    m_pWalk = std::make_unique<CSmileWalk>(rules, m_random, m_converter.m_nFrequency,
                                           IsTranscoded(encoding), m_smiled, *m_pProgress);
    m_nLookahead = std::max<std::size_t>(2, rules.LongestKey());
    m_pEncoder = std::make_unique<CStreamEncoder>(codec, *m_output, IsTranscoded(encoding),
                                                  IsTranscoded(encoding) && HasWholePairs(rules));
    return true;
}

bool CStreamSmiler::RunSlices(std::string_view bytes, bool last, std::string& out,
                              CSmilePlaceList* places)
{
    do {
        const std::string_view slice = bytes.substr(0, kSlice);
        bytes.remove_prefix(slice.size());
        if (!Run(slice, last && bytes.empty(), out, places))
            return false;
    } while (!bytes.empty());
    return true;
}

bool CStreamSmiler::Run(std::string_view bytes, bool last, std::string& out,
                        CSmilePlaceList* places)
{
    std::string_view text;
    if (!m_pDecoder->Read(bytes, last, text, m_fault)) {
        m_bFailed = true;
        return false;
    }
    std::string_view filtered;
    CFilterStream::EOpen open = CFilterStream::EOpen::None;
    if (!m_pFilters->Filter(text, last, filtered, open)) {
        m_fault.m_place = m_pDecoder->Place();
        return Fail(open == CFilterStream::EOpen::Tag ? CStreamFault::EKind::OpenTag
                                                      : CStreamFault::EKind::OpenComment);
    }
    m_strUnsmiled.append(filtered);
    m_strSmiled.clear();
    const std::size_t taken = m_pWalk->RunPart(m_strUnsmiled, m_strSmiled, m_nLookahead, last);
    m_strUnsmiled.erase(0, taken);
    if (places)
        m_pEncoder->AddPlaces(m_smiled);
    m_smiled.clear();
    if (!m_pEncoder->Write(m_strSmiled, last, out, places, m_fault)) {
        m_bFailed = true;
        return false;
    }
    return true;
}

bool CStreamSmiler::Fail(CStreamFault::EKind kind)
{
    m_fault.m_eKind = kind;
    m_fault.m_eEncoding = m_input.value_or(EEncoding::ShiftJis);
    m_bFailed = true;
    return false;
}
