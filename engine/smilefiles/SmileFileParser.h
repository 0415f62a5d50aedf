#ifndef CHIRPWELL_ENGINE_SMILEFILES_SMILEFILEPARSER_H
#define CHIRPWELL_ENGINE_SMILEFILES_SMILEFILEPARSER_H

#include <functional>
#include <string>
#include <string_view>

// The lines of a smile file, CP932: a command byte, the separator, field 1, the
// separator again and field 2, which runs to the end of the line.

// What one line asks for.
struct CSmileLine {
    enum class EKind { Nothing, Rule, Name, Separator };
    EKind m_eKind = EKind::Nothing;  // Nothing: an empty line or a comment
    std::string m_strKey;            // Rule, as written ("#" escapes unresolved)
    std::string m_strReplacement;    // Rule, as written, the key joined for "a" and "b"
    std::string m_strValue;          // Name or Separator: field 1
};

// Takes line, without its line end, apart with separator; false for a bad line.
bool ParseSmileLine(std::string_view line, std::string_view separator, CSmileLine& parsed);

// Gives each line of content to takeLine, without its end (CR LF or LF; a last line
// without an end still counts), until takeLine returns false. The number of that
// line, from 1, or 0 when every line was taken.
int ForEachSmileLine(std::string_view content,
                     const std::function<bool(std::string_view)>& takeLine);

#endif
