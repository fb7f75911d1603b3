#include "WindowHarness.h"

#include <QMdiSubWindow>
#include <QToolButton>

namespace zeltomir::simplex::test {
namespace {

using shell::MessageAnswer;
using shell::MessageRequest;

QStringList Row(const shell::GridWidget& grid, int row)
{
    QStringList cells;
    for (int col = 1; col <= grid.maxCols(); ++col)
        cells << grid.cell(col, row);
    return cells;
}

TEST(FactorWindowTest, FreshFactorsShowTheirDefaultsAndCommitAsIs)
{
    WindowHarness h;
    WindowHarness::typeInto(h.setup().countBox(), QStringLiteral("3"));
    h.click(h.setup().defineFactorsButton());
    FactorWindow& window = h.factors();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Define Factors"));
    EXPECT_EQ(h.runTime.ActiveWindow, QStringLiteral("frmDefineFactors"));
    EXPECT_TRUE(window.grid()->hasFocus());
    EXPECT_TRUE(h.mainWindow().toolButton(QStringLiteral("btnPrint"))->isEnabled());
    const shell::GridWidget& grid = *window.grid();
    EXPECT_EQ(Row(grid, 0), (QStringList{"Factor Name", "Lower Limit", "Upper Limit", "Decimal Places"}));
    ASSERT_EQ(grid.maxRows(), 3);
    EXPECT_EQ(Row(grid, 1), (QStringList{"A", "0", "999", "0"}));
    EXPECT_EQ(Row(grid, 3), (QStringList{"C", "0", "999", "0"}));

    const QByteArray before = FileBytes(h.snapshots().undoPath());
    h.click(window.continueButton());
    EXPECT_TRUE(h.dialogs.messages().empty());
    EXPECT_EQ(h.windows().factorWindow(), nullptr);
    for (int i = 1; i <= 3; ++i) {
        const core::Factor& factor = h.problem.Factors[static_cast<std::size_t>(i)];
        EXPECT_EQ(factor.LowerLimit, 0);
        EXPECT_EQ(factor.UpperLimit, 999);
        EXPECT_EQ(factor.SignificantDigits, 5);
    }
    EXPECT_EQ(h.problem.Stage.text(), QStringLiteral("DefineFactors"));
    EXPECT_EQ(h.runTime.FactorGridInvalid, QStringLiteral("n"));
    EXPECT_TRUE(h.setup().defineInitialSimplexButton()->isEnabled());
    // The snapshot holds the state before the commit.
    const QByteArray after = FileBytes(h.snapshots().undoPath());
    EXPECT_NE(after, before);
    EXPECT_TRUE(after.startsWith("none\r\n 3 \r\n"));
    EXPECT_TRUE(h.undoEnabled());
    EXPECT_FALSE(h.redoEnabled());
    // Opening again shows what was committed.
    h.click(h.setup().defineFactorsButton());
    EXPECT_EQ(Row(*h.factors().grid(), 2), (QStringList{"B", "0", "999", "5"}));
}

// The commit stops at the first bad cell, column by column; the window
// stays open and Define Initial Simplex is enabled all the same.
TEST(FactorWindowTest, BadCellsAreReportedInColumnOrder)
{
    const QString notNumeric = QStringLiteral("  All factors must be given lower and upper limits.");
    const struct {
        const char* name;
        QList<std::tuple<int, int, QString>> edits; // column, row, text
        QString message;
        QStringList namesStored;
        int refusedCol, refusedRow; // where the focus goes
    } cases[] = {
        {"empty name in row 3", {{1, 3, ""}}, "The Factor in row 3 does not have a name.", {"A", "B", "C"}, 1, 3},
        {"a bad upper limit comes after all names and lower limits",
         {{3, 1, "ten"}, {2, 3, "x"}, {1, 2, "Speed"}},
         "The Factor Lower Limit in row 3 is not numeric." + notNumeric, {"A", "Speed", "C"}, 2, 3},
        {"empty upper limit", {{3, 2, ""}}, "The Factor Upper Limit in row 2 is not numeric." + notNumeric,
         {"A", "B", "C"}, 3, 2},
        {"grouping marks are no number", {{2, 1, "1,000"}},
         "The Factor Lower Limit in row 1 is not numeric." + notNumeric, {"A", "B", "C"}, 2, 1},
        {"decimals not a number", {{4, 2, "two"}},
         "The Significant Digits in row 2 is not numeric.  All significant digits must be integers.",
         {"A", "B", "C"}, 4, 2},
        {"limits too far apart", {{2, 3, "-1e308"}, {3, 3, "1e308"}}, "The range of the limits in row 3 is too large.",
         {"A", "B", "C"}, 3, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WindowHarness h;
        WindowHarness::typeInto(h.setup().countBox(), QStringLiteral("3"));
        h.click(h.setup().defineFactorsButton());
        FactorWindow& window = h.factors();
        for (const auto& [col, row, text] : c.edits)
            WindowHarness::editCell(*window.grid(), col, row, text);
        h.dialogs.answerMessage(MessageAnswer::Ok);
        h.click(window.continueButton());
        ASSERT_EQ(h.dialogs.messages().size(), 1u);
        EXPECT_EQ(h.dialogs.messages().front(),
                  (MessageRequest{"Data Input Error", c.message, core::MessageIcon::Critical}));
        EXPECT_EQ(h.windows().factorWindow(), &window);
        // The window keeps the stage, with the focus on the refused cell.
        EXPECT_EQ(h.runTime.ActiveWindow, QStringLiteral("frmDefineFactors"));
        EXPECT_TRUE(window.grid()->isAncestorOf(QApplication::focusWidget()));
        EXPECT_EQ(std::pair(window.grid()->currentCol(), window.grid()->currentRow()),
                  std::pair(c.refusedCol, c.refusedRow));
        EXPECT_EQ(h.runTime.FactorGridInvalid, QStringLiteral("y"));
        EXPECT_EQ(h.problem.Stage.text(), QStringLiteral("DefineFactors"));
        EXPECT_TRUE(h.setup().defineInitialSimplexButton()->isEnabled());
        QStringList names;
        for (int i = 1; i <= 3; ++i)
            names << h.problem.Factors[static_cast<std::size_t>(i)].FactorName;
        EXPECT_EQ(names, c.namesStored);
    }
}

TEST(FactorWindowTest, DecimalsAreRoundedAndZeroOrLessBecomesFive)
{
    const struct {
        const char* typed;
        int stored;
    } cases[] = {{"0", 5}, {"-2", 5}, {"2.5", 2}, {"3.5", 4}, {"7", 7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        WindowHarness h;
        h.click(h.setup().defineFactorsButton());
        WindowHarness::editCell(*h.factors().grid(), 4, 1, QLatin1String(c.typed));
        h.click(h.factors().continueButton());
        EXPECT_EQ(h.problem.Factors[1].SignificantDigits, c.stored);
    }
}

TEST(FactorWindowTest, CellEditMarksTheProblemModifiedAndOffersUndo)
{
    WindowHarness h;
    h.click(h.setup().defineFactorsButton());
    h.mainWindow().setRedoEnabled(true);
    EXPECT_FALSE(h.undoEnabled());
    WindowHarness::editCell(*h.factors().grid(), 1, 1, QStringLiteral("Temperature of the second reactor"));
    EXPECT_EQ(h.runTime.Modified, QStringLiteral("yes"));
    // A long name stays readable.
    EXPECT_GE(h.factors().grid()->colWidth(1), h.factors().grid()->maxTextColWidth(1));
    EXPECT_TRUE(h.undoEnabled());
    EXPECT_FALSE(h.redoEnabled());
}

// Closing the window re-reads the number of factors from the setup window;
// a count it refuses keeps the window open.
TEST(FactorWindowTest, CloseIsCancelledByABadCount)
{
    const struct {
        const char* name;
        bool byContinue;
    } cases[] = {{"closed by the user", false}, {"closed by Continue", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WindowHarness h;
        h.click(h.setup().defineFactorsButton());
        FactorWindow* window = h.windows().factorWindow();
        ASSERT_NE(window, nullptr);
        // The count box is changed while the factor window is open.
        h.dialogs.answerMessage(MessageAnswer::Ok);
        h.setup().countBox()->setText(QStringLiteral("150"));
        h.windows().openFactorWindow();
        h.dialogs.clear();

        h.dialogs.answerMessage(MessageAnswer::Ok);
        if (c.byContinue)
            h.click(window->continueButton());
        else
            window->subWindow()->close();
        ASSERT_EQ(h.dialogs.messages().size(), 1u);
        EXPECT_EQ(h.dialogs.messages().front().text,
                  QStringLiteral("The maximum number of factors allowed is 100."));
        EXPECT_EQ(h.windows().factorWindow(), window);
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(h.setup().countBox()->hasFocus());
        EXPECT_EQ(h.runTime.ActiveWindow, QStringLiteral("SeqSimplexInitialize"));

        // With a count it accepts, the window closes and the count is taken.
        WindowHarness::typeInto(h.setup().countBox(), QStringLiteral("4"));
        window->subWindow()->close();
        EXPECT_EQ(h.windows().factorWindow(), nullptr);
        EXPECT_EQ(h.problem.NumFactors, 4);
    }
}

// The whole table from the keyboard: Tab out of the last cell reaches
// Continue with the typed text kept, and Space commits it.
TEST(FactorWindowTest, TabFromTheLastCellReachesContinue)
{
    WindowHarness h;
    h.click(h.setup().defineFactorsButton());
    FactorWindow& window = h.factors();
    shell::GridWidget& grid = *window.grid();
    ASSERT_EQ(grid.maxRows(), 2);
    grid.setCurrentCell(4, 2);
    ASSERT_TRUE(grid.hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_3);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(grid.cell(4, 2), QStringLiteral("3"));
    ASSERT_TRUE(window.continueButton()->hasFocus());
    QTest::keyClick(window.continueButton(), Qt::Key_Space);
    EXPECT_EQ(h.windows().factorWindow(), nullptr);
    EXPECT_EQ(h.problem.Factors[2].SignificantDigits, 3);
}

} // namespace
} // namespace zeltomir::simplex::test
