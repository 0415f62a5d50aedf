#ifndef CHIRPWELL_DOCUMENT_IWORKINGDIRECTORY_H
#define CHIRPWELL_DOCUMENT_IWORKINGDIRECTORY_H

#include <string>

// The process's working directory, against which relative smile-file paths count.
class IWorkingDirectory {
public:
    virtual ~IWorkingDirectory() = default;
    // False when the directory cannot be entered.
    virtual bool Set(const std::string& path) = 0;
};

#endif
