#ifndef CHIRPWELL_UI_CHIRPWELLAPP_H
#define CHIRPWELL_UI_CHIRPWELLAPP_H

#include <memory>

#include <QObject>
#include <QStringList>

#include "document/CommandRouter.h"
#include "document/ProcessWorkingDirectory.h"
#include "document/RecentFileList.h"
#include "engine/SystemClock.h"
#include "ui/Prompter.h"
#include "ui/SettingsProfile.h"

class CChirpwellDoc;
class CChirpwellView;
class CMainFrame;
class CPrintService;
class CProgressFactory;

// The application: the profile, the recent files, and the one document, frame and
// view, started in that order and put away in reverse. Made once the QApplication
// exists.
class CChirpwellApp : public QObject {
    Q_OBJECT
public:
    CChirpwellApp();
    ~CChirpwellApp() override;

    // Start-up from the command line (arguments[0] is the program): false when the
    // program is to end at once, with exitCode.
    bool InitInstance(const QStringList& arguments, int& exitCode);
    // Start-up, the event loop and the exit; the process's exit code.
    int Run(const QStringList& arguments);
    // Writes the view's, the document's and the recent files' settings and closes
    // the window; what ending the program does. Nothing once done, or when no
    // window was made.
    void ExitInstance();

    CMainFrame* Frame() const { return m_pFrame; }
    CChirpwellDoc* Document() const { return m_pDocument.get(); }
    CChirpwellView* View() const { return m_pView; }
    CRecentFileList& RecentFiles() { return m_recentFiles; }
    CSettingsProfile& Profile() { return m_profile; }
    CPrintService& PrintService() { return *m_pPrintService; }

    void OnAppAbout();
    void OnOpenRecentFile(std::size_t index);

private:
    void BuildCommands();
    // Chooses the printer of --print or --print-to; false, after a message, when
    // there is no such printer.
    bool SelectPrinter(const QString& name);
    void CreateWindows();

    CSettingsProfile m_profile;
    CRecentFileList m_recentFiles;
    CPrompter m_prompter;
    CSystemClock m_clock;
    CProcessWorkingDirectory m_workingDirectory;
    std::unique_ptr<CPrintService> m_pPrintService;
    CMainFrame* m_pFrame = nullptr;  // deleted in ExitInstance
    std::unique_ptr<CProgressFactory> m_pProgressFactory;
    std::unique_ptr<CChirpwellDoc> m_pDocument;
    CChirpwellView* m_pView = nullptr;  // owned by the frame
    CCommandMap m_commands;
};

#endif
