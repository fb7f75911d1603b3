#include "simplex/Resumption.h"

#include "simplex/EngineSupport.h"

namespace zeltomir::simplex {

namespace {

StageWindow WindowOf(const core::Choice<core::Stage>& stage)
{
    switch (stage.kind()) {
    case core::Stage::None:
    case core::Stage::DefineFactors:
        return StageWindow::Factors;
    case core::Stage::SeqSimplexInitialize:
        return StageWindow::Setup;
    case core::Stage::Steps:
    case core::Stage::Other:
        break;
    }
    return StageWindow::Steps;
}

StepsResume StepsOf(const core::OptimizationProblem& problem)
{
    const StepReadiness readiness = ReadinessOf(problem);
    if (readiness == StepReadiness::Ready)
        return StepsResume::TrialOnShow;
    const bool duringSteps = problem.Stage == core::Stage::Steps;
    const bool resumable = duringSteps || problem.Stage == core::Stage::SeqSimplexInitialize;
    if (readiness == StepReadiness::NotBegun && resumable)
        return StepsResume::BeginOptimization;
    if (duringSteps || (resumable && problem.InitialSimplexDefined == QLatin1String("yes")))
        return StepsResume::DefineInitialSimplex;
    return StepsResume::NotResumable;
}

} // namespace

Resumption ResumptionOf(const core::OptimizationProblem& problem)
{
    return {WindowOf(problem.Stage), StepsOf(problem)};
}

} // namespace zeltomir::simplex
