#include "shell/GridModel.h"
#include "shell/GridPrinter.h"
#include "shell/GridWidget.h"

#include <QFile>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace zeltomir::shell {
namespace {

int PdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QString pdf = QString::fromLatin1(file.readAll());
    return static_cast<int>(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"))));
}

void Fill(GridWidget& grid, int cols, int rows)
{
    grid.setMaxCols(cols);
    grid.setMaxRows(rows);
    for (int c = 1; c <= cols; ++c) {
        grid.setCell(c, 0, QStringLiteral("Column %1").arg(c));
        for (int r = 1; r <= rows; ++r)
            grid.setCell(c, r, QString::number(c * 1000 + r));
    }
}

class GridPrinterTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir m_dir;
};

// The layout is checked against what any pagination must satisfy: every cell
// on exactly one page, each page's columns fit across (unless one column is
// wider than the page), rows of one set of columns before the next set.
TEST_F(GridPrinterTest, LayoutPlacesEveryCellOnceDownThenAcross)
{
    const struct {
        const char* name;
        int cols;
        int rows;
        int width; // pixels of every column, at 96 dpi
    } cases[] = {
        {"small table", 3, 5, 80},
        {"tall table", 4, 700, 80},
        {"wide table", 40, 30, 90},
        {"tall and wide", 25, 400, 100},
        {"column wider than the page", 3, 10, 5000},
        {"no rows", 6, 0, 80},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GridModel model;
        model.setMaxCols(c.cols);
        model.setMaxRows(c.rows);
        QPdfWriter pdf(path("layout.pdf"));
        pdf.setResolution(300);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        GridPrinter printer(model, QFont(), std::vector<int>(static_cast<std::size_t>(c.cols), c.width), 96);
        const auto pages = printer.layout(pdf);
        ASSERT_FALSE(pages.empty());

        std::set<std::pair<int, int>> seen;
        int previousFirstCol = 0;
        for (const GridPrinter::Page& page : pages) {
            EXPECT_GE(page.firstCol, previousFirstCol);
            previousFirstCol = page.firstCol;
            const int pageWidthCols = page.lastCol - page.firstCol + 1;
            if (pageWidthCols > 1) {
                EXPECT_LE(pageWidthCols * c.width * 300 / 96, pdf.width());
            }
            for (int col = page.firstCol; col <= page.lastCol; ++col) {
                for (int row = page.firstRow; row <= page.lastRow; ++row)
                    EXPECT_TRUE(seen.emplace(col, row).second) << col << "," << row;
            }
        }
        EXPECT_EQ(seen.size(), static_cast<std::size_t>(c.cols * c.rows));
    }
}

TEST_F(GridPrinterTest, LargeTablePrintsToPdfOnTheLaidOutPages)
{
    GridWidget grid;
    Fill(grid, 30, 600);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path("large.pdf"));
    printer.setPageSize(QPageSize(QPageSize::A4));

    GridPrinter layout(*grid.findChild<GridModel*>(), grid.font(),
                       std::vector<int>(30, grid.colWidth(1)), grid.logicalDpiX());
    const auto pages = layout.layout(printer);
    const auto expected = static_cast<int>(pages.size());
    ASSERT_TRUE(grid.print(printer));
    EXPECT_EQ(grid.pagesPrinted(), expected);
    // Several sets of columns, each over several pages of rows.
    EXPECT_GT(pages.back().firstCol, 1);
    EXPECT_GT(pages.front().lastRow, 1);
    EXPECT_LT(pages.front().lastRow, 600);
    EXPECT_EQ(PdfPageCount(path("large.pdf")), expected);
}

TEST_F(GridPrinterTest, MoreRowsNeverFewerPages)
{
    int previous = 0;
    for (int rows : {1, 50, 200, 800}) {
        SCOPED_TRACE(rows);
        GridWidget grid;
        Fill(grid, 5, rows);
        QPdfWriter pdf(path("rows.pdf"));
        ASSERT_TRUE(grid.print(pdf));
        EXPECT_GE(grid.pagesPrinted(), previous);
        EXPECT_EQ(PdfPageCount(path("rows.pdf")), grid.pagesPrinted());
        previous = grid.pagesPrinted();
    }
    EXPECT_GT(previous, 1);
}

TEST_F(GridPrinterTest, EmptyAndSmallGridsPrintOnePage)
{
    for (int size : {0, 3}) {
        SCOPED_TRACE(size);
        GridWidget grid;
        Fill(grid, size, size);
        QPdfWriter pdf(path("small.pdf"));
        ASSERT_TRUE(grid.print(pdf));
        EXPECT_EQ(grid.pagesPrinted(), 1);
    }
}

TEST_F(GridPrinterTest, PrinterThatCannotStartReportsFailure)
{
    GridWidget grid;
    Fill(grid, 3, 3);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path("missing-folder/out.pdf"));
    EXPECT_FALSE(grid.print(printer));
    EXPECT_EQ(grid.pagesPrinted(), 0);

    QPdfWriter pdf(path("missing-folder/out.pdf"));
    EXPECT_FALSE(grid.print(pdf));
}

} // namespace
} // namespace zeltomir::shell
