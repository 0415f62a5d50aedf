#ifndef CHIRPWELL_UI_MAINFRAME_H
#define CHIRPWELL_UI_MAINFRAME_H

#include <map>

#include <QMainWindow>

#include "document/CommandRouter.h"
#include "document/IDocFrame.h"

class CRecentFileList;
class QAction;
class QLabel;
class QMenu;
class QToolBar;

// The program's one top-level window: menus, a dockable toolbar, the status bar
// with its prompts and indicators, and the view in the middle. Every menu item, key
// and button sends its command through one router, which asks the update handlers
// first. The recent-file list must outlive the frame.
class CMainFrame : public QMainWindow, public IDocFrame {
    Q_OBJECT
public:
    explicit CMainFrame(CRecentFileList& recentFiles, QWidget* parent = nullptr);

    // The command maps in routing order: view, document, then the frame's own, then
    // the application's; the menus and buttons exist from here on.
    void SetCommandTargets(const CCommandMap& view, const CCommandMap& document,
                           const CCommandMap& application);

    // Carries out a command as a menu item would; false when it is disabled.
    bool Route(int id);
    // Gives every action the enabled and checked state its update handler says.
    void UpdateCommandStates();

    void OnPathNameChanged(const std::string& path) override;
    void AddToRecentFileList(const std::string& path) override;
    void OnEncodingChanged(EEncoding encoding) override;
    void ShowSmileSetNotice(const std::string& notice) override;
    void RebuildRecentFileMenu();

    QAction* Action(int id) const;
    QToolBar* ToolBar() const { return m_pToolBar; }
    QMenu* FileMenu() const { return m_pFileMenu; }
    const CCommandRouter& Router() const { return m_router; }

signals:
    // A command was carried out, from a menu item, a key, a button or Route.
    void CommandDone(int id);

private:
    QAction* CreateAction(int id, const QString& text);
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void BuildCommands();

    CRecentFileList& m_recentFiles;
    CCommandRouter m_router;
    CCommandMap m_commands;
    std::map<int, QAction*> m_actions;
    QMenu* m_pFileMenu = nullptr;
    QToolBar* m_pToolBar = nullptr;
    QLabel* m_pEncodingPane = nullptr;  // owned by the status bar
    QLabel* m_pNotice = nullptr;  // a permanent pane, so that prompts leave it alone
};

#endif
