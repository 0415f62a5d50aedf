#include "ui/ByteLimitEdit.h"

#include <algorithm>
#include <string>

#include "document/SettingsChecks.h"
#include "ui/TextCodec.h"

CByteLimitEdit::CByteLimitEdit(std::size_t limit, QWidget* parent)
    : QLineEdit(parent), m_nLimit(limit)
{
    // A text set from outside is taken as it is. The widget's own text counts, not
    // the signal's: the change of a refused edit is told after it was put back.
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!isModified())
            m_strAccepted = text();
    });
    connect(this, &QLineEdit::textEdited, this, &CByteLimitEdit::OnTextEdited);
}

namespace {

// The text's length in CP932 bytes; a character CP932 lacks counts as too long.
std::size_t Cp932Size(const QString& text)
{
    std::string bytes;
    return ToCp932(text, bytes) ? bytes.size() : std::string::npos;
}

}  // namespace

void CByteLimitEdit::OnTextEdited(const QString& text)
{
    // Bytes, not characters, decide: typing a two-byte character over a selected
    // one-byte one lengthens the text without adding a character. A text over the
    // limit is still taken when it is shorter than before, so that a stored value
    // that is too long can be cut down.
    const bool fits = FitsCp932Bytes(text.toStdString(), m_nLimit);
    if (!fits && Cp932Size(text) >= Cp932Size(m_strAccepted)) {
        const int cursor = cursorPosition() - static_cast<int>(text.size() - m_strAccepted.size());
        setText(m_strAccepted);
        setCursorPosition(std::max(cursor, 0));
        return;
    }
    m_strAccepted = text;
}
