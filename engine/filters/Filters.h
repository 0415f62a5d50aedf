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

#endif
