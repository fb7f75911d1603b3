#pragma once

// What an opened record goes on with. The program reopens the window of the
// stage it was saved at; the runner has no windows and goes on stepping
// where it can. Both read the same record the same way here.

#include "core/ProblemRecord.h"

namespace zeltomir::simplex {

// The window a record's stage reopens in the program.
enum class StageWindow {
    Factors, // "none" and "DefineFactors": the factor window
    Setup,   // "SeqSimplexInitialize": the setup window, Define Initial Simplex enabled
    Steps,   // "Steps", and any other text: the steps window
};

// How stepping goes on from the record.
enum class StepsResume {
    TrialOnShow,          // a trial of the committed simplex is on show: it goes on
    BeginOptimization,    // the initial simplex results are in, no trial proposed yet
    DefineInitialSimplex, // at the steps, or with an initial simplex, but none that fits
    NotResumable,         // saved before the initial simplex results were entered
};

struct Resumption {
    StageWindow window;
    StepsResume steps;
};

// The program shows the trial on show only in the steps window: a record
// saved at another stage reopens that stage's window whatever it holds.
// The runner goes on with a trial on show whatever the stage, since
// starting again would drop every trial recorded since; "Steps" alone (not
// another text) counts as saved during the steps.
Resumption ResumptionOf(const core::OptimizationProblem& problem);

} // namespace zeltomir::simplex
