#include "engine/text/PlaceCounter.h"

#include <algorithm>
#include <cstdint>

#include "engine/VectorPath.h"
#include "engine/filters/BytePositions.h"
#include "engine/text/Cp932.h"

bool CPlaceCounter::IsSecondByte(const unsigned char* bytes, std::size_t at) const
{
    // The byte before a run of lead-byte values ends a character, so the run pairs
    // up from its start; a run from the part's start pairs up after a second byte
    // the last part left open.
    std::size_t run = 0;
    while (run < at && IsLeadByte(bytes[at - run - 1]))
        ++run;
    if (run == at && m_bInPair)
        return run % 2 == 0;
    return run % 2 == 1;
}

void CPlaceCounter::Advance(std::string_view text)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    if (size == 0)
        return;
    // Line ends are a byte in fifty or so: they are found 64 bytes at a time, and only
    // the characters after the last one are counted one by one.
    const bool vectors = VectorPathInUse();
    std::size_t lineStart = std::string_view::npos;  // after the last line end
    bool afterCr = m_bAfterCr;
    for (std::size_t base = 0; base < size; base += CBytePositions::kWindow) {
        const std::size_t count = std::min(CBytePositions::kWindow, size - base);
        std::uint64_t crs = 0;
        std::uint64_t lfs = 0;
        CBytePositions::Masks(vectors, text.data() + base, count, '\r', '\n', crs, lfs);
        for (std::uint64_t ends = crs | lfs; ends != 0; ends &= ends - 1) {
            const std::size_t at = base + static_cast<std::size_t>(__builtin_ctzll(ends));
            if (IsSecondByte(bytes, at))
                continue;
            const bool cr = bytes[at] == '\r';
            // The LF of a CR LF pair ends the line its CR ended.
            const bool pairEnd =
                !cr && (at == 0 ? m_bAfterCr
                                : lineStart == at && bytes[at - 1] == '\r' && afterCr);
            if (!pairEnd)
                ++m_place.m_nLine;
            lineStart = at + 1;
            afterCr = cr;
        }
    }
    std::size_t at = 0;
    if (lineStart != std::string_view::npos) {
        m_place.m_nColumn = 1;
        at = lineStart;
        m_bInPair = false;
        m_bAfterCr = lineStart == size && afterCr;
    } else {
        m_bAfterCr = false;
    }
    if (m_bInPair && at == 0)
        at = 1;
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
