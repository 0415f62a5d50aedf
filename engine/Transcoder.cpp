#include "engine/Transcoder.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "engine/CodeTable.h"
#include "engine/Cp932.h"
#include "engine/Cp932Table.h"
#include "engine/EngineTexts.h"
#include "engine/EucJpTable.h"
#include "engine/TextFormat.h"

namespace {

// Gathers CP932 text while a file is decoded, and the characters that CP932 lacks,
// into a buffer that can hold it all.
class CCp932Writer {
public:
    CCp932Writer(const CCodeTable& codes, bool mayAdd, char* out)
        : m_table(CCp932Table::Instance()), m_codes(codes), m_bMayAdd(mayAdd), m_pOut(out)
    {
    }

    // Bytes below 0x80 are CP932's own characters, as they are.
    void PutAscii(const char* bytes, std::size_t count)
    {
        std::memcpy(m_pOut, bytes, count);
        m_pOut += count;
    }
    // False when character needs a code that the table cannot give.
    bool Put(char32_t character)
    {
        std::uint16_t code = m_table.CodeOf(character);
        if (code == 0 && !CodeOfLacking(character, code))
            return false;
        if (code > 0xFF)
            *m_pOut++ = static_cast<char>(code >> 8);
        *m_pOut++ = static_cast<char>(code & 0xFF);
        return true;
    }

    char* End() const { return m_pOut; }
    const std::vector<char32_t>& NewCharacters() const { return m_new; }
    std::size_t Kinds() const { return m_seen.size(); }
    bool Overflowed() const { return m_bOverflowed; }

private:
    bool CodeOfLacking(char32_t character, std::uint16_t& code)
    {
        m_seen.insert(character);
        code = m_codes.CodeOf(character);
        if (code != 0)
            return true;
        if (!m_bMayAdd)
            return false;
        const auto found = m_newCodes.find(character);
        if (found != m_newCodes.end()) {
            code = found->second;
            return true;
        }
        const std::size_t index = m_codes.Size() + m_new.size();
        m_new.push_back(character);
        // Past the last code the reading goes on, to count the kinds for the message.
        code = index < CCodeTable::Capacity() ? CCodeTable::FreeCode(index) : 0xFFFF;
        m_bOverflowed = m_bOverflowed || index >= CCodeTable::Capacity();
        m_newCodes.emplace(character, code);
        return true;
    }

    const CCp932Table& m_table;
    const CCodeTable& m_codes;
    bool m_bMayAdd;
    char* m_pOut;
    std::vector<char32_t> m_new;
    std::unordered_map<char32_t, std::uint16_t> m_newCodes;
    std::unordered_set<char32_t> m_seen;
    bool m_bOverflowed = false;
};

bool DecodeInto(std::string_view bytes, EEncoding encoding, CCp932Writer& writer,
                CTextFault& fault)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const bool utf8 = encoding != EEncoding::EucJp;
    std::size_t i = 0;
    if (encoding == EEncoding::Utf8Bom && bytes.starts_with(kByteOrderMark))
        i = kByteOrderMark.size();
    while (i < bytes.size()) {
        if (data[i] < 0x80) {
            // Runs of ASCII go eight bytes at a time.
            std::uint64_t word;
            const std::size_t run =
                i + 8 <= bytes.size() && (std::memcpy(&word, data + i, 8),
                                          (word & 0x8080808080808080u) == 0)
                    ? 8
                    : 1;
            writer.PutAscii(bytes.data() + i, run);
            i += run;
            continue;
        }
        std::size_t length = 1;
        const char32_t character =
            utf8 ? DecodeUtf8Character(data + i, bytes.size() - i, length)
                 : CEucJpTable::Instance().Decode(bytes.substr(i), length);
        if (character == 0) {
            fault = {CTextFault::EKind::Malformed, i, 0, 0};
            return false;
        }
        if (!writer.Put(character)) {
            fault = {CTextFault::EKind::Unencodable, i, character, 0, length};
            return false;
        }
        i += length;
    }
    return true;
}

bool Decode(std::string_view bytes, EEncoding encoding, const CCodeTable& codes, bool mayAdd,
            std::string& cp932, CTextFault& fault, std::vector<char32_t>& added)
{
    if (encoding == EEncoding::ShiftJis) {
        cp932.assign(bytes);
        return true;
    }
    // No UTF-8 character takes more bytes in CP932; EUC-JP's one-byte C1 characters
    // take two.
    std::string out(encoding == EEncoding::EucJp ? 2 * bytes.size() : bytes.size(), '\0');
    CCp932Writer writer(codes, mayAdd, out.data());
    if (!DecodeInto(bytes, encoding, writer, fault))
        return false;
    if (writer.Overflowed()) {
        fault = {CTextFault::EKind::TooManyCharacters, 0, 0, writer.Kinds()};
        return false;
    }
    out.resize(static_cast<std::size_t>(writer.End() - out.data()));
    added = writer.NewCharacters();
    cp932 = std::move(out);
    return true;
}

}  // namespace

bool DecodeText(std::string_view bytes, EEncoding encoding, CCodeTable& codes,
                std::string& cp932, CTextFault& fault)
{
    std::vector<char32_t> added;
    if (!Decode(bytes, encoding, codes, true, cp932, fault, added))
        return false;
    const bool given = codes.Add(added);
    (void)given;  // Decode counted the free codes
    return true;
}

bool DecodeKnownText(std::string_view bytes, EEncoding encoding, const CCodeTable& codes,
                     std::string& cp932, CTextFault& fault)
{
    std::vector<char32_t> added;
    return Decode(bytes, encoding, codes, false, cp932, fault, added);
}

char32_t UnitCharacter(std::string_view cp932, const CCodeTable& codes, std::size_t& length)
{
    const CCp932Table& table = CCp932Table::Instance();
    const auto byte = static_cast<unsigned char>(cp932[0]);
    if (!IsLeadByte(byte)) {
        length = 1;
        const char16_t shown = table.Single(byte);
        return shown == CCp932Table::kReplacement ? 0 : shown;
    }
    if (cp932.size() < 2) {
        length = 1;
        return 0;
    }
    length = 2;
    const auto trail = static_cast<unsigned char>(cp932[1]);
    const char16_t shown = table.Pair(byte, trail);
    if (shown != CCp932Table::kReplacement)
        return shown;
    return codes.CharacterOf(static_cast<std::uint16_t>(byte << 8 | trail));
}

void AppendUtf8(char32_t character, std::string& utf8)
{
    if (character < 0x80) {
        utf8 += static_cast<char>(character);
        return;
    }
    const int length = character < 0x800 ? 2 : character < 0x10000 ? 3 : 4;
    static constexpr unsigned char kLeads[] = {0, 0, 0xC0, 0xE0, 0xF0};
    utf8 += static_cast<char>(kLeads[length] | character >> (6 * (length - 1)));
    for (int k = length - 2; k >= 0; --k)
        utf8 += static_cast<char>(0x80 | (character >> (6 * k) & 0x3F));
}

void MapOffsets(std::string_view cp932, EEncoding encoding, const CCodeTable& codes,
                std::vector<std::size_t>& offsets)
{
    std::size_t written = encoding == EEncoding::Utf8Bom ? kByteOrderMark.size() : 0;
    std::size_t next = 0;  // the first offset not mapped yet
    std::size_t i = 0;
    std::string unit;
    while (next < offsets.size()) {
        std::size_t length = 1;
        if (i < cp932.size() && static_cast<unsigned char>(cp932[i]) >= 0x80) {
            const char32_t character = UnitCharacter(cp932.substr(i), codes, length);
            unit.clear();
            if (encoding == EEncoding::ShiftJis)
                unit.assign(cp932.substr(i, length));
            else if (encoding == EEncoding::EucJp)
                CEucJpTable::Instance().Encode(character, unit);
            else
                AppendUtf8(character, unit);
        }
        const std::size_t end = std::min(i + length, cp932.size());
        // Offsets from this unit's start to before its end map to where it starts.
        while (next < offsets.size() && (offsets[next] < end || i >= cp932.size()))
            offsets[next++] = written;
        if (i >= cp932.size())
            break;
        written += static_cast<unsigned char>(cp932[i]) >= 0x80 ? unit.size() : 1;
        i = end;
    }
}

bool EncodeText(std::string_view cp932, EEncoding encoding, const CCodeTable& codes,
                std::string& bytes, CTextFault& fault)
{
    std::string out;
    out.reserve(cp932.size() + cp932.size() / 2 + kByteOrderMark.size());
    if (encoding == EEncoding::Utf8Bom)
        out += kByteOrderMark;
    std::size_t i = 0;
    while (i < cp932.size()) {
        const auto byte = static_cast<unsigned char>(cp932[i]);
        if (byte < 0x80) {
            out += static_cast<char>(byte);
            ++i;
            continue;
        }
        std::size_t length = 1;
        const char32_t character = UnitCharacter(cp932.substr(i), codes, length);
        bool written = character != 0;
        if (encoding == EEncoding::ShiftJis) {
            // Bytes that are no character stay as they came; only the program's own
            // codes stand for characters that Shift_JIS lacks.
            const bool ownCode =
                length == 2 && character != 0 &&
                CCp932Table::Instance().Pair(byte, static_cast<unsigned char>(cp932[i + 1])) ==
                    CCp932Table::kReplacement;
            written = !ownCode;
            if (written)
                out.append(cp932.substr(i, length));
        } else if (written && encoding == EEncoding::EucJp) {
            written = CEucJpTable::Instance().Encode(character, out);
        } else if (written) {
            AppendUtf8(character, out);
        }
        if (!written) {
            fault = {CTextFault::EKind::Unencodable, i, character, 0, length};
            return false;
        }
        i += length;
    }
    bytes = std::move(out);
    return true;
}

std::string DecodingFaultMessage(const std::string& path, EEncoding encoding,
                                 const CTextFault& fault)
{
    return fault.m_eKind == CTextFault::EKind::TooManyCharacters
               ? FormatMessage(Cp932Text(kMsgTooManyCharacters), PathForMessage(path),
                               std::to_string(fault.m_nCount))
               : FormatMessage(Cp932Text(kMsgCannotDecode), PathForMessage(path),
                               EncodingName(encoding));
}
