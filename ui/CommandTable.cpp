#include "ui/CommandTable.h"

#include <cassert>

#include "document/CommandIds.h"
#include "ui/UiTexts.h"

namespace {

enum class ECheck { No, Yes };

CCommandRow Row(int id, const char* keys = "", std::optional<EToolBarImage> image = {},
                ECheck check = ECheck::No)
{
    // Keys are written as Qt reads them, several apart with "; ".
    QList<QKeySequence> sequences;
    if (*keys)
        sequences =
            QKeySequence::listFromString(QString::fromLatin1(keys), QKeySequence::PortableText);
    return {id, sequences, image, check == ECheck::Yes};
}

}  // namespace

const CCommandText& CCommandRow::Texts() const
{
    const CCommandText* texts = FindCommandText(m_nId);
    assert(texts);
    return *texts;
}

QString CCommandRow::MenuItemText() const
{
    const QString text = Ui(Texts().m_pMenuText);
    if (text.isEmpty() || m_keys.isEmpty())
        return text;
    return text + '\t' + m_keys.constFirst().toString(QKeySequence::PortableText);
}

const std::vector<CCommandRow>& CommandTable()
{
    using E = EToolBarImage;
    static const std::vector<CCommandRow> rows = {
        Row(ID_FILE_OPEN, "Ctrl+O", E::Open),
        Row(ID_RELOAD, "Ctrl+R", E::Reload),
        Row(ID_FILE_SAVE_AS, "Ctrl+S", E::SaveAs),
        Row(ID_FILE_PRINT, "Ctrl+P", E::Print),
        Row(ID_FILE_PRINT_DIRECT),
        Row(ID_FILE_PRINT_PREVIEW),
        Row(ID_FILE_PRINT_SETUP),
        Row(ID_APP_EXIT),
        Row(ID_UNDO, "Ctrl+Z"),
        // The second key of copy is not named in the menu.
        Row(ID_EDIT_COPY, "Ctrl+C; Ctrl+Ins", E::Copy),
        Row(ID_EDIT_SELECT_ALL, "Ctrl+A"),
        Row(ID_EDIT_FIND),
        Row(ID_SEARCH_DOWN, "Ctrl+F"),
        Row(ID_SEARCH_UP, "Ctrl+D"),
        Row(ID_VIEW_TOOLBAR, "", {}, ECheck::Yes),
        Row(ID_VIEW_STATUS_BAR, "", {}, ECheck::Yes),
        Row(ID_FONT, "", E::Font),
        Row(ID_BACK_COLOR, "", E::BackColor),
        Row(ID_AUTO_RESIZE, "", E::AutoResize, ECheck::Yes),
        Row(ID_REVERSE),
        Row(ID_CENSOR),
        Row(ID_SMILE_AGAIN, "Ctrl+E"),
        Row(ID_SMILE_WITH_FILE),
        Row(ID_SETTINGS, "", E::Settings),
        Row(ID_LAUNCH_HELP, "F1", E::Help),
        Row(ID_APP_ABOUT, "", E::About),
        // Keys without a menu item.
        Row(ID_MINIMIZE, "Ctrl+M"),
        Row(ID_NEXT_PANE, "F6"),
        Row(ID_PREV_PANE, "Shift+F6"),
        Row(ID_REOPEN_DETECT),
        Row(ID_REOPEN_SHIFT_JIS),
        Row(ID_REOPEN_UTF8),
        Row(ID_REOPEN_EUC_JP),
        Row(ID_DETECT_ENCODING, "", {}, ECheck::Yes),
        Row(ID_SAVE_SHIFT_JIS, "", {}, ECheck::Yes),
        Row(ID_SAVE_UTF8, "", {}, ECheck::Yes),
        Row(ID_SAVE_EUC_JP, "", {}, ECheck::Yes),
        Row(ID_REOPEN_ISO2022JP),
        Row(ID_REOPEN_UTF16),
        Row(ID_REOPEN_UTF16LE),
        Row(ID_REOPEN_UTF16BE),
        Row(ID_REOPEN_SHIFT_JIS_2004),
        Row(ID_REOPEN_EUC_JIS_2004),
        Row(ID_SAVE_ISO2022JP, "", {}, ECheck::Yes),
        Row(ID_SAVE_UTF16, "", {}, ECheck::Yes),
        Row(ID_SAVE_UTF16LE, "", {}, ECheck::Yes),
        Row(ID_SAVE_UTF16BE, "", {}, ECheck::Yes),
        Row(ID_SAVE_SHIFT_JIS_2004, "", {}, ECheck::Yes),
        Row(ID_SAVE_EUC_JIS_2004, "", {}, ECheck::Yes),
    };
    return rows;
}
