#pragma once

// `zeltomir-cli simulate`: runs the simplex unattended on a simulated process,
// measuring every trial on the process instead of reading it from the input.
// The engine is driven exactly as `optimize` drives it (the factor grid
// committed, the corner simplex of the process's limits as the initial
// simplex, Begin Optimization, one Next Step per trial), so a simulated run
// makes the moves a run typed in would make with the same results.
//
// Each trial is written with its levels, its measured and its true value;
// the run ends with a summary: the best vertex as the run reports it, its
// true value beside the true optimum, and the first trials within 95 % and
// 99 % of the optimum. The same options and seed always give the same run.

#include "cli/EventWriter.h"

#include "simplex/SimulatedProcess.h"
#include "simplex/VertexView.h"

#include "core/ProblemRecord.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <ostream>
#include <vector>

namespace zeltomir::cli {

// The seed of a run that names none: fixed, so that a run given without
// --seed is the same run every time.
inline constexpr std::uint64_t DefaultSimulationSeed = 1;
// The vertices a run counts when --trials is not given, the initial simplex
// included.
inline constexpr int DefaultSimulationTrials = 60;

struct SimulateOptions {
    QString process; // the process's name, as given
    double noise = 0; // the standard deviation of the measurement noise
    std::uint64_t seed = DefaultSimulationSeed;
    bool fixedSteps = false;
    std::optional<QString> trials; // checked against the process's factor count
    bool again = false;
    bool list = false;
    bool json = false;
    bool help = false;
    bool version = false;
};

struct ParsedSimulateOptions {
    SimulateOptions options;
    QString error; // empty when the command line is usable
};

// The arguments after "simulate". --help and --version win over any error.
ParsedSimulateOptions ParseSimulateOptions(const QStringList& arguments);

class SimulateCommand {
public:
    explicit SimulateCommand(std::ostream& out);

    // Runs the arguments after "simulate"; answers ExitSuccess, or
    // ExitCannotGoOn for a bad command line or a run the engine refused.
    int run(const QStringList& arguments);

private:
    // What one vertex of the run was: where it was run and what it gave.
    struct RunVertex {
        QStringList levelTexts; // as the grid or the steps window showed them
        std::vector<double> levels;
        double measured = 0; // as the record holds it
        double trueValue = 0;
    };

    void listProcesses();
    bool startProblem();
    bool runInitialSimplex();
    bool runSteps(int trials);
    // Starts the measurement again of a vertex kept as the best, when the
    // advice asked for one and the trial on show starts a step.
    bool measureAgainWhenAdvised();
    // The value a trial run at these levels gives, as text for the engine.
    QString measure(int vertex, const QStringList& levelTexts, std::vector<double>& levels) const;
    void record(const QString& type, int againOf, const QStringList& levelTexts, std::vector<double> levels);
    void writeStart(int trials);
    void writeTrial(int vertex, const QString& type, int againOf, int best);
    void writeSummary();
    bool show(const simplex::Outcome& outcome);
    void usageError(const QString& text);

    std::ostream& m_out;
    std::optional<EventWriter> m_writer;
    const QLocale m_locale = QLocale::c();
    SimulateOptions m_options;
    const simplex::SimulatedProcess* m_process = nullptr;
    QStringList m_names; // the process's factor names, for the events
    core::OptimizationProblem m_problem;
    core::RunTimeState m_runTime;
    std::optional<simplex::Trial> m_trial; // the trial on show
    std::vector<RunVertex> m_vertices;     // index 0 = vertex 1
    std::optional<simplex::BestSoFar> m_best; // the best vertex as the run reports it
    int m_advisedAgain = 0; // the vertex the advice named, waiting for a step to start
    std::vector<int> m_measuredAgain;
};

} // namespace zeltomir::cli
