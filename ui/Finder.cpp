#include "ui/Finder.h"

#include <optional>
#include <string>

#include <QLineEdit>
#include <QPlainTextEdit>

#include "document/IDocView.h"
#include "document/TextSearch.h"
#include "ui/FindDialog.h"
#include "ui/MessageBox.h"
#include "ui/TextCodec.h"
#include "ui/UiTexts.h"

CFinder::CFinder(IDocView& view, QPlainTextEdit& box, const CCodec& codec)
    : m_view(view), m_box(box), m_codec(codec)
{
}

void CFinder::Show()
{
    if (!m_pDialog) {
        m_pDialog = new CFindDialog(&m_box);
        QObject::connect(m_pDialog, &CFindDialog::FindNext, &m_box, [this] {
            FindNext(m_pDialog->FindWhat(), m_pDialog->MatchCase(), m_pDialog->Up());
        });
    }
    // The selection, when there is one on a line, is what to look for.
    const QString selected = m_box.textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
        m_pDialog->FindEdit()->setText(selected);
    m_pDialog->show();
    m_pDialog->raise();
    m_pDialog->activateWindow();
    m_pDialog->FindEdit()->setFocus();
    m_pDialog->FindEdit()->selectAll();
}

bool CFinder::FindNext(const QString& text, bool matchCase, bool up)
{
    std::string needle;
    std::optional<CSelection> found;
    if (ToCp932(text, needle, &m_codec))
        found = FindText(m_view.GetText(), needle, m_view.GetSelection(), matchCase, up);
    if (!found) {
        QWidget* parent = m_pDialog && m_pDialog->isVisible() ? static_cast<QWidget*>(m_pDialog)
                                                               : &m_box;
        ShowMessageBox(parent, Ui(kMsgTextNotFound).replace("%1", text));
        return false;
    }
    m_view.SetSelection(*found);
    m_view.ScrollCaret();
    return true;
}
