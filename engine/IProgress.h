#ifndef CHIRPWELL_ENGINE_IPROGRESS_H
#define CHIRPWELL_ENGINE_IPROGRESS_H

#include <string>

// Where a long pass over a text shows how far it has come.
class IProgress {
public:
    virtual ~IProgress() = default;
    virtual void SetCaption(const std::string& caption) = 0;  // CP932
    virtual void SetPosition(int percent) = 0;                // 0 to 100
};

#endif
