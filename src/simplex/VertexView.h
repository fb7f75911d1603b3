#pragma once

// A vertex of the run read by name. The record keeps the product's layout: a
// vertex is a row of VertexHistory (and a row of Simplex while it is in the
// simplex), its k coded levels followed by four columns whose meaning the
// readers outside the step code should not have to know. Those offsets live
// here alone, so that what a vertex holds can grow without touching every
// reader.

#include "core/LevelScaling.h"
#include "core/ProblemRecord.h"
#include "core/RecordChoices.h"

#include "simplex/VertexStatus.h"

#include <optional>
#include <vector>

namespace zeltomir::simplex {

// A coded level (0 to 1 between the limits) in the factor's own units: the
// level the user reads and types.
inline double NaturalLevel(const core::Factor& factor, double coded)
{
    return core::ToNatural(factor.LowerLimit, factor.UpperLimit, coded);
}

// Vertex `number` (1..NumVertices) of the history. A view: it reads the
// record it was made from, which must outlive it and not change meanwhile.
class Vertex {
public:
    Vertex(const core::OptimizationProblem& problem, int number);

    int number() const { return m_number; }
    // The coded level of factor i (1..k), 0 to 1 between its limits.
    double level(int factor) const;
    // Its level in the factor's own units.
    double naturalLevel(int factor) const;
    std::vector<double> naturalLevels() const;
    double result() const;
    // The TypeCode as stored: a file may hold any number there.
    double typeCode() const;
    // The type the code stands for; nullopt for a code outside the table.
    std::optional<core::VertexType> type() const;
    double timesRetained() const;
    double objective() const;
    // What became of its measurement, and the result first entered where
    // it was corrected since.
    VertexStatus status() const { return StatusOf(*m_problem, m_number); }
    bool failed() const { return status() == VertexStatus::Failed; }
    std::optional<double> firstResult() const { return FirstResultOf(*m_problem, m_number); }

    // The columns after the levels, for the engine's step code and for a
    // reader that copies whole columns at a time (the vertex summary).
    enum Column { ResultColumn = 1, TypeColumn = 2, RetainedColumn = 3, ObjectiveColumn = 4 };
    static int ColumnOf(int factorCount, Column column) { return factorCount + column; }

private:
    const core::OptimizationProblem* m_problem;
    int m_number;
};

// The vertices the rows 1..k+1 of the current simplex hold, in row order
// (row 1 is the vertex the trial moves away from); nullopt where a row holds
// no vertex number of the history (a file may hold any number there).
std::vector<std::optional<int>> SimplexVertices(const core::OptimizationProblem& problem);
// The coded level of factor i at row r of the current simplex.
double SimplexLevel(const core::OptimizationProblem& problem, int row, int factor);

// The best result as vertices come in, for the goal now set: a vertex is the
// best when it scores higher than every one before it, so the first of
// equally good ones stays the best.
class BestSoFar {
public:
    explicit BestSoFar(const core::OptimizationProblem& problem);

    // Takes in the vertex's result; true when it is the best so far. A
    // failed vertex has no result to compare and never is; nor is one
    // measured again since, whose new observation replaces the old (a
    // lucky first measurement would otherwise stay the best reported).
    bool add(int vertex, double result);
    bool any() const { return m_vertex > 0; }
    int vertex() const { return m_vertex; }
    double result() const { return m_result; }
    double objective() const { return m_objective; }

private:
    const core::OptimizationProblem* m_problem;
    std::vector<bool> m_replaced; // by vertex number: measured again since
    int m_vertex = 0;
    double m_result = 0;
    double m_objective = 0;
};

} // namespace zeltomir::simplex
