#include "simplex/StepRules.h"

#include "simplex/EngineSupport.h"
#include "simplex/SimplexMoves.h"
#include "simplex/SimplexTerms.h"
#include "simplex/TrialDisplay.h"
#include "simplex/VertexStatus.h"

#include "core/LevelScaling.h"

namespace zeltomir::simplex {

namespace {

struct Decision {
    VertexType next;
    QString instruction;
    bool extensionPending = false; // InstructionFlag "no"
    bool retentionDue = true;
};

double& slot(std::vector<double>& table, int i)
{
    return table[static_cast<std::size_t>(i)];
}

// Step 1: the trial becomes vertex n of the history.
int RecordVertex(core::OptimizationProblem& problem, float result, const std::vector<double>& naturalLevels,
                 bool failed)
{
    const int k = problem.NumFactors;
    const int n = problem.NumVertices + 1;
    // The room first: when the memory for it runs out, the record is still
    // the one before this result, whole, and can be saved as it stands.
    MakeRoomForVertex(problem, n);
    problem.PreviousResult = problem.LastResult;
    problem.LastResult = failed ? 0.0f : result;
    problem.NumVertices = static_cast<std::int16_t>(n);
    // Written whatever it was: a slot beyond the history may hold the status
    // of a vertex that Begin Optimization or Undo dropped.
    SetStatus(problem, n, failed ? VertexStatus::Failed : VertexStatus::Measured);

    core::Matrix& history = problem.VertexHistory;
    for (int i = 1; i <= k; ++i) {
        const core::Factor factor = FactorOf(problem, i);
        const auto index = static_cast<std::size_t>(i - 1);
        const double level = index < naturalLevels.size() ? naturalLevels[index] : 0;
        history.at(i, n) = core::ToCoded(factor.LowerLimit, factor.UpperLimit, level);
    }
    problem.LastObjective = ScoreOf(problem, n, problem.LastResult);
    history.at(k + 4, n) = problem.LastObjective;
    history.at(k + 1, n) = problem.LastResult;
    history.at(k + 2, n) = core::TypeCode(problem.CurrentVertexType);
    history.at(k + 3, n) = 0;
    problem.PreviousVertexType = problem.CurrentVertexType;
    return n;
}

void Apply(core::OptimizationProblem& problem, const Decision& decision)
{
    problem.NextVertexType = decision.next;
    problem.Instruction = decision.instruction;
    problem.InstructionFlag = decision.extensionPending ? QStringLiteral("no") : QStringLiteral("yes");
}

const Decision AcceptAndReflect{VertexType::Reflection, InstructionText::UseReflection};

// Step 2: decides on the evaluated vertex n; answers how the trial was shown
// and whether retention is to be counted.
Shown Decide(core::OptimizationProblem& problem, int n, bool& retentionDue)
{
    const int k = problem.NumFactors;
    const double o = problem.LastObjective;
    // The reflection evaluated before an extension is vertex n - 1.
    const double previousObjective = ResultObjective(problem, n - 1, problem.PreviousResult);
    const auto accept = [&](const Decision& decision, double result, double objective, int number) {
        Apply(problem, decision);
        retentionDue = decision.retentionDue;
        return AcceptVertex(problem, result, objective, static_cast<std::int16_t>(number));
    };
    const core::Choice<VertexType>& type = problem.CurrentVertexType;

    if (problem.StepType == QLatin1String("Fixed"))
        return accept(AcceptAndReflect, problem.LastResult, o, n);

    if (type == VertexType::Reflection) {
        const double w = problem.Simplex.value(k + 4, 1);
        const double lowest = problem.Simplex.value(k + 4, 2);
        const double best = problem.Simplex.value(k + 4, k + 1);
        if (o >= lowest && o <= best)
            return accept(AcceptAndReflect, problem.LastResult, o, n);
        if (o >= best) {
            Apply(problem, {VertexType::Extension, InstructionText::EvaluateExtension, true, false});
            retentionDue = false;
            const Shown shown = ProposeExtension(problem);
            if (problem.OutOfLimits != QLatin1String("y"))
                return shown;
            problem.OutOfLimits = QStringLiteral("n");
            return accept(AcceptAndReflect, problem.LastResult, o, n);
        }
        retentionDue = false;
        if (o <= w) {
            Apply(problem, {VertexType::ReverseContraction, InstructionText::ContractReverse});
            return ContractReverse(problem);
        }
        Apply(problem, {VertexType::ForwardContraction, InstructionText::ContractForward});
        return ContractForward(problem);
    }

    if (type == VertexType::ForwardContraction || type == VertexType::ReverseContraction)
        return accept(AcceptAndReflect, problem.LastResult, o, n);

    // The evaluated trial was an extension: keep it only when it is at least
    // as good as the reflection evaluated just before it (vertex n - 1).
    if (o >= previousObjective)
        return accept({VertexType::Reflection, InstructionText::UseExtension}, problem.LastResult, o, n);
    for (int i = 1; i <= k; ++i)
        slot(problem.TrialPoint, i) = problem.VertexHistory.value(i, n - 1);
    return accept(AcceptAndReflect, problem.PreviousResult, previousObjective, n - 1);
}

struct Attempt {
    double stepShare;  // TrialPoint = Centroid + stepShare * StepVector
    VertexType type;
    const QString* instruction;
};

const Attempt Reflect{1.0, VertexType::Reflection, &InstructionText::UseReflection};
const Attempt Forward{0.5, VertexType::ForwardContraction, &InstructionText::ContractForward};
const Attempt Reverse{-0.5, VertexType::ReverseContraction, &InstructionText::ContractReverse};

std::vector<Attempt> AttemptsAfter(const core::Choice<VertexType>& evaluatedType)
{
    switch (evaluatedType.kind()) {
    case VertexType::Extension:
        return {Reflect, Forward, Reverse};
    case VertexType::Reflection:
        return {Forward, Reverse};
    case VertexType::ForwardContraction:
    case VertexType::ReverseContraction:
        return {Reverse};
    case VertexType::Initial:
    case VertexType::Again:
    case VertexType::Other:
        break;
    }
    return {};
}

// Step 3: replaces a trial outside the limits by the first attempt that lies
// inside; the last attempt is clamped to the limits and always taken.
void KeepInsideLimits(core::OptimizationProblem& problem)
{
    const std::vector<Attempt> attempts = AttemptsAfter(problem.CurrentVertexType);
    for (std::size_t a = 0; a < attempts.size() && problem.OutOfLimits == QLatin1String("y"); ++a) {
        const Attempt& attempt = attempts[a];
        const bool last = a + 1 == attempts.size();
        problem.OutOfLimits = QStringLiteral("n");
        problem.NextVertexType = attempt.type;
        problem.Instruction = *attempt.instruction;
        PlaceTrialFromCentroid(problem, attempt.stepShare, last);
    }
}

// The evaluated type whose fallbacks replace a trial proposed after it; the
// first trial of a run falls back as a reflection does.
core::Choice<VertexType> EvaluatedType(const core::OptimizationProblem& problem)
{
    const core::Choice<VertexType>& type = problem.PreviousVertexType;
    return AttemptsAfter(type).empty() ? VertexType::Reflection : type;
}

} // namespace

Trial ProcessStepResult(core::OptimizationProblem& problem, float result, const std::vector<double>& naturalLevels,
                        const QLocale& locale)
{
    const bool rounded = AdvanceStep(problem, result, naturalLevels);
    return TrialOnShow(problem, rounded, locale);
}

bool KeepTrialOnShowInsideLimits(core::OptimizationProblem& problem)
{
    const int k = problem.NumFactors;
    bool outside = false;
    for (int i = 1; i <= k; ++i)
        outside = outside || OutsideLimits(SlotOf(problem.TrialPoint, i));
    if (!outside)
        return false;
    const core::Choice<VertexType> onShow = problem.CurrentVertexType;
    problem.OutOfLimits = QStringLiteral("n");
    bool retentionDue = false;
    if (onShow == VertexType::Extension) {
        // As when the extension never fitted: the reflection evaluated before
        // it, vertex n, is kept.
        Apply(problem, AcceptAndReflect);
        retentionDue = true;
        AcceptVertex(problem, problem.LastResult, ResultObjective(problem, problem.NumVertices, problem.LastResult),
                     problem.NumVertices);
        problem.CurrentVertexType = VertexType::Reflection;
    } else {
        problem.OutOfLimits = QStringLiteral("y");
        problem.CurrentVertexType = EvaluatedType(problem);
    }
    if (problem.OutOfLimits == QLatin1String("y"))
        KeepInsideLimits(problem);
    if (retentionDue)
        CountRetention(problem);
    problem.CurrentVertexType = problem.NextVertexType;
    problem.OutOfLimits = QStringLiteral("n");
    return true;
}

// The history's columns keep spare room, so a long run does not copy the
// whole history on every step.
void MakeRoomForVertex(core::OptimizationProblem& problem, int n)
{
    core::EnsureCapacity(problem, problem.NumFactors, n);
}

bool AdvanceStep(core::OptimizationProblem& problem, float result, const std::vector<double>& naturalLevels,
                 bool failed)
{
    const int n = RecordVertex(problem, result, naturalLevels, failed);
    bool retentionDue = true;
    Shown shown = Decide(problem, n, retentionDue);
    if (problem.OutOfLimits == QLatin1String("y")) {
        KeepInsideLimits(problem);
        shown = Shown::Rounded;
    }
    if (retentionDue)
        CountRetention(problem);
    problem.CurrentVertexType = problem.NextVertexType;
    // Every path shows a trial (a proposed extension outside the limits falls
    // back to accepting the reflection, which shows its successor); only an
    // OutOfLimits flag read from a file as neither "y" nor "n" can keep an
    // extension from being shown, and then the reflection stays on show.
    return shown != Shown::Unrounded;
}

} // namespace zeltomir::simplex
