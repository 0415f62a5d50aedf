#ifndef CHIRPWELL_DOCUMENT_RESIZERULE_H
#define CHIRPWELL_DOCUMENT_RESIZERULE_H

#include <functional>
#include <optional>
#include <string_view>

#include "document/Geometry.h"

// The width in pixels of a piece of CP932 text in the view's font, tabs expanded.
using CMeasureText = std::function<int(std::string_view)>;

inline constexpr int kMinResizeWidth = 350;

// How auto-resize places the main window for text: the view becomes as wide as the
// widest line plus a margin of as many pixels as the font has whole points (twice for
// the last line), at least 350 pixels, and half as high; the frame keeps its top-left
// corner and is maximised instead when it would be wider than the screen. Nothing
// when auto-resize is off or the text is empty. fontSize counts tenths of a point, as
// the display settings keep it; frame and view are the current outer rectangles in
// pixels, placement the frame's current one.
// Lines are measured in order, and no further once one makes the frame too wide.
std::optional<CWindowPlacement> ResizeToText(bool autoResize, std::string_view text,
                                             const CMeasureText& measure, int fontSize,
                                             const CRect& frame, const CRect& view,
                                             int screenWidth,
                                             const CWindowPlacement& placement);

// The drop rule: only a single file is opened.
inline bool IsAcceptedDrop(int fileCount)
{
    return fileCount == 1;
}

#endif
