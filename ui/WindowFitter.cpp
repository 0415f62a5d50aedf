#include "ui/WindowFitter.h"

#include <QAbstractScrollArea>
#include <QFontMetrics>
#include <QScreen>

#include "document/DisplaySettings.h"
#include "document/DisplayText.h"
#include "document/ResizeRule.h"
#include "ui/TabStop.h"

namespace {

CRect ToRect(const QRect& rect)
{
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

}  // namespace

void CWindowFitter::SetFont(const QFont& font)
{
    m_font = font;
    m_charWidths.clear();
}

int CWindowFitter::MeasureLine(std::string_view cp932, const CCodec& codec)
{
    // Advances are summed character by character, as the text box lays out a line
    // of this font; each character is measured once per font, which keeps fitting
    // the window to a long text fast.
    if (m_charWidths.empty()) {
        m_charWidths.assign(0x10000, -1);
        m_nTabStop = TabStopDistance(QFontMetrics(m_font));
    }
    const QFontMetrics metrics(m_font);
    const CDisplayText shown(cp932, &codec);
    int width = 0;
    for (const char16_t c : shown.Shown()) {
        if (c == u'\n')
            continue;
        if (c == u'\t') {
            if (m_nTabStop > 0)
                width = (width / m_nTabStop + 1) * m_nTabStop;
            continue;
        }
        int& advance = m_charWidths[c];
        if (advance < 0)
            advance = metrics.horizontalAdvance(QChar(c));
        width += advance;
    }
    return width;
}

void CWindowFitter::Fit(QAbstractScrollArea& view, std::string_view text, const CCodec& codec,
                        const CDisplaySettings& settings)
{
    QWidget* frame = view.window();
    const QScreen* screen = frame->screen();
    CWindowPlacement placement;
    placement.m_bMaximized = frame->isMaximized();
    placement.m_normal = ToRect(frame->isMaximized() ? frame->normalGeometry() : frame->geometry());
    // The text is laid out in the viewport, so that is the rectangle the width is
    // meant for: with the box's frame and scroll bar outside it, the widest line
    // fits without wrapping.
    const QRect viewRect(view.viewport()->mapTo(frame, QPoint(0, 0)), view.viewport()->size());
    const std::optional<CWindowPlacement> resized = ResizeToText(
        settings.m_bAutoResize, text,
        [this, &codec](std::string_view line) { return MeasureLine(line, codec); },
        settings.m_nFontSize, ToRect(frame->frameGeometry()),
        ToRect(viewRect.translated(frame->geometry().topLeft())),
        screen ? screen->geometry().width() : 0, placement);
    if (!resized)
        return;
    if (resized->m_bMaximized) {
        frame->showMaximized();
        return;
    }
    // The rule sizes the outer frame; the window system adds its decorations to the
    // client area, so the difference goes to the client size.
    const QPoint corner = frame->frameGeometry().topLeft();
    const QSize decoration = frame->frameGeometry().size() - frame->geometry().size();
    if (frame->isMaximized() || frame->isMinimized())
        frame->showNormal();
    const CRect& rect = resized->m_normal;
    frame->resize(rect.Width() - decoration.width(), rect.Height() - decoration.height());
    frame->move(corner);
}
