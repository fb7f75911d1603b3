#pragma once

// A simplex problem run on a simulated process: how the record of such a run
// is started, which process it is measured on, and what measuring its trials
// gives. The record keeps the process by name only (the core knows no
// processes); the noise of vertex n is draw n of the run's seed, so a trial
// measured again after a save, a reopen or an Undo gets the same value.

#include "simplex/GridText.h"
#include "simplex/SimulatedProcess.h"

#include "core/Message.h"
#include "core/ProblemRecord.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace zeltomir::simplex {

struct SimulationChoice {
    QString process; // SimulatedProcess::name
    double sigma = 0;
    std::uint64_t seed = 1;
    QString stepType = QStringLiteral("Fixed"); // "Fixed" or "Variable"
};

// The record of a new run (after ResetToStartup): the process's factors (with
// their units in the names), limits and decimals, its goal and target, the
// step type, and the simulation; the factors count as defined, so the setup
// window offers Define Initial Simplex next.
void StartSimulatedRun(core::OptimizationProblem& problem, const SimulatedProcess& process,
                       const SimulationChoice& choice);

// The process of a simulated run; nullptr for a real run, a process this
// program does not know, a problem whose number of factors is not the
// process's, or one with several responses defined.
const SimulatedProcess* ProcessOfRun(const core::OptimizationProblem& problem);

// Why a record just read cannot be run as it says: a simulated process the
// program does not know, or one whose factors are not the problem's.
std::optional<QString> SimulationFault(const core::OptimizationProblem& problem);

// What measuring vertex `vertex` at the levels typed gives, as the text a
// learner would type (the single the engine keeps, in its fewest digits);
// nullopt when a level is not a number or the run is not simulated.
std::optional<QString> MeasureTrial(const core::OptimizationProblem& problem, const QStringList& levelTexts,
                                    int vertex, const QLocale& locale = QLocale());

// Run Trial's answer when a level of the trial on show is not a number.
core::Message TrialLevelsNotNumbers();

// Run Trial on the initial simplex: the result cell of every row whose
// levels are numbers filled with its measurement (row i is vertex i); the
// other rows keep theirs.
GridText MeasureInitialRows(const core::OptimizationProblem& problem, GridText grid,
                            const QLocale& locale = QLocale());

} // namespace zeltomir::simplex
