#include "ui/TextPrinter.h"

#include <memory>
#include <vector>

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTextLayout>

#include "ui/TabStop.h"

namespace {

struct CPlacedLine {
    QTextLayout* m_pLayout;
    int m_nLine;     // index in its layout
    int m_nPage;     // from 0
    qreal m_nTop;    // within the body of its page
};

}  // namespace

bool PrintText(const CPrintJob& job, QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;

    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution()).translated(
        -printer.pageLayout().paintRectPixels(printer.resolution()).topLeft());
    const QFontMetricsF metrics(job.m_font, &printer);
    const qreal headerHeight = metrics.height() * 2;
    const QRectF body(page.left(), page.top() + headerHeight, page.width(),
                      page.height() - headerHeight);

    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTabStopDistance(TabStopDistance(metrics));

    // Lay every paragraph out at the page width, then deal its lines out to pages.
    std::vector<std::unique_ptr<QTextLayout>> layouts;
    std::vector<CPlacedLine> lines;
    int pageIndex = 0;
    qreal top = 0;
    const QStringList paragraphs = job.m_strText.split('\n');
    for (const QString& paragraph : paragraphs) {
        auto layout = std::make_unique<QTextLayout>(paragraph, job.m_font, &printer);
        layout->setTextOption(option);
        layout->beginLayout();
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLineWidth(body.width());
            if (top > 0 && top + line.height() > body.height()) {
                ++pageIndex;
                top = 0;
            }
            line.setPosition(QPointF(0, 0));
            lines.push_back({layout.get(), line.lineNumber(), pageIndex, top});
            top += line.height();
        }
        layout->endLayout();
        layouts.push_back(std::move(layout));
    }
    const int pages = pageIndex + 1;

    int current = 0;
    auto header = [&](int number) {
        painter.setFont(job.m_font);
        const QRectF line(page.left(), page.top(), page.width(), metrics.height());
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, job.m_strTitle);
        painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter,
                         QString("%1 / %2").arg(number + 1).arg(pages));
        const qreal rule = page.top() + metrics.height() * 1.4;
        painter.drawLine(QPointF(page.left(), rule), QPointF(page.right(), rule));
    };
    header(0);
    for (const CPlacedLine& placed : lines) {
        if (placed.m_nPage != current) {
            printer.newPage();
            current = placed.m_nPage;
            header(current);
        }
        placed.m_pLayout->lineAt(placed.m_nLine).draw(&painter,
                                                       QPointF(body.left(), body.top() + placed.m_nTop));
    }
    return painter.end();
}
