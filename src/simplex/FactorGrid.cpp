#include "simplex/FactorGrid.h"

#include "simplex/EngineSupport.h"
#include "simplex/StepRules.h"

#include "core/LevelScaling.h"
#include "core/NumberText.h"
#include "core/StateFile.h"

#include <optional>
#include <vector>

namespace zeltomir::simplex {

namespace {

enum Column { NameColumn = 1, LowerColumn, UpperColumn, DecimalsColumn };

core::Factor& SlotFor(core::OptimizationProblem& problem, int i)
{
    return problem.Factors[static_cast<std::size_t>(i)];
}

std::optional<QString> CommitColumn(core::OptimizationProblem& problem, const GridText& grid, int column,
                                    const QLocale& locale, int& row)
{
    for (row = 1; row <= problem.NumFactors; ++row) {
        const QString text = grid.cell(row, column);
        core::Factor& factor = SlotFor(problem, row);
        if (column == NameColumn) {
            if (text.isEmpty())
                return QStringLiteral("The Factor in row %1 does not have a name.").arg(row);
            switch (core::StateFileTextFault(text)) {
            case core::TextLineFault::TooLong:
                return QStringLiteral("The name of the Factor in row %1 is longer than %2 characters, more than a "
                                      "problem file can keep.")
                    .arg(row)
                    .arg(core::MaxStateFileLineLength);
            case core::TextLineFault::HoldsNul:
                return QStringLiteral("The name of the Factor in row %1 holds a NUL character, which a problem "
                                      "file cannot keep.")
                    .arg(row);
            case core::TextLineFault::None:
                break;
            }
            factor.FactorName = text;
            continue;
        }
        const std::optional<double> value = core::ParseNumber(text, locale);
        if (column == DecimalsColumn) {
            const std::optional<std::int16_t> decimals = value ? core::RoundToInt16(*value) : std::nullopt;
            if (!decimals)
                return QStringLiteral("The Significant Digits in row %1 is not numeric.  "
                                      "All significant digits must be integers.")
                    .arg(row);
            factor.SignificantDigits = *decimals > 0 ? *decimals : std::int16_t{5};
            continue;
        }
        const QString limit = column == LowerColumn ? QStringLiteral("Lower") : QStringLiteral("Upper");
        if (!value)
            return QStringLiteral("The Factor %1 Limit in row %2 is not numeric.  "
                                  "All factors must be given lower and upper limits.")
                .arg(limit)
                .arg(row);
        if (column == LowerColumn) {
            factor.LowerLimit = *value;
            continue;
        }
        core::Factor candidate = factor;
        candidate.UpperLimit = *value;
        if (LimitsCoincide(candidate))
            return QStringLiteral("The Factor Lower Limit and Upper Limit in row %1 are equal.  "
                                  "The limits must differ.")
                .arg(row);
        if (RangeOverflows(candidate))
            return core::LimitsRangeTooLarge(row);
        factor.UpperLimit = *value;
    }
    return std::nullopt;
}

// Only the factor table grows here. The general table growth would also
// widen the vertex history to the new count, and its width is what tells a
// simplex committed for another number of factors.
void GrowFactorTable(core::OptimizationProblem& problem)
{
    for (int slot = static_cast<int>(problem.Factors.size()); slot <= problem.NumFactors; ++slot) {
        core::Factor fresh;
        fresh.FactorName = core::DefaultFactorName(slot);
        problem.Factors.push_back(fresh);
    }
}

double& Slot(std::vector<double>& table, int i)
{
    return table[static_cast<std::size_t>(i)];
}

// The coded levels of factor i, read on the scale of limits `before`, moved
// onto the scale of its limits now so that every natural level stays where it
// was run: points keep their natural level, the step vector its natural length.
void Recode(core::OptimizationProblem& problem, int i, const core::Factor& before)
{
    const core::Factor& now = SlotFor(problem, i);
    const auto point = [&](double coded) {
        return core::ToCoded(now.LowerLimit, now.UpperLimit, core::ToNatural(before.LowerLimit, before.UpperLimit, coded));
    };
    const int k = problem.NumFactors;
    core::EnsureCapacity(problem, k, problem.NumVertices);
    for (int v = 1; v <= problem.NumVertices; ++v)
        problem.VertexHistory.at(i, v) = point(problem.VertexHistory.value(i, v));
    for (int r = 1; r <= k + 1; ++r)
        problem.Simplex.at(i, r) = point(problem.Simplex.value(i, r));
    Slot(problem.Centroid, i) = point(Slot(problem.Centroid, i));
    Slot(problem.TrialPoint, i) = point(Slot(problem.TrialPoint, i));
    Slot(problem.StepVector, i) *= (before.UpperLimit - before.LowerLimit) / (now.UpperLimit - now.LowerLimit);
}

// Once an initial simplex is committed, the coded levels record what was run
// on the scale of the limits of that time; new limits must not move them.
// A commit that stopped before a factor's upper limit (factors from
// `halfCommitted` on) leaves that factor a new lower limit beside its old
// upper one, a scale the user never gave (-1E+308 to 80 would code every
// level run as 1): such a factor keeps its old limits until a commit gives
// it both. So does one whose limits are equal or too far apart, where no
// scale exists.
void KeepLevelsRun(core::OptimizationProblem& problem, const std::vector<core::Factor>& before, int halfCommitted)
{
    for (int i = 1; i <= static_cast<int>(before.size()) - 1; ++i) {
        core::Factor& now = SlotFor(problem, i);
        const core::Factor& old = before[static_cast<std::size_t>(i)];
        if (now.LowerLimit == old.LowerLimit && now.UpperLimit == old.UpperLimit)
            continue;
        if (i >= halfCommitted || LimitsCoincide(now) || RangeOverflows(now)) {
            now.LowerLimit = old.LowerLimit;
            now.UpperLimit = old.UpperLimit;
            continue;
        }
        Recode(problem, i, old);
    }
}

QString LimitText(double limit, double marker, const QString& markerText, const QLocale& locale)
{
    return limit == marker ? markerText : core::GeneralForm(limit, core::Precision::Double, locale);
}

} // namespace

GridText LoadFactorGrid(const core::OptimizationProblem& problem, const QLocale& locale)
{
    GridText grid(problem.NumFactors, DecimalsColumn);
    grid.setHeader(NameColumn, QStringLiteral("Factor Name"));
    grid.setHeader(LowerColumn, QStringLiteral("Lower Limit"));
    grid.setHeader(UpperColumn, QStringLiteral("Upper Limit"));
    grid.setHeader(DecimalsColumn, QStringLiteral("Decimal Places"));
    for (int row = 1; row <= problem.NumFactors; ++row) {
        const core::Factor factor = FactorOf(problem, row);
        grid.setCell(row, NameColumn, factor.FactorName);
        grid.setCell(row, LowerColumn,
                     LimitText(factor.LowerLimit, core::UndefinedLowerLimit, QStringLiteral("0"), locale));
        grid.setCell(row, UpperColumn,
                     LimitText(factor.UpperLimit, core::UndefinedUpperLimit, QStringLiteral("999"), locale));
        grid.setCell(row, DecimalsColumn, QString::number(factor.SignificantDigits));
    }
    return grid;
}

Outcome CommitFactorGrid(core::OptimizationProblem& problem, core::RunTimeState& runTime, const GridText& grid,
                         const QLocale& locale)
{
    problem.Stage = core::Stage::DefineFactors;
    runTime.FactorGridInvalid = QStringLiteral("n");
    GrowFactorTable(problem);
    std::vector<core::Factor> before;
    if (ReadinessOf(problem) != StepReadiness::NoInitialSimplex)
        before.assign(problem.Factors.begin(), problem.Factors.begin() + problem.NumFactors + 1);
    Outcome outcome;
    for (int column = NameColumn; column <= DecimalsColumn && outcome.ok; ++column) {
        int row = 0;
        if (const std::optional<QString> failure = CommitColumn(problem, grid, column, locale, row)) {
            runTime.FactorGridInvalid = QStringLiteral("y");
            outcome = {{Critical(DataInputError, *failure)}, Focus::FactorCell, false, column, row};
        }
    }
    // The first factor whose upper limit was not taken: none when the commit
    // got past that column.
    int halfCommitted = problem.NumFactors + 1;
    if (!outcome.ok && outcome.focusColumn == LowerColumn)
        halfCommitted = 1;
    else if (!outcome.ok && outcome.focusColumn == UpperColumn)
        halfCommitted = outcome.focusRow;
    KeepLevelsRun(problem, before, halfCommitted);
    if (ReadinessOf(problem) == StepReadiness::Ready)
        outcome.trialProposedAgain = KeepTrialOnShowInsideLimits(problem);
    return outcome;
}

Outcome ContinueFactorGrid(core::OptimizationProblem& problem, core::RunTimeState& runTime, const GridText& grid,
                           const EngineHooks& hooks, const QLocale& locale)
{
    if (hooks.storeUndoSnapshot)
        hooks.storeUndoSnapshot();
    return CommitFactorGrid(problem, runTime, grid, locale);
}

} // namespace zeltomir::simplex
