#ifndef CHIRPWELL_ENGINE_PROFILETEXT_H
#define CHIRPWELL_ENGINE_PROFILETEXT_H

#include <string>

#include "engine/ProfileKeys.h"

class CCodec;
class IProfile;

// Texts of the profile, which holds UTF-8, as the engine's CP932 through codec.

// The stored text, or the key's default when it is absent or has a character that
// CP932 lacks.
std::string ReadCp932(IProfile& profile, const CStringKey& key, CCodec& codec);
// Stores text as UTF-8; a text that is no text cannot be, and the stored one stays.
void WriteCp932(IProfile& profile, const CStringKey& key, const std::string& cp932,
                const CCodec& codec);

#endif
