#ifndef CHIRPWELL_ENGINE_DRAWSCANNER_H
#define CHIRPWELL_ENGINE_DRAWSCANNER_H

#include <cstddef>
#include <cstdint>

// The conversion's frequency test made on many draws of the generator at a time: a
// draw passes when its value modulo 100 is below the frequency, in percent. It keeps
// the pass flags of a block of up to 64 draws ahead, so a walk that makes no other
// draw between passes moves from pass to pass in a few instructions. States are
// those of CRandom.
class CDrawScanner {
public:
    CDrawScanner(std::uint32_t state, int frequency);

    // Tests the next draws, at most count of them, and gives how many failed before
    // the first that passed, or count when none did. The draws tested are used up.
    std::size_t SkipFailing(std::size_t count);
    // The state after the last draw used up.
    std::uint32_t State() const;
    // Goes on from state, after draws made elsewhere.
    void Restart(std::uint32_t state);

private:
    static constexpr std::size_t kBlock = 64;

    // Tests the block's draws [m_nValid, valid).
    void Fill(std::size_t valid);

    std::uint32_t m_nBlockState;  // the state before the block's first draw
    std::uint64_t m_nPassed = 0;  // bit k: the block's draw k + 1 passes
    std::size_t m_nValid = 0;     // draws of the block tested so far
    std::size_t m_nUsed = 0;      // draws of the block used up
    std::uint32_t m_nThreshold = 0;
    int m_nFrequency;
    bool m_bVectors;
};

#endif
