#include "core/ProblemRecord.h"

#include <algorithm>
#include <array>
#include <cassert>

namespace zeltomir::core {

// ---------------------------------------------------------------- Matrix

Matrix::Matrix(int maxCol, int maxRow) { redim(maxCol, maxRow); }

void Matrix::redim(int maxCol, int maxRow)
{
    // A negative bound means no slots at all in that direction.
    m_maxCol = std::max(maxCol, -1);
    m_maxRow = std::max(maxRow, -1);
    const auto cells = static_cast<std::size_t>(m_maxCol + 1) * static_cast<std::size_t>(m_maxRow + 1);
    m_cells.assign(cells, 0.0);
}

void Matrix::redimPreserve(int maxCol, int maxRow)
{
    Matrix resized(maxCol, maxRow);
    const int cols = std::min(m_maxCol, resized.m_maxCol);
    const int rows = std::min(m_maxRow, resized.m_maxRow);
    for (int col = 0; col <= cols; ++col) {
        for (int row = 0; row <= rows; ++row)
            resized.at(col, row) = value(col, row);
    }
    *this = std::move(resized);
}

void Matrix::ensure(int maxCol, int maxRow)
{
    if (maxCol <= m_maxCol && maxRow <= m_maxRow)
        return;
    redimPreserve(std::max(maxCol, m_maxCol), std::max(maxRow, m_maxRow));
}

double* Matrix::column(int col)
{
    assert(col >= 0 && col <= m_maxCol && m_maxRow >= 0 && "Matrix::column outside the slots");
    return m_cells.data() + static_cast<std::ptrdiff_t>(col) * (m_maxRow + 1);
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
    return m_cells[static_cast<std::size_t>(col) * static_cast<std::size_t>(m_maxRow + 1) + static_cast<std::size_t>(row)];
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

template <typename T>
void GrowTo(std::vector<T>& table, int lastSlot)
{
    if (lastSlot >= 0 && table.size() < static_cast<std::size_t>(lastSlot) + 1)
        table.resize(static_cast<std::size_t>(lastSlot) + 1, T{});
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
