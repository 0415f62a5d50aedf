#include "engine/BytePositions.h"

#include "engine/VectorPath.h"

#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#define CHIRPWELL_HAVE_AVX2_PATH 1
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
// eight bytes a word, the word put together byte by byte so that the byte order of
// the machine plays no part.
void MasksPortably(const char* bytes, std::size_t count, char first, char second,
                   std::uint64_t& firstMask, std::uint64_t& secondMask)
{
    const std::uint64_t firsts = kOnes * static_cast<unsigned char>(first);
    const std::uint64_t seconds = kOnes * static_cast<unsigned char>(second);
    // Gathers the eight marks (bits 7, 15, ..., 63) into bits 56 to 63.
    auto gather = [](std::uint64_t marks) { return ((marks >> 7) * 0x0102040810204080u) >> 56; };
    firstMask = 0;
    secondMask = 0;
    std::size_t at = 0;
    for (; at + 8 <= count; at += 8) {
        std::uint64_t word = 0;
        for (std::size_t k = 0; k < 8; ++k)
            word |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[at + k])) << (8 * k);
        firstMask |= gather(ZeroBytes(word ^ firsts)) << at;
        secondMask |= gather(ZeroBytes(word ^ seconds)) << at;
    }
    for (; at < count; ++at) {
        firstMask |= static_cast<std::uint64_t>(bytes[at] == first) << at;
        secondMask |= static_cast<std::uint64_t>(bytes[at] == second) << at;
    }
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
}

std::size_t CBytePositions::NextInLaterWindows(std::size_t from)
{
    const std::size_t size = m_text.size();
    if (m_bLoaded && from - m_nBase < kWindow)
        from = m_nBase + kWindow;
    for (;;) {
        if (from >= size)
            return size;
        if (!m_bLoaded || from >= m_nBase + kWindow) {
            m_nBase = from;
            const std::size_t count = size - from < kWindow ? size - from : kWindow;
            std::uint64_t firsts = 0;
            std::uint64_t seconds = 0;
            Masks(m_bVectors, m_text.data() + from, count, m_cFirst, m_cSecond, firsts, seconds);
            m_nHits = firsts | seconds;
            m_bLoaded = true;
        }
        const std::uint64_t ahead = m_nHits >> (from - m_nBase);
        if (ahead != 0)
            return from + static_cast<std::size_t>(__builtin_ctzll(ahead));
        from = m_nBase + kWindow;
    }
}
