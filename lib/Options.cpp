// The options of the C interface.

#include <new>
#include <string>

#include "engine/smile/Converter.h"
#include "engine/text/Codec.h"
#include "engine/text/Encoding.h"
#include "engine/text/TextFormat.h"
#include "lib/Handles.h"
#include "lib/LibraryTexts.h"
#include "lib/Quiet.h"

namespace {

chirpwell_code SetEncoding(std::optional<EEncoding>& field, const char* name, bool allowAuto,
                           char** message)
{
    std::optional<EEncoding> encoding;
    if (name && !EncodingByName(name, allowAuto, encoding))
        return Fail(CHIRPWELL_ERROR_ARGUMENT,
                    FormatMessage(LibTr("%1 is no encoding Chirpwell knows"), name), message);
    field = encoding;
    return CHIRPWELL_OK;
}

// A censor character must be one character of CP932, in either of its Unicode
// forms, of the width it stands for.
bool IsCensorCharacter(const char* utf8, bool fullWidth)
{
    std::string cp932;
    return Utf8ToCp932(utf8, cp932) && CConverter::IsCensorCharacter(cp932, fullWidth);
}

}  // namespace

chirpwell_options* chirpwell_options_create(void)
{
    return Quietly(nullptr, [] { return new chirpwell_options; });
}

void chirpwell_options_destroy(chirpwell_options* options)
{
    delete options;
}

void chirpwell_options_set_frequency(chirpwell_options* options, int percent)
{
    if (options)
        options->m_nFrequency = percent;
}

void chirpwell_options_set_html(chirpwell_options* options, int on)
{
    if (options)
        options->m_bHtml = on != 0;
}

void chirpwell_options_set_comments(chirpwell_options* options, int on)
{
    if (options)
        options->m_bComments = on != 0;
}

void chirpwell_options_set_newlines(chirpwell_options* options, int on)
{
    if (options)
        options->m_bNewlines = on != 0;
}

void chirpwell_options_set_seed(chirpwell_options* options, uint32_t seed)
{
    if (options)
        options->m_seed = seed;
}

void chirpwell_options_set_seed_from_clock(chirpwell_options* options)
{
    if (options)
        options->m_seed.reset();
}

chirpwell_code chirpwell_options_set_censor_characters(chirpwell_options* options,
                                                       const char* zenkaku, const char* hankaku,
                                                       char** message)
{
    if (!options)
        return Fail(CHIRPWELL_ERROR_ARGUMENT, LibTr("the options are null"), message);
    return Guarded(message, [&] {
        if (zenkaku && !IsCensorCharacter(zenkaku, true))
            return Fail(CHIRPWELL_ERROR_ARGUMENT,
                        FormatMessage(LibTr("%1 is no full-width censor character: it must be "
                                            "one full-width character of Shift_JIS"),
                                      zenkaku),
                        message);
        if (hankaku && !IsCensorCharacter(hankaku, false))
            return Fail(CHIRPWELL_ERROR_ARGUMENT,
                        FormatMessage(LibTr("%1 is no half-width censor character: it must be "
                                            "one half-width character of Shift_JIS"),
                                      hankaku),
                        message);
        if (zenkaku)
            options->m_strZenkaku = zenkaku;
        if (hankaku)
            options->m_strHankaku = hankaku;
        return CHIRPWELL_OK;
    });
}

chirpwell_code chirpwell_options_set_encoding(chirpwell_options* options, const char* name,
                                              char** message)
{
    if (!options)
        return Fail(CHIRPWELL_ERROR_ARGUMENT, LibTr("the options are null"), message);
    return Guarded(message, [&] { return SetEncoding(options->m_input, name, true, message); });
}

chirpwell_code chirpwell_options_set_output_encoding(chirpwell_options* options, const char* name,
                                                     char** message)
{
    if (!options)
        return Fail(CHIRPWELL_ERROR_ARGUMENT, LibTr("the options are null"), message);
    return Guarded(message, [&] { return SetEncoding(options->m_output, name, false, message); });
}

void chirpwell_options_set_limits(chirpwell_options* options, int on)
{
    if (options)
        options->m_bLimits = on != 0;
}
