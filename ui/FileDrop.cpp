#include "ui/FileDrop.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include "document/ChirpwellDoc.h"
#include "document/ResizeRule.h"
#include "ui/MessageBox.h"
#include "ui/TextCodec.h"
#include "ui/UiTexts.h"

CFileDrop::CFileDrop(QWidget& box, QWidget& viewport, CChirpwellDoc& document)
    : QObject(&box), m_box(box), m_document(document)
{
    box.setAcceptDrops(true);
    box.installEventFilter(this);
    viewport.installEventFilter(this);
}

void CFileDrop::OnDropFiles(const QStringList& paths)
{
    QWidget* frame = m_box.window();
    frame->raise();
    frame->activateWindow();
    if (!IsAcceptedDrop(static_cast<int>(paths.size()))) {
        ShowMessageBox(&m_box, Ui(kMsgBadDropCount));
        return;
    }
    m_document.OpenDocumentFile(ToPath(paths.constFirst()));
}

bool CFileDrop::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
        // Only files are taken; any other drag is refused.
        if (static_cast<QDropEvent*>(event)->mimeData()->hasUrls())
            static_cast<QDropEvent*>(event)->acceptProposedAction();
        return true;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        QStringList paths;
        for (const QUrl& url : drop->mimeData()->urls())
            paths << (url.isLocalFile() ? url.toLocalFile() : url.toString());
        drop->acceptProposedAction();
        OnDropFiles(paths);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
