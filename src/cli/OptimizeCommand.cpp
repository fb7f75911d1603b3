#include "cli/OptimizeCommand.h"

#include "cli/CliHelp.h"
#include "cli/ResumeFile.h"
#include "cli/StopSignals.h"
#include "cli/SessionFiles.h"

#include "simplex/BeginOptimization.h"
#include "simplex/CorrectResult.h"
#include "simplex/EngineSupport.h"
#include "simplex/FactorGrid.h"
#include "simplex/InitialSimplex.h"
#include "simplex/MeasureAgain.h"
#include "simplex/NextStep.h"
#include "simplex/ProblemSetup.h"
#include "simplex/ReadBack.h"
#include "simplex/ResponseSetup.h"
#include "simplex/Resumption.h"
#include "simplex/TrialDisplay.h"
#include "simplex/VertexStatus.h"
#include "simplex/VertexSummary.h"
#include "simplex/VertexView.h"

#include "core/NumberText.h"
#include "core/StateFile.h"

#include <algorithm>
#include <csignal>
#include <new>
#include <utility>

namespace zeltomir::cli {

namespace {

const QString UsageErrorTitle = QStringLiteral("Usage Error");
const QString InputErrorTitle = QStringLiteral("Input Error");
const QString FileErrorTitle = QStringLiteral("File Error");
const QString InterruptedTitle = QStringLiteral("Interrupted");

QString SignalName(int signal)
{
    if (signal == SIGINT)
        return QStringLiteral("SIGINT");
    if (signal == SIGTERM)
        return QStringLiteral("SIGTERM");
    if (signal == SIGHUP)
        return QStringLiteral("SIGHUP");
    return QStringLiteral("Signal %1").arg(signal);
}

// Cells 1..last of a grid row.
QStringList RowCells(const simplex::GridText& grid, int row, int last)
{
    QStringList cells;
    for (int j = 1; j <= last; ++j)
        cells.append(grid.cell(row, j));
    return cells;
}

// The values of a line for a problem with several responses: its result
// text split at blanks, one value per response.
QStringList ResponseTexts(const ResultLine& line)
{
    return line.result.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// A line as it would be typed again: its result, and its levels after "@"
// when it gave them.
QString InputForm(const ResultLine& line)
{
    QString form = line.result.trimmed();
    if (line.levels)
        form += QStringLiteral(" @ ") + line.levels->join(QLatin1Char(' '));
    return form;
}

// Says which problems can be resumed and what to do with another one.
QString CannotResume(const QString& path, const core::OptimizationProblem& problem)
{
    QString stage = QStringLiteral("stage \"%1\"").arg(problem.Stage.text());
    if (problem.Stage == core::Stage::SeqSimplexInitialize)
        stage += QStringLiteral(" without the results of its initial simplex");
    return QStringLiteral("\"%1\" holds a problem at %2. Only a problem saved after the results of its initial "
                          "simplex were entered (stage \"SeqSimplexInitialize\") or during the optimization steps "
                          "(stage \"Steps\") can be resumed. Start the problem anew with --factor options, or "
                          "enter the results of its initial simplex in Zeltomir and save it again.")
        .arg(path, stage);
}

} // namespace

OptimizeCommand::OptimizeCommand(std::istream& in, std::ostream& out, StopQuery stoppedBy)
    : m_out(out)
    , m_reader(in, std::move(stoppedBy))
{
}

int OptimizeCommand::run(const QStringList& arguments)
{
    const ParsedOptions parsed = ParseOptimizeOptions(arguments);
    const OptimizeOptions& options = parsed.options;
    if (options.help || options.version) {
        m_out << (options.help ? HelpText() : VersionLine());
        m_out.flush();
        return ExitSuccess;
    }
    m_writer.emplace(m_out, options.json);
    if (!parsed.error.isEmpty()) {
        message(UsageErrorTitle, parsed.error);
        return ExitCannotGoOn;
    }
    // Refused before any result is typed, not after the session it would
    // have kept.
    if (const std::optional<core::Message> refusal = CheckSessionFiles(options)) {
        m_writer->message(*refusal);
        return ExitCannotGoOn;
    }
    bool ready = false;
    try {
        ready = options.openPath ? openProblem(options) : startNewProblem(options) && runInitialSimplex();
        if (ready)
            runSteps();
    } catch (const std::bad_alloc&) {
        ready = endForLackOfMemory();
    }
    if (!ready)
        return ExitCannotGoOn;
    try {
        writeVertexSummary();
    } catch (const std::bad_alloc&) {
        noteMemoryRanOut();
    }
    // One file that cannot be written does not keep the others from being written.
    const bool saved = !options.savePath || saveProblem(*options.savePath);
    const bool csvWritten = !options.csvPath || writeSummary(WriteCsvFile, *options.csvPath);
    const bool workbookWritten = !options.xlsxPath || writeSummary(WriteWorkbookFile, *options.xlsxPath);
    return saved && csvWritten && workbookWritten && !cutShort() ? ExitSuccess : ExitCannotGoOn;
}

// The setup window, then the factor window: step size and goal chosen, the
// count checked, the factor grid committed, Define Initial Simplex pressed.
bool OptimizeCommand::startNewProblem(const OptimizeOptions& options)
{
    core::ResetToStartup(m_problem);
    simplex::ChooseStepType(m_problem, options.fixedSteps.value_or(false) ? 1 : 0);
    // The target box is disabled unless the goal is a target, so its text
    // counts only then.
    const bool targetGoal = options.goal == core::Goal::Target;
    const QString targetText = targetGoal ? options.target.value_or(QString()) : QString();
    simplex::ChooseGoalOption(m_problem, simplex::GoalOptionIndex(options.goal), targetText, {}, m_locale);

    const QString countText = QString::number(options.factors.size());
    if (!show(simplex::CheckFactorCount(m_problem, countText, m_locale)) || !commitFactors(options))
        return false;
    if (!options.responses.empty() && !show(simplex::DefineResponses(m_problem, options.responses)))
        return false;
    simplex::DefineInitialSimplexResult defined =
        simplex::DefineInitialSimplex(m_problem, countText, targetText, std::nullopt, {}, m_locale);
    if (!show(defined.outcome))
        return false;
    m_initialGrid = std::move(defined.grid);
    m_names = simplex::FactorNames(m_problem);
    return true;
}

bool OptimizeCommand::commitFactors(const OptimizeOptions& options)
{
    simplex::GridText grid = simplex::LoadFactorGrid(m_problem, m_locale);
    for (std::size_t i = 0; i < options.factors.size(); ++i) {
        const FactorCells& cells = options.factors[i];
        const int row = static_cast<int>(i) + 1;
        grid.setCell(row, 1, cells.name);
        grid.setCell(row, 2, cells.lower);
        grid.setCell(row, 3, cells.upper);
        grid.setCell(row, 4, cells.decimals);
    }
    return show(simplex::ContinueFactorGrid(m_problem, m_runTime, grid, {}, m_locale));
}

// A problem file goes on where it was saved: with the trial on show, when
// one of its committed initial simplex is; with Begin Optimization proposing
// the first trial, when only the results of the initial simplex are in.
bool OptimizeCommand::openProblem(const OptimizeOptions& options)
{
    const QString& path = *options.openPath;
    core::ResetToStartup(m_problem);
    QString keptStepType;
    const ResumeFileRead read = ReadResumeFile(path, m_problem, &keptStepType, StopSignalFd());
    if (read.stopped) {
        message(InterruptedTitle, QStringLiteral("%1 stopped the session before \"%2\" was read; nothing is saved.")
                                      .arg(SignalName(StopSignalCaught()), path));
        return false;
    }
    if (!read.status) {
        message(FileErrorTitle, QStringLiteral("Cannot open \"%1\". %2").arg(path, read.status.error));
        return false;
    }
    // The step type the file keeps, unless --steps says otherwise; a file
    // that keeps none runs with variable steps.
    const bool fixed = options.fixedSteps.value_or(keptStepType == QLatin1String("Fixed"));
    simplex::ChooseStepType(m_problem, fixed ? 1 : 0);

    switch (simplex::ResumptionOf(m_problem).steps) {
    case simplex::StepsResume::TrialOnShow: {
        const simplex::StepsContent steps = simplex::ReopenedSteps(m_problem, m_locale);
        m_names = steps.factorNames.value_or(simplex::FactorNames(m_problem));
        showTrial(steps);
        adviseOnChange();
        return true;
    }
    case simplex::StepsResume::BeginOptimization:
        return beginOptimization();
    case simplex::StepsResume::DefineInitialSimplex:
        m_writer->message(simplex::DefineInitialSimplexFirst());
        return false;
    case simplex::StepsResume::NotResumable:
        break;
    }
    message(FileErrorTitle, CannotResume(path, m_problem));
    return false;
}

// Every proposed vertex is shown before any result is read, so that a
// program at the other end of a pipe knows all k+1 trials to run.
bool OptimizeCommand::runInitialSimplex()
{
    const int k = m_problem.NumFactors;
    for (int row = 1; row <= k + 1; ++row)
        m_writer->initial(row, m_names, RowCells(m_initialGrid, row, k));
    m_initialProposed = true;
    if (!readInitialResults())
        return false;
    if (!show(simplex::ContinueInitialSimplex(m_problem, m_initialGrid, {}, m_locale)))
        return false;
    return beginOptimization();
}

bool OptimizeCommand::beginOptimization()
{
    const simplex::StepsOutcome begun = simplex::BeginOptimization(m_problem, {}, m_locale);
    if (!show(begun.outcome) || !begun.steps)
        return false;
    showTrial(*begun.steps);
    adviseOnChange();
    return true;
}

// Each line fills the next row of the initial simplex grid: its Result cell,
// and with "@" its level cells as if the user had typed over them. A line
// refused leaves its row to the next line, as a refused step leaves its
// trial: the results already typed stay.
bool OptimizeCommand::readInitialResults()
{
    const int k = m_problem.NumFactors;
    while (m_initialLines.size() < k + 1) {
        const std::optional<ResultLine> line = nextLine();
        if (!line) {
            message(InputErrorTitle, initialResultsMissing());
            return false;
        }
        if (line->kind != LineKind::Result) {
            message(InputErrorTitle, QStringLiteral("Line %1: \"%2\" is for the optimization steps; the next line "
                                                    "gives the result of row %3 of the initial simplex. The line is "
                                                    "skipped.")
                                         .arg(line->lineNumber)
                                         .arg(CommandWord(line->kind))
                                         .arg(m_initialLines.size() + 1));
            continue;
        }
        if (levelCountFits(*line) && valueCountFits(*line) && takeInitialLine(*line))
            m_initialLines.append(InputForm(*line));
    }
    return true;
}

bool OptimizeCommand::takeInitialLine(const ResultLine& line)
{
    const int k = m_problem.NumFactors;
    const int row = static_cast<int>(m_initialLines.size()) + 1;
    const int m = static_cast<int>(m_problem.Responses.size());
    const QStringList shown = RowCells(m_initialGrid, row, k + std::max(m, 1));
    if (m == 0)
        m_initialGrid.setCell(row, k + 1, line.result);
    const QStringList values = ResponseTexts(line);
    for (int j = 1; j <= m; ++j)
        m_initialGrid.setCell(row, k + j, values.value(j - 1));
    if (line.levels) {
        for (int j = 1; j <= k; ++j)
            m_initialGrid.setCell(row, j, line.levels->at(j - 1));
    }
    if (show(simplex::CheckInitialSimplexRow(m_problem, m_initialGrid, row, m_locale)))
        return true;
    for (int j = 1; j <= shown.size(); ++j)
        m_initialGrid.setCell(row, j, shown[j - 1]);
    return false;
}

QString OptimizeCommand::initialResultsMissing() const
{
    QString text = QStringLiteral("The input ended after %1 of the %2 results of the initial simplex.")
                       .arg(m_initialLines.size())
                       .arg(m_problem.NumFactors + 1);
    if (!m_initialLines.isEmpty())
        text += QStringLiteral(" The results received so far, as lines to give again: \"%1\".")
                    .arg(m_initialLines.join(QStringLiteral("\", \"")));
    return text;
}

// One Next Step per result line, and the command a command line stands
// for. A refused step leaves the trial on show, as the steps window does; a
// line's "@" levels count for that line only.
void OptimizeCommand::runSteps()
{
    while (const std::optional<ResultLine> line = nextLine()) {
        if (!line->misuse.isEmpty()) {
            message(InputErrorTitle, line->misuse);
            continue;
        }
        if (!levelCountFits(*line) || !levelsFitTrial(*line) || !valueCountFits(*line))
            continue;
        const simplex::StepsOutcome answer = takeStepLine(*line);
        show(answer.outcome);
        if (answer.steps)
            showTrial(*answer.steps);
        adviseOnChange();
    }
}

// The response a "correct" line names (from 1) and its value: the name runs
// to the first "=", as in --response. Nullopt where the problem has one
// response or the line names none of its responses.
std::optional<OptimizeCommand::ResponseCorrection> OptimizeCommand::correctedResponse(const ResultLine& line) const
{
    const qsizetype equals = line.result.indexOf(QLatin1Char('='));
    if (equals < 0)
        return std::nullopt;
    const QString name = line.result.left(equals).trimmed();
    for (std::size_t i = 0; i < m_problem.Responses.size(); ++i) {
        if (m_problem.Responses[i].name == name)
            return ResponseCorrection{static_cast<int>(i) + 1, line.result.mid(equals + 1).trimmed()};
    }
    return std::nullopt;
}

simplex::StepsOutcome OptimizeCommand::takeStepLine(const ResultLine& line)
{
    const simplex::StepInput input{line.result, line.levels.value_or(m_trialLevels), ResponseTexts(line)};
    switch (line.kind) {
    case LineKind::Again:
        return simplex::MeasureAgain(m_problem, m_runTime, line.vertex, m_locale);
    case LineKind::Failed:
        // With no one to ask, the question is answered Yes: the line says so.
        return simplex::TrialFailed(m_problem, m_runTime, input, {}, m_locale);
    case LineKind::Correct:
        if (const std::optional<ResponseCorrection> corrected = correctedResponse(line))
            return simplex::CorrectResponse(m_problem, m_runTime, line.vertex, corrected->response, corrected->value,
                                            {}, m_locale);
        return simplex::CorrectResult(m_problem, m_runTime, line.vertex, line.result, {}, m_locale);
    case LineKind::Result:
        break;
    }
    return simplex::NextStep(m_problem, m_runTime, input, {}, m_locale);
}

std::optional<ResultLine> OptimizeCommand::nextLine()
{
    // A program that closed the pipe reads no further trials: the session
    // ends as if the input had ended, where it stands.
    if (!m_out)
        return std::nullopt;
    std::optional<ResultLine> line = m_reader.next();
    if (!line) {
        if (const int signal = m_reader.stoppedBy())
            message(InterruptedTitle, QStringLiteral("%1 stopped the session after line %2 of the input; it ends "
                                                     "as if the input ended there.")
                                          .arg(SignalName(signal))
                                          .arg(m_reader.linesRead()));
    }
    return line;
}

bool OptimizeCommand::cutShort() const
{
    return !m_out || m_reader.stoppedBy() != 0 || m_memoryRanOut;
}

// Memory runs out where a session grows: a long input line, the vertex
// history. The step that needed it has changed nothing (the engine makes
// room before it records), so the run stands as after the line before.
bool OptimizeCommand::endForLackOfMemory()
{
    noteMemoryRanOut();
    if (!m_trialShown && m_initialProposed)
        message(InputErrorTitle, initialResultsMissing());
    return m_trialShown;
}

void OptimizeCommand::noteMemoryRanOut()
{
    if (std::exchange(m_memoryRanOut, true))
        return;
    message(InterruptedTitle, QStringLiteral("Running out of memory stopped the session after line %1 of the input; "
                                             "it ends as if the input ended there.")
                                  .arg(m_reader.linesRead()));
}

// The summary of a long session is far larger than the record it comes
// from, so it is written a few rows at a time rather than built whole: the
// rows of one block are formatted, written and dropped before the next.
void OptimizeCommand::writeVertexSummary()
{
    constexpr int BlockRows = 64;
    const int k = m_problem.NumFactors;
    const QStringList names = simplex::VertexSummaryHeaders(m_problem).mid(1, k);
    const int rows = simplex::VertexSummaryRowCount(m_problem);
    QStringList responseNames;
    for (const core::ResponseDefinition& response : m_problem.Responses)
        responseNames.append(response.name);
    for (int first = 1; first <= rows && m_out; first += BlockRows) {
        const std::vector<simplex::VertexSummaryRow> block =
            simplex::BuildVertexSummaryRows(m_problem, first, first + BlockRows - 1, m_locale);
        for (std::size_t r = 0; r < block.size(); ++r) {
            const simplex::VertexSummaryRow& row = block[r];
            VertexEvent event;
            event.vertex = first + static_cast<int>(r);
            const simplex::Vertex vertex(m_problem, event.vertex);
            event.levelTexts = row.levels();
            event.values = vertex.naturalLevels();
            // The summary's cells show a failed or corrected vertex in words;
            // the events keep the number and the type, and say it in status.
            event.resultText = vertex.failed() ? QStringLiteral("0") : row.result();
            event.result = vertex.result();
            // An unknown type code leaves the type empty, as in the summary.
            event.type = vertex.type() ? core::TypeName(*vertex.type()) : QString();
            event.retainedText = row.timesRetained();
            event.retained = vertex.timesRetained();
            event.status = simplex::StatusWord(m_problem, event.vertex);
            event.firstResult = vertex.firstResult();
            if (event.firstResult)
                event.firstResultText = core::GeneralForm(*event.firstResult, core::Precision::Double, m_locale);
            event.responseNames = responseNames;
            for (int i = 1; i <= static_cast<int>(responseNames.size()); ++i) {
                event.responses.push_back(m_problem.VertexResponses.value(i, event.vertex));
                event.responseTexts.append(core::GeneralForm(event.responses.back(), core::Precision::Single, m_locale));
            }
            m_writer->vertex(names, event);
        }
    }
}

bool OptimizeCommand::saveProblem(const QString& path)
{
    // Until the first step the stage stays "SeqSimplexInitialize", and such a
    // file is resumed by Begin Optimization, which starts again from the
    // committed initial simplex.
    const std::optional<core::Message> failure = SaveProblemFile(m_problem, path);
    if (failure)
        m_writer->message(*failure);
    return !failure;
}

bool OptimizeCommand::writeSummary(SummaryWriter write, const QString& path)
{
    const std::optional<core::Message> failure = write(m_problem, path);
    if (failure)
        m_writer->message(*failure);
    return !failure;
}

void OptimizeCommand::adviseOnChange()
{
    if (!m_writer->json())
        return;
    simplex::RunProgress progress = simplex::AssessRun(m_problem);
    if (progress.advice == m_advice)
        return;
    m_advice = std::move(progress.advice);
    m_writer->advice(progress.vertexCount, m_advice);
}

bool OptimizeCommand::show(const simplex::Outcome& outcome)
{
    for (const core::Message& shown : outcome.messages)
        m_writer->message(shown);
    return outcome.ok;
}

void OptimizeCommand::message(const QString& title, const QString& text)
{
    m_writer->message({title, text, core::MessageIcon::Critical});
}

void OptimizeCommand::showTrial(const simplex::StepsContent& steps)
{
    if (steps.factorNames)
        m_names = *steps.factorNames;
    m_trialLevels = steps.trial.levels;
    m_trialShown = true;
    m_writer->trial(m_names, steps.trial);
}

bool OptimizeCommand::levelCountFits(const ResultLine& line)
{
    const int k = m_problem.NumFactors;
    if (!line.levels || line.levels->size() == k)
        return true;
    message(InputErrorTitle, QStringLiteral("Line %1: expected %2 levels after \"@\" but found %3. The line is "
                                            "skipped.")
                                 .arg(line.lineNumber)
                                 .arg(k)
                                 .arg(line.levels->size()));
    return false;
}

bool OptimizeCommand::valueCountFits(const ResultLine& line)
{
    const auto m = static_cast<qsizetype>(m_problem.Responses.size());
    if (m == 0 || line.kind == LineKind::Again || line.kind == LineKind::Failed)
        return true;
    if (line.kind == LineKind::Correct) {
        if (correctedResponse(line))
            return true;
        message(InputErrorTitle, QStringLiteral("Line %1: with several responses a correction is written as "
                                                "\"correct N NAME=VALUE\", NAME one of the responses. The line is "
                                                "skipped.")
                                     .arg(line.lineNumber));
        return false;
    }
    const qsizetype found = ResponseTexts(line).size();
    if (found == m)
        return true;
    message(InputErrorTitle, QStringLiteral("Line %1: expected %2 values, one per response, but found %3. The line "
                                            "is skipped.")
                                 .arg(line.lineNumber)
                                 .arg(m)
                                 .arg(found));
    return false;
}

bool OptimizeCommand::levelsFitTrial(const ResultLine& line)
{
    const std::optional<int> again = simplex::PendingAgain(m_problem);
    if (!line.levels || !again)
        return true;
    message(InputErrorTitle, QStringLiteral("Line %1: vertex %2 is measured again at the levels it was run at; give "
                                            "the line without \"@\" and levels. The line is skipped.")
                                 .arg(line.lineNumber)
                                 .arg(*again));
    return false;
}

} // namespace zeltomir::cli
