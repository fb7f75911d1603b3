#pragma once

// The window arrangements of the Window menu that Qt's MDI area does not
// offer itself: tiling into full-width rows or full-height columns, and lining
// the minimised children up along the bottom. The geometry is plain functions
// of the area so it can be checked without windows.

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

class QMdiArea;
class QMdiSubWindow;

namespace zeltomir::shell {

// count rectangles that fill area exactly: stacked top to bottom, each the
// full width (horizontal tiling), or side by side, each the full height
// (vertical tiling). Leftover pixels go one each to the first rectangles.
QList<QRect> HorizontalTiles(const QRect& area, int count);
QList<QRect> VerticalTiles(const QRect& area, int count);

// Top-left corners for minimised windows: cells as large as the largest icon,
// left to right along the bottom of area, a new row above when one is full.
QList<QPoint> IconPositions(const QRect& area, const QList<QSize>& iconSizes);

// Height that IconPositions takes from the bottom of area (0 for no icons).
int IconRowsHeight(const QRect& area, const QList<QSize>& iconSizes);

// count windows cascaded in area, each one step (a title bar's height) right
// of and below the one before: all of one size, large enough to show most of
// the area yet leaving room for the staggered title bars above it. When the
// stagger reaches that room, the next window starts again at the top left.
QList<QRect> CascadeRects(const QRect& area, int count, int step);

// Arrangements applied to the visible children of an MDI area. Tiling and
// cascading leave minimised children as icons along the bottom and arrange
// the others in the space above them; maximised children are restored first.
// The cascade keeps the windows' stacking order, so the active window ends
// in front, on the last step.
void CascadeChildren(QMdiArea& area);
void TileChildrenHorizontally(QMdiArea& area);
void TileChildrenVertically(QMdiArea& area);
void ArrangeIcons(QMdiArea& area);

// Where a window of size fits in area: as near to its present top-left as
// lets it end inside the area, at the area's top-left edge when it is larger.
QPoint PlaceInside(const QRect& area, const QPoint& topLeft, const QSize& size);

// Brings a child window that reaches past the right or bottom edge of the
// MDI area back inside it, shrinking it first to the area where it is
// larger; a window already inside stays where it is.
void KeepInside(QMdiArea& area, QMdiSubWindow& window);

} // namespace zeltomir::shell
