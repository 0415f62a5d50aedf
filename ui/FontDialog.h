#ifndef CHIRPWELL_UI_FONTDIALOG_H
#define CHIRPWELL_UI_FONTDIALOG_H

#include <QColor>
#include <QDialog>
#include <QFont>

class QFontDialog;
class QPushButton;

// The font dialog of the view: face, style, size and effects, and the text colour
// beside them, as the view keeps them together.
class CFontDialog : public QDialog {
    Q_OBJECT
public:
    CFontDialog(const QFont& font, const QColor& colour, QWidget* parent = nullptr);

    QFont SelectedFont() const;
    QColor SelectedColour() const { return m_colour; }
    QFontDialog* FontPicker() const { return m_pFontPicker; }

private:
    void ChooseColour();
    void ShowColour();

    QFontDialog* m_pFontPicker = nullptr;
    QPushButton* m_pColourButton = nullptr;
    QColor m_colour;
};

#endif
