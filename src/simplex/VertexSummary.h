#pragma once

// The vertex summary table: every vertex of the history with its levels,
// result, type and how often it was retained.

#include "core/ProblemRecord.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace zeltomir::simplex {

struct VertexSummaryRow {
    QString vertex;               // column 1: the vertex number
    QStringList levels;           // columns 2..k+1: levels with the factor's decimals, "" when that is how they round
    QString result;               // column k+2: the result as recorded, unrounded
    std::optional<QString> type;  // column k+3: nullopt for an unknown type code (the cell keeps what it held)
    QString timesRetained;        // column k+4
};

struct VertexSummaryContent {
    QStringList headers; // columns 1..k+4: "Vertex", FactorName(1..k), "Result", "Type", "Times Retained"
    std::vector<VertexSummaryRow> rows; // vertices 1..NumVertices
};

VertexSummaryContent BuildVertexSummary(const core::OptimizationProblem& problem, const QLocale& locale = QLocale());

// The Type cell text of a TypeCode: "Initial", "Reflection", "Extension",
// "Cr", "Cw"; nullopt for any other value.
std::optional<QString> TypeCellText(double typeCode);

} // namespace zeltomir::simplex
