#ifndef CHIRPWELL_ENGINE_DRAWSCAN_H
#define CHIRPWELL_ENGINE_DRAWSCAN_H

#include <cstddef>
#include <cstdint>

// The conversion's frequency test made on many draws of the generator at a time: a
// draw passes when its value modulo 100 is below the frequency, in percent. States
// are those of CRandom.

// Tests the next draws after state, at most count of them, and gives how many failed
// before the first that passed, or count when none did. state becomes the state after
// the last draw tested: the one that passed, or the count-th.
std::size_t SkipFailingDraws(std::uint32_t& state, std::size_t count, int frequency);

#endif
