#include "ui/ByteLimitEdit.h"

#include <algorithm>

#include "document/SettingsChecks.h"
#include "ui/TextCodec.h"

CByteLimitEdit::CByteLimitEdit(std::size_t limit, QWidget* parent)
    : QLineEdit(parent), m_nLimit(limit)
{
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!isModified())
            m_strAccepted = text;
    });
    connect(this, &QLineEdit::textEdited, this, &CByteLimitEdit::OnTextEdited);
}

void CByteLimitEdit::OnTextEdited(const QString& text)
{
    const bool grew = text.size() > m_strAccepted.size();
    if (grew && !FitsCp932Bytes(text.toStdString(), m_nLimit)) {
        const int cursor = cursorPosition() - static_cast<int>(text.size() - m_strAccepted.size());
        setText(m_strAccepted);
        setCursorPosition(std::max(cursor, 0));
        return;
    }
    m_strAccepted = text;
}
