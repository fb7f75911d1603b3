#include "WindowHarness.h"

#include "simplex/windows/WindowSupport.h"

#include "shell/Twips.h"

#include <QFile>
#include <QMdiSubWindow>

namespace zeltomir::simplex::test {
namespace {

using shell::MessageAnswer;
using shell::MessageRequest;

// Two factors, A in 0..10 and B in 5..15, and the initial simplex window open.
void OpenInitialSimplex(WindowHarness& h)
{
    h.defineProblem({{"A", "0", "10", "2"}, {"B", "5", "15", "2"}});
    h.click(h.setup().defineInitialSimplexButton());
    ASSERT_NE(h.windows().initialSimplexWindow(), nullptr);
}

QStringList Cells(const shell::GridWidget& grid)
{
    QStringList cells;
    for (int row = 0; row <= grid.maxRows(); ++row)
        for (int col = 1; col <= grid.maxCols(); ++col)
            cells << grid.cell(col, row);
    return cells;
}

TEST(InitialSimplexWindowTest, ProposesTheCornerSimplexAndRefusesAllZeroResults)
{
    WindowHarness h;
    OpenInitialSimplex(h);
    InitialSimplexWindow& window = h.initialSimplex();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Initial Simplex"));
    EXPECT_EQ(h.problem.Stage.text(), QStringLiteral("SeqSimplexInitialize"));
    EXPECT_EQ(h.runTime.ActiveWindow, QStringLiteral("frmInitialSimplex"));
    EXPECT_FALSE(h.mainWindow().menuAction(QStringLiteral("mnuVertexSummary"))->isEnabled());
    EXPECT_TRUE(window.grid()->hasFocus());
    EXPECT_EQ(Cells(*window.grid()),
              (QStringList{"A", "B", "Result", "10", "5", "0", "0", "15", "0", "0", "5", "0"}));

    h.dialogs.answerMessage(MessageAnswer::Ok);
    h.click(window.continueButton());
    ASSERT_EQ(h.dialogs.messages().size(), 1u);
    EXPECT_EQ(h.dialogs.messages().front(),
              (MessageRequest{"Data Entry Error",
                              "All responses are zero.  Please input the responses for the initial simplex.",
                              core::MessageIcon::Critical}));
    EXPECT_EQ(h.windows().initialSimplexWindow(), &window);
    EXPECT_EQ(h.problem.InitialSimplexDefined, QStringLiteral("no"));
    // The snapshot is taken before the zero check.
    QFile snapshot(h.snapshots().undoPath());
    ASSERT_TRUE(snapshot.open(QIODevice::ReadOnly));
    EXPECT_TRUE(snapshot.readLine().startsWith("SeqSimplexInitialize"));
    EXPECT_TRUE(h.undoEnabled());
}

TEST(InitialSimplexWindowTest, ChecksReportTheFirstBadCell)
{
    const QString levelA = QStringLiteral("The level for factor A in row ");
    const struct {
        const char* name;
        QList<std::tuple<int, int, QString>> edits; // column, row, text
        QStringList messages;                       // titles are per kind below
        bool committed;
    } cases[] = {
        {"same levels in a column: a warning, the commit goes on",
         {{1, 1, "4"}, {1, 2, "4"}, {1, 3, "4"}},
         {"All values in column 1 are the same."},
         true},
        {"a level that is not a number", {{2, 2, "abc"}}, {"The level for factor B in row 2 is not numeric."}, false},
        {"below the lower limit", {{1, 1, "-1"}},
         {levelA + "1 is lower than the lower limit you specified.  The lower limit specified was 0."}, false},
        {"above the upper limit", {{1, 3, "10.5"}},
         {levelA + "3 is greater than the upper limit you specified.  The upper limit specified was 10."}, false},
        {"at single precision a hair above the limit passes", {{1, 1, "10.00000001"}}, {}, true},
        {"a result that is not a number", {{3, 3, "n/a"}}, {"The result in row 3 is not numeric."}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WindowHarness h;
        OpenInitialSimplex(h);
        InitialSimplexWindow& window = h.initialSimplex();
        WindowHarness::editCell(*window.grid(), 3, 1, QStringLiteral("5"));
        WindowHarness::editCell(*window.grid(), 3, 2, QStringLiteral("-5"));
        for (const auto& [col, row, text] : c.edits)
            WindowHarness::editCell(*window.grid(), col, row, text);
        for (int i = 0; i < c.messages.size(); ++i)
            h.dialogs.answerMessage(MessageAnswer::Ok);
        h.click(window.continueButton());

        const std::vector<MessageRequest> shown = h.dialogs.messages();
        ASSERT_EQ(static_cast<int>(shown.size()), c.messages.size());
        for (int i = 0; i < c.messages.size(); ++i) {
            const QString title = c.messages[i].startsWith(QStringLiteral("All values"))
                                      ? QStringLiteral("Data Entry Error")
                                      : QStringLiteral("Data Input Error");
            EXPECT_EQ(shown[static_cast<std::size_t>(i)],
                      (MessageRequest{title, c.messages[i], core::MessageIcon::Critical}));
        }
        EXPECT_EQ(h.windows().initialSimplexWindow() == nullptr, c.committed);
        EXPECT_EQ(h.problem.InitialSimplexDefined, QLatin1String(c.committed ? "yes" : "no"));
    }
}

// Define Initial Simplex again resets the proposal but keeps the results
// and the last vertex that were typed.
TEST(InitialSimplexWindowTest, ProposingAgainKeepsResultsAndTheLastRow)
{
    WindowHarness h;
    OpenInitialSimplex(h);
    shell::GridWidget& grid = *h.initialSimplex().grid();
    WindowHarness::editCell(grid, 1, 1, QStringLiteral("7"));
    WindowHarness::editCell(grid, 1, 3, QStringLiteral("3"));
    WindowHarness::editCell(grid, 3, 2, QStringLiteral("12.5"));
    EXPECT_EQ(h.runTime.Modified, QStringLiteral("yes"));
    h.click(h.setup().defineInitialSimplexButton());
    EXPECT_EQ(h.windows().initialSimplexWindow()->grid(), &grid);
    EXPECT_EQ(Cells(grid), (QStringList{"A", "B", "Result", "10", "5", "0", "0", "15", "12.5", "3", "5", "0"}));
}

TEST(InitialSimplexWindowTest, SizedByTheFactorCountAndLaidOutOnResize)
{
    WindowHarness h;
    OpenInitialSimplex(h);
    InitialSimplexWindow& window = h.initialSimplex();
    QMdiSubWindow* frame = window.subWindow();
    // At least the twips size; wider where the columns fitted to their
    // texts need it, so that none hides behind a scroll bar.
    const QSize twips = shell::TwipsSize(&window, 975 * 2 + 2160, 5000);
    EXPECT_GE(frame->width(), twips.width());
    EXPECT_EQ(frame->height(), twips.height());
    EXPECT_LE(GridContentWidth(*window.grid()), window.grid()->width());

    const QSize sizes[] = {{700, 500}, {420, 380}};
    for (const QSize& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
        frame->resize(size);
        const QSize inner = window.size();
        const QRect grid = window.grid()->geometry();
        const QRect button = window.continueButton()->geometry();
        EXPECT_EQ(grid.width(), inner.width() - shell::TwipsX(&window, 240));
        EXPECT_EQ(grid.height(), inner.height() - shell::TwipsY(&window, 715));
        EXPECT_EQ(button.top(), grid.top() + grid.height() + shell::TwipsY(&window, 100));
        EXPECT_EQ(button.right(), grid.right());
    }
}

// The factor and initial simplex windows grow to show every row; sized for
// many factors they would be far larger than the screen, and are kept within
// the MDI area with their grids scrolling.
TEST(InitialSimplexWindowTest, ManyFactorsFitTheMdiArea)
{
    for (const int factors : {12, 40}) {
        SCOPED_TRACE(factors);
        WindowHarness h;
        WindowHarness::typeInto(h.setup().countBox(), QString::number(factors));
        h.click(h.setup().defineFactorsButton());
        const QSize room = h.mainWindow().mdiArea()->viewport()->size();
        const bool allFit = factors == 12;
        EXPECT_EQ(testsupport::RowInView(*h.factors().grid(), factors), allFit);
        EXPECT_EQ(h.factors().subWindow()->height() == room.height(), !allFit);
        h.click(h.factors().continueButton());
        h.click(h.setup().defineInitialSimplexButton());
        const QSize size = h.initialSimplex().subWindow()->size();
        EXPECT_LE(size.width(), room.width());
        EXPECT_EQ(testsupport::RowInView(*h.initialSimplex().grid(), factors + 1), allFit);
        EXPECT_EQ(size.height() == room.height(), !allFit);
        EXPECT_EQ(h.initialSimplex().grid()->maxCols(), factors + 1);
    }
}

// Tab leaves the last result for Continue; Shift+Tab comes back to it.
TEST(InitialSimplexWindowTest, TabFromTheLastResultReachesContinue)
{
    WindowHarness h;
    OpenInitialSimplex(h);
    InitialSimplexWindow& window = h.initialSimplex();
    shell::GridWidget& grid = *window.grid();
    grid.setCurrentCell(3, 3);
    ASSERT_TRUE(grid.hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_7);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(grid.cell(3, 3), QStringLiteral("7"));
    EXPECT_TRUE(window.continueButton()->hasFocus());
    QTest::keyClick(window.continueButton(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(grid.hasFocus());
    EXPECT_EQ(grid.currentCol(), 3);
    EXPECT_EQ(grid.currentRow(), 3);
}

} // namespace
} // namespace zeltomir::simplex::test
