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
    // stop signal, output that can no longer be written, memory that runs
    // out) ends as at the end of its input, saving included, and answers
    // ExitCannotGoOn.
    int run(const QStringList& arguments);

    // The problem as the session left it.
    const core::OptimizationProblem& problem() const { return m_problem; }

private:
    bool startNewProblem(const OptimizeOptions& options);
    bool commitFactors(const OptimizeOptions& options);
    bool openProblem(const OptimizeOptions& options);
    bool runInitialSimplex();
    bool readInitialResults();
    // Fills the next row of the initial simplex grid from the line, unless
    // the row's check refuses it; a refused row shows what it showed before.
    bool takeInitialLine(const ResultLine& line);
    // The early end of the input during the initial simplex, with the lines
    // taken so far, so that none has to be measured again.
    QString initialResultsMissing() const;
    bool beginOptimization();
    // The next result line; nullopt where reading stops: at the end of the
    // input, at a stop signal, or once the output cannot be written.
    std::optional<ResultLine> nextLine();
    bool cutShort() const;
    // Ends the session where the memory ran out, as a stop signal would;
    // answers whether it has steps to keep (summary and save follow).
    bool endForLackOfMemory();
    void noteMemoryRanOut();
    void runSteps();
    // What the steps window answers to the command the line stands for.
    simplex::StepsOutcome takeStepLine(const ResultLine& line);
    struct ResponseCorrection {
        int response = 0;
        QString value;
    };
    std::optional<ResponseCorrection> correctedResponse(const ResultLine& line) const;
    void writeVertexSummary();
    bool saveProblem(const QString& path);
    // The vertex summary as a CSV file or a workbook (SessionFiles.h).
    using SummaryWriter = std::optional<core::Message> (*)(const core::OptimizationProblem&, const QString&);
    bool writeSummary(SummaryWriter write, const QString& path);
    // Writes the advice on stopping when it differs from the last written.
    void adviseOnChange();

    // Writes the outcome's messages; answers whether the command went through.
    bool show(const simplex::Outcome& outcome);
    void message(const QString& title, const QString& text);
    void showTrial(const simplex::StepsContent& steps);
    // False, with a message, when a line gives levels for another number of factors.
    bool levelCountFits(const ResultLine& line);
    // False, with a message, when a line gives another number of values
    // than there are responses (with several defined).
    bool valueCountFits(const ResultLine& line);
    // False, with a message, when a line gives levels while a vertex waits
    // to be measured again: its levels are not to be changed.
    bool levelsFitTrial(const ResultLine& line);

    std::ostream& m_out;
    ResultReader m_reader;
    std::optional<EventWriter> m_writer; // its form is known once the options are read
    const QLocale m_locale = QLocale::c();
    core::OptimizationProblem m_problem;
    core::RunTimeState m_runTime;
    simplex::GridText m_initialGrid;
    QStringList m_names;       // the factor names the events carry
    QStringList m_trialLevels; // the level cells of the trial on show
    QStringList m_initialLines; // the initial simplex lines taken, as they would be typed again
    bool m_initialProposed = false; // the initial events are out and its results are being read
    bool m_trialShown = false;      // the steps are under way: there is a run to keep
    bool m_memoryRanOut = false;
    std::vector<simplex::Advice> m_advice; // the advice last written; none at first
};

} // namespace zeltomir::cli
