#ifndef CHIRPWELL_LIB_ENGINE_H
#define CHIRPWELL_LIB_ENGINE_H

#include "engine/smile/Converter.h"
#include "engine/smile/Random.h"
#include "engine/text/Codec.h"
#include "lib/Handles.h"
#include "lib/Quiet.h"

// What one call or one stream of the C interface smiles with: the generator on the
// options' seed or the clock, and a converter with their frequency and filters that
// works through a codec of its own.
class CLibraryEngine {
public:
    explicit CLibraryEngine(const chirpwell_options& options);
    CLibraryEngine(const CLibraryEngine&) = delete;
    CLibraryEngine& operator=(const CLibraryEngine&) = delete;

    // Puts set in force, its characters taking codes of the codec's text; false
    // when none are left for them.
    bool LoadSet(const chirpwell_set& set);

    CRandom& Random() { return m_random; }
    CCodec& Codec() { return m_codec; }
    CConverter& Converter() { return m_converter; }

private:
    CQuietNotifier m_notifier;
    CSeedClock m_clock;
    CRandom m_random;
    CCodec m_codec;
    CConverter m_converter;
};

#endif
