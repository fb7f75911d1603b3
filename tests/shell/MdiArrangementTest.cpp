#include "shell/MdiArrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include <gtest/gtest.h>

namespace zeltomir::shell {
namespace {

struct TileRow {
    QRect area;
    int count;
};

const TileRow TileRows[] = {
    {QRect(0, 0, 600, 400), 1}, {QRect(0, 0, 600, 400), 3},  {QRect(0, 0, 601, 403), 4},
    {QRect(10, 20, 97, 50), 7}, {QRect(0, 0, 5, 5), 8},
};

// Tiles must fill the area exactly, in order, without gaps or overlaps, and
// differ in size by one pixel at most.
TEST(MdiArrangement, HorizontalTilesAreFullWidthRowsTopToBottom)
{
    for (const TileRow& row : TileRows) {
        SCOPED_TRACE(testing::Message() << row.count << " in " << row.area.width() << "x" << row.area.height());
        const QList<QRect> tiles = HorizontalTiles(row.area, row.count);
        ASSERT_EQ(tiles.size(), row.count);
        int nextTop = row.area.top();
        for (const QRect& tile : tiles) {
            EXPECT_EQ(tile.left(), row.area.left());
            EXPECT_EQ(tile.width(), row.area.width());
            EXPECT_EQ(tile.top(), nextTop);
            EXPECT_LE(std::abs(tile.height() - row.area.height() / row.count), 1);
            nextTop = tile.top() + tile.height();
        }
        EXPECT_EQ(nextTop, row.area.top() + row.area.height());
    }
}

TEST(MdiArrangement, VerticalTilesAreFullHeightColumnsLeftToRight)
{
    for (const TileRow& row : TileRows) {
        SCOPED_TRACE(testing::Message() << row.count << " in " << row.area.width() << "x" << row.area.height());
        const QList<QRect> tiles = VerticalTiles(row.area, row.count);
        ASSERT_EQ(tiles.size(), row.count);
        int nextLeft = row.area.left();
        for (const QRect& tile : tiles) {
            EXPECT_EQ(tile.top(), row.area.top());
            EXPECT_EQ(tile.height(), row.area.height());
            EXPECT_EQ(tile.left(), nextLeft);
            EXPECT_LE(std::abs(tile.width() - row.area.width() / row.count), 1);
            nextLeft = tile.left() + tile.width();
        }
        EXPECT_EQ(nextLeft, row.area.left() + row.area.width());
    }
}

TEST(MdiArrangement, NoWindowsNoTiles)
{
    EXPECT_TRUE(HorizontalTiles(QRect(0, 0, 100, 100), 0).isEmpty());
    EXPECT_TRUE(VerticalTiles(QRect(0, 0, 100, 100), 0).isEmpty());
    EXPECT_TRUE(IconPositions(QRect(0, 0, 100, 100), {}).isEmpty());
    EXPECT_EQ(IconRowsHeight(QRect(0, 0, 100, 100), {}), 0);
}

struct CascadeRow {
    QRect area;
    int count;
    int step;
    int steps; // offsets before the cascade starts again at the top left
};

const CascadeRow CascadeRows[] = {
    {QRect(0, 0, 800, 600), 3, 20, 10},
    {QRect(0, 0, 800, 600), 12, 20, 10},
    {QRect(10, 30, 400, 300), 5, 25, 4},
    {QRect(0, 0, 300, 50), 3, 20, 0}, // too low to stagger: all in one place
};

// Every window of a cascade has the same size, a title bar's step below and
// right of the one before it, and stays inside the area.
TEST(MdiArrangement, CascadeStaggersWindowsOfOneSizeInsideTheArea)
{
    for (const CascadeRow& row : CascadeRows) {
        SCOPED_TRACE(testing::Message() << row.count << " in " << row.area.width() << "x" << row.area.height());
        const QList<QRect> rects = CascadeRects(row.area, row.count, row.step);
        ASSERT_EQ(rects.size(), row.count);
        const QSize size(row.area.width() - row.steps * row.step, row.area.height() - row.steps * row.step);
        for (int i = 0; i < row.count; ++i) {
            SCOPED_TRACE(i);
            const int offset = (i % (row.steps + 1)) * row.step;
            EXPECT_EQ(rects[i], QRect(row.area.topLeft() + QPoint(offset, offset), size));
            EXPECT_TRUE(row.area.contains(rects[i]));
            // Large enough to show two thirds of the area at least.
            EXPECT_GE(rects[i].height() * 3, row.area.height() * 2);
        }
    }
    EXPECT_TRUE(CascadeRects(QRect(0, 0, 100, 100), 0, 20).isEmpty());
}

TEST(MdiArrangement, PlaceInsideMovesAWindowBackAsLittleAsNeeded)
{
    const QRect area(0, 0, 800, 600);
    const struct {
        QPoint from;
        QSize size;
        QPoint expected;
    } cases[] = {
        {{100, 50}, {300, 200}, {100, 50}},   // inside: stays
        {{700, 50}, {300, 200}, {500, 50}},   // past the right edge
        {{100, 500}, {300, 200}, {100, 400}}, // past the bottom edge
        {{-40, -10}, {300, 200}, {0, 0}},     // above and left of the area
        {{100, 100}, {900, 700}, {0, 0}},     // larger than the area
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from.x() << "," << c.from.y());
        EXPECT_EQ(PlaceInside(area, c.from, c.size), c.expected);
    }
    EXPECT_EQ(PlaceInside(QRect(10, 20, 100, 100), QPoint(90, 90), QSize(50, 50)), QPoint(60, 70));
}

TEST(MdiArrangement, IconsLineUpAlongTheBottomAndWrapUpwards)
{
    const QRect area(0, 0, 350, 300);
    const QList<QSize> sizes(5, QSize(100, 20)); // three fit in a row
    const QList<QPoint> expected{{0, 280}, {100, 280}, {200, 280}, {0, 260}, {100, 260}};
    EXPECT_EQ(IconPositions(area, sizes), expected);
    EXPECT_EQ(IconRowsHeight(area, sizes), 40);
}

TEST(MdiArrangement, IconsOfDifferentSizesShareCellsOfTheLargest)
{
    const QRect area(10, 10, 500, 200);
    const QList<QSize> sizes{QSize(80, 20), QSize(120, 24), QSize(60, 18)};
    const QList<QPoint> positions = IconPositions(area, sizes);
    ASSERT_EQ(positions.size(), 3);
    const int bottom = area.top() + area.height();
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(positions[i].x(), area.left() + i * 120);
        EXPECT_EQ(positions[i].y() + sizes[i].height(), bottom);
    }
}

TEST(MdiArrangement, AnAreaNarrowerThanOneIconStillGetsOnePerRow)
{
    const QList<QPoint> positions = IconPositions(QRect(0, 0, 50, 100), QList<QSize>(2, QSize(80, 20)));
    EXPECT_EQ(positions, (QList<QPoint>{{0, 80}, {0, 60}}));
}

class MdiArrangementOnArea : public testing::Test {
protected:
    void SetUp() override
    {
        area.resize(640, 480);
        for (const char* title : {"One", "Two", "Three"}) {
            auto* child = new QWidget;
            child->setWindowTitle(title);
            children << area.addSubWindow(child);
        }
        area.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&area));
        for (QMdiSubWindow* child : children)
            child->show();
    }

    QRect viewport() const { return area.viewport()->rect(); }

    QMdiArea area;
    QList<QMdiSubWindow*> children;
};

TEST_F(MdiArrangementOnArea, TilingRestoresAMaximisedChildAndCoversTheArea)
{
    children[1]->showMaximized();
    TileChildrenVertically(area);
    EXPECT_FALSE(children[1]->isMaximized());
    const QList<QRect> expected = VerticalTiles(viewport(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(children[i]->geometry(), expected[i]) << i;
}

TEST_F(MdiArrangementOnArea, TilingLeavesMinimisedChildrenAsIconsBelowTheTiles)
{
    children[0]->showMinimized();
    TileChildrenHorizontally(area);
    EXPECT_TRUE(children[0]->isMinimized());
    EXPECT_EQ(children[0]->x(), 0);
    EXPECT_EQ(children[0]->y() + children[0]->height(), viewport().height());
    // The other two share the space above the icon row.
    EXPECT_EQ(children[1]->geometry().top(), 0);
    EXPECT_EQ(children[2]->geometry().bottom() + 1, children[0]->y());
    EXPECT_EQ(children[1]->width(), viewport().width());
}

TEST_F(MdiArrangementOnArea, ArrangeIconsMovesOnlyTheMinimisedChildren)
{
    children[0]->showMinimized();
    children[2]->showMinimized();
    children[0]->move(200, 100);
    children[2]->move(10, 10);
    const QRect untouched = children[1]->geometry();
    ArrangeIcons(area);
    EXPECT_EQ(children[1]->geometry(), untouched);
    EXPECT_EQ(children[0]->pos().x(), 0);
    EXPECT_GT(children[2]->pos().x(), 0);
    for (QMdiSubWindow* icon : {children[0], children[2]})
        EXPECT_EQ(icon->y() + icon->height(), viewport().height());
}

// A child without a size hint of its own (as every layout-free window has)
// keeps a usable size in the cascade, the active window stays in front on the
// last step, and a minimised child stays an icon.
TEST_F(MdiArrangementOnArea, CascadeGivesEveryWindowTheSameUsableSizeAndKeepsTheActiveInFront)
{
    auto* icon = area.addSubWindow(new QWidget);
    icon->show();
    icon->showMinimized();
    children[2]->showMaximized();
    area.setActiveSubWindow(children[0]);
    CascadeChildren(area);

    EXPECT_FALSE(children[2]->isMaximized());
    EXPECT_TRUE(icon->isMinimized());
    const QRect room = viewport().adjusted(0, 0, 0, -icon->height());
    for (QMdiSubWindow* child : children) {
        SCOPED_TRACE(child->windowTitle().toStdString());
        EXPECT_GE(child->height() * 3, room.height() * 2);
        EXPECT_EQ(child->size(), children[0]->size());
        EXPECT_TRUE(room.contains(child->geometry()));
    }
    const QList<QMdiSubWindow*> stacked = area.subWindowList(QMdiArea::StackingOrder);
    EXPECT_EQ(stacked.last(), children[0]);
    EXPECT_EQ(area.activeSubWindow(), children[0]);
    for (QMdiSubWindow* child : children)
        EXPECT_LE(child->pos().x(), children[0]->pos().x());
}

TEST_F(MdiArrangementOnArea, KeepInsideBringsAWindowBackAndShrinksOneTooLarge)
{
    children[0]->setGeometry(500, 300, 300, 250);
    KeepInside(area, *children[0]);
    EXPECT_TRUE(viewport().contains(children[0]->geometry()));
    EXPECT_EQ(children[0]->size(), QSize(300, 250));

    children[1]->setGeometry(20, 20, 2000, 1500);
    KeepInside(area, *children[1]);
    EXPECT_EQ(children[1]->geometry(), viewport());

    const QRect inside(30, 40, 200, 150);
    children[2]->setGeometry(inside);
    KeepInside(area, *children[2]);
    EXPECT_EQ(children[2]->geometry(), inside);
}

TEST_F(MdiArrangementOnArea, HiddenChildrenAreLeftOut)
{
    children[2]->hide();
    TileChildrenHorizontally(area);
    EXPECT_EQ(children[0]->height() + children[1]->height(), viewport().height());
}

} // namespace
} // namespace zeltomir::shell
