#include "engine/filters/BytePositions.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "engine/VectorPath.h"

#ifdef CHIRPWELL_HAVE_AVX2_PATH
#include <immintrin.h>
#endif

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101u;
constexpr std::uint64_t kLows = 0x7F7F7F7F7F7F7F7Fu;

// 0x80 in each byte of word that is zero, 0 in the others, exactly.
inline std::uint64_t ZeroBytes(std::uint64_t word)
{
    return ~(((word & kLows) + kLows) | word) & ~kLows;
}

// Bit k for byte k of bytes [0, count), count at most 64, for each of two bytes;
// eight bytes a word, the word read so that its first byte is its lowest on a
// machine of either byte order.
void MasksPortably(const char* bytes, std::size_t count, char first, char second,
                   std::uint64_t& firstMask, std::uint64_t& secondMask)
{
    const std::uint64_t firsts = kOnes * static_cast<unsigned char>(first);
    const std::uint64_t seconds = kOnes * static_cast<unsigned char>(second);
    // Gathers the eight marks (bits 7, 15, ..., 63) into bits 56 to 63.
    auto gather = [](std::uint64_t marks) { return ((marks >> 7) * 0x0102040810204080u) >> 56; };
    std::uint64_t firstBits = 0;
    std::uint64_t secondBits = 0;
    std::size_t at = 0;
    for (; at + 8 <= count; at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes + at, 8);
        if constexpr (std::endian::native == std::endian::big)
            word = __builtin_bswap64(word);
        firstBits |= gather(ZeroBytes(word ^ firsts)) << at;
        secondBits |= gather(ZeroBytes(word ^ seconds)) << at;
    }
    for (; at < count; ++at) {
        firstBits |= static_cast<std::uint64_t>(bytes[at] == first) << at;
        secondBits |= static_cast<std::uint64_t>(bytes[at] == second) << at;
    }
    firstMask = firstBits;
    secondMask = secondBits;
}

#ifdef CHIRPWELL_HAVE_AVX2_PATH

// The same for exactly 64 bytes.
__attribute__((target("avx2"))) void MasksWithAvx2(const char* bytes, char first, char second,
                                                   std::uint64_t& firstMask,
                                                   std::uint64_t& secondMask)
{
    const __m256i firsts = _mm256_set1_epi8(first);
    const __m256i seconds = _mm256_set1_epi8(second);
    firstMask = 0;
    secondMask = 0;
    for (int half = 0; half < 2; ++half) {
        const __m256i data = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + 32 * half));
        const auto firstBits =
            static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(data, firsts)));
        const auto secondBits =
            static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(data, seconds)));
        firstMask |= static_cast<std::uint64_t>(firstBits) << (32 * half);
        secondMask |= static_cast<std::uint64_t>(secondBits) << (32 * half);
    }
}

// Bit k for bytes[k], of exactly 64, that is first or second.
__attribute__((target("avx2"))) std::uint64_t HitsWithAvx2(const char* bytes, char first,
                                                           char second)
{
    const __m256i firsts = _mm256_set1_epi8(first);
    const __m256i seconds = _mm256_set1_epi8(second);
    const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes));
    const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + 32));
    const auto lowBits = static_cast<std::uint32_t>(_mm256_movemask_epi8(
        _mm256_or_si256(_mm256_cmpeq_epi8(low, firsts), _mm256_cmpeq_epi8(low, seconds))));
    const auto highBits = static_cast<std::uint32_t>(_mm256_movemask_epi8(
        _mm256_or_si256(_mm256_cmpeq_epi8(high, firsts), _mm256_cmpeq_epi8(high, seconds))));
    return static_cast<std::uint64_t>(highBits) << 32 | lowBits;
}

#endif

}  // namespace

void CBytePositions::Masks(bool vectors, const char* bytes, std::size_t count, char first,
                           char second, std::uint64_t& firstMask, std::uint64_t& secondMask)
{
#ifdef CHIRPWELL_HAVE_AVX2_PATH
    if (vectors && count == kWindow) {
        MasksWithAvx2(bytes, first, second, firstMask, secondMask);
        return;
    }
#else
    (void)vectors;
#endif
    MasksPortably(bytes, count, first, second, firstMask, secondMask);
}

CBytePositions::CBytePositions(std::string_view text, char first, char second)
    : m_text(text), m_cFirst(first), m_cSecond(second), m_bVectors(VectorPathInUse())
{
    if (!m_bVectors) {
        m_nFirstAt = Find(first, 0);
        m_nSecondAt = first == second ? m_nFirstAt : Find(second, 0);
    }
}

std::size_t CBytePositions::Find(char byte, std::size_t from) const
{
    const std::size_t size = m_text.size();
    const void* found = from < size ? std::memchr(m_text.data() + from, byte, size - from) : nullptr;
    return found ? static_cast<std::size_t>(static_cast<const char*>(found) - m_text.data()) : size;
}

std::size_t CBytePositions::NextInLaterWindows(std::size_t from)
{
    const std::size_t size = m_text.size();
    if (from - m_nBase < kWindow)
        from = m_nBase + kWindow;
    while (from < size) {
        // Windows at multiples of 64 never overlap, so no byte is tested twice.
        m_nBase = from - from % kWindow;
#ifdef CHIRPWELL_HAVE_AVX2_PATH
        if (size - m_nBase >= kWindow) {
            m_nHits = HitsWithAvx2(m_text.data() + m_nBase, m_cFirst, m_cSecond);
        } else
#endif
        {
            std::uint64_t firsts = 0;
            std::uint64_t seconds = 0;
            MasksPortably(m_text.data() + m_nBase, std::min(size - m_nBase, kWindow), m_cFirst,
                          m_cSecond, firsts, seconds);
            m_nHits = firsts | seconds;
        }
        const std::uint64_t ahead = m_nHits >> (from - m_nBase);
        if (ahead != 0)
            return from + static_cast<std::size_t>(__builtin_ctzll(ahead));
        from = m_nBase + kWindow;
    }
    return size;
}
