#include "cli/SimulateCommand.h"

#include "cli/CliHelp.h"
#include "cli/JsonText.h"

#include "simplex/BeginOptimization.h"
#include "simplex/FactorGrid.h"
#include "simplex/InitialSimplex.h"
#include "simplex/MeasureAgain.h"
#include "simplex/NextStep.h"
#include "simplex/ProblemSetup.h"
#include "simplex/ProcessNoise.h"
#include "simplex/RunProgress.h"

#include "core/NumberText.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zeltomir::cli {

namespace {

const QString UsageErrorTitle = QStringLiteral("Usage Error");

const QString Process = QStringLiteral("--process");
const QString Noise = QStringLiteral("--noise");
const QString Seed = QStringLiteral("--seed");
const QString Steps = QStringLiteral("--steps");
const QString Trials = QStringLiteral("--trials");

// Seeds up to 15 digits: a seed the runner takes can be written into a
// problem file and typed into the program's dialog without changing.
constexpr std::uint64_t LargestSeed = 999'999'999'999'999;

QString ProcessNames()
{
    QStringList names;
    for (const simplex::SimulatedProcess& process : simplex::SimulatedProcesses())
        names.append(process.name);
    return names.join(QStringLiteral(", "));
}

bool SetFlag(SimulateOptions& options, const QString& name)
{
    if (name == QLatin1String("--again"))
        options.again = true;
    else if (name == QLatin1String("--list"))
        options.list = true;
    else if (name == QLatin1String("--json"))
        options.json = true;
    else if (name == QLatin1String("--version"))
        options.version = true;
    else if (name == QLatin1String("--help") || name == QLatin1String("-h"))
        options.help = true;
    else
        return false;
    return true;
}

// A whole number written in digits alone, no sign and no exponent.
std::optional<std::uint64_t> WholeNumber(const QString& text, std::uint64_t largest)
{
    if (text.isEmpty() || text.size() > 15
        || !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    const std::uint64_t value = text.toULongLong();
    return value <= largest ? std::optional(value) : std::nullopt;
}

QString ApplyValue(SimulateOptions& options, const QString& name, const QString& value)
{
    if (name == Process) {
        if (!simplex::FindSimulatedProcess(value))
            return QStringLiteral("Unknown process \"%1\": the processes are %2.").arg(value, ProcessNames());
        options.process = value;
    } else if (name == Noise) {
        const std::optional<double> sigma = core::ParseNumber(value, QLocale::c());
        if (!sigma || !std::isfinite(*sigma) || *sigma < 0)
            return QStringLiteral("The noise must be a number of 0 or more, not \"%1\".").arg(value);
        options.noise = *sigma;
    } else if (name == Seed) {
        const std::optional<std::uint64_t> seed = WholeNumber(value, LargestSeed);
        if (!seed)
            return QStringLiteral("The seed must be a whole number from 0 to %1, not \"%2\".")
                .arg(LargestSeed)
                .arg(value);
        options.seed = *seed;
    } else if (name == Steps) {
        if (value != QLatin1String("variable") && value != QLatin1String("fixed"))
            return QStringLiteral("The step size must be variable or fixed, not \"%1\".").arg(value);
        options.fixedSteps = value == QLatin1String("fixed");
    } else {
        options.trials = value;
    }
    return {};
}

// The number of trials a run of the process can count: its initial simplex
// at least, and no more vertices than the history holds.
QString CheckTrials(const SimulateOptions& options, int& trials)
{
    const simplex::SimulatedProcess* process = simplex::FindSimulatedProcess(options.process);
    const int fewest = process->factorCount() + 1;
    trials = DefaultSimulationTrials;
    if (!options.trials)
        return {};
    const std::optional<std::uint64_t> given = WholeNumber(*options.trials, simplex::MaxVertices);
    if (!given || static_cast<int>(*given) < fewest)
        return QStringLiteral("The number of trials must be a whole number from %1 (the initial simplex of %2) to "
                              "%3, not \"%4\".")
            .arg(fewest)
            .arg(options.process)
            .arg(simplex::MaxVertices)
            .arg(*options.trials);
    trials = static_cast<int>(*given);
    return {};
}

// A value held at single precision (a recorded result) as the number its
// shortest text reads: 9.85, not the single's 9.850000381469727.
double AsTyped(double value)
{
    return core::ParseNumber(core::ShortestSingleForm(value, QLocale::c()), QLocale::c()).value_or(value);
}

QString Short(double value)
{
    return core::GeneralForm(value, core::Precision::Single, QLocale::c());
}

std::string JsonNumbers(const std::vector<double>& values)
{
    // Appended piece by piece: GCC 12 warns, wrongly, of an overlapping copy
    // in a literal + temporary string when it inlines it.
    std::string json = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            json += ',';
        json += JsonNumber(values[i]);
    }
    return json + ']';
}

QStringList ShortTexts(const std::vector<double>& values)
{
    QStringList texts;
    for (double value : values)
        texts.append(Short(value));
    return texts;
}

std::string JsonTrial(const std::optional<int>& trial)
{
    return trial ? std::to_string(*trial) : std::string("null");
}

QString ReachedAt(const std::optional<int>& trial)
{
    return trial ? QStringLiteral("trial %1").arg(*trial) : QStringLiteral("not reached");
}

} // namespace

ParsedSimulateOptions ParseSimulateOptions(const QStringList& arguments)
{
    ParsedSimulateOptions parsed;
    SimulateOptions& options = parsed.options;
    QStringList given;
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
        const bool takesValue = name == Process || name == Noise || name == Seed || name == Steps || name == Trials;
        if (!takesValue) {
            if (value)
                fail(QStringLiteral("Option %1 does not take a value.").arg(name));
            else if (!SetFlag(options, name))
                fail(name.startsWith(QLatin1Char('-')) ? QStringLiteral("Unknown option %1.").arg(name)
                                                       : QStringLiteral("Unexpected argument \"%1\".").arg(name));
            continue;
        }
        // A negative noise is a value, not an option: "--noise -1" is refused
        // for its sign rather than for a missing value.
        if (!value && i + 1 < arguments.size() && !arguments[i + 1].startsWith(QLatin1String("--")))
            value = arguments[++i];
        if (!value) {
            fail(QStringLiteral("Option %1 needs a value.").arg(name));
            continue;
        }
        if (given.contains(name)) {
            fail(QStringLiteral("Option %1 is given more than once.").arg(name));
            continue;
        }
        given.append(name);
        fail(ApplyValue(options, name, *value));
    }
    if (options.list && !given.isEmpty())
        fail(QStringLiteral("Option --list lists the processes and runs none: give it without %1.").arg(given[0]));
    else if (!options.list && !given.contains(Process))
        fail(QStringLiteral("Option --process is needed: one of %1.").arg(ProcessNames()));
    if (options.help || options.version)
        parsed.error.clear();
    return parsed;
}

SimulateCommand::SimulateCommand(std::ostream& out)
    : m_out(out)
{
}

int SimulateCommand::run(const QStringList& arguments)
{
    const ParsedSimulateOptions parsed = ParseSimulateOptions(arguments);
    m_options = parsed.options;
    if (m_options.help || m_options.version) {
        m_out << (m_options.help ? HelpText() : VersionLine());
        m_out.flush();
        return ExitSuccess;
    }
    m_writer.emplace(m_out, m_options.json);
    if (!parsed.error.isEmpty()) {
        usageError(parsed.error);
        return ExitCannotGoOn;
    }
    if (m_options.list) {
        listProcesses();
        return ExitSuccess;
    }
    int trials = 0;
    if (const QString error = CheckTrials(m_options, trials); !error.isEmpty()) {
        usageError(error);
        return ExitCannotGoOn;
    }
    m_process = simplex::FindSimulatedProcess(m_options.process);
    for (const simplex::ProcessFactor& factor : m_process->factors)
        m_names.append(factor.name);
    m_best.emplace(m_problem);
    writeStart(trials);
    if (!startProblem() || !runInitialSimplex() || !runSteps(trials))
        return ExitCannotGoOn;
    writeSummary();
    return m_out ? ExitSuccess : ExitCannotGoOn;
}

void SimulateCommand::listProcesses()
{
    for (const simplex::SimulatedProcess& process : simplex::SimulatedProcesses()) {
        const QString goal = simplex::GoalText(process.goal);
        if (m_options.json) {
            std::string factors = "[";
            for (const simplex::ProcessFactor& factor : process.factors) {
                if (factors.size() > 1)
                    factors += ',';
                factors += "{\"name\":";
                factors += JsonString(factor.name) + ",\"unit\":" + JsonString(factor.unit) + ",\"lower\":"
                    + JsonNumber(factor.lower) + ",\"upper\":" + JsonNumber(factor.upper)
                    + ",\"decimals\":" + std::to_string(factor.decimals) + '}';
            }
            std::string falseOptima = "[";
            for (const simplex::ProcessPoint& point : process.falseOptima) {
                if (falseOptima.size() > 1)
                    falseOptima += ',';
                falseOptima += "{\"levels\":";
                falseOptima += JsonNumbers(point.levels) + ",\"true\":" + JsonNumber(point.value) + '}';
            }
            m_out << "{\"event\":\"process\",\"name\":" << JsonString(process.name)
                  << ",\"title\":" << JsonString(process.title)
                  << ",\"description\":" << JsonString(process.description)
                  << ",\"response\":" << JsonString(process.responseName)
                  << ",\"unit\":" << JsonString(process.responseUnit) << ",\"goal\":" << JsonString(goal)
                  << (process.goal == simplex::ProcessGoal::Target ? ",\"target\":" + JsonNumber(process.target)
                                                                   : std::string())
                  << ",\"factors\":" << factors << "]"
                  << ",\"optimum\":{\"levels\":" << JsonNumbers(process.optimum.levels)
                  << ",\"true\":" << JsonNumber(process.optimum.value) << '}'
                  << ",\"false_optima\":" << falseOptima << ']'
                  << ",\"range\":" << JsonNumber(simplex::ResponseRange(process)) << "}\n";
            continue;
        }
        QStringList factors;
        for (const simplex::ProcessFactor& factor : process.factors)
            factors.append(QStringLiteral("%1=%2..%3").arg(simplex::FactorLabel(factor), Short(factor.lower),
                                                           Short(factor.upper)));
        const QString aim = process.goal == simplex::ProcessGoal::Target
            ? QStringLiteral("mid %1").arg(Short(process.target))
            : goal;
        const QString line = QStringLiteral("process %1: %2. %3 Factors %4; goal %5; response range %6.")
                                 .arg(process.name, process.title, process.description, factors.join(QLatin1Char(' ')),
                                      aim, Short(simplex::ResponseRange(process)));
        m_out << line.toStdString() << '\n';
    }
    m_out.flush();
}

// The setup window and the factor window, as `optimize` fills them: the
// factors get their names with units, as the program's simulated runs do.
bool SimulateCommand::startProblem()
{
    core::ResetToStartup(m_problem);
    simplex::ChooseStepType(m_problem, m_options.fixedSteps ? 1 : 0);
    const bool target = m_process->goal == simplex::ProcessGoal::Target;
    const QString targetText = target ? core::ShortestForm(m_process->target) : QString();
    const int goalIndex = m_process->goal == simplex::ProcessGoal::Maximise ? 0 : target ? 2 : 1;
    simplex::ChooseGoalOption(m_problem, goalIndex, targetText, {}, m_locale);
    const QString countText = QString::number(m_process->factorCount());
    if (!show(simplex::CheckFactorCount(m_problem, countText, m_locale)))
        return false;
    simplex::GridText grid = simplex::LoadFactorGrid(m_problem, m_locale);
    for (int i = 0; i < m_process->factorCount(); ++i) {
        const simplex::ProcessFactor& factor = m_process->factors[static_cast<std::size_t>(i)];
        grid.setCell(i + 1, 1, simplex::FactorLabel(factor));
        grid.setCell(i + 1, 2, core::ShortestForm(factor.lower));
        grid.setCell(i + 1, 3, core::ShortestForm(factor.upper));
        grid.setCell(i + 1, 4, QString::number(factor.decimals));
    }
    return show(simplex::ContinueFactorGrid(m_problem, m_runTime, grid, {}, m_locale));
}

// The corner simplex the initial simplex window proposes, every row
// measured on the process.
bool SimulateCommand::runInitialSimplex()
{
    const int k = m_process->factorCount();
    const QString countText = QString::number(k);
    const QString targetText = core::ShortestForm(m_process->target);
    simplex::DefineInitialSimplexResult defined =
        simplex::DefineInitialSimplex(m_problem, countText, targetText, std::nullopt, {}, m_locale);
    if (!show(defined.outcome))
        return false;
    simplex::GridText& grid = defined.grid;
    std::vector<std::vector<double>> levels(static_cast<std::size_t>(k + 1));
    std::vector<QStringList> texts(static_cast<std::size_t>(k + 1));
    for (int row = 1; row <= k + 1; ++row) {
        QStringList& rowTexts = texts[static_cast<std::size_t>(row - 1)];
        for (int j = 1; j <= k; ++j)
            rowTexts.append(grid.cell(row, j));
        grid.setCell(row, k + 1, measure(row, rowTexts, levels[static_cast<std::size_t>(row - 1)]));
    }
    if (!show(simplex::ContinueInitialSimplex(m_problem, grid, {}, m_locale)))
        return false;
    for (int row = 1; row <= k + 1; ++row)
        record(QStringLiteral("I"), 0, texts[static_cast<std::size_t>(row - 1)],
               levels[static_cast<std::size_t>(row - 1)]);
    const simplex::StepsOutcome begun = simplex::BeginOptimization(m_problem, {}, m_locale);
    if (!show(begun.outcome) || !begun.steps)
        return false;
    m_trial = begun.steps->trial;
    return true;
}

bool SimulateCommand::runSteps(int trials)
{
    while (static_cast<int>(m_vertices.size()) < trials && m_out) {
        if (m_options.again && !measureAgainWhenAdvised())
            return false;
        const simplex::Trial trial = *m_trial;
        std::vector<double> levels;
        const QString result = measure(trial.vertexNumber, trial.levels, levels);
        const simplex::StepsOutcome answer =
            simplex::NextStep(m_problem, m_runTime, {result, trial.levels}, {}, m_locale);
        if (!show(answer.outcome) || !answer.steps)
            return false;
        record(trial.vertexType, trial.againOf, trial.levels, std::move(levels));
        m_trial = answer.steps->trial;
        if (!m_options.again || m_advisedAgain != 0)
            continue;
        for (const simplex::Advice& advice : simplex::AssessRun(m_problem).advice)
            if (advice.rule == simplex::AdviceRule::VertexKept
                && std::find(m_measuredAgain.begin(), m_measuredAgain.end(), advice.vertex) == m_measuredAgain.end())
                m_advisedAgain = advice.vertex;
    }
    return true;
}

// A step half done (a reflection waiting for its extension or contraction)
// is finished first: the vertex is measured again at the next trial that
// starts a step, in place of that trial, if it is still in the simplex.
bool SimulateCommand::measureAgainWhenAdvised()
{
    if (m_advisedAgain == 0 || simplex::StepInProgress(m_problem))
        return true;
    const int vertex = std::exchange(m_advisedAgain, 0);
    m_measuredAgain.push_back(vertex);
    if (simplex::SimplexRowOf(m_problem, vertex) == 0)
        return true;
    const simplex::StepsOutcome answer = simplex::MeasureAgain(m_problem, m_runTime, vertex, m_locale);
    if (!show(answer.outcome) || !answer.steps)
        return false;
    m_trial = answer.steps->trial;
    return true;
}

QString SimulateCommand::measure(int vertex, const QStringList& levelTexts, std::vector<double>& levels) const
{
    levels.clear();
    for (const QString& text : levelTexts)
        levels.push_back(core::ParseNumber(text, m_locale).value_or(0));
    const double value = simplex::MeasuredResponse(*m_process, levels, m_options.noise, m_options.seed,
                                                   static_cast<std::uint64_t>(vertex));
    return core::ShortestForm(value);
}

void SimulateCommand::record(const QString& type, int againOf, const QStringList& levelTexts,
                             std::vector<double> levels)
{
    const int vertex = static_cast<int>(m_vertices.size()) + 1;
    RunVertex run;
    run.levelTexts = levelTexts;
    run.trueValue = m_process->trueResponse(levels);
    run.levels = std::move(levels);
    run.measured = AsTyped(simplex::Vertex(m_problem, vertex).result());
    m_vertices.push_back(std::move(run));
    m_best->add(vertex, simplex::Vertex(m_problem, vertex).result());
    writeTrial(vertex, type, againOf, m_best->vertex());
}

void SimulateCommand::writeStart(int trials)
{
    const QString steps = m_options.fixedSteps ? QStringLiteral("fixed") : QStringLiteral("variable");
    if (m_options.json) {
        m_out << "{\"event\":\"simulate\",\"process\":" << JsonString(m_process->name)
              << ",\"noise\":" << JsonNumber(m_options.noise) << ",\"seed\":" << m_options.seed
              << ",\"steps\":" << JsonString(steps) << ",\"trials\":" << trials
              << ",\"again\":" << (m_options.again ? "true" : "false") << "}\n";
    } else {
        m_out << QStringLiteral("simulate %1: noise=%2 seed=%3 steps=%4 trials=%5 again=%6\n")
                     .arg(m_process->name, core::ShortestForm(m_options.noise))
                     .arg(m_options.seed)
                     .arg(steps)
                     .arg(trials)
                     .arg(m_options.again ? QStringLiteral("yes") : QStringLiteral("no"))
                     .toStdString();
    }
    m_out.flush();
}

void SimulateCommand::writeTrial(int vertex, const QString& type, int againOf, int best)
{
    const RunVertex& run = m_vertices.back();
    if (m_options.json) {
        m_out << "{\"event\":\"trial\",\"vertex\":" << vertex << ",\"type\":" << JsonString(type)
              << (againOf > 0 ? ",\"again_of\":" + std::to_string(againOf) : std::string())
              << ",\"levels\":" << JsonNumbers(run.levels) << ",\"measured\":" << JsonNumber(run.measured)
              << ",\"true\":" << JsonNumber(run.trueValue) << ",\"best\":" << best << "}\n";
    } else {
        const QString again = againOf > 0 ? QStringLiteral(" (vertex %1 again)").arg(againOf) : QString();
        m_out << QStringLiteral("trial %1 %2%3: %4 measured=%5 true=%6\n")
                     .arg(vertex)
                     .arg(type, again, NamedTexts(m_names, run.levelTexts), Short(run.measured),
                          Short(run.trueValue))
                     .toStdString();
    }
    m_out.flush();
}

void SimulateCommand::writeSummary()
{
    const int bestVertex = m_best->vertex();
    const RunVertex& best = m_vertices[static_cast<std::size_t>(bestVertex - 1)];
    const simplex::ProcessPoint optimum = simplex::NearestOptimum(*m_process, best.levels);
    std::vector<double> trueValues;
    for (const RunVertex& run : m_vertices)
        trueValues.push_back(run.trueValue);
    const std::optional<int> within95 = simplex::FirstTrialWithin(*m_process, trueValues, 0.95);
    const std::optional<int> within99 = simplex::FirstTrialWithin(*m_process, trueValues, 0.99);
    const double fraction = simplex::OptimumFraction(*m_process, best.trueValue);
    const bool caught = simplex::NearerFalseOptimum(*m_process, best.levels);
    if (m_options.json) {
        m_out << "{\"event\":\"summary\",\"trials\":" << m_vertices.size() << ",\"best\":{\"vertex\":" << bestVertex
              << ",\"levels\":" << JsonNumbers(best.levels) << ",\"measured\":" << JsonNumber(best.measured)
              << ",\"true\":" << JsonNumber(best.trueValue) << ",\"fraction\":" << JsonNumber(fraction)
              << "},\"optimum\":{\"levels\":" << JsonNumbers(optimum.levels)
              << ",\"true\":" << JsonNumber(optimum.value) << "},\"within_95\":" << JsonTrial(within95)
              << ",\"within_99\":" << JsonTrial(within99) << ",\"false_optimum\":" << (caught ? "true" : "false")
              << "}\n";
    } else {
        const QString text =
            QStringLiteral("summary: best vertex %1: %2 measured=%3 true=%4 (%5 % of the way to the optimum); "
                           "optimum: %6 true=%7; within 95 %: %8; within 99 %: %9%10\n")
                .arg(bestVertex)
                .arg(NamedTexts(m_names, best.levelTexts), Short(best.measured), Short(best.trueValue),
                     QString::number(100 * fraction, 'f', 1), NamedTexts(m_names, ShortTexts(optimum.levels)),
                     Short(optimum.value), ReachedAt(within95), ReachedAt(within99))
                .arg(caught ? QStringLiteral("; nearer a false optimum") : QString());
        m_out << text.toStdString();
    }
    m_out.flush();
}

bool SimulateCommand::show(const simplex::Outcome& outcome)
{
    for (const core::Message& shown : outcome.messages)
        m_writer->message(shown);
    return outcome.ok;
}

void SimulateCommand::usageError(const QString& text)
{
    m_writer->message({UsageErrorTitle, text, core::MessageIcon::Critical});
}

} // namespace zeltomir::cli
