#ifndef CHIRPWELL_UI_TEXTPRINTER_H
#define CHIRPWELL_UI_TEXTPRINTER_H

#include <QFont>
#include <QString>

class QPrinter;

// What one print job prints: the text as the view shows it, its font, and the name
// the page headers carry.
struct CPrintJob {
    QString m_strText;
    QFont m_font;
    QString m_strTitle;
};

// Prints a job on a printer: wrapped to the page width (a line breaks between
// characters, never inside one), paginated, each page headed by the title on the
// left and "page / pages" on the right. False when the printer cannot be started.
bool PrintText(const CPrintJob& job, QPrinter& printer);

#endif
