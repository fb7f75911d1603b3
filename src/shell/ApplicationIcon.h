#pragma once

// The program's icon, drawn in code like the toolbar pictures: a simplex
// (a triangle with a dot at each vertex) on a light tile, and an arrow from
// its worst vertex through the opposite side to the reflected vertex, the
// move the program leads the experimenter through. The program sets it as
// the application's window icon, so the main window, every child window and
// the About box show it.

#include <QIcon>
#include <QPixmap>

class QPainter;

#include <array>

namespace zeltomir::shell {

// Sizes in device-independent pixels the icon is drawn at: title bars and
// task bars take the small ones, desktops and the About box larger ones.
inline constexpr std::array<int, 8> DrawnApplicationIconSizes{16, 20, 24, 32, 48, 64, 128, 256};

// The picture, size x size device-independent pixels at the given device
// pixel ratio (its pixel size is size * ratio, rounded).
QPixmap DrawApplicationPixmap(int size, qreal devicePixelRatio = 1.0);

// Paints the picture as DrawApplicationPixmap draws it at devicePixels
// pixels, onto the painter's device from (0, 0): the desktop's scalable icon
// is the same drawing made on a vector device.
void PaintApplicationIcon(QPainter& painter, int devicePixels);

// The picture, drawn at the size and pixel ratio each use asks for; it
// claims the sizes of DrawnApplicationIconSizes.
QIcon DrawnApplicationIcon();

} // namespace zeltomir::shell
