#include "cli/CliOptions.h"

#include "core/NumberText.h"

#include <QLocale>
#include <QSet>

namespace zeltomir::cli {

namespace {

const QString Factor = QStringLiteral("--factor");
const QString Goal = QStringLiteral("--goal");
const QString Target = QStringLiteral("--target");
const QString Steps = QStringLiteral("--steps");
const QString Open = QStringLiteral("--open");
const QString Save = QStringLiteral("--save");
const QString Csv = QStringLiteral("--csv");
const QString Xlsx = QStringLiteral("--xlsx");
const QString Response = QStringLiteral("--response");

bool IsFlag(const QString& name)
{
    return name == QLatin1String("--help") || name == QLatin1String("-h") || name == QLatin1String("--version")
        || name == QLatin1String("--json");
}

void SetFlag(OptimizeOptions& options, const QString& name)
{
    if (name == QLatin1String("--json"))
        options.json = true;
    else if (name == QLatin1String("--version"))
        options.version = true;
    else
        options.help = true;
}

bool TakesValue(const QString& name)
{
    return name == Factor || name == Goal || name == Target || name == Steps || name == Open || name == Save
        || name == Csv || name == Xlsx || name == Response;
}

// Stores the value of one option; answers why it cannot be used, or "".
QString ApplyValue(OptimizeOptions& options, const QString& name, const QString& value)
{
    if (name == Goal) {
        const core::Goal goal = core::Choice<core::Goal>::FromText(value).kind();
        if (goal == core::Goal::Other)
            return QStringLiteral("The goal must be max, min or mid, not \"%1\".").arg(value);
        options.goal = goal;
    } else if (name == Target) {
        options.target = value;
    } else if (name == Steps) {
        if (value != QLatin1String("variable") && value != QLatin1String("fixed"))
            return QStringLiteral("The step size must be variable or fixed, not \"%1\".").arg(value);
        options.fixedSteps = value == QLatin1String("fixed");
    } else if (name == Factor) {
        const std::optional<FactorCells> cells = SplitFactorOption(value);
        if (!cells)
            return QStringLiteral("A factor is given as NAME=LOWER..UPPER/DECIMALS, not \"%1\".").arg(value);
        options.factors.push_back(*cells);
    } else if (name == Response) {
        const std::optional<core::ResponseDefinition> response = SplitResponseOption(value);
        if (!response)
            return QStringLiteral("A response is given as NAME=GOAL:LOWER..UPPER[:TARGET][,importance=R][,s=S][,t=T] "
                                  "or NAME=track, not \"%1\".")
                .arg(value);
        options.responses.push_back(*response);
    } else if (value.isEmpty()) {
        return QStringLiteral("Option %1 needs a file name.").arg(name);
    } else if (name == Open) {
        options.openPath = value;
    } else if (name == Save) {
        options.savePath = value;
    } else if (name == Xlsx) {
        options.xlsxPath = value;
    } else {
        options.csvPath = value;
    }
    return {};
}

// Combinations that contradict the problem file.
QString ConflictWithOpen(const OptimizeOptions& options, const QSet<QString>& given)
{
    if (!options.responses.empty()) {
        if (options.openPath)
            return QStringLiteral("Options --open and --response cannot be used together: the problem file holds the "
                                  "responses.");
        if (given.contains(Goal) || given.contains(Target))
            return QStringLiteral("Options --goal and --target cannot be used with --response: the simplex maximises "
                                  "the overall desirability of the responses.");
    }
    if (!options.openPath)
        return {};
    if (!options.factors.empty())
        return QStringLiteral("Options --open and --factor cannot be used together: the problem file holds the factors.");
    if (given.contains(Goal) || given.contains(Target))
        return QStringLiteral("Options --goal and --target cannot be used with --open: the problem file holds the goal.");
    return {};
}

} // namespace

std::optional<FactorCells> SplitFactorOption(const QString& text)
{
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals < 0)
        return std::nullopt;
    const QString rest = text.mid(equals + 1);
    const qsizetype slash = rest.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return std::nullopt;
    const QString limits = rest.left(slash);
    const qsizetype dots = limits.indexOf(QLatin1String(".."));
    if (dots < 0)
        return std::nullopt;
    return FactorCells{text.left(equals), limits.left(dots), limits.mid(dots + 2), rest.mid(slash + 1)};
}

std::optional<core::ResponseDefinition> SplitResponseOption(const QString& text)
{
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals < 0)
        return std::nullopt;
    core::ResponseDefinition response;
    response.name = text.left(equals);
    const QString rest = text.mid(equals + 1);
    if (rest == QLatin1String("track")) {
        response.goal = core::ResponseGoal::TrackOnly;
        return response;
    }
    const auto number = [](const QString& part, double& into) {
        const std::optional<double> value = core::ParseNumber(part, QLocale::c());
        if (value)
            into = *value;
        return value.has_value();
    };
    QStringList parts = rest.split(QLatin1Char(','));
    const QStringList aim = parts.takeFirst().split(QLatin1Char(':'));
    const std::optional<core::ResponseGoal> goal = core::ResponseGoalOfWord(aim.first());
    if (!goal || *goal == core::ResponseGoal::TrackOnly)
        return std::nullopt;
    response.goal = *goal;
    const bool target = *goal == core::ResponseGoal::Target;
    if (aim.size() != (target ? 3 : 2) || (target && !number(aim[2], response.target)))
        return std::nullopt;
    const qsizetype dots = aim[1].indexOf(QLatin1String(".."));
    if (dots < 0 || !number(aim[1].left(dots), response.lower) || !number(aim[1].mid(dots + 2), response.upper))
        return std::nullopt;
    for (const QString& part : parts) {
        const qsizetype is = part.indexOf(QLatin1Char('='));
        const QString key = part.left(is);
        double* into = key == QLatin1String("importance") ? &response.importance
                       : key == QLatin1String("s")        ? &response.shape
                       : key == QLatin1String("t") && target ? &response.shapeAbove
                                                             : nullptr;
        if (is < 0 || !into || !number(part.mid(is + 1), *into))
            return std::nullopt;
    }
    return response;
}

ParsedOptions ParseOptimizeOptions(const QStringList& arguments)
{
    ParsedOptions parsed;
    OptimizeOptions& options = parsed.options;
    QSet<QString> given;
    // The whole line is read even after an error, so that --json still
    // shapes the error and --help still answers.
    const auto fail = [&parsed](const QString& why) {
        if (parsed.error.isEmpty())
            parsed.error = why;
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString name = arguments[i];
        std::optional<QString> value;
        const qsizetype equals = name.indexOf(QLatin1Char('='));
        if (name.startsWith(QLatin1String("--")) && equals > 2) {
            value = name.mid(equals + 1);
            name.truncate(equals);
        }
        if (IsFlag(name)) {
            if (value)
                fail(QStringLiteral("Option %1 does not take a value.").arg(name));
            else
                SetFlag(options, name);
            continue;
        }
        if (!TakesValue(name)) {
            fail(name.startsWith(QLatin1Char('-')) ? QStringLiteral("Unknown option %1.").arg(name)
                                                   : QStringLiteral("Unexpected argument \"%1\".").arg(name));
            continue;
        }
        // A following option is never taken as the value: "--target --json"
        // lacks its target rather than aiming at "--json".
        if (!value && i + 1 < arguments.size() && !arguments[i + 1].startsWith(QLatin1String("--")))
            value = arguments[++i];
        if (!value) {
            fail(QStringLiteral("Option %1 needs a value.").arg(name));
            continue;
        }
        if (name != Factor && name != Response && given.contains(name)) {
            fail(QStringLiteral("Option %1 is given more than once.").arg(name));
            continue;
        }
        given.insert(name);
        fail(ApplyValue(options, name, *value));
    }
    fail(ConflictWithOpen(options, given));
    if (options.help || options.version)
        parsed.error.clear();
    return parsed;
}

} // namespace zeltomir::cli
