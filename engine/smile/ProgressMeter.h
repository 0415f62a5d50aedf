#ifndef CHIRPWELL_ENGINE_SMILE_PROGRESSMETER_H
#define CHIRPWELL_ENGINE_SMILE_PROGRESSMETER_H

#include <cstddef>

class IProgress;

// Turns "at byte position of a text of length bytes" into the percentage
// 100 * position / length for a progress display, with work only where the
// percentage changes instead of at every byte. A value equal to the one reported just
// before is left out; every change is reported. The display must outlive the meter.
class CProgressMeter {
public:
    explicit CProgressMeter(IProgress& progress) : m_progress(progress) {}

    // Positions must not decrease while the length stays the same.
    void At(std::size_t position, std::size_t length)
    {
        if (length == m_nLength && position < m_nNextChange)
            return;
        Update(position, length);
    }

    // As At for every position from first up to, not including, end, in order.
    void Span(std::size_t first, std::size_t end, std::size_t length)
    {
        if (first >= end)
            return;
        At(first, length);
        // An empty text has no percentage and no next change.
        while (length != 0 && m_nNextChange < end)
            Update(m_nNextChange, length);
    }

    // True when At would report nothing for any position from first to last with any
    // length from shortest to longest: all give the percentage reported last.
    bool Steady(std::size_t first, std::size_t last, std::size_t shortest, std::size_t longest) const
    {
        if (m_nLast < 0 || shortest == 0)
            return false;
        const auto percent = static_cast<std::size_t>(m_nLast);
        return percent * longest <= first * 100 && last * 100 < (percent + 1) * shortest;
    }

private:
    void Update(std::size_t position, std::size_t length)
    {
        // An empty text has no percentage.
        if (length == 0)
            return;
        // A pass that changes the length at nearly every byte mostly keeps the
        // percentage; two products tell that without a division.
        std::size_t percent = 0;
        const auto last = static_cast<std::size_t>(m_nLast);
        if (m_nLast >= 0 && last * length <= position * 100 && position * 100 < (last + 1) * length)
            percent = last;
        else
            percent = position * 100 / length;
        m_nLength = length;
        m_nNextChange = ((percent + 1) * length + 99) / 100;
        if (static_cast<int>(percent) != m_nLast)
            Report(static_cast<int>(percent));
    }
    void Report(int percent);

    IProgress& m_progress;
    std::size_t m_nLength = 0;      // the length the window below was computed for
    std::size_t m_nNextChange = 0;  // first position whose percentage is higher
    int m_nLast = -1;               // last percentage reported; none yet
};

#endif
