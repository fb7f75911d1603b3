#pragma once

// How far a run has come and whether it is time to stop: the vertex count,
// the best result so far, the size of the current simplex in each factor's
// own units beside the finest step its shown levels can make, and advice on
// stopping. The advice only informs: it never changes what the step rules do.

#include "core/ProblemRecord.h"

#include <QString>

#include <optional>
#include <vector>

namespace zeltomir::simplex {

struct BestResult {
    int vertex = 0; // its number in the vertex history
    double result = 0; // D where responses are defined
    std::vector<double> levels; // natural levels of factors 1..k (index 0 = factor 1)
    std::vector<double> responses = {}; // its value of each response (none with one response)

    friend bool operator==(const BestResult&, const BestResult&) = default;
};

struct FactorExtent {
    QString name;
    double extent = 0;     // largest minus smallest natural level in the current simplex
    double resolution = 1; // 10^-decimals: the finest step the factor's shown levels make

    friend bool operator==(const FactorExtent&, const FactorExtent&) = default;
};

// The rules, named as the command-line runner's JSON names them.
namespace AdviceRule {
inline const QString VertexKept = QStringLiteral("vertex-kept");
inline const QString BelowResolution = QStringLiteral("below-resolution");
inline const QString NoImprovement = QStringLiteral("no-improvement");
} // namespace AdviceRule

struct Advice {
    QString rule; // one of AdviceRule
    QString text;
    int vertex = 0; // the vertex the advice names (VertexKept), else 0

    friend bool operator==(const Advice&, const Advice&) = default;
};

struct RunProgress {
    int vertexCount = 0;
    std::optional<BestResult> best;
    std::vector<FactorExtent> extents; // empty until Begin Optimization has ranked the simplex
    std::vector<Advice> advice;        // in the order of the rules below

    friend bool operator==(const RunProgress&, const RunProgress&) = default;
};

// The progress of the run the record holds. Before an initial simplex is
// committed there is none (vertex count 0); until Begin Optimization has
// proposed a trial, only the count and the best result.
//
// The advice, each rule firing on its own:
// - VertexKept: a retained vertex of the current simplex (not the one the
//   trial moves away from) holds the best result so far and has been in
//   1.65k + 0.05k^2 or more successive simplexes (4 for two factors): no
//   better result came while the simplex turned around it, the classic sign
//   that it circles the optimum (with several, the one kept longest).
// - BelowResolution: in every factor the current simplex spans less than the
//   factor's resolution, so its trials repeat levels already run.
// - NoImprovement: the best result is at least 2(k+1) vertices old.
RunProgress AssessRun(const core::OptimizationProblem& problem);

// The finest step a factor's shown levels make: 10^-decimals, where the
// display shows 0 to 9 decimals as asked and 10 for any other value.
double LevelResolution(double decimals);

} // namespace zeltomir::simplex
