#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

#include "engine/BuildFacts.h"
#include "engine/files/WriteSignals.h"
#include "programs/Translation.h"
#include "ui/ChirpwellApp.h"
#include "ui/CommandLine.h"
#include "ui/DialogUnits.h"
#include "ui/PixelArt.h"

int main(int argc, char** argv)
{
    // Before QApplication starts threads, so that none of them finds the signals
    // without the handling that lets an interrupted save end cleanly.
    InstallWriteSignals();
    InitTranslation();
    // Help and the version need no window system, so they are answered before the
    // application connects to one.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CCommandLine commandLine(arguments);
    if (commandLine.Action() == CCommandLine::EAction::Help ||
        commandLine.Action() == CCommandLine::EAction::Version)
        return commandLine.Answer();

    QApplication application(argc, argv);
    QApplication::setOrganizationName("Vevizo");
    QApplication::setApplicationName("Chirpwell");
    QApplication::setApplicationVersion(kVersion);
    QApplication::setWindowIcon(AppIcon());
    // The program speaks Japanese, so Qt's own dialogs do too.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese), "qtbase", "_",
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    InstallFontSubstitutes();

    CChirpwellApp app;
    return app.Run(QApplication::arguments());
}
