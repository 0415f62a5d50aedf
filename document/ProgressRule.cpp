#include "document/ProgressRule.h"

bool CProgressRule::Accept(int position)
{
    const int difference = m_nLast - position;
    if (difference * difference < 25)
        return false;
    m_nLast = position;
    return true;
}

CPoint ProgressWindowPosition(const CRect& mainWindow)
{
    // Integer halving rounds toward zero, also for a window partly off the screen.
    return {(mainWindow.m_nLeft + mainWindow.m_nRight) / 2 - 100,
            (mainWindow.m_nTop + mainWindow.m_nBottom) / 2};
}
