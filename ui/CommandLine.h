#ifndef CHIRPWELL_UI_COMMANDLINE_H
#define CHIRPWELL_UI_COMMANDLINE_H

#include <QString>
#include <QStringList>

// The desktop program's command line. It needs Qt's core classes only, so that help
// and the version are answered before there is a window system. Its texts come from
// chirpwell-smile's catalogue, in the user's language.
class CCommandLine {
public:
    enum class EAction { Start, Help, Version, Unregister, BadUsage };

    // Reads arguments, arguments[0] being the program. A relative FILE is made
    // absolute against the current folder now, before the profile's working folder
    // can move it.
    explicit CCommandLine(const QStringList& arguments);

    EAction Action() const { return m_eAction; }
    const QString& File() const { return m_strFile; }  // empty: none
    bool Printing() const { return m_bPrinting; }
    const QString& Printer() const { return m_strPrinter; }  // empty: the default

    // For Help or Version: writes the text to standard output; gives the exit
    // status, 2 when it could not be written.
    int Answer() const;
    // For BadUsage: writes what is wrong and where help is to standard error.
    void ReportBadUsage() const;

private:
    EAction m_eAction = EAction::Start;
    QString m_strFile;
    bool m_bPrinting = false;
    QString m_strPrinter;
    QString m_strError;
};

#endif
