#ifndef CHIRPWELL_ENGINE_SMILE_BUILTINSET_H
#define CHIRPWELL_ENGINE_SMILE_BUILTINSET_H

#include <span>

// One rule of the built-in smile set, as exact CP932 bytes.
struct CBuiltInRule {
    const char* m_pKey;
    const char* m_pReplacement;
};

// The name of the built-in set, CP932.
extern const char kBuiltInSetName[];

// The rules of the built-in set, in the order they are added.
std::span<const CBuiltInRule> BuiltInRules();

#endif
