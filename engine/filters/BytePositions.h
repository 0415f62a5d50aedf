#ifndef CHIRPWELL_ENGINE_FILTERS_BYTEPOSITIONS_H
#define CHIRPWELL_ENGINE_FILTERS_BYTEPOSITIONS_H

#include <cstddef>
#include <cstdint>
#include <string_view>

// Finds, in order, the positions of a text that hold one of two bytes: the bytes a
// filter acts on. With AVX2 (when VectorPathInUse) it tests 64 bytes at a time and
// keeps the result, so a text dense with them costs a few instructions a hit; the
// portable path keeps the next hit of each byte from the C library's memchr. The
// text must outlive it; bytes may change behind the positions asked for, not ahead.
class CBytePositions {
public:
    static constexpr std::size_t kWindow = 64;

    // Bit k of firstMask and secondMask: bytes[k] is that byte, for k below count (at
    // most 64); with AVX2 when vectors, which VectorPathInUse gives.
    static void Masks(bool vectors, const char* bytes, std::size_t count, char first,
                      char second, std::uint64_t& firstMask, std::uint64_t& secondMask);

    CBytePositions(std::string_view text, char first, char second);

    // The first position at or after from that holds either byte, or the text's
    // size. from must not decrease from one call to the next.
    std::size_t Next(std::size_t from)
    {
        if (m_bVectors) {
            if (from - m_nBase < kWindow) {
                const std::uint64_t ahead = m_nHits >> (from - m_nBase);
                if (ahead != 0)
                    return from + static_cast<std::size_t>(__builtin_ctzll(ahead));
            }
            return NextInLaterWindows(from);
        }
        if (m_nFirstAt < from)
            m_nFirstAt = Find(m_cFirst, from);
        if (m_nSecondAt < from)
            m_nSecondAt = m_cSecond == m_cFirst ? m_nFirstAt : Find(m_cSecond, from);
        return m_nFirstAt < m_nSecondAt ? m_nFirstAt : m_nSecondAt;
    }

private:
    std::size_t NextInLaterWindows(std::size_t from);
    // The first position at or after from holding byte.
    std::size_t Find(char byte, std::size_t from) const;

    std::string_view m_text;
    // The vector path's window, none at first.
    std::size_t m_nBase = static_cast<std::size_t>(-1) - kWindow;
    std::uint64_t m_nHits = 0;    // bit k: position m_nBase + k holds either byte
    // The portable path's next hit of each byte at or after the last from.
    std::size_t m_nFirstAt = 0;
    std::size_t m_nSecondAt = 0;
    char m_cFirst;
    char m_cSecond;
    bool m_bVectors;
};

#endif
