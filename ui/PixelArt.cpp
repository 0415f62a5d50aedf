#include "ui/PixelArt.h"

#include <QImage>
#include <QPixmap>

// The pictures are drawn on a 16-colour grid, one letter per pixel, and scaled by
// whole factors only, so they stay crisp at every screen scale.

namespace {

QRgb PaletteColour(char code)
{
    switch (code) {
    case 'k': return qRgb(0, 0, 0);
    case 'w': return qRgb(255, 255, 255);
    case 'g': return qRgb(192, 192, 192);
    case 'd': return qRgb(128, 128, 128);
    case 'y': return qRgb(255, 255, 0);
    case 'o': return qRgb(128, 128, 0);
    case 'b': return qRgb(0, 0, 255);
    case 'n': return qRgb(0, 0, 128);
    case 'r': return qRgb(255, 0, 0);
    case 'm': return qRgb(128, 0, 0);
    case 'G': return qRgb(0, 255, 0);
    case 'e': return qRgb(0, 128, 0);
    case 'c': return qRgb(0, 255, 255);
    case 't': return qRgb(0, 128, 128);
    case 'p': return qRgb(255, 0, 255);
    case 'u': return qRgb(128, 0, 128);
    default: return qRgba(0, 0, 0, 0);
    }
}

const char* const kToolBarImages[kToolBarImageCount][kToolBarImageHeight] = {
    {   // Open: opening folder
        "................",
        "..........kkk...",
        ".........k...k.k",
        "..............kk",
        ".kkk.........kkk",
        "kyoyk...........",
        "koyoykkkkkkkk...",
        "kyoyoyoyoyoyk...",
        "koyoyoykkkkkkkkk",
        "kyoyokyyyyyyyyyk",
        "koyokyyyyyyyyyk.",
        "kyokyyyyyyyyyk..",
        "kokyyyyyyyyyk...",
        "kkkkkkkkkkkk....",
        "................",
    },
    {   // Reload: page with a circular arrow
        "..kkkkkkkk......",
        "..kwwwwwwkk.....",
        "..kwwwwwwkwk....",
        "..kwwwwwwkkkk...",
        "..kwwweeeeewk...",
        "..kwweewwweek...",
        "..kwewwwwwwek...",
        "..kwewwwwweeeek.",
        "..kwewwwwwweek..",
        "..kweeewwwwek...",
        "..kwweewwweek...",
        "..kwwweeeeewk...",
        "..kwwwwwwwwwk...",
        "..kkkkkkkkkkk...",
        "................",
    },
    {   // SaveAs: floppy disk
        "kkkkkkkkkkkkkkk.",
        "kokwwwwwwwwwkok.",
        "kokwwwwwwwwwkok.",
        "kokwwwwwwwwwkok.",
        "kokwwwwwwwwwkok.",
        "kokwwwwwwwwwkok.",
        "kooooooooooooook",
        "kooooooooooooook",
        "kookkkkkkkkkook.",
        "kookgggggkggkok.",
        "kookgggggkggkok.",
        "kookgggggkggkok.",
        ".kkkkkkkkkkkkkk.",
        "................",
        "................",
    },
    {   // Print: printer
        "................",
        "....kkkkkkkkk...",
        "...kwwwwwwwwk...",
        "...kwkkkkkwk....",
        "..kwwwwwwwwk....",
        "..kwkkkkkwk.....",
        ".kkkkkkkkkkkkkk.",
        "kgggggggggggkgk.",
        "kkkkkkkkkkkkkggk",
        "kgggggggggggggkk",
        "kggggggggGGGggk.",
        "kkkkkkkkkkkkkkk.",
        ".kgggggggggggk..",
        "..kkkkkkkkkkk...",
        "................",
    },
    {   // Copy: two pages
        "kkkkkk..........",
        "kwwwwkk.........",
        "kwkkwkwk........",
        "kwwwwkkkk.......",
        "kwkkkkwkkkkkk...",
        "kwwwwkwwwwwkkk..",
        "kwkkkkwkkkkkwk..",
        "kwwwwkwwwwwwkkk.",
        "kwkkkkwkkkkkkwk.",
        "kwwwwkwwwwwwwwk.",
        "kkkkkkwkkkkkkwk.",
        "......wwwwwwwwk.",
        "......kkkkkkkkk.",
        "................",
        "................",
    },
    {   // Font: the letters ABC
        "................",
        "................",
        "................",
        "................",
        ".nn..nnn...nnn..",
        "n..n.n..n.n.....",
        "n..n.n..n.n.....",
        "nnnn.nnn..n.....",
        "n..n.n..n.n.....",
        "n..n.n..n.n.....",
        "n..n.nnn...nnn..",
        "................",
        "kkkkkkkkkkkkkkk.",
        "................",
        "................",
    },
    {   // BackColor: landscape picture
        "kkkkkkkkkkkkkkkk",
        "kccccccccccyyyck",
        "kcccccccccyyyyyk",
        "kcccwwcccccyyyck",
        "kccwwwwcccccccck",
        "kcccccccccccccck",
        "kcccccccGcccccck",
        "kccccccGGGccccck",
        "kcccccGGGGGcccck",
        "keeeGGGGGGGGGGGk",
        "keeeeeGGGGGGGeek",
        "keeeeeeeeeeeeeek",
        "kkkkkkkkkkkkkkkk",
        "................",
        "................",
    },
    {   // Settings: coloured blocks
        "................",
        "kkkkkk..kkkkkk..",
        "krrrrk..kbbbbk..",
        "krrrrk..kbbbbk..",
        "krrrrk..kbbbbk..",
        "kkkkkk..kkkkkk..",
        "................",
        "....kkkkkk......",
        "....kyyyyk......",
        "kkkkkyyyykkkkkk.",
        "kGGGkyyyykppppk.",
        "kGGGkkkkkkppppk.",
        "kGGGGk..kppppk..",
        "kkkkkk..kkkkkk..",
        "................",
    },
    {   // AutoResize: window with a dashed outline
        "nnnnnnnnnnnnnnnn",
        "nnnnnnnnnnnwnwnn",
        "kwwwwwwwwwwwwwwk",
        "kw.k.k.k.k.k.kwk",
        "kwk.........k.wk",
        "kw...........kwk",
        "kwk...........wk",
        "kw...........kwk",
        "kwk...........wk",
        "kw...........kwk",
        "kwk.k.k.k.k.k.wk",
        "kwwwwwwwwwwwwwwk",
        "kkkkkkkkkkkkkkkk",
        "................",
        "................",
    },
    {   // About: question mark
        "......kkkk......",
        "....kkbbbbkk....",
        "...kbbbbbbbbk...",
        "..kbbbwwwwbbbk..",
        "..kbbwwbbwwbbk..",
        "..kbbbbbbwwbbk..",
        "..kbbbbbwwbbbk..",
        "..kbbbbwwbbbbk..",
        "..kbbbbwwbbbbk..",
        "..kbbbbbbbbbbk..",
        "..kbbbbwwbbbbk..",
        "...kbbbbbbbbk...",
        "....kkbbbbkk....",
        "......kkkk......",
        "................",
    },
    {   // Help: light bulb
        ".....kkkkk......",
        "....kyyyyyk.....",
        "...kyywyyyyk....",
        "...kywyyyyyk....",
        "...kyyyyyyyk....",
        "...kyyyyyyyk....",
        "....kyyyyyk.....",
        ".....kyyyk......",
        ".....kdddk......",
        ".....kgggk......",
        ".....kdddk......",
        "......kkk.......",
        "................",
        "................",
        "................",
    },
};

const char* const kAppImage[16] = {
    "................",
    ".....kkkkkk.....",
    "...kkyyyyyykk...",
    "..kyyyyyyyyyyk..",
    ".kyyyyyyyyyyyyk.",
    ".kyyykyyyykyyyk.",
    "kyyykykyykykyyyk",
    "kyyyyyyyyyyyyyyk",
    "kyrryyyyyyyyrryk",
    "kyyykkkkkkkkyyyk",
    ".kyyykrrrrkyyyk.",
    ".kyyyykkkkyyyyk.",
    "..kyyyyyyyyyyk..",
    "...kkyyyyyykk...",
    ".....kkkkkk.....",
    "................",
};

QImage PixelImage(const char* const* rows, int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, PaletteColour(rows[y][x]));
    }
    return image;
}

QIcon PixelIcon(const QImage& image, std::initializer_list<int> baseSizes)
{
    QIcon icon;
    for (const int base : baseSizes) {
        for (int scale = 1; scale <= 4; ++scale) {
            const int factor = base / image.width() * scale;
            QPixmap pixmap = QPixmap::fromImage(
                image.scaled(image.width() * factor, image.height() * factor,
                             Qt::IgnoreAspectRatio, Qt::FastTransformation));
            pixmap.setDevicePixelRatio(scale);
            icon.addPixmap(pixmap);
        }
    }
    return icon;
}

}  // namespace

QImage ToolBarImage(EToolBarImage image)
{
    return PixelImage(kToolBarImages[static_cast<int>(image)], kToolBarImageWidth,
                      kToolBarImageHeight);
}

QIcon ToolBarIcon(EToolBarImage image)
{
    return PixelIcon(ToolBarImage(image), {kToolBarImageWidth});
}

QImage AppImage()
{
    return PixelImage(kAppImage, 16, 16);
}

QIcon AppIcon()
{
    return PixelIcon(AppImage(), {16, 32});
}
