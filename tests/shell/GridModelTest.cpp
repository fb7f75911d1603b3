#include "shell/GridModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QStringList>

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <utility>
#include <vector>

namespace zeltomir::shell {
namespace {

using Cells = std::vector<std::pair<int, int>>;

// Headers "H1".."Hn", cells "c<col>r<row>".
void Fill(GridModel& model, int cols, int rows)
{
    model.setMaxCols(cols);
    model.setMaxRows(rows);
    for (int c = 1; c <= cols; ++c) {
        model.setCell(c, 0, QStringLiteral("H%1").arg(c));
        for (int r = 1; r <= rows; ++r)
            model.setCell(c, r, QStringLiteral("c%1r%2").arg(c).arg(r));
    }
}

// The whole grid, header row first, one line per row, cells joined by "|".
QStringList Dump(const GridModel& model)
{
    QStringList lines;
    for (int r = 0; r <= model.maxRows(); ++r) {
        QStringList cells;
        for (int c = 1; c <= model.maxCols(); ++c)
            cells << model.cell(c, r);
        lines << cells.join(u'|');
    }
    return lines;
}

Cells Edited(const QSignalSpy& spy)
{
    Cells cells;
    for (const QList<QVariant>& args : spy)
        cells.emplace_back(args.at(0).toInt(), args.at(1).toInt());
    return cells;
}

class ModelTesterFailures {
public:
    ModelTesterFailures() { s_failures.clear(); m_previous = qInstallMessageHandler(&Handler); }
    ~ModelTesterFailures() { qInstallMessageHandler(m_previous); }
    const QStringList& failures() const { return s_failures; }

private:
    static void Handler(QtMsgType, const QMessageLogContext&, const QString& message)
    {
        if (message.contains(QStringLiteral("FAIL")))
            s_failures << message;
    }
    static inline QStringList s_failures;
    QtMessageHandler m_previous = nullptr;
};

TEST(GridModelTest, StaysConsistentForQtViewsThroughEveryChange)
{
    ModelTesterFailures failures;
    GridModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    Fill(model, 5, 6);
    model.setCell(8, 9, QStringLiteral("grown"));
    model.setMaxRows(3);
    model.setMaxCols(2);
    model.pasteRows(1, 2, {{"a", "b", "c"}, {"d"}});
    model.clearEditable({1, 0, 2, 3});
    model.clearBlock({1, 0, 2, 3});
    model.setData(model.index(0, 0), QStringLiteral("typed"));
    model.setMaxRows(0);
    model.setMaxCols(0);
    EXPECT_TRUE(failures.failures().isEmpty()) << failures.failures().join(u'\n').toStdString();
}

TEST(GridModelTest, CountsFromOneWithHeadersInRowZero)
{
    GridModel model;
    Fill(model, 2, 3);
    EXPECT_EQ(model.data(model.index(2, 1)).toString(), QStringLiteral("c2r3"));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("H2"));
    EXPECT_EQ(model.headerData(0, Qt::Vertical).toInt(), 1);
    EXPECT_EQ(model.headerData(2, Qt::Vertical).toInt(), 3);
    for (const auto& [c, r] : Cells{{0, 1}, {3, 1}, {1, 4}, {1, -1}, {-5, -5}})
        EXPECT_EQ(model.cell(c, r), QString()) << c << "," << r;
}

TEST(GridModelTest, ResizingKeepsTheCellsThatRemain)
{
    GridModel model;
    Fill(model, 4, 4);
    model.setMaxCols(2);
    model.setMaxRows(3);
    EXPECT_EQ(Dump(model), (QStringList{"H1|H2", "c1r1|c2r1", "c1r2|c2r2", "c1r3|c2r3"}));
    // Cells cut off do not come back when the grid grows again.
    model.setMaxCols(3);
    model.setMaxRows(4);
    EXPECT_EQ(Dump(model), (QStringList{"H1|H2|", "c1r1|c2r1|", "c1r2|c2r2|", "c1r3|c2r3|", "||"}));
    model.setMaxRows(-3);
    model.setMaxCols(GridModel::MaxColsLimit + 10);
    EXPECT_EQ(model.maxRows(), 0);
    EXPECT_EQ(model.maxCols(), GridModel::MaxColsLimit);
}

TEST(GridModelTest, WritingBeyondTheSizeGrowsAndInvalidPlacesAreIgnored)
{
    GridModel model;
    model.setCell(3, 0, QStringLiteral("Result"));
    EXPECT_EQ(model.maxCols(), 3);
    EXPECT_EQ(model.maxRows(), 0);
    model.setCell(2, 5, QStringLiteral("x"));
    EXPECT_EQ(model.maxCols(), 3);
    EXPECT_EQ(model.maxRows(), 5);
    EXPECT_EQ(model.cell(2, 5), QStringLiteral("x"));
    for (const auto& [c, r] : Cells{{0, 1}, {1, -1}, {GridModel::MaxColsLimit + 1, 1}, {1, GridModel::MaxRowsLimit + 1}})
        model.setCell(c, r, QStringLiteral("lost"));
    EXPECT_EQ(model.maxCols(), 3);
    EXPECT_EQ(model.maxRows(), 5);
}

struct BlockCase {
    const char* name;
    std::function<void(GridModel&)> action;
    QStringList grid;
    Cells edited;
};

TEST(GridModelTest, BlockOperations)
{
    const BlockCase cases[] = {
        {"program clear of data rows keeps headers",
         [](GridModel& m) { m.clearBlock({2, 1, 3, 2}); },
         {"H1|H2|H3", "c1r1||", "c1r2||", "c1r3|c2r3|c3r3"},
         {}},
        {"program clear from row 0 takes the headers",
         [](GridModel& m) { m.clearBlock({1, 0, 1, 3}); },
         {"|H2|H3", "|c2r1|c3r1", "|c2r2|c3r2", "|c2r3|c3r3"},
         {}},
        {"program clear with reversed corners and overhang",
         [](GridModel& m) { m.clearBlock({9, 9, 3, 3}); },
         {"H1|H2|H3", "c1r1|c2r1|c3r1", "c1r2|c2r2|c3r2", "c1r3|c2r3|"},
         {}},
        {"program clear clears locked cells",
         [](GridModel& m) { m.setColumnEditable(1, false); m.clearBlock({1, 1, 1, 1}); },
         {"H1|H2|H3", "|c2r1|c3r1", "c1r2|c2r2|c3r2", "c1r3|c2r3|c3r3"},
         {}},
        {"user clear skips headers and locked columns",
         [](GridModel& m) { m.setColumnEditable(2, false); m.clearEditable({1, 0, 3, 1}); },
         {"H1|H2|H3", "|c2r1|", "c1r2|c2r2|c3r2", "c1r3|c2r3|c3r3"},
         {{1, 1}, {3, 1}}},
        {"user clear reports only cells that changed",
         [](GridModel& m) { m.clearBlock({1, 1, 1, 1}); m.clearEditable({1, 1, 2, 1}); },
         {"H1|H2|H3", "||c3r1", "c1r2|c2r2|c3r2", "c1r3|c2r3|c3r3"},
         {{2, 1}}},
        {"paste with an offset",
         [](GridModel& m) { m.pasteRows(2, 2, {{"a", "b"}, {"c", "d"}}); },
         {"H1|H2|H3", "c1r1|c2r1|c3r1", "c1r2|a|b", "c1r3|c|d"},
         {{2, 2}, {3, 2}, {2, 3}, {3, 3}}},
        {"paste clipped at the right and bottom edges",
         [](GridModel& m) { m.pasteRows(3, 3, {{"a", "b"}, {"c", "d"}}); },
         {"H1|H2|H3", "c1r1|c2r1|c3r1", "c1r2|c2r2|c3r2", "c1r3|c2r3|a"},
         {{3, 3}}},
        {"paste entirely outside changes nothing",
         [](GridModel& m) { m.pasteRows(4, 1, {{"a"}}); },
         {"H1|H2|H3", "c1r1|c2r1|c3r1", "c1r2|c2r2|c3r2", "c1r3|c2r3|c3r3"},
         {}},
        {"paste of a block with its header row writes the headers as data",
         [](GridModel& m) { m.pasteRows(1, 1, {{"A", "Result"}, {"1", "2"}}); },
         {"H1|H2|H3", "A|Result|c3r1", "1|2|c3r2", "c1r3|c2r3|c3r3"},
         {{1, 1}, {2, 1}, {1, 2}, {2, 2}}},
        {"paste anchored on the header row never changes headers",
         [](GridModel& m) { m.pasteRows(1, 0, {{"X"}, {"y"}}); },
         {"H1|H2|H3", "y|c2r1|c3r1", "c1r2|c2r2|c3r2", "c1r3|c2r3|c3r3"},
         {{1, 1}}},
        {"paste left of the grid keeps the cells that land inside",
         [](GridModel& m) { m.pasteRows(0, 1, {{"lost", "kept"}}); },
         {"H1|H2|H3", "kept|c2r1|c3r1", "c1r2|c2r2|c3r2", "c1r3|c2r3|c3r3"},
         {{1, 1}}},
        {"ragged paste fills the rectangle with empty cells",
         [](GridModel& m) { m.pasteRows(1, 1, {{"a", "b", "c"}, {"d"}}); },
         {"H1|H2|H3", "a|b|c", "d||", "c1r3|c2r3|c3r3"},
         {{1, 1}, {2, 1}, {3, 1}, {1, 2}, {2, 2}, {3, 2}}},
        {"paste skips locked columns",
         [](GridModel& m) { m.setColumnEditable(2, false); m.pasteRows(1, 1, {{"a", "b", "c"}}); },
         {"H1|H2|H3", "a|c2r1|c", "c1r2|c2r2|c3r2", "c1r3|c2r3|c3r3"},
         {{1, 1}, {3, 1}}},
        {"paste into a read-only grid changes nothing",
         [](GridModel& m) { m.setReadOnly(true); m.pasteRows(1, 1, {{"a"}}); m.clearEditable({1, 1, 3, 3}); },
         {"H1|H2|H3", "c1r1|c2r1|c3r1", "c1r2|c2r2|c3r2", "c1r3|c2r3|c3r3"},
         {}},
        {"paste of identical text reports nothing",
         [](GridModel& m) { m.pasteRows(1, 1, {{"c1r1", "new"}}); },
         {"H1|H2|H3", "c1r1|new|c3r1", "c1r2|c2r2|c3r2", "c1r3|c2r3|c3r3"},
         {{2, 1}}},
        {"paste far away does not overflow",
         [](GridModel& m) { m.pasteRows(INT_MIN, INT_MIN, {{"a"}}); m.pasteRows(INT_MAX, INT_MAX, {{"a"}}); },
         {"H1|H2|H3", "c1r1|c2r1|c3r1", "c1r2|c2r2|c3r2", "c1r3|c2r3|c3r3"},
         {}},
    };
    for (const BlockCase& c : cases) {
        SCOPED_TRACE(c.name);
        GridModel model;
        Fill(model, 3, 3);
        QSignalSpy spy(&model, &GridModel::cellEdited);
        c.action(model);
        EXPECT_EQ(Dump(model), c.grid);
        EXPECT_EQ(Edited(spy), c.edited);
    }
}

TEST(GridModelTest, BlockRowsAreClippedAndTakeHeadersFromRowZero)
{
    GridModel model;
    Fill(model, 3, 2);
    const struct {
        GridBlock block;
        core::TabRows rows;
    } cases[] = {
        {{1, 0, 2, 1}, {{"H1", "H2"}, {"c1r1", "c2r1"}}},
        {{3, 2, 2, 1}, {{"c2r1", "c3r1"}, {"c2r2", "c3r2"}}},
        {{3, 1, 9, 9}, {{"c3r1"}, {"c3r2"}}},
        {{-4, -4, 1, 0}, {{"H1"}}},
        {{4, 1, 5, 2}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.block.col << "," << c.block.row << ".." << c.block.col2 << ","
                                        << c.block.row2);
        EXPECT_EQ(model.blockRows(c.block), c.rows);
    }
}

TEST(GridModelTest, UserEditsGoThroughSetDataOnlyWhereEditable)
{
    GridModel model;
    Fill(model, 2, 2);
    model.setColumnEditable(2, false);
    QSignalSpy spy(&model, &GridModel::cellEdited);

    EXPECT_TRUE(model.setData(model.index(0, 0), QStringLiteral("typed")));
    EXPECT_TRUE(model.setData(model.index(0, 0), QStringLiteral("typed"))); // unchanged: no report
    EXPECT_FALSE(model.setData(model.index(0, 1), QStringLiteral("locked")));
    EXPECT_FALSE(model.setData(model.index(1, 0), QStringLiteral("x"), Qt::DisplayRole));
    EXPECT_EQ(Edited(spy), (Cells{{1, 1}}));
    EXPECT_EQ(model.cell(2, 1), QStringLiteral("c2r1"));
    EXPECT_TRUE(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsEditable));
    EXPECT_FALSE(model.flags(model.index(0, 1)).testFlag(Qt::ItemIsEditable));
    model.setColumnEditable(2, true);
    EXPECT_TRUE(model.flags(model.index(0, 1)).testFlag(Qt::ItemIsEditable));
    model.setReadOnly(true);
    EXPECT_FALSE(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsEditable));

    // Program writes never count as user edits, read-only or not.
    model.setCell(1, 2, QStringLiteral("program"));
    model.clearBlock({1, 1, 2, 2});
    EXPECT_EQ(spy.size(), 1);
    EXPECT_EQ(model.cell(1, 2), QString());
}

} // namespace
} // namespace zeltomir::shell
