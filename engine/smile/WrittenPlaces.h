#ifndef CHIRPWELL_ENGINE_SMILE_WRITTENPLACES_H
#define CHIRPWELL_ENGINE_SMILE_WRITTENPLACES_H

#include <string_view>

#include "engine/smile/SmilePlace.h"
#include "engine/text/Encoding.h"

class CCodec;

// The places of a smiled CP932 text as they fall in the text written in encoding by
// codec: each one's first byte and length counted in the bytes written, a
// byte-order mark included; in Shift_JIS the engine's positions as they are. The
// text must encode without a fault.
CSmilePlaceList WrittenPlaces(const CCodec& codec, std::string_view cp932, EEncoding encoding,
                              const CSmilePlaceList& places);

#endif
