#ifndef CHIRPWELL_DOCUMENT_PROGRESSRULE_H
#define CHIRPWELL_DOCUMENT_PROGRESSRULE_H

#include "document/Geometry.h"

// When the progress bar moves: only for a position at least 5 away from the last one
// it was sent, so a pass from 0 to 100 redraws it at most 21 times. The first
// position always moves it.
class CProgressRule {
public:
    // True when the bar is to show position (percent) now.
    bool Accept(int position);

private:
    int m_nLast = -100;
};

// Where the progress window's top-left corner goes over the main window: on its
// horizontal centre line, 100 pixels left of its vertical one.
CPoint ProgressWindowPosition(const CRect& mainWindow);

#endif
