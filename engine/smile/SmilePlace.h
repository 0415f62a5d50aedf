#ifndef CHIRPWELL_ENGINE_SMILE_SMILEPLACE_H
#define CHIRPWELL_ENGINE_SMILE_SMILEPLACE_H

#include <cstddef>
#include <vector>

// One place a conversion changed: the replacement's first byte and its length, both
// in bytes of the smiled text.
struct CSmilePlace {
    std::size_t m_nPosition = 0;
    std::size_t m_nLength = 0;

    bool operator==(const CSmilePlace&) const = default;
};

// The places of one conversion, in non-decreasing order of position.
using CSmilePlaceList = std::vector<CSmilePlace>;

#endif
