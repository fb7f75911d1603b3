#include "simplex/MeasureAgain.h"

#include "simplex/EngineSupport.h"
#include "simplex/SimplexMoves.h"
#include "simplex/SimplexTerms.h"
#include "simplex/StepRules.h"
#include "simplex/TrialDisplay.h"
#include "simplex/VertexStatus.h"

#include "core/LevelScaling.h"
#include "core/NumberText.h"

#include <algorithm>
#include <numeric>

namespace zeltomir::simplex {

namespace {

// Rows 1..k+1 in ascending order of their objectives; a stable sort, so two
// rows that score alike stay in the order they had.
void RankAllRows(core::OptimizationProblem& problem)
{
    const int k = problem.NumFactors;
    core::Matrix& simplex = problem.Simplex;
    std::vector<int> order(static_cast<std::size_t>(k + 1));
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(),
                     [&simplex, k](int a, int b) { return simplex.value(k + 4, a) < simplex.value(k + 4, b); });
    std::vector<double> column(order.size());
    for (int c = 1; c <= k + 4; ++c) {
        for (std::size_t r = 0; r < order.size(); ++r)
            column[r] = simplex.value(c, order[r]);
        for (std::size_t r = 0; r < order.size(); ++r)
            simplex.at(c, static_cast<int>(r) + 1) = column[r];
    }
}

// Names the move tried; OutOfLimits is left as the move set it, for the
// next fallback to look at.
void Propose(core::OptimizationProblem& problem, VertexType type, const QString& instruction)
{
    problem.CurrentVertexType = type;
    problem.NextVertexType = type;
    problem.Instruction = instruction;
}

} // namespace

int SimplexRowOf(const core::OptimizationProblem& problem, int vertex)
{
    const int k = problem.NumFactors;
    for (int r = 1; r <= k + 1; ++r) {
        if (problem.Simplex.value(k + 3, r) == vertex)
            return r;
    }
    return 0;
}

bool StepInProgress(const core::OptimizationProblem& problem)
{
    const int k = problem.NumFactors;
    const int n = problem.NumVertices;
    if (problem.StepType == QLatin1String("Fixed") || n <= k + 1)
        return false;
    return problem.VertexHistory.value(k + 2, n) == core::TypeCode(VertexType::Reflection)
        && SimplexRowOf(problem, n) == 0;
}

std::vector<SimplexVertex> CurrentSimplexVertices(const core::OptimizationProblem& problem, const QLocale& locale)
{
    const int k = problem.NumFactors;
    std::vector<SimplexVertex> vertices;
    for (int r = 1; r <= k + 1; ++r) {
        SimplexVertex vertex;
        vertex.vertex = static_cast<int>(problem.Simplex.value(k + 3, r));
        for (int i = 1; i <= k; ++i) {
            const core::Factor factor = FactorOf(problem, i);
            const double natural = core::ToNatural(factor.LowerLimit, factor.UpperLimit, problem.Simplex.value(i, r));
            vertex.levels.append(core::FormatByDigits(natural, factor.SignificantDigits, locale));
        }
        vertex.result = StatusOf(problem, vertex.vertex) == VertexStatus::Failed
            ? QStringLiteral("failed")
            : core::GeneralForm(problem.Simplex.value(k + 1, r), core::Precision::Single, locale);
        vertices.push_back(vertex);
    }
    std::sort(vertices.begin(), vertices.end(),
              [](const SimplexVertex& a, const SimplexVertex& b) { return a.vertex < b.vertex; });
    return vertices;
}

Trial AgainTrial(const core::OptimizationProblem& problem, int vertex, const QLocale& locale)
{
    Trial trial;
    const int row = SimplexRowOf(problem, vertex);
    for (int i = 1; i <= problem.NumFactors; ++i) {
        const core::Factor factor = FactorOf(problem, i);
        const double natural = core::ToNatural(factor.LowerLimit, factor.UpperLimit, problem.Simplex.value(i, row));
        trial.levels.append(LevelText(natural, factor.SignificantDigits, false, locale));
    }
    trial.instruction = QStringLiteral("Measure Vertex %1 Again").arg(vertex);
    trial.vertexType = core::Choice<VertexType>(VertexType::Again).text();
    trial.vertexNumber = problem.NumVertices + 1;
    trial.againOf = vertex;
    return trial;
}

StepsOutcome MeasureAgain(core::OptimizationProblem& problem, core::RunTimeState& runTime, int vertex,
                          const QLocale& locale)
{
    StepsOutcome answer;
    answer.outcome.ok = false;
    switch (ReadinessOf(problem)) {
    case StepReadiness::NoInitialSimplex:
        answer.outcome.messages.push_back(NoFittingSimplexMessage(problem));
        return answer;
    case StepReadiness::NotBegun:
        answer.outcome.messages.push_back(BeginOptimizationFirst());
        return answer;
    case StepReadiness::Ready:
        break;
    }
    if (StepInProgress(problem)) {
        answer.outcome.messages.push_back({NoticeTitle, FinishStepBeforeAgain, core::MessageIcon::Exclamation});
        return answer;
    }
    if (vertex < 1 || SimplexRowOf(problem, vertex) == 0) {
        answer.outcome.messages.push_back(
            Critical(InputError, QStringLiteral("Vertex %1 is not in the current simplex.").arg(vertex)));
        return answer;
    }
    MarkPendingAgain(problem, vertex);
    runTime.Modified = QStringLiteral("yes");
    answer.outcome.ok = true;
    answer.outcome.focus = Focus::StepsResult;
    answer.steps = StepsContent{std::nullopt, AgainTrial(problem, vertex, locale)};
    return answer;
}

StepsOutcome CancelMeasureAgain(core::OptimizationProblem& problem, core::RunTimeState& runTime, const QLocale& locale)
{
    StepsOutcome answer;
    if (PendingAgain(problem)) {
        ClearPendingAgain(problem);
        runTime.Modified = QStringLiteral("yes");
    }
    answer.outcome.focus = Focus::StepsResult;
    answer.steps = StepsContent{std::nullopt, ReopenedSteps(problem, locale).trial};
    return answer;
}

void RecordAgain(core::OptimizationProblem& problem, float result, bool failed)
{
    const int k = problem.NumFactors;
    const int old = PendingAgain(problem).value_or(0);
    const int row = SimplexRowOf(problem, old);
    const int n = problem.NumVertices + 1;
    MakeRoomForVertex(problem, n);
    ClearPendingAgain(problem);
    problem.PreviousResult = problem.LastResult;
    problem.LastResult = failed ? 0.0 : result;
    problem.NumVertices = static_cast<std::int16_t>(n);
    SetStatus(problem, n, failed ? VertexStatus::Failed : VertexStatus::Measured);

    core::Matrix& history = problem.VertexHistory;
    for (int i = 1; i <= k; ++i)
        history.at(i, n) = problem.Simplex.value(i, row);
    problem.LastObjective = ScoreOf(problem, n, problem.LastResult);
    history.at(k + 1, n) = problem.LastResult;
    history.at(k + 2, n) = core::TypeCode(VertexType::Again);
    history.at(k + 3, n) = 1;
    history.at(k + 4, n) = problem.LastObjective;
    problem.PreviousVertexType = VertexType::Again;

    problem.Simplex.at(k + 1, row) = problem.LastResult;
    problem.Simplex.at(k + 3, row) = n;
    problem.Simplex.at(k + 4, row) = problem.LastObjective;
    ProposeFromRescoredSimplex(problem);
}

void ProposeFromRescoredSimplex(core::OptimizationProblem& problem)
{
    RankAllRows(problem);
    problem.OutOfLimits = QStringLiteral("n");
    ComputeReflection(problem);
    Propose(problem, VertexType::Reflection, InstructionText::UseReflection);
    if (problem.OutOfLimits == QLatin1String("y")) {
        problem.OutOfLimits = QStringLiteral("n");
        Propose(problem, VertexType::ForwardContraction, InstructionText::ContractForward);
        PlaceTrialFromCentroid(problem, 0.5, false);
    }
    if (problem.OutOfLimits == QLatin1String("y")) {
        problem.OutOfLimits = QStringLiteral("n");
        Propose(problem, VertexType::ReverseContraction, InstructionText::ContractReverse);
        PlaceTrialFromCentroid(problem, -0.5, true);
    }
    problem.OutOfLimits = QStringLiteral("n");
    problem.InstructionFlag = QStringLiteral("yes");
}

} // namespace zeltomir::simplex
