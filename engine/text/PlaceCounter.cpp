#include "engine/text/PlaceCounter.h"

#include <algorithm>
#include <cstdint>

#include "engine/VectorPath.h"
#include "engine/filters/BytePositions.h"
#include "engine/text/Cp932.h"

#ifdef CHIRPWELL_HAVE_AVX2_PATH
#include <immintrin.h>
#endif

namespace {

constexpr std::size_t kWindow = CBytePositions::kWindow;

// Bit k of each mask for the window's byte k: a CR, an LF, a byte of 0x80 or above,
// which may be a lead byte.
struct CWindow {
    std::uint64_t m_nCrs = 0;
    std::uint64_t m_nLfs = 0;
    std::uint64_t m_nLeads = 0;
};

// Where the count of the line ends of a part stands.
struct CScan {
    const unsigned char* m_pBytes;
    bool m_bWholePairs;    // no line end is a second byte
    bool m_bInPairBefore;  // the part starts with a second byte
    std::size_t m_nLines = 0;
    std::size_t m_nLineStart = std::string_view::npos;  // after the last line end
    bool m_bAfterCr;  // the byte before the next window is a CR that ended a line
    std::uint64_t m_nLeadBefore;  // 1 when it may be a lead byte
};

// Whether scan's byte at is the second byte of a character.
bool IsSecondByte(const CScan& scan, std::size_t at)
{
    // The byte before a run of lead-byte values ends a character, so the run pairs
    // up from its start; a run from the part's start pairs up after a second byte
    // the last part left open.
    std::size_t run = 0;
    while (run < at && IsLeadByte(scan.m_pBytes[at - run - 1]))
        ++run;
    if (run == at && scan.m_bInPairBefore)
        return run % 2 == 0;
    return run % 2 == 1;
}

// Counts the line ends of a window at base of count bytes. Line ends mostly follow
// a byte below 0x80, which is no lead byte: a window where all do counts them by its
// masks alone.
inline void AddWindow(const CWindow& window, std::size_t base, std::size_t count, CScan& scan)
{
    const std::uint64_t ends = window.m_nCrs | window.m_nLfs;
    const std::uint64_t afterLead = window.m_nLeads << 1 | scan.m_nLeadBefore;
    scan.m_nLeadBefore = window.m_nLeads >> 63;
    if ((ends & afterLead) == 0) {
        const std::uint64_t crBefore = window.m_nCrs << 1 | (scan.m_bAfterCr ? 1 : 0);
        scan.m_nLines += static_cast<std::size_t>(__builtin_popcountll(ends) -
                                                  __builtin_popcountll(window.m_nLfs & crBefore));
        if (ends != 0) {
            const auto last = static_cast<std::size_t>(63 - __builtin_clzll(ends));
            scan.m_nLineStart = base + last + 1;
            scan.m_bAfterCr = (window.m_nCrs >> last & 1) != 0;
        }
    } else {
        for (std::uint64_t left = ends; left != 0; left &= left - 1) {
            const std::size_t at = base + static_cast<std::size_t>(__builtin_ctzll(left));
            if (IsSecondByte(scan, at)) {
                scan.m_bAfterCr = false;
                continue;
            }
            const bool cr = scan.m_pBytes[at] == '\r';
            // The LF of a CR LF pair ends the line its CR ended.
            if (cr || !(scan.m_bAfterCr && (at == 0 || scan.m_nLineStart == at)))
                ++scan.m_nLines;
            scan.m_nLineStart = at + 1;
            scan.m_bAfterCr = cr;
        }
    }
    // Only a line end at the window's last byte comes right before the next window.
    if (count == kWindow && (ends >> 63) == 0)
        scan.m_bAfterCr = false;
}

CWindow WindowPortably(const unsigned char* bytes, std::size_t count, bool wholePairs)
{
    CWindow window;
    CBytePositions::Masks(false, reinterpret_cast<const char*>(bytes), count, '\r', '\n',
                          window.m_nCrs, window.m_nLfs);
    for (std::size_t k = 0; k < count && !wholePairs; ++k)
        window.m_nLeads |= static_cast<std::uint64_t>(bytes[k] >> 7) << k;
    return window;
}

void CountPortably(std::size_t size, CScan& scan)
{
    for (std::size_t base = 0; base < size; base += kWindow) {
        const std::size_t count = std::min(kWindow, size - base);
        AddWindow(WindowPortably(scan.m_pBytes + base, count, scan.m_bWholePairs), base, count,
                  scan);
    }
}

#ifdef CHIRPWELL_HAVE_AVX2_PATH

// The same 64 bytes at a time with AVX2, the window's masks made in place; the lead
// bytes only where a line end may be a second byte.
template <bool kWholePairs>
__attribute__((target("avx2,popcnt"))) void CountWithAvx2(std::size_t size, CScan& scan)
{
    const __m256i crs = _mm256_set1_epi8('\r');
    const __m256i lfs = _mm256_set1_epi8('\n');
    std::size_t base = 0;
    for (; base + kWindow <= size; base += kWindow) {
        CWindow window;
        for (int half = 0; half < 2; ++half) {
            const __m256i data = _mm256_loadu_si256(
                reinterpret_cast<const __m256i*>(scan.m_pBytes + base + 32 * half));
            const int shift = 32 * half;
            window.m_nCrs |= static_cast<std::uint64_t>(static_cast<std::uint32_t>(
                                 _mm256_movemask_epi8(_mm256_cmpeq_epi8(data, crs))))
                             << shift;
            window.m_nLfs |= static_cast<std::uint64_t>(static_cast<std::uint32_t>(
                                 _mm256_movemask_epi8(_mm256_cmpeq_epi8(data, lfs))))
                             << shift;
            if (!kWholePairs)
                window.m_nLeads |= static_cast<std::uint64_t>(static_cast<std::uint32_t>(
                                       _mm256_movemask_epi8(data)))
                                   << shift;
        }
        AddWindow(window, base, kWindow, scan);
    }
    if (base < size)
        AddWindow(WindowPortably(scan.m_pBytes + base, size - base, kWholePairs), base,
                  size - base, scan);
}

#endif

}  // namespace

void CPlaceCounter::Advance(std::string_view text)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    if (size == 0)
        return;
    CScan scan{bytes, m_bWholePairs, m_bInPair, 0, std::string_view::npos, m_bAfterCr,
               m_bInPair && !m_bWholePairs ? 1u : 0u};
#ifdef CHIRPWELL_HAVE_AVX2_PATH
    if (VectorPathInUse() && m_bWholePairs)
        CountWithAvx2<true>(size, scan);
    else if (VectorPathInUse())
        CountWithAvx2<false>(size, scan);
    else
#endif
        CountPortably(size, scan);
    m_place.m_nLine += scan.m_nLines;
    // Only the characters after the last line end are counted one by one.
    std::size_t at = 0;
    if (scan.m_nLineStart != std::string_view::npos) {
        m_place.m_nColumn = 1;
        at = scan.m_nLineStart;
    } else if (m_bInPair) {
        at = 1;
    }
    m_bAfterCr = scan.m_nLineStart == size && scan.m_bAfterCr;
    while (at < size) {
        ++m_place.m_nColumn;
        at += IsLeadByte(bytes[at]) ? 2 : 1;
    }
    m_bInPair = at > size;
}

CTextPlace CPlaceCounter::PlaceAt(std::string_view text, std::size_t offset) const
{
    CPlaceCounter counter = *this;
    counter.Advance(text.substr(0, offset));
    return counter.Place();
}
