#ifndef CHIRPWELL_ENGINE_LIMITS_H
#define CHIRPWELL_ENGINE_LIMITS_H

#include <cstddef>

// The most bytes a text may have: what the view holds and the filters' room.
inline constexpr std::size_t kTextLimit = 1048575;
// The most bytes a smiled text may reach: half the text limit.
inline constexpr std::size_t kMaxSmileLength = kTextLimit / 2;
// A room or maximum length that never stops a pass: a stream's text has no limit.
inline constexpr std::size_t kNoLimit = static_cast<std::size_t>(-1);
// The smile-file path that stands for the built-in set.
inline constexpr char kBuiltInSetPath[] = "????";

#endif
