#include "ui/HelpLauncher.h"

#include <QFileInfo>

#include "ui/HelpWindow.h"
#include "ui/MessageBox.h"
#include "ui/UiTexts.h"

void CHelpLauncher::Launch()
{
    const QString contents = HelpContentsPath();
    if (!QFileInfo(contents).isFile()) {
        ShowMessageBox(&m_owner, Ui(kMsgHelpMissing).arg(contents));
        return;
    }
    if (!m_pWindow)
        m_pWindow = new CHelpWindow(contents, &m_owner);
    else
        m_pWindow->ShowContents();
    m_pWindow->show();
    m_pWindow->raise();
    m_pWindow->activateWindow();
}
