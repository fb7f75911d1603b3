#pragma once

// `zeltomir-cli optimize`: drives the simplex engine the way a user drives
// the windows. The factor options fill the factor grid and Continue commits
// it; the first k+1 results fill the initial simplex grid and its Continue
// and Begin Optimization run; every later result is one Next Step. Every
// check and message comes from the engine; this class only reads the input,
// hands the texts on and writes what comes back as events.
//
// The runner offers no undo, so it stores no undo snapshots.

#include "cli/CliOptions.h"
#include "cli/EventWriter.h"
#include "cli/ResultReader.h"

#include "simplex/EngineTypes.h"
#include "simplex/GridText.h"
#include "simplex/RunProgress.h"

#include "core/ProblemRecord.h"

#include <QLocale>
#include <QStringList>

#include <istream>
#include <optional>
#include <ostream>
#include <vector>

namespace zeltomir::cli {

class OptimizeCommand {
public:
    OptimizeCommand(std::istream& in, std::ostream& out, StopQuery stoppedBy = {});

    // Runs the whole session for the arguments after "optimize"; answers the
    // exit status (ExitSuccess or ExitCannotGoOn). A session cut short (a
    // stop signal, or output that can no longer be written) ends as at the
    // end of its input, saving included, and answers ExitCannotGoOn.
    int run(const QStringList& arguments);

    // The problem as the session left it.
    const core::OptimizationProblem& problem() const { return m_problem; }

private:
    bool startNewProblem(const OptimizeOptions& options);
    bool commitFactors(const OptimizeOptions& options);
    bool openProblem(const OptimizeOptions& options);
    bool runInitialSimplex();
    bool readInitialResults();
    bool beginOptimization();
    // The next result line; nullopt where reading stops: at the end of the
    // input, at a stop signal, or once the output cannot be written.
    std::optional<ResultLine> nextLine();
    bool cutShort() const;
    void runSteps();
    void writeVertexSummary();
    // Reports a --save or --csv name that no write could use.
    bool canWriteTo(const std::optional<QString>& path, const QString& refusal);
    bool saveProblem(const QString& path);
    bool writeCsv(const QString& path);
    // Writes the advice on stopping when it differs from the last written.
    void adviseOnChange();

    // Writes the outcome's messages; answers whether the command went through.
    bool show(const simplex::Outcome& outcome);
    void message(const QString& title, const QString& text);
    void showTrial(const simplex::StepsContent& steps);
    // False, with a message, when a line gives levels for another number of factors.
    bool levelCountFits(const ResultLine& line);

    std::ostream& m_out;
    ResultReader m_reader;
    std::optional<EventWriter> m_writer; // its form is known once the options are read
    const QLocale m_locale = QLocale::c();
    core::OptimizationProblem m_problem;
    core::RunTimeState m_runTime;
    simplex::GridText m_initialGrid;
    QStringList m_names;       // the factor names the events carry
    QStringList m_trialLevels; // the level cells of the trial on show
    std::vector<simplex::Advice> m_advice; // the advice last written; none at first
};

} // namespace zeltomir::cli
