#include "engine/Codec.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "engine/CodecTables.h"
#include "engine/Cp932.h"
#include "engine/EncodingDetector.h"
#include "engine/EucJp.h"

namespace {

constexpr char32_t kReplacement = kNoCharacter;

// The code of a character that CP932 gives back as itself, or 0.
std::uint16_t Cp932CodeOf(char32_t character)
{
    return FindInPages(kCp932Pages, kCp932PageCount, kCp932Codes, character);
}

// The CP932 code iconv writes for a JIS form CP932 does not give back, or 0.
std::uint16_t InputCodeOf(char32_t character)
{
    const std::uint32_t* end = kCp932InputCodes + kCp932InputCodeCount;
    const std::uint32_t* found = std::lower_bound(
        kCp932InputCodes, end, static_cast<std::uint32_t>(character) << 16);
    return found != end && *found >> 16 == character ? static_cast<std::uint16_t>(*found)
                                                     : 0;
}

int FreeIndex(unsigned char lead, unsigned char trail)
{
    return kCp932FreeIndex[LeadIndex(lead) * 256 + trail];
}

void PutCode(std::uint16_t code, std::string& out)
{
    if (code > 0xFF)
        out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
}

// Writes character as UTF-8 at out; gives the end.
char* WriteUtf8(char32_t character, char* out)
{
    if (character < 0x80) {
        *out++ = static_cast<char>(character);
    } else if (character < 0x800) {
        *out++ = static_cast<char>(0xC0 | character >> 6);
        *out++ = static_cast<char>(0x80 | (character & 0x3F));
    } else if (character < 0x10000) {
        *out++ = static_cast<char>(0xE0 | character >> 12);
        *out++ = static_cast<char>(0x80 | (character >> 6 & 0x3F));
        *out++ = static_cast<char>(0x80 | (character & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | character >> 18);
        *out++ = static_cast<char>(0x80 | (character >> 12 & 0x3F));
        *out++ = static_cast<char>(0x80 | (character >> 6 & 0x3F));
        *out++ = static_cast<char>(0x80 | (character & 0x3F));
    }
    return out;
}

// Writes the bytes of a code, high byte first and none of its leading zero bytes.
char* WriteCode(std::uint32_t code, char* out)
{
    if (code > 0xFFFF)
        *out++ = static_cast<char>(code >> 16);
    if (code > 0xFF)
        *out++ = static_cast<char>(code >> 8 & 0xFF);
    *out++ = static_cast<char>(code & 0xFF);
    return out;
}

// Marks in taken, by free index, the unassigned pairs that Shift_JIS bytes hold.
void MarkOwnPairs(std::string_view bytes, std::vector<bool>& taken)
{
    if (taken.empty())
        taken.assign(kCp932FreeCodeCount, false);
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        if (!IsLeadByte(data[i]))
            continue;
        const int index = FreeIndex(data[i], data[i + 1]);
        if (index >= 0)
            taken[static_cast<std::size_t>(index)] = true;
        ++i;
    }
}

// The character that starts a text's bytes in encoding (not CP932), 0 when none;
// length is set to the bytes it takes, or to 1 where none starts.
char32_t DecodeCharacter(const unsigned char* bytes, std::size_t size, EEncoding encoding,
                         std::size_t& length)
{
    length = 1;
    if (encoding == EEncoding::EucJp)
        return DecodeEucJp(std::string_view(reinterpret_cast<const char*>(bytes), size), length);
    return DecodeUtf8Character(bytes, size, length);
}

// The character of the CP932 unit at bytes (size at least 1), given codes aside: 0
// for a pair that may be one of ours or no character at all. length is set.
inline char32_t Cp932Character(const unsigned char* bytes, std::size_t size, std::size_t& length)
{
    const unsigned char byte = bytes[0];
    if (!IsLeadByte(byte)) {
        length = 1;
        const char16_t shown = kCp932Singles[byte];
        return shown == kNoCharacter ? 0 : shown;
    }
    length = size < 2 ? 1 : 2;
    const char16_t shown = size < 2 ? kNoCharacter : kCp932Pairs[LeadIndex(byte) * 256 + bytes[1]];
    return shown == kNoCharacter ? 0 : shown;
}

// The bytes of a unit in encoding, for the line rule: a character's, or one.
std::size_t UnitLength(std::string_view bytes, EEncoding encoding)
{
    if (encoding == EEncoding::ShiftJis)
        return IsLeadByte(static_cast<unsigned char>(bytes[0])) && bytes.size() > 1 ? 2 : 1;
    std::size_t length = 1;
    if (static_cast<unsigned char>(bytes[0]) >= 0x80)
        DecodeCharacter(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                        encoding, length);
    return length;
}

}  // namespace

// Gathers CP932 text while bytes are decoded, and the characters that take new codes,
// into a buffer that can hold it all. Nothing reaches the codec until the caller
// gives the new codes.
class CCodec::CWriter {
public:
    // New characters take codes only through giver, the codec itself.
    CWriter(const CCodec& codec, CCodec* giver, bool inputForms, char* out)
        : m_codec(codec), m_pGiver(giver), m_bInputForms(inputForms), m_pOut(out),
          m_nCursor(codec.m_nNext)
    {
    }

    // Bytes below 0x80 are CP932's own characters, as they are.
    void PutAscii(const char* bytes, std::size_t count)
    {
        std::memcpy(m_pOut, bytes, count);
        m_pOut += count;
    }
    void PutByte(unsigned char byte) { *m_pOut++ = static_cast<char>(byte); }
    // Takes the three-byte UTF-8 characters of CP932 from data[at] on, as long as
    // they come; at is moved past them.
    void PutThreeByteRun(const unsigned char* data, std::size_t size, std::size_t& at)
    {
        char* out = m_pOut;
        std::size_t i = at;
        // Four bytes are read at a time; the last character goes the slower way.
        while (i + 4 <= size) {
            std::uint32_t word;
            std::memcpy(&word, data + i, 4);
            const char32_t character = DecodeUtf8ThreeBytes(word);
            // Every three-byte character is in the BMP, whose pages all exist.
            const std::uint16_t code =
                kCp932Codes[kCp932Pages[character >> 8] * 256u + (character & 0xFF)];
            if (character == 0 || code == 0)
                break;
            if (code > 0xFF)
                *out++ = static_cast<char>(code >> 8);
            *out++ = static_cast<char>(code & 0xFF);
            i += 3;
        }
        m_pOut = out;
        at = i;
    }
    void PutCode(std::uint16_t code)
    {
        if (code > 0xFF)
            *m_pOut++ = static_cast<char>(code >> 8);
        *m_pOut++ = static_cast<char>(code & 0xFF);
    }
    // False when character needs a code that cannot be given.
    bool Put(char32_t character)
    {
        std::uint16_t code = Cp932CodeOf(character);
        if (code == 0 && m_bInputForms)
            code = InputCodeOf(character);
        if (code == 0 && !CodeOfLacking(character, code))
            return false;
        PutCode(code);
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
        const auto given = m_codec.m_codes.find(character);
        if (given != m_codec.m_codes.end()) {
            code = given->second;
            return true;
        }
        if (!m_pGiver)
            return false;
        const auto found = m_newCodes.find(character);
        if (found != m_newCodes.end()) {
            code = found->second;
            return true;
        }
        m_new.push_back(character);
        if (!m_pGiver->m_strUnscanned.empty())
            m_pGiver->TakeOwnPairs();
        m_nCursor = m_codec.NextFree(m_nCursor);
        // Past the last code the reading goes on, to count the kinds for the message.
        if (m_nCursor < kCp932FreeCodeCount) {
            code = kCp932FreeCodes[m_nCursor++];
        } else {
            code = 0xFFFF;
            m_bOverflowed = true;
        }
        m_newCodes.emplace(character, code);
        return true;
    }

    const CCodec& m_codec;
    CCodec* m_pGiver;
    bool m_bInputForms;
    char* m_pOut;
    std::size_t m_nCursor;  // the free index the next new character takes, or after
    std::vector<char32_t> m_new;
    std::unordered_map<char32_t, std::uint16_t> m_newCodes;
    std::unordered_set<char32_t> m_seen;
    bool m_bOverflowed = false;
};

void CCodec::StartText(std::string_view bytes, EEncoding encoding)
{
    m_eText = encoding;
    m_strUnscanned.clear();
    if (encoding == EEncoding::ShiftJis)
        m_strUnscanned.assign(bytes);
    m_taken.clear();
    m_given.clear();
    m_codes.clear();
    m_nNext = 0;
}

void CCodec::TakeOwnPairs()
{
    MarkOwnPairs(m_strUnscanned, m_taken);
    m_strUnscanned.clear();
    m_strUnscanned.shrink_to_fit();
}

std::size_t CCodec::NextFree(std::size_t index) const
{
    while (index < kCp932FreeCodeCount && !m_taken.empty() && m_taken[index])
        ++index;
    return index;
}

std::size_t CCodec::CodesLeft() const
{
    // The own pairs may not be marked yet; count them as the marking will.
    std::vector<bool> taken = m_taken;
    MarkOwnPairs(m_strUnscanned, taken);
    std::size_t left = 0;
    for (std::size_t index = m_nNext; index < kCp932FreeCodeCount; ++index)
        left += taken[index] ? 0 : 1;
    return left;
}

void CCodec::Give(const std::vector<char32_t>& characters)
{
    if (m_given.empty())
        m_given.assign(kCp932FreeCodeCount, 0);
    for (const char32_t character : characters) {
        m_nNext = NextFree(m_nNext);
        m_given[m_nNext] = character;
        m_codes.emplace(character, kCp932FreeCodes[m_nNext]);
        ++m_nNext;
    }
}

bool CCodec::Decode(std::string_view bytes, EEncoding encoding, bool input, std::string& cp932,
                    CTextFault& fault)
{
    if (encoding == EEncoding::ShiftJis) {
        cp932.assign(bytes);
        return true;
    }
    // No UTF-8 character takes more bytes in CP932; EUC-JP's one-byte C1 characters
    // take two.
    std::string out(encoding == EEncoding::EucJp ? 2 * bytes.size() : bytes.size(), '\0');
    CWriter writer(*this, this, input && m_eText == EEncoding::ShiftJis, out.data());
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t i = encoding == EEncoding::Utf8Bom && bytes.starts_with(kByteOrderMark)
                        ? kByteOrderMark.size()
                        : 0;
    const bool utf8 = encoding != EEncoding::EucJp;
    while (i < bytes.size()) {
        if (data[i] < 0x80) {
            // Runs of ASCII go eight bytes at a time.
            std::uint64_t word;
            if (i + 8 <= bytes.size() &&
                (std::memcpy(&word, data + i, 8), (word & 0x8080808080808080u) == 0)) {
                writer.PutAscii(bytes.data() + i, 8);
                i += 8;
            } else {
                writer.PutByte(data[i++]);
            }
            continue;
        }
        // Most of a Japanese UTF-8 text is three-byte characters that CP932 has.
        if (utf8) {
            const std::size_t before = i;
            writer.PutThreeByteRun(data, bytes.size(), i);
            if (i != before)
                continue;
        }
        std::size_t length = 1;
        const char32_t character =
            DecodeCharacter(data + i, bytes.size() - i, encoding, length);
        if (character == 0) {
            fault = {CTextFault::EKind::Malformed, i, 0, 0, 0};
            return false;
        }
        if (!writer.Put(character)) {
            fault = {CTextFault::EKind::Unencodable, i, character, 0, length};
            return false;
        }
        i += length;
    }
    if (writer.Overflowed()) {
        fault = {CTextFault::EKind::TooManyCharacters, 0, 0, writer.Kinds(), 0};
        return false;
    }
    out.resize(static_cast<std::size_t>(writer.End() - out.data()));
    Give(writer.NewCharacters());
    cp932 = std::move(out);
    return true;
}

bool CCodec::ReadText(std::string_view bytes, std::optional<EEncoding> named, std::string& cp932,
                      EEncoding& encoding, CTextFault& fault)
{
    encoding = EncodingToRead(bytes, named, EUtf8Test::Start);
    StartText(bytes, encoding);
    if (DecodeText(bytes, encoding, cp932, fault))
        return true;
    if (named || encoding != EEncoding::Utf8 || fault.m_eKind != CTextFault::EKind::Malformed)
        return false;
    // Valid at the start only: no UTF-8 after all.
    encoding = DetectEncoding(bytes, EUtf8Test::None);
    StartText(bytes, encoding);
    return DecodeText(bytes, encoding, cp932, fault);
}

bool CCodec::DecodeText(std::string_view bytes, EEncoding encoding, std::string& cp932,
                        CTextFault& fault)
{
    return Decode(bytes, encoding, false, cp932, fault);
}

bool CCodec::DecodeInput(std::string_view bytes, EEncoding encoding, std::string& cp932,
                         CTextFault& fault)
{
    return Decode(bytes, encoding, true, cp932, fault);
}

bool CCodec::DecodeCp932Input(std::string_view utf8, std::string& cp932)
{
    std::string checked;
    if (!Utf8ToCp932(utf8, checked))
        return false;
    CTextFault fault;
    return DecodeInput(utf8, EEncoding::Utf8, cp932, fault);
}

bool CCodec::DecodeKnownInput(std::string_view utf8, std::string& cp932) const
{
    std::string out(utf8.size(), '\0');
    CWriter writer(*this, nullptr, m_eText == EEncoding::ShiftJis, out.data());
    const auto* data = reinterpret_cast<const unsigned char*>(utf8.data());
    std::size_t i = 0;
    while (i < utf8.size()) {
        std::size_t length = 1;
        const char32_t character = DecodeUtf8Character(data + i, utf8.size() - i, length);
        if (character == 0 || !writer.Put(character))
            return false;
        i += length;
    }
    out.resize(static_cast<std::size_t>(writer.End() - out.data()));
    cp932 = std::move(out);
    return true;
}

char32_t CCodec::CharacterOf(std::uint16_t code) const
{
    const auto lead = static_cast<unsigned char>(code >> 8);
    if (m_given.empty() || !IsLeadByte(lead))
        return 0;
    const int index = FreeIndex(lead, static_cast<unsigned char>(code & 0xFF));
    return index < 0 ? 0 : m_given[static_cast<std::size_t>(index)];
}

char32_t CCodec::UnitCharacter(std::string_view cp932, std::size_t& length) const
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(cp932.data());
    const char32_t character = Cp932Character(bytes, cp932.size(), length);
    if (character != 0 || length < 2)
        return character;
    return CharacterOf(static_cast<std::uint16_t>(bytes[0] << 8 | bytes[1]));
}

bool CCodec::FitsShiftJis(std::string_view cp932, CTextFault& fault) const
{
    // The text's own bytes go out as they are; only a code of ours stands for a
    // character that Shift_JIS lacks.
    const auto* data = reinterpret_cast<const unsigned char*>(cp932.data());
    for (std::size_t i = 0; !m_codes.empty() && i + 1 < cp932.size(); ++i) {
        if (!IsLeadByte(data[i]))
            continue;
        const auto code = static_cast<std::uint16_t>(data[i] << 8 | data[i + 1]);
        if (const char32_t character = CharacterOf(code)) {
            fault = {CTextFault::EKind::Unencodable, i, character, 0, 2};
            return false;
        }
        ++i;
    }
    return true;
}

bool CCodec::Encode(std::string_view cp932, EEncoding encoding, std::string& bytes,
                    CTextFault& fault) const
{
    if (encoding == EEncoding::ShiftJis) {
        if (!FitsShiftJis(cp932, fault))
            return false;
        bytes.assign(cp932);
        return true;
    }
    std::string out;
    // No unit takes more than three bytes a byte of CP932 in UTF-8 or EUC-JP (a
    // half-width katakana, or a C1 control in EUC-JP: one byte to three or two).
    out.resize(3 * cp932.size() + kByteOrderMark.size());
    char* written = out.data();
    if (encoding == EEncoding::Utf8Bom) {
        std::memcpy(written, kByteOrderMark.data(), kByteOrderMark.size());
        written += kByteOrderMark.size();
    }
    const bool utf8 = encoding != EEncoding::EucJp;
    const auto* data = reinterpret_cast<const unsigned char*>(cp932.data());
    std::size_t i = 0;
    while (i < cp932.size()) {
        const unsigned char byte = data[i];
        if (byte < 0x80) {
            *written++ = static_cast<char>(byte);
            ++i;
            continue;
        }
        std::size_t length = 1;
        char32_t character = Cp932Character(data + i, cp932.size() - i, length);
        if (character == 0 && length == 2)
            character = CharacterOf(static_cast<std::uint16_t>(byte << 8 | data[i + 1]));
        const std::uint32_t code = character == 0 ? 0 : utf8 ? 1 : EucJpCodeOf(character);
        if (code == 0) {
            fault = {CTextFault::EKind::Unencodable, i, character, 0, length};
            return false;
        }
        written = utf8 ? WriteUtf8(character, written) : WriteCode(code, written);
        i += length;
    }
    out.resize(static_cast<std::size_t>(written - out.data()));
    bytes = std::move(out);
    return true;
}

void CCodec::MapOffsets(std::string_view cp932, EEncoding encoding,
                        std::vector<std::size_t>& offsets) const
{
    if (encoding == EEncoding::ShiftJis)
        return;
    std::size_t written = encoding == EEncoding::Utf8Bom ? kByteOrderMark.size() : 0;
    std::size_t next = 0;  // the first offset not mapped yet
    std::size_t i = 0;
    std::string unit;
    while (next < offsets.size()) {
        std::size_t length = 1;
        if (i < cp932.size() && static_cast<unsigned char>(cp932[i]) >= 0x80) {
            const char32_t character = UnitCharacter(cp932.substr(i), length);
            unit.clear();
            if (encoding == EEncoding::EucJp)
                EncodeEucJp(character, unit);
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

std::string CCodec::ToUtf8(std::string_view cp932) const
{
    std::string utf8;
    utf8.reserve(cp932.size() * 3 / 2);
    std::size_t i = 0;
    while (i < cp932.size()) {
        std::size_t length = 1;
        const char32_t character = UnitCharacter(cp932.substr(i), length);
        AppendUtf8(character != 0 || cp932[i] == '\0' ? character : kReplacement, utf8);
        i += length;
    }
    return utf8;
}

CTextPlace PlaceInBytes(std::string_view bytes, EEncoding encoding, std::size_t offset)
{
    CTextPlace place;
    std::size_t i = encoding == EEncoding::Utf8Bom && bytes.starts_with(kByteOrderMark)
                        ? kByteOrderMark.size()
                        : 0;
    while (i < offset && i < bytes.size()) {
        const char byte = bytes[i];
        if (byte == '\r' || byte == '\n') {
            ++place.m_nLine;
            place.m_nColumn = 1;
            i += byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n' ? 2 : 1;
            continue;
        }
        ++place.m_nColumn;
        i += UnitLength(bytes.substr(i), encoding);
    }
    return place;
}

bool Utf8ToCp932(std::string_view utf8, std::string& cp932)
{
    std::string out;
    const auto* data = reinterpret_cast<const unsigned char*>(utf8.data());
    std::size_t i = 0;
    while (i < utf8.size()) {
        std::size_t length = 1;
        const char32_t character = DecodeUtf8Character(data + i, utf8.size() - i, length);
        std::uint16_t code = character < 0x80 ? static_cast<std::uint16_t>(character)
                                              : Cp932CodeOf(character);
        if (code == 0 && character >= 0x80)
            code = InputCodeOf(character);
        if (code == 0 && (character != 0 || data[i] != 0))
            return false;
        PutCode(code, out);
        i += length;
    }
    cp932 = std::move(out);
    return true;
}

bool Cp932ToUtf8(std::string_view cp932, std::string& utf8)
{
    const CCodec noText;
    std::string out;
    std::size_t i = 0;
    while (i < cp932.size()) {
        std::size_t length = 1;
        const char32_t character = noText.UnitCharacter(cp932.substr(i), length);
        if (character == 0 && cp932[i] != '\0')
            return false;
        AppendUtf8(character, out);
        i += length;
    }
    utf8 = std::move(out);
    return true;
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
