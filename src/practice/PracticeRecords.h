#pragma once

// The per-kind exercise records that outlive the exercise windows.

#include "practice/PracticeProblem.h"
#include "practice/QuadraticModel.h"
#include "practice/RobustModel.h"
#include "practice/VarianceModel.h"

namespace zeltomir::practice {

// The variance kind: one score, Answered flag and level for both variance
// windows. AnswerText (of the base) is the answer of the menu's window;
// the older window keeps its own in Robust.
struct VarianceProblem : PracticeProblem {
    VarianceModel Model;
    RobustModel Robust;
    // Two single-precision values that only the variance exercise file
    // carries (its lines 3 and 4): 0 until a file with others is opened.
    float ReservedValue1 = 0;
    float ReservedValue2 = 0;

    friend bool operator==(const VarianceProblem&, const VarianceProblem&) = default;
};

struct PracticeRecords {
    QuadraticProblem Target;
    VarianceProblem Variance;
    QuadraticProblem Scrap;

    friend bool operator==(const PracticeRecords&, const PracticeRecords&) = default;
};

// The records of the running program.
PracticeRecords& ProgramPracticeRecords();

} // namespace zeltomir::practice
