// Smiling, censoring and reversing texts through the C interface: what
// chirpwell-smile does with a file, on bytes in memory.

#include <memory>
#include <string>
#include <utility>

#include "engine/Limits.h"
#include "engine/smile/Converter.h"
#include "engine/smile/Pipeline.h"
#include "engine/smile/WrittenPlaces.h"
#include "engine/text/Codec.h"
#include "engine/text/TextFormat.h"
#include "lib/Engine.h"
#include "lib/Handles.h"
#include "lib/LibraryTexts.h"
#include "lib/Quiet.h"

namespace {

// One call's text, read by a codec of its own, with what works on it.
class CCall {
public:
    explicit CCall(const chirpwell_options& options)
        : m_options(options), m_engine(options), m_codec(m_engine.Codec()),
          m_converter(m_engine.Converter())
    {
    }
    CCall(const CCall&) = delete;
    CCall& operator=(const CCall&) = delete;

    // Reads length bytes of text as the options say.
    chirpwell_code Read(const char* text, std::size_t length, char** message)
    {
        if (!text && length != 0)
            return Fail(CHIRPWELL_ERROR_ARGUMENT, LibTr("the text is null"), message);
        if (m_options.m_bLimits && length > kTextLimit)
            return Fail(CHIRPWELL_ERROR_TEXT, LibTr("the text is larger than 1,048,575 bytes"),
                        message);
        m_strText.assign(text ? text : "", length);
        CTextFault fault;
        if (!m_codec.ReadText(m_strText, m_options.m_input, m_eRead, fault))
            return Fail(CHIRPWELL_ERROR_TEXT, ReadFault(fault), message);
        // EUC-JP's one-byte C1 characters take two bytes in CP932.
        if (m_options.m_bLimits && m_strText.size() > kTextLimit)
            return Fail(CHIRPWELL_ERROR_TEXT,
                        FormatMessage(LibTr("the text is larger than 1,048,575 bytes once read as "
                                            "%1"),
                                      EncodingName(m_eRead)),
                        message);
        return Censors(message);
    }

    // Smiles the text read with set.
    chirpwell_code Smile(const chirpwell_set& set, char** message)
    {
        if (!m_engine.LoadSet(set))
            return Fail(CHIRPWELL_ERROR_TEXT,
                        FormatMessage(LibTr("the text leaves the characters of %1 no codes"),
                                      set.m_strPath),
                        message);
        m_engine.Random().SeedFromClock();
        const std::string unsmiled = m_strText;
        CQuietProgress progress;
        const std::size_t room = m_options.m_bLimits ? kTextLimit : kNoLimit;
        if (!FilterAndSmile(m_converter, m_converter, m_strText, progress, room,
                            IsTranscoded(m_eRead))) {
            m_strText = unsmiled;
            m_converter.ClearSmilePlaces();
            return CHIRPWELL_TOO_LONG;
        }
        return CHIRPWELL_OK;
    }

    void Censor() { m_converter.Censor(m_strText); }
    void Reverse() { m_converter.Reverse(m_strText); }

    // The result of what was done, which status says, written as the options say.
    chirpwell_code Result(chirpwell_code status, chirpwell_result** result, char** message)
    {
        auto made = std::make_unique<chirpwell_result>();
        made->m_eStatus = status;
        made->m_eInput = m_eRead;
        made->m_eOutput = KeepingByteOrderMark(m_options.m_output.value_or(m_eRead), m_eRead);
        CTextFault fault;
        if (!m_codec.Encode(m_strText, made->m_eOutput, made->m_strText, fault))
            return Fail(CHIRPWELL_ERROR_UNENCODABLE, WriteFault(fault, made->m_eOutput), message);
        made->m_places = WrittenPlaces(m_codec, m_strText, made->m_eOutput, m_converter.SmilePlaces());
        *result = made.release();
        return status;
    }

private:
    // The censor characters, encoded for the text read.
    chirpwell_code Censors(char** message)
    {
        if (!m_codec.DecodeCp932Input(m_options.m_strZenkaku, m_converter.m_strZenkaku) ||
            !m_codec.DecodeCp932Input(m_options.m_strHankaku, m_converter.m_strHankaku))
            return Fail(CHIRPWELL_ERROR_TEXT, LibTr("the text leaves the censor characters no codes"),
                        message);
        return CHIRPWELL_OK;
    }

    std::string ReadFault(const CTextFault& fault) const
    {
        switch (fault.m_eKind) {
        case CTextFault::EKind::TooManyCharacters:
            return FormatMessage(LibTr("the text has %1 kinds of characters that Shift_JIS lacks; "
                                       "at most %2 can be read"),
                                 std::to_string(fault.m_nCount), std::to_string(m_codec.CodesLeft()));
        case CTextFault::EKind::Zero:
            return FormatMessage(LibTr("the text holds a zero byte at byte %1"),
                                 std::to_string(fault.m_nOffset));
        case CTextFault::EKind::UnreadEncoding:
            return FormatMessage(LibTr("the text starts with the byte-order mark of %1, which "
                                       "Chirpwell does not read"),
                                 fault.m_pEncoding);
        default:
            return FormatMessage(LibTr("the text is not valid %1 at %2"), EncodingName(m_eRead),
                                 LineAndColumn(m_strText, m_eRead, fault.m_nOffset));
        }
    }

    std::string WriteFault(const CTextFault& fault, EEncoding encoding) const
    {
        const std::string where = LineAndColumn(m_strText, EEncoding::ShiftJis, fault.m_nOffset);
        if (fault.m_character != 0)
            return FormatMessage(LibTr("the result's character %1 at %2 cannot be written in %3"),
                                 CodePoint(fault.m_character), where, EncodingName(encoding));
        return FormatMessage(
            LibTr("the result's bytes %1 at %2 are no character and cannot be written in %3"),
            HexBytes(std::string_view(m_strText).substr(fault.m_nOffset, fault.m_nLength)), where,
            EncodingName(encoding));
    }

    const chirpwell_options& m_options;
    CLibraryEngine m_engine;
    CCodec& m_codec;
    CConverter& m_converter;
    std::string m_strText;  // the bytes, then the CP932 text
    EEncoding m_eRead = EEncoding::ShiftJis;
};

// The shape every call on a text has: check, read, work, write.
template <typename Work>
chirpwell_code OnText(const chirpwell_options* options, const char* text, std::size_t length,
                      chirpwell_result** result, char** message, Work work)
{
    if (!options || !result)
        return Fail(CHIRPWELL_ERROR_ARGUMENT, LibTr("the options and a place for the result are "
                                                    "needed"),
                    message);
    return Guarded(message, [&] {
        CCall call(*options);
        chirpwell_code code = call.Read(text, length, message);
        if (code == CHIRPWELL_OK)
            code = work(call);
        if (code != CHIRPWELL_OK && code != CHIRPWELL_TOO_LONG)
            return code;
        return call.Result(code, result, message);
    });
}

}  // namespace

chirpwell_code chirpwell_smile(const chirpwell_set* set, const chirpwell_options* options,
                               const char* text, size_t length, chirpwell_result** result,
                               char** message)
{
    if (!set)
        return Fail(CHIRPWELL_ERROR_ARGUMENT, LibTr("the smile set is null"), message);
    return OnText(options, text, length, result, message,
                  [&](CCall& call) { return call.Smile(*set, message); });
}

chirpwell_code chirpwell_censor(const chirpwell_options* options, const char* text, size_t length,
                                chirpwell_result** result, char** message)
{
    return OnText(options, text, length, result, message, [](CCall& call) {
        call.Censor();
        return CHIRPWELL_OK;
    });
}

chirpwell_code chirpwell_reverse(const chirpwell_options* options, const char* text,
                                 size_t length, chirpwell_result** result, char** message)
{
    return OnText(options, text, length, result, message, [](CCall& call) {
        call.Reverse();
        return CHIRPWELL_OK;
    });
}
