#include "ui/ChirpwellView.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QScrollBar>

#include "document/ChirpwellDoc.h"
#include "document/CommandIds.h"
#include "engine/Limits.h"
#include "ui/FileDrop.h"
#include "ui/TabStop.h"
#include "ui/TextCodec.h"
#include "ui/UiTexts.h"

namespace {

QFont FontFor(const CDisplaySettings& settings)
{
    QFont font(QString::fromStdString(settings.m_strFont));
    font.setPointSizeF(settings.m_nFontSize / 10.0);
    return font;
}

// Whether the widget must hold the text before this event: it shows the text, or the
// user acts on it.
bool NeedsText(QEvent::Type type)
{
    switch (type) {
    case QEvent::Show:
    case QEvent::KeyPress:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}

}  // namespace

CChirpwellView::CChirpwellView(CChirpwellDoc& document, IProfile& profile, QWidget* parent)
    : QPlainTextEdit(parent),
      m_document(document),
      m_profile(profile),
      m_pDisplay(std::make_unique<CDisplayText>(std::string_view())),
      m_chooser(*this),
      m_printing(*this, [this](bool selectionOnly) { return PrintJob(selectionOnly); }),
      m_finder(*this, *this, document.Codec()),
      m_help(*this)
{
    m_settings.Load(m_profile);
    m_font = FontFor(m_settings);
    m_fitter.SetFont(m_font);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setUndoRedoEnabled(false);
    QPlainTextEdit::document()->setDocumentMargin(2);
    m_catchUpTimer.setSingleShot(true);
    m_catchUpTimer.setInterval(0);
    connect(&m_catchUpTimer, &QTimer::timeout, this, &CChirpwellView::CatchUp);
    new CFileDrop(*this, *viewport(), m_document);
    ApplyColours();
    BuildCommands();
}

CChirpwellView::~CChirpwellView()
{
    m_settings.m_strFont = m_font.family().toStdString();
    m_settings.Save(m_profile);
}

void CChirpwellView::BuildCommands()
{
    // Behind the text, the widget's selection is an old one; the new text has a caret.
    m_commands.On(ID_EDIT_COPY, [this] { copy(); }, [this](CCmdUI& cmdUI) {
        cmdUI.m_bEnabled = !m_bWidgetBehind && textCursor().hasSelection();
    });
    m_commands.On(ID_EDIT_SELECT_ALL,
                  [this] {
                      CatchUp();
                      selectAll();
                  },
                  [this](CCmdUI& cmdUI) { cmdUI.m_bEnabled = !m_strText.empty(); });
    m_commands.On(ID_FONT, [this] { OnFont(); });
    m_commands.On(ID_BACK_COLOR, [this] { OnBackColor(); });
    m_commands.On(ID_AUTO_RESIZE, [this] { OnAutoResize(); },
                  [this](CCmdUI& cmdUI) { OnUpdateAutoResize(cmdUI); });
    m_commands.On(ID_MINIMIZE, [this] { OnMinimize(); });
    m_commands.On(ID_DETECT_ENCODING,
                  [this] { m_settings.m_bDetectEncoding = !m_settings.m_bDetectEncoding; },
                  [this](CCmdUI& cmdUI) { cmdUI.m_bChecked = m_settings.m_bDetectEncoding; });
    m_commands.On(ID_LAUNCH_HELP, [this] { OnLaunchHelp(); });
    m_commands.On(ID_EDIT_FIND, [this] { OnEditFind(); });
    m_commands.On(ID_FILE_PRINT, [this] { OnFilePrint(); });
    m_commands.On(ID_FILE_PRINT_DIRECT, [this] { OnFilePrintDirect(); });
    m_commands.On(ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); });
}

void CChirpwellView::SetText(const std::string& text)
{
    // Laying a long text out in the widget takes much of the time an open takes, and
    // a file read is smiled at once: the widget waits, and takes only the text that
    // stands when the command is done.
    m_strText = text;
    m_pDisplay.reset();
    m_byteSelection = {0, 0};
    m_bWidgetBehind = true;
    m_catchUpTimer.start();
}

void CChirpwellView::CatchUp()
{
    if (!m_bWidgetBehind)
        return;
    m_bWidgetBehind = false;
    m_catchUpTimer.stop();
    Redisplay();
    SetSelection({0, 0});
}

const CDisplayText& CChirpwellView::Display()
{
    if (!m_pDisplay)
        m_pDisplay = std::make_unique<CDisplayText>(m_strText, &m_document.Codec());
    return *m_pDisplay;
}

std::size_t CChirpwellView::GetTextLimit() const
{
    return kTextLimit;
}

CSelection CChirpwellView::GetSelection() const
{
    if (m_bWidgetBehind)
        return m_byteSelection;
    const QTextCursor cursor = textCursor();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    // A selection set in bytes may start or end inside a character; as long as the
    // user has not moved it, it is given back exactly.
    if (start == m_nShownStart && end == m_nShownEnd)
        return m_byteSelection;
    return {m_pDisplay->ByteAt(static_cast<std::size_t>(start)),
            m_pDisplay->ByteAt(static_cast<std::size_t>(end))};
}

void CChirpwellView::SetSelection(CSelection selection)
{
    CatchUp();
    selection.m_nEnd = std::min(selection.m_nEnd, m_strText.size());
    selection.m_nStart = std::min(selection.m_nStart, selection.m_nEnd);
    const auto start = static_cast<int>(m_pDisplay->ShownAtOrBefore(selection.m_nStart));
    const auto end = std::max(start, static_cast<int>(m_pDisplay->ShownAtOrAfter(selection.m_nEnd)));
    QTextCursor cursor(document());
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    m_byteSelection = selection;
    m_nShownStart = start;
    m_nShownEnd = end;
}

void CChirpwellView::ReplaceSelection(const std::string& text)
{
    CatchUp();
    const CSelection selection = GetSelection();
    const int scroll = verticalScrollBar()->value();
    m_strText.replace(selection.m_nStart, selection.m_nEnd - selection.m_nStart, text);
    // The new bytes may join differently with their neighbours into characters, so
    // the whole text is shown anew; the scroll position stays.
    m_pDisplay.reset();
    Redisplay();
    const std::size_t caret = selection.m_nStart + text.size();
    SetSelection({caret, caret});
    verticalScrollBar()->setValue(scroll);
}

void CChirpwellView::ScrollCaret()
{
    CatchUp();
    ensureCursorVisible();
}

void CChirpwellView::ResizeToText()
{
    m_fitter.Fit(*this, m_strText, m_document.Codec(), m_settings);
}

void CChirpwellView::Redisplay()
{
    setPlainText(QString::fromStdU16String(Display().Shown()));
}

void CChirpwellView::ApplyFont()
{
    setFont(m_font);
    setTabStopDistance(TabStopDistance(QFontMetrics(m_font)));
    m_fitter.SetFont(m_font);
}

void CChirpwellView::ApplyColours()
{
    QPalette colours = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colours.setColor(group, QPalette::Base, ColourFromRef(m_settings.m_backColor));
        colours.setColor(group, QPalette::Text, ColourFromRef(m_settings.m_textColor));
    }
    setPalette(colours);
    viewport()->update();
}

void CChirpwellView::OnInitialUpdate()
{
    if (m_document.OnViewInitialUpdate()) {
        setReadOnly(true);
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        ApplyFont();
    }
}

void CChirpwellView::OnFont()
{
    if (!m_chooser.ChooseFont(m_font, m_settings))
        return;
    ApplyFont();
    ApplyColours();
    ResizeToText();
}

void CChirpwellView::OnBackColor()
{
    if (m_chooser.ChooseBackColour(m_settings))
        ApplyColours();
}

void CChirpwellView::OnAutoResize()
{
    m_settings.m_bAutoResize = !m_settings.m_bAutoResize;
    ResizeToText();
}

void CChirpwellView::OnUpdateAutoResize(CCmdUI& cmdUI) const
{
    cmdUI.m_bChecked = m_settings.m_bAutoResize;
}

void CChirpwellView::OnMinimize()
{
    window()->showMinimized();
}

void CChirpwellView::OnLaunchHelp()
{
    m_help.Launch();
}

void CChirpwellView::OnEditFind()
{
    CatchUp();
    m_finder.Show();
}

void CChirpwellView::OnFilePrint()
{
    m_printing.Print();
}

void CChirpwellView::OnFilePrintDirect()
{
    m_printing.PrintDirect();
}

void CChirpwellView::OnFilePrintPreview()
{
    m_printing.Preview();
}

CPrintJob CChirpwellView::PrintJob(bool selectionOnly)
{
    CPrintJob job;
    const std::string& path = m_document.GetPathName();
    job.m_strTitle = path.empty() ? Ui(kUntitled) : QFileInfo(FromPath(path)).fileName();
    job.m_font = m_font;
    if (selectionOnly) {
        const CSelection selection = GetSelection();
        job.m_strText = FromCp932(std::string_view(m_strText).substr(
                                      selection.m_nStart, selection.m_nEnd - selection.m_nStart),
                                  &m_document.Codec());
    } else {
        job.m_strText = QString::fromStdU16String(Display().Shown());
    }
    return job;
}

bool CChirpwellView::event(QEvent* event)
{
    if (m_bWidgetBehind && NeedsText(event->type()))
        CatchUp();
    return QPlainTextEdit::event(event);
}

bool CChirpwellView::viewportEvent(QEvent* event)
{
    if (m_bWidgetBehind && NeedsText(event->type()))
        CatchUp();
    return QPlainTextEdit::viewportEvent(event);
}
