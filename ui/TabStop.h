#ifndef CHIRPWELL_UI_TABSTOP_H
#define CHIRPWELL_UI_TABSTOP_H

// Where tabs stop, in the units of the metrics given: every eight average character
// widths of the font, on screen, when fitting the window and on paper alike.
template <typename CMetrics>
auto TabStopDistance(const CMetrics& metrics)
{
    return 8 * metrics.averageCharWidth();
}

#endif
