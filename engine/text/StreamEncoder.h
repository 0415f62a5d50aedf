#ifndef CHIRPWELL_ENGINE_TEXT_STREAMENCODER_H
#define CHIRPWELL_ENGINE_TEXT_STREAMENCODER_H

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "engine/smile/SmilePlace.h"
#include "engine/text/Encoding.h"
#include "engine/text/Iso2022Jp.h"
#include "engine/text/PlaceCounter.h"
#include "engine/text/StreamFault.h"

class CCodec;

// Writes a stream's CP932 text in the output's encoding a part at a time, with the
// bytes one Encode of the whole text would give: a lead byte at a part's end waits for
// its second byte, the byte-order mark starts the first part, ISO-2022-JP's set goes
// on and returns to ASCII at the end. It turns the smiled places, in bytes of the
// CP932 text, into places in the bytes written. The codec must outlive it.
class CStreamEncoder {
public:
    // transcoded: the text was read from another encoding, so that the codec may give
    // codes while the stream goes on; wholePairs: every lead byte of the text will be
    // followed by a second byte of 0x40 or above, as CPlaceCounter takes it.
    CStreamEncoder(const CCodec& codec, EEncoding encoding, bool transcoded, bool wholePairs);
    CStreamEncoder(const CStreamEncoder&) = delete;
    CStreamEncoder& operator=(const CStreamEncoder&) = delete;

    // Smiled places of the text after those given before, in bytes of the CP932 text.
    void AddPlaces(const CSmilePlaceList& places);
    // Appends the bytes of the next part, of all that is left when last, to out, and
    // the places that now lie in bytes written to places, when given. False with the
    // fault, placed in the text written, and nothing appended.
    bool Write(std::string_view cp932, bool last, std::string& out, CSmilePlaceList* places,
               CStreamFault& fault);

private:
    bool Fail(const CTextFault& textFault, std::string_view part, CStreamFault& fault);

    const CCodec& m_codec;
    const EEncoding m_eEncoding;
    const bool m_bCheck;  // a character may be one the encoding lacks
    bool m_bMark = true;  // the mark is still to come
    CIso2022JpWriter m_iso;
    std::string m_strPart;   // the held lead byte and the next part
    std::string m_strBytes;  // room for a part's bytes
    CPlaceCounter m_counter;
    std::size_t m_nRead = 0;     // bytes of CP932 text written so far
    std::size_t m_nWritten = 0;  // bytes they became
    // Starts and ends of the places not yet in bytes written, in order, and the bytes
    // written of those mapped already (a start whose end is to come).
    std::deque<std::size_t> m_bounds;
    std::vector<std::size_t> m_mapped;
    std::vector<std::size_t> m_offsets;
};

#endif
