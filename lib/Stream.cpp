// A stream smiled through the C interface: what chirpwell-smile --stream does with
// its input, on parts that the caller feeds.

#include <memory>
#include <string>
#include <string_view>

#include "engine/smile/StreamSmiler.h"
#include "engine/text/TextFormat.h"
#include "lib/Engine.h"
#include "lib/Handles.h"
#include "lib/LibraryTexts.h"
#include "lib/Quiet.h"

struct chirpwell_smiler {
    explicit chirpwell_smiler(const chirpwell_options& options)
        : m_engine(options), m_named(options.m_input)
    {
    }

    CLibraryEngine m_engine;
    std::optional<EEncoding> m_named;
    std::string m_strSetName;  // what messages call the smile file
    std::unique_ptr<CStreamSmiler> m_pSmiler;
    // Once the stream has failed or ended, every later call gives this code and
    // message.
    chirpwell_code m_eStopped = CHIRPWELL_OK;
    std::string m_strStopped;
};

namespace {

// Why the stream stopped, in the library's words.
chirpwell_code FaultMessage(const CStreamFault& fault, const std::string& setName,
                            std::string& text)
{
    using EKind = CStreamFault::EKind;
    const std::string place =
        std::to_string(fault.m_place.m_nLine) + ":" + std::to_string(fault.m_place.m_nColumn);
    switch (fault.m_eKind) {
    case EKind::Malformed:
        text = FormatMessage(LibTr("the text is not valid %1 at %2"),
                             EncodingName(fault.m_eEncoding), place);
        break;
    case EKind::Zero:
        text = FormatMessage(LibTr("the text holds a zero byte at %1"), place);
        break;
    case EKind::CodesRanOut:
        text = FormatMessage(
            LibTr("the text's character at %1 is one that Shift_JIS lacks, and no code is left "
                  "for it"),
            place);
        break;
    case EKind::TakenPair:
        text = FormatMessage(LibTr("the text's bytes %1 at %2, which Shift_JIS leaves "
                                   "unassigned, are the code a character of the smile set was "
                                   "given"),
                             HexBytes(fault.m_strBytes), place);
        break;
    case EKind::Unencodable:
        text = fault.m_character != 0
                   ? FormatMessage(LibTr("the result's character %1 at %2 cannot be written in "
                                         "%3"),
                                   CodePoint(fault.m_character), place,
                                   EncodingName(fault.m_eEncoding))
                   : FormatMessage(LibTr("the result's bytes %1 at %2 are no character and "
                                         "cannot be written in %3"),
                                   HexBytes(fault.m_strBytes), place,
                                   EncodingName(fault.m_eEncoding));
        return CHIRPWELL_ERROR_UNENCODABLE;
    case EKind::OpenTag:
        text = FormatMessage(LibTr("at %1 an HTML tag has been open for 16 MiB, more than a "
                                   "stream holds"),
                             place);
        break;
    case EKind::OpenComment:
        text = FormatMessage(LibTr("at %1 a comment has been open for 16 MiB, more than a stream "
                                   "holds (a line comment ends only at CR LF)"),
                             place);
        break;
    case EKind::UnreadEncoding:
        text = FormatMessage(LibTr("the text starts with the byte-order mark of %1, which "
                                   "Chirpwell does not read"),
                             fault.m_pEncoding);
        break;
    case EKind::NoSmileSet:
        text = FormatMessage(LibTr("the text leaves the characters of %1 no codes"), setName);
        break;
    }
    return CHIRPWELL_ERROR_TEXT;
}

// Feeds bytes, or finishes, and makes the result of what came out.
chirpwell_code Step(chirpwell_smiler* smiler, const char* bytes, std::size_t length, bool finish,
                    chirpwell_result** result, char** message)
{
    if (!smiler || !result || (!bytes && length != 0))
        return Fail(CHIRPWELL_ERROR_ARGUMENT, LibTr("the smiler, the bytes and a place for the "
                                                    "result are needed"),
                    message);
    if (smiler->m_eStopped != CHIRPWELL_OK)
        return Fail(smiler->m_eStopped, smiler->m_strStopped, message);
    const chirpwell_code code = Guarded(message, [&] {
        auto made = std::make_unique<chirpwell_result>();
        CStreamSmiler& stream = *smiler->m_pSmiler;
        const bool going =
            finish ? stream.Finish(made->m_strText, &made->m_places)
                   : stream.Feed(std::string_view(bytes ? bytes : "", length), made->m_strText,
                                 &made->m_places);
        if (!going) {
            smiler->m_eStopped =
                FaultMessage(stream.Fault(), smiler->m_strSetName, smiler->m_strStopped);
            return Fail(smiler->m_eStopped, smiler->m_strStopped, message);
        }
        const EEncoding input = stream.InputEncoding().value_or(
            smiler->m_named.value_or(EEncoding::ShiftJis));
        made->m_eInput = input;
        made->m_eOutput = stream.OutputEncoding().value_or(input);
        *result = made.release();
        return CHIRPWELL_OK;
    });
    if (code == CHIRPWELL_ERROR_MEMORY && smiler->m_eStopped == CHIRPWELL_OK) {
        // Where the stages stood when memory ran out is unknown.
        smiler->m_eStopped = code;
        smiler->m_strStopped = LibTr("out of memory");
    }
    if (code == CHIRPWELL_OK && finish) {
        smiler->m_eStopped = CHIRPWELL_ERROR_ARGUMENT;
        smiler->m_strStopped = LibTr("the stream has been finished");
    }
    return code;
}

}  // namespace

chirpwell_code chirpwell_smiler_create(const chirpwell_set* set, const chirpwell_options* options,
                                       chirpwell_smiler** smiler, char** message)
{
    if (!set || !options || !smiler)
        return Fail(CHIRPWELL_ERROR_ARGUMENT, LibTr("the smile set, the options and a place for "
                                                    "the smiler are needed"),
                    message);
    return Guarded(message, [&] {
        auto made = std::make_unique<chirpwell_smiler>(*options);
        made->m_strSetName = set->m_strPath;
        // No text has taken codes yet, so the set cannot find them taken.
        if (!made->m_engine.LoadSet(*set))
            return Fail(CHIRPWELL_ERROR_SMILE_FILE,
                        FormatMessage(LibTr("the characters of %1 found no codes"),
                                      set->m_strPath),
                        message);
        made->m_engine.Random().SeedFromClock();
        made->m_pSmiler =
            std::make_unique<CStreamSmiler>(made->m_engine.Converter(), made->m_engine.Random(),
                                            options->m_input, options->m_output);
        *smiler = made.release();
        return CHIRPWELL_OK;
    });
}

chirpwell_code chirpwell_smiler_feed(chirpwell_smiler* smiler, const char* bytes, size_t length,
                                     chirpwell_result** result, char** message)
{
    return Step(smiler, bytes, length, false, result, message);
}

chirpwell_code chirpwell_smiler_finish(chirpwell_smiler* smiler, chirpwell_result** result,
                                       char** message)
{
    return Step(smiler, nullptr, 0, true, result, message);
}

void chirpwell_smiler_destroy(chirpwell_smiler* smiler)
{
    delete smiler;
}
