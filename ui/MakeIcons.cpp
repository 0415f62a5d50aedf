// Writes the application icon at the sizes desktops look for, as
// OUTDIR/NxN/apps/chirpwell.png, from the same picture the window uses.

#include <cstdio>

#include <QDir>
#include <QImage>
#include <QString>

#include "ui/PixelArt.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: chirpwell-make-icons OUTDIR\n", stderr);
        return 2;
    }
    const QImage picture = AppImage();
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QString folder = QString("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        const QImage scaled =
            picture.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        if (!QDir().mkpath(folder) || !scaled.save(folder + "/chirpwell.png", "PNG")) {
            std::fprintf(stderr, "chirpwell-make-icons: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
