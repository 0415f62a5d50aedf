#ifndef CHIRPWELL_ENGINE_TEXT_STREAMDECODER_H
#define CHIRPWELL_ENGINE_TEXT_STREAMDECODER_H

#include <string>
#include <string_view>

#include "engine/text/Encoding.h"
#include "engine/text/Iso2022Jp.h"
#include "engine/text/PlaceCounter.h"
#include "engine/text/StreamFault.h"

class CCodec;

// Reads a stream's bytes in one encoding as CP932 text, a part at a time, as the codec
// reads a whole file: a character cut by the end of a part waits for the next,
// ISO-2022-JP's set goes on, a byte-order mark is read only at the start, and
// characters that CP932 lacks take codes as they come. A Shift_JIS text is its bytes
// as they come; when the codec has given codes, a pair of its own that one of them
// took is a fault. The codec, started for this text, must outlive the decoder.
class CStreamDecoder {
public:
    CStreamDecoder(CCodec& codec, EEncoding encoding);
    CStreamDecoder(const CStreamDecoder&) = delete;
    CStreamDecoder& operator=(const CStreamDecoder&) = delete;

    // The CP932 text of the next bytes, of all that are left when last; text lasts
    // until the next call. False with the fault and the place of its byte.
    bool Read(std::string_view bytes, bool last, std::string_view& text, CStreamFault& fault);
    // Where the text read so far ends.
    CTextPlace Place() const { return m_counter.Place(); }

private:
    bool ReadShiftJis(std::string_view bytes, bool last, std::string_view& text,
                      CStreamFault& fault);
    // Decodes data, the held bytes and the new ones, at the start of buffer, as the
    // codec's DecodePart does.
    bool Decode(std::string_view data, bool last, std::string& buffer, std::size_t& length,
                std::size_t& used, CTextFault& fault);
    // The fault of kind at offset of data, placed after the text before it; a fault
    // that reading that text finds first is told instead.
    bool Fail(CStreamFault::EKind kind, std::string_view data, std::size_t offset,
              CStreamFault& fault);

    CCodec& m_codec;
    const EEncoding m_eNamed;  // the encoding as chosen, for the messages
    EEncoding m_eEncoding;     // the form the next part is read in
    CIso2022JpReader m_iso;
    bool m_bCheckPairs;
    std::string m_strHeld;  // the start of the next part: bytes the last one cut
    std::string m_strText;  // the last part's text, when it had to be made, and room
    CPlaceCounter m_counter;  // a transcoded text is whole pairs
};

#endif
