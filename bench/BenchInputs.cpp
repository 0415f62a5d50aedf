#include "bench/BenchInputs.h"

#include <cstdint>
#include <set>
#include <string_view>
#include <utility>

#include "engine/Limits.h"

namespace {

constexpr std::string_view kMaru = "\x81\x42";  // 。
constexpr std::string_view kTen = "\x81\x41";   // 、

// The runtime's own generator, so that the inputs are the same with every library.
class CBenchRandom {
public:
    explicit CBenchRandom(std::uint32_t seed) : m_nState(seed) {}
    std::uint32_t Below(std::uint32_t bound)
    {
        m_nState = m_nState * 1103515245u + 12345u;
        return (m_nState >> 8) % bound;
    }

private:
    std::uint32_t m_nState;
};

void AppendHiragana(std::string& text, CBenchRandom& random)
{
    text += '\x82';
    text += static_cast<char>(0x9F + random.Below(0xF1 - 0x9F + 1));
}

void AppendKanji(std::string& text, CBenchRandom& random)
{
    text += static_cast<char>(0x89 + random.Below(0x97 - 0x89 + 1));
    text += static_cast<char>(0x80 + random.Below(0xFC - 0x80 + 1));
}

// One to four characters, kanji first as words often go.
void AppendWord(std::string& text, CBenchRandom& random)
{
    const std::uint32_t kanji = random.Below(3);
    for (std::uint32_t k = 0; k < kanji; ++k)
        AppendKanji(text, random);
    const std::uint32_t kana = 1 + random.Below(3);
    for (std::uint32_t k = 0; k < kana; ++k)
        AppendHiragana(text, random);
}

// A sentence of a few clauses; some end in the built-in set's longer keys.
void AppendSentence(std::string& text, CBenchRandom& random)
{
    const std::uint32_t clauses = 1 + random.Below(3);
    for (std::uint32_t c = 0; c < clauses; ++c) {
        const std::uint32_t words = 2 + random.Below(4);
        for (std::uint32_t w = 0; w < words; ++w)
            AppendWord(text, random);
        if (c + 1 < clauses)
            text += random.Below(8) == 0 ? "\x82\xC8\x82\xCC\x82\xC5\x81\x41" : kTen;  // なので、
    }
    switch (random.Below(4)) {
    case 0:
        text += "\x82\xC5\x82\xB7";  // です
        break;
    case 1:
        text += "\x82\xDC\x82\xB7";  // ます
        break;
    default:
        break;
    }
    text += kMaru;
}

std::string MakeTagDenseHtml()
{
    static constexpr std::string_view kOpenTags[] = {
        "<p class=\"note\">", "<span style=\"color:red\">", "<a href=\"page.html#top\">",
        "<b>", "<td align=\"left\" valign=\"top\">", "<div id=\"main\">"};
    static constexpr std::string_view kCloseTags[] = {"</p>", "</span>", "</a>",
                                                      "</b>", "</td>", "</div>"};
    CBenchRandom random(1);
    std::string html = "<html><head><title>bench</title></head><body>\n";
    const std::size_t limit = kTextLimit - 64;
    while (html.size() < limit) {
        const std::uint32_t tag = random.Below(6);
        html += kOpenTags[tag];
        AppendWord(html, random);
        if (random.Below(3) == 0)
            html += kTen;
        if (random.Below(10) == 0)
            html += random.Below(2) == 0 ? "&amp;" : "&lt;";
        html += kCloseTags[tag];
        if (random.Below(4) == 0)
            html += "<br>\n";
    }
    html.resize(limit);
    // Close whatever the cut left open so that the end is ordinary text.
    html += ">\n</body></html>\n";
    return html;
}

std::string MakeLfOnlyJapanese()
{
    CBenchRandom random(2);
    std::string text;
    std::size_t lineFeeds = 0;
    // Every line adds its bytes and, once filtered, a CR.
    while (text.size() + lineFeeds + 6 <= kTextLimit) {
        AppendHiragana(text, random);
        if (random.Below(100) < 52)
            AppendKanji(text, random);
        text += '\n';
        ++lineFeeds;
    }
    // Fill the rest exactly: a line of n bytes and its LF grow to n + 2.
    const std::size_t left = kTextLimit - (text.size() + lineFeeds);
    if (left >= 2) {
        text.append(left - 2, 'a');
        text += '\n';
    }
    return text;
}

std::string MakeJapaneseProse()
{
    CBenchRandom random(3);
    std::string text;
    while (text.size() < 520000) {
        const std::uint32_t sentences = 1 + random.Below(4);
        for (std::uint32_t s = 0; s < sentences; ++s)
            AppendSentence(text, random);
        text += "\r\n";
    }
    return text;
}

std::string MakeCommentDenseC(bool crLf)
{
    static constexpr std::string_view kCode[] = {
        "    total += values[i] * scale;", "    if (count > limit) return -1;",
        "int Next(struct state* s)", "{", "}", "    s->position = s->position + 1;"};
    const std::string_view end = crLf ? "\r\n" : "\n";
    CBenchRandom random(crLf ? 4 : 5);
    std::string text;
    const std::size_t limit = kTextLimit - 256;
    while (text.size() < limit) {
        switch (random.Below(4)) {
        case 0:
            text += kCode[random.Below(6)];
            text += " /* adjust the position */";
            break;
        case 1:
            text += kCode[random.Below(6)];
            text += " // keep the old value: callers rely on it";
            break;
        case 2:
            text += "/*";
            text += end;
            text += " * The state moves on by one byte per step; a step that";
            text += end;
            text += " * finds nothing leaves it where it was.";
            text += end;
            text += " */";
            break;
        default:
            text += "// ";
            AppendSentence(text, random);
            break;
        }
        text += end;
    }
    return text;
}

std::string MakePunctuationDense()
{
    CBenchRandom random(6);
    std::string text;
    while (text.size() < 300000) {
        switch (random.Below(6)) {
        case 0:
            AppendHiragana(text, random);
            break;
        case 1:
        case 2:
            text += kMaru;
            break;
        default:
            text += kTen;
            break;
        }
        if (random.Below(40) == 0)
            text += "\r\n";
    }
    return text;
}

std::string MakeProseHalf()
{
    const std::string& prose = JapaneseProse();
    const std::size_t cut = prose.find("\r\n", 260000);
    return prose.substr(0, cut == std::string::npos ? prose.size() : cut + 2);
}

// A character of the prose's own alphabet: hiragana or kanji as the prose makes them.
std::string ProseCharacter(CBenchRandom& random)
{
    std::string character;
    if (random.Below(2) == 0)
        AppendHiragana(character, random);
    else
        AppendKanji(character, random);
    return character;
}

// Short keys are "。" or "、" and one character, 4 bytes, or 5 with the lead byte of
// the next; long ones add two characters (8 bytes) or one and a lead byte (7), the
// same length for all that share their first six bytes. So at most one short and
// one long key match at any position.
std::vector<std::string> MakeManyKeys()
{
    CBenchRandom random(7);
    std::set<std::string> seen;
    std::vector<std::string> keys;
    auto add = [&](std::string key) {
        if (seen.insert(key).second)
            keys.push_back(std::move(key));
    };
    for (const std::string_view mark : {kMaru, kTen}) {
        for (unsigned second = 0x9F; second <= 0xF1; ++second) {
            std::string key(mark);
            key += '\x82';
            key += static_cast<char>(second);
            add(second % 3 == 0 ? key + '\x82' : key);
        }
        for (unsigned lead = 0x89; lead <= 0x97; ++lead) {
            for (unsigned second = 0x80; second <= 0xFC; ++second) {
                std::string key(mark);
                key += static_cast<char>(lead);
                key += static_cast<char>(second);
                add(second % 3 == 0 ? key + static_cast<char>(0x89 + second % 15) : key);
            }
        }
    }
    while (keys.size() < 100000) {
        std::string key(random.Below(2) == 0 ? kMaru : kTen);
        key += ProseCharacter(random);
        key += ProseCharacter(random);
        const bool eight = (static_cast<unsigned char>(key[3]) + static_cast<unsigned char>(key[5])) % 2 == 0;
        if (eight)
            key += ProseCharacter(random);
        else
            key += static_cast<char>(random.Below(2) == 0 ? 0x82 : 0x89 + random.Below(15));
        add(std::move(key));
    }
    // Added in no particular order, so that the order of the rules is not that of
    // their lengths.
    for (std::size_t k = keys.size() - 1; k > 0; --k)
        std::swap(keys[k], keys[random.Below(static_cast<std::uint32_t>(k + 1))]);
    return keys;
}

}  // namespace

const std::string& TagDenseHtml()
{
    static const std::string text = MakeTagDenseHtml();
    return text;
}

const std::string& LfOnlyJapanese()
{
    static const std::string text = MakeLfOnlyJapanese();
    return text;
}

const std::string& JapaneseProse()
{
    static const std::string text = MakeJapaneseProse();
    return text;
}

const std::string& CommentDenseC(bool crLf)
{
    static const std::string withCrLf = MakeCommentDenseC(true);
    static const std::string withLf = MakeCommentDenseC(false);
    return crLf ? withCrLf : withLf;
}

const std::string& PunctuationDense()
{
    static const std::string text = MakePunctuationDense();
    return text;
}

const std::string& ProseHalf()
{
    static const std::string text = MakeProseHalf();
    return text;
}

const std::vector<std::string>& ManyKeys()
{
    static const std::vector<std::string> keys = MakeManyKeys();
    return keys;
}
