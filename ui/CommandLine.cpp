#include "ui/CommandLine.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include <QCommandLineParser>
#include <QFileInfo>

#include "engine/BuildFacts.h"
#include "engine/text/TextFormat.h"
#include "programs/Translation.h"

namespace {

// The whole help is one message, so that a translation can lay it out anew.
const char* HelpText()
{
    return Tr(
        "Usage: chirpwell [OPTION]... [FILE]\n"
        "Open a Japanese text file (Shift_JIS, UTF-8 or EUC-JP) and smile it.\n"
        "\n"
        "  -p, --print               print FILE, smiled, on the default printer and end\n"
        "      --print-to=PRINTER    print FILE, smiled, on the printer PRINTER and end\n"
        "      --unregister          remove Chirpwell's settings for this user and end\n"
        "  -h, --help                show this help and end\n"
        "  -v, --version             show the version and end\n");
}

QString Message(const char* format, const QString& argument)
{
    return QString::fromStdString(FormatMessage(format, argument.toStdString()));
}

// What was wrong, in the words of chirpwell-smile: Qt's own texts would be English,
// or Japanese once its translations are in. Only --print-to takes a value.
QString ParseError(const QCommandLineParser& parser, const QStringList& arguments)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        const QString& name = unknown.constFirst();
        return Message(Tr("unknown option '%1'"), (name.size() == 1 ? "-" : "--") + name);
    }
    for (const QString& argument : arguments.mid(1)) {
        if (argument == "--")
            break;
        const QString name = argument.section('=', 0, 0);
        if (argument.startsWith('-') && argument.contains('=') && name != "--print-to")
            return Message(Tr("option '%1' takes no value"), name);
    }
    if (arguments.size() > 1 && arguments.constLast() == "--print-to")
        return Message(Tr("option '%1' needs a value"), arguments.constLast());
    return parser.errorText();
}

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
        m_strError = ParseError(parser, arguments);
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
        m_strError = QString::fromUtf8(m_bPrinting ? Tr("printing needs exactly one FILE")
                                                   : Tr("only one FILE may be given"));
        return;
    }
    if (!files.isEmpty())
        m_strFile = QFileInfo(files.constFirst()).absoluteFilePath();
}

int CCommandLine::Answer() const
{
    const std::string text =
        m_eAction == EAction::Help ? HelpText() : std::string("chirpwell ") + kVersion + "\n";
    // Help that could not be written is a failure, as with GNU tools.
    if (std::fputs(text.c_str(), stdout) == EOF || std::fflush(stdout) != 0) {
        const std::string reason = std::strerror(errno);
        std::fprintf(stderr, "chirpwell: %s: %s\n", Tr("standard output"), reason.c_str());
        return 2;
    }
    return 0;
}

void CCommandLine::ReportBadUsage() const
{
    std::fprintf(stderr, "chirpwell: %s\n", m_strError.toUtf8().constData());
    std::fputs(Tr("Try 'chirpwell --help' for more information.\n"), stderr);
}
