// The engine's commands driven by any input, with texts as a user types them
// into the windows, one command a line; after every command the record,
// written as a state file (as a save or an undo snapshot writes it), must be
// a file that the program's read takes back, and written again must give
// the same bytes. Lines that are no command are passed over.
//
//   count TEXT                 the setup window's number of factors
//   factor NAME|LOW|UP|DEC     one more row of the factor grid
//   commit                     the factor grid's Continue, with the rows given
//   initial L1|...|Lk|RESULT   one more row over the proposed initial simplex
//   continue                   the initial simplex's Continue
//   begin                      Begin Optimization (starting again: Yes)
//   step RESULT|L1|...|Lk      Next Step; levels left out are those shown
//   goal INDEX|TARGET          a goal option clicked with the target box's text
//   type INDEX                 a step-size option clicked

#include "FuzzCheck.h"

#include "simplex/BeginOptimization.h"
#include "simplex/FactorGrid.h"
#include "simplex/InitialSimplex.h"
#include "simplex/NextStep.h"
#include "simplex/ProblemSetup.h"
#include "simplex/ReadBack.h"
#include "simplex/TrialDisplay.h"

#include "core/ProblemRecord.h"
#include "core/StateFile.h"

#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QStringList>

#include <cstddef>
#include <cstdint>

using namespace zeltomir;

namespace {

// Enough for every rule to come round; more only slows the fuzzer down.
constexpr int MostCommands = 120;

struct Session {
    core::OptimizationProblem problem;
    core::RunTimeState runTime;
    simplex::GridText factors;
    simplex::GridText initial;
    QStringList shown; // the levels of the trial on show
    const QLocale locale = QLocale::c();
    const simplex::EngineHooks hooks{{}, [](const core::Message&) { return true; }};

    Session()
    {
        core::ResetToStartup(problem);
        problem.StepType = QStringLiteral("Variable");
    }

    void run(const QString& command, const QStringList& fields)
    {
        if (command == QLatin1String("count")) {
            simplex::CheckFactorCount(problem, fields.value(0), locale);
        } else if (command == QLatin1String("factor")) {
            const int row = factors.rowCount() + 1;
            for (int column = 1; column <= 4; ++column)
                factors.setCell(row, column, fields.value(column - 1));
        } else if (command == QLatin1String("commit")) {
            simplex::GridText grid = simplex::LoadFactorGrid(problem, locale);
            for (int row = 1; row <= factors.rowCount(); ++row) {
                for (int column = 1; column <= 4; ++column)
                    grid.setCell(row, column, factors.cell(row, column));
            }
            factors = {};
            // Limits moved past the trial on show propose it again.
            if (simplex::ContinueFactorGrid(problem, runTime, grid, hooks, locale).trialProposedAgain)
                shown = simplex::ReopenedSteps(problem, locale).trial.levels;
        } else if (command == QLatin1String("initial")) {
            const int row = initial.rowCount() + 1;
            for (int column = 1; column <= fields.size(); ++column)
                initial.setCell(row, column, fields[column - 1]);
        } else if (command == QLatin1String("continue")) {
            continueInitialSimplex();
        } else if (command == QLatin1String("begin")) {
            show(simplex::BeginOptimization(problem, hooks, locale));
        } else if (command == QLatin1String("step")) {
            QStringList levels = fields.mid(1);
            for (int i = static_cast<int>(levels.size()); i < shown.size(); ++i)
                levels.append(shown[i]);
            show(simplex::NextStep(problem, runTime, {fields.value(0), levels}, hooks, locale));
        } else if (command == QLatin1String("goal")) {
            simplex::ChooseGoalOption(problem, fields.value(0).toInt(), fields.value(1), hooks, locale);
        } else if (command == QLatin1String("type")) {
            simplex::ChooseStepType(problem, fields.value(0).toInt());
        }
    }

    void continueInitialSimplex()
    {
        const simplex::DefineInitialSimplexResult opened =
            simplex::DefineInitialSimplex(problem, QString::number(problem.NumFactors), simplex::TargetText(problem, locale),
                                          std::nullopt, hooks, locale);
        if (opened.outcome.ok) {
            simplex::GridText grid = opened.grid;
            for (int row = 1; row <= initial.rowCount(); ++row) {
                for (int column = 1; column <= initial.columnCount(); ++column)
                    grid.setCell(row, column, initial.cell(row, column));
            }
            simplex::ContinueInitialSimplex(problem, grid, hooks, locale);
        }
        initial = {};
    }

    void show(const simplex::StepsOutcome& answer)
    {
        if (answer.steps)
            shown = answer.steps->trial.levels;
    }
};

// The record as a save writes it, read back by the program's own read;
// `checked` holds the file checked last, which a command that changed
// nothing need not check again.
void WrittenIsRead(const core::OptimizationProblem& problem, QByteArray& checked)
{
    const QByteArray written = core::StateFileBytes(problem);
    if (written == checked)
        return;
    checked = written;
    core::OptimizationProblem read;
    core::ResetToStartup(read);
    QString stepType;
    const core::FileStatus status = simplex::ParseProblemBytes(written, read, &stepType);
    FUZZ_CHECK(status, "a file the program wrote is refused: " + status.error);
    read.StepType = stepType.isEmpty() ? problem.StepType : stepType;
    const QByteArray again = core::StateFileBytes(read);
    core::OptimizationProblem reread;
    core::ResetToStartup(reread);
    FUZZ_CHECK(simplex::ParseProblemBytes(again, reread, &stepType), "a file written from a read one is refused");
    reread.StepType = read.StepType;
    FUZZ_CHECK(core::StateFileBytes(reread) == again, "a file read and written again changed");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    Session session;
    QByteArray checked;
    int commands = 0;
    for (const QByteArray& line : input.split('\n')) {
        const QString text = QString::fromUtf8(line).trimmed();
        const qsizetype blank = text.indexOf(u' ');
        const QString command = blank < 0 ? text : text.left(blank);
        const QStringList fields = blank < 0 ? QStringList() : text.mid(blank + 1).split(u'|');
        session.run(command, fields);
        WrittenIsRead(session.problem, checked);
        if (++commands == MostCommands)
            break;
    }
    return 0;
}
