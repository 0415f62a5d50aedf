#ifndef CHIRPWELL_PROGRAMS_SILENTPROGRESS_H
#define CHIRPWELL_PROGRAMS_SILENTPROGRESS_H

#include <string>

#include "engine/IProgress.h"

// A progress display that shows nothing, for runs that nobody watches.
class CSilentProgress : public IProgress {
public:
    void SetCaption(const std::string&) override {}
    void SetPosition(int) override {}
};

#endif
