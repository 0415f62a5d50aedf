#ifndef CHIRPWELL_CLI_RUNENGINE_H
#define CHIRPWELL_CLI_RUNENGINE_H

#include "engine/SystemClock.h"
#include "engine/smile/Converter.h"
#include "engine/smile/Random.h"
#include "programs/FixedClock.h"

class CCodec;
class CMessages;
struct CSmileOptions;

// What one run of chirpwell-smile smiles with: the generator, on the clock the
// options name (the second of --seed, or the time), and a converter with their
// frequency and filters that tells messages and works through codec. The messages
// and the codec must outlive it.
class CRunEngine {
public:
    CRunEngine(const CSmileOptions& options, CMessages& messages, CCodec& codec);
    CRunEngine(const CRunEngine&) = delete;
    CRunEngine& operator=(const CRunEngine&) = delete;

    CRandom& Random() { return m_random; }
    CConverter& Converter() { return m_converter; }

private:
    CSystemClock m_systemClock;
    CFixedClock m_seedClock;
    CRandom m_random;
    CConverter m_converter;
};

#endif
