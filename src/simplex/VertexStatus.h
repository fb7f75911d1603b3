#pragma once

// What became of a vertex's measurement after it was run: measured as
// usual, failed (no result could be had), or corrected afterwards. The
// record keeps it in the per-vertex tables a problem file has always
// carried: the integer of vertex v holds the status, and the number of
// vertex v the first value of a corrected result. While a vertex waits to
// be measured again its integer carries PendingAgainMark as well, so that a
// file saved then shows the same request when it is opened.
//
// Every table a run that uses none of this leaves at 0, which reads as
// "measured": such a run writes the bytes it always wrote.

#include "core/ProblemRecord.h"

#include <optional>
#include <vector>

namespace zeltomir::simplex {

enum class VertexStatus {
    Measured = 0,
    Failed = 1,
    Corrected = 2,
};

// Added to the status of the vertex of the simplex that is to be measured
// again (at most one vertex carries it).
inline constexpr int PendingAgainMark = 4;

// The objective of a failed vertex: below every objective a result can have
// for any goal, so the step rules take it for the worst vertex of the simplex.
// A state file writes and reads it back exactly.
inline constexpr double FailedObjective = -1e300;

// The status of vertex v; any value the program does not write (an older
// or foreign file) counts as measured.
VertexStatus StatusOf(const core::OptimizationProblem& problem, int v);
// Sets it, dropping a pending mark, and keeps the first value only where
// the status is Corrected.
void SetStatus(core::OptimizationProblem& problem, int v, VertexStatus status, double firstResult = 0);
// The result first entered for a corrected vertex.
std::optional<double> FirstResultOf(const core::OptimizationProblem& problem, int v);

// The objective vertex v scores with this result under the record's goal:
// FailedObjective for a failed vertex, whatever the goal. With several
// responses defined the result (their D) is not enough to rank by, so the
// objective comes from the vertex's responses instead (ResponsesObjective).
double ScoreOf(const core::OptimizationProblem& problem, int v, double result);
// The same whatever became of the vertex's measurement.
double ResultObjective(const core::OptimizationProblem& problem, int v, double result);

// The values of the responses of vertex v, response 1 first.
std::vector<double> ResponseValuesOf(const core::OptimizationProblem& problem, int v);

// The number of the vertex simplex row r holds; 0 when it names none of the
// history (a foreign file).
int VertexNumberOfRow(const core::OptimizationProblem& problem, int row);

// The vertex of the current simplex that waits to be measured again.
std::optional<int> PendingAgain(const core::OptimizationProblem& problem);
void MarkPendingAgain(core::OptimizationProblem& problem, int v);
void ClearPendingAgain(core::OptimizationProblem& problem);

// The words a status is known by in the runner's events and the CSV.
QString StatusWord(const core::OptimizationProblem& problem, int v);

} // namespace zeltomir::simplex
