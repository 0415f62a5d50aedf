#include "ui/MainFrame.h"

#include <algorithm>
#include <vector>

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
    for (const CCommand& command : CommandTable()) {
        QAction* action = CreateAction(command.m_nId, command.MenuItemText());
        action->setStatusTip(Ui(command.m_pPrompt));
        action->setToolTip(Ui(command.m_pTooltip));
        action->setShortcuts(command.Keys());
        action->setCheckable(command.m_bCheckable);
        if (command.m_image)
            action->setIcon(ToolBarIcon(*command.m_image));
        // Keys work whether or not a menu shows the command.
        addAction(action);
    }
    for (int id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_FILE8; ++id) {
        QAction* action = id == ID_FILE_MRU_FILE1 ? m_actions.at(id) : CreateAction(id, QString());
        action->setStatusTip(FromCp932(RecentFilePrompt(static_cast<std::size_t>(id - ID_FILE_MRU_FILE1))));
    }
}

namespace {

// What a menu or the toolbar shows at a place: a command or a submenu.
struct CEntry {
    Place m_nPlace;
    QAction* m_pAction;
};

// Adds the entries in the order of their places, a separator between groups.
template <typename Widget>
void AddInPlaceOrder(Widget* widget, std::vector<CEntry> entries)
{
    std::stable_sort(entries.begin(), entries.end(),
                     [](const CEntry& a, const CEntry& b) { return a.m_nPlace < b.m_nPlace; });
    Place previous = 0;
    for (const CEntry& entry : entries) {
        if (previous != 0 && IsNewGroup(previous, entry.m_nPlace))
            widget->addSeparator();
        widget->addAction(entry.m_pAction);
        previous = entry.m_nPlace;
    }
}

}  // namespace

void CMainFrame::CreateMenus()
{
    std::map<EMenu, QMenu*> menus;
    std::map<EMenu, std::vector<CEntry>> entries;
    for (const CMenu& row : MenuTable()) {
        QWidget* parent = row.m_eParent == EMenu::None ? static_cast<QWidget*>(menuBar())
                                                       : menus.at(row.m_eParent);
        QMenu* menu = new QMenu(Ui(row.m_pTitle), parent);
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
        menus[row.m_eMenu] = menu;
        entries[row.m_eParent].push_back({row.m_nPlace, menu->menuAction()});
    }
    for (const CCommand& command : CommandTable()) {
        if (command.m_eMenu == EMenu::None)
            continue;
        // The rest of the recent-file list follows its first entry.
        const int last = command.m_nId == ID_FILE_MRU_FILE1 ? ID_FILE_MRU_FILE8 : command.m_nId;
        for (int id = command.m_nId; id <= last; ++id)
            entries[command.m_eMenu].push_back({command.m_nMenuPlace, m_actions.at(id)});
    }
    AddInPlaceOrder(menuBar(), entries[EMenu::None]);
    for (const auto& [menu, widget] : menus)
        AddInPlaceOrder(widget, entries[menu]);
    m_pFileMenu = menus.at(EMenu::File);
    RebuildRecentFileMenu();
}

void CMainFrame::CreateToolBar()
{
    m_pToolBar = new QToolBar(Ui(kToolBarTitle), this);
    m_pToolBar->setObjectName("toolBar");
    m_pToolBar->setIconSize(QSize(kToolBarImageWidth, kToolBarImageHeight));
    m_pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_pToolBar->setMovable(true);
    m_pToolBar->setFloatable(true);
    std::vector<CEntry> buttons;
    for (const CCommand& command : CommandTable()) {
        if (command.m_nToolBarPlace != 0)
            buttons.push_back({command.m_nToolBarPlace, m_actions.at(command.m_nId)});
    }
    AddInPlaceOrder(m_pToolBar, std::move(buttons));
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
            action->setText(Ui(FindCommand(ID_FILE_MRU_FILE1).m_pMenuText));
            action->setVisible(true);
        } else {
            action->setVisible(false);
        }
    }
    UpdateCommandStates();
}
