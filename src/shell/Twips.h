#pragma once

// Window and control sizes of the program are given in twips (1/1440 inch).
// They become pixels through the logical DPI of the screen the widget is on,
// so the layout keeps its proportions on any screen.

#include <QRect>
#include <QSize>
#include <QWidget>

#include <cmath>

namespace zeltomir::shell {

inline constexpr int TwipsPerInch = 1440;
inline constexpr int FallbackDpi = 96;

inline int TwipsToPixels(int twips, int dpi)
{
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / TwipsPerInch));
}

inline int PixelsToTwips(int pixels, int dpi)
{
    return dpi > 0 ? static_cast<int>(std::lround(static_cast<double>(pixels) * TwipsPerInch / dpi)) : 0;
}

// Horizontal and vertical sizes use the widget's own DPI in that direction.
inline int TwipsX(const QWidget* widget, int twips)
{
    return TwipsToPixels(twips, widget ? widget->logicalDpiX() : FallbackDpi);
}

inline int TwipsY(const QWidget* widget, int twips)
{
    return TwipsToPixels(twips, widget ? widget->logicalDpiY() : FallbackDpi);
}

inline QSize TwipsSize(const QWidget* widget, int widthTwips, int heightTwips)
{
    return {TwipsX(widget, widthTwips), TwipsY(widget, heightTwips)};
}

inline QRect TwipsRect(const QWidget* widget, int leftTwips, int topTwips, int widthTwips, int heightTwips)
{
    return {TwipsX(widget, leftTwips), TwipsY(widget, topTwips), TwipsX(widget, widthTwips),
            TwipsY(widget, heightTwips)};
}

} // namespace zeltomir::shell
