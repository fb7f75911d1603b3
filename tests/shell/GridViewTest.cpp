// The grid inside a window: Tab and Shift+Tab walk the cells and then leave
// the grid for the window's other controls; scrolling a row into view.

#include "shell/GridWidget.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace zeltomir::shell {
namespace {

using Cell = std::pair<int, int>; // column, row

// A box before the grid and a button after it, as in the factor window.
class GridTabTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&m_window);
        m_before = new QLineEdit(&m_window);
        m_grid = new GridWidget(&m_window);
        m_after = new QPushButton(QStringLiteral("Continue"), &m_window);
        layout->addWidget(m_before);
        layout->addWidget(m_grid);
        layout->addWidget(m_after);
        m_grid->setMaxCols(2);
        m_grid->setMaxRows(2);
        m_window.show();
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        m_view = m_grid->findChild<QTableView*>();
        ASSERT_NE(m_view, nullptr);
    }

    Cell current() const { return {m_grid->currentCol(), m_grid->currentRow()}; }
    QWidget* editor() const { return m_view->indexWidget(m_view->currentIndex()); }
    static QWidget* focused() { return QApplication::focusWidget(); }
    void tab() const { QTest::keyClick(focused(), Qt::Key_Tab); }
    // Shift+Tab arrives as Backtab.
    void backTab() const { QTest::keyClick(focused(), Qt::Key_Backtab, Qt::ShiftModifier); }

    QWidget m_window;
    QLineEdit* m_before = nullptr;
    GridWidget* m_grid = nullptr;
    QPushButton* m_after = nullptr;
    QTableView* m_view = nullptr;
};

TEST_F(GridTabTest, TabWalksTheCellsThenGoesOnToTheNextControl)
{
    m_grid->setCurrentCell(1, 1);
    m_grid->setFocus();
    const std::vector<Cell> walk{{2, 1}, {1, 2}, {2, 2}};
    for (const Cell& cell : walk) {
        tab();
        EXPECT_EQ(current(), cell);
        EXPECT_TRUE(m_view->hasFocus());
    }
    // The last cell: the focus leaves instead of wrapping to the first cell.
    tab();
    EXPECT_TRUE(m_after->hasFocus());
    EXPECT_EQ(current(), (Cell{2, 2}));

    // Shift+Tab comes back to the same cell and walks back to the first.
    backTab();
    EXPECT_TRUE(m_view->hasFocus());
    EXPECT_EQ(current(), (Cell{2, 2}));
    const std::vector<Cell> back{{1, 2}, {2, 1}, {1, 1}};
    for (const Cell& cell : back) {
        backTab();
        EXPECT_EQ(current(), cell);
        EXPECT_TRUE(m_view->hasFocus());
    }
    backTab();
    EXPECT_TRUE(m_before->hasFocus());
    EXPECT_EQ(current(), (Cell{1, 1}));
}

TEST_F(GridTabTest, AnOpenEditorKeepsItsTextWhenTabLeavesTheGrid)
{
    const struct {
        const char* name;
        Cell cell;
        bool next;
    } cases[] = {
        {"Tab on the last cell", {2, 2}, true},
        {"Shift+Tab on the first cell", {1, 1}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_grid->setCurrentCell(c.cell.first, c.cell.second);
        m_grid->setFocus();
        QSignalSpy edited(m_grid, &GridWidget::cellEdited);
        // The first key opens the editor, the others go into it.
        QTest::keyClick(m_view, Qt::Key_1);
        ASSERT_NE(editor(), nullptr);
        QTest::keyClicks(editor(), QStringLiteral("2.5"));
        c.next ? tab() : backTab();
        EXPECT_EQ(m_grid->cell(c.cell.first, c.cell.second), QStringLiteral("12.5"));
        ASSERT_EQ(edited.size(), 1);
        EXPECT_EQ(edited.at(0).at(0).toInt(), c.cell.first);
        EXPECT_EQ(edited.at(0).at(1).toInt(), c.cell.second);
        EXPECT_TRUE(QTest::qWaitFor([this] { return editor() == nullptr; }));
        const QWidget* goesTo = c.next ? static_cast<QWidget*>(m_after) : m_before;
        EXPECT_TRUE(goesTo->hasFocus());
        EXPECT_EQ(current(), c.cell);
    }
}

TEST_F(GridTabTest, TabInsideTheGridCommitsTheEditorAndEditsTheNextCell)
{
    m_grid->setCurrentCell(1, 1);
    m_grid->setFocus();
    QTest::keyClicks(m_view, QStringLiteral("7"));
    ASSERT_NE(editor(), nullptr);
    tab();
    EXPECT_EQ(m_grid->cell(1, 1), QStringLiteral("7"));
    EXPECT_EQ(current(), (Cell{2, 1}));
    EXPECT_TRUE(m_view->isAncestorOf(focused()) || m_view->hasFocus());
}

TEST_F(GridTabTest, AGridWithoutCellsPassesTheFocusOn)
{
    m_grid->setMaxRows(0);
    m_grid->setFocus();
    tab();
    EXPECT_TRUE(m_after->hasFocus());
    m_grid->setFocus();
    backTab();
    EXPECT_TRUE(m_before->hasFocus());
}

// Whether the whole of a data row's first shown cell lies in the view.
bool RowInView(QTableView& view, int row)
{
    const QModelIndex index = view.model()->index(row - 1, view.columnAt(0));
    return view.viewport()->rect().contains(view.visualRect(index));
}

TEST(GridScrollTest, ScrollToRowBringsTheRowIntoViewAndLeavesTheRestAlone)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* grid = new GridWidget(&window);
    layout->addWidget(grid);
    grid->setMaxCols(12);
    grid->setMaxRows(100);
    window.resize(300, 200);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTableView& view = *grid->findChild<QTableView*>();
    grid->setCurrentCell(2, 3);
    grid->selectBlock({2, 3, 3, 4});
    QScrollBar* across = view.horizontalScrollBar();
    ASSERT_GT(across->maximum(), 0);
    across->setValue(across->maximum() / 2);
    const int left = across->value();
    ASSERT_FALSE(RowInView(view, 60));

    const struct {
        const char* name;
        int row;
    } moves[] = {{"down the grid", 60}, {"the last row", 100}, {"back to the top", 1}};
    for (const auto& m : moves) {
        SCOPED_TRACE(m.name);
        grid->scrollToRow(m.row);
        EXPECT_TRUE(RowInView(view, m.row));
        EXPECT_EQ(across->value(), left);
        EXPECT_EQ(grid->currentCol(), 2);
        EXPECT_EQ(grid->currentRow(), 3);
        EXPECT_EQ(grid->selectedBlock(), (GridBlock{2, 3, 3, 4}));
    }
    // A row in view already does not move the rows.
    grid->scrollToRow(2);
    EXPECT_EQ(view.rowAt(0), 0);
    // Rows outside the grid change nothing.
    const int top = view.verticalScrollBar()->value();
    for (int row : {0, -1, 101, 5000})
        grid->scrollToRow(row);
    EXPECT_EQ(view.verticalScrollBar()->value(), top);
}

} // namespace
} // namespace zeltomir::shell
