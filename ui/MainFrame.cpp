#include "ui/MainFrame.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "document/CommandIds.h"
#include "document/RecentFileList.h"
#include "ui/CommandTable.h"
#include "ui/PixelArt.h"
#include "ui/TextCodec.h"
#include "ui/UiTexts.h"

CMainFrame::CMainFrame(CRecentFileList& recentFiles, QWidget* parent)
    : QMainWindow(parent), m_recentFiles(recentFiles)
{
    setWindowIcon(AppIcon());
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);
    BuildCommands();
    CreateActions();
    CreateStatusBar();
    OnPathNameChanged(std::string());
}

void CMainFrame::BuildCommands()
{
    m_commands.On(ID_VIEW_TOOLBAR, [this] { m_pToolBar->setVisible(!m_pToolBar->isVisible()); },
                  [this](CCmdUI& cmdUI) { cmdUI.m_bChecked = m_pToolBar && !m_pToolBar->isHidden(); });
    m_commands.On(ID_VIEW_STATUS_BAR, [this] { statusBar()->setVisible(!statusBar()->isVisible()); },
                  [this](CCmdUI& cmdUI) { cmdUI.m_bChecked = !statusBar()->isHidden(); });
    m_commands.On(ID_APP_EXIT, [this] { close(); });
    // The view is never split, so there is no other pane to go to.
    for (const int pane : {ID_NEXT_PANE, ID_PREV_PANE})
        m_commands.OnUpdate(pane, [](CCmdUI& cmdUI) { cmdUI.m_bEnabled = false; });
}

void CMainFrame::SetCommandTargets(const CCommandMap& view, const CCommandMap& document,
                                   const CCommandMap& application)
{
    m_router.AddTarget(view);
    m_router.AddTarget(document);
    m_router.AddTarget(m_commands);
    m_router.AddTarget(application);
    CreateMenus();
    CreateToolBar();
    UpdateCommandStates();
}

QAction* CMainFrame::CreateAction(int id, const QString& text)
{
    auto* action = new QAction(text, this);
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { Route(id); });
    m_actions[id] = action;
    return action;
}

void CMainFrame::CreateActions()
{
    for (const CCommandRow& row : CommandTable()) {
        QAction* action = CreateAction(row.m_nId, row.MenuItemText());
        action->setStatusTip(Ui(row.Texts().m_pPrompt));
        action->setToolTip(Ui(row.Texts().m_pTooltip));
        action->setShortcuts(row.m_keys);
        action->setCheckable(row.m_bCheckable);
        if (row.m_image)
            action->setIcon(ToolBarIcon(*row.m_image));
        // Keys work whether or not a menu shows the command.
        addAction(action);
    }
    for (int id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_FILE8; ++id) {
        QAction* action = CreateAction(id, QString());
        action->setStatusTip(FromCp932(RecentFilePrompt(static_cast<std::size_t>(id - ID_FILE_MRU_FILE1))));
    }
}

void CMainFrame::CreateMenus()
{
    auto add = [this](QMenu* menu, std::initializer_list<int> ids) {
        for (const int id : ids) {
            if (id == 0)
                menu->addSeparator();
            else
                menu->addAction(m_actions.at(id));
        }
    };
    auto popup = [this](QMenu* parent, const char* title) {
        QMenu* menu = parent ? parent->addMenu(Ui(title)) : menuBar()->addMenu(Ui(title));
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
        return menu;
    };

    m_pFileMenu = popup(nullptr, kMenuFile);
    add(m_pFileMenu, {ID_FILE_OPEN, ID_RELOAD});
    add(popup(m_pFileMenu, kMenuReopenEncoding),
        {ID_REOPEN_DETECT, ID_REOPEN_SHIFT_JIS, ID_REOPEN_UTF8, ID_REOPEN_EUC_JP,
         ID_REOPEN_ISO2022JP, ID_REOPEN_UTF16, ID_REOPEN_UTF16LE, ID_REOPEN_UTF16BE,
         ID_REOPEN_SHIFT_JIS_2004, ID_REOPEN_EUC_JIS_2004, 0, ID_DETECT_ENCODING});
    add(m_pFileMenu, {ID_FILE_SAVE_AS});
    add(popup(m_pFileMenu, kMenuSaveEncoding),
        {ID_SAVE_UTF8, ID_SAVE_SHIFT_JIS, ID_SAVE_EUC_JP, ID_SAVE_ISO2022JP, ID_SAVE_UTF16,
         ID_SAVE_UTF16LE, ID_SAVE_UTF16BE, ID_SAVE_SHIFT_JIS_2004, ID_SAVE_EUC_JIS_2004});
    add(m_pFileMenu, {0, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, 0});
    for (int id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_FILE8; ++id)
        m_pFileMenu->addAction(m_actions.at(id));
    m_pFileMenu->addSeparator();
    add(m_pFileMenu, {ID_APP_EXIT});
    RebuildRecentFileMenu();

    add(popup(nullptr, kMenuEdit), {ID_UNDO, 0, ID_EDIT_COPY, ID_EDIT_SELECT_ALL});
    add(popup(nullptr, kMenuSearch), {ID_EDIT_FIND, ID_SEARCH_DOWN, ID_SEARCH_UP});
    add(popup(nullptr, kMenuView),
        {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, 0, ID_FONT, ID_BACK_COLOR, 0, ID_AUTO_RESIZE});
    QMenu* convert = popup(nullptr, kMenuConvert);
    add(popup(convert, kMenuSelectionEffects), {ID_REVERSE, ID_CENSOR});
    add(popup(convert, kMenuWholeEffects), {ID_SMILE_AGAIN, ID_SMILE_WITH_FILE});
    add(convert, {ID_SETTINGS});
    add(popup(nullptr, kMenuHelp), {ID_LAUNCH_HELP});
}

void CMainFrame::CreateToolBar()
{
    m_pToolBar = new QToolBar(Ui(kToolBarTitle), this);
    m_pToolBar->setObjectName("toolBar");
    m_pToolBar->setIconSize(QSize(kToolBarImageWidth, kToolBarImageHeight));
    m_pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_pToolBar->setMovable(true);
    m_pToolBar->setFloatable(true);
    for (const int id : {ID_FILE_OPEN, ID_RELOAD, ID_FILE_SAVE_AS, ID_FILE_PRINT, 0, ID_EDIT_COPY, 0,
                         ID_FONT, ID_BACK_COLOR, ID_SETTINGS, ID_AUTO_RESIZE, 0, ID_APP_ABOUT,
                         ID_LAUNCH_HELP}) {
        if (id == 0)
            m_pToolBar->addSeparator();
        else
            m_pToolBar->addAction(m_actions.at(id));
    }
    addToolBar(Qt::TopToolBarArea, m_pToolBar);
    connect(m_pToolBar, &QToolBar::visibilityChanged, this, &CMainFrame::UpdateCommandStates);
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    m_pNotice = new QLabel(bar);
    m_pNotice->setObjectName("smileSetNotice");
    m_pNotice->setFrameShape(QFrame::Panel);
    m_pNotice->setFrameShadow(QFrame::Sunken);
    // A long path must not hold the window wider than its text; the pane is cut
    // instead, and its tooltip has it all.
    m_pNotice->setMinimumWidth(1);
    m_pNotice->hide();
    bar->addPermanentWidget(m_pNotice);
    m_pEncodingPane = new QLabel(bar);
    m_pEncodingPane->setObjectName("encoding");
    m_pEncodingPane->setFrameShape(QFrame::Panel);
    m_pEncodingPane->setFrameShadow(QFrame::Sunken);
    bar->addPermanentWidget(m_pEncodingPane);
    OnEncodingChanged(EEncoding::ShiftJis);
    for (const char* indicator : {kIndicatorKana, kIndicatorCaps, kIndicatorNum, kIndicatorScroll}) {
        // Lock states are not told by every window system, so the panes stay empty
        // and only keep their place.
        auto* pane = new QLabel(bar);
        pane->setObjectName(QString::fromUtf8(indicator));
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(Ui(indicator)) + 8);
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        bar->addPermanentWidget(pane);
    }
    connect(bar, &QStatusBar::messageChanged, this, [bar](const QString& message) {
        if (message.isEmpty())
            bar->showMessage(Ui(kIdleText));
    });
    bar->showMessage(Ui(kIdleText));
}

bool CMainFrame::Route(int id)
{
    const bool done = m_router.Execute(id);
    UpdateCommandStates();
    if (done)
        emit CommandDone(id);
    return done;
}

void CMainFrame::UpdateCommandStates()
{
    for (const auto& [id, action] : m_actions) {
        const CCmdUI state = m_router.Update(id);
        action->setEnabled(state.m_bEnabled);
        if (action->isCheckable())
            action->setChecked(state.m_bChecked);
    }
}

QAction* CMainFrame::Action(int id) const
{
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

void CMainFrame::OnPathNameChanged(const std::string& path)
{
    const QString title = path.empty() ? Ui(kUntitled) : QFileInfo(FromPath(path)).fileName();
    setWindowTitle(title + " - " + Ui(kAppTitle));
}

void CMainFrame::OnEncodingChanged(EEncoding encoding)
{
    m_pEncodingPane->setText(QString::fromUtf8(EncodingName(encoding)));
}

void CMainFrame::AddToRecentFileList(const std::string& path)
{
    // Kept absolute, so that the entry still opens after the working folder changed.
    m_recentFiles.Add(ToPath(QFileInfo(FromPath(path)).absoluteFilePath()));
    RebuildRecentFileMenu();
}

void CMainFrame::ShowSmileSetNotice(const std::string& notice)
{
    m_pNotice->setText(FromCp932(notice));
    m_pNotice->setToolTip(m_pNotice->text());
    m_pNotice->setVisible(!notice.empty());
}

void CMainFrame::RebuildRecentFileMenu()
{
    const std::vector<std::string>& entries = m_recentFiles.Entries();
    const std::string home = ToPath(QDir::homePath());
    for (int id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_FILE8; ++id) {
        const auto index = static_cast<std::size_t>(id - ID_FILE_MRU_FILE1);
        QAction* action = m_actions.at(id);
        if (index < entries.size()) {
            action->setText(FromPath(RecentFileMenuText(index, entries[index], home)));
            action->setVisible(true);
        } else if (index == 0) {
            // The greyed placeholder holds the place of an empty list.
            action->setText(Ui(FindCommandText(ID_FILE_MRU_FILE1)->m_pMenuText));
            action->setVisible(true);
        } else {
            action->setVisible(false);
        }
    }
    UpdateCommandStates();
}
