#include "WindowHarness.h"

#include "simplex/EngineSupport.h"
#include "simplex/windows/ResponseWindow.h"

#include <QLabel>
#include <QRadioButton>

namespace zeltomir::simplex::test {
namespace {

using shell::MessageAnswer;
using shell::MessageRequest;

void EditRow(shell::GridWidget& grid, int row, const QStringList& cells)
{
    for (int col = 1; col <= cells.size(); ++col)
        WindowHarness::editCell(grid, col, row, cells[col - 1]);
}

QStringList Row(const shell::GridWidget& grid, int row)
{
    QStringList cells;
    for (int col = 1; col <= grid.maxCols(); ++col)
        cells << grid.cell(col, row);
    return cells;
}

// Two responses defined through the window: a refused row keeps the window
// open on that row with the record unchanged; the accepted grid turns the
// setup's goal options off under the note and opens again as committed.
TEST(ResponseWindowTest, TwoResponsesDisableTheGoalOptions)
{
    WindowHarness h;
    h.click(h.setup().defineResponsesButton());
    ResponseWindow* window = h.windows().responseWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(h.runTime.ActiveWindow, QStringLiteral("frmDefineResponses"));
    shell::GridWidget& grid = *window->grid();
    EXPECT_EQ(grid.maxRows(), 10);
    EditRow(grid, 1, {"Yield", "Maximize", "50", "90"});
    EditRow(grid, 2, {"Impurity", "minimize", "5", "0.5", "", "2"});

    h.dialogs.answerMessage(MessageAnswer::Ok);
    h.click(window->okButton());
    ASSERT_EQ(h.dialogs.messages().size(), 1u);
    EXPECT_EQ(h.dialogs.messages().front(),
              (MessageRequest{"Input Error", "Response 2 (Impurity): the lower limit must lie below the upper limit.",
                              core::MessageIcon::Critical}));
    EXPECT_EQ(h.windows().responseWindow(), window);
    EXPECT_EQ(grid.currentRow(), 2);
    EXPECT_TRUE(grid.isAncestorOf(QApplication::focusWidget()));
    EXPECT_TRUE(h.problem.Responses.empty());
    EXPECT_TRUE(h.setup().goalOption(1)->isEnabled());
    EXPECT_TRUE(h.setup().responsesNote()->isHidden());

    WindowHarness::editCell(grid, 3, 2, "0");
    WindowHarness::editCell(grid, 4, 2, "5");
    h.click(window->okButton());
    EXPECT_EQ(h.dialogs.messages().size(), 1u);
    EXPECT_EQ(h.windows().responseWindow(), nullptr);
    ASSERT_EQ(h.problem.Responses.size(), 2u);
    EXPECT_EQ(h.problem.Responses[1].goal, core::ResponseGoal::Minimize);
    EXPECT_EQ(h.problem.Responses[1].importance, 2);
    EXPECT_EQ(h.problem.Responses[1].shape, 1);
    EXPECT_TRUE(h.undoEnabled());
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(h.setup().goalOption(i)->isEnabled());
    EXPECT_FALSE(h.setup().responsesNote()->isHidden());
    EXPECT_EQ(h.setup().responsesNote()->text(),
              QStringLiteral("Several responses: the simplex maximises their overall desirability."));

    h.click(h.setup().defineResponsesButton());
    const shell::GridWidget& again = *h.windows().responseWindow()->grid();
    EXPECT_EQ(Row(again, 2), (QStringList{"Impurity", "Minimize", "0", "5", "", "2", "1", "1"}));
    EXPECT_EQ(Row(again, 3), QStringList(8));
}

// Responses defined in mid-run by File > Save's commit: the window stays
// open, and the steps window on show takes a value per response at once.
TEST(ResponseWindowTest, ASaveDuringARunDefinesThemAndTheStepsWindowFollows)
{
    WindowHarness h;
    h.defineProblem({{"Temp", "20", "80", "2"}, {"Time", "10", "50", "1"}});
    h.commitInitialSimplex({"41.13", "77.65", "53.13"});
    h.beginOptimization();
    EXPECT_FALSE(h.steps().resultBox()->isHidden());

    h.click(h.setup().defineResponsesButton());
    ResponseWindow* window = h.windows().responseWindow();
    ASSERT_NE(window, nullptr);
    EditRow(*window->grid(), 1, {"Yield", "Maximize", "40", "90"});
    EditRow(*window->grid(), 2, {"Cost", "Minimize", "0", "10"});
    EXPECT_TRUE(h.windows().commitActiveWindowBeforeSave());
    EXPECT_EQ(h.windows().responseWindow(), window);
    ASSERT_EQ(h.problem.Responses.size(), 2u);
    EXPECT_EQ(h.problem.VertexResponses.value(1, 2), SingleOf(77.65));

    EXPECT_TRUE(h.steps().resultBox()->isHidden());
    const shell::GridWidget& values = *h.steps().responseGrid();
    EXPECT_FALSE(values.isHidden());
    ASSERT_EQ(values.maxRows(), 2);
    EXPECT_EQ(values.cell(1, 2), QStringLiteral("Cost"));
}

} // namespace
} // namespace zeltomir::simplex::test
