#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "ui/ChirpwellApp.h"
#include "ui/DialogUnits.h"
#include "ui/PixelArt.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName("Vevizo");
    QApplication::setApplicationName("Chirpwell");
    QApplication::setApplicationVersion("4.02");
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
