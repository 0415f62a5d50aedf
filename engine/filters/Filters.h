#ifndef CHIRPWELL_ENGINE_FILTERS_FILTERS_H
#define CHIRPWELL_ENGINE_FILTERS_FILTERS_H

#include <cstddef>
#include <string>

class IProgress;

// The input filters that may run before a text is smiled. Each edits a CP932 text in
// place, scanning it byte for byte (every byte they look for is below 0x40, so never
// the second byte of a character), and reports its progress. room is the most bytes
// the text may reach. Each always succeeds and returns true.

// Removes every tag from a '<' to the first '>' after it and decodes "&lt;",
// "&gt;", "&quot;" and "&amp;"; a decoded character is not looked at again.
bool StripHtmlTags(std::string& text, std::size_t room, IProgress& progress);

// Removes block comments up to the first "*/" and line comments up to, not
// including, the next CR LF; unterminated comments stay.
bool StripCppComments(std::string& text, std::size_t room, IProgress& progress);

// Makes every lone CR and lone LF a CR LF pair, until the text reaches room bytes.
bool NormalizeReturnCodes(std::string& text, std::size_t room, IProgress& progress);

// The HTML and comment filters on a part of a text that comes in parts, without a
// room. Unless the part is the last, each stops where its result would depend on what
// follows (an open tag, an entity or a comment that may go on, a last byte that may
// start a comment), leaves the bytes from there unfiltered at the end of text, and
// gives their count; the next part must start with them. No caption is set.
std::size_t StripHtmlTagsPart(std::string& text, bool last, IProgress& progress);
std::size_t StripCppCommentsPart(std::string& text, bool last, IProgress& progress);

#endif
