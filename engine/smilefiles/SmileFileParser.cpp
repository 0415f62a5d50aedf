#include "engine/smilefiles/SmileFileParser.h"

#include "engine/text/Cp932.h"

bool ParseSmileLine(std::string_view line, std::string_view separator, CSmileLine& parsed)
{
    parsed = CSmileLine();
    if (line.empty() || line[0] == 'c')
        return true;
    if (FindInText(line, separator) != 1)
        return false;
    const char command = line[0];
    const std::string_view rest = line.substr(1 + separator.size());
    const std::size_t split = FindInText(rest, separator);
    if (split == 0)
        return false;
    const std::string field1(rest.substr(0, split));
    std::string field2;
    if (split != std::string_view::npos)
        field2 = rest.substr(split + separator.size());

    parsed.m_eKind = CSmileLine::EKind::Rule;
    parsed.m_strKey = field1;
    switch (command) {
    case 'r':
    case 'R':
        parsed.m_strReplacement = field2;
        return true;
    case 'a':
        parsed.m_strReplacement = field1 + field2;
        return true;
    case 'b':
        parsed.m_strReplacement = field2 + field1;
        return true;
    case 'd':
        return true;
    case 'n':
    case 's':
        parsed = CSmileLine();
        parsed.m_eKind = command == 'n' ? CSmileLine::EKind::Name : CSmileLine::EKind::Separator;
        parsed.m_strValue = field1;
        return true;
    default:
        parsed = CSmileLine();
        return false;
    }
}

int ForEachSmileLine(std::string_view content,
                     const std::function<bool(std::string_view)>& takeLine)
{
    std::string_view rest = content;
    int lineNumber = 0;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (end != std::string_view::npos && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        ++lineNumber;
        if (!takeLine(line))
            return lineNumber;
    }
    return 0;
}
