#ifndef CHIRPWELL_DOCUMENT_IPROGRESSFACTORY_H
#define CHIRPWELL_DOCUMENT_IPROGRESSFACTORY_H

#include <memory>

#include "engine/IProgress.h"

// Makes the progress window of one pipeline run: shown when made, gone when
// destroyed.
class IProgressFactory {
public:
    virtual ~IProgressFactory() = default;
    virtual std::unique_ptr<IProgress> Create() = 0;
};

#endif
