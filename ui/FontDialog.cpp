#include "ui/FontDialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/UiTexts.h"

CFontDialog::CFontDialog(const QFont& font, const QColor& colour, QWidget* parent)
    : QDialog(parent), m_colour(colour)
{
    setWindowTitle(Ui(kFontDialogTitle));
    // A stored face the system lacks, such as "FixedSys", is shown as the face that
    // stands in for it: the dialog starts at the font the text is shown in.
    QFont shown = font;
    shown.setFamilies({QFontInfo(font).family()});
    m_pFontPicker = new QFontDialog(shown, this);
    m_pFontPicker->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    m_pFontPicker->setWindowFlags(Qt::Widget);

    auto* colourLabel = new QLabel(Ui(kFontDialogColor), this);
    m_pColourButton = new QPushButton(this);
    colourLabel->setBuddy(m_pColourButton);
    connect(m_pColourButton, &QPushButton::clicked, this, &CFontDialog::ChooseColour);
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(colourLabel);
    colourRow->addWidget(m_pColourButton);
    colourRow->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Ui(kButtonOk));
    buttons->button(QDialogButtonBox::Cancel)->setText(Ui(kButtonCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pFontPicker);
    layout->addLayout(colourRow);
    layout->addWidget(buttons);
    ShowColour();
}

QFont CFontDialog::SelectedFont() const
{
    return m_pFontPicker->currentFont();
}

void CFontDialog::ChooseColour()
{
    const QColor chosen = QColorDialog::getColor(m_colour, this, Ui(kColorDialogTitle));
    if (chosen.isValid()) {
        m_colour = chosen;
        ShowColour();
    }
}

void CFontDialog::ShowColour()
{
    QPixmap swatch(32, 14);
    swatch.fill(m_colour);
    m_pColourButton->setIcon(swatch);
    m_pColourButton->setIconSize(swatch.size());
}
