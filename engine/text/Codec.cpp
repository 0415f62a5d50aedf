#include "engine/text/Codec.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_set>

#include "engine/VectorPath.h"
#include "engine/text/Characters.h"
#include "engine/text/CodecTables.h"
#include "engine/text/Cp932.h"
#include "engine/text/EncodingDetector.h"
#include "engine/text/Iso2022Jp.h"

#ifdef CHIRPWELL_HAVE_AVX2_PATH
#include <immintrin.h>
#endif

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

// U+309A, the combining semi-voiced mark: the one three-byte character in UTF-8 that
// joins the one before it in JIS X 0213. CP932 has no code for it.
constexpr char32_t kSemiVoicedMark = 0x309A;

// Whether a character is a combining mark that JIS X 0213 joins to the one before.
bool IsJoiningMark(char32_t character)
{
    return character == 0x309A || character == 0x0300 || character == 0x0301 ||
           character == 0x02E5 || character == 0x02E9;
}

// The CP932 codes of an encoding's two-byte units, for those that have such a table.
const std::uint16_t* PairTableOf(EEncoding encoding)
{
    switch (encoding) {
    case EEncoding::EucJp:
        return kJisX0208Cp932;
    case EEncoding::EucJis2004:
        return kJisX0213Cp932;
    case EEncoding::ShiftJis2004:
        return kShiftJis2004Cp932;
    default:
        return nullptr;
    }
}

// What a byte starts in CP932, for the runs below: the place of its row of pairs in
// kCp932Pairs for a lead byte, kAsciiByte, or kOtherByte.
constexpr int kAsciiByte = -1;
constexpr int kOtherByte = -2;

struct CByteKinds {
    std::array<int, 256> m_rows;
};

constexpr CByteKinds MakeByteKinds()
{
    CByteKinds kinds{};
    for (int byte = 0; byte < 256; ++byte) {
        const auto value = static_cast<unsigned char>(byte);
        kinds.m_rows[byte] =
            IsLeadByte(value) ? LeadIndex(value) * 256 : byte < 0x80 ? kAsciiByte : kOtherByte;
    }
    return kinds;
}

constexpr CByteKinds kByteKinds = MakeByteKinds();

// Writes the CP932 units from data[at] on as UTF-8, as long as they are ASCII or
// characters of three bytes there and end before end; at and out move past them.
// They are nearly all of a Japanese text. out must have room for eight bytes more.
#ifdef CHIRPWELL_HAVE_AVX2_PATH

// Where byte j of the UTF-8 of eight three-byte characters comes from: from the
// first and middle bytes of all eight, packed, or from their last bytes.
struct CUtf8Shuffles {
    alignas(16) std::array<std::array<std::int8_t, 16>, 4> m_masks;  // first, last; twice
};

constexpr CUtf8Shuffles MakeUtf8Shuffles()
{
    CUtf8Shuffles shuffles{};
    for (int j = 0; j < 32; ++j) {
        const int character = j / 3;
        const int which = j % 3;
        const bool used = j < 24;
        const auto fromFirstAndMiddle = static_cast<std::int8_t>(
            used && which == 0 ? character : used && which == 1 ? 8 + character : -1);
        const auto fromLast = static_cast<std::int8_t>(used && which == 2 ? character : -1);
        shuffles.m_masks[2 * (j / 16)][j % 16] = fromFirstAndMiddle;
        shuffles.m_masks[2 * (j / 16) + 1][j % 16] = fromLast;
    }
    return shuffles;
}

constexpr CUtf8Shuffles kUtf8Shuffles = MakeUtf8Shuffles();

// The CP932 units from data[at] on as UTF-8, sixteen bytes at a time while they are
// eight pairs whose characters take three bytes each, ending by end; at and out
// move past them. out must have room for eight bytes more.
__attribute__((target("avx2"))) void PutUtf8Groups(const unsigned char* data, std::size_t end,
                                                  std::size_t& at, char*& out)
{
    std::size_t i = at;
    char* written = out;
    alignas(16) std::uint16_t characters[8];
    const auto mask = [](int which) {
        return _mm_load_si128(reinterpret_cast<const __m128i*>(kUtf8Shuffles.m_masks[which].data()));
    };
    while (i + 16 <= end) {
        // Lead bytes, 0x81 to 0x9F and 0xE0 to 0xFC, in every even place: as signed
        // bytes after taking 0x80 away, 1 to 0x1F and 0x60 to 0x7C.
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        const __m128i shifted = _mm_sub_epi8(bytes, _mm_set1_epi8(static_cast<char>(0x80)));
        const __m128i leads = _mm_or_si128(
            _mm_and_si128(_mm_cmpgt_epi8(shifted, _mm_setzero_si128()),
                          _mm_cmpgt_epi8(_mm_set1_epi8(0x20), shifted)),
            _mm_and_si128(_mm_cmpgt_epi8(shifted, _mm_set1_epi8(0x5F)),
                          _mm_cmpgt_epi8(_mm_set1_epi8(0x7D), shifted)));
        if ((_mm_movemask_epi8(leads) & 0x5555) != 0x5555)
            break;
        for (int k = 0; k < 8; ++k)
            characters[k] = kCp932Pairs[kByteKinds.m_rows[data[i + 2 * k]] + data[i + 2 * k + 1]];
        const __m128i character = _mm_load_si128(reinterpret_cast<const __m128i*>(characters));
        // None below U+0800, none that is no character.
        const __m128i small = _mm_xor_si128(
            _mm_cmpeq_epi16(_mm_max_epu16(character, _mm_set1_epi16(0x800)), character),
            _mm_set1_epi16(-1));
        const __m128i none = _mm_cmpeq_epi16(character, _mm_set1_epi16(static_cast<short>(kNoCharacter)));
        const __m128i bad = _mm_or_si128(small, none);
        if (!_mm_testz_si128(bad, bad))
            break;
        const __m128i first = _mm_or_si128(_mm_srli_epi16(character, 12), _mm_set1_epi16(0xE0));
        const __m128i middle = _mm_or_si128(
            _mm_and_si128(_mm_srli_epi16(character, 6), _mm_set1_epi16(0x3F)), _mm_set1_epi16(0x80));
        const __m128i lastBytes = _mm_or_si128(_mm_and_si128(character, _mm_set1_epi16(0x3F)),
                                               _mm_set1_epi16(0x80));
        const __m128i firstAndMiddle = _mm_packus_epi16(first, middle);
        const __m128i last = _mm_packus_epi16(lastBytes, lastBytes);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(written),
                         _mm_or_si128(_mm_shuffle_epi8(firstAndMiddle, mask(0)),
                                      _mm_shuffle_epi8(last, mask(1))));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(written + 16),
                         _mm_or_si128(_mm_shuffle_epi8(firstAndMiddle, mask(2)),
                                      _mm_shuffle_epi8(last, mask(3))));
        written += 24;
        i += 16;
    }
    at = i;
    out = written;
}

#endif

inline void PutUtf8Run(const unsigned char* data, std::size_t end, std::size_t& at, char*& out)
{
    std::size_t i = at;
    char* written = out;
#ifdef CHIRPWELL_HAVE_AVX2_PATH
    // Groups of eight pairs are tried again eight units after one that was none.
    const bool vectors = VectorPathInUse();
    std::size_t nextGroup = i;
#endif
    while (i + 1 < end) {
#ifdef CHIRPWELL_HAVE_AVX2_PATH
        if (vectors && i >= nextGroup) {
            PutUtf8Groups(data, end, i, written);
            nextGroup = i + 16;
            if (i + 1 >= end)
                break;
        }
#endif
        const unsigned char byte = data[i];
        const int row = kByteKinds.m_rows[byte];
        if (row == kAsciiByte) {
            *written++ = static_cast<char>(byte);
            ++i;
            continue;
        }
        if (row == kOtherByte)
            break;
        const std::uint32_t character = kCp932Pairs[row + data[i + 1]];
        if (character < 0x800 || character == kNoCharacter)
            break;
        // The three bytes of the character, and one the next unit writes over.
        const std::uint32_t bytes = 0x8080E0u | character >> 12 | (character << 2 & 0x3F00u) |
                                    (character << 16 & 0x3F0000u);
        std::memcpy(written, &bytes, 4);
        written += 3;
        i += 2;
    }
    at = i;
    out = written;
}

// Writes a CP932 code at out: two bytes, or one and a second that the next code
// writes over. Gives the bytes it takes.
inline std::size_t PutCodeAt(std::uint16_t code, char* out)
{
    const bool pair = code > 0xFF;
    const auto bytes = static_cast<std::uint16_t>(pair ? code >> 8 | code << 8 : code);
    std::memcpy(out, &bytes, 2);
    return 1 + pair;
}

inline std::uint16_t Cp932CodeOfBmp(char32_t character)
{
    // Every page of the BMP exists.
    return kCp932Codes[kCp932Pages[character >> 8] * 256u + (character & 0xFF)];
}

#ifdef CHIRPWELL_HAVE_AVX2_PATH

// The three-byte UTF-8 characters from data[i] on, eight at a time, while all eight
// are valid and start before last and the bytes read lie within size: their codes
// are written at out, up to the first that has none in CP932. i and out move past
// what is written; before and written are where the last character written started
// and went.
__attribute__((target("avx2"))) void PutThreeByteGroups(const unsigned char* data,
                                                       std::size_t size, std::size_t last,
                                                       std::size_t& at, char*& end,
                                                       std::size_t& before, char*& written)
{
    std::size_t i = at;
    char* out = end;
    std::size_t lastLength = 0;  // of the last code written, none yet
    auto leave = [&] {
        if (lastLength != 0) {
            before = i - 3;
            written = out - lastLength;
        }
        at = i;
        end = out;
    };
    // Lane k of each half takes the bytes 3k to 3k + 2 of its sixteen as a number.
    const __m256i gather = _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1,
                                            0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m256i shape = _mm256_set1_epi32(0xC0C0F0);
    const __m256i wanted = _mm256_set1_epi32(0x8080E0);
    const __m256i rangeBits = _mm256_set1_epi32(0x200F);
    const __m256i surrogate = _mm256_set1_epi32(0x200D);
    const __m256i zero = _mm256_setzero_si256();
    const __m128i highBytes = _mm_set1_epi16(static_cast<short>(0xFF00));
    const __m128i byteSwap = _mm_setr_epi8(1, 0, 3, 2, 5, 4, 7, 6, 9, 8, 11, 10, 13, 12, 15, 14);
    alignas(32) std::uint32_t characters[8];
    alignas(16) std::uint16_t codes[8];
    while (i + 21 < last && i + 28 <= size) {
        const __m256i bytes = _mm256_shuffle_epi8(
            _mm256_loadu2_m128i(reinterpret_cast<const __m128i*>(data + i + 12),
                                reinterpret_cast<const __m128i*>(data + i)),
            gather);
        // As DecodeUtf8ThreeBytes tests each: the bits of the form, no overlong form,
        // no surrogate.
        const __m256i range = _mm256_and_si256(bytes, rangeBits);
        const __m256i bad = _mm256_or_si256(
            _mm256_xor_si256(_mm256_cmpeq_epi32(_mm256_and_si256(bytes, shape), wanted),
                             _mm256_set1_epi32(-1)),
            _mm256_or_si256(_mm256_cmpeq_epi32(range, zero), _mm256_cmpeq_epi32(range, surrogate)));
        if (!_mm256_testz_si256(bad, bad))
            return leave();
        const __m256i character = _mm256_or_si256(
            _mm256_slli_epi32(_mm256_and_si256(bytes, _mm256_set1_epi32(0x0F)), 12),
            _mm256_or_si256(_mm256_srli_epi32(_mm256_and_si256(bytes, _mm256_set1_epi32(0x3F00)), 2),
                            _mm256_srli_epi32(_mm256_and_si256(bytes, _mm256_set1_epi32(0x3F0000)), 16)));
        _mm256_store_si256(reinterpret_cast<__m256i*>(characters), character);
        for (int k = 0; k < 8; ++k)
            codes[k] = Cp932CodeOfBmp(characters[k]);
        // Eight codes of two bytes each, as in most Japanese text, go out in one store,
        // each turned to its bytes' order; a code of one byte or none, one by one.
        const __m128i code = _mm_load_si128(reinterpret_cast<const __m128i*>(codes));
        const __m128i shortCodes =
            _mm_cmpeq_epi16(_mm_and_si128(code, highBytes), _mm_setzero_si128());
        if (_mm_testz_si128(shortCodes, shortCodes)) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_shuffle_epi8(code, byteSwap));
            out += 16;
            i += 24;
            lastLength = 2;
            continue;
        }
        for (const std::uint16_t one : codes) {
            if (one == 0)
                return leave();
            lastLength = PutCodeAt(one, out);
            out += lastLength;
            i += 3;
        }
    }
    leave();
}

#endif

// What CUnitWalk gives for bytes that are no unit.
constexpr char32_t kNoUnit = 0xFFFFFFFF;

// The units of a text's bytes in an encoding, one at a time, for the line rule: what
// each is, and how many bytes it takes. Escape sequences of ISO-2022-JP are no unit.
class CUnitWalk {
public:
    CUnitWalk(std::string_view bytes, EEncoding encoding)
        : m_bytes(bytes), m_eEncoding(encoding), m_nAt(ByteOrderMarkOf(encoding).size())
    {
        if (!bytes.starts_with(ByteOrderMarkOf(encoding)))
            m_nAt = 0;
    }

    std::size_t At() const { return m_nAt; }
    bool AtEnd() const { return m_nAt >= m_bytes.size(); }
    // The character of the next unit as far as the rule needs it: CR, LF or other.
    char32_t Next()
    {
        const auto* data = reinterpret_cast<const unsigned char*>(m_bytes.data()) + m_nAt;
        const std::size_t size = m_bytes.size() - m_nAt;
        if (m_eEncoding == EEncoding::Iso2022Jp)
            return NextIso2022Jp(data, size);
        std::size_t length = 1;
        char32_t character = data[0];
        if (m_eEncoding == EEncoding::ShiftJis)
            length = IsLeadByte(data[0]) && size > 1 ? 2 : 1;
        else if (IsUtf16(m_eEncoding) || data[0] >= 0x80)
            character = DecodeCharacter(data, size, m_eEncoding, length);
        m_nAt += length;
        return character;
    }

private:
    char32_t NextIso2022Jp(const unsigned char* data, std::size_t size)
    {
        if (data[0] == 0x1B && size >= 3) {
            m_bDouble = data[1] == '$';
            m_nAt += 3;
            return kNoUnit;
        }
        const bool pair = m_bDouble && data[0] >= 0x21 && data[0] <= 0x7E && size >= 2;
        m_nAt += pair ? 2 : 1;
        return pair ? 0x3000 : data[0];
    }

    std::string_view m_bytes;
    EEncoding m_eEncoding;
    std::size_t m_nAt;
    bool m_bDouble = false;  // ISO-2022-JP: JIS X 0208 is in force
};

// The most bytes the CP932 text of a byte of encoding takes: EUC-JP's one-byte C1
// characters, and the like in the JIS X 0213 forms, take two.
std::size_t Cp932BytesPerByte(EEncoding encoding)
{
    return encoding == EEncoding::Utf8 || encoding == EEncoding::Utf8Bom || IsUtf16(encoding)
               ? 1
               : 2;
}

// Whether encoding is read a byte at a time where a byte is below 0x80, as ASCII.
bool HasAsciiBytes(EEncoding encoding)
{
    return !IsUtf16(encoding);
}

// Whether a text in encoding writes two characters that JIS X 0213 codes as one as
// one character: those read through Unicode that hold both characters apart.
bool ComposesSequences(EEncoding encoding)
{
    return encoding == EEncoding::Utf8 || encoding == EEncoding::Utf8Bom || IsUtf16(encoding);
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
          m_nCursor(codec.m_nNext), m_bVectors(VectorPathInUse())
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
    // they come and start before end; at is moved past them.
    void PutThreeByteRun(const unsigned char* data, std::size_t size, std::size_t end,
                         std::size_t& at)
    {
        char* out = m_pOut;
        std::size_t i = at;
        // Four bytes are read at a time; the last characters go the slower way. A
        // character that is no character of CP932 ends the run: the invalid ones,
        // which read as U+0000, and the semi-voiced mark, which joins the character
        // before it, so that one is taken back for the slower way too.
        const std::size_t last = std::min(end, size >= 4 ? size - 3 : 0);
        std::size_t before = i;   // where the character before the last one started
        char* written = out;      // and where it was written
#ifdef CHIRPWELL_HAVE_AVX2_PATH
        if (m_bVectors)
            PutThreeByteGroups(data, size, last, i, out, before, written);
#endif
        while (i < last) {
            std::uint32_t word;
            std::memcpy(&word, data + i, 4);
            const char32_t character = DecodeUtf8ThreeBytes(word);
            const std::uint16_t code = Cp932CodeOfBmp(character);
            if (code == 0) {
                if (character == kSemiVoicedMark && i != at) {
                    i = before;
                    out = written;
                }
                break;
            }
            before = i;
            written = out;
            out += PutCodeAt(code, out);
            i += 3;
        }
        // The character the run ended before may be the mark.
        if (i >= last && i != at && i + 3 <= size && data[i] == 0xE3 && data[i + 1] == 0x82 &&
            data[i + 2] == 0x9A) {
            i = before;
            out = written;
        }
        m_pOut = out;
        at = i;
    }
    // Takes the two-byte units from data[at] on whose CP932 codes table gives, as
    // long as they come and start before end; at is moved past them. EUC units are
    // two bytes of 0xA1 to 0xFE; Shift_JIS-2004 ones a lead byte and any other.
    void PutPairRun(const unsigned char* data, std::size_t size, std::size_t end,
                    std::size_t& at, const std::uint16_t* table, bool euc)
    {
        char* out = m_pOut;
        std::size_t i = at;
        while (i < end && i + 1 < size) {
            const unsigned char first = data[i];
            const unsigned char second = data[i + 1];
            std::uint16_t code = 0;
            if (euc && first >= 0xA1 && first <= 0xFE && second >= 0xA1 && second <= 0xFE)
                code = table[(first - 0xA1) * 94 + (second - 0xA1)];
            else if (!euc && IsLeadByte(first))
                code = table[LeadIndex(first) * 256 + second];
            if (code == 0)
                break;
            if (code > 0xFF)
                *out++ = static_cast<char>(code >> 8);
            *out++ = static_cast<char>(code & 0xFF);
            i += 2;
        }
        m_pOut = out;
        at = i;
    }
    // Takes the UTF-16 units of BMP characters that CP932 has from data[at] on, as
    // long as they come and start before end; at is moved past them. A unit followed
    // by a combining mark that JIS X 0213 joins to it, and the last unit, go the
    // slower way.
    void PutUtf16Run(const unsigned char* data, std::size_t size, std::size_t end,
                     std::size_t& at, bool littleEndian)
    {
        auto unit = [data, littleEndian](std::size_t offset) -> char32_t {
            return littleEndian ? data[offset] | data[offset + 1] << 8
                                : data[offset] << 8 | data[offset + 1];
        };
        char* out = m_pOut;
        std::size_t i = at;
        while (i < end && i + 3 < size) {
            const char32_t character = unit(i);
            const std::uint16_t code =
                kCp932Codes[kCp932Pages[character >> 8] * 256u + (character & 0xFF)];
            if (code == 0 || IsJoiningMark(unit(i + 2)))
                break;
            if (code > 0xFF)
                *out++ = static_cast<char>(code >> 8);
            *out++ = static_cast<char>(code & 0xFF);
            i += 2;
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
    bool m_bVectors;
};

void CCodec::StartText(std::string_view bytes, EEncoding encoding)
{
    m_eText = encoding;
    m_taken.clear();
    m_given.clear();
    m_codes.clear();
    m_nNext = 0;
    if (encoding == EEncoding::ShiftJis && !bytes.empty()) {
        m_taken.assign(kCp932FreeCodeCount, false);
        FindUnassignedCp932(bytes, &m_taken);
    }
}

std::size_t CCodec::NextFree(std::size_t index) const
{
    while (index < kCp932FreeCodeCount && !m_taken.empty() && m_taken[index])
        ++index;
    return index;
}

std::size_t CCodec::CodesLeft() const
{
    std::size_t left = 0;
    for (std::size_t index = NextFree(m_nNext); index < kCp932FreeCodeCount;
         index = NextFree(index + 1))
        ++left;
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

bool CCodec::Decode(std::string_view bytes, EEncoding encoding, bool input, std::size_t end,
                    std::string& buffer, std::size_t& length, std::size_t& used,
                    CTextFault& fault)
{
    if (encoding == EEncoding::ShiftJis) {
        buffer.assign(bytes);
        length = used = bytes.size();
        return true;
    }
    if (encoding == EEncoding::Iso2022Jp) {
        fault = {CTextFault::EKind::Malformed, 0, 0, 0, 0};
        buffer.clear();
        const bool read = CIso2022JpReader().Read(bytes, true, buffer, used, fault.m_nOffset);
        length = buffer.size();
        return read;
    }
    // Growing the buffer fills it with zeros; a buffer used again is not shrunk.
    const std::size_t room = Cp932BytesPerByte(encoding) * bytes.size();
    if (buffer.size() < room)
        buffer.resize(room);
    CWriter writer(*this, this, input && m_eText == EEncoding::ShiftJis, buffer.data());
    auto fail = [&](const CTextFault& what) {
        fault = what;
        return false;
    };
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    std::size_t i = bytes.starts_with(ByteOrderMarkOf(encoding)) ? ByteOrderMarkOf(encoding).size() : 0;
    const bool utf8 = encoding == EEncoding::Utf8 || encoding == EEncoding::Utf8Bom;
    const bool ascii = HasAsciiBytes(encoding);
    const bool composes = ComposesSequences(encoding);
    const std::uint16_t* pairs = PairTableOf(encoding);
    const bool euc = encoding != EEncoding::ShiftJis2004;
    std::size_t firstWithoutCode = std::string_view::npos;
    while (i < end) {
        if (ascii && data[i] < 0x80) {
            // Runs of ASCII go eight bytes at a time.
            std::uint64_t word;
            if (i + 8 <= size &&
                (std::memcpy(&word, data + i, 8), (word & 0x8080808080808080u) == 0)) {
                writer.PutAscii(bytes.data() + i, 8);
                i += 8;
            } else {
                writer.PutByte(data[i++]);
            }
            continue;
        }
        // Most of a Japanese text is characters that CP932 has, three bytes each in
        // UTF-8 and two in the others.
        const std::size_t before = i;
        if (utf8)
            writer.PutThreeByteRun(data, size, end, i);
        else if (IsUtf16(encoding))
            writer.PutUtf16Run(data, size, end, i,
                               encoding == EEncoding::Utf16Le || encoding == EEncoding::Utf16LeBom);
        else if (pairs)
            writer.PutPairRun(data, size, end, i, pairs, euc);
        if (i != before)
            continue;
        std::size_t length = 1;
        char32_t character = DecodeCharacter(data + i, size - i, encoding, length);
        if (character == 0) {
            // U+0000 would cut the text short, as a zero byte would.
            const bool zero = IsUtf16(encoding) && i + 1 < size && data[i] == 0 && data[i + 1] == 0;
            return fail({zero ? CTextFault::EKind::Zero : CTextFault::EKind::Malformed, i, 0, 0, 0});
        }
        if (composes && i + length < size) {
            // Two characters that JIS X 0213 codes as one are one character here too.
            std::size_t markLength = 1;
            const char32_t mark = DecodeCharacter(data + i + length, size - i - length, encoding,
                                                  markLength);
            if (const char32_t key = SequenceKey(character, mark)) {
                character = key;
                length += markLength;
            }
        }
        if (!writer.Put(character))
            return fail({CTextFault::EKind::Unencodable, i, character, 0, length});
        if (writer.Overflowed() && firstWithoutCode == std::string_view::npos)
            firstWithoutCode = i;
        i += length;
    }
    if (writer.Overflowed())
        return fail({CTextFault::EKind::TooManyCharacters, firstWithoutCode, 0, writer.Kinds(), 0});
    length = static_cast<std::size_t>(writer.End() - buffer.data());
    Give(writer.NewCharacters());
    used = i;
    return true;
}

bool CCodec::DecodePart(std::string_view bytes, EEncoding encoding, bool last,
                        std::string& buffer, std::size_t& length, std::size_t& used,
                        CTextFault& fault)
{
    std::size_t end = bytes.size();
    if (!last)
        end = end > kStreamHold ? end - kStreamHold : 0;
    return Decode(bytes, encoding, false, end, buffer, length, used, fault);
}

bool CCodec::ReadText(std::string& text, std::optional<EEncoding> named, EEncoding& encoding,
                      CTextFault& fault)
{
    if (!named) {
        if (const char* unread = UnreadEncodingOf(text)) {
            encoding = EEncoding::ShiftJis;
            fault = {CTextFault::EKind::UnreadEncoding, 0, 0, 0, 0, unread};
            return false;
        }
    }
    std::optional<bool> validCp932;
    encoding = EncodingToRead(text, named, EUtf8Test::Start, &validCp932);
    if (Read(text, encoding, validCp932, fault))
        return true;
    if (named || encoding != EEncoding::Utf8 || fault.m_eKind != CTextFault::EKind::Malformed)
        return false;
    // Valid at the start only: no UTF-8 after all.
    encoding = DetectEncoding(text, EUtf8Test::None, &validCp932);
    return Read(text, encoding, validCp932, fault);
}

bool CCodec::Read(std::string& text, EEncoding encoding, std::optional<bool> validCp932,
                  CTextFault& fault)
{
    // A zero byte would cut the text short, so no text holds one; UTF-16 is made of
    // them, and refuses U+0000 instead.
    const std::size_t zero = IsUtf16(encoding) ? std::string::npos : text.find('\0');
    if (zero != std::string::npos) {
        fault = {CTextFault::EKind::Zero, zero, 0, 0, 0};
        return false;
    }
    // Valid CP932 holds no pair of its own to look for.
    StartText(validCp932.value_or(false) ? std::string_view() : std::string_view(text), encoding);
    // Shift_JIS is the text as it came, kept where it is.
    if (encoding == EEncoding::ShiftJis)
        return true;
    std::string cp932;
    if (!DecodeText(text, encoding, cp932, fault))
        return false;
    text = std::move(cp932);
    return true;
}

bool CCodec::DecodeWhole(std::string_view bytes, EEncoding encoding, bool input,
                         std::string& cp932, CTextFault& fault)
{
    std::string out;
    std::size_t length = 0;
    std::size_t used = 0;
    if (!Decode(bytes, encoding, input, bytes.size(), out, length, used, fault))
        return false;
    out.resize(length);
    cp932 = std::move(out);
    return true;
}

bool CCodec::DecodeText(std::string_view bytes, EEncoding encoding, std::string& cp932,
                        CTextFault& fault)
{
    return DecodeWhole(bytes, encoding, false, cp932, fault);
}

bool CCodec::DecodeInput(std::string_view bytes, EEncoding encoding, std::string& cp932,
                         CTextFault& fault)
{
    return DecodeWhole(bytes, encoding, true, cp932, fault);
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
    return Write(cp932, encoding, bytes, fault, nullptr);
}

bool CCodec::Write(std::string_view cp932, EEncoding encoding, std::string& bytes,
                   CTextFault& fault, std::vector<std::size_t>* offsets) const
{
    CIso2022JpWriter writer;
    std::string out;
    std::size_t length = 0;
    if (!Write(cp932, encoding, true, writer, out, length, fault, offsets))
        return false;
    out.resize(length);
    writer.Finish(out);
    bytes = std::move(out);
    return true;
}

bool CCodec::EncodePart(std::string_view cp932, EEncoding encoding, bool mark,
                        CIso2022JpWriter& writer, std::string& buffer, std::size_t& length,
                        std::vector<std::size_t>* offsets, CTextFault& fault) const
{
    return Write(cp932, encoding, mark, writer, buffer, length, fault, offsets);
}

bool CCodec::Write(std::string_view cp932, EEncoding encoding, bool withMark,
                   CIso2022JpWriter& writer, std::string& buffer, std::size_t& byteCount,
                   CTextFault& fault, std::vector<std::size_t>* offsets) const
{
    // Sorted offsets in cp932 become those of the units that hold them, as written.
    std::size_t next = 0;
    auto mapUpTo = [offsets, &next](std::size_t end, std::size_t written) {
        while (offsets && next < offsets->size() && (*offsets)[next] < end)
            (*offsets)[next++] = written;
    };
    auto fail = [&](const CTextFault& what) {
        fault = what;
        return false;
    };
    const auto* data = reinterpret_cast<const unsigned char*>(cp932.data());
    if (encoding == EEncoding::Iso2022Jp) {
        buffer.clear();
        std::size_t i = 0;
        while (i < cp932.size()) {
            const std::size_t length = IsLeadByte(data[i]) && i + 1 < cp932.size() ? 2 : 1;
            mapUpTo(i + length, buffer.size());
            if (!writer.Put(cp932.substr(i, length), buffer)) {
                std::size_t unitLength = 1;
                return fail({CTextFault::EKind::Unencodable, i,
                             UnitCharacter(cp932.substr(i), unitLength), 0, length});
            }
            i += length;
        }
        mapUpTo(std::string_view::npos, buffer.size());
        byteCount = buffer.size();
        return true;
    }
    // No unit takes more than four bytes a byte of CP932: a half-width katakana in
    // UTF-8 takes three, and a two-byte code of ours for a sequence six.
    const std::string_view mark = withMark ? ByteOrderMarkOf(encoding) : std::string_view();
    // Growing the buffer fills it with zeros; a buffer used again is not shrunk.
    const std::size_t room = 4 * cp932.size() + mark.size();
    if (buffer.size() < room)
        buffer.resize(room);
    char* const begin = buffer.data();
    char* written = begin;
    if (!mark.empty())
        std::memcpy(written, mark.data(), mark.size());
    written += mark.size();
    const bool ascii = HasAsciiBytes(encoding);
    const bool utf8 = encoding == EEncoding::Utf8 || encoding == EEncoding::Utf8Bom;
    std::size_t i = 0;
    while (i < cp932.size()) {
        if (utf8) {
            // Up to the next offset to map, the common units go in one run.
            const bool mapping = offsets && next < offsets->size();
            PutUtf8Run(data, mapping ? std::min(cp932.size(), (*offsets)[next]) : cp932.size(),
                       i, written);
            if (i == cp932.size())
                break;
        }
        const unsigned char byte = data[i];
        if (ascii && byte < 0x80) {
            mapUpTo(i + 1, static_cast<std::size_t>(written - begin));
            *written++ = static_cast<char>(byte);
            ++i;
            continue;
        }
        std::size_t length = 1;
        char32_t character = Cp932Character(data + i, cp932.size() - i, length);
        mapUpTo(i + length, static_cast<std::size_t>(written - begin));
        if (character == 0 && length == 2)
            character = CharacterOf(static_cast<std::uint16_t>(byte << 8 | data[i + 1]));
        char* end = character == 0 && byte != 0 ? nullptr
                                                : EncodeCharacter(character, encoding, written);
        if (!end)
            return fail({CTextFault::EKind::Unencodable, i, character, 0, length});
        written = end;
        i += length;
    }
    mapUpTo(std::string_view::npos, static_cast<std::size_t>(written - begin));
    byteCount = static_cast<std::size_t>(written - begin);
    return true;
}

void CCodec::MapOffsets(std::string_view cp932, EEncoding encoding,
                        std::vector<std::size_t>& offsets) const
{
    if (encoding == EEncoding::ShiftJis)
        return;
    std::string bytes;
    CTextFault fault;
    Write(cp932, encoding, bytes, fault, &offsets);
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
    CUnitWalk walk(bytes, encoding);
    bool afterCr = false;
    while (!walk.AtEnd() && walk.At() < offset) {
        const char32_t character = walk.Next();
        if (character == kNoUnit)
            continue;
        // A CR LF pair ends one line.
        const bool lf = character == '\n';
        if (lf && afterCr) {
            afterCr = false;
            continue;
        }
        afterCr = character == '\r';
        if (afterCr || lf) {
            ++place.m_nLine;
            place.m_nColumn = 1;
        } else {
            ++place.m_nColumn;
        }
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
