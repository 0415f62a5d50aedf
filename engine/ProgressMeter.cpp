#include "engine/ProgressMeter.h"

#include "engine/IProgress.h"

void CProgressMeter::Update(std::size_t position, std::size_t length)
{
    // An empty text has no percentage.
    if (length == 0)
        return;
    const std::size_t percent = position * 100 / length;
    m_nLength = length;
    m_nNextChange = ((percent + 1) * length + 99) / 100;
    if (static_cast<int>(percent) != m_nLast) {
        m_nLast = static_cast<int>(percent);
        m_progress.SetPosition(m_nLast);
    }
}
