#include "shell/GridWidget.h"

#include "core/HtmlTable.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QMimeData>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace zeltomir::shell {
namespace {

using Cells = std::vector<std::pair<int, int>>;

Cells Edited(const QSignalSpy& spy)
{
    Cells cells;
    for (const QList<QVariant>& args : spy)
        cells.emplace_back(args.at(0).toInt(), args.at(1).toInt());
    return cells;
}

// A factor-table-like grid: headers Factor/Lower/Upper, three rows.
void FillFactors(GridWidget& grid)
{
    grid.setMaxCols(3);
    grid.setMaxRows(3);
    const QStringList headers{"Factor", "Lower", "Upper"};
    for (int c = 1; c <= 3; ++c)
        grid.setCell(c, 0, headers[c - 1]);
    for (int r = 1; r <= 3; ++r) {
        grid.setCell(1, r, QString(QChar(u'A' + r - 1)));
        grid.setInteger(2, r, r * 10);
        grid.setInteger(3, r, r * 100);
    }
}

QTableView* ViewOf(GridWidget& grid) { return grid.findChild<QTableView*>(); }

class GridWidgetTest : public ::testing::Test {
protected:
    void SetUp() override { QApplication::clipboard()->clear(); }
};

TEST_F(GridWidgetTest, CopyPutsTabSeparatedRowsWithHeadersOnTheClipboard)
{
    GridWidget grid;
    FillFactors(grid);
    grid.setCell(1, 2, QStringLiteral("two\tparts"));
    const struct {
        const char* name;
        GridBlock block;
        QString text;
    } cases[] = {
        {"whole table with headers", {1, 0, 3, 3}, "Factor\tLower\tUpper\nA\t10\t100\n\"two\tparts\"\t20\t200\nC\t30\t300\n"},
        {"data block", {2, 1, 3, 2}, "10\t100\n20\t200\n"},
        {"single cell", {3, 3, 3, 3}, "300\n"},
        {"block past the edge is cut", {3, 3, 7, 7}, "300\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        grid.copyBlock(c.block);
        EXPECT_EQ(QApplication::clipboard()->text(), c.text);
        EXPECT_EQ(grid.blockText(c.block), c.text);
        // The same cells as an HTML table, for spreadsheets.
        const QMimeData* data = QApplication::clipboard()->mimeData();
        ASSERT_TRUE(data && data->hasHtml());
        EXPECT_EQ(data->html(), core::EncodeHtmlTable(core::DecodeTabText(c.text), QLocale()));
    }
    // Nothing of the block inside the grid: the clipboard keeps what it had.
    grid.copyBlock({5, 5, 6, 6});
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("300\n"));
}

TEST_F(GridWidgetTest, CutCopiesThenEmptiesTheEditableCellsAndReportsThem)
{
    GridWidget grid;
    FillFactors(grid);
    grid.setColumnEditable(1, false);
    QSignalSpy spy(&grid, &GridWidget::cellEdited);
    grid.cutBlock({1, 0, 2, 2});
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Factor\tLower\nA\t10\nB\t20\n"));
    EXPECT_EQ(grid.blockText({1, 0, 3, 3}), QStringLiteral("Factor\tLower\tUpper\nA\t\t100\nB\t\t200\nC\t30\t300\n"));
    EXPECT_EQ(Edited(spy), (Cells{{2, 1}, {2, 2}}));
}

TEST_F(GridWidgetTest, CutInAReadOnlyGridDoesNothing)
{
    GridWidget grid;
    FillFactors(grid);
    grid.setReadOnly(true);
    QApplication::clipboard()->setText(QStringLiteral("before"));
    QSignalSpy spy(&grid, &GridWidget::cellEdited);
    grid.cutBlock({1, 1, 3, 3});
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("before"));
    EXPECT_EQ(grid.cell(1, 1), QStringLiteral("A"));
    EXPECT_TRUE(spy.isEmpty());
}

TEST_F(GridWidgetTest, PasteAtTheCurrentCellClipsAtTheEdgeAndReportsEachChange)
{
    GridWidget grid;
    FillFactors(grid);
    grid.setCurrentCell(2, 2);
    QApplication::clipboard()->setText(QStringLiteral("1\t2\t3\r\n4\t5\t6\r\n7\t8\t9"));
    QSignalSpy spy(&grid, &GridWidget::cellEdited);
    grid.paste();
    EXPECT_EQ(grid.blockText({1, 1, 3, 3}), QStringLiteral("A\t10\t100\nB\t1\t2\nC\t4\t5\n"));
    EXPECT_EQ(Edited(spy), (Cells{{2, 2}, {3, 2}, {2, 3}, {3, 3}}));
}

TEST_F(GridWidgetTest, BlockCopiedFromOneGridPastesIntoAnother)
{
    GridWidget source;
    FillFactors(source);
    source.setCell(1, 3, QStringLiteral("line\nbreak"));
    source.copyBlock({1, 2, 3, 3});

    GridWidget target;
    target.setMaxCols(4);
    target.setMaxRows(4);
    target.setCurrentCell(2, 1);
    target.paste();
    EXPECT_EQ(target.blockText({1, 1, 4, 4}),
              QStringLiteral("\tB\t20\t200\n\t\"line\nbreak\"\t30\t300\n\t\t\t\n\t\t\t\n"));
    EXPECT_EQ(target.cell(2, 2), QStringLiteral("line\nbreak"));
}

TEST_F(GridWidgetTest, ProgramWritesAndClearsAreNotUserEdits)
{
    GridWidget grid;
    QSignalSpy spy(&grid, &GridWidget::cellEdited);
    FillFactors(grid);
    grid.setNumber(2, 1, 0.5);
    grid.clearBlock({1, 0, 3, 3});
    grid.clearBlockText({1, 1, 3, 3});
    EXPECT_TRUE(spy.isEmpty());
    EXPECT_EQ(grid.blockText({1, 0, 3, 1}), QStringLiteral("\t\t\n\t\t\n"));
}

TEST_F(GridWidgetTest, NumbersShowInTheGeneralDecimalForm)
{
    GridWidget grid;
    const struct {
        double value;
        core::Precision precision;
        const char* text;
    } cases[] = {
        {0.5, core::Precision::Double, "0.5"},
        {1.0 / 3.0, core::Precision::Double, "0.333333333333333"},
        {static_cast<double>(0.1f), core::Precision::Single, "0.1"},
        {static_cast<double>(0.1f), core::Precision::Double, "0.100000001490116"},
        {1e-5, core::Precision::Double, "1E-05"},
        {1e15, core::Precision::Double, "1E+15"},
        {-2.0, core::Precision::Double, "-2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        grid.setNumber(1, 1, c.value, c.precision);
        EXPECT_EQ(grid.cell(1, 1), QString::fromLatin1(c.text));
    }

    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    grid.setNumber(1, 1, 1.5);
    QLocale::setDefault(saved);
    EXPECT_EQ(grid.cell(1, 1), QStringLiteral("1,5"));
}

TEST_F(GridWidgetTest, FirstEmptyRowCountsFromTheHeader)
{
    GridWidget grid;
    EXPECT_EQ(grid.firstEmptyRow(1), 0);
    grid.setCell(1, 0, QStringLiteral("A"));
    EXPECT_EQ(grid.firstEmptyRow(1), 1);
    grid.setCell(1, 1, QStringLiteral("5"));
    grid.setCell(1, 2, QStringLiteral("6"));
    EXPECT_EQ(grid.firstEmptyRow(1), 3);
    // The row found may lie past the size: writing there grows the grid.
    grid.setCell(1, grid.firstEmptyRow(1), QStringLiteral("7"));
    EXPECT_EQ(grid.maxRows(), 3);
    grid.setMaxRows(10);
    grid.setCell(1, 2, QString());
    EXPECT_EQ(grid.firstEmptyRow(1), 2);
}

TEST_F(GridWidgetTest, SelectedBlockIsTheSelectionOrTheCurrentCell)
{
    GridWidget grid;
    FillFactors(grid);
    EXPECT_EQ(grid.selectedBlock(), (GridBlock{1, 1, 1, 1}));
    grid.setCurrentCell(3, 2);
    EXPECT_EQ(grid.currentCol(), 3);
    EXPECT_EQ(grid.currentRow(), 2);
    EXPECT_EQ(grid.selectedBlock(), (GridBlock{3, 2, 3, 2}));
    grid.selectBlock({3, 3, 2, 1});
    EXPECT_EQ(grid.selectedBlock(), (GridBlock{2, 1, 3, 3}));
    // Headers cannot be selected: a block from row 0 selects from row 1.
    grid.selectBlock({1, 0, 1, 9});
    EXPECT_EQ(grid.selectedBlock(), (GridBlock{1, 1, 1, 3}));
    grid.setCurrentCell(9, 9); // outside: ignored
    EXPECT_EQ(grid.currentCol(), 3);
}

TEST_F(GridWidgetTest, ColumnWidthsAndTheWidthTheWidestTextNeeds)
{
    GridWidget grid;
    grid.setMaxCols(2);
    grid.setMaxRows(2);
    grid.setColWidth(1, 123);
    EXPECT_EQ(grid.colWidth(1), 123);
    grid.setColWidth(5, 50); // outside: ignored
    EXPECT_EQ(grid.colWidth(5), grid.colWidth(2));

    EXPECT_EQ(grid.maxTextColWidth(1), 0);
    grid.setCell(1, 1, QStringLiteral("12"));
    const int shortText = grid.maxTextColWidth(1);
    EXPECT_GT(shortText, 0);
    grid.setCell(1, 2, QStringLiteral("12345678901234567890"));
    const int longText = grid.maxTextColWidth(1);
    EXPECT_GT(longText, shortText);
    // A long header counts too.
    grid.setCell(1, 0, QStringLiteral("A much, much longer column header than any cell"));
    EXPECT_GT(grid.maxTextColWidth(1), longText);
    // A multi-line cell needs the width of its longest line only.
    grid.setCell(2, 1, QStringLiteral("12345678901234567890"));
    const int oneLine = grid.maxTextColWidth(2);
    grid.setCell(2, 1, QStringLiteral("12345678901234567890\n1"));
    EXPECT_EQ(grid.maxTextColWidth(2), oneLine);
    // Setting the width to it shows the text whole: the view agrees.
    grid.setColWidth(2, grid.maxTextColWidth(2));
    EXPECT_GE(grid.colWidth(2), oneLine);
}

// The pixels the view paints for cell (1, 1) with column 1 `colWidth` wide:
// `span` pixels from the cell's left edge on, the grid line left out. Cells
// show their text from the left.
QImage CellPixels(QTableView& view, int colWidth, int span)
{
    view.setColumnWidth(0, colWidth);
    const QRect cell = view.visualRect(view.model()->index(0, 0));
    return view.viewport()->grab().toImage().copy(cell.left(), cell.top(), span - 1, cell.height() - 1);
}

// The same for the header of column 1, which shows its text centred: the
// middle `span` pixels, the borders left out.
QImage HeaderPixels(QTableView& view, int colWidth, int span)
{
    view.setColumnWidth(0, colWidth);
    QHeaderView& header = *view.horizontalHeader();
    const int left = header.sectionViewportPosition(0) + (colWidth - span) / 2 + 2;
    return header.viewport()->grab().toImage().copy(left, 0, span - 4, header.height());
}

// A column set to maxTextColWidth shows its texts whole: painted at that
// width and at a much larger one, the text looks the same. The font sizes
// give fractional text widths, which a width rounded to the nearest pixel
// misses by one.
TEST_F(GridWidgetTest, ColumnAtItsMaxTextWidthShowsTheTextsUnelided)
{
    const QStringList texts{"41.1300010681152", "0.100000001490116", "Times Retained", "Reflection",
                            "-1,234.5",         "Wm",                "1",              "Vertex"};
    for (const qreal points : {6.5, 8.0, 9.0, 10.5}) {
        QWidget window;
        QFont font = window.font();
        font.setPointSizeF(points);
        window.setFont(font);
        auto* grid = new GridWidget(&window);
        grid->resize(700, 160);
        window.resize(700, 160);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        grid->setMaxCols(2);
        grid->setMaxRows(1);
        grid->setCurrentCell(2, 1); // no focus frame in the cell looked at
        QTableView& view = *ViewOf(*grid);
        for (const QString& text : texts) {
            SCOPED_TRACE(QStringLiteral("%1 pt, \"%2\"").arg(points).arg(text).toStdString());
            grid->setCell(1, 0, QString());
            grid->setCell(1, 1, text);
            int width = grid->maxTextColWidth(1);
            EXPECT_EQ(grid->cellTextWidth(text), width);
            EXPECT_TRUE(CellPixels(view, width, width) == CellPixels(view, width + 80, width));

            grid->setCell(1, 1, QString());
            grid->setCell(1, 0, text);
            width = grid->maxTextColWidth(1);
            EXPECT_EQ(grid->headerTextWidth(1), width);
            EXPECT_TRUE(HeaderPixels(view, width, width) == HeaderPixels(view, width + 80, width));
        }
    }
}

TEST_F(GridWidgetTest, ResizingKeepsCellsAndWidths)
{
    GridWidget grid;
    FillFactors(grid);
    grid.setColWidth(1, 77);
    grid.setMaxRows(200);
    grid.setMaxCols(10);
    EXPECT_EQ(grid.cell(3, 3), QStringLiteral("300"));
    EXPECT_EQ(grid.colWidth(1), 77);
    grid.setMaxRows(2);
    EXPECT_EQ(grid.cell(3, 3), QString());
    EXPECT_EQ(grid.cell(1, 2), QStringLiteral("B"));
}

class GridWidgetUserTest : public GridWidgetTest {
protected:
    void SetUp() override
    {
        GridWidgetTest::SetUp();
        auto* layout = new QVBoxLayout(&m_window);
        m_other = new QLineEdit(&m_window);
        m_grid = new GridWidget(&m_window);
        m_grid->setObjectName(QStringLiteral("ss"));
        layout->addWidget(m_other);
        layout->addWidget(m_grid);
        FillFactors(*m_grid);
        m_window.show();
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        m_view = ViewOf(*m_grid);
        ASSERT_NE(m_view, nullptr);
    }

    QWidget* editor() { return m_view->indexWidget(m_view->currentIndex()); }

    QWidget m_window;
    QLineEdit* m_other = nullptr;
    GridWidget* m_grid = nullptr;
    QTableView* m_view = nullptr;
};

TEST_F(GridWidgetUserTest, EditsThroughTheCellEditorAreReported)
{
    const struct {
        const char* name;
        Qt::Key openKey;
        QString typed; // after the key that opened the editor
        QString cell;
    } cases[] = {
        {"F2 opens the editor", Qt::Key_F2, "7.5", "7.5"},
        {"Enter opens the editor", Qt::Key_Return, "7.5", "7.5"},
        {"typing opens the editor and replaces the text", Qt::Key_4, "2", "42"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_grid->setCell(2, 1, QStringLiteral("10"));
        m_grid->setCurrentCell(2, 1);
        m_grid->setFocus();
        QSignalSpy spy(m_grid, &GridWidget::cellEdited);
        QTest::keyClick(m_view, c.openKey);
        ASSERT_NE(qobject_cast<QLineEdit*>(editor()), nullptr);
        QTest::keyClicks(editor(), c.typed);
        QTest::keyClick(editor(), Qt::Key_Return);
        // The delegate commits an editor closed by Enter through a queued call.
        EXPECT_TRUE(QTest::qWaitFor([this] { return editor() == nullptr; }));
        EXPECT_EQ(m_grid->cell(2, 1), c.cell);
        EXPECT_EQ(Edited(spy), (Cells{{2, 1}}));
    }
}

TEST_F(GridWidgetUserTest, ReadOnlyGridOpensNoEditor)
{
    m_grid->setReadOnly(true);
    m_grid->setCurrentCell(2, 1);
    QSignalSpy spy(m_grid, &GridWidget::cellEdited);
    QTest::keyClick(m_view, Qt::Key_F2);
    QTest::keyClick(m_view, Qt::Key_Return);
    QTest::keyClicks(m_view, QStringLiteral("9"));
    QTest::keyClick(m_view, Qt::Key_Delete);
    EXPECT_EQ(editor(), nullptr);
    EXPECT_EQ(m_grid->cell(2, 1), QStringLiteral("10"));
    EXPECT_TRUE(spy.isEmpty());
}

TEST_F(GridWidgetUserTest, FinishEditingKeepsWhatWasTyped)
{
    m_grid->setCurrentCell(3, 3);
    QTest::keyClicks(m_view, QStringLiteral("5"));
    ASSERT_NE(editor(), nullptr);
    QSignalSpy spy(m_grid, &GridWidget::cellEdited);
    m_grid->finishEditing();
    EXPECT_EQ(editor(), nullptr);
    EXPECT_EQ(m_grid->cell(3, 3), QStringLiteral("5"));
    EXPECT_EQ(Edited(spy), (Cells{{3, 3}}));
}

TEST_F(GridWidgetUserTest, KeysActOnTheSelectedBlock)
{
    m_grid->setCurrentCell(2, 1);
    m_grid->selectBlock({2, 1, 3, 2});
    QSignalSpy spy(m_grid, &GridWidget::cellEdited);

    QTest::keyClick(m_view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("10\t100\n20\t200\n"));
    EXPECT_TRUE(spy.isEmpty());

    QTest::keyClick(m_view, Qt::Key_Delete);
    EXPECT_EQ(m_grid->blockText({1, 1, 3, 2}), QStringLiteral("A\t\t\nB\t\t\n"));
    EXPECT_EQ(Edited(spy), (Cells{{2, 1}, {3, 1}, {2, 2}, {3, 2}}));

    spy.clear();
    m_grid->setCurrentCell(1, 3);
    QTest::keyClick(m_view, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(m_grid->blockText({1, 3, 3, 3}), QStringLiteral("10\t100\t300\n"));
    EXPECT_EQ(Edited(spy), (Cells{{1, 3}, {2, 3}}));

    spy.clear();
    m_grid->selectBlock({1, 3, 1, 3});
    QTest::keyClick(m_view, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("10\n"));
    EXPECT_EQ(m_grid->cell(1, 3), QString());
    EXPECT_EQ(Edited(spy), (Cells{{1, 3}}));
}

TEST_F(GridWidgetUserTest, FocusGainedOnlyWhenTheFocusComesFromOutside)
{
    m_other->setFocus();
    QSignalSpy spy(m_grid, &GridWidget::focusGained);
    m_grid->setFocus();
    EXPECT_EQ(spy.size(), 1);
    EXPECT_TRUE(m_view->hasFocus());

    // Opening and closing the cell editor keeps the focus inside the grid.
    m_grid->setCurrentCell(1, 1);
    QTest::keyClick(m_view, Qt::Key_F2);
    ASSERT_NE(editor(), nullptr);
    QTest::keyClick(editor(), Qt::Key_Escape);
    EXPECT_EQ(spy.size(), 1);

    m_other->setFocus();
    m_grid->setFocus();
    EXPECT_EQ(spy.size(), 2);
}

TEST_F(GridWidgetUserTest, ClickingIntoTheGridGainsFocus)
{
    m_other->setFocus();
    QSignalSpy spy(m_grid, &GridWidget::focusGained);
    const QRect cellRect = m_view->visualRect(m_view->model()->index(1, 1));
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, cellRect.center());
    EXPECT_EQ(spy.size(), 1);
    EXPECT_EQ(m_grid->currentCol(), 2);
    EXPECT_EQ(m_grid->currentRow(), 2);
}

} // namespace
} // namespace zeltomir::shell
