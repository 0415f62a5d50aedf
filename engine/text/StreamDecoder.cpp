#include "engine/text/StreamDecoder.h"

#include <cstring>

#include "engine/text/Codec.h"
#include "engine/text/Cp932.h"

namespace {

// The form of encoding without its byte-order mark, for the parts after the first:
// a U+FEFF there is a character like any other.
EEncoding WithoutMark(EEncoding encoding)
{
    switch (encoding) {
    case EEncoding::Utf8Bom:
        return EEncoding::Utf8;
    case EEncoding::Utf16LeBom:
        return EEncoding::Utf16Le;
    case EEncoding::Utf16BeBom:
        return EEncoding::Utf16Be;
    default:
        return encoding;
    }
}

CStreamFault::EKind KindOf(const CTextFault& fault)
{
    switch (fault.m_eKind) {
    case CTextFault::EKind::Zero:
        return CStreamFault::EKind::Zero;
    case CTextFault::EKind::TooManyCharacters:
        return CStreamFault::EKind::CodesRanOut;
    default:
        return CStreamFault::EKind::Malformed;
    }
}

// The bytes of data that end with a whole CP932 character: all, or all but a last
// lead byte whose second byte is still to come.
std::size_t WholeUnits(std::string_view data)
{
    std::size_t at = 0;
    while (at < data.size())
        at += IsLeadByte(static_cast<unsigned char>(data[at])) ? 2 : 1;
    return at > data.size() ? data.size() - 1 : data.size();
}

}  // namespace

CStreamDecoder::CStreamDecoder(CCodec& codec, EEncoding encoding)
    : m_codec(codec),
      m_eNamed(encoding),
      m_eEncoding(encoding),
      m_bCheckPairs(encoding == EEncoding::ShiftJis && codec.CodesGiven() > 0),
      m_counter(IsTranscoded(encoding))
{
}

bool CStreamDecoder::Read(std::string_view bytes, bool last, std::string_view& text,
                          CStreamFault& fault)
{
    if (m_eEncoding == EEncoding::ShiftJis)
        return ReadShiftJis(bytes, last, text, fault);
    std::string_view data = bytes;
    if (!m_strHeld.empty()) {
        m_strHeld.append(bytes);
        data = m_strHeld;
    }
    // UTF-16 is made of zero bytes and refuses U+0000 as it reads.
    const void* zero = IsUtf16(m_eEncoding) ? nullptr : std::memchr(data.data(), 0, data.size());
    if (zero)
        return Fail(CStreamFault::EKind::Zero, data,
                    static_cast<std::size_t>(static_cast<const char*>(zero) - data.data()), fault);
    std::size_t length = 0;
    std::size_t used = 0;
    CTextFault textFault;
    if (!Decode(data, last, m_strText, length, used, textFault))
        return Fail(KindOf(textFault), data, textFault.m_nOffset, fault);
    m_eEncoding = WithoutMark(m_eEncoding);
    m_strHeld = std::string(data.substr(used));
    text = std::string_view(m_strText).substr(0, length);
    m_counter.Advance(text);
    return true;
}

bool CStreamDecoder::ReadShiftJis(std::string_view bytes, bool last, std::string_view& text,
                                  CStreamFault& fault)
{
    std::string_view data = bytes;
    if (m_bCheckPairs) {
        // Pairs are told apart only whole.
        m_strText.assign(m_strHeld);
        m_strText.append(bytes);
        data = m_strText;
        const std::size_t whole = last ? data.size() : WholeUnits(data);
        m_strHeld.assign(data.substr(whole));
        data = data.substr(0, whole);
    }
    if (const void* zero = std::memchr(data.data(), 0, data.size()))
        return Fail(CStreamFault::EKind::Zero, data,
                    static_cast<std::size_t>(static_cast<const char*>(zero) - data.data()), fault);
    CTextFault textFault;
    if (m_bCheckPairs && !m_codec.FitsShiftJis(data, textFault))
        return Fail(CStreamFault::EKind::TakenPair, data, textFault.m_nOffset, fault);
    m_counter.Advance(data);
    text = data;
    return true;
}

bool CStreamDecoder::Decode(std::string_view data, bool last, std::string& buffer,
                            std::size_t& length, std::size_t& used, CTextFault& fault)
{
    if (m_eEncoding == EEncoding::Iso2022Jp) {
        fault = {};
        buffer.clear();
        const bool read = m_iso.Read(data, last, buffer, used, fault.m_nOffset);
        length = buffer.size();
        return read;
    }
    return m_codec.DecodePart(data, m_eEncoding, last, buffer, length, used, fault);
}

bool CStreamDecoder::Fail(CStreamFault::EKind kind, std::string_view data, std::size_t offset,
                          CStreamFault& fault)
{
    fault = {};
    fault.m_eKind = kind;
    fault.m_eEncoding = m_eNamed;
    std::string before;
    if (m_eEncoding == EEncoding::ShiftJis) {
        before.assign(data.substr(0, offset));
        if (kind == CStreamFault::EKind::TakenPair)
            fault.m_strBytes.assign(data.substr(offset, 2));
    } else {
        // The text before the fault, read by a copy of the state that read the rest.
        const CCodec codec = m_codec;
        const CIso2022JpReader iso = m_iso;
        std::size_t length = 0;
        std::size_t used = 0;
        CTextFault earlier;
        const bool read = Decode(data.substr(0, offset), true, before, length, used, earlier);
        before.resize(length);
        if (!read) {
            m_codec = codec;
            m_iso = iso;
            if (earlier.m_nOffset < offset)
                return Fail(KindOf(earlier), data, earlier.m_nOffset, fault);
        }
        m_codec = codec;
        m_iso = iso;
    }
    fault.m_place = m_counter.PlaceAt(before, before.size());
    return false;
}
