#ifndef CHIRPWELL_ENGINE_SMILE_SMILERULE_H
#define CHIRPWELL_ENGINE_SMILE_SMILERULE_H

#include <string>

// One smile rule: where a text holds the key, the conversion may put the replacement.
// Both strings are CP932 bytes with the "#" escapes already resolved.
class CSmileRule {
public:
    // Stores key and replacement as written in a smile file and resolves their escapes.
    void SetRule(const std::string& key, const std::string& replacement);

    std::string m_strReplacement;
    std::string m_strKey;
    int m_nReplacementLength = 0;  // bytes of m_strReplacement
};

// A string with its "#" escapes resolved: "##" is "#", "#n" is CR LF, and "#" before
// any other byte, or at the end, drops out together with that byte.
std::string ResolveEscapes(const std::string& written);

#endif
