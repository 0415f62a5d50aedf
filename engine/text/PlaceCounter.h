#ifndef CHIRPWELL_ENGINE_TEXT_PLACECOUNTER_H
#define CHIRPWELL_ENGINE_TEXT_PLACECOUNTER_H

#include <cstddef>
#include <string_view>

#include "engine/text/Codec.h"

// The line and column that a CP932 text coming in parts has reached, counted as
// PlaceInBytes counts them: a CR LF pair, a lone CR and a lone LF each end a line,
// and columns count characters, a lead byte and the byte after it being one. The
// parts may cut a character in two.
class CPlaceCounter {
public:
    // wholePairs: every lead byte of the text is followed by a second byte of 0x40 or
    // above, as in a text read from another encoding, so that no CR or LF is one;
    // the count then takes a shorter way.
    explicit CPlaceCounter(bool wholePairs = false) : m_bWholePairs(wholePairs) {}

    // Moves past text, the next part.
    void Advance(std::string_view text);
    // The place of the byte the next part starts with.
    CTextPlace Place() const { return m_place; }
    // The place of text[offset], text being the next part.
    CTextPlace PlaceAt(std::string_view text, std::size_t offset) const;

private:
    CTextPlace m_place;
    bool m_bWholePairs;
    bool m_bAfterCr = false;  // the last byte was a CR that ended a line
    bool m_bInPair = false;   // the last byte was a lead byte; its second byte is next
};

#endif
