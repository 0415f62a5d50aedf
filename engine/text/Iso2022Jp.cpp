#include "engine/text/Iso2022Jp.h"

#include <algorithm>

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

// The escape sequences and the sets they designate.
struct CDesignation {
    std::string_view m_strEscape;
    int m_nSet;  // 0 ASCII, 1 JIS X 0208, 2 half-width katakana
};

constexpr CDesignation kDesignations[] = {
    {"\x1B(B", 0}, {"\x1B(J", 0}, {"\x1B$@", 1}, {"\x1B$B", 1}, {"\x1B(I", 2},
};
constexpr std::size_t kEscapeLength = 3;

// The set an escape sequence at bytes[at] designates, or -1.
int Designation(std::string_view bytes, std::size_t at)
{
    const std::string_view rest = bytes.substr(at);
    for (const CDesignation& designation : kDesignations) {
        if (rest.starts_with(designation.m_strEscape))
            return designation.m_nSet;
    }
    return -1;
}

}  // namespace

bool HasIso2022JpEscape(std::string_view bytes)
{
    for (std::size_t at = bytes.find(kEscape); at != std::string_view::npos;
         at = bytes.find(kEscape, at + 1)) {
        if (Designation(bytes, at) >= 0)
            return true;
    }
    return false;
}

bool DecodeIso2022Jp(std::string_view bytes, std::string& cp932, std::size_t& faultOffset)
{
    std::string out;
    std::size_t used = 0;
    if (!CIso2022JpReader().Read(bytes, true, out, used, faultOffset))
        return false;
    cp932 = std::move(out);
    return true;
}

bool CIso2022JpReader::Read(std::string_view bytes, bool last, std::string& cp932,
                            std::size_t& used, std::size_t& faultOffset)
{
    const std::size_t before = cp932.size();
    cp932.reserve(before + bytes.size());
    ESet set = m_eSet;
    // Units are at most an escape sequence long; those that may go on are left.
    const std::size_t end = last ? bytes.size()
                                 : bytes.size() - std::min(bytes.size(), kEscapeLength - 1);
    std::size_t i = 0;
    auto fail = [&] {
        faultOffset = i;
        cp932.resize(before);
        return false;
    };
    while (i < end) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == static_cast<unsigned char>(kEscape)) {
            const int designated = Designation(bytes, i);
            if (designated < 0)
                return fail();
            set = static_cast<ESet>(designated);
            i += kEscapeLength;
            continue;
        }
        if (byte >= 0x80)
            return fail();
        // Line ends and other controls are themselves in any set, as lenient readers
        // of mail take them.
        if (set == ESet::Ascii || !IsJisByte(byte)) {
            cp932 += static_cast<char>(byte);
            ++i;
        } else if (set == ESet::Katakana) {
            if (byte > 0x5F)
                return fail();
            cp932 += static_cast<char>(byte + 0x80);
            ++i;
        } else {
            if (i + 1 >= bytes.size() || !IsJisByte(static_cast<unsigned char>(bytes[i + 1])))
                return fail();
            unsigned char lead = 0;
            unsigned char trail = 0;
            JisToCp932(byte, static_cast<unsigned char>(bytes[i + 1]), lead, trail);
            if (!IsCp932Character(lead, trail))
                return fail();
            cp932 += static_cast<char>(lead);
            cp932 += static_cast<char>(trail);
            i += 2;
        }
    }
    m_eSet = set;
    used = i;
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
