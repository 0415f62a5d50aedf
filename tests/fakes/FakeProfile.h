#ifndef CHIRPWELL_TESTS_FAKES_FAKEPROFILE_H
#define CHIRPWELL_TESTS_FAKES_FAKEPROFILE_H

#include <map>
#include <string>
#include <utility>
#include <variant>

#include "engine/IProfile.h"

// A profile in memory; values keep the kind they were written with, and a value of
// the other kind reads as absent, as in the real store.
class CFakeProfile : public IProfile {
public:
    using CValue = std::variant<std::string, int>;

    std::string GetProfileString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) override
    {
        const auto found = m_values.find({section, key});
        if (found == m_values.end() || !std::holds_alternative<std::string>(found->second))
            return defaultValue;
        return std::get<std::string>(found->second);
    }
    int GetProfileInt(const std::string& section, const std::string& key,
                      int defaultValue) override
    {
        const auto found = m_values.find({section, key});
        if (found == m_values.end() || !std::holds_alternative<int>(found->second))
            return defaultValue;
        return std::get<int>(found->second);
    }
    void WriteProfileString(const std::string& section, const std::string& key,
                            const std::string& value) override
    {
        m_values[{section, key}] = value;
    }
    void WriteProfileInt(const std::string& section, const std::string& key, int value) override
    {
        m_values[{section, key}] = value;
    }

    bool Has(const std::string& section, const std::string& key) const
    {
        return m_values.count({section, key}) != 0;
    }

    std::map<std::pair<std::string, std::string>, CValue> m_values;
};

#endif
