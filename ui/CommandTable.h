#ifndef CHIRPWELL_UI_COMMANDTABLE_H
#define CHIRPWELL_UI_COMMANDTABLE_H

#include <optional>
#include <vector>

#include <QKeySequence>
#include <QList>
#include <QString>

#include "ui/PixelArt.h"

struct CCommandText;

// A command as the menus, keys and toolbar show it: its texts, found by its id in
// the table of texts; its keys, the first of them named in its menu item; its
// toolbar picture, if it has a button; whether it carries a check mark.
struct CCommandRow {
    int m_nId;
    QList<QKeySequence> m_keys;
    std::optional<EToolBarImage> m_image;
    bool m_bCheckable;

    const CCommandText& Texts() const;
    // The menu text, then a tab and the name of the first key.
    QString MenuItemText() const;
};

// Every command of the window but the recent-file entries, which the list names.
const std::vector<CCommandRow>& CommandTable();

#endif
