#ifndef CHIRPWELL_UI_DISPLAYCHOOSER_H
#define CHIRPWELL_UI_DISPLAYCHOOSER_H

#include <QColor>

class QFont;
class QWidget;
struct CDisplaySettings;

// The view's font dialog (face, size and the text colour) and its background colour
// dialog. Each changes the font and settings it is given only when the user accepts,
// and says so; the font size is kept in whole tenths of a point.
class CDisplayChooser {
public:
    explicit CDisplayChooser(QWidget& owner) : m_owner(owner) {}

    bool ChooseFont(QFont& font, CDisplaySettings& settings);
    bool ChooseBackColour(CDisplaySettings& settings);

private:
    QWidget& m_owner;  // the dialogs' parent
};

// A colour value 0x00BBGGRR as Qt's colour, and back.
QColor ColourFromRef(int colourRef);
int RefFromColour(const QColor& colour);

#endif
