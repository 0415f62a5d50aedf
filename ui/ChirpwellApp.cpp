#include "ui/ChirpwellApp.h"

#include <cstdio>

#include <QApplication>
#include <QPrinterInfo>

#include "document/ChirpwellDoc.h"
#include "document/CommandIds.h"
#include "engine/text/TextFormat.h"
#include "programs/Translation.h"
#include "ui/AboutDialog.h"
#include "ui/ChirpwellView.h"
#include "ui/CommandLine.h"
#include "ui/MainFrame.h"
#include "ui/PrintService.h"
#include "ui/ProgressDialog.h"
#include "ui/TextCodec.h"
#include "ui/UiTexts.h"

CChirpwellApp::CChirpwellApp()
{
    m_recentFiles.Load(m_profile);
    BuildCommands();
}

CChirpwellApp::~CChirpwellApp()
{
    ExitInstance();
}

void CChirpwellApp::BuildCommands()
{
    m_commands.On(ID_APP_ABOUT, [this] { OnAppAbout(); });
    m_commands.On(ID_FILE_NEW, [this] { m_pDocument->OnNewDocument(); });
    m_commands.On(ID_FILE_PRINT_SETUP, [this] { m_pPrintService->PageSetup(m_pFrame); });
    for (std::size_t index = 0; index < CRecentFileList::kSize; ++index) {
        const int id = ID_FILE_MRU_FILE1 + static_cast<int>(index);
        m_commands.On(id, [this, index] { OnOpenRecentFile(index); },
                      [this, index](CCmdUI& cmdUI) {
                          cmdUI.m_bEnabled = index < m_recentFiles.Entries().size();
                      });
    }
}

bool CChirpwellApp::InitInstance(const QStringList& arguments, int& exitCode)
{
    const CCommandLine commandLine(arguments);
    exitCode = 0;
    switch (commandLine.Action()) {
    case CCommandLine::EAction::BadUsage:
        commandLine.ReportBadUsage();
        exitCode = 2;
        return false;
    case CCommandLine::EAction::Help:
    case CCommandLine::EAction::Version:
        exitCode = commandLine.Answer();
        return false;
    case CCommandLine::EAction::Unregister: {
        const QString file = m_profile.FileName();
        const bool hadSettings = m_profile.HasSettings();
        if (!m_profile.Remove()) {
            std::fprintf(stderr, "chirpwell: %s\n",
                         FormatMessage(Tr("could not remove Chirpwell's settings: %1"),
                                       file.toStdString()).c_str());
            exitCode = 1;
        } else {
            std::printf("%s\n", FormatMessage(hadSettings ? Tr("removed Chirpwell's settings: %1")
                                                          : Tr("Chirpwell had no settings to remove: %1"),
                                              file.toStdString()).c_str());
        }
        return false;
    }
    case CCommandLine::EAction::Start:
        break;
    }
    const bool printing = commandLine.Printing();

    CreateWindows();
    if (printing && !SelectPrinter(commandLine.Printer())) {
        exitCode = 1;
        ExitInstance();
        return false;
    }
    // A file named here is read unsmiled; the first display smiles it.
    if (commandLine.File().isEmpty()) {
        m_pFrame->Route(ID_FILE_NEW);
    } else if (!m_pDocument->OpenDocumentFile(ToPath(commandLine.File()))) {
        exitCode = 1;
        ExitInstance();
        return false;
    }
    m_pView->OnInitialUpdate();
    if (printing) {
        exitCode = m_pPrintService->PrintDirect(m_pFrame, m_pView->PrintJob(false)) ? 0 : 1;
        ExitInstance();
        return false;
    }
    m_pView->ResizeToText();
    m_pFrame->show();
    m_pFrame->UpdateCommandStates();
    return true;
}

void CChirpwellApp::CreateWindows()
{
    m_pFrame = new CMainFrame(m_recentFiles);
    m_prompter.SetParent(m_pFrame);
    m_pProgressFactory = std::make_unique<CProgressFactory>(m_pFrame);
    m_pPrintService = std::make_unique<CPrintService>(m_profile);
    m_pDocument = std::make_unique<CChirpwellDoc>(CDocPorts{
        m_prompter, *m_pProgressFactory, m_profile, m_clock, m_workingDirectory, *m_pFrame});
    m_prompter.SetCodec(&m_pDocument->Codec());
    m_pView = new CChirpwellView(*m_pDocument, m_profile, m_pFrame);
    m_pView->SetPrintService(m_pPrintService.get());
    m_pFrame->setCentralWidget(m_pView);
    m_pDocument->SetView(m_pView);
    m_pFrame->SetCommandTargets(m_pView->Commands(), m_pDocument->Commands(), m_commands);
    // The toolbar shows its buttons' states at all times, not only when a menu opens.
    connect(m_pView, &QPlainTextEdit::selectionChanged, m_pFrame, &CMainFrame::UpdateCommandStates);
    m_pFrame->resize(640, 400);
}

bool CChirpwellApp::SelectPrinter(const QString& name)
{
    const QPrinterInfo printer =
        name.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(name);
    if (printer.isNull()) {
        const std::string message = name.isEmpty()
                                        ? std::string(Tr("there is no default printer"))
                                        : FormatMessage(Tr("there is no printer named %1"),
                                                        name.toStdString());
        std::fprintf(stderr, "chirpwell: %s\n", message.c_str());
        return false;
    }
    m_pPrintService->Printer().setPrinterName(printer.printerName());
    return true;
}

int CChirpwellApp::Run(const QStringList& arguments)
{
    int exitCode = 0;
    if (!InitInstance(arguments, exitCode))
        return exitCode;
    QApplication::exec();
    ExitInstance();
    return 0;
}

void CChirpwellApp::ExitInstance()
{
    // Settings are written by a program that ran: not after help, bad usage or
    // --unregister, and once only.
    if (!m_pFrame)
        return;
    m_pDocument->SetView(nullptr);
    // The view writes its settings as it goes, then the document its own.
    delete m_pFrame;
    m_pFrame = nullptr;
    m_pView = nullptr;
    m_pDocument.reset();
    m_recentFiles.Save(m_profile);
    m_profile.Sync();
}

void CChirpwellApp::OnAppAbout()
{
    CAboutDialog dialog(m_pFrame);
    dialog.exec();
}

void CChirpwellApp::OnOpenRecentFile(std::size_t index)
{
    if (index >= m_recentFiles.Entries().size())
        return;
    const std::string path = m_recentFiles.Entries()[index];
    // An entry that no longer opens leaves the list.
    if (!m_pDocument->OpenDocumentFile(path)) {
        m_recentFiles.Remove(index);
        m_pFrame->RebuildRecentFileMenu();
    }
}
