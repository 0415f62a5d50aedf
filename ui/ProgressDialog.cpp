#include "ui/ProgressDialog.h"

#include <QApplication>
#include <QProgressBar>

#include "programs/SilentProgress.h"
#include "ui/DialogUnits.h"
#include "ui/TextCodec.h"

CProgressDialog::CProgressDialog(QWidget* mainWindow) : QDialog(mainWindow)
{
    setModal(false);
    // The window only shows how far the run is; the main window keeps the focus.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(DialogFont());
    const CDialogUnits units(font());
    setFixedSize(units.Size(207, 25));
    m_pBar = new QProgressBar(this);
    m_pBar->setGeometry(units.Rect(13, 7, 174, 11));
    m_pBar->setRange(0, 100);
    m_pBar->setValue(0);
    m_pBar->setTextVisible(false);

    if (mainWindow) {
        const QRect frame = mainWindow->frameGeometry();
        const CPoint corner = ProgressWindowPosition(
            {frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height()});
        move(corner.m_nX, corner.m_nY);
    }
    show();
    raise();
    Repaint();
}

void CProgressDialog::SetCaption(const std::string& caption)
{
    setWindowTitle(FromCp932(caption));
    Repaint();
}

void CProgressDialog::SetPosition(int percent)
{
    if (!m_rule.Accept(percent))
        return;
    m_pBar->setValue(percent);
    Repaint();
}

void CProgressDialog::Repaint()
{
    // A screen shows a change once a frame; painting more often only slows the run.
    constexpr qint64 kFrameMilliseconds = 16;
    if (m_sincePaint.isValid() && m_sincePaint.elapsed() < kFrameMilliseconds)
        return;
    m_sincePaint.start();
    // The run holds the event loop; let Qt paint the change, and nothing else: no
    // input, and no timers, which would act in the middle of the run (the view
    // would show a text the run is about to replace).
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                QEventLoop::X11ExcludeTimers);
}

std::unique_ptr<IProgress> CProgressFactory::Create()
{
    if (m_pMainWindow && !m_pMainWindow->isVisible())
        return std::make_unique<CSilentProgress>();
    return std::make_unique<CProgressDialog>(m_pMainWindow);
}
