#include "simplex/ReadBack.h"

#include "simplex/BeginOptimization.h"
#include "simplex/EngineSupport.h"
#include "simplex/SimplexMoves.h"
#include "simplex/SimplexTerms.h"
#include "simplex/SimulatedRun.h"
#include "simplex/StepRules.h"
#include "simplex/VertexStatus.h"

#include "core/LevelScaling.h"
#include "core/NumberText.h"
#include "core/ShortestDecimal.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace zeltomir::simplex {

namespace {

// The decimals a factor's levels are shown and proposed with: 0 to 9 as
// asked, 10 for any other value.
int ShownDecimals(double digits)
{
    return digits >= 0 && digits <= 9 && std::floor(digits) == digits ? static_cast<int>(digits) : 10;
}

// `known` where it gives the single read, else `otherwise`.
double Agreeing(double read, std::optional<double> known, double otherwise)
{
    return known && core::KeepsSingle(*known, read) ? *known : otherwise;
}

std::optional<double> KnownValue(const core::Matrix* matrix, int column, int row)
{
    if (!matrix || !matrix->contains(column, row))
        return std::nullopt;
    return matrix->value(column, row);
}

void RestoreLimits(core::OptimizationProblem& problem, const core::OptimizationProblem* known)
{
    for (int i = 1; i <= problem.NumFactors && i < static_cast<int>(problem.Factors.size()); ++i) {
        core::Factor& factor = problem.Factors[static_cast<std::size_t>(i)];
        const bool hasKnown = known && i < static_cast<int>(known->Factors.size());
        const core::Factor* was = hasKnown ? &known->Factors[static_cast<std::size_t>(i)] : nullptr;
        factor.LowerLimit = Agreeing(factor.LowerLimit, was ? std::optional(was->LowerLimit) : std::nullopt,
                                     core::ShortestDecimalOfSingle(factor.LowerLimit));
        factor.UpperLimit = Agreeing(factor.UpperLimit, was ? std::optional(was->UpperLimit) : std::nullopt,
                                     core::ShortestDecimalOfSingle(factor.UpperLimit));
    }
}

// The levels of the vertex history: the known ones where they agree, else
// the shortest levels.
void RestoreHistoryLevels(core::OptimizationProblem& problem, const core::OptimizationProblem* known)
{
    const int k = problem.NumFactors;
    const int n = std::min<int>(problem.NumVertices, problem.VertexHistory.maxRow());
    for (int i = 1; i <= k && i <= problem.VertexHistory.maxCol(); ++i) {
        const core::Factor factor = FactorOf(problem, i);
        const int decimals = ShownDecimals(factor.SignificantDigits);
        double* column = problem.VertexHistory.column(i);
        for (int v = 1; v <= n; ++v) {
            double& coded = column[v];
            const std::optional<double> was = KnownValue(known ? &known->VertexHistory : nullptr, i, v);
            coded = was && core::KeepsSingle(*was, coded)
                ? *was
                : core::ShortestDecimalLevel(factor.LowerLimit, factor.UpperLimit, coded, decimals);
        }
    }
}

// The shortest natural level of every vertex v and factor i of the history,
// at (v - 1) * k + i - 1 (the level as read where none qualifies).
std::vector<double> ShortestNaturals(const core::OptimizationProblem& problem)
{
    const int k = problem.NumFactors;
    const int n = std::min<int>(problem.NumVertices, problem.VertexHistory.maxRow());
    std::vector<double> naturals(static_cast<std::size_t>(n) * static_cast<std::size_t>(k));
    for (int i = 1; i <= k && i <= problem.VertexHistory.maxCol(); ++i) {
        const core::Factor factor = FactorOf(problem, i);
        const int decimals = ShownDecimals(factor.SignificantDigits);
        for (int v = 1; v <= n; ++v) {
            const double coded = problem.VertexHistory.value(i, v);
            naturals[static_cast<std::size_t>(v - 1) * static_cast<std::size_t>(k) + static_cast<std::size_t>(i - 1)] =
                core::ShortestNaturalLevel(factor.LowerLimit, factor.UpperLimit, coded, decimals)
                    .value_or(core::ToNatural(factor.LowerLimit, factor.UpperLimit, coded));
        }
    }
    return naturals;
}

// The row of a known simplex that holds this vertex; 0 for none.
int KnownRowOf(const core::OptimizationProblem& known, int k, double vertexNumber)
{
    for (int r = 1; r <= k + 1; ++r) {
        if (known.Simplex.value(k + 3, r) == vertexNumber)
            return r;
    }
    return 0;
}

// The simplex rows: the levels of the same vertex in the known simplex
// where all of them agree, else the shortest levels; the objective likewise,
// else the goal's objective of the result.
void RestoreSimplex(core::OptimizationProblem& problem, const core::OptimizationProblem* known)
{
    const int k = problem.NumFactors;
    core::Matrix& simplex = problem.Simplex;
    for (int r = 1; r <= k + 1; ++r) {
        const int knownRow = known ? KnownRowOf(*known, k, simplex.value(k + 3, r)) : 0;
        bool agrees = knownRow > 0;
        for (int i = 1; i <= k && agrees; ++i)
            agrees = core::KeepsSingle(known->Simplex.value(i, knownRow), simplex.value(i, r));
        for (int i = 1; i <= k; ++i) {
            const core::Factor factor = FactorOf(problem, i);
            double& coded = simplex.at(i, r);
            coded = agrees ? known->Simplex.value(i, knownRow)
                           : core::ShortestDecimalLevel(factor.LowerLimit, factor.UpperLimit, coded,
                                                        ShownDecimals(factor.SignificantDigits));
        }
        double& objective = simplex.at(k + 4, r);
        objective = Agreeing(objective, knownRow ? KnownValue(&known->Simplex, k + 4, knownRow) : std::nullopt,
                             Agreeing(objective, ScoreOf(problem, VertexNumberOfRow(problem, r), simplex.value(k + 1, r)),
                                      objective));
    }
}

void RestoreHistoryObjectives(core::OptimizationProblem& problem, const core::OptimizationProblem* known)
{
    const int k = problem.NumFactors;
    core::Matrix& history = problem.VertexHistory;
    if (k + 4 > history.maxCol())
        return;
    double* objectives = history.column(k + 4);
    const double* results = history.column(k + 1);
    for (int v = 1; v <= problem.NumVertices && v <= history.maxRow(); ++v) {
        const double objective = ScoreOf(problem, v, results[v]);
        objectives[v] = Agreeing(objectives[v], KnownValue(known ? &known->VertexHistory : nullptr, k + 4, v),
                                 Agreeing(objectives[v], objective, objectives[v]));
    }
}

// Slots 1..k of `computed` where each gives the single stored in `read`.
bool GivesStoredSingles(const std::vector<double>& computed, const std::vector<double>& read, int k)
{
    if (computed.size() <= static_cast<std::size_t>(k))
        return false;
    for (int i = 1; i <= k; ++i) {
        if (!core::KeepsSingle(SlotOf(computed, i), SlotOf(read, i)))
            return false;
    }
    return true;
}

// Copies slots 1..k when all of them give the singles read.
bool TakeAgreeing(const std::vector<double>& candidate, std::vector<double>& read, int k)
{
    if (!GivesStoredSingles(candidate, read, k))
        return false;
    for (int i = 1; i <= k && i < static_cast<int>(read.size()); ++i)
        read[static_cast<std::size_t>(i)] = candidate[static_cast<std::size_t>(i)];
    return true;
}

// The trials the moves can have proposed from this simplex for a trial of
// this type: from the reflection that an acceptance computes, or from the
// centroid as the limits' fallbacks and the first trial compute them.
std::vector<std::vector<double>> TrialCandidates(const core::OptimizationProblem& reflected,
                                                 const core::Choice<VertexType>& type)
{
    const auto moved = [&reflected](auto move) {
        core::OptimizationProblem trial = reflected;
        move(trial);
        return trial.OutOfLimits == QLatin1String("n") ? trial.TrialPoint : std::vector<double>{};
    };
    const auto fromCentroid = [&moved](double share, bool clamp) {
        return moved([=](core::OptimizationProblem& p) { PlaceTrialFromCentroid(p, share, clamp); });
    };
    if (type == VertexType::Reflection)
        return {reflected.TrialPoint, fromCentroid(1.0, false)};
    if (type == VertexType::Extension)
        return {moved([](core::OptimizationProblem& p) { ProposeExtension(p); })};
    if (type == VertexType::ForwardContraction)
        return {moved([](core::OptimizationProblem& p) { ContractForward(p); }), fromCentroid(0.5, false)};
    if (type == VertexType::ReverseContraction)
        return {moved([](core::OptimizationProblem& p) { ContractReverse(p); }), fromCentroid(-0.5, true)};
    return {};
}

// The trial on show at its shortest levels.
void RestoreTrialLevels(core::OptimizationProblem& problem)
{
    for (int i = 1; i <= problem.NumFactors && i < static_cast<int>(problem.TrialPoint.size()); ++i) {
        const core::Factor factor = FactorOf(problem, i);
        double& coded = problem.TrialPoint[static_cast<std::size_t>(i)];
        coded = core::ShortestDecimalLevel(factor.LowerLimit, factor.UpperLimit, coded,
                                           ShownDecimals(factor.SignificantDigits));
    }
}

// The centroid, step vector and trial: the known ones where they agree,
// else computed again from the restored simplex where they agree, else the
// trial's shortest levels.
void RestoreGeometry(core::OptimizationProblem& problem, const core::OptimizationProblem* known)
{
    const int k = problem.NumFactors;
    const bool fromKnown = known && GivesStoredSingles(known->Centroid, problem.Centroid, k)
                           && GivesStoredSingles(known->StepVector, problem.StepVector, k);
    if (fromKnown) {
        TakeAgreeing(known->Centroid, problem.Centroid, k);
        TakeAgreeing(known->StepVector, problem.StepVector, k);
    }
    if (known && TakeAgreeing(known->TrialPoint, problem.TrialPoint, k))
        return;
    if (!SimplexMatchesFactorCount(problem))
        return RestoreTrialLevels(problem);

    const auto size = static_cast<std::size_t>(k + 1);
    core::OptimizationProblem reflected;
    reflected.NumFactors = problem.NumFactors;
    reflected.Simplex = problem.Simplex;
    reflected.Centroid.assign(size, 0.0);
    reflected.StepVector.assign(size, 0.0);
    reflected.TrialPoint.assign(size, 0.0);
    ComputeReflection(reflected);
    reflected.Simplex = core::Matrix(); // the moves from here on do not read it
    reflected.OutOfLimits = QStringLiteral("n");
    if (!fromKnown && GivesStoredSingles(reflected.Centroid, problem.Centroid, k)
        && GivesStoredSingles(reflected.StepVector, problem.StepVector, k)) {
        TakeAgreeing(reflected.Centroid, problem.Centroid, k);
        TakeAgreeing(reflected.StepVector, problem.StepVector, k);
    }
    for (const std::vector<double>& trial : TrialCandidates(reflected, problem.CurrentVertexType)) {
        if (TakeAgreeing(trial, problem.TrialPoint, k))
            return;
    }
    RestoreTrialLevels(problem);
}

// The level cell of a trial shown unrounded holds its natural level's
// general form, and the vertex records that number where the user ran the
// trial as shown.
double ShownUnrounded(const core::OptimizationProblem& run, int factor)
{
    const core::Factor f = FactorOf(run, factor);
    const double natural = core::ToNatural(f.LowerLimit, f.UpperLimit, SlotOf(run.TrialPoint, factor));
    const QLocale c = QLocale::c();
    return core::ParseNumber(core::GeneralForm(natural + 0.0, core::Precision::Double, c), c).value_or(natural);
}

// The run as the engine runs it again from the initial simplex, with the
// results and levels that the history records: a level as the trial showed
// it where that agrees with the file (a trial shown unrounded has more
// digits than the file keeps), else its shortest natural level. nullopt
// where there is no run (no trial of a committed simplex is on show) or
// where the engine proposes a trial of another type than the history
// records.
std::optional<core::OptimizationProblem> ReplayedRun(const core::OptimizationProblem& read, const QString& stepType)
{
    const int k = read.NumFactors;
    const int n = read.NumVertices;
    if (ReadinessOf(read) != StepReadiness::Ready)
        return std::nullopt;
    // What Next Step checks before every step, for the whole run at once.
    for (int i = 1; i <= k; ++i) {
        const core::Factor factor = FactorOf(read, i);
        if (LimitsCoincide(factor) || RangeOverflows(factor))
            return std::nullopt;
    }
    const std::vector<double> naturals = ShortestNaturals(read);
    const auto levelsOf = [&](int v) {
        const auto first = naturals.begin() + static_cast<std::ptrdiff_t>(v - 1) * k;
        return std::vector<double>(first, first + k);
    };
    core::OptimizationProblem run = read;
    run.StepType = stepType;
    for (int v = 1; v <= k + 1; ++v) {
        const std::vector<double> levels = levelsOf(v);
        for (int i = 1; i <= k; ++i) {
            const core::Factor factor = FactorOf(run, i);
            run.VertexHistory.at(i, v) = core::ToCoded(factor.LowerLimit, factor.UpperLimit, levels[i - 1]);
        }
    }
    if (!BeginOptimization(run).outcome.ok)
        return std::nullopt;
    bool shownRounded = false; // the first trial is shown as computed
    for (int v = k + 2; v <= n; ++v) {
        if (core::TypeCode(run.CurrentVertexType) != read.VertexHistory.value(k + 2, v))
            return std::nullopt;
        std::vector<double> levels = levelsOf(v);
        for (int i = 1; i <= k && !shownRounded; ++i) {
            const core::Factor factor = FactorOf(run, i);
            const double shown = ShownUnrounded(run, i);
            if (core::KeepsSingle(core::ToCoded(factor.LowerLimit, factor.UpperLimit, shown), read.VertexHistory.value(i, v)))
                levels[static_cast<std::size_t>(i - 1)] = shown;
        }
        shownRounded = AdvanceStep(run, SingleOf(read.VertexHistory.value(k + 1, v)), levels);
        run.OutOfLimits = QStringLiteral("n");
    }
    if (run.CurrentVertexType != read.CurrentVertexType)
        return std::nullopt;
    return run;
}

} // namespace

void RestoreRunValues(core::OptimizationProblem& problem, const core::OptimizationProblem* known,
                      const QString& stepType)
{
    if (problem.NumFactors < 1)
        return;
    RestoreLimits(problem, known);
    std::optional<core::OptimizationProblem> replayed;
    if (!known) {
        // The step type kept is the one chosen last; a run switched to it
        // only lately ran with the other one before.
        const QString other = stepType == QLatin1String("Fixed") ? QStringLiteral("Variable") : QStringLiteral("Fixed");
        replayed = ReplayedRun(problem, stepType);
        if (!replayed)
            replayed = ReplayedRun(problem, other);
        known = replayed ? &*replayed : nullptr;
    }
    RestoreHistoryLevels(problem, known);
    RestoreSimplex(problem, known);
    RestoreHistoryObjectives(problem, known);
    RestoreGeometry(problem, known);
}

namespace {

// A file the core reads well may still name a simulated process this
// program does not have; it is refused like any other, the record untouched.
core::FileStatus TakeRead(core::FileStatus read, core::OptimizationProblem loaded, const QString& kept,
                          core::OptimizationProblem& problem, QString* stepType,
                          const core::OptimizationProblem* known)
{
    if (!read)
        return read;
    if (const std::optional<QString> fault = SimulationFault(loaded))
        return core::FileStatus::failure(*fault);
    RestoreRunValues(loaded, known, kept.isEmpty() ? loaded.StepType : kept);
    problem = std::move(loaded);
    if (stepType)
        *stepType = kept;
    return read;
}

} // namespace

core::FileStatus ReadProblemFile(const QString& path, core::OptimizationProblem& problem, QString* stepType,
                                 const core::OptimizationProblem* known)
{
    QString kept;
    core::OptimizationProblem loaded = core::RecordToReadInto(problem);
    const core::FileStatus read = core::ReadStateFile(path, loaded, &kept);
    return TakeRead(read, std::move(loaded), kept, problem, stepType, known);
}

core::FileStatus ParseProblemBytes(QByteArray data, core::OptimizationProblem& problem, QString* stepType,
                                   const core::OptimizationProblem* known)
{
    QString kept;
    core::OptimizationProblem loaded = core::RecordToReadInto(problem);
    const core::FileStatus read = core::ParseStateFileBytes(std::move(data), loaded, &kept);
    return TakeRead(read, std::move(loaded), kept, problem, stepType, known);
}

} // namespace zeltomir::simplex
