#include "ui/DisplayChooser.h"

#include <cmath>

#include <QColorDialog>
#include <QFont>

#include "document/DisplaySettings.h"
#include "ui/FontDialog.h"
#include "ui/UiTexts.h"

bool CDisplayChooser::ChooseFont(QFont& font, CDisplaySettings& settings)
{
    CFontDialog dialog(font, ColourFromRef(settings.m_textColor), &m_owner);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    QFont chosen = dialog.SelectedFont();
    settings.m_nFontSize = static_cast<int>(std::lround(chosen.pointSizeF() * 10));
    chosen.setPointSizeF(settings.m_nFontSize / 10.0);
    font = chosen;
    settings.m_textColor = RefFromColour(dialog.SelectedColour());
    return true;
}

bool CDisplayChooser::ChooseBackColour(CDisplaySettings& settings)
{
    const QColor chosen = QColorDialog::getColor(ColourFromRef(settings.m_backColor), &m_owner,
                                                 Ui(kColorDialogTitle));
    if (!chosen.isValid())
        return false;
    settings.m_backColor = RefFromColour(chosen);
    return true;
}

QColor ColourFromRef(int colourRef)
{
    return QColor(colourRef & 0xFF, (colourRef >> 8) & 0xFF, (colourRef >> 16) & 0xFF);
}

int RefFromColour(const QColor& colour)
{
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}
