#pragma once

// The vertex summary as a table of typed cells, the one source of both
// files Export Vertices and the runner write (the CSV text and the Excel
// workbook), so that their columns cannot drift apart.
//
// Header "Vertex", the factor names, the response names (if any), "Result"
// ("D" with responses), "Type", "Times Retained", "Status", "First Result";
// then one row per vertex with its number, its natural levels, its
// responses (empty for a failed trial), its result, its Type text (empty
// for an unknown type code), its times retained, its status word
// (StatusWord) and the result first entered where it was corrected (empty
// otherwise). Every column is there whether any vertex needs it or not, so
// that a program reading the file can count on its columns.

#include "core/ProblemRecord.h"

#include <QString>

#include <functional>
#include <utility>
#include <vector>

namespace zeltomir::simplex {

// A cell as a spreadsheet should take it: a number is a value, a text is
// never read as a number or a formula, an empty cell holds nothing.
struct ExportCell {
    enum class Kind { Empty, Text, Number };

    Kind kind = Kind::Empty;
    QString text;
    double number = 0;
    // The record holds it at single precision (results and responses): the
    // value meant is the shortest decimal of that single, 0.1 rather than
    // the single's 0.100000001490116.
    bool single = false;

    friend bool operator==(const ExportCell&, const ExportCell&) = default;
};

inline ExportCell TextCell(QString text) { return {ExportCell::Kind::Text, std::move(text), 0, false}; }
inline ExportCell NumberCell(double value, bool single = false) { return {ExportCell::Kind::Number, {}, value, single}; }

using ExportRow = std::vector<ExportCell>;
using ExportRowSink = std::function<void(const ExportRow& row)>;

// Hands `put` the header row (texts), then one row per vertex in order,
// each of the header's length. A row at a time, so that a long history is
// never held twice as cells.
void EmitVertexTable(const core::OptimizationProblem& problem, const ExportRowSink& put);

} // namespace zeltomir::simplex
