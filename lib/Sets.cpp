// The smile sets of the C interface.

#include <memory>
#include <new>
#include <string>

#include "engine/INotifier.h"
#include "engine/Limits.h"
#include "engine/SystemClock.h"
#include "engine/smile/BuiltInSet.h"
#include "engine/smile/Converter.h"
#include "engine/smile/Random.h"
#include "engine/smilefiles/SmileFileReader.h"
#include "engine/text/Codec.h"
#include "engine/text/TextFormat.h"
#include "engine/files/TextFile.h"
#include "lib/Handles.h"
#include "lib/LibraryTexts.h"
#include "lib/Quiet.h"

namespace {

// Why a smile file could not be taken, in the user's words.
std::string Reason(const std::string& name, const CSmileFileFault& fault)
{
    if (fault.m_error == EReadError::TooLarge)
        return FormatMessage(LibTr("%1: larger than 1,048,575 bytes"), name);
    if (fault.m_error == EReadError::NotRegularFile)
        return FormatMessage(LibTr("%1: not a regular file"), name);
    if (fault.m_error)
        return name + ": " + fault.m_error.message();
    if (fault.m_nBadLine != 0)
        return FormatMessage(LibTr("%1: line %2 is no smile command"), name,
                             std::to_string(fault.m_nBadLine));
    if (fault.m_text.m_eKind == CTextFault::EKind::TooManyCharacters)
        return FormatMessage(LibTr("%1: too many kinds of characters that Shift_JIS lacks (%2)"),
                             name, std::to_string(fault.m_text.m_nCount));
    return FormatMessage(LibTr("%1: not valid %2"), name, EncodingName(fault.m_eEncoding));
}

// Takes the set of a smile file's bytes after trying it on a text of its own.
chirpwell_code Load(std::string bytes, const char* encodingName, const std::string& name,
                    chirpwell_set** set, char** message)
{
    std::optional<EEncoding> encoding;
    if (encodingName && !EncodingByName(encodingName, true, encoding))
        return Fail(CHIRPWELL_ERROR_ARGUMENT,
                    FormatMessage(LibTr("%1 is no encoding Chirpwell knows"), encodingName),
                    message);
    CQuietNotifier notifier;
    CSystemClock clock;
    CRandom random(clock);
    CConverter converter(notifier, random);
    CSmileFileFault fault;
    if (!converter.LoadSmileText(name, bytes, encoding, &fault))
        return Fail(CHIRPWELL_ERROR_SMILE_FILE, Reason(name, fault), message);
    auto made = std::make_unique<chirpwell_set>();
    made->m_bBuiltIn = false;
    CTextFault unused;
    // A name that will not go to UTF-8 keeps its bytes.
    if (!converter.Codec().Encode(converter.Name(), EEncoding::Utf8, made->m_strName, unused))
        made->m_strName = converter.Name();
    made->m_strPath = name;
    made->m_strBytes = std::move(bytes);
    made->m_encoding = encoding;
    *set = made.release();
    return CHIRPWELL_OK;
}

}  // namespace

chirpwell_set* chirpwell_set_builtin(void)
{
    return Quietly(nullptr, [] {
        auto made = std::make_unique<chirpwell_set>();
        Cp932ToUtf8(kBuiltInSetName, made->m_strName);
        return made.release();
    });
}

chirpwell_code chirpwell_set_load_file(const char* path, const char* encoding, chirpwell_set** set,
                                       char** message)
{
    if (!path || !set)
        return Fail(CHIRPWELL_ERROR_ARGUMENT, LibTr("a path and a place for the set are needed"),
                    message);
    return Guarded(message, [&] {
        std::string bytes;
        CSmileFileFault fault;
        if (!ReadSmileFileBytes(path, bytes, fault))
            return Fail(CHIRPWELL_ERROR_READ, Reason(path, fault), message);
        return Load(std::move(bytes), encoding, path, set, message);
    });
}

chirpwell_code chirpwell_set_load_bytes(const char* bytes, size_t length, const char* encoding,
                                        const char* name, chirpwell_set** set, char** message)
{
    if ((!bytes && length != 0) || !set)
        return Fail(CHIRPWELL_ERROR_ARGUMENT, LibTr("bytes and a place for the set are needed"),
                    message);
    return Guarded(message, [&] {
        if (length > kTextLimit)
            return Fail(CHIRPWELL_ERROR_SMILE_FILE,
                        FormatMessage(LibTr("%1: larger than 1,048,575 bytes"),
                                      name ? name : LibTr("the smile file")),
                        message);
        return Load(std::string(bytes ? bytes : "", length), encoding,
                    name ? name : LibTr("the smile file"), set, message);
    });
}

const char* chirpwell_set_name(const chirpwell_set* set)
{
    return set ? set->m_strName.c_str() : "";
}

void chirpwell_set_destroy(chirpwell_set* set)
{
    delete set;
}
