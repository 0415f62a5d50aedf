#include "ui/MessageBox.h"

#include <QMessageBox>

#include "ui/UiTexts.h"

bool ShowMessageBox(QWidget* parent, const QString& text, EMessageButtons buttons)
{
    QMessageBox box(QMessageBox::Warning, Ui(kAppTitle), text, QMessageBox::NoButton, parent);
    if (buttons == EMessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int answer = box.exec();
    return answer == QMessageBox::Ok || answer == QMessageBox::Yes;
}
