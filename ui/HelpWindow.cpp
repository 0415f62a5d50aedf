#include "ui/HelpWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

#include "ui/PixelArt.h"
#include "ui/UiTexts.h"

namespace {

constexpr char kContentsFile[] = "index.html";

}  // namespace

CHelpWindow::CHelpWindow(const QString& contentsPath, QWidget* parent)
    : QMainWindow(parent, Qt::Window), m_strContents(contentsPath)
{
    setWindowTitle(Ui(kHelpTitle));
    setWindowIcon(ToolBarIcon(EToolBarImage::Help));
    m_pBrowser = new QTextBrowser(this);
    m_pBrowser->setOpenExternalLinks(true);
    setCentralWidget(m_pBrowser);

    QToolBar* bar = addToolBar(Ui(kHelpTitle));
    bar->setMovable(false);
    bar->addAction(Ui(kHelpContents), this, &CHelpWindow::ShowContents);
    QAction* back = bar->addAction(Ui(kHelpBack), m_pBrowser, &QTextBrowser::backward);
    QAction* forward = bar->addAction(Ui(kHelpForward), m_pBrowser, &QTextBrowser::forward);
    back->setShortcut(QKeySequence::Back);
    forward->setShortcut(QKeySequence::Forward);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(m_pBrowser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_pBrowser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    // The keys that close a window of its own on the desktop; the program goes on.
    auto* closing = new QAction(this);
    closing->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
    connect(closing, &QAction::triggered, this, &QWidget::close);
    addAction(closing);
    resize(720, 560);
    ShowContents();
}

void CHelpWindow::ShowContents()
{
    m_pBrowser->setSource(QUrl::fromLocalFile(m_strContents));
}

QString HelpContentsPath()
{
    QStringList folders;
    const QString fromEnvironment = qEnvironmentVariable("CHIRPWELL_HELP_DIR");
    if (!fromEnvironment.isEmpty())
        folders << fromEnvironment;
    const QString programDir = QCoreApplication::applicationDirPath();
    folders << programDir + "/help" << programDir + "/../share/chirpwell/help";
    for (const QString& folder : folders) {
        const QFileInfo contents(QDir(folder).filePath(kContentsFile));
        if (contents.isFile())
            return QDir::cleanPath(contents.absoluteFilePath());
    }
    return QDir::cleanPath(QDir(folders.constFirst()).filePath(kContentsFile));
}
