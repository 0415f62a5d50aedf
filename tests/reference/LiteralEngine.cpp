#include "tests/reference/LiteralEngine.h"

#include <array>
#include <string_view>

#include "engine/EngineTexts.h"
#include "engine/IProgress.h"
#include "engine/smile/Random.h"
#include "engine/smile/RuleTable.h"
#include "engine/text/Cp932.h"

// Written to be read against the rules, not to be fast: positions are indices into
// the text as it stands, and text[text.size()] is the terminating zero byte that the
// rules look at past the end.

namespace {

struct CEntity {
    std::string_view m_strForm;
    char m_cDecoded;
};

constexpr std::array<CEntity, 4> kEntities = {{
    {"&lt;", '<'},
    {"&gt;", '>'},
    {"&quot;", '"'},
    {"&amp;", '&'},
}};

// An empty text has no percentage.
void Report(IProgress& progress, std::size_t position, std::size_t length)
{
    if (length != 0)
        progress.SetPosition(static_cast<int>(position * 100 / length));
}

}  // namespace

bool LiteralStripHtmlTags(std::string& text, std::size_t room, IProgress& progress)
{
    progress.SetCaption(Cp932Text(kCaptionHtml));
    if (text.empty())
        return true;
    text.reserve(room);
    for (std::size_t i = 0; i < text.size(); ++i) {
        Report(progress, i, text.size());
        while (text[i] == '<') {
            const std::size_t close = text.find('>', i);
            if (close == std::string::npos)
                break;
            text.erase(i, close - i + 1);
        }
        if (text[i] == '&') {
            for (const CEntity& entity : kEntities) {
                if (text.compare(i, entity.m_strForm.size(), entity.m_strForm) == 0) {
                    text.replace(i, entity.m_strForm.size(), 1, entity.m_cDecoded);
                    break;
                }
            }
        }
        if (text.size() > room)
            break;
    }
    return true;
}

bool LiteralStripCppComments(std::string& text, std::size_t /*room*/, IProgress& progress)
{
    progress.SetCaption(Cp932Text(kCaptionComments));
    if (text.size() < 2)
        return true;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        Report(progress, i, text.size());
        while (text[i] == '/') {
            if (text[i + 1] == '*') {
                const std::size_t end = text.find("*/", i + 2);
                if (end == std::string::npos)
                    break;
                text.erase(i, end + 2 - i);
            } else if (text[i + 1] == '/') {
                const std::size_t end = text.find("\r\n", i + 2);
                if (end != std::string::npos)
                    text.erase(i, end - i);
                break;
            } else {
                break;
            }
        }
    }
    return true;
}

bool LiteralNormalizeReturnCodes(std::string& text, std::size_t room, IProgress& progress)
{
    progress.SetCaption(Cp932Text(kCaptionNewlines));
    if (text.empty())
        return true;
    text.reserve(room);
    for (std::size_t i = 0; i < text.size(); ++i) {
        // At or over the room there is no place for another byte; a text that came in
        // over it is left alone.
        if (text.size() >= room)
            break;
        Report(progress, i, text.size());
        if (text[i] == '\r' && text[i + 1] != '\n') {
            text.insert(i + 1, 1, '\n');
            ++i;
        }
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            text.insert(i, 1, '\r');
            ++i;
        }
    }
    return true;
}

bool LiteralConvert(std::string& text, const CRuleTable& ruleTable, int frequency,
                    CRandom& random, std::size_t maxLength, CSmilePlaceList& places,
                    IProgress& progress, bool wholeCharacters)
{
    progress.SetCaption(Cp932Text(kCaptionSmiling));
    // Cutting the text to the room would lose its end.
    if (text.size() > maxLength)
        return false;
    text.reserve(maxLength);
    // The character walk over the text as it stands: the first character start at or
    // after the positions it has passed.
    std::size_t walk = 0;
    auto characterEnd = [&text](std::size_t from, std::size_t to) {
        while (from < to)
            from += IsLeadByte(static_cast<unsigned char>(text[from])) ? 2 : 1;
        return from;
    };
    std::size_t i = 0;
    while (i <= text.size()) {
        Report(progress, i, text.size());
        if (random.Next() % 100 >= frequency) {
            ++i;
            continue;
        }
        if (wholeCharacters) {
            walk = characterEnd(walk, i);
            // A second byte: no rule matches here, and nothing is drawn.
            if (walk != i) {
                ++i;
                continue;
            }
        }
        const CSmileRule* choice = nullptr;
        int matches = 1;
        for (const CSmileRule& rule : ruleTable.Lookup(static_cast<unsigned char>(text[i]))) {
            const std::size_t keyLength = rule.m_strKey.size();
            if (i + keyLength > text.size())
                continue;
            if (text.compare(i, keyLength, rule.m_strKey) != 0)
                continue;
            if (wholeCharacters && characterEnd(i, i + keyLength) != i + keyLength)
                continue;
            if (random.Next() % matches == 0)
                choice = &rule;
            ++matches;
        }
        if (choice == nullptr) {
            ++i;
            continue;
        }
        const std::size_t keyLength = choice->m_strKey.size();
        const std::size_t replacementLength = choice->m_strReplacement.size();
        if (text.size() - keyLength + replacementLength > maxLength)
            return false;
        text.replace(i, keyLength, choice->m_strReplacement);
        places.push_back({i, replacementLength});
        // Nothing put in place of nothing would be found again at once, for ever.
        if (keyLength == 0 && replacementLength == 0)
            ++i;
        else
            i += static_cast<std::size_t>(choice->m_nReplacementLength);
    }
    return true;
}
