#include "WindowHarness.h"

#include "simplex/CorrectResult.h"
#include "simplex/ResponseSetup.h"
#include "simplex/TrialDisplay.h"
#include "simplex/VertexSummary.h"
#include "simplex/windows/WindowSupport.h"

#include "shell/Twips.h"

#include <QMdiSubWindow>
#include <QTableView>
#include <QToolButton>
#include <QWheelEvent>

#include <functional>
#include <vector>

namespace zeltomir::simplex::test {
namespace {

using shell::MessageAnswer;
using shell::MessageRequest;

void StartSteps(WindowHarness& h, const QString& decimals = QStringLiteral("2"))
{
    h.defineProblem({{"Temp", "20", "80", decimals}, {"Time", "10", "50", "1"}});
    h.commitInitialSimplex({"41.13", "77.65", "0.1"});
    h.beginOptimization();
}

QStringList Column(const shell::GridWidget& grid, int col)
{
    QStringList cells;
    for (int row = 1; row <= grid.maxRows(); ++row)
        cells << grid.cell(col, row);
    return cells;
}

TEST(VertexSummaryWindowTest, AfterBeginOptimizationListsTheInitialVertices)
{
    WindowHarness h;
    StartSteps(h);
    h.mainWindow().menuAction(QStringLiteral("mnuVertexSummary"))->trigger();
    VertexSummaryWindow& summary = h.summary();
    EXPECT_EQ(summary.windowTitle(), QStringLiteral("Vertex Summary"));
    const shell::GridWidget& grid = *summary.grid();
    EXPECT_TRUE(grid.isReadOnly());
    EXPECT_EQ(Column(grid, 1), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(Column(grid, 2), (QStringList{"80.00", "20.00", "20.00"}));
    // The result as parsed, at single precision, unrounded.
    EXPECT_EQ(Column(grid, 4), (QStringList{"41.1300010681152", "77.6500015258789", "0.100000001490116"}));
    EXPECT_EQ(Column(grid, 5), (QStringList{"Initial", "Initial", "Initial"}));
    EXPECT_EQ(Column(grid, 6), (QStringList{"1", "1", "1"}));
    // Every text shows in full, the 15-digit results included.
    for (int col = 1; col <= grid.maxCols(); ++col)
        EXPECT_GE(grid.colWidth(col), grid.maxTextColWidth(col)) << "column " << col;

    // The vertex summary cannot be edited: Cut and Paste are off.
    EXPECT_EQ(h.runTime.ActiveWindow, QStringLiteral("frmProgress"));
    EXPECT_FALSE(h.mainWindow().toolButton(QStringLiteral("cut_button"))->isEnabled());
    EXPECT_FALSE(h.mainWindow().menuAction(QStringLiteral("Menu_paste"))->isEnabled());
    EXPECT_TRUE(h.mainWindow().toolButton(QStringLiteral("copy_button"))->isEnabled());
    EXPECT_TRUE(h.mainWindow().toolButton(QStringLiteral("btnPrint"))->isEnabled());
}

// Each activation shows the history as it is now.
TEST(VertexSummaryWindowTest, RebuiltOnEveryActivation)
{
    WindowHarness h;
    StartSteps(h);
    h.windows().showVertexSummary();
    const int baseWidth = h.summary().grid()->colWidth(2);
    EXPECT_EQ(h.summary().grid()->maxRows(), 3);
    const char* results[] = {"60", "70"};
    int vertices = 3;
    for (const char* result : results) {
        SCOPED_TRACE(result);
        h.windows().showSimplexSteps();
        WindowHarness::typeInto(h.steps().resultBox(), QLatin1String(result));
        h.click(h.steps().nextStepButton());
        h.windows().showVertexSummary();
        ++vertices;
        const shell::GridWidget& grid = *h.summary().grid();
        ASSERT_EQ(grid.maxRows(), vertices);
        EXPECT_EQ(grid.cell(4, vertices), QLatin1String(result));
        EXPECT_FALSE(grid.cell(5, vertices).isEmpty());
        // "Times Retained" is twice a plain column wide, however often the
        // window is activated.
        EXPECT_EQ(grid.colWidth(6), 2 * baseWidth);
    }
}

// The table as the user sees it: every cell, headers included, and every
// column width.
struct ShownTable {
    std::vector<QStringList> rows;
    std::vector<int> widths;

    explicit ShownTable(const shell::GridWidget& grid)
    {
        for (int row = 0; row <= grid.maxRows(); ++row) {
            QStringList cells;
            for (int col = 1; col <= grid.maxCols(); ++col)
                cells << grid.cell(col, row);
            rows.push_back(cells);
        }
        for (int col = 1; col <= grid.maxCols(); ++col)
            widths.push_back(grid.colWidth(col));
    }

    friend bool operator==(const ShownTable&, const ShownTable&) = default;
};

// Whatever changed between two activations, the activation leaves the table
// exactly as a whole rebuild from the vertex history leaves it, column widths
// included, and its cells are the engine's whole summary.
TEST(VertexSummaryWindowTest, ActivationShowsWhatAWholeRebuildShows)
{
    WindowHarness h;
    StartSteps(h);
    // As many characters as 0.100000001490116 of vertex 3, but narrower.
    h.problem.VertexHistory.at(3, 1) = static_cast<double>(-41.13f);
    h.windows().showVertexSummary();
    VertexSummaryWindow& summary = h.summary();
    const auto step = [&h](const char* result) {
        h.windows().showSimplexSteps();
        WindowHarness::typeInto(h.steps().resultBox(), QLatin1String(result));
        h.click(h.steps().nextStepButton());
    };
    std::vector<core::OptimizationProblem> saved; // the undo snapshots
    const struct {
        const char* change;
        std::function<void()> apply;
    } changes[] = {
        {"one step", [&] { step("60"); }},
        {"three steps",
         [&] {
             saved.push_back(h.problem);
             step("70");
             step("65.5");
             step("71");
             saved.push_back(h.problem);
         }},
        {"undo to three steps back", [&] { h.problem = saved[0]; }},
        {"redo", [&] { h.problem = saved[1]; }},
        {"decimals of Temp to 6", [&] { h.problem.Factors[1].SignificantDigits = 6; }},
        {"a long result", [&] { h.problem.VertexHistory.at(3, 2) = 12345678.9012345; }},
        {"two retention counts wider than their column",
         [&] {
             h.problem.VertexHistory.at(5, 1) = 123456789012345.0;
             h.problem.VertexHistory.at(5, 3) = 12345678901234.0;
         }},
        {"the wider one back to one", [&] { h.problem.VertexHistory.at(5, 1) = 1; }},
        {"the other back to one", [&] { h.problem.VertexHistory.at(5, 3) = 1; }},
        {"more vertices than the window shows",
         [&] {
             h.problem.VertexHistory.ensure(6, 60);
             h.problem.NumVertices = 60;
         }},
        {"vertex count shrinks by two", [&] { h.problem.NumVertices -= 2; }},
        {"then a step", [&] { step("66"); }},
        {"Time renamed at length", [&] { h.problem.Factors[2].FactorName = QStringLiteral("Residence time, min"); }},
        {"two responses",
         [&] {
             ASSERT_TRUE(DefineResponses(h.problem, {{"Yield", core::ResponseGoal::Maximize, 0, 100},
                                                     {"Impurity, ppm", core::ResponseGoal::Minimize, 0, 10}})
                             .ok);
         }},
        {"a response's value", [&] { h.problem.VertexResponses.at(2, 5) = 1234.5678; }},
    };
    for (const auto& change : changes) {
        SCOPED_TRACE(change.change);
        change.apply();
        summary.refresh();
        const ShownTable shown(*summary.grid());
        summary.rebuild();
        EXPECT_TRUE(shown == ShownTable(*summary.grid()));

        const VertexSummaryContent content = BuildVertexSummary(h.problem);
        ASSERT_EQ(shown.rows.size(), content.rows.size() + 1);
        EXPECT_EQ(shown.rows[0], content.headers);
        for (std::size_t v = 1; v <= content.rows.size(); ++v) {
            const VertexSummaryRow& row = content.rows[v - 1];
            const QStringList expected = QStringList{row.vertex()} + row.levels() + row.responses()
                                         + QStringList{row.result(), row.type().value_or(QString()), row.timesRetained()};
            EXPECT_EQ(shown.rows[v], expected) << "vertex " << v;
        }
        for (int col = 1; col <= summary.grid()->maxCols(); ++col)
            EXPECT_GE(summary.grid()->colWidth(col), summary.grid()->maxTextColWidth(col)) << "column " << col;
        EXPECT_TRUE(testsupport::RowInView(*summary.grid(), summary.grid()->maxRows()));
    }
}

// The newest vertex is the one a user looks for: the summary opens on it
// and shows it whole after every step, unless the user has scrolled up to
// older rows, which then stay in view.
TEST(VertexSummaryWindowTest, ShowsTheNewestRowUnlessScrolledAway)
{
    WindowHarness h;
    StartSteps(h);
    int results = 0;
    const auto step = [&] {
        h.windows().showSimplexSteps();
        WindowHarness::typeInto(h.steps().resultBox(), QString::number(40 + ++results % 9));
        h.click(h.steps().nextStepButton());
    };
    while (h.problem.NumVertices < 60)
        step();
    h.mainWindow().menuAction(QStringLiteral("mnuVertexSummary"))->trigger();
    const shell::GridWidget& grid = *h.summary().grid();
    auto* view = grid.findChild<QTableView*>();
    ASSERT_FALSE(testsupport::RowInView(grid, 1)); // long enough to scroll
    EXPECT_TRUE(testsupport::RowInView(grid, 60));

    step();
    h.windows().showVertexSummary();
    ASSERT_EQ(grid.maxRows(), 61);
    EXPECT_TRUE(testsupport::RowInView(grid, 61));

    // The wheel turned by `notches`, up when positive.
    const auto turnWheel = [view](int notches) {
        const QPoint middle = view->viewport()->rect().center();
        QWheelEvent wheel(middle, view->viewport()->mapToGlobal(middle), {}, {0, 120 * notches}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view->viewport(), &wheel);
    };
    turnWheel(3);
    const int top = view->rowAt(0);
    ASSERT_FALSE(testsupport::RowInView(grid, 61));
    step();
    h.windows().showVertexSummary();
    ASSERT_EQ(grid.maxRows(), 62);
    EXPECT_EQ(view->rowAt(0), top);

    // Back down to the end, the rows follow the steps again.
    turnWheel(-30);
    ASSERT_TRUE(testsupport::RowInView(grid, 62));
    step();
    h.windows().showVertexSummary();
    EXPECT_TRUE(testsupport::RowInView(grid, 63));
}

// A result corrected from the summary: by a double-click on the Result cell
// of a vertex that has left the simplex, then by Edit > Correct Result...
// for a selected vertex of the simplex, which proposes the trial anew.
TEST(VertexSummaryWindowTest, CorrectResultByDoubleClickAndFromTheEditMenu)
{
    WindowHarness h;
    StartSteps(h);
    WindowHarness::typeInto(h.steps().resultBox(), QStringLiteral("60")); // vertex 3 leaves the simplex
    h.click(h.steps().nextStepButton());
    const QStringList levelsBefore = Column(*h.steps().grid(), 2);
    h.mainWindow().menuAction(QStringLiteral("mnuVertexSummary"))->trigger();
    const shell::GridWidget& grid = *h.summary().grid();
    auto* view = grid.findChild<QTableView*>();
    QAction* correct = h.mainWindow().menuAction(QStringLiteral("mnuCorrectResult"));
    EXPECT_FALSE(correct->isEnabled()); // nothing selected yet

    const auto cellCentre = [view](int col, int row) {
        return view->visualRect(view->model()->index(row - 1, col - 1)).center();
    };
    h.dialogs.answerText(QStringLiteral("0.2"));
    h.dialogs.answerMessage(MessageAnswer::Ok);
    // A double-click starts with a click.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cellCentre(4, 3));
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cellCentre(4, 3));
    ASSERT_EQ(h.dialogs.textRequests().size(), 1u);
    EXPECT_EQ(h.dialogs.textRequests()[0], (shell::TextRequest{"Correct Result", "The result of vertex 3:", "0.1"}));
    EXPECT_EQ(h.dialogs.messages().back().text, CorrectionRecorded);
    EXPECT_EQ(grid.cell(4, 3), QStringLiteral("0.200000002980232"));
    EXPECT_EQ(grid.cell(5, 3), QStringLiteral("Initial (corrected)"));
    EXPECT_EQ(Column(*h.steps().grid(), 2), levelsBefore);
    EXPECT_TRUE(h.undoEnabled());

    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cellCentre(2, 1));
    ASSERT_TRUE(correct->isEnabled());
    h.dialogs.answerText(QStringLiteral("90"));
    correct->trigger();
    EXPECT_EQ(grid.cell(4, 1), QStringLiteral("90"));
    EXPECT_EQ(grid.cell(5, 1), QStringLiteral("Initial (corrected)"));
    // The steps window shows the trial proposed from the simplex ranked anew.
    EXPECT_NE(Column(*h.steps().grid(), 2), levelsBefore);
    EXPECT_EQ(Column(*h.steps().grid(), 2), ReopenedSteps(h.problem).trial.levels);
    EXPECT_EQ(h.runTime.ActiveWindow, QStringLiteral("SimplexSteps"));
    EXPECT_FALSE(correct->isEnabled());
}

// While a contraction waits, a vertex of the simplex cannot be corrected:
// the command says so at once rather than ask for a value it would refuse.
TEST(VertexSummaryWindowTest, CorrectResultRefusedBeforeAnyValueIsAsked)
{
    WindowHarness h;
    StartSteps(h);
    WindowHarness::typeInto(h.steps().resultBox(), QStringLiteral("0")); // the worst: a contraction waits
    h.click(h.steps().nextStepButton());
    h.windows().showVertexSummary();
    auto* view = h.summary().grid()->findChild<QTableView*>();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(0, 1)).center());
    h.dialogs.answerMessage(MessageAnswer::Ok);
    h.mainWindow().menuAction(QStringLiteral("mnuCorrectResult"))->trigger();
    EXPECT_TRUE(h.dialogs.textRequests().empty());
    ASSERT_EQ(h.dialogs.messages().size(), 1u);
    EXPECT_EQ(h.dialogs.messages().front().text, FinishStepBeforeCorrection);
}

// Begin Optimization clicked again in mid-run asks first, then starts over
// from the initial simplex: the steps window shows the first trial again and
// the summary lists the initial vertices only, each retained once, as after
// the first click.
TEST(VertexSummaryWindowTest, BeginOptimizationAgainListsTheInitialVerticesOnly)
{
    WindowHarness h;
    StartSteps(h);
    const QStringList firstTrial{h.steps().grid()->cell(2, 1), h.steps().grid()->cell(2, 2)};
    h.windows().showVertexSummary();
    const ShownTable afterBegin(*h.summary().grid());
    for (const char* result : {"60", "70", "65.5"}) {
        h.windows().showSimplexSteps();
        WindowHarness::typeInto(h.steps().resultBox(), QLatin1String(result));
        h.click(h.steps().nextStepButton());
    }
    h.windows().showVertexSummary();
    ASSERT_EQ(h.summary().grid()->maxRows(), 6);

    h.click(h.setup().defineInitialSimplexButton()); // left open: Begin closes it
    h.dialogs.answerMessage(MessageAnswer::Yes);
    h.beginOptimization();
    EXPECT_EQ(h.windows().initialSimplexWindow(), nullptr);
    ASSERT_EQ(h.dialogs.messages().size(), 1u);
    EXPECT_EQ(h.dialogs.messages().front(),
              (MessageRequest{"Warning!",
                              "Begin Optimization starts again from the initial simplex.  The 3 trials recorded "
                              "since will be dropped (Undo brings them back).  Start again?",
                              core::MessageIcon::Question, shell::MessageButtons::YesNo, MessageAnswer::No}));
    EXPECT_EQ((QStringList{h.steps().grid()->cell(2, 1), h.steps().grid()->cell(2, 2)}), firstTrial);
    h.windows().showVertexSummary();
    EXPECT_TRUE(ShownTable(*h.summary().grid()) == afterBegin);
    EXPECT_EQ(Column(*h.summary().grid(), 6), (QStringList{"1", "1", "1"}));
}

// A type code outside 0..4 (only an altered snapshot holds one) leaves the
// cell as it was: empty in a fresh window, the old text in an open one.
TEST(VertexSummaryWindowTest, UnknownTypeCodeLeavesTheCell)
{
    WindowHarness h;
    StartSteps(h);
    h.windows().showVertexSummary();
    h.windows().openSetupWindow();
    h.problem.VertexHistory.at(4, 2) = 9;
    h.windows().showVertexSummary();
    EXPECT_EQ(h.summary().grid()->cell(5, 2), QStringLiteral("Initial"));
    EXPECT_EQ(h.summary().grid()->cell(5, 1), QStringLiteral("Initial"));

    h.summary().subWindow()->close();
    h.windows().showVertexSummary();
    EXPECT_EQ(h.summary().grid()->cell(5, 2), QString());
    EXPECT_EQ(h.summary().grid()->cell(5, 3), QStringLiteral("Initial"));
}

// With no decimals a level that rounds to zero is an empty text. (The factor
// window stores 0 decimals as 5; a loaded problem can hold 0.)
TEST(VertexSummaryWindowTest, LevelRoundingToZeroWithNoDecimalsIsEmpty)
{
    WindowHarness h;
    h.defineProblem({{"Temp", "0.4", "80", "1"}, {"Time", "10", "50", "1"}});
    h.problem.Factors[1].SignificantDigits = 0;
    h.commitInitialSimplex({"41.13", "77.65", "53.13"});
    h.windows().showVertexSummary();
    EXPECT_EQ(Column(*h.summary().grid(), 2), (QStringList{"80", "", ""}));
}

TEST(VertexSummaryWindowTest, WindowSizeFollowsTheFactorCountWithinTheMdiArea)
{
    const struct {
        int factors;
        bool capped;
    } cases[] = {{2, false}, {30, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.factors);
        WindowHarness h;
        h.problem.NumFactors = static_cast<std::int16_t>(c.factors);
        h.windows().showVertexSummary();
        VertexSummaryWindow& summary = h.summary();
        const QSize size = summary.subWindow()->size();
        const QSize wanted = shell::TwipsSize(&summary, (c.factors + 4) * 975 + 2160, 8295);
        const QSize room = h.mainWindow().mdiArea()->viewport()->size();
        if (c.capped) {
            EXPECT_LT(room.width(), wanted.width());
            EXPECT_EQ(size.width(), room.width());
        } else {
            EXPECT_GE(size.width(), wanted.width());
            EXPECT_LE(GridContentWidth(*summary.grid()), summary.grid()->width());
        }
        EXPECT_EQ(size.height(), std::min(wanted.height(), room.height()));
        // The grid sits 50 twips inside the window on every side.
        const int margin = shell::TwipsX(&summary, 50);
        EXPECT_EQ(summary.grid()->geometry(),
                  QRect(margin, shell::TwipsY(&summary, 50), summary.width() - 2 * margin,
                        summary.height() - 2 * shell::TwipsY(&summary, 50)));
    }
}

} // namespace
} // namespace zeltomir::simplex::test
