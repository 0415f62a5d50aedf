#ifndef CHIRPWELL_DOCUMENT_GEOMETRY_H
#define CHIRPWELL_DOCUMENT_GEOMETRY_H

// Screen rectangles in pixels; right and bottom lie just outside.
struct CRect {
    int m_nLeft = 0;
    int m_nTop = 0;
    int m_nRight = 0;
    int m_nBottom = 0;

    int Width() const { return m_nRight - m_nLeft; }
    int Height() const { return m_nBottom - m_nTop; }
    bool operator==(const CRect&) const = default;
};

struct CPoint {
    int m_nX = 0;
    int m_nY = 0;

    bool operator==(const CPoint&) const = default;
};

// How a top-level window stands: maximised or not, and where it goes when normal.
struct CWindowPlacement {
    bool m_bMaximized = false;
    CRect m_normal;

    bool operator==(const CWindowPlacement&) const = default;
};

#endif
