#include "engine/smile/Converter.h"

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <new>

#include "engine/EngineTexts.h"
#include "engine/INotifier.h"
#include "engine/IProfile.h"
#include "engine/IProgress.h"
#include "engine/Limits.h"
#include "engine/ProfileText.h"
#include "engine/smile/BuiltInSet.h"
#include "engine/smile/Random.h"
#include "engine/smile/SmileWalk.h"
#include "engine/smilefiles/SmileFileParser.h"
#include "engine/smilefiles/SmileFileReader.h"
#include "engine/text/Cp932.h"
#include "engine/text/TextFormat.h"

namespace {

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

CConverter::CConverter(INotifier& notifier, CRandom& random, CCodec* codec)
    : m_pOwnCodec(codec ? nullptr : std::make_unique<CCodec>()),
      m_codec(codec ? *codec : *m_pOwnCodec),
      m_notifier(notifier),
      m_random(random)
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
    m_bSmileFromBytes = false;
    m_strName = kBuiltInSetName;
    m_bHasSmileSet = true;
    for (const CBuiltInRule& rule : BuiltInRules())
        AddRule(rule.m_pKey, rule.m_pReplacement);
}

void CConverter::StartSmileSet()
{
    RemoveAllRules();
    m_strName = Cp932Text(kUnnamedSetName);
    m_strSeparator = " ";
    m_bHasSmileSet = false;
    m_bSmileFromBytes = false;
}

bool CConverter::LoadSmileFile(const std::string& path, CSmileFileFault* why)
{
    if (path == kBuiltInSetPath)
        return LoadSmileContent(path, {});
    CSmileFileFault fault;
    std::string bytes;
    if (ReadSmileFileBytes(path, bytes, fault))
        return LoadSmileBytes(path, std::move(bytes), std::nullopt, why);
    StartSmileSet();
    if (why)
        *why = fault;
    return false;
}

bool CConverter::LoadSmileText(const std::string& path, std::string_view bytes,
                               std::optional<EEncoding> encoding, CSmileFileFault* why)
{
    if (path == kBuiltInSetPath)
        return LoadSmileContent(path, {});
    return LoadSmileBytes(path, std::string(bytes), encoding, why);
}

bool CConverter::LoadSmileBytes(const std::string& path, std::string bytes,
                                std::optional<EEncoding> encoding, CSmileFileFault* why)
{
    CSmileFileFault fault;
    std::string content;
    if (!DecodeSmileFile(bytes, encoding, m_codec, content, fault)) {
        StartSmileSet();
        // The file could be read, so the callers would not know why it failed.
        ShowDecodingFault(path, fault);
        if (why)
            *why = fault;
        return false;
    }
    const bool loaded = LoadSmileContent(path, content, why);
    // A bad line leaves the built-in set, which needs no bytes.
    if (loaded) {
        m_strSmilePath = path;
        m_strSmileBytes = std::move(bytes);
        m_smileEncoding = encoding;
        m_strSmileContent = std::move(content);
        m_bSmileFromBytes = true;
    }
    return loaded;
}

bool CConverter::EncodeAgain(const CCodec& previous)
{
    for (std::string* censor : {&m_strZenkaku, &m_strHankaku}) {
        std::string encoded;
        // One that cannot be encoded now is repaired to its default by the censor.
        if (!m_codec.DecodeCp932Input(previous.ToUtf8(*censor), encoded))
            encoded.clear();
        *censor = std::move(encoded);
    }
    if (!m_bSmileFromBytes)
        return true;
    CSmileFileFault fault;
    std::string content;
    const std::string path = m_strSmilePath;
    if (!DecodeSmileFile(m_strSmileBytes, m_smileEncoding, m_codec, content, fault)) {
        // The bytes stay, so that a text with codes to spare gives the set back.
        RemoveAllRules();
        m_strName = Cp932Text(kUnnamedSetName);
        m_bHasSmileSet = false;
        m_strSmileContent.clear();
        ShowDecodingFault(path, fault);
        return false;
    }
    // Most sets come out as they were, and a large one takes long to parse.
    if (content == m_strSmileContent)
        return true;
    // The set's own path stays what the settings name.
    const std::string modeFilePath = m_strModeFilePath;
    const bool loaded = LoadSmileBytes(path, std::move(m_strSmileBytes), m_smileEncoding);
    m_strModeFilePath = modeFilePath;
    return loaded;
}

void CConverter::ShowDecodingFault(const std::string& path, const CSmileFileFault& fault)
{
    m_notifier.ShowMessage(DecodingFaultMessage(path, fault.m_eEncoding, fault.m_text));
}

bool CConverter::LoadSmileContent(const std::string& path, std::string_view content,
                                  CSmileFileFault* why)
{
    StartSmileSet();
    if (path == kBuiltInSetPath) {
        LoadBuiltInSet();
        return true;
    }
    m_strModeFilePath = path;
    m_bHasSmileSet = true;
    const int badLine =
        ForEachSmileLine(content, [this](std::string_view line) { return ParseLine(line); });
    if (badLine == 0)
        return true;
    ShowLineError(badLine);
    if (why)
        why->m_nBadLine = badLine;
    LoadBuiltInSet();
    return false;
}

bool CConverter::ParseLine(std::string_view line)
{
    CSmileLine parsed;
    if (!ParseSmileLine(line, m_strSeparator, parsed))
        return false;
    switch (parsed.m_eKind) {
    case CSmileLine::EKind::Rule:
        AddRule(parsed.m_strKey, parsed.m_strReplacement);
        break;
    case CSmileLine::EKind::Name:
        m_strName = parsed.m_strValue;
        break;
    case CSmileLine::EKind::Separator:
        m_strSeparator = parsed.m_strValue;
        break;
    case CSmileLine::EKind::Nothing:
        break;
    }
    return true;
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

    // The result is built in one buffer while the text is read once, so no
    // replacement moves the rest of the text. It starts a little longer than the
    // text, as long as the result mostly is, and grows in the rare text that smiles
    // longer: room for the maximum would be pages a small text never uses.
    // Memory running out, as the result starts or as it grows, is said before it
    // goes on.
    std::string smiled;
    bool done = false;
    try {
        smiled.reserve(std::min(maxLength, text.size() + text.size() / 8));
        CSmileWalk walk(m_ruleTable, m_random, m_nFrequency, wholeCharacters, m_smilePlaces,
                        progress);
        done = walk.Run(text, smiled, maxLength);
    } catch (const std::bad_alloc&) {
        m_notifier.ShowMessage(Cp932Text(kMsgOutOfMemory));
        throw;
    }
    text = std::move(smiled);
    return done;
}

bool CConverter::LoadSettings(IProfile& profile)
{
    m_strModeFilePath = ReadProfile(profile, kKeyModeFilePath);
    m_nFrequency = ReadProfile(profile, kKeyFrequency);
    m_bHTMLCut = ReadProfile(profile, kKeyHtmlCut) != 0;
    m_bCPPCut = ReadProfile(profile, kKeyCppCut) != 0;
    m_bReturnCode = ReadProfile(profile, kKeyReturnCode) != 0;
    m_strHankaku = ReadCp932(profile, kKeyHankaku, m_codec);
    m_strZenkaku = ReadCp932(profile, kKeyZenkaku, m_codec);
    return LoadSmileFile(m_strModeFilePath);
}

void CConverter::SaveSettings(IProfile& profile) const
{
    WriteProfile(profile, kKeyModeFilePath, m_strModeFilePath);
    WriteProfile(profile, kKeyFrequency, m_nFrequency);
    WriteProfile(profile, kKeyHtmlCut, m_bHTMLCut ? 1 : 0);
    WriteProfile(profile, kKeyCppCut, m_bCPPCut ? 1 : 0);
    WriteProfile(profile, kKeyReturnCode, m_bReturnCode ? 1 : 0);
    WriteCp932(profile, kKeyHankaku, m_strHankaku, m_codec);
    WriteCp932(profile, kKeyZenkaku, m_strZenkaku, m_codec);
}

bool CConverter::IsCensorCharacter(std::string_view cp932, bool fullWidth)
{
    if (fullWidth)
        return cp932.size() == 2 && IsLeadByte(static_cast<unsigned char>(cp932[0]));
    return cp932.size() == 1;
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
