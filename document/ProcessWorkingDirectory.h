#ifndef CHIRPWELL_DOCUMENT_PROCESSWORKINGDIRECTORY_H
#define CHIRPWELL_DOCUMENT_PROCESSWORKINGDIRECTORY_H

#include "document/IWorkingDirectory.h"

// The process's own working directory.
class CProcessWorkingDirectory : public IWorkingDirectory {
public:
    bool Set(const std::string& path) override;
};

#endif
