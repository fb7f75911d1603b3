#include "simplex/InitialSimplex.h"

#include "simplex/EngineSupport.h"
#include "simplex/ResponseSetup.h"

#include "core/LevelScaling.h"
#include "core/NumberText.h"

#include <optional>

namespace zeltomir::simplex {

namespace {

QString NumberText(double value, const QLocale& locale)
{
    return core::GeneralForm(value, core::Precision::Double, locale);
}

// A column whose cells are all numbers, equal at single precision, proposes
// no movement along that factor. A cell that is no number is left to the
// commit to report, so such a column gets no warning.
std::vector<core::Message> SameColumnWarnings(int k, const GridText& grid, const QLocale& locale)
{
    std::vector<core::Message> warnings;
    for (int j = 1; j <= k; ++j) {
        const std::optional<float> first = core::ParseSingle(grid.cell(1, j), locale);
        bool allSame = first.has_value();
        for (int i = 2; allSame && i <= k + 1; ++i) {
            const std::optional<float> value = core::ParseSingle(grid.cell(i, j), locale);
            allSame = value && *value == *first;
        }
        if (allSame)
            warnings.push_back(Critical(DataEntryError, QStringLiteral("All values in column %1 are the same.").arg(j)));
    }
    return warnings;
}

// The result columns: one per response where several are defined, else
// the one Result column.
int ResultColumns(const core::OptimizationProblem& problem)
{
    return problem.Responses.empty() ? 1 : static_cast<int>(problem.Responses.size());
}

bool AllResponsesZero(const core::OptimizationProblem& problem, const GridText& grid, const QLocale& locale)
{
    const int k = problem.NumFactors;
    for (int i = 1; i <= k + 1; ++i) {
        for (int j = 1; j <= ResultColumns(problem); ++j) {
            const std::optional<double> response = core::ParseNumber(grid.cell(i, k + j), locale);
            if (!response || *response != 0)
                return false;
        }
    }
    return true;
}

// The level cell (row i, factor j) checked against the factor's limits, both
// at single precision; nullopt when it may be stored.
std::optional<core::Message> LevelProblem(const core::Factor& factor, int row, const std::optional<double>& level,
                                          const QLocale& locale)
{
    const QString where = QStringLiteral("The level for factor %1 in row %2 ").arg(factor.FactorName).arg(row);
    if (!level)
        return Critical(DataInputError, where + QStringLiteral("is not numeric."));
    if (const std::optional<QString> refusal = LevelRefusal(factor, *level, locale))
        return Critical(DataInputError, where + *refusal);
    if (LimitsCoincide(factor))
        return EqualLimitsMessage(factor.FactorName);
    return std::nullopt;
}

Outcome ResultNotNumeric(const core::OptimizationProblem& problem, int row, int response = 1)
{
    const QString which = problem.Responses.empty()
        ? QString()
        : QStringLiteral(" of %1").arg(problem.Responses[static_cast<std::size_t>(response - 1)].name);
    return {{Critical(DataInputError, QStringLiteral("The result%1 in row %2 is not numeric.").arg(which).arg(row))},
            Focus::InitialCell, false, problem.NumFactors + response, row};
}

// The result of row `row`: the one cell, or the D of the row's responses,
// which are stored for its vertex; the first cell that is no number refuses.
std::optional<float> RowResult(core::OptimizationProblem* problem, const core::OptimizationProblem& read,
                               const GridText& grid, int row, const QLocale& locale, Outcome& refusal)
{
    const int k = read.NumFactors;
    std::vector<float> values;
    for (int j = 1; j <= ResultColumns(read); ++j) {
        const std::optional<float> value = core::ParseSingle(grid.cell(row, k + j), locale);
        if (!value) {
            refusal = ResultNotNumeric(read, row, j);
            return std::nullopt;
        }
        values.push_back(*value);
    }
    if (read.Responses.empty())
        return values.front();
    if (problem)
        return StoreVertexResponses(*problem, row, values);
    return 0.0f;
}

// Clears the vertex history to the k+1 initial vertices and stores the levels
// and results cell by cell, in row order, stopping at the first bad one.
Outcome CommitCells(core::OptimizationProblem& problem, const GridText& grid, bool setRecordResponse,
                    const QLocale& locale)
{
    const int k = problem.NumFactors;
    // Sized before the history is cleared to its exact shape, which records
    // the factor count this simplex belongs to.
    core::EnsureCapacity(problem, k, k + 1);
    problem.VertexHistory.redim(k + 4, k + 1);
    problem.NumVertices = static_cast<std::int16_t>(k + 1);
    // A trial on show belongs to the simplex being replaced; no result may
    // be entered for it until Begin Optimization proposes one of this simplex.
    problem.CurrentVertexType = {};

    for (int i = 1; i <= k + 1; ++i) {
        for (int j = 1; j <= k; ++j) {
            const core::Factor factor = FactorOf(problem, j);
            const std::optional<double> level = core::ParseNumber(grid.cell(i, j), locale);
            if (const auto message = LevelProblem(factor, i, level, locale))
                return {{*message}, Focus::InitialCell, false, j, i};
            const double coded = core::ToCoded(factor.LowerLimit, factor.UpperLimit, *level);
            problem.Simplex.at(j, i) = coded;
            problem.VertexHistory.at(j, i) = coded;
        }
    }

    if (setRecordResponse)
        problem.RecordResponse = core::AimsAtTarget(problem.Goal) ? problem.TargetValue + 9999999 : 9999999;
    if (!problem.Responses.empty())
        problem.VertexResponses.redim(static_cast<int>(problem.Responses.size()), k + 1);
    for (int i = 1; i <= k + 1; ++i) {
        Outcome refusal;
        const std::optional<float> result = RowResult(&problem, problem, grid, i, locale, refusal);
        if (!result)
            return refusal;
        problem.Simplex.at(k + 1, i) = *result;
        problem.VertexHistory.at(k + 1, i) = *result;
        if (setRecordResponse && *result < problem.RecordResponse)
            problem.RecordResponse = *result;
    }
    return {};
}

// Trials beyond the committed initial simplex are recorded.
bool RunUnderWay(const core::OptimizationProblem& problem)
{
    return ReadinessOf(problem) != StepReadiness::NoInitialSimplex && problem.NumVertices > problem.NumFactors + 1;
}

Outcome TooFewFactors()
{
    // The count can change while the window is open; fewer than two factors
    // have no simplex to commit.
    return {{Critical(InputError, QStringLiteral("There must be at least 2 factors."))}, Focus::None, false};
}

} // namespace

GridText LoadInitialSimplexGrid(core::OptimizationProblem& problem, const QLocale& locale)
{
    const int k = problem.NumFactors;
    // A run under way keeps its vertices: opening the window to look at the
    // initial simplex must not cut the history short.
    if (!RunUnderWay(problem))
        problem.NumVertices = static_cast<std::int16_t>(k + 1);
    GridText grid(k + 1, k + ResultColumns(problem));
    for (int i = 1; i <= k + 1; ++i) {
        for (int j = 1; j <= k; ++j) {
            const core::Factor factor = FactorOf(problem, j);
            grid.setCell(i, j, NumberText(core::ToNatural(factor.LowerLimit, factor.UpperLimit,
                                                          problem.VertexHistory.value(j, i)),
                                          locale));
        }
        if (problem.Responses.empty())
            grid.setCell(i, k + 1, NumberText(problem.VertexHistory.value(k + 1, i), locale));
        for (int j = 1; j <= static_cast<int>(problem.Responses.size()); ++j)
            grid.setCell(i, k + j, NumberText(problem.VertexResponses.value(j, i), locale));
    }
    return grid;
}

GridText FillInitialSimplexGrid(const core::OptimizationProblem& problem, GridText current, const QLocale& locale)
{
    const int k = problem.NumFactors;
    current.resize(k + 1, k + ResultColumns(problem));
    for (int j = 1; j <= k; ++j)
        current.setHeader(j, FactorOf(problem, j).FactorName);
    if (problem.Responses.empty())
        current.setHeader(k + 1, QStringLiteral("Result"));
    for (std::size_t j = 0; j < problem.Responses.size(); ++j)
        current.setHeader(k + 1 + static_cast<int>(j), problem.Responses[j].name);
    for (int i = 1; i <= k; ++i) {
        for (int j = 1; j <= k; ++j) {
            const core::Factor factor = FactorOf(problem, j);
            current.setCell(i, j, NumberText(j == i ? factor.UpperLimit : factor.LowerLimit, locale));
        }
    }
    return current;
}

Outcome ContinueInitialSimplex(core::OptimizationProblem& problem, const GridText& grid, const EngineHooks& hooks,
                               const QLocale& locale)
{
    const int k = problem.NumFactors;
    if (k < 2)
        return TooFewFactors();
    Outcome answer;
    answer.messages = SameColumnWarnings(k, grid, locale);
    if (hooks.storeUndoSnapshot)
        hooks.storeUndoSnapshot();
    if (AllResponsesZero(problem, grid, locale)) {
        answer.ok = false;
        answer.messages.push_back(Critical(DataEntryError, QStringLiteral("All responses are zero.  Please input "
                                                                          "the responses for the initial simplex.")));
        return answer;
    }
    Outcome commit = CommitCells(problem, grid, true, locale);
    commit.messages.insert(commit.messages.begin(), answer.messages.begin(), answer.messages.end());
    answer = std::move(commit);
    if (answer.ok)
        problem.InitialSimplexDefined = QStringLiteral("yes");
    return answer;
}

Outcome CheckInitialSimplexRow(const core::OptimizationProblem& problem, const GridText& grid, int row,
                               const QLocale& locale)
{
    const int k = problem.NumFactors;
    for (int j = 1; j <= k; ++j) {
        const std::optional<double> level = core::ParseNumber(grid.cell(row, j), locale);
        if (const auto message = LevelProblem(FactorOf(problem, j), row, level, locale))
            return {{*message}, Focus::InitialCell, false, j, row};
    }
    Outcome refusal;
    if (!RowResult(nullptr, problem, grid, row, locale, refusal))
        return refusal;
    return {};
}

Outcome CommitInitialSimplexGrid(core::OptimizationProblem& problem, const GridText& grid, const QLocale& locale)
{
    if (problem.NumFactors < 2)
        return TooFewFactors();
    // The save would otherwise replace a run's trials by a grid nobody
    // confirmed, with no snapshot to go back to; replacing them takes Continue.
    if (RunUnderWay(problem))
        return {};
    return CommitCells(problem, grid, false, locale);
}

} // namespace zeltomir::simplex
