#include "engine/smile/WrittenPlaces.h"

#include <algorithm>
#include <vector>

#include "engine/text/Codec.h"

CSmilePlaceList WrittenPlaces(const CCodec& codec, std::string_view cp932, EEncoding encoding,
                              const CSmilePlaceList& places)
{
    // Each bound once, in order, as MapOffsets takes them.
    std::vector<std::size_t> bounds;
    for (const CSmilePlace& place : places) {
        bounds.push_back(place.m_nPosition);
        bounds.push_back(place.m_nPosition + place.m_nLength);
    }
    std::sort(bounds.begin(), bounds.end());
    bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());
    std::vector<std::size_t> written = bounds;
    codec.MapOffsets(cp932, encoding, written);
    auto at = [&](std::size_t offset) {
        return written[static_cast<std::size_t>(
            std::lower_bound(bounds.begin(), bounds.end(), offset) - bounds.begin())];
    };
    CSmilePlaceList result;
    result.reserve(places.size());
    for (const CSmilePlace& place : places) {
        const std::size_t start = at(place.m_nPosition);
        result.push_back({start, at(place.m_nPosition + place.m_nLength) - start});
    }
    return result;
}
