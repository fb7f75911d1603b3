#include "core/ProblemRecord.h"

#include <algorithm>
#include <array>
#include <cassert>

namespace zeltomir::core {

// ---------------------------------------------------------------- Matrix

Matrix::Matrix(int maxCol, int maxRow) { redim(maxCol, maxRow); }

namespace {

// A negative bound means no slots at all in that direction.
std::size_t Slots(int max) { return static_cast<std::size_t>(std::max(max, -1) + 1); }

} // namespace

void Matrix::redim(int maxCol, int maxRow)
{
    std::vector<std::vector<double>> columns(Slots(maxCol), std::vector<double>(Slots(maxRow), 0.0));
    m_columns = std::move(columns);
    m_maxCol = std::max(maxCol, -1);
    m_maxRow = std::max(maxRow, -1);
}

void Matrix::redimPreserve(int maxCol, int maxRow)
{
    const std::size_t rows = Slots(maxRow);
    // Columns cut away first, so that the memory they held serves the rest.
    if (Slots(maxCol) < m_columns.size())
        m_columns.resize(Slots(maxCol));
    for (std::vector<double>& column : m_columns)
        column.resize(rows, 0.0);
    m_columns.resize(Slots(maxCol), std::vector<double>(rows, 0.0));
    m_maxCol = std::max(maxCol, -1);
    m_maxRow = std::max(maxRow, -1);
}

void Matrix::ensure(int maxCol, int maxRow)
{
    if (maxCol <= m_maxCol && maxRow <= m_maxRow)
        return;
    const int newMaxRow = std::max(maxRow, m_maxRow);
    const std::size_t rows = Slots(newMaxRow);
    // Everything that can run out of memory comes first, the room of each
    // column and then the new columns; only then do the sizes change.
    for (std::vector<double>& column : m_columns) {
        if (column.capacity() < rows)
            column.reserve(std::max(rows, column.capacity() + column.capacity() / 2));
    }
    if (maxCol > m_maxCol)
        m_columns.resize(Slots(maxCol), std::vector<double>(rows, 0.0));
    for (std::vector<double>& column : m_columns)
        column.resize(rows, 0.0);
    m_maxCol = std::max(maxCol, m_maxCol);
    m_maxRow = newMaxRow;
}

double* Matrix::column(int col)
{
    assert(col >= 0 && col <= m_maxCol && m_maxRow >= 0 && "Matrix::column outside the slots");
    return m_columns[static_cast<std::size_t>(col)].data();
}

double& Matrix::at(int col, int row)
{
    assert(contains(col, row) && "Matrix::at outside the slots: size the matrix first");
    if (!contains(col, row)) {
        // Release builds: a write outside the slots lands in a scratch cell
        // instead of someone else's memory.
        static double scratch = 0.0;
        scratch = 0.0;
        return scratch;
    }
    return m_columns[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
}

// ---------------------------------------------------------------- names

QChar Windows1252Char(unsigned char code)
{
    // 0x80..0x9F are where Windows-1252 differs from Latin-1. The five codes
    // it leaves undefined map to the C1 control of the same value, as
    // Windows itself converts them.
    static constexpr std::array<char16_t, 32> high = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
    };
    if (code >= 0x80 && code <= 0x9F)
        return QChar(high[code - 0x80]);
    return QChar(static_cast<char16_t>(code));
}

QString DefaultFactorName(int slot)
{
    const int code = 64 + slot;
    if (code < 0 || code > 0xFF)
        return {};
    return QString(Windows1252Char(static_cast<unsigned char>(code)));
}

// ---------------------------------------------------------------- record

namespace {

Factor DefaultFactor(int slot)
{
    Factor factor;
    // Slot 0 is never used and keeps an empty name.
    if (slot > 0)
        factor.FactorName = DefaultFactorName(slot);
    return factor;
}

// With spare room, as the history's columns grow (Matrix): the per-vertex
// tables grow by one slot per step.
template <typename T>
void GrowTo(std::vector<T>& table, int lastSlot)
{
    const auto size = static_cast<std::size_t>(lastSlot) + 1;
    if (lastSlot < 0 || table.size() >= size)
        return;
    if (table.capacity() < size)
        table.reserve(std::max(size, table.capacity() + table.capacity() / 2));
    table.resize(size, T{});
}

} // namespace

void ResetToStartup(OptimizationProblem& problem)
{
    problem = OptimizationProblem{};
    problem.FirstStepPending = "yes";
    problem.InitialSimplexDefined = "no";
    problem.MaxFactors = DefaultMaxFactors;
    problem.NumFactors = 2;
    problem.NumVertices = 3;
    problem.Goal = Goal::Max;

    const int maxFactors = problem.MaxFactors;
    problem.Factors.assign(static_cast<std::size_t>(maxFactors) + 1, Factor{});
    problem.Simplex.redim(maxFactors + 1, maxFactors + 1);
    problem.VertexHistory.redim(maxFactors + 1, maxFactors + 1);
    const auto perVertex = static_cast<std::size_t>(maxFactors) + 2;
    problem.TrialPoint.assign(perVertex, 0.0);
    problem.Centroid.assign(perVertex, 0.0);
    problem.StepVector.assign(perVertex, 0.0);
    problem.ReservedVertexNumbers.assign(perVertex, 0.0);
    problem.ReservedVertexIntegers.assign(perVertex, 0);

    problem.Stage = Stage::None;
    for (int slot = 0; slot <= maxFactors; ++slot)
        problem.Factors[static_cast<std::size_t>(slot)] = DefaultFactor(slot);
}

void EnsureCapacity(OptimizationProblem& problem, int factors, int vertices)
{
    const int k = std::max(factors, 0);
    const int n = std::max(vertices, 0);

    const auto oldFactorSlots = static_cast<int>(problem.Factors.size());
    GrowTo(problem.Factors, k);
    for (int slot = oldFactorSlots; slot < static_cast<int>(problem.Factors.size()); ++slot)
        problem.Factors[static_cast<std::size_t>(slot)] = DefaultFactor(slot);

    problem.Simplex.ensure(k + 4, k + 1);
    problem.VertexHistory.ensure(k + 4, n);
    // The trial on show is indexed by factor as well as carried per vertex.
    GrowTo(problem.TrialPoint, std::max(k + 1, n));
    GrowTo(problem.ReservedVertexNumbers, n);
    GrowTo(problem.ReservedVertexIntegers, n);
    GrowTo(problem.Centroid, k);
    GrowTo(problem.StepVector, k);
}

} // namespace zeltomir::core
