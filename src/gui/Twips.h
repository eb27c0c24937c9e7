#pragma once

#include <QFontMetrics>
#include <QWidget>

#include <algorithm>
#include <cmath>

// The window's measures are given in twips for an 8-point UI font; fifteen
// twips are one pixel there. Scaling by the real font's line height keeps
// the arrangement without clipping larger fonts.
inline int Twips(const QWidget* w, int twips)
{
    const double scale = std::max(1.0, QFontMetrics(w->font()).height() / 13.0);
    return static_cast<int>(std::lround(twips / 15.0 * scale));
}

// A "..." button: its dots and a margin, however large the font.
inline int DotsButtonWidth(const QWidget* button)
{
    return button->fontMetrics().horizontalAdvance(QStringLiteral("...")) + Twips(button, 360);
}
