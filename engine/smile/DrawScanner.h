#ifndef CHIRPWELL_ENGINE_SMILE_DRAWSCANNER_H
#define CHIRPWELL_ENGINE_SMILE_DRAWSCANNER_H

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

    // The pass flags of the next draws, without using them up: bit k for the draw
    // k + 1 from now. count, at least 1, is lowered to the number of draws the flags
    // cover (at most 64, or any number when no draw can pass).
    std::uint64_t Ahead(std::size_t& count)
    {
        if (m_nUsed >= m_nValid)
            return Refill(count);
        const std::size_t tested = m_nValid - m_nUsed;
        if (count > tested)
            count = tested;
        const std::uint64_t ahead = m_nPassed >> m_nUsed;
        return count == kBlock ? ahead : ahead & ((std::uint64_t{1} << count) - 1);
    }
    // Uses up draws, at most the count Ahead last gave.
    void Use(std::size_t draws)
    {
        m_nUsed += draws;
        // Only where no draw passes can more than a block be used at once.
        if (m_nUsed > kBlock)
            Rebase();
    }
    // The state after the last draw used up.
    std::uint32_t State() const;
    // Goes on from state, after draws made elsewhere.
    void Restart(std::uint32_t state);

private:
    static constexpr std::size_t kBlock = 64;

    // Tests the block's draws [m_nValid, valid).
    void Fill(std::size_t valid);
    // Ahead when the tested draws are used up, or no draw can pass.
    std::uint64_t Refill(std::size_t& count);
    // Makes the state after the draws used up the block's start.
    void Rebase();

    std::uint32_t m_nBlockState;  // the state before the block's first draw
    std::uint64_t m_nPassed = 0;  // bit k: the block's draw k + 1 passes
    std::size_t m_nValid = 0;     // draws of the block tested so far
    std::size_t m_nUsed = 0;      // draws of the block used up (any number when none passes)
    std::uint32_t m_nThreshold = 0;
    int m_nFrequency;
    bool m_bVectors;
};

#endif
