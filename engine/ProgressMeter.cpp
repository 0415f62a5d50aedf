#include "engine/ProgressMeter.h"

#include "engine/IProgress.h"

void CProgressMeter::Update(std::size_t position, std::size_t length)
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
    if (static_cast<int>(percent) != m_nLast) {
        m_nLast = static_cast<int>(percent);
        m_progress.SetPosition(m_nLast);
    }
}
