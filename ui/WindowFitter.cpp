#include "ui/WindowFitter.h"

#include <QAbstractScrollArea>
#include <QFontMetrics>
#include <QLayout>
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
    // Before the window is first shown its widgets still have the sizes they were
    // made with; laid out now, the view has the size it will show with, so fitting
    // at start-up gives what fitting a shown window gives.
    frame->ensurePolished();
    if (QLayout* layout = frame->layout())
        layout->activate();
    const QScreen* screen = frame->screen();
    CWindowPlacement placement;
    placement.m_bMaximized = frame->isMaximized();
    placement.m_normal = ToRect(frame->isMaximized() ? frame->normalGeometry() : frame->geometry());
    // The text is laid out in the viewport, so that is the rectangle the width is
    // meant for: with the box's frame and scroll bar outside it, the widest line
    // fits without wrapping. The viewport itself follows the box's size only once
    // the box is shown; the box's own arithmetic gives it at any time.
    const QRect viewRect(view.mapTo(frame, view.contentsRect().topLeft()),
                         view.maximumViewportSize());
    const std::optional<CWindowPlacement> resized = ResizeToText(
        settings.m_bAutoResize, text,
        [this, &codec](std::string_view line) { return MeasureLine(line, codec); },
        settings.m_nFontSize, ToRect(frame->frameGeometry()),
        ToRect(viewRect.translated(frame->geometry().topLeft())),
        screen ? screen->geometry().width() : 0, placement);
    if (!resized)
        return;
    const bool shown = frame->isVisible();
    if (resized->m_bMaximized) {
        if (shown)
            frame->showMaximized();
        else
            frame->setWindowState(frame->windowState() | Qt::WindowMaximized);
        return;
    }
    // The rule sizes the outer frame; the window system adds its decorations to the
    // client area, so the difference goes to the client size.
    const QPoint corner = frame->frameGeometry().topLeft();
    const QSize decoration = frame->frameGeometry().size() - frame->geometry().size();
    if (!shown)
        frame->setWindowState(frame->windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized));
    else if (frame->isMaximized() || frame->isMinimized())
        frame->showNormal();
    const CRect& rect = resized->m_normal;
    frame->resize(rect.Width() - decoration.width(), rect.Height() - decoration.height());
    // A window not shown yet has no place of its own: the window manager places it.
    if (shown)
        frame->move(corner);
}
