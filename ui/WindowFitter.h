#ifndef CHIRPWELL_UI_WINDOWFITTER_H
#define CHIRPWELL_UI_WINDOWFITTER_H

#include <string_view>
#include <vector>

#include <QFont>

class CCodec;
class QAbstractScrollArea;
struct CDisplaySettings;

// Fits the main window to the view's text when auto-resize is on: each line is
// measured in the view's font as the text box lays it out (each character's advance
// taken once per font, tabs to the tab stops), and the frame is placed by the resize
// rule. Widths count pixels.
class CWindowFitter {
public:
    // The font lines are measured in; the advances of the one before are forgotten.
    void SetFont(const QFont& font);
    // Resizes or maximises the window that holds view, as the rule says for text.
    void Fit(QAbstractScrollArea& view, std::string_view text, const CCodec& codec,
             const CDisplaySettings& settings);

private:
    // The width of a piece of CP932 text; codec gives the characters CP932 lacks.
    int MeasureLine(std::string_view cp932, const CCodec& codec);

    QFont m_font;
    std::vector<int> m_charWidths;  // advance of each UTF-16 unit in m_font, -1 unknown
    int m_nTabStop = 0;
};

#endif
