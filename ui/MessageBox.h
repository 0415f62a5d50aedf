#ifndef CHIRPWELL_UI_MESSAGEBOX_H
#define CHIRPWELL_UI_MESSAGEBOX_H

#include <QString>

class QWidget;

enum class EMessageButtons { Ok, YesNo };

// Every message box of the program: caption "Chirpwell", the warning icon. True
// for OK or Yes.
bool ShowMessageBox(QWidget* parent, const QString& text,
                    EMessageButtons buttons = EMessageButtons::Ok);

#endif
