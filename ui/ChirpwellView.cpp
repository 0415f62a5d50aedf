#include "ui/ChirpwellView.h"

#include <cmath>

#include <QColorDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QUrl>

#include "document/ChirpwellDoc.h"
#include "document/CommandIds.h"
#include "document/DocTexts.h"
#include "document/ResizeRule.h"
#include "engine/Cp932.h"
#include "engine/Limits.h"
#include "engine/Transcoder.h"
#include "document/TextSearch.h"
#include "ui/FindDialog.h"
#include "ui/FontDialog.h"
#include "ui/HelpWindow.h"
#include "ui/PrintService.h"
#include "ui/TextCodec.h"
#include "ui/MessageBox.h"
#include "ui/UiTexts.h"

namespace {

QFont FontFor(const CDisplaySettings& settings)
{
    QFont font(QString::fromStdString(settings.m_strFont));
    font.setPointSizeF(settings.m_nFontSize / 10.0);
    return font;
}

CRect ToRect(const QRect& rect)
{
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

}  // namespace

QColor ColourFromRef(int colourRef)
{
    return QColor(colourRef & 0xFF, (colourRef >> 8) & 0xFF, (colourRef >> 16) & 0xFF);
}

int RefFromColour(const QColor& colour)
{
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

CChirpwellView::CChirpwellView(CChirpwellDoc& document, IProfile& profile, QWidget* parent)
    : QPlainTextEdit(parent),
      m_document(document),
      m_profile(profile),
      m_pDisplay(std::make_unique<CDisplayText>(std::string_view()))
{
    m_settings.Load(m_profile);
    m_font = FontFor(m_settings);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setUndoRedoEnabled(false);
    QPlainTextEdit::document()->setDocumentMargin(2);
    setAcceptDrops(true);
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
    m_commands.On(ID_EDIT_COPY, [this] { copy(); },
                  [this](CCmdUI& cmdUI) { cmdUI.m_bEnabled = textCursor().hasSelection(); });
    m_commands.On(ID_EDIT_SELECT_ALL, [this] { selectAll(); },
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
    m_strText = text;
    Redisplay();
    SetSelection({0, 0});
}

std::size_t CChirpwellView::GetTextLimit() const
{
    return kTextLimit;
}

CSelection CChirpwellView::GetSelection() const
{
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
    const CSelection selection = GetSelection();
    const int scroll = verticalScrollBar()->value();
    m_strText.replace(selection.m_nStart, selection.m_nEnd - selection.m_nStart, text);
    // The new bytes may join differently with their neighbours into characters, so
    // the whole text is shown anew; the scroll position stays.
    Redisplay();
    const std::size_t caret = selection.m_nStart + text.size();
    SetSelection({caret, caret});
    verticalScrollBar()->setValue(scroll);
}

void CChirpwellView::ScrollCaret()
{
    ensureCursorVisible();
}

void CChirpwellView::Redisplay()
{
    m_pDisplay = std::make_unique<CDisplayText>(m_strText, &m_document.Codes());
    setPlainText(QString::fromStdU16String(m_pDisplay->Shown()));
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
        setFont(m_font);
        setTabStopDistance(8 * QFontMetrics(m_font).averageCharWidth());
    }
}

int CChirpwellView::MeasureLine(std::string_view bytes) const
{
    // Advances are summed character by character, as the text box lays out a line
    // of this font; each character is measured once per font, which keeps fitting
    // the window to a long text fast.
    if (m_charWidths.empty()) {
        m_charWidths.assign(0x10000, -1);
        m_nTabStop = 8 * QFontMetrics(m_font).averageCharWidth();
    }
    const QFontMetrics metrics(m_font);
    const CDisplayText shown(bytes, &m_document.Codes());
    int width = 0;
    for (const char16_t c : shown.Shown()) {
        if (c == u'\n')
            continue;
        if (c == u'\t') {
            if (m_nTabStop > 0)
                width = (width / m_nTabStop + 1) * m_nTabStop;
            continue;
        }
        int& advance = m_charWidths[c];
        if (advance < 0)
            advance = metrics.horizontalAdvance(QChar(c));
        width += advance;
    }
    return width;
}

void CChirpwellView::ResizeToText()
{
    QWidget* frame = window();
    const QScreen* screen = frame->screen();
    CWindowPlacement placement;
    placement.m_bMaximized = frame->isMaximized();
    placement.m_normal = ToRect(frame->isMaximized() ? frame->normalGeometry() : frame->geometry());
    // The text is laid out in the viewport, so that is the rectangle the width is
    // meant for: with the box's frame and scroll bar outside it, the widest line
    // fits without wrapping.
    const QRect viewRect(viewport()->mapTo(frame, QPoint(0, 0)), viewport()->size());
    const std::optional<CWindowPlacement> resized = ::ResizeToText(
        m_settings.m_bAutoResize, m_strText,
        [this](std::string_view line) { return MeasureLine(line); }, m_settings.m_nFontSize,
        ToRect(frame->frameGeometry()), ToRect(viewRect.translated(frame->geometry().topLeft())),
        screen ? screen->geometry().width() : 0, placement);
    if (!resized)
        return;
    if (resized->m_bMaximized) {
        frame->showMaximized();
        return;
    }
    // The rule sizes the outer frame; the window system adds its decorations to the
    // client area, so the difference goes to the client size.
    const QPoint corner = frame->frameGeometry().topLeft();
    const QSize decoration = frame->frameGeometry().size() - frame->geometry().size();
    if (frame->isMaximized() || frame->isMinimized())
        frame->showNormal();
    const CRect& rect = resized->m_normal;
    frame->resize(rect.Width() - decoration.width(), rect.Height() - decoration.height());
    frame->move(corner);
}

void CChirpwellView::OnFont()
{
    QFont current = m_font;
    CFontDialog dialog(current, ColourFromRef(m_settings.m_textColor), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QFont chosen = dialog.SelectedFont();
    m_settings.m_nFontSize = static_cast<int>(std::lround(chosen.pointSizeF() * 10));
    chosen.setPointSizeF(m_settings.m_nFontSize / 10.0);
    m_font = chosen;
    m_charWidths.clear();
    setFont(m_font);
    setTabStopDistance(8 * QFontMetrics(m_font).averageCharWidth());
    m_settings.m_textColor = RefFromColour(dialog.SelectedColour());
    ApplyColours();
    ResizeToText();
}

void CChirpwellView::OnBackColor()
{
    const QColor chosen = QColorDialog::getColor(ColourFromRef(m_settings.m_backColor), this,
                                                 Ui(kColorDialogTitle));
    if (!chosen.isValid())
        return;
    m_settings.m_backColor = RefFromColour(chosen);
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
    const QString contents = HelpContentsPath();
    if (!QFileInfo(contents).isFile()) {
        ShowMessageBox(this, Ui(kMsgHelpMissing).arg(contents));
        return;
    }
    if (!m_pHelpWindow)
        m_pHelpWindow = new CHelpWindow(contents, this);
    else
        m_pHelpWindow->ShowContents();
    m_pHelpWindow->show();
    m_pHelpWindow->raise();
    m_pHelpWindow->activateWindow();
}

void CChirpwellView::OnEditFind()
{
    if (!m_pFindDialog) {
        m_pFindDialog = new CFindDialog(this);
        connect(m_pFindDialog, &CFindDialog::FindNext, this, [this] {
            FindNext(m_pFindDialog->FindWhat(), m_pFindDialog->MatchCase(), m_pFindDialog->Up());
        });
    }
    // The selection, when there is one on a line, is what to look for.
    const QString selected = textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
        m_pFindDialog->FindEdit()->setText(selected);
    m_pFindDialog->show();
    m_pFindDialog->raise();
    m_pFindDialog->activateWindow();
    m_pFindDialog->FindEdit()->setFocus();
    m_pFindDialog->FindEdit()->selectAll();
}

bool CChirpwellView::FindNext(const QString& text, bool matchCase, bool up)
{
    std::string needle;
    std::optional<CSelection> found;
    CTextFault fault;
    if (DecodeKnownText(text.toStdString(), EEncoding::Utf8, m_document.Codes(), needle, fault))
        found = FindText(m_strText, needle, GetSelection(), matchCase, up);
    if (!found) {
        ShowMessageBox(m_pFindDialog && m_pFindDialog->isVisible() ? static_cast<QWidget*>(m_pFindDialog)
                                                                   : this,
                       Ui(kMsgTextNotFound).replace("%1", text));
        return false;
    }
    SetSelection(*found);
    ScrollCaret();
    return true;
}

CPrintJob CChirpwellView::PrintJob(bool selectionOnly) const
{
    CPrintJob job;
    const std::string& path = m_document.GetPathName();
    job.m_strTitle = path.empty() ? Ui(kUntitled) : QFileInfo(FromPath(path)).fileName();
    job.m_font = m_font;
    if (selectionOnly) {
        const CSelection selection = GetSelection();
        job.m_strText = FromCp932(std::string_view(m_strText).substr(
                                      selection.m_nStart, selection.m_nEnd - selection.m_nStart),
                                  &m_document.Codes());
    } else {
        job.m_strText = QString::fromStdU16String(m_pDisplay->Shown());
    }
    return job;
}

void CChirpwellView::OnFilePrint()
{
    if (m_pPrintService)
        m_pPrintService->PrintWithDialog(window(), PrintJob(false), PrintJob(true));
}

void CChirpwellView::OnFilePrintDirect()
{
    if (m_pPrintService)
        m_pPrintService->PrintDirect(window(), PrintJob(false));
}

void CChirpwellView::OnFilePrintPreview()
{
    if (m_pPrintService)
        m_pPrintService->Preview(window(), PrintJob(false));
}

void CChirpwellView::OnDropFiles(const QStringList& paths)
{
    QWidget* frame = window();
    frame->raise();
    frame->activateWindow();
    if (!IsAcceptedDrop(static_cast<int>(paths.size()))) {
        ShowMessageBox(this, Ui(kMsgBadDropCount));
        return;
    }
    m_document.OpenDocumentFile(QFile::encodeName(paths.constFirst()).toStdString());
}

bool CChirpwellView::event(QEvent* event)
{
    // The window's keys come before the text box's own, so that every command goes
    // through the window's routing.
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        for (const QAction* action : window()->actions()) {
            if (action->shortcuts().contains(pressed)) {
                event->ignore();
                return true;
            }
        }
    }
    return QPlainTextEdit::event(event);
}

void CChirpwellView::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CChirpwellView::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CChirpwellView::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        paths << (url.isLocalFile() ? url.toLocalFile() : url.toString());
    event->acceptProposedAction();
    OnDropFiles(paths);
}
