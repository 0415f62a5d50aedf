#include "cli/FixedTexts.h"

#include <vector>

#include "engine/EngineTexts.h"
#include "engine/text/TextFormat.h"
#include "programs/Translation.h"

namespace {

// A fixed text marks what is filled in with "%d" or "%1" to "%9"; its English
// name has "%1", "%2" for them, in the same order.
struct CFixedText {
    const char* m_japanese;
    const char* m_english;
};

constexpr CFixedText kFixedTexts[] = {
    {kMsgTooLong, TrNoop("the smiled text would be longer than 524,287 bytes; nothing is converted")},
    {kMsgSmileFileFailed, TrNoop("the smile file could not be loaded")},
    {kMsgFileTooLarge, TrNoop("the file is too large to open")},
    {kMsgLineError, TrNoop("read error on line %1")},
    {kMsgOutOfMemory, TrNoop("out of memory")},
    {kMsgCannotDecode, TrNoop("%1 cannot be read as %2")},
    {kMsgTooManyCharacters, TrNoop("%1 has too many kinds of characters that Shift_JIS lacks (%2)")},
    {kMsgZeroByte, TrNoop("%1 is no text file (it holds a zero byte)")},
    {kMsgUnreadEncoding, TrNoop("%1 starts with the byte-order mark of %2, which Chirpwell does not read")},
};

// Where the first field of format starts, or its size when it has none.
std::size_t FindField(std::string_view format)
{
    for (std::size_t at = format.find('%'); at != std::string_view::npos;
         at = format.find('%', at + 1)) {
        const char next = at + 1 < format.size() ? format[at + 1] : '\0';
        if (next == 'd' || (next >= '1' && next <= '9'))
            return at;
    }
    return format.size();
}

// Whether text is format with its fields filled in, each field one byte or more;
// the fields found go to fields. Each field is taken as short as the rest allows.
bool Match(std::string_view format, std::string_view text, std::vector<std::string>& fields)
{
    const std::string_view literal = format.substr(0, FindField(format));
    if (text.substr(0, literal.size()) != literal)
        return false;
    format.remove_prefix(literal.size());
    text.remove_prefix(literal.size());
    if (format.empty())
        return text.empty();
    format.remove_prefix(2);
    for (std::size_t length = 1; length <= text.size(); ++length) {
        fields.emplace_back(text.substr(0, length));
        if (Match(format, text.substr(length), fields))
            return true;
        fields.pop_back();
    }
    return false;
}

}  // namespace

std::string FixedText(std::string_view japanese)
{
    for (const CFixedText& fixed : kFixedTexts) {
        std::vector<std::string> fields;
        if (!Match(fixed.m_japanese, japanese, fields))
            continue;
        fields.resize(3);
        return FormatMessage(Tr(fixed.m_english), fields[0], fields[1], fields[2]);
    }
    return std::string(japanese);
}
