#include "ui/CommandLine.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

constexpr char kHelp[] =
    "Usage: chirpwell [OPTION]... [FILE]\n"
    "Open a Japanese Shift_JIS (CP932) text file and smile it.\n"
    "\n"
    "  -p, --print               print FILE, smiled, on the default printer and end\n"
    "      --print-to=PRINTER    print FILE, smiled, on the printer PRINTER and end\n"
    "      --unregister          remove Chirpwell's settings for this user and end\n"
    "  -h, --help                show this help and end\n"
    "  -v, --version             show the version and end\n";

constexpr char kVersion[] = "chirpwell 4.02\n";

}  // namespace

CCommandLine::CCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{"h", "help"});
    const QCommandLineOption version(QStringList{"v", "version"});
    const QCommandLineOption print(QStringList{"p", "print"});
    const QCommandLineOption printTo("print-to", QString(), "PRINTER");
    const QCommandLineOption unregister("unregister");
    parser.addOptions({help, version, print, printTo, unregister});
    if (!parser.parse(arguments)) {
        m_eAction = EAction::BadUsage;
        m_strError = parser.errorText();
        return;
    }
    if (parser.isSet(help)) {
        m_eAction = EAction::Help;
        return;
    }
    if (parser.isSet(version)) {
        m_eAction = EAction::Version;
        return;
    }
    if (parser.isSet(unregister)) {
        m_eAction = EAction::Unregister;
        return;
    }
    const QStringList files = parser.positionalArguments();
    m_bPrinting = parser.isSet(print) || parser.isSet(printTo);
    m_strPrinter = parser.value(printTo);
    if (files.size() > 1 || (m_bPrinting && files.size() != 1)) {
        m_eAction = EAction::BadUsage;
        m_strError = m_bPrinting ? "printing needs exactly one FILE" : "only one FILE may be given";
        return;
    }
    if (!files.isEmpty())
        m_strFile = QFileInfo(files.constFirst()).absoluteFilePath();
}

int CCommandLine::Answer() const
{
    const char* text = m_eAction == EAction::Help ? kHelp : kVersion;
    // Help that could not be written is a failure, as with GNU tools.
    if (std::fputs(text, stdout) == EOF || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "chirpwell: standard output: %s\n", std::strerror(errno));
        return 2;
    }
    return 0;
}
