#ifndef CHIRPWELL_UI_PIXELART_H
#define CHIRPWELL_UI_PIXELART_H

#include <initializer_list>

#include <QIcon>
#include <QImage>

// The toolbar's pictures, 16 by 15 pixels, in the order of the buttons.
enum class EToolBarImage {
    Open,
    Reload,
    SaveAs,
    Print,
    Copy,
    Font,
    BackColor,
    Settings,
    AutoResize,
    About,
    Help,
};

inline constexpr int kToolBarImageCount = 11;
inline constexpr int kToolBarImageWidth = 16;
inline constexpr int kToolBarImageHeight = 15;

// The picture at its design size, and as an icon crisp at screen scales 1 to 4.
QImage ToolBarImage(EToolBarImage image);
QIcon ToolBarIcon(EToolBarImage image);

// The application's icon: a smiling face drawn at 16 by 16, also shown at 32 by 32.
QImage AppImage();
QIcon AppIcon();

#endif
