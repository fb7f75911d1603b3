#pragma once

// The one record of the current simplex problem. Windows read and write its
// fields directly; the names are the product's own. Every table is indexed
// from 1 and keeps an unused slot 0.

#include "core/RecordChoices.h"
#include "core/Responses.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace zeltomir::core {

// A matrix of doubles addressed (column, row), with slots 0..maxCol by
// 0..maxRow. Reading outside the slots gives 0; writing outside them is a
// programming error caught by an assertion, so callers size first.
//
// Each column is a vector of its own. The vertex history grows by one row
// per step: a column grows with spare room, as a vector does, so a step
// copies nothing, and the columns that do outgrow their room move one at a
// time, so that growing never holds the whole table twice.
class Matrix {
public:
    Matrix() = default;
    Matrix(int maxCol, int maxRow);

    int maxCol() const { return m_maxCol; }
    int maxRow() const { return m_maxRow; }
    bool contains(int col, int row) const { return col >= 0 && col <= m_maxCol && row >= 0 && row <= m_maxRow; }

    // Re-dimensions to 0..maxCol by 0..maxRow with every entry 0.
    void redim(int maxCol, int maxRow);
    // Re-dimensions keeping the entries that lie in both shapes; new ones are 0.
    void redimPreserve(int maxCol, int maxRow);
    // Grows (never shrinks) each dimension to at least the given slot, the
    // rows with spare room (above). Memory that runs out leaves the matrix
    // as it was.
    void ensure(int maxCol, int maxRow);

    // 0 outside the slots. Inline: tables and the engine read millions.
    double value(int col, int row) const
    {
        if (!contains(col, row))
            return 0.0;
        return m_columns[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
    }
    double& at(int col, int row);
    // Rows 0..maxRow of a column, one after the other (a reader filling a
    // whole column goes through them without a check per entry).
    double* column(int col);
    double operator()(int col, int row) const { return value(col, row); }

    // The spare room is not part of the value.
    friend bool operator==(const Matrix&, const Matrix&) = default;

private:
    int m_maxCol = -1;
    int m_maxRow = -1;
    std::vector<std::vector<double>> m_columns; // m_columns[col][row]; each holds rows 0..maxRow
};

struct Factor {
    QString FactorName;
    double LowerLimit = -9999999;
    double UpperLimit = 9999999;
    std::int16_t SignificantDigits = 0;

    friend bool operator==(const Factor&, const Factor&) = default;
};

// The limit defaults double as "not yet defined" markers.
inline constexpr double UndefinedLowerLimit = -9999999;
inline constexpr double UndefinedUpperLimit = 9999999;
inline constexpr int DefaultMaxFactors = 100;

// The default name of factor slot i: the character with code 64 + i in the
// Windows-1252 code page ("A".."Z", then "[", "\", "]", ...; slot 100 is
// "\u00A4"). Empty where 64 + i lies outside 0..255.
QString DefaultFactorName(int slot);

// The Unicode character of one Windows-1252 byte (the five codes the code
// page leaves undefined give the C1 control of the same value).
QChar Windows1252Char(unsigned char code);

struct OptimizationProblem {
    std::int16_t NumFactors = 2;
    std::int16_t MaxFactors = DefaultMaxFactors;
    QString StepType;
    Choice<core::Goal> Goal{core::Goal::Max};
    double TargetValue = 0;
    std::vector<Factor> Factors;      // slots 0..MaxFactors (at least)
    Matrix Simplex;                   // columns 1..k+4 by rows 1..k+1
    Matrix VertexHistory;             // columns 1..k+4 by vertices 1..NumVertices
    std::int16_t NumVertices = 3;
    QString InitialSimplexDefined = "no";
    QString FirstStepPending = "yes";
    Choice<core::Stage> Stage{core::Stage::None};
    double RecordResponse = 0;

    // Working fields of the moves and step rules.
    std::vector<double> TrialPoint;   // coded levels of the trial on show, slots 0..NumVertices (or more)
    std::vector<double> Centroid;     // slots 0..k
    std::vector<double> StepVector;   // slots 0..k
    // Two per-vertex tables the state file carries but nothing fills.
    std::vector<double> ReservedVertexNumbers;
    std::vector<std::int16_t> ReservedVertexIntegers;
    double LastResult = 0;
    double PreviousResult = 0;
    double LastObjective = 0;
    Choice<core::VertexType> NextVertexType;
    Choice<core::VertexType> CurrentVertexType;
    Choice<core::VertexType> PreviousVertexType;
    QString Instruction;
    QString InstructionFlag;
    QString OutOfLimits = "n";

    // Several responses, in a section of the state file of their own: their
    // definitions (none: the one response is the result) and each vertex's
    // values, (response 1..m, vertex 1..NumVertices).
    std::vector<ResponseDefinition> Responses;
    Matrix VertexResponses;

    // A run measured on a simulated process rather than in the laboratory:
    // the process by its name (empty for a real run), the standard deviation
    // of the noise and the seed of the run's own noise stream.
    QString SimulatedProcess;
    double SimulationNoise = 0;
    std::uint64_t SimulationSeed = 0;

    friend bool operator==(const OptimizationProblem&, const OptimizationProblem&) = default;
};

// Puts every field at its start-up value and sizes every table: factor slots
// 0..MaxFactors with their default names and limit markers (slot 0, never
// used, has an empty name), matrices and
// per-vertex tables 0..MaxFactors+1. StepType stays empty (the setup window
// sets it when it loads).
void ResetToStartup(OptimizationProblem& problem);

// Grows every table so that k factors and n vertices can be indexed without
// running past an end; never shrinks and never changes a value. Afterwards
// Simplex offers columns 0..k+4 by rows 0..k+1, VertexHistory columns 0..k+4
// by vertices 0..n, the per-vertex tables slots 0..n, and Factors, Centroid
// and StepVector slots 0..k (new factor slots get their default name and
// limit markers). TrialPoint also covers 0..k+1, as the trial is indexed by
// factor. Negative counts count as 0. Called once per step with one vertex
// more, it copies nothing but now and then a table that outgrew its room.
void EnsureCapacity(OptimizationProblem& problem, int factors, int vertices);

// Values of the running program that are not part of the problem record and
// never go into a state file.
struct RunTimeState {
    QString ActiveWindow;
    QString Modified = "no";
    QString FocusedTextBox;
    QString FocusTarget;
    QString StateFilePath;
    QString FactorGridInvalid = "n";
};

} // namespace zeltomir::core
