#ifndef CHIRPWELL_UI_CHIRPWELLVIEW_H
#define CHIRPWELL_UI_CHIRPWELLVIEW_H

#include <memory>
#include <string>

#include <QFont>
#include <QPlainTextEdit>
#include <QTimer>

#include "document/CommandRouter.h"
#include "document/DisplaySettings.h"
#include "document/DisplayText.h"
#include "document/IDocView.h"
#include "ui/DisplayChooser.h"
#include "ui/Finder.h"
#include "ui/HelpLauncher.h"
#include "ui/PrintCommands.h"
#include "ui/WindowFitter.h"

class CChirpwellDoc;
class CPrintService;
class IProfile;

// The one view of the document: a read-only, wrapping text box. The CP932 bytes are
// the text; the widget shows them decoded, and selections are kept in bytes. A new
// text reaches the widget when the program is back in its event loop, or sooner when
// the widget is shown or used or a selection is set. Reads its display settings from
// the profile when made and writes them back when destroyed; the document and the
// profile must outlive it.
class CChirpwellView : public QPlainTextEdit, public IDocView {
    Q_OBJECT
public:
    CChirpwellView(CChirpwellDoc& document, IProfile& profile, QWidget* parent = nullptr);
    ~CChirpwellView() override;

    std::string GetText() const override { return m_strText; }
    void SetText(const std::string& text) override;
    std::size_t GetTextLimit() const override;
    CSelection GetSelection() const override;
    void SetSelection(CSelection selection) override;
    void ReplaceSelection(const std::string& text) override;
    void ScrollCaret() override;
    void ResizeToText() override;
    bool DetectsEncoding() const override { return m_settings.m_bDetectEncoding; }

    // The first display: the document becomes ready (and smiles a file read before),
    // then the view turns read-only and takes its font.
    void OnInitialUpdate();

    void OnFont();
    void OnBackColor();
    void OnAutoResize();
    void OnUpdateAutoResize(CCmdUI& cmdUI) const;
    void OnMinimize();
    void OnLaunchHelp();
    void OnEditFind();
    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    // What printing prints: the whole text, or only the selected part.
    CPrintJob PrintJob(bool selectionOnly);
    // The printer the print commands use; it must outlive the view.
    void SetPrintService(CPrintService* printService) { m_printing.SetService(printService); }

    const CCommandMap& Commands() const { return m_commands; }
    const CDisplaySettings& DisplaySettings() const { return m_settings; }
    const QFont& DisplayFont() const { return m_font; }
    CFindDialog* FindDialog() const { return m_finder.Dialog(); }
    CHelpWindow* HelpWindow() const { return m_help.Window(); }

protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    // Puts a text set since into the widget, the caret at its start.
    void CatchUp();
    const CDisplayText& Display();
    void Redisplay();
    void ApplyFont();
    void ApplyColours();
    void BuildCommands();

    CChirpwellDoc& m_document;
    IProfile& m_profile;
    CDisplaySettings m_settings;
    QFont m_font;
    std::string m_strText;
    std::unique_ptr<CDisplayText> m_pDisplay;  // made when first needed for m_strText
    bool m_bWidgetBehind = false;  // the widget does not hold m_strText yet
    QTimer m_catchUpTimer;
    CSelection m_byteSelection;  // the last selection set in bytes...
    int m_nShownStart = 0;       // ...and where it was shown, to tell it from the user's
    int m_nShownEnd = 0;
    CCommandMap m_commands;
    CWindowFitter m_fitter;
    CDisplayChooser m_chooser;
    CPrintCommands m_printing;
    CFinder m_finder;
    CHelpLauncher m_help;
};

#endif
