#ifndef CHIRPWELL_UI_COMMANDTABLE_H
#define CHIRPWELL_UI_COMMANDTABLE_H

#include <optional>
#include <span>

#include <QKeySequence>
#include <QList>
#include <QString>

#include "ui/PixelArt.h"

// The window's menus: the menu bar's popups and the submenus within them.
enum class EMenu {
    None,  // a command without a menu item, or the menu bar as a menu's parent
    File,
    ReopenEncoding,
    SaveEncoding,
    Edit,
    Search,
    View,
    Convert,
    SelectionEffects,
    WholeEffects,
    Help,
};

// A place in a menu or on the toolbar, written as two digits: the tens are the
// group, the ones the order within it, and a separator stands between groups.
// 0 is no place.
using Place = int;

inline bool IsNewGroup(Place previous, Place place) { return previous / 10 != place / 10; }

// A command as the menus, keys and toolbar show it: its menu text, status-bar
// prompt and tooltip; its keys, as Qt reads them and several apart with "; ", the
// first named in its menu item; its toolbar picture; whether it carries a check
// mark; and its places.
struct CCommand {
    int m_nId;
    const char* m_pMenuText;
    const char* m_pPrompt;
    const char* m_pTooltip;
    const char* m_pKeys;
    std::optional<EToolBarImage> m_image;
    bool m_bCheckable;
    EMenu m_eMenu;
    Place m_nMenuPlace;
    Place m_nToolBarPlace;

    QList<QKeySequence> Keys() const;
    // The menu text, then a tab and the name of the first key.
    QString MenuItemText() const;
};

// A menu: its title, and where it sits in its parent (the menu bar for None).
struct CMenu {
    EMenu m_eMenu;
    const char* m_pTitle;
    EMenu m_eParent;
    Place m_nPlace;
};

// Every command of the window. The recent-file list has one row, its first entry,
// whose place the other seven entries follow.
std::span<const CCommand> CommandTable();
const CCommand& FindCommand(int id);
// Every menu, each after its parent.
std::span<const CMenu> MenuTable();

#endif
