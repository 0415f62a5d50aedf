#include "engine/text/Iso2022Jp.h"

#include "engine/text/CodecTables.h"
#include "engine/text/Cp932.h"

namespace {

constexpr char kEscape = '\x1B';

bool IsJisByte(unsigned char byte)
{
    return byte >= 0x21 && byte <= 0x7E;
}

// The CP932 pair of a JIS X 0208 code, by the Shift_JIS arithmetic.
void JisToCp932(unsigned char first, unsigned char second, unsigned char& lead,
                unsigned char& trail)
{
    lead = static_cast<unsigned char>(((first + 1) >> 1) + (first <= 0x5E ? 0x70 : 0xB0));
    if (first & 1)
        trail = static_cast<unsigned char>(second + (second >= 0x60 ? 0x20 : 0x1F));
    else
        trail = static_cast<unsigned char>(second + 0x7E);
}

// The JIS X 0208 code of a CP932 pair; false beyond the 94 rows of JIS X 0208.
bool Cp932ToJis(unsigned char lead, unsigned char trail, unsigned char& first,
                unsigned char& second)
{
    if (lead > 0xEF || trail < 0x40 || trail == 0x7F || trail > 0xFC)
        return false;
    const int row = (lead <= 0x9F ? lead - 0x70 : lead - 0xB0) * 2;
    if (trail < 0x9F) {
        first = static_cast<unsigned char>(row - 1);
        second = static_cast<unsigned char>(trail - (trail > 0x7F ? 0x20 : 0x1F));
    } else {
        first = static_cast<unsigned char>(row);
        second = static_cast<unsigned char>(trail - 0x7E);
    }
    return true;
}

bool IsCp932Character(unsigned char lead, unsigned char trail)
{
    return kCp932Pairs[LeadIndex(lead) * 256 + trail] != kNoCharacter;
}

enum class EMode { Ascii, JisX0208, Katakana, Unknown };

// The set an escape sequence at bytes[at] designates, and its length.
EMode Designation(std::string_view bytes, std::size_t at, std::size_t& length)
{
    length = 3;
    const std::string_view rest = bytes.substr(at);
    if (rest.starts_with("\x1B(B") || rest.starts_with("\x1B(J"))
        return EMode::Ascii;
    if (rest.starts_with("\x1B$@") || rest.starts_with("\x1B$B"))
        return EMode::JisX0208;
    if (rest.starts_with("\x1B(I"))
        return EMode::Katakana;
    return EMode::Unknown;
}

}  // namespace

bool HasIso2022JpEscape(std::string_view bytes)
{
    for (std::size_t at = bytes.find(kEscape); at != std::string_view::npos;
         at = bytes.find(kEscape, at + 1)) {
        std::size_t length = 0;
        if (Designation(bytes, at, length) != EMode::Unknown)
            return true;
    }
    return false;
}

bool DecodeIso2022Jp(std::string_view bytes, std::string& cp932, std::size_t& faultOffset)
{
    std::string out;
    out.reserve(bytes.size());
    EMode mode = EMode::Ascii;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        faultOffset = i;
        if (byte == static_cast<unsigned char>(kEscape)) {
            std::size_t length = 0;
            mode = Designation(bytes, i, length);
            if (mode == EMode::Unknown)
                return false;
            i += length;
            continue;
        }
        if (byte >= 0x80)
            return false;
        // Line ends and other controls are themselves in any set, as lenient readers
        // of mail take them.
        if (mode == EMode::Ascii || !IsJisByte(byte)) {
            out += static_cast<char>(byte);
            ++i;
        } else if (mode == EMode::Katakana) {
            if (byte > 0x5F)
                return false;
            out += static_cast<char>(byte + 0x80);
            ++i;
        } else {
            if (i + 1 >= bytes.size() || !IsJisByte(static_cast<unsigned char>(bytes[i + 1])))
                return false;
            unsigned char lead = 0;
            unsigned char trail = 0;
            JisToCp932(byte, static_cast<unsigned char>(bytes[i + 1]), lead, trail);
            if (!IsCp932Character(lead, trail))
                return false;
            out += static_cast<char>(lead);
            out += static_cast<char>(trail);
            i += 2;
        }
    }
    cp932 = std::move(out);
    return true;
}

void CIso2022JpWriter::Switch(ESet set, std::string& out)
{
    if (set == m_eSet)
        return;
    m_eSet = set;
    out += set == ESet::Ascii ? "\x1B(B" : set == ESet::JisX0208 ? "\x1B$B" : "\x1B(I";
}

bool CIso2022JpWriter::Put(std::string_view unit, std::string& out)
{
    const auto byte = static_cast<unsigned char>(unit[0]);
    if (byte < 0x80) {
        Switch(ESet::Ascii, out);
        out += static_cast<char>(byte);
        return true;
    }
    if (byte >= 0xA1 && byte <= 0xDF) {
        Switch(ESet::Katakana, out);
        out += static_cast<char>(byte - 0x80);
        return true;
    }
    unsigned char first = 0;
    unsigned char second = 0;
    if (unit.size() < 2 || !IsLeadByte(byte) ||
        !IsCp932Character(byte, static_cast<unsigned char>(unit[1])) ||
        !Cp932ToJis(byte, static_cast<unsigned char>(unit[1]), first, second))
        return false;
    Switch(ESet::JisX0208, out);
    out += static_cast<char>(first);
    out += static_cast<char>(second);
    return true;
}

void CIso2022JpWriter::Finish(std::string& out)
{
    Switch(ESet::Ascii, out);
}
