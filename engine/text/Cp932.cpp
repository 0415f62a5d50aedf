#include "engine/text/Cp932.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <cstring>

#include "engine/VectorPath.h"
#include "engine/text/Codec.h"
#include "engine/text/CodecTables.h"

#ifdef CHIRPWELL_HAVE_AVX2_PATH
#include <immintrin.h>
#endif

namespace {

// What each byte starts: the index of its row of pairs for a lead byte, kSingle for a
// character of one byte, kNoSingle for a byte that is no character alone.
constexpr int kSingle = -1;
constexpr int kNoSingle = -2;

std::array<int, 256> MakePairRows()
{
    std::array<int, 256> rows{};
    for (int byte = 0; byte < 256; ++byte) {
        const auto value = static_cast<unsigned char>(byte);
        rows[value] = IsLeadByte(value)                  ? LeadIndex(value) * 256
                      : kCp932Singles[value] == kNoCharacter ? kNoSingle
                                                             : kSingle;
    }
    return rows;
}

#ifdef CHIRPWELL_HAVE_AVX2_PATH

// The maps of kCp932ByteMaps. Rows 0x81 to 0x83, punctuation and kana, are most of
// a Japanese text's pairs outside the kanji rows, which are full.
constexpr std::size_t kSingleMap = 0;
constexpr std::size_t kFullRowMap = 1;
constexpr std::size_t kFirstRowMap = 2;
constexpr unsigned char kFirstMappedRow = 0x81;
constexpr std::size_t kMappedRows = 3;

// 0xFF in each byte of values whose bit is set in map.
__attribute__((target("avx2"))) __m256i InMap(__m256i values, std::size_t map)
{
    const std::uint8_t* bits = kCp932ByteMaps + 32 * map;
    const __m256i low = _mm256_broadcastsi128_si256(
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(bits)));
    const __m256i high = _mm256_broadcastsi128_si256(
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(bits + 16)));
    const __m256i bitOf = _mm256_setr_epi8(1, 2, 4, 8, 16, 32, 64, -128, 1, 2, 4, 8, 16, 32,
                                           64, -128, 1, 2, 4, 8, 16, 32, 64, -128, 1, 2, 4, 8,
                                           16, 32, 64, -128);
    // The byte of the map is value >> 3: its low four bits pick within a half, the
    // fifth the half.
    const __m256i index = _mm256_and_si256(_mm256_srli_epi16(values, 3), _mm256_set1_epi8(0x1F));
    const __m256i inHigh = _mm256_cmpgt_epi8(index, _mm256_set1_epi8(15));
    const __m256i mapByte = _mm256_blendv_epi8(_mm256_shuffle_epi8(low, index),
                                               _mm256_shuffle_epi8(high, index), inHigh);
    const __m256i bit = _mm256_shuffle_epi8(bitOf, _mm256_and_si256(values, _mm256_set1_epi8(7)));
    return _mm256_cmpeq_epi8(_mm256_and_si256(mapByte, bit), bit);
}

// 0xFF in each byte of values from low to high.
__attribute__((target("avx2"))) __m256i InRange(__m256i values, unsigned char low,
                                                unsigned char high)
{
    const __m256i offset = _mm256_sub_epi8(values, _mm256_set1_epi8(static_cast<char>(low)));
    const __m256i limit = _mm256_set1_epi8(static_cast<char>(high - low));
    return _mm256_cmpeq_epi8(_mm256_min_epu8(offset, limit), offset);
}

__attribute__((target("avx2"))) std::uint64_t Bits(__m256i lanes)
{
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(lanes));
}

// How far from the start the bytes are CP932 characters for certain, 32 at a
// time: an end on a character boundary, from which the portable walk goes on.
// Which bytes are lead bytes follows from the runs of bytes in the lead range: a
// run starts on a lead byte, since the byte before it is none, and its lead bytes
// alternate from there.
__attribute__((target("avx2"))) std::size_t ValidCp932Prefix(const unsigned char* data,
                                                               std::size_t size)
{
    constexpr std::uint64_t kEven = 0x55555555;
    std::uint32_t carry = 0;  // the block's first byte is the second of a pair
    std::size_t i = 0;
    // Each pair is checked where its lead byte is, with the byte after it, so a
    // block needs the byte after it.
    for (; i + 33 <= size; i += 32) {
        const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i));
        const __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i + 1));
        const std::uint64_t range =
            Bits(_mm256_or_si256(InRange(bytes, 0x81, 0x9F), InRange(bytes, 0xE0, 0xFC))) & ~carry;
        const std::uint64_t starts = range & ~(range << 1);
        const std::uint64_t carried = range + (starts & kEven);
        const std::uint64_t leads = (range & ~carried & kEven) | (range & carried & (kEven << 1));
        const std::uint64_t seconds = (leads << 1 | carry) & 0xFFFFFFFF;
        if ((~(leads | seconds | Bits(InMap(bytes, kSingleMap))) & 0xFFFFFFFF) != 0)
            break;
        const __m256i second =
            _mm256_or_si256(InRange(next, 0x40, 0x7E), InRange(next, 0x80, 0xFC));
        __m256i pairs = _mm256_and_si256(InMap(bytes, kFullRowMap), second);
        for (std::size_t row = 0; row < kMappedRows; ++row) {
            const __m256i inRow = _mm256_cmpeq_epi8(
                bytes, _mm256_set1_epi8(static_cast<char>(kFirstMappedRow + row)));
            pairs = _mm256_or_si256(pairs,
                                    _mm256_and_si256(inRow, InMap(next, kFirstRowMap + row)));
        }
        // The rare rows are looked up one pair at a time.
        std::uint64_t unsure = leads & ~Bits(pairs);
        for (; unsure != 0; unsure &= unsure - 1) {
            const std::size_t at = i + static_cast<std::size_t>(__builtin_ctzll(unsure));
            if (kCp932Pairs[LeadIndex(data[at]) * 256 + data[at + 1]] == kNoCharacter)
                return at;
        }
        carry = static_cast<std::uint32_t>(leads >> 31);
    }
    return i + carry;
}

#endif

}  // namespace

std::size_t FindUnassignedCp932(std::string_view bytes, std::vector<bool>* taken)
{
    static const std::array<int, 256> kPairRows = MakePairRows();
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    std::size_t first = std::string_view::npos;
    std::size_t i = 0;
#ifdef CHIRPWELL_HAVE_AVX2_PATH
    // Asked only whether there is one, most texts are gone through whole by vectors.
    if (!taken && VectorPathInUse())
        i = ValidCp932Prefix(data, size);
#endif
    while (i < size) {
        const int row = kPairRows[data[i]];
        if (row == kSingle) {
            ++i;
            continue;
        }
        if (row == kNoSingle || i + 1 == size) {
            first = std::min(first, i);
            if (!taken)
                return first;
            ++i;
            continue;
        }
        const int index = row + data[i + 1];
        if (kCp932Pairs[index] == kNoCharacter) {
            first = std::min(first, i);
            if (!taken)
                return first;
            if (kCp932FreeIndex[index] >= 0)
                (*taken)[static_cast<std::size_t>(kCp932FreeIndex[index])] = true;
        }
        i += 2;
    }
    return first;
}

std::size_t FindInText(std::string_view text, std::string_view needle)
{
    if (needle.empty())
        return 0;
    std::size_t i = 0;
    while (i + needle.size() <= text.size()) {
        if (text.compare(i, needle.size(), needle) == 0)
            return i;
        i += IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    }
    return std::string_view::npos;
}

std::size_t FindInvalidUtf8(std::string_view utf8)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
    std::size_t i = 0;
    while (i < utf8.size()) {
        if (bytes[i] < 0x80) {
            // Runs of ASCII pass eight bytes at a time.
            std::uint64_t word;
            const bool run = i + 8 <= utf8.size() &&
                             (std::memcpy(&word, bytes + i, 8), (word & 0x8080808080808080u) == 0);
            i += run ? 8 : 1;
            continue;
        }
        if (DecodeUtf8ThreeBytes(bytes + i, utf8.size() - i) != 0) {
            i += 3;
            continue;
        }
        std::size_t length = 1;
        if (DecodeUtf8Character(bytes + i, utf8.size() - i, length) == 0)
            return i;
        i += length;
    }
    return std::string_view::npos;
}

std::string Cp932Text(std::string_view utf8)
{
    std::string cp932;
    const bool ok = Utf8ToCp932(utf8, cp932);
    assert(ok && "a program text has a character that CP932 lacks");
    (void)ok;
    return cp932;
}
