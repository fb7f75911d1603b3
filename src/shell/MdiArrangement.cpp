#include "shell/MdiArrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

#include <algorithm>

namespace zeltomir::shell {

namespace {

// Splits length into count parts whose sizes differ by at most one.
int PartStart(int length, int count, int index)
{
    return static_cast<int>(static_cast<long long>(length) * index / count);
}

QSize CellSize(const QList<QSize>& iconSizes)
{
    QSize cell(1, 1);
    for (const QSize& size : iconSizes)
        cell = cell.expandedTo(size);
    return cell;
}

int IconsPerRow(const QRect& area, const QSize& cell)
{
    return std::max(1, area.width() / cell.width());
}

struct Children {
    QList<QMdiSubWindow*> icons;
    QList<QMdiSubWindow*> windows;
};

Children VisibleChildren(QMdiArea& area, QMdiArea::WindowOrder order = QMdiArea::CreationOrder)
{
    Children children;
    for (QMdiSubWindow* child : area.subWindowList(order)) {
        if (child->isHidden())
            continue;
        (child->isMinimized() ? children.icons : children.windows).append(child);
    }
    return children;
}

QList<QSize> SizesOf(const QList<QMdiSubWindow*>& windows)
{
    QList<QSize> sizes;
    for (const QMdiSubWindow* window : windows)
        sizes.append(window->size());
    return sizes;
}

void PlaceIcons(const QRect& area, const QList<QMdiSubWindow*>& icons)
{
    const QList<QPoint> positions = IconPositions(area, SizesOf(icons));
    for (qsizetype i = 0; i < icons.size(); ++i)
        icons[i]->move(positions[i]);
}

template <typename Tiler>
void Tile(QMdiArea& mdi, Tiler tiles, QMdiArea::WindowOrder order = QMdiArea::CreationOrder)
{
    const Children children = VisibleChildren(mdi, order);
    QRect area = mdi.viewport()->rect();
    PlaceIcons(area, children.icons);
    area.setBottom(area.bottom() - IconRowsHeight(area, SizesOf(children.icons)));
    const QList<QRect> rects = tiles(area, static_cast<int>(children.windows.size()));
    for (qsizetype i = 0; i < children.windows.size(); ++i) {
        QMdiSubWindow* window = children.windows[i];
        if (window->isMaximized())
            window->showNormal();
        window->setGeometry(rects[i]);
    }
}

} // namespace

QList<QRect> HorizontalTiles(const QRect& area, int count)
{
    QList<QRect> rects;
    for (int i = 0; i < count; ++i) {
        const int top = area.top() + PartStart(area.height(), count, i);
        const int bottom = area.top() + PartStart(area.height(), count, i + 1);
        rects.append(QRect(area.left(), top, area.width(), bottom - top));
    }
    return rects;
}

QList<QRect> VerticalTiles(const QRect& area, int count)
{
    QList<QRect> rects;
    for (int i = 0; i < count; ++i) {
        const int left = area.left() + PartStart(area.width(), count, i);
        const int right = area.left() + PartStart(area.width(), count, i + 1);
        rects.append(QRect(left, area.top(), right - left, area.height()));
    }
    return rects;
}

QList<QPoint> IconPositions(const QRect& area, const QList<QSize>& iconSizes)
{
    QList<QPoint> positions;
    const QSize cell = CellSize(iconSizes);
    const int perRow = IconsPerRow(area, cell);
    const int bottom = area.top() + area.height();
    for (int i = 0; i < iconSizes.size(); ++i) {
        const int column = i % perRow;
        const int row = i / perRow;
        // Each icon sits on the bottom edge of its cell.
        positions.append(QPoint(area.left() + column * cell.width(),
                                bottom - row * cell.height() - iconSizes[i].height()));
    }
    return positions;
}

int IconRowsHeight(const QRect& area, const QList<QSize>& iconSizes)
{
    if (iconSizes.isEmpty())
        return 0;
    const QSize cell = CellSize(iconSizes);
    const int perRow = IconsPerRow(area, cell);
    const int rows = (static_cast<int>(iconSizes.size()) + perRow - 1) / perRow;
    return rows * cell.height();
}

QList<QRect> CascadeRects(const QRect& area, int count, int step)
{
    step = std::max(1, step);
    // As many steps as fit in a third of the height; the windows keep the
    // rest of the area's size.
    const int steps = area.height() / (3 * step);
    const QSize size(std::max(1, area.width() - steps * step), std::max(1, area.height() - steps * step));
    QList<QRect> rects;
    for (int i = 0; i < count; ++i) {
        const int offset = (i % (steps + 1)) * step;
        rects.append(QRect(area.topLeft() + QPoint(offset, offset), size));
    }
    return rects;
}

// Qt's own cascade sizes each window to its size hint, which shrinks a
// window without a useful hint to its title bar; this one gives every
// window the same generous size, as a multiple-document cascade does.
void CascadeChildren(QMdiArea& area)
{
    const QList<QMdiSubWindow*> stacked = VisibleChildren(area, QMdiArea::StackingOrder).windows;
    const int step = stacked.isEmpty() ? 1 : stacked.first()->style()->pixelMetric(QStyle::PM_TitleBarHeight,
                                                                                    nullptr, stacked.first());
    Tile(area, [step](const QRect& room, int count) { return CascadeRects(room, count, step); },
         QMdiArea::StackingOrder);
    for (QMdiSubWindow* window : stacked)
        window->raise();
}

void TileChildrenHorizontally(QMdiArea& area)
{
    Tile(area, HorizontalTiles);
}

void TileChildrenVertically(QMdiArea& area)
{
    Tile(area, VerticalTiles);
}

void ArrangeIcons(QMdiArea& area)
{
    PlaceIcons(area.viewport()->rect(), VisibleChildren(area).icons);
}

QPoint PlaceInside(const QRect& area, const QPoint& topLeft, const QSize& size)
{
    const int x = std::max(area.left(), std::min(topLeft.x(), area.left() + area.width() - size.width()));
    const int y = std::max(area.top(), std::min(topLeft.y(), area.top() + area.height() - size.height()));
    return {x, y};
}

void KeepInside(QMdiArea& area, QMdiSubWindow& window)
{
    const QRect room = area.viewport()->rect();
    if (room.isEmpty() || window.isMinimized() || window.isMaximized())
        return;
    window.resize(window.size().boundedTo(room.size()));
    window.move(PlaceInside(room, window.pos(), window.size()));
}

} // namespace zeltomir::shell
