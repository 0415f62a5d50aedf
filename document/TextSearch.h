#ifndef CHIRPWELL_DOCUMENT_TEXTSEARCH_H
#define CHIRPWELL_DOCUMENT_TEXTSEARCH_H

#include <optional>
#include <string_view>

#include "document/IDocView.h"

// The normal find over a CP932 text: the next match of needle behind the
// selection, or with up the last one before it. Matches start on character
// boundaries; without matchCase only single-byte letters fold, never a byte of a
// two-byte character. Nothing when there is no match or needle is empty.
std::optional<CSelection> FindText(std::string_view text, std::string_view needle,
                                   CSelection from, bool matchCase, bool up);

#endif
