#ifndef CHIRPWELL_ENGINE_LIMITS_H
#define CHIRPWELL_ENGINE_LIMITS_H

#include <cstddef>

// The most bytes a text may have: what the view holds and the filters' room.
inline constexpr std::size_t kTextLimit = 1048575;
// The most bytes a smiled text may reach: half the text limit.
inline constexpr std::size_t kMaxSmileLength = kTextLimit / 2;
// The room of a run without the window's limits, as the library may ask: the filters
// and the smile then grow the text as far as memory allows.
inline constexpr std::size_t kUnlimited = static_cast<std::size_t>(-1);
// The smile-file path that stands for the built-in set.
inline constexpr char kBuiltInSetPath[] = "????";

#endif
