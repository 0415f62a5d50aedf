#ifndef CHIRPWELL_DOCUMENT_DISPLAYTEXT_H
#define CHIRPWELL_DOCUMENT_DISPLAYTEXT_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CCodec;

// A CP932 text as the view shows it, with the maps between its byte positions and
// the shown positions. Every unit (a byte, or a lead byte and the byte after it)
// shows as one UTF-16 character, U+FFFD when it is no character; a CR LF pair, a
// lone CR and a lone LF each show as one '\n'. A lead byte at the very end shows as
// U+FFFD. A code of the program's own shows as its character, which beyond U+FFFF,
// or for a JIS X 0213 sequence of two, takes two UTF-16 units; both map to the
// unit's bytes.
class CDisplayText {
public:
    // codec, when given, must outlive the construction only.
    explicit CDisplayText(std::string_view cp932, const CCodec* codec = nullptr);

    const std::u16string& Shown() const { return m_shown; }
    std::size_t ByteLength() const { return m_unitStarts.back(); }

    // The shown position of the unit that holds byte; a position past the end is the
    // shown end.
    std::size_t ShownAtOrBefore(std::size_t byte) const;
    // The shown position of the first unit that starts at byte or later.
    std::size_t ShownAtOrAfter(std::size_t byte) const;
    // The byte where the unit at a shown position starts.
    std::size_t ByteAt(std::size_t shown) const;

private:
    std::u16string m_shown;
    std::vector<std::uint32_t> m_unitStarts;  // one per shown UTF-16 unit, then the length
};

#endif
