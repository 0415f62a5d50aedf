#ifndef CHIRPWELL_UI_DIALOGUNITS_H
#define CHIRPWELL_UI_DIALOGUNITS_H

#include <QFont>
#include <QRect>

// Dialog geometry is written in dialog units: a quarter of the dialog font's average
// character width across, an eighth of its character height down.
class CDialogUnits {
public:
    explicit CDialogUnits(const QFont& font);

    QRect Rect(int x, int y, int width, int height) const;
    QSize Size(int width, int height) const;

private:
    int m_nBaseX;  // average character width in pixels
    int m_nBaseY;  // character height in pixels
};

// The font every dialog of the program is drawn in.
QFont DialogFont();

// Maps the faces the profile and the dialogs name onto installed Japanese fonts.
void InstallFontSubstitutes();

#endif
