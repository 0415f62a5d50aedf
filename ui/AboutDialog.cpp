#include "ui/AboutDialog.h"

#include <QLabel>
#include <QPushButton>

#include "engine/BuildFacts.h"
#include "ui/DialogUnits.h"
#include "ui/PixelArt.h"
#include "ui/UiTexts.h"

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(Ui(kAboutTitle));
    setFont(DialogFont());
    const CDialogUnits units(font());
    setFixedSize(units.Size(217, 55));

    auto* icon = new QLabel(this);
    const QRect iconRect = units.Rect(11, 17, 20, 20);
    icon->setGeometry(iconRect.x(), iconRect.y(), 32, 32);
    icon->setPixmap(AppIcon().pixmap(32, 32));
    auto* version = new QLabel(Ui(kAboutVersion) + kVersion, this);
    version->setObjectName("version");
    version->setGeometry(units.Rect(40, 10, 119, 8).adjusted(0, 0, 0, 4));
    auto* ok = new QPushButton(Ui(kButtonOk), this);
    ok->setGeometry(units.Rect(178, 7, 32, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
