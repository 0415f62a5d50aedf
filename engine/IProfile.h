#ifndef CHIRPWELL_ENGINE_IPROFILE_H
#define CHIRPWELL_ENGINE_IPROFILE_H

#include <string>

// The per-user store of settings, in sections of named values. Strings are UTF-8
// as stored; a value that is absent or not of its kind reads as the default.
class IProfile {
public:
    virtual ~IProfile() = default;
    virtual std::string GetProfileString(const std::string& section, const std::string& key,
                                         const std::string& defaultValue) = 0;
    virtual int GetProfileInt(const std::string& section, const std::string& key,
                              int defaultValue) = 0;
    virtual void WriteProfileString(const std::string& section, const std::string& key,
                                    const std::string& value) = 0;
    virtual void WriteProfileInt(const std::string& section, const std::string& key,
                                 int value) = 0;
};

#endif
