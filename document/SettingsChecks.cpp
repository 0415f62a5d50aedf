#include "document/SettingsChecks.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "document/DocTexts.h"
#include "document/IPrompter.h"
#include "engine/EngineTexts.h"
#include "engine/INotifier.h"
#include "engine/smile/Converter.h"
#include "engine/text/Codec.h"
#include "engine/text/Cp932.h"
#include "engine/text/TextFormat.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// An integer as the dialog reads one: blanks around, an optional sign, decimal
// digits, and a value an int holds.
bool ParseInteger(const std::string& text, int& value)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    std::size_t digits = begin;
    if (digits < end && (text[digits] == '+' || text[digits] == '-'))
        ++digits;
    if (digits == end)
        return false;
    for (std::size_t i = digits; i < end; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    const std::string number = text.substr(begin, end - begin);
    errno = 0;
    const long parsed = std::strtol(number.c_str(), nullptr, 10);
    if (errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

std::optional<CSettingsRefusal> CheckCensorCharacter(ESettingsField field,
                                                     const std::string& utf8, std::size_t limit,
                                                     CCodec& codec, std::string& cp932)
{
    if (!codec.DecodeCp932Input(utf8, cp932))
        return CSettingsRefusal{field, Cp932Text(kMsgNotCp932)};
    if (cp932.size() > limit)
        return CSettingsRefusal{
            field, Cp932Text(FormatMessage(kMsgMaxChars, std::to_string(limit)))};
    return std::nullopt;
}

}  // namespace

std::optional<CSettingsRefusal> CheckSettings(const CSettingsInput& input,
                                              CSettingsValues& values, CCodec& codec)
{
    CSettingsValues checked;
    checked.m_bHTMLCut = input.m_bHTMLCut;
    checked.m_bCPPCut = input.m_bCPPCut;
    checked.m_bReturnCode = input.m_bReturnCode;
    if (!ParseInteger(input.m_strFrequency, checked.m_nFrequency))
        return CSettingsRefusal{ESettingsField::Frequency, Cp932Text(kMsgNotInteger)};
    if (checked.m_nFrequency < kMinFrequency || checked.m_nFrequency > kMaxFrequency)
        return CSettingsRefusal{
            ESettingsField::Frequency,
            Cp932Text(FormatMessage(kMsgIntegerRange, std::to_string(kMinFrequency),
                                    std::to_string(kMaxFrequency)))};
    if (auto refusal = CheckCensorCharacter(ESettingsField::Hankaku, input.m_strHankaku,
                                            kHankakuBytes, codec, checked.m_strHankaku))
        return refusal;
    if (auto refusal = CheckCensorCharacter(ESettingsField::Zenkaku, input.m_strZenkaku,
                                            kZenkakuBytes, codec, checked.m_strZenkaku))
        return refusal;
    values = checked;
    return std::nullopt;
}

bool FitsCp932Bytes(std::string_view utf8, std::size_t limit)
{
    std::string cp932;
    return Utf8ToCp932(utf8, cp932) && cp932.size() <= limit;
}

CFileDialogOptions SmileFileDialogOptions()
{
    CFileDialogOptions options;
    options.m_strTitle = Cp932Text(kSmileFileDialogTitle);
    options.m_filters = {{Cp932Text(kSmileFileFilterName), "*.grn"},
                      {Cp932Text(kAllFilesFilterName), "*"}};
    return options;
}

std::string LoadSmileFileFromDialog(CConverter& converter, INotifier& notifier,
                                    const std::string& path)
{
    if (!converter.LoadSmileFile(path)) {
        notifier.ShowMessage(Cp932Text(kMsgSmileFileFailed));
        converter.LoadBuiltInSet();
    }
    return converter.Name();
}
