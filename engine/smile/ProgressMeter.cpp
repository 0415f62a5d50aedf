#include "engine/smile/ProgressMeter.h"

#include "engine/IProgress.h"

void CProgressMeter::Report(int percent)
{
    m_nLast = percent;
    m_progress.SetPosition(percent);
}
