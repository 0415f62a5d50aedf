#ifndef CHIRPWELL_UI_CHIRPWELLVIEW_H
#define CHIRPWELL_UI_CHIRPWELLVIEW_H

#include <memory>
#include <string>
#include <vector>

#include <QFont>
#include <QPlainTextEdit>

#include "document/CommandRouter.h"
#include "document/DisplaySettings.h"
#include "document/DisplayText.h"
#include "document/IDocView.h"

class CChirpwellDoc;
class CFindDialog;
class CHelpWindow;
class CPrintService;
class IProfile;
struct CPrintJob;

// The one view of the document: a read-only, wrapping text box. The CP932 bytes are
// the text; the widget shows them decoded, and selections are kept in bytes. Reads
// its display settings from the profile when made and writes them back when
// destroyed; the document and the profile must outlive it.
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
    // Selects and shows the next match of the find dialog's text, or says there is none.
    bool FindNext(const QString& text, bool matchCase, bool up);
    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    // What printing prints: the whole text, or only the selected part.
    CPrintJob PrintJob(bool selectionOnly) const;
    // The printer the print commands use; it must outlive the view.
    void SetPrintService(CPrintService* printService) { m_pPrintService = printService; }
    // Opens the one file of a drop, or says that only one may be dropped.
    void OnDropFiles(const QStringList& paths);

    const CCommandMap& Commands() const { return m_commands; }
    const CDisplaySettings& DisplaySettings() const { return m_settings; }
    const QFont& DisplayFont() const { return m_font; }
    CFindDialog* FindDialog() const { return m_pFindDialog; }
    CHelpWindow* HelpWindow() const { return m_pHelpWindow; }

protected:
    bool event(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void Redisplay();
    void ApplyColours();
    int MeasureLine(std::string_view bytes) const;
    void BuildCommands();

    CChirpwellDoc& m_document;
    IProfile& m_profile;
    CDisplaySettings m_settings;
    QFont m_font;
    std::string m_strText;
    std::unique_ptr<CDisplayText> m_pDisplay;
    CSelection m_byteSelection;  // the last selection set in bytes...
    int m_nShownStart = 0;       // ...and where it was shown, to tell it from the user's
    int m_nShownEnd = 0;
    CCommandMap m_commands;
    mutable std::vector<int> m_charWidths;  // advance of each character in m_font, -1 unknown
    mutable int m_nTabStop = 0;
    CPrintService* m_pPrintService = nullptr;
    CFindDialog* m_pFindDialog = nullptr;  // made on first use, owned by the view
    CHelpWindow* m_pHelpWindow = nullptr;  // likewise
};

// A colour value 0x00BBGGRR as Qt's colour, and back.
QColor ColourFromRef(int colourRef);
int RefFromColour(const QColor& colour);

#endif
