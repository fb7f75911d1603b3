#include "simplex/ResponseGrid.h"

#include "simplex/EngineSupport.h"
#include "simplex/ResponseSetup.h"

#include "core/NumberText.h"
#include "core/Responses.h"

#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace zeltomir::simplex {

namespace {

enum Column { NameColumn = 1, GoalColumn, LowerColumn, UpperColumn, TargetColumn, ImportanceColumn, ShapeColumn,
              ShapeAboveColumn, ColumnCount = ShapeAboveColumn };

constexpr std::array<std::pair<core::ResponseGoal, const char*>, 4> GoalCaptions{{
    {core::ResponseGoal::Maximize, "Maximize"},
    {core::ResponseGoal::Minimize, "Minimize"},
    {core::ResponseGoal::Target, "Target"},
    {core::ResponseGoal::TrackOnly, "Track only"},
}};

std::optional<core::ResponseGoal> GoalOfText(const QString& text)
{
    const QString word = text.simplified();
    if (word.isEmpty())
        return core::ResponseGoal::Maximize;
    for (const auto& [goal, caption] : GoalCaptions) {
        if (word.compare(QLatin1String(caption), Qt::CaseInsensitive) == 0)
            return goal;
    }
    return core::ResponseGoalOfWord(word.toLower());
}

struct CellRefusal {
    int column;
    QString text;
};

// One row's cells into a definition; the first cell that cannot be read
// stops it. A nameless row is left to DefineResponses to refuse.
std::optional<CellRefusal> ReadRow(const GridText& grid, int row, const QLocale& locale,
                                   core::ResponseDefinition& response)
{
    response.name = grid.cell(row, NameColumn).trimmed();
    if (response.name.isEmpty())
        return std::nullopt;
    const std::optional<core::ResponseGoal> goal = GoalOfText(grid.cell(row, GoalColumn));
    if (!goal)
        return CellRefusal{GoalColumn, QStringLiteral("the goal must be Maximize, Minimize, Target or Track only.")};
    response.goal = *goal;

    const auto read = [&](int column, double& value, bool needed, bool emptyIsOne,
                          const QString& what) -> std::optional<CellRefusal> {
        const QString text = grid.cell(row, column);
        if (text.trimmed().isEmpty() && emptyIsOne) {
            value = 1;
            return std::nullopt;
        }
        if (text.trimmed().isEmpty() && !needed)
            return std::nullopt;
        const std::optional<double> number = core::ParseNumber(text, locale);
        if (!number)
            return CellRefusal{column, QStringLiteral("the %1 must be numeric.").arg(what)};
        value = *number;
        return std::nullopt;
    };
    const bool ranked = response.goal != core::ResponseGoal::TrackOnly;
    const bool target = response.goal == core::ResponseGoal::Target;
    for (const auto& refusal : {read(LowerColumn, response.lower, ranked, false, QStringLiteral("lower limit")),
                                read(UpperColumn, response.upper, ranked, false, QStringLiteral("upper limit")),
                                read(TargetColumn, response.target, target, false, QStringLiteral("target")),
                                read(ImportanceColumn, response.importance, false, true, QStringLiteral("importance")),
                                read(ShapeColumn, response.shape, false, true, QStringLiteral("shape s")),
                                read(ShapeAboveColumn, response.shapeAbove, false, true, QStringLiteral("shape t"))}) {
        if (refusal)
            return refusal;
    }
    return std::nullopt;
}

int LastRowWithText(const GridText& grid)
{
    for (int row = grid.rowCount(); row >= 1; --row) {
        for (int column = 1; column <= grid.columnCount(); ++column) {
            if (!grid.cell(row, column).trimmed().isEmpty())
                return row;
        }
    }
    return 0;
}

} // namespace

QString ResponseGoalCaption(core::ResponseGoal goal)
{
    for (const auto& [kind, caption] : GoalCaptions) {
        if (kind == goal)
            return QLatin1String(caption);
    }
    return {};
}

GridText LoadResponseGrid(const core::OptimizationProblem& problem, const QLocale& locale)
{
    GridText grid(core::MaxResponses, ColumnCount);
    const QStringList headers{QStringLiteral("Response Name"), QStringLiteral("Goal"),
                              QStringLiteral("Lower Limit"),   QStringLiteral("Upper Limit"),
                              QStringLiteral("Target"),        QStringLiteral("Importance"),
                              QStringLiteral("Shape s"),       QStringLiteral("Shape t")};
    for (int column = 1; column <= ColumnCount; ++column)
        grid.setHeader(column, headers[column - 1]);
    const auto number = [&](double value) { return core::GeneralForm(value, core::Precision::Double, locale); };
    int row = 0;
    for (const core::ResponseDefinition& response : problem.Responses) {
        ++row;
        const bool ranked = response.goal != core::ResponseGoal::TrackOnly;
        grid.setCell(row, NameColumn, response.name);
        grid.setCell(row, GoalColumn, ResponseGoalCaption(response.goal));
        grid.setCell(row, LowerColumn, ranked ? number(response.lower) : QString());
        grid.setCell(row, UpperColumn, ranked ? number(response.upper) : QString());
        grid.setCell(row, TargetColumn,
                     response.goal == core::ResponseGoal::Target ? number(response.target) : QString());
        grid.setCell(row, ImportanceColumn, number(response.importance));
        grid.setCell(row, ShapeColumn, number(response.shape));
        grid.setCell(row, ShapeAboveColumn, number(response.shapeAbove));
    }
    return grid;
}

Outcome CommitResponseGrid(core::OptimizationProblem& problem, const GridText& grid, const EngineHooks& hooks,
                           const QLocale& locale)
{
    std::vector<core::ResponseDefinition> responses;
    const int rows = LastRowWithText(grid);
    for (int row = 1; row <= rows; ++row) {
        core::ResponseDefinition response;
        if (const std::optional<CellRefusal> refusal = ReadRow(grid, row, locale, response)) {
            Outcome outcome{{Critical(InputError, QStringLiteral("Response %1 (%2): ").arg(row).arg(response.name)
                                                      + refusal->text)}};
            outcome.ok = false;
            outcome.focusColumn = refusal->column;
            outcome.focusRow = row;
            return outcome;
        }
        responses.push_back(response);
    }
    Outcome outcome = DefineResponses(problem, responses, hooks);
    if (!outcome.ok)
        outcome.focusColumn = 1;
    return outcome;
}

} // namespace zeltomir::simplex
