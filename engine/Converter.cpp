#include "engine/Converter.h"

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <new>

#include "engine/BuiltInSet.h"
#include "engine/Cp932.h"
#include "engine/EngineTexts.h"
#include "engine/INotifier.h"
#include "engine/IProfile.h"
#include "engine/IProgress.h"
#include "engine/Limits.h"
#include "engine/Random.h"
#include "engine/SmileWalk.h"
#include "engine/TextFile.h"

namespace {

constexpr char kSection[] = "Settings";

// The profile holds UTF-8; the engine works in CP932. A stored text that does not
// convert counts as absent.
std::string ReadCp932(IProfile& profile, const char* key, const char* defaultUtf8)
{
    const std::string stored = profile.GetProfileString(kSection, key, defaultUtf8);
    std::string cp932;
    if (Utf8ToCp932(stored, cp932))
        return cp932;
    return Cp932Text(defaultUtf8);
}

void WriteCp932(IProfile& profile, const char* key, const std::string& cp932)
{
    // A value that is no CP932 text cannot be stored as UTF-8; the stored one stays.
    std::string utf8;
    if (Cp932ToUtf8(cp932, utf8))
        profile.WriteProfileString(kSection, key, utf8);
}

bool IsBlank(unsigned char byte)
{
    return byte == '\t' || byte == '\n' || byte == '\r' || byte == ' ';
}

bool IsFullWidthSpace(const std::string& text, std::size_t at)
{
    return static_cast<unsigned char>(text[at]) == 0x81 &&
           static_cast<unsigned char>(text[at + 1]) == 0x40;
}

}  // namespace

CConverter::CConverter(INotifier& notifier, CRandom& random)
    : m_notifier(notifier), m_random(random)
{
}

void CConverter::AddRule(const std::string& key, const std::string& replacement)
{
    CSmileRule rule;
    rule.SetRule(key, replacement);
    m_ruleTable.Add(std::move(rule));
}

void CConverter::RemoveAllRules()
{
    m_ruleTable.Clear();
}

void CConverter::LoadBuiltInSet()
{
    RemoveAllRules();
    m_strName = kBuiltInSetName;
    for (const CBuiltInRule& rule : BuiltInRules())
        AddRule(rule.m_pKey, rule.m_pReplacement);
}

bool CConverter::LoadSmileFile(const std::string& path)
{
    RemoveAllRules();
    m_strName = Cp932Text(kUnnamedSetName);
    // Not `= " "`: g++ 12 at -O3 takes that for an overlapping copy (-Wrestrict).
    m_strSeparator.assign(1, ' ');
    if (path == kBuiltInSetPath) {
        LoadBuiltInSet();
        return true;
    }
    std::string content;
    std::error_code error;
    if (!ReadFileBytes(path, content, error))
        return false;
    m_strModeFilePath = path;

    // CR LF or LF ends a line; a last line without an end still counts.
    std::string_view rest = content;
    int lineNumber = 0;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (end != std::string_view::npos && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        ++lineNumber;
        if (!ParseLine(line)) {
            ShowLineError(lineNumber);
            LoadBuiltInSet();
            return false;
        }
    }
    return true;
}

bool CConverter::ParseLine(std::string_view line)
{
    if (line.empty() || line[0] == 'c')
        return true;
    const std::string_view separator = m_strSeparator;
    if (FindInText(line, separator) != 1)
        return false;
    const char command = line[0];
    const std::string_view rest = line.substr(1 + separator.size());
    const std::size_t split = FindInText(rest, separator);
    if (split == 0)
        return false;
    std::string field1(rest.substr(0, split));
    std::string field2;
    if (split != std::string_view::npos)
        field2 = rest.substr(split + separator.size());

    switch (command) {
    case 'r':
    case 'R':
        AddRule(field1, field2);
        return true;
    case 'a':
        AddRule(field1, field1 + field2);
        return true;
    case 'b':
        AddRule(field1, field2 + field1);
        return true;
    case 'd':
        AddRule(field1, std::string());
        return true;
    case 'n':
        m_strName = field1;
        return true;
    case 's':
        m_strSeparator = field1;
        return true;
    default:
        return false;
    }
}

void CConverter::ShowLineError(int lineNumber)
{
    const std::string format = Cp932Text(kMsgLineError);
    std::string text(format.size() + 16, '\0');
    const int length = std::snprintf(text.data(), text.size(), format.c_str(), lineNumber);
    text.resize(static_cast<std::size_t>(std::max(length, 0)));
    m_notifier.ShowMessage(text);
}

bool CConverter::Convert(std::string& text, std::size_t maxLength, IProgress& progress,
                         bool wholeCharacters)
{
    progress.SetCaption(Cp932Text(kCaptionSmiling));
    // Such a text could only come back cut short.
    if (text.size() > maxLength)
        return false;

    // The result is built in one buffer of the final room while the text is read
    // once, so no replacement moves the rest of the text.
    std::string smiled;
    try {
        smiled.reserve(maxLength);
    } catch (const std::bad_alloc&) {
        m_notifier.ShowMessage(Cp932Text(kMsgOutOfMemory));
        throw;
    }
    CSmileWalk walk(m_ruleTable, m_random, m_nFrequency, wholeCharacters, m_smilePlaces, progress);
    const bool done = walk.Run(text, smiled, maxLength);
    text = std::move(smiled);
    return done;
}

bool CConverter::LoadSettings(IProfile& profile)
{
    m_strModeFilePath = profile.GetProfileString(kSection, "modeFilePath", kBuiltInSetPath);
    m_nFrequency = profile.GetProfileInt(kSection, "frequency", 2);
    m_bHTMLCut = profile.GetProfileInt(kSection, "HTMLCut", 0) != 0;
    m_bCPPCut = profile.GetProfileInt(kSection, "CPPCut", 0) != 0;
    m_bReturnCode = profile.GetProfileInt(kSection, "ReturnCode", 1) != 0;
    m_strHankaku = ReadCp932(profile, "Hankaku", kDefaultHankaku);
    m_strZenkaku = ReadCp932(profile, "Zenkaku", kDefaultZenkaku);
    return LoadSmileFile(m_strModeFilePath);
}

void CConverter::SaveSettings(IProfile& profile) const
{
    profile.WriteProfileString(kSection, "modeFilePath", m_strModeFilePath);
    profile.WriteProfileInt(kSection, "frequency", m_nFrequency);
    profile.WriteProfileInt(kSection, "HTMLCut", m_bHTMLCut ? 1 : 0);
    profile.WriteProfileInt(kSection, "CPPCut", m_bCPPCut ? 1 : 0);
    profile.WriteProfileInt(kSection, "ReturnCode", m_bReturnCode ? 1 : 0);
    WriteCp932(profile, "Hankaku", m_strHankaku);
    WriteCp932(profile, "Zenkaku", m_strZenkaku);
}

bool CConverter::Censor(std::string& text)
{
    if (m_strZenkaku.size() != 2)
        m_strZenkaku = Cp932Text(kDefaultZenkaku);
    if (m_strHankaku.size() != 1)
        m_strHankaku = Cp932Text(kDefaultHankaku);
    m_random.SeedFromClock();

    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (IsBlank(byte)) {
            ++i;
            continue;
        }
        const bool hide = m_random.Next() % 100 <= m_nFrequency;
        // A lead byte at the end has no partner; it is censored as one byte.
        if (IsLeadByte(byte) && i + 1 < text.size()) {
            if (hide && !IsFullWidthSpace(text, i))
                text.replace(i, 2, m_strZenkaku);
            i += 2;
        } else {
            if (hide)
                text[i] = m_strHankaku[0];
            ++i;
        }
    }
    return true;
}

bool CConverter::Reverse(std::string& text) const
{
    const std::size_t size = text.size();
    std::string reversed(size, '\0');
    std::size_t i = 0;
    while (i < size) {
        const std::size_t width =
            IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < size ? 2 : 1;
        text.copy(reversed.data() + size - i - width, width, i);
        i += width;
    }
    // Reversing turned every CR LF into LF CR.
    for (std::size_t k = 0; k + 1 < size; ++k) {
        if (reversed[k] == '\n' && reversed[k + 1] == '\r') {
            reversed[k] = '\r';
            reversed[k + 1] = '\n';
            ++k;
        }
    }
    text = std::move(reversed);
    return true;
}

std::optional<CSmilePlace> CConverter::FindNextSmilePlace(std::size_t position) const
{
    const auto found = std::upper_bound(
        m_smilePlaces.begin(), m_smilePlaces.end(), position,
        [](std::size_t at, const CSmilePlace& place) { return at < place.m_nPosition; });
    if (found == m_smilePlaces.end()) {
        m_notifier.ShowMessage(Cp932Text(kMsgNoPlaceBelow));
        return std::nullopt;
    }
    return *found;
}

std::optional<CSmilePlace> CConverter::FindPreviousSmilePlace(std::size_t position) const
{
    const auto found = std::lower_bound(
        m_smilePlaces.begin(), m_smilePlaces.end(), position,
        [](const CSmilePlace& place, std::size_t at) { return place.m_nPosition < at; });
    if (found == m_smilePlaces.begin()) {
        m_notifier.ShowMessage(Cp932Text(kMsgNoPlaceAbove));
        return std::nullopt;
    }
    return *(found - 1);
}

void CConverter::ClearSmilePlaces()
{
    CSmilePlaceList().swap(m_smilePlaces);
}

void CConverter::CopySmilePlaces(const CConverter& other)
{
    m_smilePlaces = other.m_smilePlaces;
}
