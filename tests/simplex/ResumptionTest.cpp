#include "SimplexTestSupport.h"

#include "simplex/BeginOptimization.h"
#include "simplex/Resumption.h"

#include <gtest/gtest.h>

namespace zeltomir::simplex {
namespace {

enum class Progress { FactorsOnly, SimplexCommitted, TrialOnShow };

core::OptimizationProblem Reached(Progress progress, const QString& stage)
{
    core::OptimizationProblem problem = test::WithFactors({{"A", "0", "10", "1"}, {"B", "0", "10", "1"}});
    if (progress != Progress::FactorsOnly) {
        test::CommitCorner(problem, {"1", "2", "3"});
    }
    if (progress == Progress::TrialOnShow) {
        EXPECT_TRUE(BeginOptimization(problem).outcome.ok);
    }
    problem.Stage = core::Choice<core::Stage>::FromText(stage);
    return problem;
}

// The window the program reopens goes by the stage alone; the runner goes
// on with a trial on show at any stage, and otherwise only from the two
// stages it can resume.
TEST(Resumption, StageChoosesTheWindowAndTheRecordHowStepsGoOn)
{
    const struct {
        Progress progress;
        const char* stage;
        StageWindow window;
        StepsResume steps;
    } cases[] = {
        {Progress::FactorsOnly, "DefineFactors", StageWindow::Factors, StepsResume::NotResumable},
        {Progress::FactorsOnly, "SeqSimplexInitialize", StageWindow::Setup, StepsResume::NotResumable},
        {Progress::FactorsOnly, "Steps", StageWindow::Steps, StepsResume::DefineInitialSimplex},
        {Progress::SimplexCommitted, "none", StageWindow::Factors, StepsResume::NotResumable},
        {Progress::SimplexCommitted, "SeqSimplexInitialize", StageWindow::Setup, StepsResume::BeginOptimization},
        {Progress::SimplexCommitted, "Steps", StageWindow::Steps, StepsResume::BeginOptimization},
        {Progress::SimplexCommitted, "steps", StageWindow::Steps, StepsResume::NotResumable},
        {Progress::TrialOnShow, "SeqSimplexInitialize", StageWindow::Setup, StepsResume::TrialOnShow},
        {Progress::TrialOnShow, "DefineFactors", StageWindow::Factors, StepsResume::TrialOnShow},
        {Progress::TrialOnShow, "steps", StageWindow::Steps, StepsResume::TrialOnShow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.progress) << " at " << c.stage);
        const Resumption resumption = ResumptionOf(Reached(c.progress, QString::fromLatin1(c.stage)));
        EXPECT_EQ(resumption.window, c.window);
        EXPECT_EQ(resumption.steps, c.steps);
    }
}

} // namespace
} // namespace zeltomir::simplex
