// A run written to a state file and read back goes on as if it had never
// left memory: after every step, the record read back shows the trial as it
// was shown and proposes what the run that never stopped proposes next.

#include "SimplexTestSupport.h"

#include "simplex/ReadBack.h"
#include "simplex/TrialDisplay.h"

#include "core/StateFile.h"

#include <gtest/gtest.h>

namespace zeltomir::simplex {
namespace {

struct RecordedRun {
    const char* name;
    std::vector<test::FactorSpec> factors;
    QString goal;
    QString target;
    QString stepType;
    QList<QStringList> initial; // rows of levels and the result last
    QStringList results;        // entered at the trials proposed, in turn
};

core::OptimizationProblem Started(const RecordedRun& run)
{
    core::OptimizationProblem problem = test::WithFactors(run.factors, run.goal, run.stepType);
    if (!run.target.isEmpty())
        problem.TargetValue = static_cast<double>(run.target.toFloat());
    GridText grid = test::CornerGrid(problem, {});
    for (int row = 1; row <= run.initial.size(); ++row) {
        for (int column = 1; column <= run.initial[row - 1].size(); ++column)
            grid.setCell(row, column, run.initial[row - 1][column - 1]);
    }
    EXPECT_TRUE(ContinueInitialSimplex(problem, grid).ok);
    return problem;
}

core::OptimizationProblem ReadBack(const core::OptimizationProblem& problem)
{
    core::OptimizationProblem read;
    core::ResetToStartup(read);
    read.StepType = problem.StepType;
    EXPECT_TRUE(ParseProblemBytes(core::StateFileBytes(problem), read).ok);
    return read;
}

void ExpectSameTrial(const Trial& shown, const Trial& reopened)
{
    EXPECT_EQ(reopened.levels, shown.levels);
    EXPECT_EQ(reopened.instruction, shown.instruction);
    EXPECT_EQ(reopened.vertexType, shown.vertexType);
}

TEST(ReadBack, AReopenedRunShowsAndProposesWhatTheRunInMemoryDoes)
{
    const RecordedRun runs[] = {
        // A level run at 9.5 would come back as 9.49999928474426.
        {"levels of one decimal",
         {{"A", "-10", "20", "1"}, {"B", "100", "200", "0"}},
         "max", "", "Variable",
         {{"9.5", "150", "10"}, {"15.5", "150", "12"}, {"9.5", "185", "11"}},
         {"14", "15", "13", "16", "17", "12", "18", "11", "19"}},
        // The objective 1/3 of the result 7 would come back larger than 1/3
        // and turn a kept reflection into a contraction.
        {"a target",
         {{"A", "40", "50", "2"}, {"B", "40", "50", "2"}},
         "mid", "10", "Variable",
         {{"42", "41", "7"}, {"45", "41", "4"}, {"42", "44", "12"}},
         {"4", "13", "7", "11", "9", "7", "10.5", "9.5"}},
        // Three factors: centroids of thirds.
        {"three factors",
         {{"A", "0", "10", "2"}, {"B", "5", "15", "1"}, {"C", "-1", "1", "3"}},
         "min", "", "Variable",
         {{"2", "6", "0", "5"}, {"4", "6", "0", "3"}, {"2", "8", "0", "6"}, {"2", "6", "0.5", "4"}},
         {"3", "5", "2", "4", "1", "6", "2.5", "0.5", "3", "1.5", "2"}},
        {"fixed steps",
         {{"A", "0", "1", "3"}, {"B", "0", "1", "3"}},
         "max", "", "Fixed",
         {{"0.2", "0.3", "1"}, {"0.4", "0.3", "2"}, {"0.2", "0.5", "1.5"}},
         {"3", "2.5", "4", "3.5", "3", "2", "2.5", "4.5"}},
    };
    for (const RecordedRun& run : runs) {
        SCOPED_TRACE(run.name);
        core::OptimizationProblem live = Started(run);
        const StepsOutcome begun = BeginOptimization(live);
        ASSERT_TRUE(begun.steps.has_value());
        Trial shown = begun.steps->trial;
        core::RunTimeState runTime;
        for (int step = 0; step < run.results.size(); ++step) {
            SCOPED_TRACE(testing::Message() << "after " << step << " steps");
            core::OptimizationProblem reopened = ReadBack(live);
            ExpectSameTrial(shown, ReopenedSteps(reopened).trial);

            const StepInput input{run.results[step], shown.levels};
            const StepsOutcome next = NextStep(live, runTime, input);
            const StepsOutcome nextReopened = NextStep(reopened, runTime, input);
            ASSERT_TRUE(next.steps.has_value() && nextReopened.steps.has_value());
            ExpectSameTrial(next.steps->trial, nextReopened.steps->trial);
            EXPECT_EQ(core::StateFileBytes(reopened), core::StateFileBytes(live));
            shown = next.steps->trial;
        }
    }
}

} // namespace
} // namespace zeltomir::simplex
