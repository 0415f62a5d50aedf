#include "engine/text/StreamEncoder.h"

#include "engine/text/Codec.h"
#include "engine/text/Cp932.h"

namespace {

// Whether text ends in a lead byte whose second byte is still to come; text starts
// with a character.
bool EndsInLeadByte(std::string_view text)
{
    // The byte before a run of lead-byte values ends a character, so the run pairs
    // up from its start.
    std::size_t run = 0;
    while (run < text.size() && IsLeadByte(static_cast<unsigned char>(text[text.size() - run - 1])))
        ++run;
    return run % 2 == 1;
}

}  // namespace

CStreamEncoder::CStreamEncoder(const CCodec& codec, EEncoding encoding, bool transcoded,
                               bool wholePairs)
    : m_codec(codec),
      m_eEncoding(encoding),
      m_bCheck(encoding != EEncoding::ShiftJis || transcoded || codec.CodesGiven() > 0),
      m_counter(wholePairs)
{
}

void CStreamEncoder::AddPlaces(const CSmilePlaceList& places)
{
    for (const CSmilePlace& place : places) {
        m_bounds.push_back(place.m_nPosition);
        m_bounds.push_back(place.m_nPosition + place.m_nLength);
    }
}

bool CStreamEncoder::Write(std::string_view cp932, bool last, std::string& out,
                           CSmilePlaceList* places, CStreamFault& fault)
{
    std::string_view part = cp932;
    if (m_bCheck) {
        m_strPart.append(cp932);
        part = m_strPart;
        if (!last && EndsInLeadByte(part))
            part.remove_suffix(1);
    }
    // Shift_JIS is the text as it stands, and its places are the text's.
    const bool shiftJis = m_eEncoding == EEncoding::ShiftJis;
    const std::size_t kept = out.size();
    CTextFault textFault;
    if (shiftJis) {
        if (m_bCheck && !m_codec.FitsShiftJis(part, textFault))
            return Fail(textFault, part, fault);
        out.append(part);
    } else {
        m_offsets.clear();
        const std::size_t end = m_nRead + part.size();
        for (std::size_t k = m_mapped.size(); k < m_bounds.size() && m_bounds[k] <= end; ++k)
            m_offsets.push_back(m_bounds[k] - m_nRead);
        std::size_t length = 0;
        if (!m_codec.EncodePart(part, m_eEncoding, m_bMark, m_iso, m_strBytes, length,
                                m_offsets.empty() ? nullptr : &m_offsets, textFault))
            return Fail(textFault, part, fault);
        out.append(m_strBytes, 0, length);
        if (last)
            m_iso.Finish(out);
        m_bMark = false;
        for (const std::size_t offset : m_offsets)
            m_mapped.push_back(m_nWritten + offset);
    }
    if (shiftJis) {
        while (!m_bounds.empty() && m_bounds.size() >= 2 && m_bounds[1] <= m_nRead + part.size()) {
            if (places)
                places->push_back({m_bounds[0], m_bounds[1] - m_bounds[0]});
            m_bounds.erase(m_bounds.begin(), m_bounds.begin() + 2);
        }
    } else {
        std::size_t pairs = 0;
        for (; 2 * pairs + 1 < m_mapped.size(); ++pairs) {
            if (places)
                places->push_back({m_mapped[2 * pairs], m_mapped[2 * pairs + 1] - m_mapped[2 * pairs]});
        }
        m_bounds.erase(m_bounds.begin(), m_bounds.begin() + static_cast<std::ptrdiff_t>(2 * pairs));
        m_mapped.erase(m_mapped.begin(), m_mapped.begin() + static_cast<std::ptrdiff_t>(2 * pairs));
    }
    if (m_bCheck)
        m_counter.Advance(part);
    m_nRead += part.size();
    m_nWritten += out.size() - kept;
    if (m_bCheck)
        m_strPart.erase(0, part.size());
    return true;
}

bool CStreamEncoder::Fail(const CTextFault& textFault, std::string_view part, CStreamFault& fault)
{
    fault = {};
    fault.m_eKind = CStreamFault::EKind::Unencodable;
    fault.m_eEncoding = m_eEncoding;
    fault.m_character = textFault.m_character;
    fault.m_strBytes.assign(part.substr(textFault.m_nOffset, textFault.m_nLength));
    fault.m_place = m_counter.PlaceAt(part, textFault.m_nOffset);
    return false;
}
