#include "document/ResizeRule.h"

#include <algorithm>

std::optional<CWindowPlacement> ResizeToText(bool autoResize, std::string_view text,
                                             const CMeasureText& measure, int fontSize,
                                             const CRect& frame, const CRect& view,
                                             int screenWidth,
                                             const CWindowPlacement& placement)
{
    if (!autoResize || text.empty())
        return std::nullopt;
    const int margin = fontSize / 10;
    // The frame adds its own edges and the view's scroll bar to the view's width.
    const auto frameWidth = [&](int widest) {
        return frame.Width() - view.Width() + std::max(widest + margin, kMinResizeWidth);
    };
    CWindowPlacement maximised = placement;
    maximised.m_bMaximized = true;

    // Each line is measured together with its CR LF, and its width is taken whole:
    // a line wider than 32,767 pixels is still the widest, not a negative one. Once a
    // line is too wide for the screen the frame is maximised, whatever follows.
    int widest = 0;
    std::string_view rest = text;
    for (std::size_t end = rest.find("\r\n"); end != std::string_view::npos;
         end = rest.find("\r\n")) {
        widest = std::max(widest, measure(rest.substr(0, end + 2)));
        if (screenWidth < frameWidth(widest))
            return maximised;
        rest.remove_prefix(end + 2);
    }
    const int lastLine = rest.empty() ? 0 : measure(rest);
    widest = std::max(widest, lastLine + margin);
    const int width = std::max(widest + margin, kMinResizeWidth);

    CRect resized = frame;
    resized.m_nRight = frame.m_nRight - view.Width() + width;
    resized.m_nBottom = frame.m_nBottom - view.Height() + width / 2;
    if (screenWidth < resized.Width())
        return maximised;
    return CWindowPlacement{false, resized};
}
