#include "ui/DialogUnits.h"

#include <QFontMetrics>
#include <QStringList>

CDialogUnits::CDialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    // The average of the 52 Latin letters, rounded, as dialog templates measure it.
    const int letters =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_nBaseX = (letters / 26 + 1) / 2;
    m_nBaseY = metrics.height();
}

QRect CDialogUnits::Rect(int x, int y, int width, int height) const
{
    return QRect(x * m_nBaseX / 4, y * m_nBaseY / 8, width * m_nBaseX / 4,
                 height * m_nBaseY / 8);
}

QSize CDialogUnits::Size(int width, int height) const
{
    return QSize(width * m_nBaseX / 4, height * m_nBaseY / 8);
}

QFont DialogFont()
{
    return QFont(QString::fromUtf8("ＭＳ Ｐゴシック"), 9);
}

void InstallFontSubstitutes()
{
    QFont::insertSubstitutions(QString::fromUtf8("ＭＳ Ｐゴシック"),
                               QStringList() << "IPAPGothic" << "Noto Sans CJK JP" << "Sans Serif");
    QFont::insertSubstitutions("FixedSys",
                               QStringList() << "IPAGothic" << "Noto Sans Mono CJK JP" << "Monospace");
}
