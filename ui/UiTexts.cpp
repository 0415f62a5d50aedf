#include "ui/UiTexts.h"

QString Ui(const char* utf8)
{
    return QString::fromUtf8(utf8);
}
