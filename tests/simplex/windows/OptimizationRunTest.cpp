// A whole run through the windows on a known surface, from start-up to ten
// steps. The expected texts were worked out by hand from the simplex rules
// for the surface
//     y = 90 - 0.02 (Temp - 45)^2 - 0.02 (Time - 45)^2 + 0.013 Time
// with Temp in 20..80 (2 decimals) and Time in 10..50 (1 decimal), goal
// maximum, variable step size; each typed result is y at the levels shown,
// to 2 decimals.

#include "WindowHarness.h"

#include "core/StateFile.h"

#include <QLabel>

namespace zeltomir::simplex::test {
namespace {

struct Step {
    const char* typed;
    const char* temp;
    const char* time;
    const char* instruction;
};

// The result typed for the trial on show, then what the window shows next.
const Step Steps[] = {
    {"77.26", "27.5", "22.5", "Contract in the Reverse Direction"},
    {"74.04", "36.88", "28.1", "Contract in the Reverse Direction"},
    {"83.33", "27.97", "30.8", "Contract in the Reverse Direction"},
    {"80.57", "26.21", "39.7", "Contract in the Reverse Direction"},
    {"82.89", "35.12", "37.1", "Use the Reflection"},
    {"87.28", "38.69140625", "40.21484375", "Evaluate the Extension"},
    {"89.27", "49.36", "28.6", "Use the Extension"},
    {"84.61", "51.17", "40.7", "Use the Reflection"},
    {"89.40", "58.3203125", "46.9921875", "Evaluate the Extension"},
    {"86.98", "42.72", "46.4", "Contract but Move Forward"},
};

struct SummaryRow {
    const char* temp;
    const char* time;
    const char* result;
    const char* type;
    const char* retained;
};

const SummaryRow Summary[] = {
    {"80.00", "10.0", "41.1300010681152", "Initial", "1"},
    {"20.00", "50.0", "77.6500015258789", "Initial", "5"},
    {"20.00", "10.0", "53.1300010681152", "Initial", "2"},
    {"50.00", "20.0", "77.2600021362305", "Cw", "2"},
    {"27.50", "22.5", "74.0400009155273", "Cw", "2"},
    {"36.88", "28.1", "83.3300018310547", "Cw", "5"},
    {"27.97", "30.8", "80.5699996948242", "Cw", "2"},
    {"26.21", "39.7", "82.8899993896484", "Cw", "2"},
    {"35.12", "37.1", "87.2799987792969", "Reflection", "0"},
    {"38.69", "40.2", "89.2699966430664", "Extension", "3"},
    {"49.36", "28.6", "84.6100006103516", "Reflection", "2"},
    {"51.17", "40.7", "89.4000015258789", "Reflection", "1"},
    {"58.32", "47.0", "86.9800033569336", "Extension", "0"},
};

void ExpectTrial(WindowHarness& h, const char* temp, const char* time, const char* instruction)
{
    shell::GridWidget& grid = *h.steps().grid();
    EXPECT_EQ(grid.maxRows(), 2);
    EXPECT_EQ(grid.cell(1, 1), QStringLiteral("Temp"));
    EXPECT_EQ(grid.cell(1, 2), QStringLiteral("Time"));
    EXPECT_EQ(grid.cell(2, 1), QLatin1String(temp));
    EXPECT_EQ(grid.cell(2, 2), QLatin1String(time));
    EXPECT_EQ(h.steps().instructionLabel()->text(), QLatin1String(instruction));
    EXPECT_TRUE(h.steps().resultBox()->text().isEmpty());
}

TEST(OptimizationRunTest, TenStepsOnAKnownSurface)
{
    WindowHarness h;
    const QString undoFile = h.snapshots().undoPath();

    h.defineProblem({{"Temp", "20", "80", "2"}, {"Time", "10", "50", "1"}});
    EXPECT_EQ(h.problem.Stage.text(), QStringLiteral("DefineFactors"));
    EXPECT_TRUE(h.setup().defineInitialSimplexButton()->isEnabled());

    // The corner simplex as proposed: each factor at its upper limit in turn.
    h.click(h.setup().defineInitialSimplexButton());
    const shell::GridWidget& proposal = *h.initialSimplex().grid();
    const QStringList expectedProposal{"80", "10", "0", "20", "50", "0", "20", "10", "0"};
    QStringList shown;
    for (int row = 1; row <= 3; ++row)
        for (int col = 1; col <= 3; ++col)
            shown << proposal.cell(col, row);
    EXPECT_EQ(shown, expectedProposal);
    EXPECT_EQ(proposal.cell(1, 0), QStringLiteral("Temp"));
    EXPECT_EQ(proposal.cell(3, 0), QStringLiteral("Result"));
    h.commitInitialSimplex({"41.13", "77.65", "53.13"});
    EXPECT_EQ(h.problem.InitialSimplexDefined, QStringLiteral("yes"));

    h.beginOptimization();
    EXPECT_EQ(h.runTime.ActiveWindow, QStringLiteral("SimplexSteps"));
    EXPECT_TRUE(h.steps().resultBox()->hasFocus());
    // The worst vertex is the one with Temp at its upper limit; its
    // reflection and the forward contraction leave the limits.
    ExpectTrial(h, "50", "20", "Contract in the Reverse Direction");

    int number = 0;
    for (const Step& step : Steps) {
        ++number;
        SCOPED_TRACE(testing::Message() << "step " << number << ", typed " << step.typed);
        const QByteArray before = FileBytes(undoFile);
        QLineEdit* result = h.steps().resultBox();
        WindowHarness::typeInto(result, QLatin1String(step.typed));
        // Enter and the button are the same command: use both.
        if (number % 2 == 0)
            QTest::keyClick(result, Qt::Key_Return);
        else
            h.click(h.steps().nextStepButton());
        ExpectTrial(h, step.temp, step.time, step.instruction);
        EXPECT_TRUE(h.steps().resultBox()->hasFocus());
        EXPECT_EQ(h.problem.NumVertices, 3 + number);
        // The snapshot of the state before the step, with the Undo offered.
        EXPECT_NE(FileBytes(undoFile), before);
        EXPECT_TRUE(h.undoEnabled());
        EXPECT_FALSE(h.redoEnabled());
    }
    EXPECT_EQ(h.problem.Stage.text(), QStringLiteral("Steps"));
    EXPECT_EQ(h.runTime.Modified, QStringLiteral("yes"));

    h.mainWindow().menuAction(QStringLiteral("mnuVertexSummary"))->trigger();
    ASSERT_NE(h.windows().vertexSummaryWindow(), nullptr);
    EXPECT_EQ(h.runTime.ActiveWindow, QStringLiteral("frmProgress"));
    const shell::GridWidget& table = *h.summary().grid();
    const QStringList headers{"Vertex", "Temp", "Time", "Result", "Type", "Times Retained"};
    ASSERT_EQ(table.maxCols(), 6);
    for (int col = 1; col <= 6; ++col)
        EXPECT_EQ(table.cell(col, 0), headers[col - 1]);
    ASSERT_EQ(table.maxRows(), static_cast<int>(std::size(Summary)));
    int row = 0;
    for (const SummaryRow& vertex : Summary) {
        ++row;
        SCOPED_TRACE(testing::Message() << "vertex " << row);
        EXPECT_EQ(table.cell(1, row), QString::number(row));
        EXPECT_EQ(table.cell(2, row), QLatin1String(vertex.temp));
        EXPECT_EQ(table.cell(3, row), QLatin1String(vertex.time));
        EXPECT_EQ(table.cell(4, row), QLatin1String(vertex.result));
        EXPECT_EQ(table.cell(5, row), QLatin1String(vertex.type));
        EXPECT_EQ(table.cell(6, row), QLatin1String(vertex.retained));
    }
    EXPECT_TRUE(h.dialogs.messages().empty());
}

} // namespace
} // namespace zeltomir::simplex::test
